#include "PathUtils.h"

std::string EnsureTrailingBackslash(const std::string& Path) {
  if (Path.empty() || Path.back() == '\\') return Path;
  return Path + '\\';
}

std::string JoinPath(const std::string& Folder, const std::string& Name) {
  if (Name.empty()) return Folder;
  if (Name.front() == '\\') return Folder + Name;
  return EnsureTrailingBackslash(Folder) + Name;
}
