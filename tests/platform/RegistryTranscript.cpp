// Runs one fixed sequence of registry calls on a fresh registry and prints
// what each gave back: return codes, types, sizes, bytes and handles. The
// sequence covers every value type, buffers too small for the data, missing
// keys and values, handles opened with fewer rights, text stored without its
// NUL, names beyond ASCII, the limits of names, deletes, and which check
// answers first when several would fail. RegistryTranscript.expected holds
// what the Windows registry gives; the registry here must give the same,
// byte for byte.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "TemporaryRegistry.h"
#include "miniUtils.h"

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
  Print("set from no data with a size through the closed handle",
        RegSetValueExA(Key, "Dword", 0, REG_BINARY, nullptr, 4));
  Print("set from no data with a size through no handle",
        RegSetValueExA(nullptr, "Dword", 0, REG_BINARY, nullptr, 4));
  Close(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
  Print("flush HKEY_CURRENT_USER", RegFlushKey(HKEY_CURRENT_USER));
}

LONG OpenAs(HKEY Root, const std::string& Path, REGSAM Access, HKEY& Key) {
  return RegOpenKeyExA(Root, Path.c_str(), 0, Access, &Key);
}

LONG CreateAs(HKEY Root, const std::string& Path, HKEY& Key) {
  return RegCreateKeyExA(Root, Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                         nullptr, &Key, nullptr);
}

// Runs an open or a create on a handle variable that held something else
// before, and prints what the variable holds afterwards.
void ShowHandle(const std::string& Step, const std::function<LONG(HKEY&)>& Call) {
  const HKEY Before = reinterpret_cast<HKEY>(0x1234);
  HKEY Key = Before;
  const LONG Result = Call(Key);
  const char* Left = Key == Before ? "unchanged" : Key ? "a new handle" : "null";
  std::printf("%s: %ld, handle %s\n", Step.c_str(), long(Result), Left);
  if (Result == ERROR_SUCCESS) RegCloseKey(Key);
}

void FailedOpens() {
  std::printf("# the handle after a failed open or create\n");
  HKEY Closed = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &Closed);
  RegCloseKey(Closed);
  ShowHandle("open through a closed handle",
             [&](HKEY& Key) { return OpenAs(Closed, "A", KEY_READ, Key); });
  ShowHandle("create through a closed handle",
             [&](HKEY& Key) { return CreateAs(Closed, "A", Key); });
  ShowHandle("open through no handle",
             [](HKEY& Key) { return OpenAs(nullptr, "A", KEY_READ, Key); });
  ShowHandle("create through no handle", [](HKEY& Key) { return CreateAs(nullptr, "A", Key); });
  ShowHandle("open a missing key", [](HKEY& Key) {
    return OpenAs(HKEY_CURRENT_USER, "Software\\ZQT Transcript\\Missing", KEY_READ, Key);
  });
  ShowHandle("open a path with a leading backslash",
             [](HKEY& Key) { return OpenAs(HKEY_CURRENT_USER, "\\Software", KEY_READ, Key); });
  ShowHandle("create a path with a leading backslash",
             [](HKEY& Key) { return CreateAs(HKEY_CURRENT_USER, "\\Software", Key); });
  ShowHandle("open an existing key",
             [](HKEY& Key) { return OpenAs(HKEY_CURRENT_USER, kKey, KEY_READ, Key); });
}

// The data into a buffer of Room bytes filled with BD, shown whole, so that
// what the call wrote after the data shows too.
void QueryBuffer(HKEY Key, const char* Name, DWORD Room) {
  std::vector<BYTE> Data(Room, 0xBD);
  DWORD Type = 0xEEEE, Size = Room;
  LONG Result = RegQueryValueExA(Key, Name, nullptr, &Type, Data.data(), &Size);
  std::printf("query \"%s\" into %lu bytes: %ld type %lu size %lu", Name,
              static_cast<unsigned long>(Room), long(Result), static_cast<unsigned long>(Type),
              static_cast<unsigned long>(Size));
  if (Result == ERROR_SUCCESS) std::printf(" buffer%s", Hex(Data.data(), Room).c_str());
  std::printf("\n");
}

