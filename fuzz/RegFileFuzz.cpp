// Any bytes, taken as a registry file, go through the reading of option
// files: the decoding, the lines, and the check of every value against the
// catalogue, for either registry. A refusal is an answer; a value accepted
// that no option of that registry can take, or a file that reads back
// differently from the text written of it, is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "OptionsFile.h"

namespace {

using enum TTweakOptionTarget;

bool SameContent(const TRegFile& A, const TRegFile& B) {
  if (A.Side != B.Side || A.Keys.size() != B.Keys.size()) return false;
  for (std::size_t Key = 0; Key < A.Keys.size(); ++Key) {
    const auto& ValuesA = A.Keys[Key].Values;
    const auto& ValuesB = B.Keys[Key].Values;
    if (A.Keys[Key].Path != B.Keys[Key].Path || ValuesA.size() != ValuesB.size()) return false;
    for (std::size_t Value = 0; Value < ValuesA.size(); ++Value)
      if (ValuesA[Value].Name != ValuesB[Value].Name ||
          ValuesA[Value].Data != ValuesB[Value].Data ||
          ValuesA[Value].OtherData != ValuesB[Value].OtherData)
        return false;
  }
  return true;
}

void CheckValuesFor(const std::string& Bytes, TTweakOptionTarget Side) {
  try {
    for (const TOptionValue& Value : OptionsIn(Bytes, Side).Values)
      if (Value.Row->Target != Side || !Value.Row->Kind->Holds(Value.Value)) __builtin_trap();
  } catch (const ERegFileError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  TRegFile File;
  try {
    File = ParseRegFile(Bytes);
  } catch (const ERegFileError&) {
    return 0;
  }
  CheckValuesFor(Bytes, otDesktop);
  CheckValuesFor(Bytes, otDevice);
  if (!SameContent(File, ParseRegFile(RegFileBytes(RegFileText(File))))) __builtin_trap();
  return 0;
}
