#include "TemporaryFiles.h"

#include <cstdio>
#include <random>

#include "PathUtils.h"
#include "WinCompat.h"

std::string TemporaryNameBeside(const std::string& Target) {
  thread_local std::mt19937_64 Random{std::random_device{}()};
  char Name[32];
  std::snprintf(Name, sizeof(Name), ".zqt%016llx.tmp", static_cast<unsigned long long>(Random()));
  // A name of its own rather than one longer than the target's, so that any
  // target name the file system takes can be copied to.
  return ExtractFilePath(Target) + Name;
}

bool PutTemporaryInPlace(const std::string& Temporary, const std::string& Target,
                         bool ReplaceExisting) {
  const DWORD Flags = MOVEFILE_WRITE_THROUGH | (ReplaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
  if (MoveFileExA(Temporary.c_str(), Target.c_str(), Flags)) return true;
  DeleteFileA(Temporary.c_str());
  return false;
}
