#include "DeviceFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

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
    if (SameName(Entry.path().filename().native(), Name)) return Entry.path();
  return std::nullopt;
}

// Reads until Size bytes arrived or the file ended.
bool ReadFully(int Descriptor, char* Buffer, size_t Size, size_t& Done) {
  Done = 0;
  while (Done < Size) {
    ssize_t Got = read(Descriptor, Buffer + Done, Size - Done);
    if (Got == 0) return true;
    if (Got < 0 && errno == EINTR) continue;
    if (Got < 0) return false;
    Done += static_cast<size_t>(Got);
  }
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
    if (Name.empty() || Name == "." || Name == ".." || Name.find('/') != std::string_view::npos)
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
  if (!Path) return INVALID_HANDLE_VALUE;
  int Descriptor = open(Path->c_str(), O_RDONLY | O_CLOEXEC);
  if (Descriptor < 0) return INVALID_HANDLE_VALUE;
  struct stat Info;
  if (fstat(Descriptor, &Info) != 0 || !S_ISREG(Info.st_mode)) {
    close(Descriptor);
    return INVALID_HANDLE_VALUE;
  }
  FLastHandle += 4;
  HANDLE File = reinterpret_cast<HANDLE>(FLastHandle);
  FOpen[File] = {Descriptor, FSettings.ReadsFailAfter()};
  return File;
}

bool TDeviceFiles::Read(HANDLE File, void* Buffer, DWORD Size, DWORD& Done) {
  auto Found = FOpen.find(File);
  if (Found == FOpen.end()) return false;
  TOpenFile& Open = Found->second;
  if (Open.Budget && *Open.Budget == 0) return false;
  size_t Wanted = Open.Budget ? std::min<std::uint64_t>(Size, *Open.Budget) : Size;
  size_t Got = 0;
  if (!ReadFully(Open.Descriptor, static_cast<char*>(Buffer), Wanted, Got)) return false;
  if (Open.Budget) *Open.Budget -= Got;
  Done = static_cast<DWORD>(Got);
  return true;
}

bool TDeviceFiles::Close(HANDLE File) {
  auto Found = FOpen.find(File);
  if (Found == FOpen.end()) return false;
  close(Found->second.Descriptor);
  FOpen.erase(Found);
  return true;
}

void TDeviceFiles::CloseAll() {
  for (const auto& [File, Open] : FOpen) close(Open.Descriptor);
  FOpen.clear();
}
