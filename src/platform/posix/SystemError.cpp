// Linux: the text of errno.
#include "SystemError.h"

#include <cerrno>
#include <cstring>

std::string LastSystemErrorMessage() { return std::strerror(errno); }
