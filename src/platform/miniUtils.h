// Small routines the program shares: text conversions, copying a desktop
// file and the program's version text. None of them raises or shows
// anything: a failure shows only as an empty result or false.
#pragma once

#include <string>

#include "WinCompat.h"

// S, single-byte text in CodePage (0: the system's code page), as UTF-16.
// Bytes not valid in the code page are replaced, never refused.
WideString AnsiToWide(const std::string& S, UINT CodePage);
// W as single-byte text in CodePage; characters the code page cannot hold
// become its default character.
std::string WideToAnsi(const WideString& W, UINT CodePage);

// The folder dialog's flag that offers file-system folders only
// (BIF_RETURNONLYFSDIRS).
inline constexpr DWORD kBrowseForFileSystemFoldersOnly = 0x0001;
// The folder the user picks in the folder dialog titled Title; empty when
// the user cancelled. The dialog opens at the folder picked last.
std::string BrowseFolder(const std::string& Title, DWORD Flags);
// BrowseFolder offering file-system folders only.
std::string SelectFolder(const std::string& Title);

// Copies Source over Dest through a temporary file beside Dest, which takes
// Dest's place only once complete: a failed copy never leaves a partial
// file and never destroys an existing Dest. Failure, when given, receives
// the system's reason why a Source that exists was not copied; it is left
// alone when Source does not exist.
bool FileCopy(const std::string& Source, const std::string& Dest, std::string* Failure = nullptr);

// The file version of FileName's version resource, as "1.9.1.0", or cut
// before its third dot ("1.9.1") unless Full.
std::string FileVersionString(const std::string& FileName, bool Full);
// The version text of a block that GetFileVersionInfoA filled in, as
// FileVersionString gives it; empty when the block holds none.
std::string VersionTextOf(const void* Block, bool Full);
// The full path of the running executable; empty when it cannot be asked.
std::string AppFileName();
// The version of the running executable, followed by Suffix.
std::string AppVersionString(bool Full, const std::string& Suffix);
