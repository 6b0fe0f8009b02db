#include "CommandLine.h"

#include <optional>

namespace {

using enum TTweakAction;

struct TOptionSpec {
  const char* Name;
  TTweakAction Action;
  bool TakesArgument;
};

const TOptionSpec kOptionSpecs[] = {
    {"help", Help, false},
    {"version", Version, false},
    {"list", List, false},
    {"get", Get, true},
    {"set", Set, true},
    {"reset", Reset, true},
    {"export", Export, true},
    {"export-device", ExportDevice, true},
    {"import", Import, true},
    {"import-device", ImportDevice, true},
    {"collect-logs", CollectLogs, true},
    {"drop-journal", DropJournal, false},
};

constexpr const char* kJsonOption = "json";

const TOptionSpec& SpecNamed(const std::string& Name) {
  for (const TOptionSpec& Spec : kOptionSpecs)
    if (Name == Spec.Name) return Spec;
  throw EUsageError("unrecognized option '--" + Name + "'");
}

// One argument taken apart: "--name", "--name=value".
struct TOptionWord {
  std::string Name;
  std::optional<std::string> Value;
};

// The short words for the help that users of either system try first.
bool IsHelpWord(const std::string& Argument) { return Argument == "-h" || Argument == "/?"; }

TOptionWord OptionWord(const std::string& Argument) {
  if (IsHelpWord(Argument)) return {"help", std::nullopt};
  if (!Argument.starts_with("--") || Argument.size() == 2)
    throw EUsageError("unexpected argument '" + Argument + "'");
  const std::size_t Equals = Argument.find('=');
  if (Equals == std::string::npos) return {Argument.substr(2), std::nullopt};
  return {Argument.substr(2, Equals - 2), Argument.substr(Equals + 1)};
}

}  // namespace

TTweakCommand ParseCommandLine(const std::vector<std::string>& Arguments) {
  TTweakCommand Command;
  const TOptionSpec* Chosen = nullptr;
  for (std::size_t Index = 0; Index < Arguments.size(); ++Index) {
    TOptionWord Word = OptionWord(Arguments[Index]);
    if (Word.Name == kJsonOption) {
      if (Word.Value) throw EUsageError("option '--json' doesn't allow an argument");
      Command.Json = true;
      continue;
    }
    const TOptionSpec& Spec = SpecNamed(Word.Name);
    if (!Spec.TakesArgument && Word.Value)
      throw EUsageError("option '--" + Word.Name + "' doesn't allow an argument");
    if (Spec.TakesArgument && !Word.Value) {
      if (++Index == Arguments.size())
        throw EUsageError("option '--" + Word.Name + "' requires an argument");
      Word.Value = Arguments[Index];
    }
    if (Chosen && (Chosen != &Spec || Spec.Action != Set))
      throw EUsageError(std::string("--") + Chosen->Name + " and --" + Spec.Name +
                        " cannot go together");
    Chosen = &Spec;
    if (Word.Value) Command.Arguments.push_back(*Word.Value);
  }
  if (!Chosen) throw EUsageError(Command.Json ? "--json needs --list or --get" : "no option given");
  Command.Action = Chosen->Action;
  if (Command.Json && Command.Action != List && Command.Action != Get)
    throw EUsageError(std::string("--json goes with --list or --get, not with --") + Chosen->Name);
  return Command;
}

std::string UsageText() {
  return "Usage: zqttweak OPTION...\n"
         "Shows and changes the organizer's hidden settings, in the desktop's registry and in\n"
         "the registry of a connected device.\n"
         "\n"
         "  --list                 every option there is now: id, where, value, default, caption\n"
         "  --get ID               the option's value\n"
         "  --set ID=VALUE         writes a value, also one equal to the stored one; may be\n"
         "                         repeated (Boolean options: 0, 1, true, false)\n"
         "  --reset ID, --reset all\n"
         "                         writes the default value of one option, or of every one\n"
         "  --export FILE          the desktop's options as a registry file (.reg)\n"
         "  --export-device FILE   the device's options as a file that only --import-device reads\n"
         "  --import FILE          sets the desktop's options that the file holds; anything else\n"
         "                         in it is skipped and listed\n"
         "  --import-device FILE   sets the device's options that the file holds\n"
         "  --collect-logs FOLDER  copies the organizer's log files into FOLDER\n"
         "  --drop-journal         removes the journal of an interrupted command that cannot\n"
         "                         be taken back (damaged, or kept for another device),\n"
         "                         leaving every option as it is now\n"
         "  --json                 with --list or --get: JSON instead of text\n"
         "  --help, -h, /?         this text\n"
         "  --version              the program's version\n"
         "\n"
         "A command writes all of its values or none: when one cannot be written, those\n"
         "written before it are put back, where no other program changed them since.\n"
         "Exit status: 0 done, 1 failed (nothing was changed unless the message says\n"
         "otherwise), 2 the command line was not understood (nothing was done).";
}
