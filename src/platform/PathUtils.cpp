#include "PathUtils.h"

#include "PathDelimiter.h"

namespace {

std::string EnsureTrailing(const std::string& Path, char Delimiter) {
  if (Path.empty() || Path.back() == Delimiter) return Path;
  return Path + Delimiter;
}

std::string Join(const std::string& Folder, const std::string& Name, char Delimiter) {
  if (Name.empty()) return Folder;
  if (Name.front() == Delimiter) return Folder + Name;
  return EnsureTrailing(Folder, Delimiter) + Name;
}

}  // namespace

std::string EnsureTrailingBackslash(const std::string& Path) { return EnsureTrailing(Path, '\\'); }

std::string JoinPath(const std::string& Folder, const std::string& Name) {
  return Join(Folder, Name, '\\');
}

std::string JoinDesktopPath(const std::string& Folder, const std::string& Name) {
  return Join(Folder, Name, kPathDelimiter);
}

std::string ExtractFilePath(const std::string& FileName) {
  const size_t Last = FileName.find_last_of(kPathDelimiters);
  return Last == std::string::npos ? std::string() : FileName.substr(0, Last + 1);
}
