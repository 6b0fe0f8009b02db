// Windows: the journal in the user's application data,
// "%APPDATA%\ZQTTweaker\zqttweak.journal", written as a new file that takes
// the journal's name once flushed to the disk. A link (a reparse point) or a
// folder at its name is refused.
#include "CommandJournal.h"
#include "SystemError.h"
#include "WinCompat.h"

namespace {

constexpr const char* kLinkReason = "it is a link";
constexpr const char* kNotRegularReason = "it is not a regular file";

// A handle closed when it goes.
class THandle {
 public:
  explicit THandle(HANDLE Handle) : FHandle(Handle) {}
  ~THandle() {
    if (Valid()) CloseHandle(FHandle);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  HANDLE Handle() const { return FHandle; }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }

 private:
  HANDLE FHandle;
};

bool WriteWhole(HANDLE File, const std::string& Bytes) {
  DWORD Written = 0;
  return WriteFile(File, Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr) &&
         Written == Bytes.size() && FlushFileBuffers(File);
}

}  // namespace

std::string JournalFileName(std::string& Failure) {
  char Folder[MAX_PATH];
  const DWORD Length = GetEnvironmentVariableA("APPDATA", Folder, sizeof Folder);
  if (Length == 0 || Length >= sizeof Folder) {
    Failure = "the user has no application data folder (APPDATA is not set)";
    return std::string();
  }
  const std::string Own = std::string(Folder) + "\\ZQTTweaker";
  if (!CreateDirectoryA(Own.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    Failure = Own + ": " + LastSystemErrorMessage();
  return Own + "\\zqttweak.journal";
}

// The new file is made, never opened: whatever is at its name (a link
// among them) is removed itself first, and a name taken meanwhile fails.
std::string WriteJournalFile(const std::string& FileName, const std::string& Bytes) {
  const std::string NewFile = FileName + "-new";
  if (!DeleteFileA(NewFile.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
    return NewFile + ": " + LastSystemErrorMessage();
  {
    THandle File(CreateFileA(NewFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!File.Valid()) return NewFile + ": " + LastSystemErrorMessage();
    if (!WriteWhole(File.Handle(), Bytes)) {
      const std::string Failure = LastSystemErrorMessage();
      DeleteFileA(NewFile.c_str());
      return NewFile + ": " + Failure;
    }
  }
  if (!MoveFileExA(NewFile.c_str(), FileName.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const std::string Failure = LastSystemErrorMessage();
    DeleteFileA(NewFile.c_str());
    return FileName + ": " + Failure;
  }
  return std::string();
}

// Read to its end, as long as that stays within kLargestJournal.
std::string ReadJournalFile(const std::string& FileName, bool& Found, std::string& Bytes) {
  const DWORD Attributes = GetFileAttributesA(FileName.c_str());
  Found = Attributes != INVALID_FILE_ATTRIBUTES;
  if (!Found) {
    const DWORD Error = GetLastError();
    return Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND
               ? std::string()
               : LastSystemErrorMessage();
  }
  if (Attributes & FILE_ATTRIBUTE_REPARSE_POINT) return kLinkReason;
  if (Attributes & FILE_ATTRIBUTE_DIRECTORY) return kNotRegularReason;
  THandle File(CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!File.Valid()) return LastSystemErrorMessage();
  if (GetFileType(File.Handle()) != FILE_TYPE_DISK) return kNotRegularReason;
  Bytes.clear();
  char Chunk[4096];
  for (DWORD Count = 1; Count != 0;) {
    if (!ReadFile(File.Handle(), Chunk, sizeof Chunk, &Count, nullptr))
      return LastSystemErrorMessage();
    Bytes.append(Chunk, Count);
    if (Bytes.size() > kLargestJournal) return kTooLargeJournalReason;
  }
  return std::string();
}

std::string RemoveJournalFile(const std::string& FileName) {
  if (DeleteFileA(FileName.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return std::string();
  return LastSystemErrorMessage();
}
