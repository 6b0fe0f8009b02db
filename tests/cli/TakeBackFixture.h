// Values of both registries that a command writes, each with the state the
// test gives it first, every byte of it, and what the command writes; and
// what the journal and the next command make of them.
#pragma once

#include <filesystem>
#include <optional>

#include "CommandJournal.h"
#include "ValueBytes.h"
#include "ZqtTweakFixture.h"

struct TWatchedValue {
  std::string Id;
  bool OnDevice;
  std::string Key;
  std::string Name;
  // Type REG_NONE: the value is missing, and so is its key.
  DWORD Type;
  std::string Bytes;
  DWORD Written;
};

// A value as found: none for a missing key.
struct TFoundValue {
  bool Present = false;
  DWORD Type = REG_NONE;
  std::string Bytes;
  bool operator==(const TFoundValue&) const = default;
};

class TakeBackFixture : public ZqtTweakFixture {
 protected:
  void SetUp() override {
    UnlockAdvancedOptions();
    Device.SetName(WIDE("Pocket one"));
  }

  // Text beyond ASCII of an odd length without its NUL, an expandable text,
  // a number and a missing key on the desktop; a number and bytes on the
  // device.
  const std::vector<TWatchedValue> Watched = {
      {"drag-drop-delay", false, kSettingsKey, kDelayName, REG_SZ,
       std::string("\xA9\x03"
                   "2\0"
                   "5",
                   5),
       500},
      {"use-margins", true, kAppearanceKey, "UseMargins", REG_DWORD, DwordBytes(1), 0},
      {"desktop-sync-log", false, kSyncLogKey, "LogEnabled", REG_NONE, "", 1},
      {"device-rte-log", true, "Software\\ZQT\\ZQT", "RTELogEnabled", REG_BINARY,
       std::string("\0\xFF\x01", 3), 1},
      {"desktop-trace-window", false, "Software\\ZQT\\Sync", "EnableTraceWindow", REG_DWORD,
       DwordBytes(2), 1},
      {"desktop-keep-temp-files", false, "Software\\ZQT\\Sync", "KeepTempFiles", REG_EXPAND_SZ,
       std::string("%\0T\0\xA9\x03\0\0", 8), 1}};

  // "--set ID=VALUE" for each watched value, in the order given.
  template <typename TValues>
  static std::vector<std::string> SetCommand(const TValues& Values) {
    std::vector<std::string> Command;
    for (const TWatchedValue& Value : Values)
      Command.insert(Command.end(), {"--set", Value.Id + "=" + std::to_string(Value.Written)});
    return Command;
  }

  // Every watched value as it was first, and no journal.
  void SetBefore() {
    std::filesystem::remove(JournalFile());
    for (const TWatchedValue& Value : Watched) {
      if (Value.Type != REG_NONE) Set(Value, Value.Type, Value.Bytes);
      if (Value.Type == REG_NONE) RegDeleteKeyA(HKEY_CURRENT_USER, Value.Key.c_str());
      ASSERT_EQ(Before(Value), Found(Value)) << Value.Id;
    }
  }

  void Set(const TWatchedValue& Value, DWORD Type, const std::string& Bytes) {
    if (Value.OnDevice)
      return Device.SetValue(HKEY_CURRENT_USER, Value.Key, Value.Name, Type, Bytes);
    HKEY Key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, Value.Key.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &Key, nullptr));
    const std::string Guarded = GuardedBytes(Bytes);
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueBytes(Key, Value.Name, Type, reinterpret_cast<const BYTE*>(Guarded.data()),
                               static_cast<DWORD>(Bytes.size())));
    RegCloseKey(Key);
  }

  std::optional<TFoundValue> Found(const TWatchedValue& Value) {
    TFoundValue Found;
    if (Value.OnDevice) {
      if (!Device.KeyExists(HKEY_CURRENT_USER, Value.Key)) return std::nullopt;
      Found.Present =
          Device.QueryValue(HKEY_CURRENT_USER, Value.Key, Value.Name, Found.Type, Found.Bytes);
      return Found;
    }
    HKEY Key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Value.Key.c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS)
      return std::nullopt;
    DWORD Size = 0;
    Found.Present =
        RegQueryValueBytes(Key, Value.Name, &Found.Type, nullptr, &Size) == ERROR_SUCCESS;
    Found.Bytes.assign(Size, '\0');
    if (Found.Present)
      RegQueryValueBytes(Key, Value.Name, &Found.Type, reinterpret_cast<BYTE*>(Found.Bytes.data()),
                         &Size);
    RegCloseKey(Key);
    return Found;
  }

  std::optional<TFoundValue> Before(const TWatchedValue& Value) const {
    if (Value.Type == REG_NONE) return std::nullopt;
    return TFoundValue{true, Value.Type, Value.Bytes};
  }

  static TFoundValue After(const TWatchedValue& Value) {
    return TFoundValue{true, REG_DWORD, DwordBytes(Value.Written)};
  }

  // How many watched values are as they were first, and as written.
  std::pair<int, int> AsBeforeAndAsWritten() {
    std::pair<int, int> Count;
    for (const TWatchedValue& Value : Watched) {
      const std::optional<TFoundValue> Now = Found(Value);
      Count.first += Now == Before(Value);
      Count.second += Now == std::optional<TFoundValue>(After(Value));
    }
    return Count;
  }

  const TWatchedValue& WatchedNamed(const std::string& Id) const {
    for (const TWatchedValue& Value : Watched)
      if (Value.Id == Id) return Value;
    throw std::invalid_argument(Id);
  }

  static std::string JournalFile() {
    std::string Failure;
    return JournalFileName(Failure);
  }
};
