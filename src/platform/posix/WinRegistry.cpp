// The Win32 registry functions, served by registry stores.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "CaseFold.h"
#include "RegistryHandles.h"

namespace {

constexpr REGSAM kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

struct TOpenKey {
  std::shared_ptr<TRegistryStore> Store;
  TRegistryStore::KeyId Id = 0;
  REGSAM Access = 0;
};

// Open handles in slots. A handle tells its slot and the number of the
// opening that took it, so that a closed handle, or one whose slot was
// taken again since, is invalid, and nothing is searched for. Handles stay
// clear of the predefined roots: their two lowest bits are 0.
class THandleTable {
 public:
  HKEY Add(TOpenKey Key) {
    std::lock_guard Guard(FLock);
    if (FFree.empty()) {
      if (FSlots.size() > kLastSlot) throw std::bad_alloc();
      FFree.push_back(static_cast<std::uint32_t>(FSlots.size()));
      FSlots.emplace_back();
    }
    const std::uint32_t Slot = FFree.back();
    FFree.pop_back();
    FSlots[Slot] = {++FOpenings, std::move(Key)};
    return reinterpret_cast<HKEY>((FOpenings << kSlotBits | Slot) << 2);
  }
  bool Find(HKEY Handle, TOpenKey& Key) {
    std::lock_guard Guard(FLock);
    const TSlot* Taken = Slot(Handle);
    if (!Taken) return false;
    Key = Taken->Key;
    return true;
  }
  bool Remove(HKEY Handle) {
    std::lock_guard Guard(FLock);
    TSlot* Taken = Slot(Handle);
    if (!Taken) return false;
    *Taken = TSlot();  // the store is let go now
    FFree.push_back(static_cast<std::uint32_t>(Taken - FSlots.data()));
    return true;
  }
  void SetDesktop(std::shared_ptr<TRegistryStore> Store) {
    std::lock_guard Guard(FLock);
    FDesktop = std::move(Store);
  }
  std::shared_ptr<TRegistryStore> Desktop() {
    std::lock_guard Guard(FLock);
    if (!FDesktop) {
      const char* Named = std::getenv(kRegistryFileVariable);
      if (Named && *Named)
        FDesktop = std::make_shared<TRegistryStore>(Named, false);
      else
        FDesktop = std::make_shared<TRegistryStore>(DefaultDesktopRegistryFile(), true);
    }
    return FDesktop;
  }

 private:
  // Opening 0 marks a free slot.
  struct TSlot {
    std::uint64_t Opening = 0;
    TOpenKey Key;
  };
  // Over 16 million keys open at once, and 2^38 openings before a number
  // comes again.
  static constexpr int kSlotBits = 24;
  static constexpr std::size_t kLastSlot = (std::size_t{1} << kSlotBits) - 1;
  static_assert(sizeof(std::uintptr_t) == 8, "handles hold a slot and an opening in 62 bits");

  TSlot* Slot(HKEY Handle) {
    const auto Value = reinterpret_cast<std::uintptr_t>(Handle);
    const std::size_t Index = (Value >> 2) & kLastSlot;
    if ((Value & 3) != 0 || Index >= FSlots.size()) return nullptr;
    TSlot& Taken = FSlots[Index];
    return Taken.Opening != 0 && Taken.Opening == Value >> (kSlotBits + 2) ? &Taken : nullptr;
  }

