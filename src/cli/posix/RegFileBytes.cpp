// Linux: UTF-8 text with LF line ends, as it is.
#include "RegFile.h"

std::string RegFileBytes(const std::string& Text) { return Text; }
