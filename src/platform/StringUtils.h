// Small text routines the program shares.
#pragma once

#include <string>
#include <string_view>

// S without its leading and trailing blanks and control characters (every
// character up to and including the space).
std::string Trim(const std::string& S);
// The same, as a view into S.
std::string_view TrimmedView(std::string_view S);

// Whether two texts are equal without regard to letter case, as the
// system compares them.
bool AnsiSameText(const std::string& S1, const std::string& S2);
