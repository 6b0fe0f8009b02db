// A random differential of the registry functions: fixed seeds drive
// sequences of RegCreateKeyExA, RegOpenKeyExA, RegSetValueExA,
// RegQueryValueExA, RegCloseKey and RegFlushKey calls, each on a fresh
// registry, with names in any letter case and beyond ASCII, names at their
// length limits, handles of every kind of rights, closed handles and no
// handle, text with and without its NUL, and buffers of any size. Every
// result is printed. RegistryDifferential.expected holds what Wine's
// advapi32 gives; the registry here must give the same, line for line.
//
// The sequences leave out what Wine itself does differently from Windows, so
// that a difference is always ours:
// - Keys deeper than 512 levels below the registry's root: Windows refuses
//   them with ERROR_INVALID_PARAMETER (it takes 509 levels below
//   HKEY_CURRENT_USER), Wine makes them. Sequences stay within 100 levels;
//   RegistryStoreTest checks the limit here.
// - Key paths longer than 260 characters: Wine's A functions convert the
//   path into the thread's static buffer of MAX_PATH characters and answer
//   ERROR_MORE_DATA for a longer one; Windows converts it into a string of
//   its own. Paths stay within 260 characters.
// - A null phkResult: Wine 8 writes through it and crashes; Windows answers
//   ERROR_INVALID_PARAMETER for an open and ERROR_BADKEY for a create (Wine's
//   own conformance tests).
// - The handle variable after a create that made keys and then refused a
//   name below them: Wine 8 leaves it as it was, Windows sets it to NULL (as
//   does Wine's later create_key, which clears it first). It is not printed
//   after a create that answered ERROR_INVALID_PARAMETER.
// - The disposition of a create with an empty path or none, which makes
//   nothing: Wine reports REG_CREATED_NEW_KEY (its object manager takes an
//   empty name for a new object); Windows documents REG_OPENED_EXISTING_KEY
//   for "the key existed and was simply opened without being changed". It is
//   not printed for such a create, nor for a failed one, where it means
//   nothing (Wine 8 then reports the keys it made on the way).
// - No data with a size, for a text type: Wine 8 reads the data to count
//   its NUL before it checks the pointer, and crashes; Windows answers
//   ERROR_NOACCESS, as Wine does for the other types (RegistryTranscript).
// - Text beyond ASCII in values: the A functions convert it to UTF-16 and
//   back in the system's code page, which differs between the two systems.
//   Text values hold ASCII; names go beyond it, written from the same UTF-16
//   text in each system's code page, and lines name them by number.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "TemporaryRegistry.h"
#include "miniUtils.h"

