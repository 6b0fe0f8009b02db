// How desktop file paths are written on this system.
#pragma once

// Put between a folder and a name.
inline constexpr char kPathDelimiter = '\\';
// Every character that ends a folder in a path (or a drive).
inline constexpr const char* kPathDelimiters = "\\/:";
