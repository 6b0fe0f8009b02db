// The files zqttweak reads and writes. Every failure is an ECommandError
// that names the file and gives the system's reason.
#pragma once

#include <string>

#include <cstdint>

// The largest file an import reads: ample for any registry editor's export
// of the options' keys, and for a million lines setting one option.
inline constexpr std::uint64_t kLargestReadFile = 128ull << 20;

// The bytes of FileName. Only a regular file of at most kLargestReadFile
// bytes is read: a folder, a pipe, a device or a larger file is refused at
// once, without waiting on it. A file that grows meanwhile is read only to
// the size it had when it was opened.
std::string ReadRegularFile(const std::string& FileName);

// Puts Bytes in FileName's place, whole or not at all: they go into a
// temporary file beside it, which takes its place once complete. A regular
// file replaced keeps its permissions; a symbolic link is replaced itself,
// never followed. Anything else at that name (a folder, a pipe, a device, a
// socket) is refused and left as it is.
void ReplaceWholeFile(const std::string& FileName, const std::string& Bytes);

// This system's part, in posix/ and win32/. Each gives the system's reason
// for a failure, or nothing when there was none.

inline constexpr const char* kFolderReason = "it is a folder";
inline constexpr const char* kNotRegularReason = "it is not a regular file";

inline constexpr const char* kTooLargeReason = "it is larger than 128 MiB";

// Bytes receives FileName's content, up to its size when opened.
std::string ReadFileContent(const std::string& FileName, std::string& Bytes);
// Why FileName may not be replaced by a regular file; nothing when it is
// missing, a regular file or a link.
std::string ReplaceableReason(const std::string& FileName);
// Creates NewFile, which must not exist, holding Bytes, with the permissions
// of Model when Model is a regular file (on Linux); removes it again when it
// could not be written whole.
std::string CreateFileWith(const std::string& NewFile, const std::string& Bytes,
                           const std::string& Model);