namespace {

constexpr unsigned kSeeds[] = {11, 23, 37, 41, 53, 67};
constexpr int kCallsPerSequence = 500;
constexpr size_t kMaxPathLength = 260;
constexpr int kMaxLevels = 100;
constexpr size_t kMaxData = 12;
const HKEY kUntouched = reinterpret_cast<HKEY>(0x1234);

std::vector<std::string> InCodePage(std::vector<WideString> Names) {
  std::vector<std::string> Converted;
  for (const WideString& Name : Names) Converted.push_back(WideToAnsi(Name, CP_ACP));
  return Converted;
}

// Key names: k0, k1, ... in the lines.
const std::vector<std::string> kKeyNames = [] {
  std::vector<std::string> Names = InCodePage({
      WIDE("Alpha"),
      WIDE("alpha"),
      WIDE("ALPHA"),
      WIDE("Beta"),
      WIDE("bETA"),
      WIDE("Schl\u00fcssel \u00e9t\u00e9"),
      WIDE("SCHL\u00dcSSEL \u00c9T\u00c9"),
      WIDE("schl\u00fcssel \u00c9t\u00e9"),
      WIDE("\u0153uvre"),
      WIDE("\u0152UVRE"),
      WIDE("\u00ff"),
      WIDE("\u0178"),
      WIDE("Stra\u00dfe"),
      WIDE("STRASSE"),
  });
  for (size_t Length : {255, 256, 257}) Names.push_back(std::string(Length, 'k'));
  return Names;
}();

// Value names: v0, v1, ... in the lines, and "NULL" for none.
const std::vector<std::string> kValueNames = [] {
  std::vector<std::string> Names = InCodePage({
      WIDE(""),
      WIDE("Value"),
      WIDE("VALUE"),
      WIDE("value"),
      WIDE("Gr\u00f6\u00dfe"),
      WIDE("GR\u00d6\u00dfE"),
      WIDE("GR\u00d6SSE"),
      WIDE("\u00e6\u00f0\u00fe"),
      WIDE("\u00c6\u00d0\u00de"),
  });
  for (size_t Length : {16383, 16384, 32767}) Names.push_back(std::string(Length, 'v'));
  return Names;
}();

const struct {
  REGSAM Mask;
  const char* Label;
} kAccesses[] = {{KEY_ALL_ACCESS, "KEY_ALL_ACCESS"}, {KEY_READ, "KEY_READ"},
                 {KEY_WRITE, "KEY_WRITE"},           {KEY_QUERY_VALUE, "KEY_QUERY_VALUE"},
                 {KEY_SET_VALUE, "KEY_SET_VALUE"},   {KEY_READ | KEY_WRITE, "KEY_READ|KEY_WRITE"}};

const DWORD kTypes[] = {REG_NONE, REG_SZ,       REG_EXPAND_SZ, REG_BINARY, REG_DWORD,
                        REG_LINK, REG_MULTI_SZ, REG_QWORD,     0x12345};

bool IsText(DWORD Type) { return Type == REG_SZ || Type == REG_EXPAND_SZ || Type == REG_MULTI_SZ; }

std::string Hex(const BYTE* Data, size_t Size) {
  std::string Text;
  char Byte[4];
  for (size_t Index = 0; Index < Size; ++Index) {
    std::snprintf(Byte, sizeof(Byte), " %02X", Data[Index]);
    Text += Byte;
  }
  return Text;
}

// A key handle the sequence holds, with how deep its key lies below its root.
struct THandle {
  HKEY Key;
  std::string Label;
  int Levels;
};

struct TPath {
  bool None;  // no path at all, a null pointer
  std::string Written;
  std::string Label;
  int Levels;
  const char* Pointer() const { return None ? nullptr : Written.c_str(); }
};

class TSequence {
 public:
  explicit TSequence(unsigned Seed) : FRandom(Seed), FSeed(Seed) {}

  void Run() {
    for (FCall = 1; FCall <= kCallsPerSequence; ++FCall) {
      const size_t Kind = Pick(20);
      if (Kind < 4)
        Create();
      else if (Kind < 7)
        Open();
      else if (Kind < 12)
        Set();
      else if (Kind < 18)
        Query();
      else if (Kind < 19)
        Close();
      else
        Flush();
    }
    for (const THandle& Handle : FOpen) RegCloseKey(Handle.Key);
  }

 private:
  size_t Pick(size_t Count) { return FRandom() % Count; }
  bool Chance(unsigned Percent) { return Pick(100) < Percent; }

  void Line(const std::string& Text) { std::printf("%u.%d %s\n", FSeed, FCall, Text.c_str()); }

  // The key to act on: a root, a handle the sequence holds, the handle it
  // closed last (while no handle was made since, which could have taken its
  // value), or no handle.
  THandle PickKey() {
    const size_t Kind = Pick(20);
    if (Kind < 6) return {HKEY_CURRENT_USER, "HKCU", 0};
    if (Kind < 8) return {HKEY_LOCAL_MACHINE, "HKLM", 0};
    if (Kind == 8) return {nullptr, "NULL", 0};
    if (Kind == 9 && FClosed.Key) return FClosed;
    if (FOpen.empty()) return {HKEY_CURRENT_USER, "HKCU", 0};
    return FOpen[Pick(FOpen.size())];
  }

