// The general registry accessor: one root, at most one open key, reads and
// writes of that key's values. The registry manager builds on it.
#pragma once

#include <string>

#include "Exception.h"
#include "WinCompat.h"

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class TRegistry {
 public:
  TRegistry();
  virtual ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return FRootKey; }
  // A different root closes the current key; the same root changes nothing.
  void SetRootKey(HKEY Value);
  HKEY CurrentKey() const { return FCurrentKey; }
  const std::string& CurrentPath() const { return FCurrentPath; }

  // Opens Key with the access mask, creating it when CanCreate. Never raises.
  // ReadWhereRefused: a key that exists but refuses those rights, and is
  // not to be created, is opened with the first read mask it grants; the
  // access mask of later opens stays as it was.
  bool OpenKey(const std::string& Key, bool CanCreate, bool ReadWhereRefused = false);
  // Opens Key with the first read mask the registry grants, which later
  // opens then ask for too. Never raises.
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();

  bool ValueExists(const std::string& Name) const;
  int ReadInteger(const std::string& Name) const;
  bool ReadBool(const std::string& Name) const;
  std::string ReadString(const std::string& Name) const;
  void WriteInteger(const std::string& Name, int Value);
  void WriteBool(const std::string& Name, bool Value);

 private:
  // The key a path is resolved against, and the path without its one
  // leading backslash (pointing into Key).
  HKEY BaseKeyFor(const std::string& Key, const char*& RelativePath) const;
  void ChangeKey(HKEY Value, const std::string& Key, const char* RelativePath);
  // Closes the current key's handle; the path stays.
  void ReleaseKey();
  // Opens Key with the first read mask granted, which Granted receives.
  bool OpenKeyToRead(const std::string& Key, REGSAM& Granted);

  HKEY FRootKey;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  // The rights asked for by later opens; a read-only open changes it.
  REGSAM FAccess = KEY_ALL_ACCESS;
  // On in this program: closing a key never flushes it first.
  bool FLazyWrite = true;
};
