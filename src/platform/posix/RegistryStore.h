// One registry kept in one SQLite file: the Linux stand-in for the Windows
// registry.
//
// The store keeps the registry's rules: two hives (HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE), key and value names compared without regard to case
// as Windows compares them and kept as first written, key names of at most
// 256 characters and keys at most 512 levels below the Windows registry's
// root, the empty value name as a key's unnamed value, any type code with
// any bytes. Results are Win32 error codes; nothing throws.
//
// Every write is one synchronous transaction started with BEGIN IMMEDIATE,
// so it is durable when the call returns and two processes may share one
// file. The file keeps a write-ahead log: readers never wait for a writer,
// and writers wait for each other. No call waits longer than WaitLimit in
// all for other programs' locks; a file still locked then gives
// ERROR_LOCK_VIOLATION.
//
// The connection stays open between calls and prepares each statement
// once. Keys are never removed from a store, and only this object marks them
// read-only, so a key once found is remembered with its mark: opening it
// again reads nothing from the file.
//
// A file that is not one of our stores (another program's database, a
// corrupt file, anything but a regular file) is never written: reads find
// nothing and writes fail with ERROR_BADDB. Only what the file says makes it
// foreign, never a read of it that failed. A missing or 0-byte file is an
// empty store; reads never create the file, the first write does.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "WinCompat.h"

struct sqlite3;
struct sqlite3_stmt;

class TRegistryStore {
 public:
  using KeyId = std::int64_t;
  static constexpr KeyId CurrentUserHive = 1;
  static constexpr KeyId LocalMachineHive = 2;
  static constexpr std::chrono::milliseconds WaitLimit{2000};

  // CreateMissingFolders: on the first write, create the folders leading to
  // the file (only for the default location of the desktop store).
  explicit TRegistryStore(std::string FileName, bool CreateMissingFolders = false);
  ~TRegistryStore();
  TRegistryStore(const TRegistryStore&) = delete;
  TRegistryStore& operator=(const TRegistryStore&) = delete;

  const std::string& FileName() const { return FFileName; }

  // Resolves Path (backslash-separated, relative to Base) to an existing key.
  // WantsWrite: the caller asks for rights that change the key.
  LONG OpenKey(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key);
  // Opens the key, creating every missing key on the path; Created tells
  // whether the last key was made by this call. As in the Windows registry,
  // the rights of the handle that Base came from play no part: only a
  // read-only key refuses keys below it. A name too long or a key too deep
  // gives ERROR_INVALID_PARAMETER, and the keys made before it stay.
  LONG CreateKey(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key, bool& Created);
  // Data receives the stored bytes unchanged.
  LONG QueryValue(KeyId Key, std::string_view Name, DWORD& Type, std::string& Data);
  LONG SetValue(KeyId Key, std::string_view Name, DWORD Type, const BYTE* Data, DWORD Size);

  // Test support: a read-only key refuses every open that asks for write
  // rights, as a key whose security grants only read rights does.
  LONG SetKeyReadOnly(KeyId Base, std::string_view Path, bool ReadOnly);

 private:
  enum class TFileState { Empty, Ours, Foreign };
  using TClock = std::chrono::steady_clock;

  // Starts one call: holds the store's lock and sets the time by which waits
  // for other programs' locks end.
  std::unique_lock<std::mutex> BeginCall();
  static int WaitForLock(void* Store, int Attempts);
  LONG Connect(bool ForWrite);
  LONG CheckFile(TFileState& State);
  LONG OpenExisting(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key);
  LONG Lookup(KeyId Base, std::string_view Path, KeyId& Key, bool& ReadOnly);
  LONG KeyDepth(KeyId Key, int& Depth);
  // Makes the key Name below Parent, unless it would lie too deep.
  // ParentDepth: Parent's depth, measured here when still unknown (-1).
  LONG MakeKey(KeyId Parent, std::string_view Name, int& ParentDepth, KeyId& Child);
  template <typename Body>
  LONG InWriteTransaction(Body&& Work);
  // One use of a statement of this connection.
  class TStatement;
  // Sql (a literal) is prepared the first time it is asked for. A statement
  // is in one use at a time.
  TStatement Statement(std::string_view Sql);
  void CreateSchema();
  void UseWriteAheadLog();
  void Disconnect();

  std::string FFileName;
  bool FCreateMissingFolders;
  std::mutex FLock;
  sqlite3* FDb = nullptr;
  bool FWritable = false;
  bool FKnownOurs = false;
  bool FWriteAheadLog = false;
  TClock::time_point FDeadline;
  std::unordered_map<std::string_view, sqlite3_stmt*> FStatements;
  // Keys found, by their base and folded path: their id and read-only mark.
  std::unordered_map<std::string, std::pair<KeyId, bool>> FFoundKeys;
};
