#include "TweakCommands.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CommandLine.h"
#include "ConsoleInteraction.h"
#include "LogCollection.h"
#include "OptionText.h"
#include "OptionsFile.h"
#include "TemporaryFiles.h"
#include "TweakSession.h"
#include "miniUtils.h"

namespace {

using enum TTweakAction;
using enum TTweakOptionTarget;

constexpr const char* kAllOptions = "all";

void RefuseCommand(const TOptionValue&, const std::string& Reason) { throw ECommandError(Reason); }

bool AnyOnDevice(const std::vector<TOptionValue>& Values) {
  return std::any_of(Values.begin(), Values.end(),
                     [](const TOptionValue& Value) { return Value.Row->Target == otDevice; });
}

// Writes values, each checked first; the device is reached when one of
// them lives there.
int WriteOptions(const std::vector<TOptionValue>& Values) {
  TTweakSession Session(AnyOnDevice(Values));
  Session.Write(Values, RefuseCommand);
  return kExitSuccess;
}

// "ID=VALUE", checked against the catalogue before anything is reached.
TOptionValue Assignment(const std::string& Text) {
  const std::size_t Equals = Text.find('=');
  if (Equals == std::string::npos)
    throw ECommandError("--set expects ID=VALUE, not '" + Text + "'");
  const TOptionRow& Row = OptionRow(Text.substr(0, Equals));
  return {&Row, ParseValue(Row, Text.substr(Equals + 1))};
}

std::string ReadFileBytes(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) throw ECommandError("Cannot read " + FileName);
  std::ostringstream Bytes;
  Bytes << In.rdbuf();
  return Bytes.str();
}

bool WriteBytesTo(const std::string& FileName, const std::string& Bytes) {
  std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
  return Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size())) && Out.flush();
}

// Writes the whole file or, on failure, leaves FileName as it was.
void WriteFileBytes(const std::string& FileName, const std::string& Bytes) {
  const std::string Temporary = TemporaryNameBeside(FileName);
  if (WriteBytesTo(Temporary, Bytes) && PutTemporaryInPlace(Temporary, FileName, true)) return;
  std::error_code Ignored;
  std::filesystem::remove(Temporary, Ignored);
  throw ECommandError("Cannot write " + FileName);
}

int ListOptions(const TTweakCommand& Command, std::ostream& Out) {
  TTweakSession Session(true);
  const std::vector<TOptionValue> Values = Session.Values();
  Out << (Command.Json ? OptionsJson(Values) + "\n" : OptionTable(Values));
  return kExitSuccess;
}

int GetOption(const TTweakCommand& Command, std::ostream& Out) {
  const std::string& Id = Command.Arguments.front();
  TTweakSession Session(OptionRow(Id).Target == otDevice);
  const TOptionValue Value = Session.Value(Id);
  Out << (Command.Json ? OptionJson(Value) : std::to_string(Value.Value)) << '\n';
  return kExitSuccess;
}

int SetOptions(const TTweakCommand& Command) {
  std::vector<TOptionValue> Values;
  for (const std::string& Text : Command.Arguments) Values.push_back(Assignment(Text));
  return WriteOptions(Values);
}

int ResetOptions(const TTweakCommand& Command) {
  const std::string& Id = Command.Arguments.front();
  if (Id != kAllOptions) {
    const TOptionRow& Row = OptionRow(Id);
    return WriteOptions({{&Row, Row.Default}});
  }
  TTweakSession Session(true);
  std::vector<TOptionValue> Defaults;
  for (const TOptionRow* Row : Session.ExistingRows(std::nullopt))
    Defaults.push_back({Row, Row->Default});
  Session.Write(Defaults, RefuseCommand);
  return kExitSuccess;
}

int ExportOptions(const std::string& FileName, TTweakOptionTarget Side) {
  TTweakSession Session(Side == otDevice);
  if (Side == otDevice) Session.RequireDevice();
  WriteFileBytes(FileName, RegFileBytes(RegFileText(RegFileOf(Side, Session.Values(Side)))));
  return kExitSuccess;
}

int ImportOptions(const std::string& FileName, TTweakOptionTarget Side) {
  try {
    const std::vector<TOptionValue> Values = ValuesIn(ParseRegFile(ReadFileBytes(FileName)), Side);
    TTweakSession Session(Side == otDevice);
    if (Side == otDevice) Session.RequireDevice();
    Session.Write(Values, [](const TOptionValue& Value, const std::string& Reason) {
      throw ERegFileError(Value.Line, Reason);
    });
    return kExitSuccess;
  } catch (const ERegFileError& Error) {
    throw ECommandError(FileName + ":" + Error.what());
  }
}

int CollectLogFiles(const std::string& Folder, std::ostream& Out) {
  std::error_code Ignored;
  if (!std::filesystem::is_directory(Folder, Ignored))
    throw ECommandError("No such folder: " + Folder);
  TRapiManager Device;
  TLogCollection Collection(&Device, Folder);
  Collection.Collect();
  Out << ConsoleText(Collection.Report()) << '\n';
  return Collection.AnyCopied() ? kExitSuccess : kExitFailure;
}

int Run(const TTweakCommand& Command, std::ostream& Out) {
  switch (Command.Action) {
    case Help:
      Out << UsageText() << '\n';
      return kExitSuccess;
    case Version:
      Out << "zqttweak " << AppVersionString(false, "") << '\n';
      return kExitSuccess;
    case List:
      return ListOptions(Command, Out);
    case Get:
      return GetOption(Command, Out);
    case Set:
      return SetOptions(Command);
    case Reset:
      return ResetOptions(Command);
    case Export:
      return ExportOptions(Command.Arguments.front(), otDesktop);
    case ExportDevice:
      return ExportOptions(Command.Arguments.front(), otDevice);
    case Import:
      return ImportOptions(Command.Arguments.front(), otDesktop);
    case ImportDevice:
      return ImportOptions(Command.Arguments.front(), otDevice);
    case CollectLogs:
      return CollectLogFiles(Command.Arguments.front(), Out);
  }
  return kExitUsage;
}

}  // namespace

int RunTweakCommand(const std::vector<std::string>& Arguments, std::ostream& Out) {
  TTweakCommand Command;
  try {
    Command = ParseCommandLine(Arguments);
  } catch (const EUsageError& Error) {
    UserInteraction().ShowError(std::string(Error.what()) + "\n\n" + UsageText());
    return kExitUsage;
  }
  try {
    return Run(Command, Out);
  } catch (const std::exception& Error) {
    UserInteraction().ShowError(Error.what());
    return kExitFailure;
  }
}
