// Writes version blocks (VS_VERSIONINFO) in the standard binary layout of
// Windows: at build time for the program's own version resource, and in
// tests for crafted ones.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct TVersionNode {
  std::u16string Key;
  bool Text = false;
  std::vector<std::uint8_t> Value;  // UTF-16LE units with their NUL for text
  std::vector<TVersionNode> Children;
};

using TTranslation = std::pair<std::uint16_t, std::uint16_t>;  // language, code page

// A text value from ASCII text.
TVersionNode TextNode(const std::u16string& Key, const std::string& Text);
TVersionNode ParentNode(const std::u16string& Key, std::vector<TVersionNode> Children);
// "Translation" inside "VarFileInfo", with its entries in order.
TVersionNode VarFileInfo(const std::vector<TTranslation>& Translations);
// "VS_VERSION_INFO" with the fixed file information for the four parts of
// Version ("1.9.1.0"), then Children.
TVersionNode VersionInfo(const std::string& Version, std::vector<TVersionNode> Children);
// The whole resource of one of our executables for Version: the
// "040904E4" strings, FileVersion among them, and its translation.
TVersionNode ProgramVersionInfo(const std::string& Version);

std::vector<std::uint8_t> VersionBlockBytes(const TVersionNode& Root);
