// Any bytes, taken as the content of an executable's version section, go
// through the version functions: the buffer GetFileVersionInfoA fills, the
// values VerQueryValueA hands out, and the version text read from them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "VersionBlock.h"
#include "miniUtils.h"

namespace {

// A value handed out must lie inside the buffer it was asked from.
void QueryInside(const std::vector<BYTE>& Buffer, const char* Query) {
  void* Value = nullptr;
  UINT Length = 0;
  if (!VerQueryValueA(Buffer.data(), Query, &Value, &Length)) return;
  const BYTE* First = static_cast<const BYTE*>(Value);
  const std::size_t Room = Buffer.size();
  if (First < Buffer.data() || Length > Room ||
      static_cast<std::size_t>(First - Buffer.data()) > Room - Length)
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::vector<BYTE> Section(Data, Data + Size);
  const DWORD BufferSize = VersionInfoBufferSize(Section);
  if (BufferSize == 0) return 0;
  std::vector<BYTE> Buffer(BufferSize);
  if (!FillVersionInfoBuffer(Section, BufferSize, Buffer.data())) __builtin_trap();
  VersionTextOf(Buffer.data(), true);
  VersionTextOf(Buffer.data(), false);
  for (const char* Query : {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904E4",
                            "\\\\StringFileInfo\\\\040904E4\\\\ProductName"})
    QueryInside(Buffer, Query);
  return 0;
}
