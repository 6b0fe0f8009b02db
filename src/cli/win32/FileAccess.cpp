// Windows: files through their handles. A file replaced takes the
// permissions its folder gives new files.
#include "FileAccess.h"

#include <algorithm>

#include "SystemError.h"
#include "WinCompat.h"

namespace {

constexpr DWORD kReadChunk = 1 << 20;

// A handle closed when it goes.
class TFile {
 public:
  explicit TFile(HANDLE Handle) : FHandle(Handle) {}
  ~TFile() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
  }
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  HANDLE Handle() const { return FHandle; }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
  // Closes now: whether the last writes reached the file.
  bool Close() {
    const HANDLE Handle = FHandle;
    FHandle = INVALID_HANDLE_VALUE;
    return CloseHandle(Handle) != 0;
  }

 private:
  HANDLE FHandle;
};

// Reads up to Length, the size the file had when opened: one that another
// program keeps appending to still ends.
std::string ReadAll(HANDLE Handle, std::size_t Length, std::string& Bytes) {
  Bytes.resize(Length);
  for (std::size_t Size = 0; Size < Length;) {
    DWORD Count = 0;
    const DWORD Chunk = static_cast<DWORD>(std::min<std::size_t>(Length - Size, kReadChunk));
    if (!ReadFile(Handle, Bytes.data() + Size, Chunk, &Count, nullptr))
      return LastSystemErrorMessage();
    if (Count == 0) {
      Bytes.resize(Size);
      break;
    }
    Size += Count;
  }
  return std::string();
}

bool WriteAll(HANDLE Handle, const std::string& Bytes) {
  for (std::size_t Done = 0; Done < Bytes.size();) {
    DWORD Count = 0;
    const DWORD Chunk = static_cast<DWORD>(std::min<std::size_t>(Bytes.size() - Done, kReadChunk));
    if (!WriteFile(Handle, Bytes.data() + Done, Chunk, &Count, nullptr)) return false;
    Done += Count;
  }
  return true;
}

}  // namespace

std::string ReadFileContent(const std::string& FileName, std::string& Bytes) {
  const DWORD Attributes = GetFileAttributesA(FileName.c_str());
  if (Attributes == INVALID_FILE_ATTRIBUTES) return LastSystemErrorMessage();
  if (Attributes & FILE_ATTRIBUTE_DIRECTORY) return kFolderReason;
  TFile File(CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!File.Valid()) return LastSystemErrorMessage();
  if (GetFileType(File.Handle()) != FILE_TYPE_DISK) return kNotRegularReason;
  LARGE_INTEGER Size;
  if (!GetFileSizeEx(File.Handle(), &Size)) return LastSystemErrorMessage();
  if (static_cast<std::uint64_t>(Size.QuadPart) > kLargestReadFile) return kTooLargeReason;
  return ReadAll(File.Handle(), static_cast<std::size_t>(Size.QuadPart), Bytes);
}

// A device (NUL, CON, COM1) or a pipe answers to its name without being a
// file on a disk.
std::string ReplaceableReason(const std::string& FileName) {
  const DWORD Attributes = GetFileAttributesA(FileName.c_str());
  if (Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY))
    return kFolderReason;
  TFile File(CreateFileA(FileName.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!File.Valid() || GetFileType(File.Handle()) == FILE_TYPE_DISK) return std::string();
  return kNotRegularReason;
}

std::string CreateFileWith(const std::string& NewFile, const std::string& Bytes,
                           const std::string& /*Model*/) {
  TFile File(CreateFileA(NewFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!File.Valid()) return LastSystemErrorMessage();
  if (WriteAll(File.Handle(), Bytes) && File.Close()) return std::string();
  const std::string Failure = LastSystemErrorMessage();
  if (File.Valid()) File.Close();
  DeleteFileA(NewFile.c_str());
  return Failure;
}
