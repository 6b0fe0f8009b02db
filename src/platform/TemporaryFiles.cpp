#include "TemporaryFiles.h"

#include <cstdio>
#include <random>

#include "WinCompat.h"

std::string TemporaryNameBeside(const std::string& Target) {
  thread_local std::mt19937_64 Random{std::random_device{}()};
  char Suffix[32];
  std::snprintf(Suffix, sizeof(Suffix), ".%016llx.tmp", static_cast<unsigned long long>(Random()));
  return Target + Suffix;
}

bool PutTemporaryInPlace(const std::string& Temporary, const std::string& Target,
                         bool ReplaceExisting) {
  const DWORD Flags = MOVEFILE_WRITE_THROUGH | (ReplaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
  if (MoveFileExA(Temporary.c_str(), Target.c_str(), Flags)) return true;
  DeleteFileA(Temporary.c_str());
  return false;
}
