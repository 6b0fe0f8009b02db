#include "TweakCommands.h"

#include <algorithm>
#include <filesystem>

#include "CommandLine.h"
#include "ConsoleInteraction.h"
#include "FileAccess.h"
#include "IntegerConversion.h"
#include "LogCollection.h"
#include "OptionText.h"
#include "OptionsFile.h"
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
  TTweakSession Session(AnyOnDevice(Values), TLockMode::Write);
  Session.Write(Values, RefuseCommand);
  return kExitSuccess;
}

// "ID=VALUE", checked against the catalogue before anything is reached.
TOptionValue Assignment(const std::string& Text) {
  const std::size_t Equals = Text.find('=');
  if (Equals == std::string::npos || Equals == 0)
    throw EUsageError("--set expects ID=VALUE, not '" + Text + "'");
  const TOptionRow& Row = OptionRow(Text.substr(0, Equals));
  try {
    return {&Row, ParseValue(Row, Text.substr(Equals + 1))};
  } catch (const EConvertError& Error) {
    throw EUsageError(Error.what());
  }
}

// Where a message about a file points: the file, and its line when known.
std::string FilePlace(const std::string& FileName, int Line) {
  return Line > 0 ? FileName + ":" + std::to_string(Line) + ": " : FileName + ": ";
}

int ListOptions(const TTweakCommand& Command, std::ostream& Out) {
  TTweakSession Session(true, TLockMode::Read);
  const std::vector<TOptionValue> Values = Session.Values();
  Out << (Command.Json ? OptionsJson(Values) + "\n" : OptionTable(Values));
  return kExitSuccess;
}

int GetOption(const TTweakCommand& Command, std::ostream& Out) {
  const std::string& Id = Command.Arguments.front();
  TTweakSession Session(OptionRow(Id).Target == otDevice, TLockMode::Read);
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
  TTweakSession Session(true, TLockMode::Write);
  std::vector<TOptionValue> Defaults;
  for (const TOptionRow* Row : Session.ExistingRows(std::nullopt))
    Defaults.push_back({Row, Row->Default});
  Session.Write(Defaults, RefuseCommand);
  return kExitSuccess;
}

int ExportOptions(const std::string& FileName, TTweakOptionTarget Side) {
  TTweakSession Session(Side == otDevice, TLockMode::Read);
  if (Side == otDevice) Session.RequireDevice();
  ReplaceWholeFile(FileName, RegFileBytes(RegFileText(RegFileOf(Side, Session.Values(Side)))));
  return kExitSuccess;
}

// The file is read and checked whole before the registry is reached.
int ImportOptions(const std::string& FileName, TTweakOptionTarget Side) {
  try {
    const TOptionsInFile Found = OptionsIn(ReadRegularFile(FileName), Side);
    TTweakSession Session(Side == otDevice, TLockMode::Write);
    if (Side == otDevice) Session.RequireDevice();
    Session.Write(Found.Values, [](const TOptionValue& Value, const std::string& Reason) {
      throw ERegFileError(Value.Line, Reason);
    });
    for (const TSkippedPart& Part : Found.Skipped)
      UserInteraction().ShowMessage(FilePlace(FileName, Part.Line) + "skipped: " + Part.Reason);
    return kExitSuccess;
  } catch (const ERegFileError& Error) {
    throw ECommandError(FilePlace(FileName, Error.Line()) + Error.Reason());
  }
}

void CheckFolder(const std::string& Folder) {
  std::error_code Error;
  const std::filesystem::file_status Status = std::filesystem::status(Folder, Error);
  if (Error) throw ECommandError("Cannot collect into " + Folder + ": " + Error.message());
  if (!std::filesystem::is_directory(Status))
    throw ECommandError("Cannot collect into " + Folder + ": it is not a folder");
}

// The report is the dialog's; each file that was found but not copied is
// named on its own with the reason, and fails the command.
int CollectLogFiles(const std::string& Folder, std::ostream& Out) {
  CheckFolder(Folder);
  TRapiManager Device;
  TLogCollection Collection(&Device, Folder);
  Collection.Collect();
  if (Collection.AnyCopied() || Collection.Failures().empty())
    Out << ConsoleText(Collection.Report()) << '\n';
  for (const std::string& Failure : Collection.Failures()) UserInteraction().ShowError(Failure);
  return Collection.AnyCopied() && Collection.Failures().empty() ? kExitSuccess : kExitFailure;
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
    case DropJournal:
      UserInteraction().ShowMessage(::DropJournal());
      return kExitSuccess;
  }
  return kExitUsage;
}

}  // namespace

int RunTweakCommand(const std::vector<std::string>& Arguments, std::ostream& Out) {
  try {
    return Run(ParseCommandLine(Arguments), Out);
  } catch (const EUsageError& Error) {
    UserInteraction().ShowError(std::string(Error.what()) + "; try 'zqttweak --help'");
    return kExitUsage;
  } catch (const std::exception& Error) {
    UserInteraction().ShowError(Error.what());
    return kExitFailure;
  }
}
