// The command line of zqttweak: GNU long options ("--get ID" or
// "--get=ID"), one action a run; only --set may be given more than once.
#pragma once

#include <string>
#include <vector>

#include "Exception.h"

enum class TTweakAction {
  Help,
  Version,
  List,
  Get,
  Set,
  Reset,
  Export,
  ExportDevice,
  Import,
  ImportDevice,
  CollectLogs
};

struct TTweakCommand {
  TTweakAction Action = TTweakAction::Help;
  // The action's argument (an id, a file or a folder), or every ID=VALUE of
  // the --set options, in order.
  std::vector<std::string> Arguments;
  // --json: JSON instead of text, for --list and --get.
  bool Json = false;
};

// A command line that is not understood; answered with the usage.
class EUsageError : public Exception {
 public:
  using Exception::Exception;
};

// Arguments: the command line without the program's own name.
TTweakCommand ParseCommandLine(const std::vector<std::string>& Arguments);

// What --help prints.
std::string UsageText();
