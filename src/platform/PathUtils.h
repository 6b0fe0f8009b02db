// Joining folders and names. Device paths always use backslashes; desktop
// paths use the delimiter of the system the program runs on.
#pragma once

#include <string>

// Path with one backslash at its end; an empty path stays empty.
std::string EnsureTrailingBackslash(const std::string& Path);
// Name inside Folder: an empty name gives the folder unchanged, a name that
// starts with a backslash is appended as it is.
std::string JoinPath(const std::string& Folder, const std::string& Name);

// JoinPath for desktop paths, with the system's delimiter.
std::string JoinDesktopPath(const std::string& Folder, const std::string& Name);
// The folder part of a desktop file path, with its trailing delimiter;
// empty for a bare file name.
std::string ExtractFilePath(const std::string& FileName);
