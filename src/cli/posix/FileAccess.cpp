// Linux: files through their descriptors, opened without waiting on a pipe;
// a file replaced keeps its owner where the system lets it, and its mode.
#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "FileDescriptor.h"
#include "SystemError.h"

namespace {

constexpr std::size_t kReadChunk = 1 << 20;

// Reads up to the size the file had when opened: one that another program
// keeps appending to still ends.
std::string ReadAll(int Handle, const struct stat& Info, std::string& Bytes) {
  const std::size_t Length = static_cast<std::size_t>(Info.st_size);
  Bytes.resize(Length);
  for (std::size_t Size = 0; Size < Length;) {
    const ssize_t Count =
        read(Handle, Bytes.data() + Size, std::min<std::size_t>(Length - Size, kReadChunk));
    if (Count < 0 && errno == EINTR) continue;
    if (Count < 0) return LastSystemErrorMessage();
    if (Count == 0) {
      Bytes.resize(Size);
      break;
    }
    Size += static_cast<std::size_t>(Count);
  }
  return std::string();
}

// Gives NewFile the owner and mode of Model when Model is a regular file.
bool TakeOwnerAndMode(int Handle, const std::string& Model) {
  struct stat Info;
  if (lstat(Model.c_str(), &Info) != 0 || !S_ISREG(Info.st_mode)) return true;
  // Only a privileged program may give a file away; the mode is set either way.
  if (fchown(Handle, Info.st_uid, Info.st_gid) != 0) errno = 0;
  return fchmod(Handle, Info.st_mode & 07777) == 0;
}

}  // namespace

std::string ReadFileContent(const std::string& FileName, std::string& Bytes) {
  TDescriptor File(open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat Info;
  if (!File.Valid() || fstat(File.Handle(), &Info) != 0) return LastSystemErrorMessage();
  if (S_ISDIR(Info.st_mode)) return kFolderReason;
  if (!S_ISREG(Info.st_mode)) return kNotRegularReason;
  if (static_cast<std::uint64_t>(Info.st_size) > kLargestReadFile) return kTooLargeReason;
  return ReadAll(File.Handle(), Info, Bytes);
}

std::string ReplaceableReason(const std::string& FileName) {
  struct stat Info;
  if (lstat(FileName.c_str(), &Info) != 0 || S_ISREG(Info.st_mode) || S_ISLNK(Info.st_mode))
    return std::string();
  return S_ISDIR(Info.st_mode) ? kFolderReason : kNotRegularReason;
}

std::string CreateFileWith(const std::string& NewFile, const std::string& Bytes,
                           const std::string& Model) {
  TDescriptor File(open(NewFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!File.Valid()) return LastSystemErrorMessage();
  if (TakeOwnerAndMode(File.Handle(), Model) &&
      WriteAll(File.Handle(), Bytes.data(), static_cast<ssize_t>(Bytes.size())) && File.Close())
    return std::string();
  const std::string Failure = LastSystemErrorMessage();
  unlink(NewFile.c_str());
  return Failure;
}
