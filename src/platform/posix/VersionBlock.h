// The version resource here: the VS_VERSIONINFO block of Windows, in its
// standard binary layout, kept in an executable's ELF section ".versioninfo".
//
// A block is a tree of nodes. Each node is three 16-bit words (wLength, the
// size of the whole node; wValueLength; wType, 1 for text and 0 for binary),
// a NUL-terminated UTF-16 key, padding to 32 bits, the value (wValueLength
// bytes, or UTF-16 units for text), padding to 32 bits, and the child nodes.
//
// Blocks come from files: every length in them is checked against the bytes
// that hold it, and a block that lies about any of them yields nothing.
#pragma once

#include <vector>

#include "WinCompat.h"

inline constexpr char kVersionSectionName[] = ".versioninfo";

// The buffer GetFileVersionInfoA fills from a section's bytes: the block,
// then room for the single-byte copies of its texts that VerQueryValueA hands
// out. Its size is 0 when the bytes hold no block.
DWORD VersionInfoBufferSize(const std::vector<BYTE>& Section);
// Fills Buffer of Size bytes from the section; false, leaving Buffer as it
// was, when the bytes hold no block or Size is too small.
bool FillVersionInfoBuffer(const std::vector<BYTE>& Section, DWORD Size, void* Buffer);
