#include "PrivateFiles.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;

// The umask may have taken rights from a new folder: its mode is set again.
bool MakeFolder(const std::filesystem::path& Folder) {
  if (mkdir(Folder.c_str(), kPrivateFolder) != 0) return errno == EEXIST;
  return chmod(Folder.c_str(), kPrivateFolder) == 0;
}

// A new file at File, never through a link (O_EXCL); -1 with errno when
// something is there or it could not be made.
int MakeNewFile(const std::string& File, int Flags) {
  const int Made = open(File.c_str(), Flags | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFile);
  if (Made < 0 || fchmod(Made, kPrivateFile) == 0) return Made;
  const int Error = errno;
  close(Made);
  errno = Error;
  return -1;
}

// Why what was opened is not one of the user's files; empty when it is.
std::string RefusalOf(int Handle) {
  struct stat Info;
  if (fstat(Handle, &Info) != 0) return std::strerror(errno);
  if (!S_ISREG(Info.st_mode)) return "it is not a regular file";
  if (Info.st_uid != geteuid()) return "it belongs to another user";
  return std::string();
}

// Opens what is at File without following a link, or makes it when Create
// and nothing is there. O_NONBLOCK: a FIFO opens at once, to be refused.
int OpenOrMake(const std::string& File, int Access, bool Create) {
  const int Flags = Access | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
  for (;;) {
    if (Create) {
      const int Made = MakeNewFile(File, Flags);
      if (Made >= 0 || errno != EEXIST) return Made;
    }
    const int Opened = open(File.c_str(), Flags);
    // Gone between the two opens: made again.
    if (Opened >= 0 || errno != ENOENT || !Create) return Opened;
  }
}

}  // namespace

bool IsLink(const std::string& File) {
  struct stat Info;
  return lstat(File.c_str(), &Info) == 0 && S_ISLNK(Info.st_mode);
}

bool CreatePrivateFolders(const std::string& File) {
  const std::filesystem::path Folder = std::filesystem::path(File).parent_path();
  std::error_code Unknown;
  if (Folder.empty() || std::filesystem::exists(Folder, Unknown)) return true;
  return CreatePrivateFolders(Folder.string()) && MakeFolder(Folder);
}

bool CreatePrivateFile(const std::string& File) {
  const int Made = MakeNewFile(File, O_WRONLY);
  if (Made < 0) return errno == EEXIST;
  close(Made);
  return true;
}

int OpenPrivateFile(const std::string& File, bool ForWriting, bool Create, std::string& Failure) {
  const int Handle = OpenOrMake(File, ForWriting ? O_RDWR : O_RDONLY, Create);
  if (Handle < 0) {
    const bool Link = errno == ELOOP && IsLink(File);
    Failure = Link ? "it is a symbolic link" : std::strerror(errno);
    if (Link) errno = 0;
    return -1;
  }
  Failure = RefusalOf(Handle);
  if (!Failure.empty()) {
    close(Handle);
    errno = 0;
    return -1;
  }
  fcntl(Handle, F_SETFL, fcntl(Handle, F_GETFL) & ~O_NONBLOCK);
  return Handle;
}
