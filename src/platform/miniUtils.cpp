#include "miniUtils.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "SystemError.h"
#include "TemporaryFiles.h"
#include "UserInteraction.h"

namespace {

bool IsExistingFile(const std::string& FileName) {
  std::error_code Ignored;
  return std::filesystem::is_regular_file(FileName, Ignored);
}

// The language and code page of the first entry of the block's translation
// table; a table too short for one entry counts as none.
bool FirstTranslation(const void* Block, WORD& Language, WORD& CodePage) {
  void* Table = nullptr;
  UINT Length = 4;
  if (!VerQueryValueA(Block, "\\\\VarFileInfo\\\\Translation", &Table, &Length) ||
      Length < 2 * sizeof(WORD))
    return false;
  std::memcpy(&Language, Table, sizeof(WORD));
  std::memcpy(&CodePage, static_cast<const BYTE*>(Table) + sizeof(WORD), sizeof(WORD));
  return true;
}

// Commas become dots and blanks go; unless Full, the text ends before its
// third dot.
std::string NormalizedVersion(const std::string& Text, bool Full) {
  std::string Result;
  for (char Character : Text) {
    if (Character != ' ') Result += Character == ',' ? '.' : Character;
  }
  if (Full) return Result;
  std::size_t Dot = std::string::npos;
  for (int Count = 0; Count < 3; ++Count) {
    Dot = Result.find('.', Dot + 1);
    if (Dot == std::string::npos) return Result;
  }
  return Result.substr(0, Dot);
}

}  // namespace

std::string AppFileName() {
  // A buffer filled to its end may have cut the path: it grows and the name
  // is asked again.
  for (DWORD Size = 260; Size <= 65536; Size *= 2) {
    std::vector<char> Buffer(Size);
    const DWORD Length = GetModuleFileNameA(nullptr, Buffer.data(), Size);
    if (Length == 0) return std::string();
    if (Length < Size) return std::string(Buffer.data(), Length);
  }
  return std::string();
}

std::string BrowseFolder(const std::string& Title, DWORD Flags) {
  // The dialog opens where the user chose last in this run.
  static std::string LastFolder;
  const std::string Folder = UserInteraction().BrowseFolder(Title, Flags, LastFolder);
  if (!Folder.empty()) LastFolder = Folder;
  return Folder;
}

std::string SelectFolder(const std::string& Title) {
  return BrowseFolder(Title, kBrowseForFileSystemFoldersOnly);
}

WideString AnsiToWide(const std::string& S, UINT CodePage) {
  if (S.empty() || S.size() > INT_MAX) return WideString();
  const int Length = static_cast<int>(S.size());
  const int Count = MultiByteToWideChar(CodePage, 0, S.data(), Length, nullptr, 0);
  WideString Result(Count, WCHAR());
  if (Count != 0 && MultiByteToWideChar(CodePage, 0, S.data(), Length, Result.data(), Count) == 0)
    return WideString();
  return Result;
}

std::string WideToAnsi(const WideString& W, UINT CodePage) {
  if (W.empty() || W.size() > INT_MAX) return std::string();
  const int Length = static_cast<int>(W.size());
  const int Count =
      WideCharToMultiByte(CodePage, 0, W.data(), Length, nullptr, 0, nullptr, nullptr);
  std::string Result(Count, '\0');
  if (Count != 0 && WideCharToMultiByte(CodePage, 0, W.data(), Length, Result.data(), Count,
                                        nullptr, nullptr) == 0)
    return std::string();
  return Result;
}

bool FileCopy(const std::string& Source, const std::string& Dest, std::string* Failure) {
  try {
    const std::string Temporary = TemporaryNameBeside(Dest);
    // A failed copy removes what it wrote itself; the temporary is ours once it succeeded.
    if (CopyFileA(Source.c_str(), Temporary.c_str(), TRUE) &&
        PutTemporaryInPlace(Temporary, Dest, true))
      return true;
    const std::string Reason = LastSystemErrorMessage();
    std::error_code Ignored;
    if (Failure && std::filesystem::exists(Source, Ignored)) *Failure = Reason;
    return false;
  } catch (...) {
    return false;
  }
}

std::string FileVersionString(const std::string& FileName, bool Full) {
  try {
    if (!IsExistingFile(FileName)) return std::string();
    DWORD Handle = 0;
    const DWORD Size = GetFileVersionInfoSizeA(FileName.c_str(), &Handle);
    if (Size == 0) return std::string();
    // A failed fill leaves the block zeroed, and then every query fails.
    std::vector<BYTE> Block(Size);
    GetFileVersionInfoA(FileName.c_str(), 0, Size, Block.data());
    return VersionTextOf(Block.data(), Full);
  } catch (...) {
    return std::string();
  }
}

std::string VersionTextOf(const void* Block, bool Full) {
  WORD Language = 0;
  WORD CodePage = 0;
  if (!FirstTranslation(Block, Language, CodePage)) return std::string();
  char Query[64];
  std::snprintf(Query, sizeof(Query), "\\\\StringFileInfo\\\\%04X%04X\\\\FileVersion",
                unsigned(Language), unsigned(CodePage));
  void* Text = nullptr;
  UINT Length = 0;
  if (!VerQueryValueA(Block, Query, &Text, &Length)) return std::string();
  const char* Characters = static_cast<const char*>(Text);
  return NormalizedVersion(std::string(Characters, strnlen(Characters, Length)), Full);
}

std::string AppVersionString(bool Full, const std::string& Suffix) {
  try {
    return FileVersionString(AppFileName(), Full) + Suffix;
  } catch (...) {
    return Suffix;
  }
}
