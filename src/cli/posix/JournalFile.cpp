// Linux: the journal beside the desktop registry store, "<store>.journal",
// written as a new file that takes the journal's name once synced, in a
// folder synced after each change of its names.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "CommandJournal.h"
#include "FileDescriptor.h"
#include "PrivateFiles.h"
#include "RegistryHandles.h"
#include "StoreFiles.h"
#include "SystemError.h"

namespace {

std::string SyncFolderOf(const std::string& FileName) {
  const std::string Folder = std::filesystem::path(FileName).parent_path().string();
  TDescriptor Handle(
      open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!Handle.Valid() || fsync(Handle.Handle()) != 0) return LastSystemErrorMessage();
  return std::string();
}

}  // namespace

std::string JournalFileName(std::string& Failure) {
  const std::string Store = DesktopRegistryStore()->FileName();
  if (Store.empty()) Failure = "the user has no home folder";
  return StoreCompanionFile(Store, TStoreCompanion::Journal);
}

std::string WriteJournalFile(const std::string& FileName, const std::string& Bytes) {
  const std::string NewFile = FileName + "-new";
  if (unlink(NewFile.c_str()) != 0 && errno != ENOENT)
    return NewFile + ": " + LastSystemErrorMessage();
  TDescriptor File(
      open(NewFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!File.Valid()) return NewFile + ": " + LastSystemErrorMessage();
  if (fchmod(File.Handle(), 0600) != 0 ||
      !WriteAll(File.Handle(), Bytes.data(), static_cast<ssize_t>(Bytes.size())) ||
      fsync(File.Handle()) != 0 || !File.Close()) {
    const std::string Failure = LastSystemErrorMessage();
    unlink(NewFile.c_str());
    return NewFile + ": " + Failure;
  }
  if (rename(NewFile.c_str(), FileName.c_str()) != 0) {
    const std::string Failure = LastSystemErrorMessage();
    unlink(NewFile.c_str());
    return FileName + ": " + Failure;
  }
  const std::string Failure = SyncFolderOf(FileName);
  return Failure.empty() ? Failure : FileName + ": " + Failure;
}

// Read to its end, as long as that stays within kLargestJournal.
std::string ReadJournalFile(const std::string& FileName, bool& Found, std::string& Bytes) {
  struct stat Info;
  Found = lstat(FileName.c_str(), &Info) == 0;
  if (!Found) return errno == ENOENT ? std::string() : LastSystemErrorMessage();
  std::string Failure;
  TDescriptor File(OpenPrivateFile(FileName, false, false, Failure));
  if (!File.Valid()) return Failure;
  Bytes.clear();
  char Chunk[4096];
  for (ssize_t Count; (Count = read(File.Handle(), Chunk, sizeof Chunk)) != 0;) {
    if (Count < 0 && errno == EINTR) continue;
    if (Count < 0) return LastSystemErrorMessage();
    Bytes.append(Chunk, static_cast<std::size_t>(Count));
    if (Bytes.size() > kLargestJournal) return kTooLargeJournalReason;
  }
  return std::string();
}

std::string RemoveJournalFile(const std::string& FileName) {
  if (unlink(FileName.c_str()) != 0 && errno != ENOENT) return LastSystemErrorMessage();
  return SyncFolderOf(FileName);
}
