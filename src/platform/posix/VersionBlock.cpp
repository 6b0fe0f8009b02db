// VerQueryValueA over the buffer GetFileVersionInfoA fills. The names of a
// query are separated by backslashes (empty names are skipped) and matched
// as ASCII without regard to case, as Windows matches them.
#include "VersionBlock.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kHeaderSize = 3 * sizeof(WORD);
constexpr WORD kBinaryType = 0;
constexpr WORD kTextType = 1;
// The room for text copies after a block, per byte of the block: a UTF-16
// unit (two bytes) takes at most three bytes of UTF-8.
constexpr std::size_t kTextRoomFactor = 2;

std::size_t Align4(std::size_t Offset) { return (Offset + 3) & ~std::size_t(3); }

WORD WordAt(const BYTE* Block, std::size_t Offset) {
  WORD Value;
  std::memcpy(&Value, Block + Offset, sizeof(Value));
  return Value;
}

// One node, as offsets into its block; a node is read only once every one of
// its parts was found to lie inside its parent.
struct TNode {
  std::size_t KeyStart = 0;
  std::size_t KeyUnits = 0;
  std::size_t ValueStart = 0;
  std::size_t ValueSize = 0;  // in bytes
  std::size_t ChildrenStart = 0;
  std::size_t End = 0;
  WORD ValueLength = 0;
  WORD Type = 0;
};

bool ReadNode(const BYTE* Block, std::size_t Offset, std::size_t Limit, TNode& Node) {
  if (Offset > Limit || Limit - Offset < kHeaderSize) return false;
  const WORD Length = WordAt(Block, Offset);
  Node.ValueLength = WordAt(Block, Offset + 2);
  Node.Type = WordAt(Block, Offset + 4);
  if (Length < kHeaderSize || Length > Limit - Offset) return false;
  if (Node.Type != kBinaryType && Node.Type != kTextType) return false;
  Node.End = Offset + Length;
  Node.KeyStart = Offset + kHeaderSize;
  std::size_t Position = Node.KeyStart;
  while (Position + sizeof(WORD) <= Node.End && WordAt(Block, Position) != 0)
    Position += sizeof(WORD);
  if (Position + sizeof(WORD) > Node.End) return false;  // the key has no NUL
  Node.KeyUnits = (Position - Node.KeyStart) / sizeof(WORD);
  Node.ValueStart = std::min(Align4(Position + sizeof(WORD)), Node.End);
  Node.ValueSize = Node.Type == kTextType ? Node.ValueLength * sizeof(WCHAR) : Node.ValueLength;
  if (Node.ValueSize > Node.End - Node.ValueStart) return false;
  Node.ChildrenStart = Align4(Node.ValueStart + Node.ValueSize);
  return true;
}

bool KeyMatches(const BYTE* Block, const TNode& Node, std::string_view Name) {
  if (Node.KeyUnits != Name.size()) return false;
  for (std::size_t Index = 0; Index < Name.size(); ++Index) {
    const WORD Unit = WordAt(Block, Node.KeyStart + Index * sizeof(WORD));
    const unsigned char Character = Name[Index];
    if (Character >= 0x80 || Unit >= 0x80) return false;
    if (std::tolower(Character) != std::tolower(Unit)) return false;
  }
  return true;
}

bool FindChild(const BYTE* Block, const TNode& Parent, std::string_view Name, TNode& Child) {
  for (std::size_t Offset = Parent.ChildrenStart; Offset < Parent.End; Offset = Align4(Child.End)) {
    if (!ReadNode(Block, Offset, Parent.End, Child)) return false;
    if (KeyMatches(Block, Child, Name)) return true;
  }
  return false;
}

// The node that Path names below the root, one name after another.
bool FindNode(const BYTE* Block, std::string_view Path, TNode& Node) {
  if (!ReadNode(Block, 0, WordAt(Block, 0), Node)) return false;
  while (!Path.empty()) {
    const std::size_t Separator = std::min(Path.find('\\'), Path.size());
    const std::string_view Name = Path.substr(0, Separator);
    Path.remove_prefix(std::min(Separator + 1, Path.size()));
    if (Name.empty()) continue;
    TNode Child;
    if (!FindChild(Block, Node, Name, Child)) return false;
    Node = Child;
  }
  return true;
}

// Copies a text value, up to its NUL, as single-byte text into the room
// after the block; its length counts the closing NUL.
bool CopyText(BYTE* Block, const TNode& Node, void** Value, UINT* Length) {
  WideString Text(Node.ValueLength, WCHAR());
  std::memcpy(Text.data(), Block + Node.ValueStart, Node.ValueSize);
  Text.resize(std::min(Text.find(WCHAR()), Text.size()));
  const std::size_t BlockSize = WordAt(Block, 0);
  char* Room = reinterpret_cast<char*>(Block + BlockSize);
  const int RoomSize = static_cast<int>(kTextRoomFactor * BlockSize);
  int Count = 0;
  if (!Text.empty()) {
    Count = WideCharToMultiByte(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), Room,
                                RoomSize - 1, nullptr, nullptr);
    if (Count == 0) return false;
  }
  Room[Count] = '\0';
  *Value = Room;
  *Length = Count + 1;
  return true;
}

std::size_t BlockLength(const std::vector<BYTE>& Section) {
  if (Section.size() < kHeaderSize) return 0;
  const WORD Length = WordAt(Section.data(), 0);
  return Length >= kHeaderSize && Length <= Section.size() ? Length : 0;
}

}  // namespace

DWORD VersionInfoBufferSize(const std::vector<BYTE>& Section) {
  return static_cast<DWORD>(BlockLength(Section) * (1 + kTextRoomFactor));
}

bool FillVersionInfoBuffer(const std::vector<BYTE>& Section, DWORD Size, void* Buffer) {
  const DWORD Needed = VersionInfoBufferSize(Section);
  if (Needed == 0 || Size < Needed || !Buffer) return false;
  std::memset(Buffer, 0, Needed);
  std::memcpy(Buffer, Section.data(), BlockLength(Section));
  return true;
}

// The buffer is written to, as on Windows: text values are handed out as
// single-byte copies in the room after the block.
extern "C" BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen) {
  if (!pBlock || !lpSubBlock || !lplpBuffer || !puLen) return FALSE;
  try {
    BYTE* Block = static_cast<BYTE*>(const_cast<void*>(pBlock));
    TNode Node;
    if (!FindNode(Block, lpSubBlock, Node)) return FALSE;
    if (Node.Type == kTextType && Node.ValueLength != 0)
      return CopyText(Block, Node, lplpBuffer, puLen) ? TRUE : FALSE;
    *lplpBuffer = Block + Node.ValueStart;
    *puLen = static_cast<UINT>(Node.ValueSize);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}
