// Reads one section of an ELF file, found by name through its section
// headers. The file is untrusted: every offset and size in it is checked
// against the file before anything is read.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "WinCompat.h"

// The content of the first section called Name in the 64-bit little-endian
// ELF file FileName; false when there is none, when it is larger than
// MaxSize, or when the file is not such an ELF file or lies about itself.
bool ReadElfSection(const std::string& FileName, const std::string& Name, std::size_t MaxSize,
                    std::vector<BYTE>& Content);
