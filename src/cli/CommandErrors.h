// How a zqttweak command fails: a command line that is not understood, or a
// command that cannot be carried out as asked.
#pragma once

#include "Exception.h"

// The command line alone is wrong: an unknown option or id, a missing or
// malformed value. Nothing has been reached yet.
class EUsageError : public Exception {
 public:
  using Exception::Exception;
};

// The command was understood but cannot be carried out as asked.
class ECommandError : public Exception {
 public:
  using Exception::Exception;
};
