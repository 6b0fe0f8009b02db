// Linux: the text of errno, and Windows' own words for the Win32 codes the
// stand-ins return.
#include "SystemError.h"

#include <cerrno>
#include <cstring>

std::string LastSystemErrorMessage() { return std::strerror(errno); }

std::string SystemErrorMessage(LONG Code) {
  switch (Code) {
    case ERROR_FILE_NOT_FOUND:
      return "The system cannot find the file specified";
    case ERROR_PATH_NOT_FOUND:
      return "The system cannot find the path specified";
    case ERROR_ACCESS_DENIED:
      return "Access is denied";
    case ERROR_INVALID_HANDLE:
      return "The handle is invalid";
    case ERROR_OUTOFMEMORY:
      return "Not enough memory resources are available to complete this operation";
    case ERROR_LOCK_VIOLATION:
      return "The process cannot access the file because another process has locked a portion "
             "of the file";
    case ERROR_INVALID_PARAMETER:
      return "The parameter is incorrect";
    case ERROR_DISK_FULL:
      return "There is not enough space on the disk";
    case ERROR_DIRECTORY_NOT_SUPPORTED:
      return "An operation is not supported on a directory";
    case ERROR_BADDB:
      return "The configuration registry database is corrupt";
    case ERROR_BADKEY:
      return "The configuration registry key is invalid";
    case ERROR_CANTOPEN:
      return "The configuration registry key could not be opened";
    case ERROR_CANTREAD:
      return "The configuration registry key could not be read";
    case ERROR_CANTWRITE:
      return "The configuration registry key could not be written";
    case ERROR_NOT_CONNECTED:
      return "This network connection does not exist";
    default:
      return "system error " + std::to_string(static_cast<DWORD>(Code));
  }
}
