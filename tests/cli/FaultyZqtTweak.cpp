// zqttweak with one fault among the registry calls of both registries,
// counted together in the order they are made (each opening of a key to
// look at it, reading, writing or deleting of a value, deleting of a key):
// ZQT_FAIL_CALL=N fails the Nth call, with the registry's code for a failed
// read or write; ZQT_END_AT_CALL=N ends the program right after the Nth, as
// a kill would, without anything after it (exit status kEndedAtCall). A
// program that ends before the call says so last (kFaultNotReached).
#include "FaultyZqtTweak.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "ConsoleInteraction.h"
#include "RegistryCallsFilter.h"
#include "TweakCommands.h"

namespace {

long Setting(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? std::strtol(Value, nullptr, 10) : 0;
}

const long kFailAt = Setting(kFailCallVariable);
const long kEndAt = Setting(kEndAtCallVariable);
long GCallsMade = 0;

class TFaultyCalls : public TRegistryCalls {
 public:
  explicit TFaultyCalls(TRegistryCalls& Calls) : FCalls(Calls) {}

  LONG ProbeKey(const std::string& Key) override {
    return Call(ERROR_CANTREAD, [&] { return FCalls.ProbeKey(Key); });
  }
  LONG QueryValue(const std::string& Key, const std::string& Name, DWORD& Type,
                  std::string& Data) override {
    return Call(ERROR_CANTREAD, [&] { return FCalls.QueryValue(Key, Name, Type, Data); });
  }
  LONG SetValue(const std::string& Key, const std::string& Name, DWORD Type,
                const std::string& Data) override {
    return Call(ERROR_CANTWRITE, [&] { return FCalls.SetValue(Key, Name, Type, Data); });
  }
  LONG DeleteValue(const std::string& Key, const std::string& Name) override {
    return Call(ERROR_CANTWRITE, [&] { return FCalls.DeleteValue(Key, Name); });
  }
  LONG DeleteKey(const std::string& Key) override {
    return Call(ERROR_CANTWRITE, [&] { return FCalls.DeleteKey(Key); });
  }
  void RaiseReadFailure(const std::string& Name, LONG Code) override {
    FCalls.RaiseReadFailure(Name, Code);
  }
  void RaiseWriteFailure(const std::string& Name, LONG Code) override {
    FCalls.RaiseWriteFailure(Name, Code);
  }

 private:
  template <typename TMake>
  LONG Call(LONG Failure, TMake Make) {
    if (++GCallsMade == kFailAt) return Failure;
    const LONG Result = Make();
    if (GCallsMade == kEndAt) std::_Exit(kEndedAtCall);
    return Result;
  }

  TRegistryCalls& FCalls;
};

}  // namespace

int main(int argc, char** argv) {
  TConsoleInteraction Interaction(std::cerr);
  SetUserInteraction(&Interaction);
  SetRegistryCallsFilter(
      [](TRegistryCalls& Calls) { return std::make_unique<TFaultyCalls>(Calls); });
  const int ExitCode = RunTweakCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout);
  if (std::max(kFailAt, kEndAt) > GCallsMade) std::cerr << kFaultNotReached << '\n';
  SetUserInteraction(nullptr);
  return ExitCode;
}