// Text written without counting its NUL: Windows reads the byte after the
// data and stores the NUL when that byte is one; a reader gets a NUL added
// only when its buffer has room for it.
void TextWithoutNul() {
  std::printf("# text without its NUL\n");
  HKEY Key = Open(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, "KEY_ALL_ACCESS");
  static const char kText[] = "FullString";
  static const char kTexts[] = "Aa\0Bb\0Cc\0";
  const struct {
    const char* Name;
    DWORD Type;
    const char* Data;
    DWORD Size;
  } Values[] = {{"NulAfter", REG_SZ, kText, 10},
                {"TextAfter", REG_SZ, kText, 9},
                {"TextsEnded", REG_SZ, kTexts, 9},
                {"TextsNulAfter", REG_SZ, kTexts, 8},
                {"TextsTextAfter", REG_SZ, kTexts, 7},
                {"ExpandTextAfter", REG_EXPAND_SZ, kText, 9},
                {"MultiNulAfter", REG_MULTI_SZ, kTexts, 8},
                {"MultiTextAfter", REG_MULTI_SZ, kTexts, 7},
                {"BinaryNulAfter", REG_BINARY, kText, 10}};
  for (const auto& Value : Values) {
    std::printf("set \"%s\" type %lu, %lu bytes: %ld\n", Value.Name,
                static_cast<unsigned long>(Value.Type), static_cast<unsigned long>(Value.Size),
                long(RegSetValueExA(Key, Value.Name, 0, Value.Type,
                                    reinterpret_cast<const BYTE*>(Value.Data), Value.Size)));
    DWORD Size = 0;
    RegQueryValueExA(Key, Value.Name, nullptr, nullptr, nullptr, &Size);
    for (DWORD Room : {Size - 1, Size, Size + 1, Size + 2}) QueryBuffer(Key, Value.Name, Room);
  }
  Close(Key, "the key");
}

// Names in the system's code page, whatever it is; the lines name them in
// ASCII.
void NamesBeyondAscii() {
  std::printf("# names beyond ASCII\n");
  auto Ansi = [](const WideString& Text) { return WideToAnsi(Text, CP_ACP); };
  const std::string Path = std::string(kKey) + "\\";
  const std::string Mixed = Path + Ansi(WIDE("Schl\u00fcssel \u00e9t\u00e9"));
  const std::string Upper = Path + Ansi(WIDE("SCHL\u00dcSSEL \u00c9T\u00c9"));
  ShowHandle("create \"Schluessel ete\"",
             [&](HKEY& Key) { return CreateAs(HKEY_CURRENT_USER, Mixed, Key); });
  ShowHandle("open \"SCHLUESSEL ETE\"",
             [&](HKEY& Key) { return OpenAs(HKEY_CURRENT_USER, Upper, KEY_READ, Key); });
  HKEY Key = nullptr;
  DWORD Disposition = 0;
  LONG Result = RegCreateKeyExA(HKEY_CURRENT_USER, Upper.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &Key, &Disposition);
  std::printf("create \"SCHLUESSEL ETE\": %ld disposition %lu\n", long(Result),
              static_cast<unsigned long>(Disposition));
  const struct {
    const char* Label;
    WideString Written;
    WideString Asked;
  } Names[] = {{"\"Groesse\" as \"GROESSE\"", WIDE("Gr\u00f6\u00dfe"), WIDE("GR\u00d6\u00dfE")},
               {"\"Groesse\" as \"GROSSE\"", WIDE("Gr\u00f6\u00dfe"), WIDE("GR\u00d6SSE")},
               {"\"y diaeresis\" as its capital", WIDE("\u00ff"), WIDE("\u0178")},
               {"\"oe\" as its capital", WIDE("\u0153uvre"), WIDE("\u0152UVRE")}};
  for (const auto& Name : Names) {
    const DWORD One = 1;
    RegSetValueExA(Key, Ansi(Name.Written).c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&One), sizeof(One));
    DWORD Type = 0xEEEE, Size = 0;
    Result = RegQueryValueExA(Key, Ansi(Name.Asked).c_str(), nullptr, &Type, nullptr, &Size);
    std::printf("query %s: %ld type %lu size %lu\n", Name.Label, long(Result),
                static_cast<unsigned long>(Type), static_cast<unsigned long>(Size));
  }
  Close(Key, "the key");
}

