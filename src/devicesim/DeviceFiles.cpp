#include "DeviceFiles.h"

#include <algorithm>

namespace {

bool SameName(std::string_view Left, std::string_view Right) {
  auto Lower = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; };
  return std::equal(Left.begin(), Left.end(), Right.begin(), Right.end(),
                    [&](char A, char B) { return Lower(A) == Lower(B); });
}

// The entry of Folder named Name in any letter case; none when missing.
std::optional<std::filesystem::path> EntryNamed(const std::filesystem::path& Folder,
                                                std::string_view Name) {
  std::error_code Error;
  std::filesystem::path Exact = Folder / Name;
  if (std::filesystem::exists(Exact, Error)) return Exact;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder, Error))
    if (SameName(Entry.path().filename().string(), Name)) return Entry.path();
  return std::nullopt;
}

// Reads until Size bytes arrived or the file ended.
bool ReadFully(std::ifstream& Content, char* Buffer, size_t Size, size_t& Done) {
  Content.read(Buffer, static_cast<std::streamsize>(Size));
  Done = static_cast<size_t>(Content.gcount());
  if (Content.bad()) return false;
  // The end of the file is no failure: later reads deliver nothing.
  Content.clear();
  return true;
}

}  // namespace

TDeviceFiles::TDeviceFiles(std::filesystem::path Root, const TDeviceSettings& Settings)
    : FRoot(std::move(Root)), FSettings(Settings) {}

TDeviceFiles::~TDeviceFiles() { CloseAll(); }

std::optional<std::filesystem::path> TDeviceFiles::DiskPath(std::string_view DevicePath) const {
  if (DevicePath.empty() || DevicePath.front() != '\\') return std::nullopt;
  std::filesystem::path Current = FRoot;
  size_t Start = 1;
  while (true) {
    size_t End = DevicePath.find('\\', Start);
    std::string_view Name = DevicePath.substr(Start, End == DevicePath.npos ? End : End - Start);
    if (Name.empty() || Name == "." || Name == ".." || Name.find_first_of("/:") != Name.npos)
      return std::nullopt;
    std::optional<std::filesystem::path> Entry = EntryNamed(Current, Name);
    if (!Entry) return std::nullopt;
    Current = *Entry;
    if (End == DevicePath.npos) return Current;
    Start = End + 1;
  }
}

HANDLE TDeviceFiles::Open(std::string_view DevicePath, DWORD Access, DWORD Disposition) {
  if (Access != GENERIC_READ || Disposition != OPEN_EXISTING) return INVALID_HANDLE_VALUE;
  std::optional<std::filesystem::path> Path = DiskPath(DevicePath);
  std::error_code Error;
  if (!Path || !std::filesystem::is_regular_file(*Path, Error)) return INVALID_HANDLE_VALUE;
  auto Content = std::make_unique<std::ifstream>(*Path, std::ios::binary);
  if (!Content->is_open()) return INVALID_HANDLE_VALUE;
  FLastHandle += 4;
  HANDLE File = reinterpret_cast<HANDLE>(FLastHandle);
  FOpen[File] = {std::move(Content), FSettings.ReadsFailAfter()};
  return File;
}

bool TDeviceFiles::Read(HANDLE File, void* Buffer, DWORD Size, DWORD& Done) {
  auto Found = FOpen.find(File);
  if (Found == FOpen.end()) return false;
  TOpenFile& Open = Found->second;
  if (Open.Budget && *Open.Budget == 0) return false;
  size_t Wanted = Open.Budget ? std::min<std::uint64_t>(Size, *Open.Budget) : Size;
  size_t Got = 0;
  if (!ReadFully(*Open.Content, static_cast<char*>(Buffer), Wanted, Got)) return false;
  if (Open.Budget) *Open.Budget -= Got;
  Done = static_cast<DWORD>(Got);
  return true;
}

bool TDeviceFiles::Close(HANDLE File) { return FOpen.erase(File) != 0; }

void TDeviceFiles::CloseAll() { FOpen.clear(); }
