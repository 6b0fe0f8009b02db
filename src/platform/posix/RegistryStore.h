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
// and writers wait for each other, in the order they came (TWriterQueue).
// A call waits for other programs' locks until WaitLimit has passed without
// another writer writing meanwhile: a file another program keeps locked,
// or a writer stopped (by a signal, a debugger) in its write, gives
// ERROR_LOCK_VIOLATION then. While other writers write, it waits on, as the
// Windows registry never refuses a write because others are writing.
//
// The connection stays open between calls and prepares each statement
// once. A key once found is remembered with its mark, until another
// connection commits to the file (TCommitWatch), which every call looks at
// first: what the store remembers is never staler than the file.
//
// The store's folders and files are made for its user alone (PrivateFiles.h);
// SQLite gives the write-ahead log and its index the mode of the file.
//
// A file that is not one of our stores (another program's database, a
// corrupt file, anything but a regular file) is never written: reads find
// nothing and writes fail with ERROR_BADDB. Only what the file says makes it
// foreign, never a read of it that failed. A missing or 0-byte file is an
// empty store; reads never create the file, the first write does.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "CommitWatch.h"
#include "FoundKeys.h"
#include "WinCompat.h"
#include "WriterQueue.h"

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
  // Whether the store makes the folders leading to its file.
  bool CreatesMissingFolders() const { return FCreateMissingFolders; }

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
  // ERROR_FILE_NOT_FOUND for a missing value, ERROR_ACCESS_DENIED for a
  // read-only key.
  LONG DeleteValue(KeyId Key, std::string_view Name);
  // Deletes the key Path below Base (Base itself for an empty path) with its
  // values. A key with subkeys, a read-only key and a hive are refused with
  // ERROR_ACCESS_DENIED. A deleted key's id is never given to a key made
  // later, so that a handle left on it never reaches another key: writes
  // through it give ERROR_KEY_DELETED.
  LONG DeleteKey(KeyId Base, std::string_view Path);

  // Test support: a read-only key refuses every open that asks for write
  // rights, as a key whose security grants only read rights does.
  LONG SetKeyReadOnly(KeyId Base, std::string_view Path, bool ReadOnly);

 private:
  enum class TFileState { Empty, Ours, Foreign };
  using TClock = std::chrono::steady_clock;

  // Starts one call, a read or not: holds the store's lock. The time by
  // which waits for other programs' locks end is set when the call first
  // waits (StartWaiting): most calls never do, and need not read the clock.
  std::unique_lock<std::mutex> BeginCall(bool Reads = false);
  void StartWaiting();
  static constexpr TClock::time_point kNotWaiting = TClock::time_point::min();
  // Whether the call may wait on for another's lock.
  bool MayWait();
  static int WaitForLock(void* Store, int Attempts);
  // Connects when not connected yet, or only for reading where writing is
  // wanted; then forgets what the file no longer says.
  LONG Connect(bool ForWrite);
  LONG OpenConnection(bool ForWrite);
  // Opens the file, under the name SQLite is given, as immutable where a
  // reader could not read it otherwise and no writer has it open; false
  // when that is not so.
  bool OpenImmutable(const std::string& Opened);
  // What marks the file as unchanged for an immutable connection: its
  // identity, size and times, and that no writer's file is beside it.
  using TFileMark = std::array<std::int64_t, 7>;
  TFileMark FileMark() const;
  void Forget();
  LONG CheckFile(TFileState& State);
  LONG OpenExisting(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key);
  LONG Lookup(KeyId Base, std::string_view Path, KeyId& Key, bool& ReadOnly);
  LONG KeyDepth(KeyId Key, int& Depth);
  // Makes the key Name below Parent, unless it would lie too deep.
  // ParentDepth: Parent's depth, measured here when still unknown (-1).
  LONG MakeKey(KeyId Parent, std::string_view Name, int& ParentDepth, KeyId& Child);
  // Whether Key still exists, and its read-only mark; ERROR_KEY_DELETED when
  // it is gone.
  LONG FindLiveKey(KeyId Key, bool& ReadOnly);
  // Makes sure the file records the highest id of a deleted key, which
  // stores made before keys could be deleted lack.
  LONG KeepDeletedKeyIds();
  LONG RemoveKey(KeyId Key);
  // Opens the writers' queue, once the file is or becomes a store.
  LONG JoinWriters();
  // Work in a write transaction, in this writer's turn.
  template <typename Body>
  LONG InWriteTransaction(Body&& Work);
  template <typename Body>
  LONG Transact(Body&& Work);
  // One use of a statement of this connection.
  class TStatement;
  // The store's statements, each prepared the first time it is asked for.
  // A statement is in one use at a time.
  enum class TSql {
    ApplicationId,
    UseWriteAheadLog,
    KeyMark,
    ChildKey,
    AnyChildKey,
    KeyDepth,
    InsertKey,
    SetKeyMark,
    DeleteKeyValues,
    DeleteKey,
    RecordDeletedKeyId,
    Value,
    SetValue,
    DeleteValue,
    Count
  };
  static const char* SqlText(TSql Sql);
  TStatement Statement(TSql Sql);
  void CreateSchema();
  void UseWriteAheadLog();
  void Disconnect();

  std::string FFileName;
  bool FCreateMissingFolders;
  std::mutex FLock;
  sqlite3* FDb = nullptr;
  bool FWritable = false;
  bool FImmutable = false;
  TFileMark FImmutableMark{};
  bool FKnownOurs = false;
  bool FWriteAheadLog = false;
  bool FKeepsDeletedKeyIds = false;
  bool FReads = false;
  TClock::time_point FReadsBusyUntil;
  TClock::time_point FDeadline;
  TClock::time_point FLastDeadline;
  TCommitWatch FWatch;
  TWriterQueue FQueue;
  std::array<sqlite3_stmt*, static_cast<size_t>(TSql::Count)> FStatements{};
  // Keys found, with their read-only marks.
  TFoundKeys FFoundKeys;
  // What the value query is bound to: the key (0: nothing), the value's name
  // as asked for and folded.
  KeyId FValueKey = 0;
  std::string FValueName;
  std::string FFoldedName;
};