  // One to four key names, now and then with doubled or trailing
  // backslashes or a leading one; an empty path or none at all.
  TPath PickPath(int BaseLevels) {
    if (Chance(4)) return {true, "", "NULL", 0};
    if (Chance(5)) return {false, "", "\"\"", 0};
    for (;;) {
      TPath Path{false, "", "", 0};
      if (Chance(3)) Path.Written = Path.Label = "\\";
      const size_t Count = 1 + Pick(4);
      for (size_t Index = 0; Index < Count; ++Index) {
        if (Index > 0) {
          const std::string Separator = Chance(10) ? "\\\\" : "\\";
          Path.Written += Separator;
          Path.Label += Separator;
        }
        const size_t Name = Pick(kKeyNames.size());
        Path.Written += kKeyNames[Name];
        Path.Label += "k" + std::to_string(Name);
      }
      if (Chance(10)) {
        Path.Written += "\\";
        Path.Label += "\\";
      }
      Path.Levels = static_cast<int>(Count);
      const size_t Characters = AnsiToWide(Path.Written, CP_ACP).size();
      if (Characters > kMaxPathLength || BaseLevels + Path.Levels > kMaxLevels) continue;
      return Path;
    }
  }

  size_t PickAccess() { return Pick(std::size(kAccesses)); }

  // What the call left in the handle variable; a new handle joins the held
  // ones.
  std::string Outcome(LONG Result, HKEY Key, int Levels) {
    if (Key == kUntouched) return "unchanged";
    if (!Key) return "null";
    if (Key == HKEY_CURRENT_USER) return "HKCU";
    if (Key == HKEY_LOCAL_MACHINE) return "HKLM";
    if (Result != ERROR_SUCCESS) return "a handle despite the failure";
    FOpen.push_back({Key, "h" + std::to_string(FNextHandle++), Levels});
    FClosed = {};
    return FOpen.back().Label;
  }

