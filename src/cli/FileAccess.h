// The files zqttweak reads and writes. Every failure is an ECommandError
// that names the file and gives the system's reason.
#pragma once

#include <string>

// The bytes of FileName. Only a regular file is read: a folder, a pipe or a
// device is refused at once, without waiting on it.
std::string ReadRegularFile(const std::string& FileName);

// Puts Bytes in FileName's place, whole or not at all: they go into a
// temporary file beside it, which takes its place once complete. A regular
// file replaced keeps its permissions; a symbolic link is replaced itself,
// never followed.
void ReplaceWholeFile(const std::string& FileName, const std::string& Bytes);

// This system's part, in posix/ and win32/. Each gives the system's reason
// for a failure, or nothing when there was none.

inline constexpr const char* kFolderReason = "it is a folder";
inline constexpr const char* kNotRegularReason = "it is not a regular file";

// Bytes receives FileName's content.
std::string ReadFileContent(const std::string& FileName, std::string& Bytes);
// Creates NewFile, which must not exist, holding Bytes, with the permissions
// of Model when Model is a regular file (on Linux); removes it again when it
// could not be written whole.
std::string CreateFileWith(const std::string& NewFile, const std::string& Bytes,
                           const std::string& Model);
