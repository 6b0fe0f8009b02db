// The Win32 version information functions, reading the version block from
// the executable's ELF section, and the running executable's own name.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "ElfSection.h"
#include "VersionBlock.h"

namespace {

// A version block is at most 64 KiB long: its length is one 16-bit word.
constexpr std::size_t kMaxSectionSize = 0xFFFF;

bool ReadVersionSection(LPCSTR FileName, std::vector<BYTE>& Section) {
  return FileName && ReadElfSection(FileName, kVersionSectionName, kMaxSectionSize, Section);
}

}  // namespace

extern "C" DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle) {
  if (lpdwHandle) *lpdwHandle = 0;
  try {
    std::vector<BYTE> Section;
    return ReadVersionSection(lptstrFilename, Section) ? VersionInfoBufferSize(Section) : 0;
  } catch (...) {
    return 0;
  }
}

extern "C" BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD /*dwHandle*/, DWORD dwLen,
                                    LPVOID lpData) {
  try {
    std::vector<BYTE> Section;
    return ReadVersionSection(lptstrFilename, Section) &&
                   FillVersionInfoBuffer(Section, dwLen, lpData)
               ? TRUE
               : FALSE;
  } catch (...) {
    return FALSE;
  }
}

// Only the executable (hModule NULL) has a name here. As on Windows, a name
// too long for the buffer is cut, ends with a NUL, and the result is nSize.
extern "C" DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule || !lpFilename || nSize == 0) return 0;
  char Name[4096];
  const ssize_t Length = readlink("/proc/self/exe", Name, sizeof(Name));
  if (Length <= 0 || Length == sizeof(Name)) return 0;
  const DWORD Copied = std::min<DWORD>(static_cast<DWORD>(Length), nSize - 1);
  std::memcpy(lpFilename, Name, Copied);
  lpFilename[Copied] = '\0';
  return Copied < static_cast<DWORD>(Length) ? nSize : Copied;
}
