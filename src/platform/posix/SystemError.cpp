// Linux: the text of errno.
#include <cerrno>
#include <cstring>

#include "SystemError.h"

std::string LastSystemErrorMessage() { return std::strerror(errno); }
