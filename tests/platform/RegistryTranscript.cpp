// Runs one fixed sequence of registry calls on a fresh registry and prints
// what each gave back: return codes, types, sizes and bytes. The sequence
// covers every value type, buffers too small for the data, missing keys and
// values, and handles opened with fewer rights. RegistryTranscript.expected
// holds what the Windows registry gives; the registry here must give the
// same, byte for byte.
#include <cstdio>
#include <string>
#include <vector>

#include "TemporaryRegistry.h"

namespace {

const char* const kKey = "Software\\ZQT Transcript";

void Print(const std::string& Step, LONG Result) {
  std::printf("%s: %ld\n", Step.c_str(), long(Result));
}

std::string Hex(const BYTE* Data, DWORD Size) {
  std::string Text;
  char Byte[4];
  for (DWORD Index = 0; Index < Size; ++Index) {
    std::snprintf(Byte, sizeof(Byte), " %02X", Data[Index]);
    Text += Byte;
  }
  return Text;
}

HKEY Create(HKEY Root, const char* Path, REGSAM Access = KEY_ALL_ACCESS) {
  HKEY Key = nullptr;
  DWORD Disposition = 0;
  LONG Result = RegCreateKeyExA(Root, Path, 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr,
                                &Key, &Disposition);
  std::printf("create \"%s\": %ld disposition %lu\n", Path, long(Result),
              static_cast<unsigned long>(Disposition));
  return Result == ERROR_SUCCESS ? Key : nullptr;
}

HKEY Open(HKEY Root, const char* Path, REGSAM Access, const char* Rights) {
  HKEY Key = nullptr;
  LONG Result = RegOpenKeyExA(Root, Path, 0, Access, &Key);
  std::printf("open \"%s\" with %s: %ld\n", Path, Rights, long(Result));
  return Result == ERROR_SUCCESS ? Key : nullptr;
}

void Set(HKEY Key, const char* Name, DWORD Type, const std::string& Bytes) {
  LONG Result = RegSetValueExA(Key, Name, 0, Type, reinterpret_cast<const BYTE*>(Bytes.data()),
                               static_cast<DWORD>(Bytes.size()));
  std::printf("set \"%s\" type %lu, %zu bytes: %ld\n", Name ? Name : "(null)",
              static_cast<unsigned long>(Type), Bytes.size(), long(Result));
}

// The size and type alone, then the data into a buffer of exactly that
// size, one byte less and one byte more.
void Query(HKEY Key, const char* Name) {
  DWORD Type = 0xEEEE, Size = 0xDDDD;
  LONG Result = RegQueryValueExA(Key, Name, nullptr, &Type, nullptr, &Size);
  std::printf("query \"%s\" size: %ld type %lu size %lu\n", Name, long(Result),
              static_cast<unsigned long>(Type), static_cast<unsigned long>(Size));
  if (Result != ERROR_SUCCESS) return;
  const DWORD Needed = Size;
  for (DWORD Room : {Needed, Needed + 1, Needed - 1}) {
    if (Room == DWORD(-1)) continue;
    std::vector<BYTE> Data(Room + 1, 0xCC);
    Type = 0xEEEE;
    Size = Room;
    Result = RegQueryValueExA(Key, Name, nullptr, &Type, Data.data(), &Size);
    std::printf("query \"%s\" into %lu bytes: %ld type %lu size %lu", Name,
                static_cast<unsigned long>(Room), long(Result), static_cast<unsigned long>(Type),
                static_cast<unsigned long>(Size));
    // The buffer's content is undefined when the data did not fit.
    if (Result == ERROR_SUCCESS) std::printf(" data%s", Hex(Data.data(), Size).c_str());
    std::printf("\n");
  }
}

// The data into a buffer of 16 bytes, reporting the size even on failure.
void QueryData(HKEY Key, const char* Name) {
  BYTE Data[16];
  DWORD Type = 0xEEEE, Size = sizeof(Data);
  LONG Result = RegQueryValueExA(Key, Name, nullptr, &Type, Data, &Size);
  std::printf("query \"%s\" into 16 bytes: %ld type %lu size %lu\n", Name, long(Result),
              static_cast<unsigned long>(Type), static_cast<unsigned long>(Size));
}

void TypeOnly(HKEY Key, const char* Name) {
  DWORD Type = 0xEEEE;
  LONG Result = RegQueryValueExA(Key, Name, nullptr, &Type, nullptr, nullptr);
  std::printf("query \"%s\" type only: %ld type %lu\n", Name, long(Result),
              static_cast<unsigned long>(Type));
}

void Close(HKEY Key, const char* What) { Print("close " + std::string(What), RegCloseKey(Key)); }

void Keys() {
  std::printf("# keys\n");
  Open(HKEY_CURRENT_USER, kKey, KEY_READ, "KEY_READ");
  HKEY Key = Create(HKEY_CURRENT_USER, kKey);
  Close(Key, "the new key");
  Close(Create(HKEY_CURRENT_USER, kKey), "the key");
  Close(Create(HKEY_CURRENT_USER, "SOFTWARE\\zqt TRANSCRIPT"), "the key in other letters");
  Close(Create(HKEY_CURRENT_USER, "Software\\ZQT Transcript\\A\\B\\C"), "a key three deep");
  Close(Open(HKEY_CURRENT_USER, "software\\zqt transcript\\a\\b", KEY_READ, "KEY_READ"),
        "a key made on the way");
  Open(HKEY_CURRENT_USER, "Software\\ZQT Transcript\\Missing", KEY_READ, "KEY_READ");
  Open(HKEY_CURRENT_USER, "Software\\ZQT Transcript\\Missing\\Deeper", KEY_ALL_ACCESS,
       "KEY_ALL_ACCESS");
  Open(HKEY_CURRENT_USER, "\\Software\\ZQT Transcript", KEY_READ, "KEY_READ");
  Close(Open(HKEY_CURRENT_USER, "Software\\ZQT Transcript\\", KEY_READ, "KEY_READ"),
        "the key named with a trailing backslash");
  Close(Open(HKEY_CURRENT_USER, "Software\\\\ZQT Transcript\\\\A\\\\", KEY_READ, "KEY_READ"),
        "the key named with doubled backslashes");
  Close(Create(HKEY_CURRENT_USER, "Software\\ZQT Transcript\\\\D\\\\"),
        "a key created with doubled backslashes");
  Open(HKEY_CURRENT_USER, "\\", KEY_READ, "KEY_READ");
  HKEY Parent = Open(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, "KEY_ALL_ACCESS");
  Close(Open(Parent, "", KEY_READ, "KEY_READ"), "the key opened again through itself");
  Close(Open(Parent, "a", KEY_READ, "KEY_READ"), "a subkey opened through its parent");
  Close(Parent, "the parent");
  Close(Open(HKEY_CURRENT_USER, "", KEY_READ, "KEY_READ"), "the root");
  Close(Create(HKEY_LOCAL_MACHINE, kKey), "the key in the other root");
  Close(Open(HKEY_LOCAL_MACHINE, "Software\\ZQT Transcript\\A", KEY_READ, "KEY_READ"),
        "a key of one root looked for in the other");
}

void Values() {
  std::printf("# values\n");
  HKEY Key = Open(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, "KEY_ALL_ACCESS");
  const std::string Binary("\x00\x01\xFE\xFF", 4);
  const struct {
    const char* Name;
    DWORD Type;
    std::string Bytes;
  } Values[] = {{"None", REG_NONE, Binary},
                {"Text", REG_SZ, std::string("text\0", 5)},
                {"Unterminated", REG_SZ, "abc"},
                {"TwoTexts", REG_SZ, std::string("a\0b", 3)},
                {"Nul", REG_SZ, std::string("\0", 1)},
                {"EmptyText", REG_SZ, ""},
                {"Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)},
                {"UnterminatedExpand", REG_EXPAND_SZ, "%TEMP%"},
                {"Binary", REG_BINARY, Binary},
                {"EmptyBinary", REG_BINARY, ""},
                {"Dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4)},
                {"ShortDword", REG_DWORD, std::string("\x01\x02", 2)},
                {"BigEndian", REG_DWORD_BIG_ENDIAN, std::string("\x12\x34\x56\x78", 4)},
                {"Link", REG_LINK, std::string("l\0k\0", 4)},
                {"Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6)},
                {"UnterminatedMulti", REG_MULTI_SZ, std::string("a\0b", 3)},
                {"Qword", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
                {"Private", 0x12345, Binary},
                {"", REG_SZ, std::string("unnamed\0", 8)}};
  for (const auto& Value : Values) Set(Key, Value.Name, Value.Type, Value.Bytes);
  for (const auto& Value : Values) Query(Key, Value.Name);
  TypeOnly(Key, "Dword");
  Query(Key, "DWORD");
  Set(Key, "dword", REG_SZ, std::string("now text\0", 9));
  Query(Key, "Dword");
  Set(Key, nullptr, REG_BINARY, Binary);
  Query(Key, "");
  Query(Key, "Missing");
  QueryData(Key, "Missing");
  TypeOnly(Key, "Missing");
  Close(Key, "the key");
}

void Rights() {
  std::printf("# rights\n");
  HKEY Reader = Open(HKEY_CURRENT_USER, kKey, KEY_READ, "KEY_READ");
  Set(Reader, "Refused", REG_DWORD, std::string(4, '\1'));
  Query(Reader, "Refused");
  Query(Reader, "Binary");
  Close(Create(Reader, "Child"), "a subkey made through a KEY_READ handle");
  Close(Create(Reader, "a"), "a subkey opened through a KEY_READ handle");
  Close(Reader, "the KEY_READ handle");
  HKEY Querier = Open(HKEY_CURRENT_USER, kKey, KEY_QUERY_VALUE, "KEY_QUERY_VALUE");
  Set(Querier, "Refused", REG_DWORD, std::string(4, '\1'));
  Close(Create(Querier, "Sibling"), "a subkey made through a KEY_QUERY_VALUE handle");
  Close(Querier, "the KEY_QUERY_VALUE handle");
  HKEY Writer = Open(HKEY_CURRENT_USER, kKey, KEY_SET_VALUE, "KEY_SET_VALUE");
  Query(Writer, "Binary");
  QueryData(Writer, "Binary");
  Set(Writer, "Written", REG_DWORD, std::string(4, '\2'));
  Close(Writer, "the KEY_SET_VALUE handle");
}

void Handles() {
  std::printf("# handles and arguments\n");
  HKEY Key = Open(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, "KEY_ALL_ACCESS");
  DWORD Reserved = 0, Size = 4;
  BYTE Data[4];
  Print("query with a reserved pointer",
        RegQueryValueExA(Key, "Dword", &Reserved, nullptr, nullptr, &Size));
  Print("query into data without a size",
        RegQueryValueExA(Key, "Binary", nullptr, nullptr, Data, nullptr));
  Print("set from no data with a size", RegSetValueExA(Key, "Nothing", 0, REG_BINARY, nullptr, 4));
  Print("set from no data without a size",
        RegSetValueExA(Key, "Nothing", 0, REG_BINARY, nullptr, 0));
  Query(Key, "Nothing");
  Print("flush", RegFlushKey(Key));
  Close(Key, "the key");
  Close(Key, "the key again");
  Query(Key, "Dword");
  QueryData(Key, "Dword");
  Print("set through the closed handle",
        RegSetValueExA(Key, "Dword", 0, REG_BINARY, Data, sizeof(Data)));
  Close(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
  Print("flush HKEY_CURRENT_USER", RegFlushKey(HKEY_CURRENT_USER));
}

}  // namespace

int main() {
  TTemporaryRegistry Registry;
  Keys();
  Values();
  Rights();
  Handles();
  return 0;
}