  std::mutex FLock;
  std::vector<TSlot> FSlots;
  std::vector<std::uint32_t> FFree;
  std::uint64_t FOpenings = 0;
  std::shared_ptr<TRegistryStore> FDesktop;
};

THandleTable& Handles() {
  static THandleTable Table;
  return Table;
}

bool IsPredefined(HKEY Key) { return Key == HKEY_CURRENT_USER || Key == HKEY_LOCAL_MACHINE; }

bool Resolve(HKEY Handle, TOpenKey& Key) {
  if (Handle == HKEY_CURRENT_USER || Handle == HKEY_LOCAL_MACHINE) {
    Key.Store = Handles().Desktop();
    Key.Id = Handle == HKEY_CURRENT_USER ? TRegistryStore::CurrentUserHive
                                         : TRegistryStore::LocalMachineHive;
    Key.Access = KEY_ALL_ACCESS;
    return true;
  }
  return Handles().Find(Handle, Key);
}

// No failure of the store, memory included, leaves these functions as an
// exception: it becomes an error code.
template <typename Body>
LONG Guarded(Body&& Work) noexcept {
  try {
    return Work();
  } catch (...) {
    return ERROR_OUTOFMEMORY;
  }
}

std::string_view NameOf(LPCSTR Text) { return Text ? std::string_view(Text) : std::string_view(); }

// The types whose data the A functions treat as text.
bool IsText(DWORD Type) { return Type == REG_SZ || Type == REG_EXPAND_SZ || Type == REG_MULTI_SZ; }

// Value names as Windows takes them from the A functions: first made a
// counted UTF-16 string, which holds at most 32,766 units, then looked for
// among names of at most 16,383 units. TooLong: the answer for a name that
// fits the first and not the second.
LONG CheckValueName(std::string_view Name, LONG TooLong) {
  constexpr size_t kMaxCountedLength = 32766;
  constexpr size_t kMaxValueNameLength = 16383;
  const size_t Length = Utf16Length(Name);
  if (Length > kMaxCountedLength) return ERROR_INVALID_PARAMETER;
  return Length > kMaxValueNameLength ? TooLong : ERROR_SUCCESS;
}

// Windows counts a text's terminating NUL that its writer left out: it reads
// the byte after the data, and takes it along when it is a NUL.
DWORD TextSizeWithNul(DWORD Type, const BYTE* Data, DWORD Size) {
  return IsText(Type) && Size > 0 && Data[Size - 1] != 0 && Data[Size] == 0 ? Size + 1 : Size;
}

}  // namespace

// Never a folder shared with others (/tmp): without a home, no store.
std::string DefaultDesktopRegistryFile() {
  if (const char* Data = std::getenv("XDG_DATA_HOME"); Data && *Data == '/')
    return std::string(Data) + "/ZQTTweaker/registry.db";
  const char* Home = std::getenv("HOME");
  if (!Home || !*Home) {
    const passwd* User = getpwuid(getuid());
    Home = User ? User->pw_dir : nullptr;
  }
  if (!Home || !*Home) return std::string();
  return std::string(Home) + "/.local/share/ZQTTweaker/registry.db";
}

std::shared_ptr<TRegistryStore> DesktopRegistryStore() { return Handles().Desktop(); }

void SetDesktopRegistryStore(std::shared_ptr<TRegistryStore> Store) {
  Handles().SetDesktop(std::move(Store));
}

HKEY OpenStoreKey(std::shared_ptr<TRegistryStore> Store, TRegistryStore::KeyId Key) {
  return Handles().Add({std::move(Store), Key, KEY_ALL_ACCESS});
}

