// Files and folders that only their user may read or change, as the Windows
// registry's user hive is: the ones made here get mode 0700 (folders) or 0600
// (files) whatever the umask; ones that exist keep theirs.
#pragma once

#include <string>

// Whether File is a symbolic link itself.
bool IsLink(const std::string& File);

// Makes the missing folders leading to File. False when one could not be
// made.
bool CreatePrivateFolders(const std::string& File);

// Makes File, empty, when it is missing. False when it could not be made.
bool CreatePrivateFile(const std::string& File);

// Opens File, a file kept beside a store, for reading, or reading and
// writing; Create: made first when missing. A link at that name is never
// followed: only a regular file of the user (geteuid) is opened. The
// descriptor (close-on-exec), or -1 with Failure telling why: "it is a
// symbolic link", "it is not a regular file", "it belongs to another user"
// (errno 0), or the system's reason why it could not be opened or made
// (errno that reason).
int OpenPrivateFile(const std::string& File, bool ForWriting, bool Create, std::string& Failure);
