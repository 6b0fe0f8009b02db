// Options bound to registry values: a yes/no or a number kept in the
// desktop registry or in the device's, loaded with a default and written
// back only when the user changed it. Sets of options are loaded and saved
// as a whole, one set per option page.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Exception.h"

class TRegistryManager;
class TRapiManager;
class TOptionKind;

enum class TTweakOptionTarget : std::uint8_t { otDesktop = 0, otDevice = 1 };

// An option's key as the registry editor names it: below HKEY_CURRENT_USER
// (of the desktop or the device), without the key's leading backslash.
std::string RegistryKeyName(const std::string& Key);

class TExTweak : public Exception {
 public:
  using Exception::Exception;
};

class TTweakOptionItem {
 public:
  virtual ~TTweakOptionItem() = default;

  // Reads the value with the manager of the option's target; a missing key
  // or value keeps the current value. The option is not modified afterwards.
  virtual void Load(TRegistryManager* RegistryManager, TRapiManager* RapiManager) = 0;
  // Writes the value when it was changed, creating the key when missing.
  virtual void Save(TRegistryManager* RegistryManager, TRapiManager* RapiManager) = 0;
  // Writes the value, changed or not, as Save writes a changed one.
  virtual void Write(TRegistryManager* RegistryManager, TRapiManager* RapiManager) = 0;
  // What kind of option it is (OptionKind.h).
  virtual const TOptionKind& Kind() const = 0;
  // Raises "Could not write to registry: " with the key and value name.
  [[noreturn]] void RaiseWriteError() const;

  std::string ValueName;
  std::string Key;
  std::string Description;
  std::string Caption;
  TTweakOptionTarget Target = TTweakOptionTarget::otDesktop;

 protected:
  // Opens the option's key with its target's manager.
  bool OpenKey(TRegistryManager* RegistryManager, TRapiManager* RapiManager, bool CanCreate) const;
};

// The behaviour both kinds share; TValue is the kind's value type.
template <typename TValue>
class TTweakOptionItemOf : public TTweakOptionItem {
 public:
  void Load(TRegistryManager* RegistryManager, TRapiManager* RapiManager) override;
  void Save(TRegistryManager* RegistryManager, TRapiManager* RapiManager) override;
  void Write(TRegistryManager* RegistryManager, TRapiManager* RapiManager) override;

  TValue Value() const { return FValue; }
  void SetValue(TValue Value) { FValue = Value; }
  TValue StoredValue() const { return FStoredValue; }
  // Modified exactly when the value differs from the one last read or written.
  bool Modified() const { return FValue != FStoredValue; }
  // The value the option was created with.
  TValue DefaultValue() const { return FDefault; }
  void SetDefaultValue(TValue Value) { FDefault = Value; }
  bool IsDefault() const { return FValue == FDefault; }
  void ResetToDefault() { FValue = FDefault; }

 protected:
  TValue FValue{};
  TValue FStoredValue{};
  TValue FDefault{};
};

// A yes/no option; stored in either registry as a DWORD, 1 or 0, and read
// as true for any value but 0.
class TTweakOptionItemBool : public TTweakOptionItemOf<bool> {
 public:
  const TOptionKind& Kind() const override;
  // The value as the registry keeps it: 1 or 0; any number but 0 sets it.
  int AsInteger() const;
  void SetAsInteger(int Value);
};

// A signed 32-bit number, stored as a DWORD; no range is enforced.
class TTweakOptionItemInt : public TTweakOptionItemOf<int> {
 public:
  const TOptionKind& Kind() const override;
};

// An ordered list of options that owns them.
class TTweakOptionSet {
 public:
  TTweakOptionSet() = default;
  ~TTweakOptionSet() { Clear(); }
  TTweakOptionSet(const TTweakOptionSet&) = delete;
  TTweakOptionSet& operator=(const TTweakOptionSet&) = delete;

  void AddBoolOption(const std::string& Caption, const std::string& Description,
                     const std::string& Key, const std::string& ValueName, bool Default,
                     TTweakOptionTarget Target);
  void AddIntOption(const std::string& Caption, const std::string& Description,
                    const std::string& Key, const std::string& ValueName, int Default,
                    TTweakOptionTarget Target);
  int Count() const { return static_cast<int>(FItems.size()); }
  // The option at Index; EListError outside 0 to Count - 1.
  TTweakOptionItem* Items(int Index) const;
  // Loads, then saves, every option in order; the first error stops the loop.
  void LoadOptions(TRegistryManager* RegistryManager, TRapiManager* RapiManager);
  void SaveOptions(TRegistryManager* RegistryManager, TRapiManager* RapiManager);
  // Frees every option, first to last.
  void Clear();

 private:
  std::vector<std::unique_ptr<TTweakOptionItem>> FItems;
};

// The base of option catalogues.
class TTweakOptionsManager {
 public:
  virtual ~TTweakOptionsManager() = default;
};
