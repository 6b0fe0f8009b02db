// Names in code page 0 (UTF-8 on this system) as Windows compares and
// measures them: Windows turns a name into UTF-16, compares two names by
// upper-casing each UTF-16 unit with one fixed table, whatever the user's
// language, and counts name lengths in UTF-16 units.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A key that is equal for two names exactly when Windows takes them for the
// same name: every character up to U+FFFF upper-cased by Unicode's simple
// mapping (not by the user's locale), characters above U+FFFF and bytes that
// are not UTF-8 kept as they are. ASCII letters come out in lower case, so
// that the keys of ASCII names, stored when only ASCII was folded (to lower
// case), stay valid.
std::string FoldCase(std::string_view Name);
// Appends FoldCase(Name) to Folded, in the room Folded already has where it
// suffices.
void AppendFolded(std::string_view Name, std::string& Folded);

// The number of UTF-16 units Name becomes; a byte that is not UTF-8 counts
// as one (it becomes U+FFFD).
std::size_t Utf16Length(std::string_view Name);