  void Create() {
    const THandle Base = PickKey();
    const TPath Path = PickPath(Base.Levels);
    const size_t Access = PickAccess();
    HKEY Key = kUntouched;
    DWORD Disposition = 0xEEEE;
    const LONG Result =
        RegCreateKeyExA(Base.Key, Path.Pointer(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        kAccesses[Access].Mask, nullptr, &Key, &Disposition);
    std::string Text = "create " + Base.Label + " " + Path.Label + " " + kAccesses[Access].Label +
                       ": " + std::to_string(Result);
    if (Result != ERROR_INVALID_PARAMETER)
      Text += " handle " + Outcome(Result, Key, Base.Levels + Path.Levels);
    if (Result == ERROR_SUCCESS && Path.Levels > 0)
      Text += " disposition " + std::to_string(Disposition);
    Line(Text);
  }

  void Open() {
    const THandle Base = PickKey();
    const TPath Path = PickPath(Base.Levels);
    const size_t Access = PickAccess();
    HKEY Key = kUntouched;
    const LONG Result = RegOpenKeyExA(Base.Key, Path.Pointer(), 0, kAccesses[Access].Mask, &Key);
    Line("open " + Base.Label + " " + Path.Label + " " + kAccesses[Access].Label + ": " +
         std::to_string(Result) + " handle " + Outcome(Result, Key, Base.Levels + Path.Levels));
  }

  // A value name by number, or none.
  const char* PickValueName(std::string& Label) {
    if (Chance(5)) {
      Label = "NULL";
      return nullptr;
    }
    // The names at the length limits come seldom.
    const size_t Count = Chance(10) ? kValueNames.size() : kValueNames.size() - 3;
    const size_t Name = Pick(Count);
    Label = "v" + std::to_string(Name);
    return kValueNames[Name].c_str();
  }

  // Up to twelve bytes of data, and in the buffer after them a byte that the
  // call may read: a NUL or a letter.
  void Set() {
    const THandle Key = PickKey();
    std::string Name;
    const char* NamePointer = PickValueName(Name);
    const DWORD Type = kTypes[Pick(std::size(kTypes))];
    BYTE Buffer[kMaxData + 1];
    DWORD Size = static_cast<DWORD>(Pick(kMaxData + 1));
    for (DWORD Index = 0; Index < Size; ++Index)
      Buffer[Index] = IsText(Type) ? (Chance(20) ? 0 : BYTE('a' + Pick(26))) : BYTE(Pick(256));
    Buffer[Size] = Chance(50) ? 0 : 'z';
    const BYTE* Data = Buffer;
    std::string Shown = Hex(Buffer, Size) + " |" + Hex(Buffer + Size, 1);
    if (Size == 0 && Chance(30)) {
      Data = nullptr;
      Shown = " no data";
    } else if (!IsText(Type) && Chance(2)) {
      Data = nullptr;
      Size = 4;
      Shown = " no data, 4 bytes";
    }
    const LONG Result = RegSetValueExA(Key.Key, NamePointer, 0, Type, Data, Size);
    Line("set " + Key.Label + " " + Name + " type " + std::to_string(Type) + Shown + ": " +
         std::to_string(Result));
  }

  // The type and size alone, the type alone, the data into a buffer of any
  // size (shown whole after a success, filled with BD before), or a buffer
  // without a size.
  void Query() {
    const THandle Key = PickKey();
    std::string Name;
    const char* NamePointer = PickValueName(Name);
    const size_t Mode = Pick(5);
    DWORD Type = 0xEEEE;
    const DWORD Room = static_cast<DWORD>(Pick(17));
    DWORD Size = Mode == 0 ? 0xDDDD : Room;
    std::vector<BYTE> Data(Room + 1, 0xBD);
    DWORD* TypePointer = Mode == 4 ? nullptr : &Type;
    DWORD* SizePointer = Mode == 2 || Mode == 3 ? nullptr : &Size;
    BYTE* DataPointer = Mode == 0 || Mode == 2 ? nullptr : Data.data();
    const LONG Result =
        RegQueryValueExA(Key.Key, NamePointer, nullptr, TypePointer, DataPointer, SizePointer);
    static const char* const kModes[] = {"size", "into a buffer", "type", "without a size",
                                         "into a buffer without a type"};
    std::string Text = "query " + Key.Label + " " + Name + " " + kModes[Mode];
    if (DataPointer && SizePointer) Text += " of " + std::to_string(Room);
    Text += ": " + std::to_string(Result);
    if (TypePointer) Text += " type " + std::to_string(Type);
    if (SizePointer) Text += " size " + std::to_string(Size);
    if (Result == ERROR_SUCCESS && DataPointer) Text += " buffer" + Hex(Data.data(), Room + 1);
    Line(Text);
  }

  // A held handle, a root, the handle closed last or no handle.
  THandle PickClosing() {
    const size_t Kind = Pick(10);
    if (Kind == 0) return {HKEY_CURRENT_USER, "HKCU", 0};
    if (Kind == 1) return {nullptr, "NULL", 0};
    if (Kind == 2 && FClosed.Key) return FClosed;
    if (FOpen.empty()) return {HKEY_LOCAL_MACHINE, "HKLM", 0};
    const size_t Index = Pick(FOpen.size());
    const THandle Handle = FOpen[Index];
    FOpen.erase(FOpen.begin() + Index);
    FClosed = Handle;
    FClosed.Label += "(closed)";
    return Handle;
  }

  void Close() {
    const THandle Key = PickClosing();
    Line("close " + Key.Label + ": " + std::to_string(RegCloseKey(Key.Key)));
  }

  void Flush() {
    const THandle Key = PickKey();
    Line("flush " + Key.Label + ": " + std::to_string(RegFlushKey(Key.Key)));
  }

  std::mt19937 FRandom;
  unsigned FSeed;
  int FCall = 0;
  std::vector<THandle> FOpen;
  THandle FClosed{nullptr, "", 0};
  int FNextHandle = 1;
};

}  // namespace

int main() {
  for (unsigned Seed : kSeeds) {
    TTemporaryRegistry Registry;
    TSequence(Seed).Run();
  }
  return 0;
}