extern "C" {

// A failed open or create leaves a null handle, except when there was no
// handle to start from.
LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired,
                   PHKEY phkResult) {
  return Guarded([&]() -> LONG {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    if (!hKey) return ERROR_INVALID_HANDLE;
    std::string_view Path = NameOf(lpSubKey);
    if (Path.empty() && IsPredefined(hKey)) {
      *phkResult = hKey;
      return ERROR_SUCCESS;
    }
    *phkResult = nullptr;
    TOpenKey Base;
    if (!Resolve(hKey, Base)) return ERROR_INVALID_HANDLE;
    TRegistryStore::KeyId Id = 0;
    LONG Result = Base.Store->OpenKey(Base.Id, Path, (samDesired & kWriteRights) != 0, Id);
    if (Result == ERROR_SUCCESS)
      *phkResult = Handles().Add({std::move(Base.Store), Id, samDesired});
    return Result;
  });
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*Reserved*/, LPSTR /*lpClass*/,
                     DWORD /*dwOptions*/, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, PHKEY phkResult,
                     LPDWORD lpdwDisposition) {
  return Guarded([&]() -> LONG {
    if (!phkResult) return ERROR_BADKEY;
    if (!hKey) return ERROR_INVALID_HANDLE;
    *phkResult = nullptr;
    TOpenKey Base;
    if (!Resolve(hKey, Base)) return ERROR_INVALID_HANDLE;
    TRegistryStore::KeyId Id = 0;
    bool Created = false;
    const bool WantsWrite = (samDesired & kWriteRights) != 0;
    LONG Result = Base.Store->CreateKey(Base.Id, NameOf(lpSubKey), WantsWrite, Id, Created);
    if (Result != ERROR_SUCCESS) return Result;
    *phkResult = Handles().Add({Base.Store, Id, samDesired});
    if (lpdwDisposition) *lpdwDisposition = Created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
  });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData) {
  return Guarded([&]() -> LONG {
    if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    if (!hKey) return ERROR_INVALID_HANDLE;
    // Whatever follows, the type reads REG_NONE, and a size asked for alone
    // reads 0, until the value was found.
    const DWORD Capacity = lpcbData ? *lpcbData : 0;
    if (lpType) *lpType = REG_NONE;
    if (lpcbData && !lpData) *lpcbData = 0;
    const std::string_view Name = NameOf(lpValueName);
    LONG Result = CheckValueName(Name, ERROR_FILE_NOT_FOUND);
    if (Result != ERROR_SUCCESS) return Result;
    TOpenKey Key;
    if (!Resolve(hKey, Key)) return ERROR_INVALID_HANDLE;
    if (!(Key.Access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    DWORD Type = REG_NONE;
    std::string Data;
    Result = Key.Store->QueryValue(Key.Id, Name, Type, Data);
    if (Result != ERROR_SUCCESS) return Result;
    if (lpType) *lpType = Type;
    if (!lpcbData) return ERROR_SUCCESS;
    *lpcbData = static_cast<DWORD>(Data.size());
    if (!lpData) return ERROR_SUCCESS;
    if (Capacity < Data.size()) return ERROR_MORE_DATA;
    if (!Data.empty()) std::memcpy(lpData, Data.data(), Data.size());
    // Text stored without its NUL gets one where the buffer has room for it;
    // the size stays that of the data.
    if (IsText(Type) && !Data.empty() && Data.back() != '\0' && Capacity > Data.size())
      lpData[Data.size()] = 0;
    return ERROR_SUCCESS;
  });
}

// The checks come in the order of the A function: the handle's value, the
// name as it is converted, the data as it is passed on, and last what the
// handle refers to and may do.
LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                    const BYTE* lpData, DWORD cbData) {
  return Guarded([&]() -> LONG {
    if (!hKey) return ERROR_INVALID_HANDLE;
    const std::string_view Name = NameOf(lpValueName);
    const LONG Valid = CheckValueName(Name, ERROR_INVALID_PARAMETER);
    if (Valid != ERROR_SUCCESS) return Valid;
    if (!lpData && cbData != 0) return ERROR_NOACCESS;
    TOpenKey Key;
    if (!Resolve(hKey, Key)) return ERROR_INVALID_HANDLE;
    if (!(Key.Access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    return Key.Store->SetValue(Key.Id, Name, dwType, lpData,
                               TextSizeWithNul(dwType, lpData, cbData));
  });
}

// The name first, as the A function converts it before it looks at the
// handle's key.
LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  return Guarded([&]() -> LONG {
    if (!hKey) return ERROR_INVALID_HANDLE;
    const std::string_view Name = NameOf(lpValueName);
    const LONG Valid = CheckValueName(Name, ERROR_FILE_NOT_FOUND);
    if (Valid != ERROR_SUCCESS) return Valid;
    TOpenKey Key;
    if (!Resolve(hKey, Key)) return ERROR_INVALID_HANDLE;
    if (!(Key.Access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    return Key.Store->DeleteValue(Key.Id, Name);
  });
}

// As Windows opens the key for deletion, the rights of hKey play no part.
LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  return Guarded([&]() -> LONG {
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    if (!hKey) return ERROR_INVALID_HANDLE;
    TOpenKey Base;
    if (!Resolve(hKey, Base)) return ERROR_INVALID_HANDLE;
    return Base.Store->DeleteKey(Base.Id, lpSubKey);
  });
}

LONG RegCloseKey(HKEY hKey) {
  return Guarded([&]() -> LONG {
    if (IsPredefined(hKey)) return ERROR_SUCCESS;
    return Handles().Remove(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  });
}

LONG RegFlushKey(HKEY hKey) {
  return Guarded([&]() -> LONG {
    // Every write is already durable when it returns.
    TOpenKey Key;
    return Resolve(hKey, Key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  });
}

}  // extern "C"
