// Joining folders and names with backslashes, for desktop and device paths
// alike.
#pragma once

#include <string>

// Path with one backslash at its end; an empty path stays empty.
std::string EnsureTrailingBackslash(const std::string& Path);
// Name inside Folder: an empty name gives the folder unchanged, a name that
// starts with a backslash is appended as it is.
std::string JoinPath(const std::string& Folder, const std::string& Name);
