// Writes the version block of our executables for a version such as
// "1.9.1.0", as the bytes themselves or as a C++ source that puts them into
// the executable's ".versioninfo" section:
//   zqt_version_block --binary|--source VERSION OUTPUT
#include <cstdio>
#include <fstream>
#include <string>

#include "VersionInfoWriter.h"

namespace {

void WriteSource(const std::vector<std::uint8_t>& Block, std::ofstream& Out) {
  Out << "// Generated at build time: the version resource of this executable.\n"
         "__attribute__((section(\".versioninfo\"), used, retain, aligned(4)))\n"
         "static const unsigned char kVersionInfo[] = {";
  for (std::size_t Index = 0; Index < Block.size(); ++Index)
    Out << (Index % 16 == 0 ? "\n   " : "") << ' ' << unsigned(Block[Index]) << ',';
  Out << "\n};\n";
}

}  // namespace

int main(int Count, char** Arguments) {
  const std::string Mode = Count == 4 ? Arguments[1] : "";
  if (Mode != "--binary" && Mode != "--source") {
    std::fprintf(stderr, "usage: %s --binary|--source VERSION OUTPUT\n", Arguments[0]);
    return 2;
  }
  const auto Block = VersionBlockBytes(ProgramVersionInfo(Arguments[2]));
  std::ofstream Out(Arguments[3], std::ios::binary | std::ios::trunc);
  if (Mode == "--binary")
    Out.write(reinterpret_cast<const char*>(Block.data()), Block.size());
  else
    WriteSource(Block, Out);
  Out.close();
  return Out ? 0 : 1;
}
