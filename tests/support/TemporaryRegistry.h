// A desktop registry of its own for one test: the predefined roots serve a
// fresh, empty registry while the object lives. On Linux that is a registry
// store file of its own; on Windows a scratch key of the real registry,
// which the roots are redirected to and which is removed afterwards.
#pragma once

#include <string>

#include "TemporaryFolder.h"
#include "WinCompat.h"

class TTemporaryRegistry {
 public:
  TTemporaryRegistry();
  ~TTemporaryRegistry();
  TTemporaryRegistry(const TTemporaryRegistry&) = delete;
  TTemporaryRegistry& operator=(const TTemporaryRegistry&) = delete;

  // A folder beside the registry for the test's own files.
  const TTemporaryFolder& Folder() const { return FFolder; }

  // On Linux, the file that holds the registry, for a program started by
  // the test.
  std::string StoreFile() const { return FFolder.File("registry.db"); }

  // Makes an existing key of the registry the predefined roots serve refuse
  // every open that asks for write rights, as a key whose security grants
  // only read rights. False where the registry cannot be told so.
  static bool SetKeyReadOnly(HKEY Root, const std::string& Path);

 private:
  TTemporaryFolder FFolder;
};

// Raw access to the registry, for setting up and checking values of any type.
void SetRawValue(HKEY Root, const std::string& Path, const std::string& Name, DWORD Type,
                 const std::string& Bytes);
// False when the key or value is missing.
bool QueryRawValue(HKEY Root, const std::string& Path, const std::string& Name, DWORD& Type,
                   std::string& Bytes);
bool KeyExists(HKEY Root, const std::string& Path);
std::string DwordBytes(std::uint32_t Value);
