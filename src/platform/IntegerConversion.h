// The runtime's conversion of text to an integer, as the option editors use
// it.
#pragma once

#include <string>

#include "Exception.h"

// A text that is not a valid integer.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// The integer that S spells, once blanks and control characters around it
// are gone: an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x", "X", "0x" or "0X". A hexadecimal text spells a 32-bit
// pattern, so "$FFFFFFFF" is -1; a sign negates the pattern. Anything else,
// or a number beyond the 32-bit range, raises EConvertError.
int StrToInt(const std::string& S);
