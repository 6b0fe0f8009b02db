// The program's access to the desktop registry: reads that fall back to a
// default on every failure, writes that raise ERegistryException.
#pragma once

#include <string>

#include "Registry.h"
#include "StoredValue.h"

class TRegistryManager : public TRegistry, public TRegistryCalls {
 public:
  // Opens Key (read-only, or with full access and created when missing) when
  // it is not empty; whether that worked is left in KeyOpened.
  TRegistryManager(const std::string& Key, const std::string& NamePrefix, bool ReadOnly,
                   HKEY RootKey);

  // Makes Key the current key. An empty Key returns false at once and keeps
  // the current key. Never raises.
  bool OpenKeyMode(const std::string& Key, bool ReadOnly, bool CanCreate);
  // On: an open for full access that would not create the key reads a key
  // that grants only read rights, instead of failing; writes there still
  // fail. Off (as created): such an open fails.
  void SetReadWhereRefused(bool Value) { FReadWhereRefused = Value; }

  bool ReadBoolDef(const std::string& Name, bool Default) const;
  int ReadIntegerDef(const std::string& Name, int Default) const;
  std::string ReadStringDef(const std::string& Name, const std::string& Default) const;
  void ReadBoolValue(const std::string& Name, bool& Value) const;
  void ReadIntegerValue(const std::string& Name, int& Value) const;
  void ReadStringValue(const std::string& Name, std::string& Value) const;

  void WriteBoolValue(const std::string& Name, bool Value);
  void WriteIntegerValue(const std::string& Name, int Value);

  // Values as stored (see TStoredValues), each call through a handle of
  // its own (the current key stays) below the root; the names take the
  // prefix. ProbeKey and QueryValue ask for read rights only.
  LONG ProbeKey(const std::string& Key) override;
  LONG QueryValue(const std::string& Key, const std::string& Name, DWORD& Type,
                  std::string& Data) override;
  LONG SetValue(const std::string& Key, const std::string& Name, DWORD Type,
                const std::string& Data) override;
  LONG DeleteValue(const std::string& Key, const std::string& Name) override;
  LONG DeleteKey(const std::string& Key) override;
  // ERegistryException "Failed to get data for '<name>': " or "Failed to
  // set data for '<name>': " and the reason.
  [[noreturn]] void RaiseReadFailure(const std::string& Name, LONG Code) override;
  [[noreturn]] void RaiseWriteFailure(const std::string& Name, LONG Code) override;

  bool KeyOpened() const { return FKeyOpened; }
  const std::string& NamePrefix() const { return FNamePrefix; }

 private:
  template <typename T, typename Reader>
  T ReadDef(const std::string& Name, T Default, Reader Read) const;

  std::string FNamePrefix;
  bool FKeyOpened = false;
  bool FReadWhereRefused = false;
};

// The value below HKEY_CURRENT_USER, or Default.
bool RegReadBool(const std::string& Key, const std::string& Name, bool Default);
// Writes the value below HKEY_CURRENT_USER, creating the key; raises on failure.
void RegWriteBool(const std::string& Key, const std::string& Name, bool Value);
// The value below RootKey, or Default.
std::string RegReadString(const std::string& Key, const std::string& Name,
                          const std::string& Default, HKEY RootKey);
