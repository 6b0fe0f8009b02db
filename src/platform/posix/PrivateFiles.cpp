#include "PrivateFiles.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;

// The umask may have taken rights from a new folder: its mode is set again.
bool MakeFolder(const std::filesystem::path& Folder) {
  if (mkdir(Folder.c_str(), kPrivateFolder) != 0) return errno == EEXIST;
  return chmod(Folder.c_str(), kPrivateFolder) == 0;
}

}  // namespace

bool CreatePrivateFolders(const std::string& File) {
  const std::filesystem::path Folder = std::filesystem::path(File).parent_path();
  std::error_code Unknown;
  if (Folder.empty() || std::filesystem::exists(Folder, Unknown)) return true;
  return CreatePrivateFolders(Folder.string()) && MakeFolder(Folder);
}

bool CreatePrivateFile(const std::string& File) {
  const int Made = open(File.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFile);
  if (Made < 0) return errno == EEXIST;
  const bool Private = fchmod(Made, kPrivateFile) == 0;
  close(Made);
  return Private;
}
