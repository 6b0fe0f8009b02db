// The system's own words for why a call failed, for messages that name a
// file and say what went wrong with it.
#pragma once

#include <string>

// Why the last failed system call of this thread failed ("No such file or
// directory", "Access is denied"), without a closing full stop.
std::string LastSystemErrorMessage();