void Limits() {
  std::printf("# limits of names\n");
  HKEY Key = Open(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, "KEY_ALL_ACCESS");
  for (size_t Length : {256, 257}) {
    const std::string Name(Length, 'k');
    ShowHandle("create a key named with " + std::to_string(Length) + " characters",
               [&](HKEY& Made) { return CreateAs(Key, Name, Made); });
    ShowHandle("open a key named with " + std::to_string(Length) + " characters",
               [&](HKEY& Opened) { return OpenAs(Key, Name, KEY_READ, Opened); });
  }
  // The handle variable is not shown here: Wine 8 leaves it as it was when a
  // create of several new levels fails, where Windows sets it to NULL.
  HKEY Made = nullptr;
  Print("create a new key and below it one named with 257 characters",
        CreateAs(Key, "P\\" + std::string(257, 'k'), Made));
  ShowHandle("open the new key", [&](HKEY& Opened) { return OpenAs(Key, "P", KEY_READ, Opened); });
  // A name too long is refused before the data is looked at. (Not one of
  // the right length: Wine 8 hands such a name to its server first and, with
  // no data after it, dies of a partial write.)
  Print("set a value named with 16384 characters from no data",
        RegSetValueExA(Key, std::string(16384, 'v').c_str(), 0, REG_DWORD, nullptr, 4));
  for (size_t Length : {16383, 16384, 32766, 32767}) {
    const std::string Name(Length, 'v');
    const DWORD One = 1;
    Print("set a value named with " + std::to_string(Length) + " characters",
          RegSetValueExA(Key, Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&One),
                         sizeof(One)));
    DWORD Type = 0xEEEE, Size = 0;
    LONG Result = RegQueryValueExA(Key, Name.c_str(), nullptr, &Type, nullptr, &Size);
    std::printf("query a value named with %zu characters: %ld type %lu size %lu\n", Length,
                long(Result), static_cast<unsigned long>(Type), static_cast<unsigned long>(Size));
  }
  Close(Key, "the key");
}

// Deleting values and keys: names in other letters, what is missing, keys
// with subkeys, the root, handles without the right, and handles left on a
// deleted key.
void Deletes() {
  std::printf("# deletes\n");
  HKEY Key = Open(HKEY_CURRENT_USER, kKey, KEY_ALL_ACCESS, "KEY_ALL_ACCESS");
  Print("delete value \"DWORD\"", RegDeleteValueA(Key, "DWORD"));
  TypeOnly(Key, "Dword");
  Print("delete value \"Dword\" again", RegDeleteValueA(Key, "Dword"));
  Print("delete the unnamed value", RegDeleteValueA(Key, nullptr));
  TypeOnly(Key, "");
  Print("delete a value named with 16384 characters",
        RegDeleteValueA(Key, std::string(16384, 'v').c_str()));
  HKEY Reader = Open(HKEY_CURRENT_USER, kKey, KEY_READ, "KEY_READ");
  Print("delete value \"Binary\" through the KEY_READ handle", RegDeleteValueA(Reader, "Binary"));
  Print("delete value \"Binary\" through no handle", RegDeleteValueA(nullptr, "Binary"));
  Print("delete key \"A\", which has subkeys", RegDeleteKeyA(Key, "A"));
  Print("delete key \"a\\b\\c\" through the KEY_READ handle", RegDeleteKeyA(Reader, "a\\b\\c"));
  Print("delete key \"A\\B\\C\" again", RegDeleteKeyA(Key, "A\\B\\C"));
  Print("delete key \"\\A\"", RegDeleteKeyA(Key, "\\A"));
  Print("delete key \"A\" through no handle", RegDeleteKeyA(nullptr, "A"));
  Print("delete the root", RegDeleteKeyA(HKEY_CURRENT_USER, ""));
  Close(Reader, "the KEY_READ handle");
  HKEY Doomed = Create(Key, "Doomed");
  Set(Doomed, "Value", REG_DWORD, std::string(4, '\3'));
  Print("delete key \"Doomed\" through itself", RegDeleteKeyA(Doomed, ""));
  Set(Doomed, "Value", REG_DWORD, std::string(4, '\3'));
  Print("delete value \"Value\" of the deleted key", RegDeleteValueA(Doomed, "Value"));
  Print("delete the deleted key", RegDeleteKeyA(Doomed, ""));
  Open(Key, "Doomed", KEY_READ, "KEY_READ");
  // The handle left on the deleted key never reaches the key made after it.
  HKEY Again = Create(Key, "DOOMED");
  Set(Doomed, "Value", REG_DWORD, std::string(4, '\3'));
  TypeOnly(Again, "Value");
  Close(Again, "the key made again");
  Close(Doomed, "the deleted key");
  Print("delete key \"Doomed\"", RegDeleteKeyA(Key, "Doomed"));
  Close(Key, "the key");
}

}  // namespace

int main() {
  TTemporaryRegistry Registry;
  Keys();
  Values();
  Rights();
  Handles();
  FailedOpens();
  TextWithoutNul();
  NamesBeyondAscii();
  Limits();
  Deletes();
  return 0;
}
