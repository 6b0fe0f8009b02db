// The system's own words for why a call failed, for messages that name a
// file and say what went wrong with it.
#pragma once

#include <string>

#include "WinCompat.h"

// Why the last failed system call of this thread failed ("No such file or
// directory", "Access is denied"), without a closing full stop.
std::string LastSystemErrorMessage();
// The system's words for a Win32 error code that a registry or device call
// returned ("Access is denied"), without a closing full stop.
std::string SystemErrorMessage(LONG Code);
