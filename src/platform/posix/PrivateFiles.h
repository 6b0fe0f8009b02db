// Files and folders that only their user may read or change, as the Windows
// registry's user hive is: the ones made here get mode 0700 (folders) or 0600
// (files) whatever the umask; ones that exist keep theirs.
#pragma once

#include <string>

// Makes the missing folders leading to File. False when one could not be
// made.
bool CreatePrivateFolders(const std::string& File);

// Makes File, empty, when it is missing. False when it could not be made.
bool CreatePrivateFile(const std::string& File);
