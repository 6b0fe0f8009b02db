// The command line of zqttweak: GNU long options ("--get ID" or
// "--get=ID"), one action a run; only --set may be given more than once.
// "-h" and "/?" ask for the help as "--help" does.
#pragma once

#include <string>
#include <vector>

#include "CommandErrors.h"

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
  CollectLogs,
  DropJournal
};

struct TTweakCommand {
  TTweakAction Action = TTweakAction::Help;
  // The action's argument (an id, a file or a folder), or every ID=VALUE of
  // the --set options, in order.
  std::vector<std::string> Arguments;
  // --json: JSON instead of text, for --list and --get.
  bool Json = false;
};

// Arguments: the command line without the program's own name; EUsageError
// when it is not understood.
TTweakCommand ParseCommandLine(const std::vector<std::string>& Arguments);

// What --help prints.
std::string UsageText();
