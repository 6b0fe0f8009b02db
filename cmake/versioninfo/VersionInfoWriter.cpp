#include "VersionInfoWriter.h"

#include <array>
#include <sstream>

namespace {

using TBytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedInfoVersion = 0x00010000;
constexpr std::uint32_t kFileFlagsMask = 0x3F;
constexpr std::uint32_t kWindowsNt32 = 0x00040004;  // VOS_NT_WINDOWS32
constexpr std::uint32_t kApplication = 1;           // VFT_APP
constexpr TTranslation kUsEnglishWindowsLatin1 = {0x0409, 0x04E4};

void PutWord(TBytes& Out, std::uint16_t Value) {
  Out.push_back(Value & 0xFF);
  Out.push_back(Value >> 8);
}

void PutDword(TBytes& Out, std::uint32_t Value) {
  PutWord(Out, Value & 0xFFFF);
  PutWord(Out, Value >> 16);
}

void PadTo32Bits(TBytes& Out) {
  while (Out.size() % 4 != 0) Out.push_back(0);
}

void WriteNode(const TVersionNode& Node, TBytes& Out) {
  const std::size_t Start = Out.size();
  const std::size_t ValueLength = Node.Text ? Node.Value.size() / 2 : Node.Value.size();
  PutWord(Out, 0);  // the node's length, known at its end
  PutWord(Out, static_cast<std::uint16_t>(ValueLength));
  PutWord(Out, Node.Text ? 1 : 0);
  for (char16_t Unit : Node.Key) PutWord(Out, Unit);
  PutWord(Out, 0);
  PadTo32Bits(Out);
  Out.insert(Out.end(), Node.Value.begin(), Node.Value.end());
  for (const TVersionNode& Child : Node.Children) {
    PadTo32Bits(Out);
    WriteNode(Child, Out);
  }
  const std::size_t Length = Out.size() - Start;
  Out[Start] = Length & 0xFF;
  Out[Start + 1] = (Length >> 8) & 0xFF;
}

std::array<std::uint16_t, 4> VersionParts(const std::string& Version) {
  std::array<std::uint16_t, 4> Parts{};
  std::istringstream Text(Version);
  std::string Part;
  for (std::size_t Index = 0; Index < Parts.size() && std::getline(Text, Part, '.'); ++Index)
    Parts[Index] = static_cast<std::uint16_t>(std::stoul(Part));
  return Parts;
}

TBytes FixedFileInfo(const std::string& Version) {
  const auto Parts = VersionParts(Version);
  const std::uint32_t High = (std::uint32_t(Parts[0]) << 16) | Parts[1];
  const std::uint32_t Low = (std::uint32_t(Parts[2]) << 16) | Parts[3];
  TBytes Out;
  for (std::uint32_t Field : {kFixedInfoSignature, kFixedInfoVersion, High, Low, High, Low,
                              kFileFlagsMask, 0u, kWindowsNt32, kApplication, 0u, 0u, 0u})
    PutDword(Out, Field);
  return Out;
}

}  // namespace

TVersionNode TextNode(const std::u16string& Key, const std::string& Text) {
  TVersionNode Node{Key, true, {}, {}};
  for (char Character : Text) PutWord(Node.Value, static_cast<unsigned char>(Character));
  PutWord(Node.Value, 0);
  return Node;
}

TVersionNode ParentNode(const std::u16string& Key, std::vector<TVersionNode> Children) {
  return TVersionNode{Key, true, {}, std::move(Children)};
}

TVersionNode VarFileInfo(const std::vector<TTranslation>& Translations) {
  TVersionNode Table{u"Translation", false, {}, {}};
  for (const auto& [Language, CodePage] : Translations) {
    PutWord(Table.Value, Language);
    PutWord(Table.Value, CodePage);
  }
  return ParentNode(u"VarFileInfo", {Table});
}

TVersionNode VersionInfo(const std::string& Version, std::vector<TVersionNode> Children) {
  return TVersionNode{u"VS_VERSION_INFO", false, FixedFileInfo(Version), std::move(Children)};
}

TVersionNode ProgramVersionInfo(const std::string& Version) {
  TVersionNode Strings = ParentNode(
      u"040904E4", {TextNode(u"FileDescription", "ZQTTweaker"), TextNode(u"FileVersion", Version),
                    TextNode(u"ProductName", "ZQTTweaker"), TextNode(u"ProductVersion", Version)});
  return VersionInfo(
      Version, {ParentNode(u"StringFileInfo", {Strings}), VarFileInfo({kUsEnglishWindowsLatin1})});
}

std::vector<std::uint8_t> VersionBlockBytes(const TVersionNode& Root) {
  TBytes Out;
  WriteNode(Root, Out);
  return Out;
}
