// One registry value as a command found it, so that the command can put it
// back exactly as it was: whether its key and the value existed, and the
// value's type and bytes; and the rules by which values in this form are
// read, written and deleted in either registry, over the few calls each
// registry offers (TRegistryCalls).
#pragma once

#include <string>

#include "WinCompat.h"

struct TStoredValue {
  // The first key of the value's key path that did not exist, as a path
  // below the root without a leading backslash; empty when the key existed.
  std::string FirstMissingKey;
  bool Present = false;
  DWORD Type = REG_NONE;
  std::string Data;

  bool operator==(const TStoredValue&) const = default;
};

// A value holding Number as a DWORD.
TStoredValue DwordValue(int Number);
// Whether Value holds a DWORD, and the number it holds.
bool HoldsDword(const TStoredValue& Value, int& Number);
// Whether the two are the same value, present or not, wherever their keys
// begin to be missing.
bool SameValue(const TStoredValue& Left, const TStoredValue& Right);

// Key's path below the root, without its one leading backslash.
std::string PathBelowRoot(const std::string& Key);

// Data followed by two bytes that are not NUL, for a call that is to store
// Data as it is: the registry functions count a text's terminating NUL that
// its writer left out by looking past the data, and here find none.
std::string GuardedBytes(const std::string& Data);

// What a registry offers for values as they are stored, each call on a key
// named by its path below the root (one leading backslash allowed), through
// a handle of its own. Each gives the registry's code: ERROR_SUCCESS,
// ERROR_FILE_NOT_FOUND for a missing key or value, or another failure.
class TRegistryCalls {
 public:
  virtual ~TRegistryCalls() = default;
  // Opens Key for reading, and closes it again.
  virtual LONG ProbeKey(const std::string& Key) = 0;
  // Type and Data receive the value's type and every byte of it.
  virtual LONG QueryValue(const std::string& Key, const std::string& Name, DWORD& Type,
                          std::string& Data) = 0;
  // Opens Key, creating it when missing, and stores exactly Data's bytes.
  virtual LONG SetValue(const std::string& Key, const std::string& Name, DWORD Type,
                        const std::string& Data) = 0;
  virtual LONG DeleteValue(const std::string& Key, const std::string& Name) = 0;
  // Deletes Key with its values; one with subkeys is refused.
  virtual LONG DeleteKey(const std::string& Key) = 0;
  // The registry's exceptions for a failed read or write of the value Name
  // with Code, naming what the latest call lacked where that says more.
  [[noreturn]] virtual void RaiseReadFailure(const std::string& Name, LONG Code) = 0;
  [[noreturn]] virtual void RaiseWriteFailure(const std::string& Name, LONG Code) = 0;
};

// Values as stored, read and written with one set of rules in either
// registry.
class TStoredValues {
 public:
  explicit TStoredValues(TRegistryCalls& Calls) : FCalls(Calls) {}

  // Name in Key as stored, whatever its type. A missing value is an absent
  // one; a missing key too, with the first key of its path that is missing.
  // A key that does not open, although every key of its path does, is a
  // failed read, as is every other failure: the registry's read failure.
  TStoredValue Read(const std::string& Key, const std::string& Name);
  // Makes Name in Key what Value says: present, the key created when
  // missing and the value set with Value's type and exactly its bytes;
  // absent, the value deleted, and the keys that Value says were missing
  // deleted again, deepest first (what is gone already is no failure). A
  // failure is the registry's write failure.
  void Write(const std::string& Key, const std::string& Name, const TStoredValue& Value);

 private:
  // The first key of Key's path that does not exist, level by level; empty
  // when none is missing. The result is the first other failure.
  LONG FindFirstMissingKey(const std::string& Key, std::string& Missing);

  TRegistryCalls& FCalls;
};
