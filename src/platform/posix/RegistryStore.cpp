#include "RegistryStore.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include "CaseFold.h"
#include "PrivateFiles.h"

namespace {

// "ZQTR": marks a file as one of our stores.
constexpr int kApplicationId = 0x5A515452;
// A commit that leaves the write-ahead log this many pages long copies them
// into the file and syncs it. On a file system that writes a file's data
// before its journal, every other writer's sync meanwhile waits for those
// pages too, so all writers stall at once for as long as the copy takes:
// SQLite's thousand pages made that up to seconds with every core busy; a
// tenth of it keeps each stall short.
constexpr int kCheckpointFrames = 100;
// How often a call looks again whether a lock has gone.
constexpr std::chrono::milliseconds kLockPollInterval{1};
// However long other writers keep writing, no call waits longer in all.
constexpr std::chrono::seconds kLongestWait{20};

// The Windows registry's limits. Its documentation says 255 characters per
// key name; Windows takes 256 and refuses 257. Depth counts from the
// registry's root: HKEY_CURRENT_USER is \REGISTRY\USER\<user>, three levels
// down, and HKEY_LOCAL_MACHINE is \REGISTRY\MACHINE, two.
constexpr size_t kMaxKeyNameLength = 256;
constexpr int kMaxDepth = 512;
constexpr int kCurrentUserDepth = 3;
constexpr int kLocalMachineDepth = 2;

const char* const kSchema =
    "CREATE TABLE keys(id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name BLOB NOT NULL,"
    " fold BLOB NOT NULL, read_only INTEGER NOT NULL DEFAULT 0, UNIQUE(parent, fold));"
    "CREATE TABLE vals(key INTEGER NOT NULL, name BLOB NOT NULL, fold BLOB NOT NULL,"
    " type INTEGER NOT NULL, data BLOB NOT NULL, PRIMARY KEY(key, fold)) WITHOUT ROWID;"
    "INSERT INTO keys(id, parent, name, fold) VALUES"
    " (1, 0, 'HKEY_CURRENT_USER', 'hkey_current_user'),"
    " (2, 0, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine');"
    "PRAGMA user_version = 1;"
    "PRAGMA application_id = 1515279442;";
static_assert(kApplicationId == 1515279442);

// The highest id a deleted key had: a key made later gets a higher one.
const char* const kDeletedKeyIds =
    "CREATE TABLE IF NOT EXISTS deleted_key_ids(one INTEGER PRIMARY KEY CHECK (one = 1),"
    " highest INTEGER NOT NULL)";

// Splits a key path into its names, as the Windows registry does: a path
// that starts with a backslash is a bad path; backslashes after a name, one
// or several, at the end too, only separate it from the next.
bool SplitKeyPath(std::string_view Path, std::vector<std::string_view>& Names) {
  if (!Path.empty() && Path.front() == '\\') return false;
  size_t Start = 0;
  while (Start < Path.size()) {
    size_t End = std::min(Path.find('\\', Start), Path.size());
    if (End > Start) Names.push_back(Path.substr(Start, End - Start));
    Start = End + 1;
  }
  return true;
}

// Whether an I/O error of SQLite's (its extended code) is one of writing.
bool IsWriteFailure(int Extended) {
  switch (Extended) {
    case SQLITE_IOERR_WRITE:
    case SQLITE_IOERR_FSYNC:
    case SQLITE_IOERR_DIR_FSYNC:
    case SQLITE_IOERR_TRUNCATE:
    case SQLITE_IOERR_DELETE:
      return true;
    default:
      return false;
  }
}

// The Win32 error for an SQLite result of Db's last call.
LONG ErrorFromSqlite(int Code, sqlite3* Db) {
  switch (Code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return ERROR_SUCCESS;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PROTOCOL:  // the write-ahead log's locks changed hands meanwhile
      return ERROR_LOCK_VIOLATION;
    case SQLITE_FULL:  // the file system has no room left
      return ERROR_DISK_FULL;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return ERROR_ACCESS_DENIED;
    case SQLITE_CANTOPEN:
      return ERROR_CANTOPEN;
    case SQLITE_IOERR:
      return Db && IsWriteFailure(sqlite3_extended_errcode(Db)) ? ERROR_CANTWRITE : ERROR_CANTREAD;
    case SQLITE_NOMEM:
      return ERROR_OUTOFMEMORY;
    default:
      return ERROR_BADDB;
  }
}

}  // namespace

// Reset when the use ends, ready for the next; what was bound stays bound.
class TRegistryStore::TStatement {
 public:
  TStatement(sqlite3_stmt* Stmt, int Result) : FStmt(Stmt), FResult(Result) {}
  ~TStatement() { sqlite3_reset(FStmt); }
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;

  TStatement& Bind(int Index, std::int64_t Value) {
    Check(sqlite3_bind_int64(FStmt, Index, Value));
    return *this;
  }
  TStatement& Bind(int Index, std::string_view Bytes) {
    return BindBytes(Index, Bytes.data(), Bytes.size());
  }
  TStatement& BindBytes(int Index, const void* Data, size_t Size) {
    // A zero-length blob bound from a null pointer would become NULL.
    Check(Size == 0 ? sqlite3_bind_zeroblob(FStmt, Index, 0)
                    : sqlite3_bind_blob64(FStmt, Index, Data, Size, SQLITE_TRANSIENT));
    return *this;
  }
  // Bytes the store keeps as they are until it binds the parameter again,
  // bound without a copy.
  TStatement& BindKept(int Index, std::string_view Bytes) {
    if (Bytes.empty()) return Bind(Index, Bytes);
    Check(sqlite3_bind_blob64(FStmt, Index, Bytes.data(), Bytes.size(), SQLITE_STATIC));
    return *this;
  }
  bool BoundWell() const { return FResult == SQLITE_OK; }
  // SQLITE_ROW, SQLITE_DONE or the first error met, without its extended
  // code.
  int Step() {
    if (FResult != SQLITE_OK) return FResult & 0xFF;
    return sqlite3_step(FStmt) & 0xFF;
  }
  std::int64_t Int(int Column) { return sqlite3_column_int64(FStmt, Column); }
  std::string Bytes(int Column) {
    const void* Data = sqlite3_column_blob(FStmt, Column);
    int Size = sqlite3_column_bytes(FStmt, Column);
    return Data ? std::string(static_cast<const char*>(Data), Size) : std::string();
  }

 private:
  void Check(int Result) {
    if (FResult == SQLITE_OK) FResult = Result;
  }
  sqlite3_stmt* FStmt;
  int FResult;
};

namespace {

bool FileExists(const std::string& Name) {
  struct stat Info;
  return stat(Name.c_str(), &Info) == 0;
}

// Anything at the path but a regular file is refused: opening a FIFO would
// block for ever, and a folder or a device is no one's registry. A folder
// is named as such; ERROR_SUCCESS for a regular file or nothing.
LONG OtherThanFileError(const std::string& Name) {
  struct stat Info;
  if (stat(Name.c_str(), &Info) != 0 || S_ISREG(Info.st_mode)) return ERROR_SUCCESS;
  return S_ISDIR(Info.st_mode) ? ERROR_DIRECTORY_NOT_SUPPORTED : ERROR_BADDB;
}

// Whether a link stands at the store's name or at one of the names SQLite
// keeps beside it: its write-ahead log, the log's index, its rollback
// journal. A store never opens, makes or reads anything through one.
bool AnyLinkAt(const std::string& Name) {
  for (const char* Suffix : {"", "-wal", "-shm", "-journal"})
    if (IsLink(Name + Suffix)) return true;
  return false;
}

// The files a writer of a store keeps beside it while it has it open: its
// write-ahead log and the log's index, or its rollback journal.
const char* const kWritersFiles[] = {"-wal", "-shm", "-journal"};

// Name as an SQLite URI's path.
std::string UriPath(const std::string& Name) {
  std::string Path;
  for (const char C : Name) {
    if (C == '%' || C == '?' || C == '#') {
      char Escaped[4];
      std::snprintf(Escaped, sizeof Escaped, "%%%02X", static_cast<unsigned char>(C));
      Path += Escaped;
    } else {
      Path += C;
    }
  }
  return Path;
}

// The name SQLite opens: the file's own name in the real path of its
// folder. SQLite, told to follow no link, refuses one anywhere in the path;
// the folders' links are the user's choice, and only the file's own name
// must be no link, also when one is put there after the look above.
std::string OpenedName(const std::string& Name) {
  const std::filesystem::path Path(Name);
  std::error_code Error;
  const std::filesystem::path Folder =
      std::filesystem::canonical(Path.has_parent_path() ? Path.parent_path() : ".", Error);
  return Error ? Name : (Folder / Path.filename()).string();
}

}  // namespace

TRegistryStore::TRegistryStore(std::string FileName, bool CreateMissingFolders)
    : FFileName(std::move(FileName)), FCreateMissingFolders(CreateMissingFolders) {}

TRegistryStore::~TRegistryStore() { Disconnect(); }

const char* TRegistryStore::SqlText(TSql Sql) {
  switch (Sql) {
    case TSql::ApplicationId:
      return "PRAGMA application_id";
    case TSql::UseWriteAheadLog:
      return "PRAGMA journal_mode = WAL";
    case TSql::KeyMark:
      return "SELECT read_only FROM keys WHERE id = ?";
    case TSql::ChildKey:
      return "SELECT id, read_only FROM keys WHERE parent = ? AND fold = ?";
    case TSql::AnyChildKey:
      return "SELECT 1 FROM keys WHERE parent = ? LIMIT 1";
    case TSql::KeyDepth:
      return "WITH RECURSIVE up(id, parent, levels) AS (SELECT id, parent, 0 FROM keys"
             " WHERE id = ? UNION ALL SELECT keys.id, keys.parent, levels + 1 FROM keys"
             " JOIN up ON keys.id = up.parent) SELECT id, levels FROM up WHERE parent = 0";
    case TSql::InsertKey:
      return "INSERT INTO keys(id, parent, name, fold) VALUES (max((SELECT coalesce(max(id), 0)"
             " FROM keys), (SELECT coalesce(max(highest), 0) FROM deleted_key_ids)) + 1, ?, ?, ?)";
    case TSql::SetKeyMark:
      return "UPDATE keys SET read_only = ? WHERE id = ?";
    case TSql::DeleteKeyValues:
      return "DELETE FROM vals WHERE key = ?";
    case TSql::DeleteKey:
      return "DELETE FROM keys WHERE id = ?";
    case TSql::RecordDeletedKeyId:
      return "INSERT INTO deleted_key_ids(one, highest) VALUES (1, ?) ON CONFLICT(one) DO UPDATE"
             " SET highest = max(highest, excluded.highest)";
    case TSql::Value:
      return "SELECT type, data FROM vals WHERE key = ? AND fold = ?";
    case TSql::SetValue:
      return "INSERT INTO vals(key, name, fold, type, data) VALUES (?, ?, ?, ?, ?)"
             " ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data";
    case TSql::DeleteValue:
      return "DELETE FROM vals WHERE key = ? AND fold = ?";
    case TSql::Count:
      break;
  }
  return "";
}

TRegistryStore::TStatement TRegistryStore::Statement(TSql Sql) {
  sqlite3_stmt*& Prepared = FStatements[static_cast<size_t>(Sql)];
  if (Prepared) return TStatement(Prepared, SQLITE_OK);
  const int Result =
      sqlite3_prepare_v3(FDb, SqlText(Sql), -1, SQLITE_PREPARE_PERSISTENT, &Prepared, nullptr);
  return TStatement(Prepared, Result);
}

void TRegistryStore::Disconnect() {
  FQueue.Close();
  FWatch.Watch(nullptr);
  for (sqlite3_stmt*& Stmt : FStatements) {
    sqlite3_finalize(Stmt);
    Stmt = nullptr;
  }
  FValueKey = 0;
  Forget();
  sqlite3_close_v2(FDb);
  FDb = nullptr;
  FWritable = false;
  FImmutable = false;
  FWriteAheadLog = false;
}

void TRegistryStore::Forget() {
  FFoundKeys.ForgetAll();
  FKnownOurs = false;
  FKeepsDeletedKeyIds = false;
}

std::unique_lock<std::mutex> TRegistryStore::BeginCall(bool Reads) {
  std::unique_lock Guard(FLock);
  FDeadline = FLastDeadline = kNotWaiting;
  FReads = Reads;
  return Guard;
}

// A read that comes within the limit after a read was answered busy waits
// no more: the reads of one command or one page's load, one after the
// other, are answered busy within the limit in all, not each.
void TRegistryStore::StartWaiting() {
  if (FDeadline != kNotWaiting) return;
  const TClock::time_point Now = TClock::now();
  FDeadline = FReads && Now < FReadsBusyUntil ? Now : Now + WaitLimit;
  FLastDeadline = Now + kLongestWait;
}

// A lock held by a writer that is writing goes soon: the deadline moves on
// while another writer writes, up to the last one. A writer that is stopped
// (a signal, a debugger) moves it on no more.
bool TRegistryStore::MayWait() {
  StartWaiting();
  const TClock::time_point Now = TClock::now();
  if (FQueue.OthersWriting())
    FDeadline = std::max(FDeadline, std::min(Now + WaitLimit, FLastDeadline));
  if (Now < FDeadline) return true;
  if (FReads) FReadsBusyUntil = Now + WaitLimit;
  return false;
}

// SQLite's busy handler: waits a little and asks to try again, while the
// call may wait.
int TRegistryStore::WaitForLock(void* Store, int /*Attempts*/) {
  if (!static_cast<TRegistryStore*>(Store)->MayWait()) return 0;
  std::this_thread::sleep_for(kLockPollInterval);
  return 1;
}

LONG TRegistryStore::Connect(bool ForWrite) {
  if (!FDb || (ForWrite && !FWritable) || (FImmutable && FileMark() != FImmutableMark)) {
    const LONG Opened = OpenConnection(ForWrite);
    if (Opened != ERROR_SUCCESS) return Opened;
  }
  if (FWatch.Changed()) Forget();
  return ERROR_SUCCESS;
}

LONG TRegistryStore::OpenConnection(bool ForWrite) {
  Disconnect();
  // SQLite would take the empty name for a temporary database.
  if (FFileName.empty()) return ERROR_PATH_NOT_FOUND;
  if (AnyLinkAt(FFileName)) return ERROR_ACCESS_DENIED;
  if (const LONG Refused = OtherThanFileError(FFileName); Refused != ERROR_SUCCESS) return Refused;
  // The store's lock keeps every use of the connection to one thread at a
  // time: SQLite's own lock around each of its calls would only cost.
  int Flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW;
  if (!FileExists(FFileName)) {
    if (!ForWrite) return ERROR_FILE_NOT_FOUND;
    // SQLite gives the write-ahead log and its index the file's mode.
    if (FCreateMissingFolders) CreatePrivateFolders(FFileName);
    CreatePrivateFile(FFileName);
    Flags |= SQLITE_OPEN_CREATE;
  }
  const std::string Opened = OpenedName(FFileName);
  if (!ForWrite && OpenImmutable(Opened)) return ERROR_SUCCESS;
  int Result = sqlite3_open_v2(Opened.c_str(), &FDb, Flags, nullptr);
  FWritable = Result == SQLITE_OK;
  if (Result != SQLITE_OK && !ForWrite && !(Flags & SQLITE_OPEN_CREATE)) {
    sqlite3_close_v2(FDb);
    Result = sqlite3_open_v2(Opened.c_str(), &FDb,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW,
                             nullptr);
  }
  if (Result != SQLITE_OK) {
    LONG Error = FileExists(FFileName) ? ErrorFromSqlite(Result, FDb) : ERROR_PATH_NOT_FOUND;
    Disconnect();
    return Error;
  }
  sqlite3_busy_handler(FDb, &TRegistryStore::WaitForLock, this);
  sqlite3_wal_autocheckpoint(FDb, kCheckpointFrames);
  sqlite3_exec(FDb, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
  FWatch.Watch(FDb);
  return ERROR_SUCCESS;
}

// A reader of a file that keeps a write-ahead log needs the log and its
// index beside the file, and makes them when they are missing: where the
// folder may not be written, it cannot. A writer has them there for as long
// as it has the file open, and SQLite changes the file only while they are
// there (or a rollback journal is). So where the folder may not be written
// and none of them is there, the file is read as it stands, as immutable,
// without locks; every call looks first whether it is still so, and reopens
// the file as usual once a writer has come or the file has changed.
bool TRegistryStore::OpenImmutable(const std::string& Opened) {
  if (access(std::filesystem::path(Opened).parent_path().c_str(), W_OK) == 0) return false;
  const TFileMark Mark = FileMark();
  if (Mark[6] != 0) return false;
  const std::string Uri = "file:" + UriPath(Opened) + "?immutable=1";
  const int Flags =
      SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW;
  if (sqlite3_open_v2(Uri.c_str(), &FDb, Flags, nullptr) != SQLITE_OK) {
    Disconnect();
    return false;
  }
  FImmutable = true;
  FImmutableMark = Mark;
  FWatch.Watch(FDb);
  return true;
}

TRegistryStore::TFileMark TRegistryStore::FileMark() const {
  struct stat Info {};
  if (stat(FFileName.c_str(), &Info) != 0) return TFileMark{};
  std::int64_t WritersFiles = 0;
  struct stat Beside;
  for (const char* Suffix : kWritersFiles)
    WritersFiles += lstat((FFileName + Suffix).c_str(), &Beside) == 0;
  return {static_cast<std::int64_t>(Info.st_ino), Info.st_size, Info.st_mtim.tv_sec,
          Info.st_mtim.tv_nsec, Info.st_ctim.tv_sec, Info.st_ctim.tv_nsec, WritersFiles};
}

// Whether the file is one of our stores. A file that is no SQLite database,
// or one without our mark, is foreign; a header that could not be read
// (another program holds the file locked, the disk failed) gives that
// error instead.
LONG TRegistryStore::CheckFile(TFileState& State) {
  State = TFileState::Ours;
  if (FKnownOurs) return ERROR_SUCCESS;
  TStatement Id = Statement(TSql::ApplicationId);
  const int Step = Id.Step();
  if (Step == SQLITE_NOTADB || Step == SQLITE_CORRUPT) {
    State = TFileState::Foreign;
    return ERROR_SUCCESS;
  }
  if (Step != SQLITE_ROW) return ErrorFromSqlite(Step, FDb);
  if (Id.Int(0) == kApplicationId) {
    FKnownOurs = true;
    return ERROR_SUCCESS;
  }
  // Only a file without a single byte is a new store; any other file that
  // lacks our mark belongs to someone else.
  struct stat Info;
  const bool Empty = Id.Int(0) == 0 && stat(FFileName.c_str(), &Info) == 0 && Info.st_size == 0;
  State = Empty ? TFileState::Empty : TFileState::Foreign;
  return ERROR_SUCCESS;
}

void TRegistryStore::CreateSchema() { sqlite3_exec(FDb, kSchema, nullptr, nullptr, nullptr); }

// With the write-ahead log, readers and one writer proceed together, and a
// commit writes and syncs one file. Switching to it needs the file to
// itself for a moment; while another program reads it, a later write tries
// again. Only a file known to be ours gets switched, and nothing waits for
// it.
void TRegistryStore::UseWriteAheadLog() {
  if (FWriteAheadLog) return;
  FDeadline = FLastDeadline = TClock::now();
  TStatement Mode = Statement(TSql::UseWriteAheadLog);
  FWriteAheadLog = Mode.Step() == SQLITE_ROW && Mode.Bytes(0) == "wal";
}

LONG TRegistryStore::Lookup(KeyId Base, std::string_view Path, KeyId& Key, bool& ReadOnly) {
  std::vector<std::string_view> Names;
  if (!SplitKeyPath(Path, Names)) return ERROR_BAD_PATHNAME;
  KeyId Current = Base;
  TStatement Flags = Statement(TSql::KeyMark);
  int Result = Flags.Bind(1, Base).Step();
  if (Result != SQLITE_ROW) return Result == SQLITE_DONE ? ERROR_BADKEY : ErrorFromSqlite(Result, FDb);
  ReadOnly = Flags.Int(0) != 0;
  for (std::string_view Name : Names) {
    if (Utf16Length(Name) > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
    TStatement Child = Statement(TSql::ChildKey);
    Result = Child.Bind(1, Current).Bind(2, FoldCase(Name)).Step();
    if (Result == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
    if (Result != SQLITE_ROW) return ErrorFromSqlite(Result, FDb);
    Current = Child.Int(0);
    ReadOnly = Child.Int(1) != 0;
  }
  Key = Current;
  return ERROR_SUCCESS;
}

// How deep Key sits below the root of the Windows registry.
LONG TRegistryStore::KeyDepth(KeyId Key, int& Depth) {
  TStatement Up = Statement(TSql::KeyDepth);
  const int Step = Up.Bind(1, Key).Step();
  if (Step != SQLITE_ROW) return Step == SQLITE_DONE ? ERROR_BADKEY : ErrorFromSqlite(Step, FDb);
  const int HiveDepth = Up.Int(0) == CurrentUserHive ? kCurrentUserDepth : kLocalMachineDepth;
  Depth = HiveDepth + static_cast<int>(Up.Int(1));
  return ERROR_SUCCESS;
}

LONG TRegistryStore::MakeKey(KeyId Parent, std::string_view Name, int& ParentDepth, KeyId& Child) {
  if (ParentDepth < 0) {
    const LONG Measured = KeyDepth(Parent, ParentDepth);
    if (Measured != ERROR_SUCCESS) return Measured;
  }
  if (ParentDepth >= kMaxDepth) return ERROR_INVALID_PARAMETER;
  TStatement Insert = Statement(TSql::InsertKey);
  const int Step = Insert.Bind(1, Parent).Bind(2, Name).Bind(3, FoldCase(Name)).Step();
  if (Step != SQLITE_DONE) return ErrorFromSqlite(Step, FDb);
  Child = sqlite3_last_insert_rowid(FDb);
  return ERROR_SUCCESS;
}

LONG TRegistryStore::OpenKey(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key) {
  auto Call = BeginCall(true);
  return OpenExisting(Base, Path, WantsWrite, Key);
}

LONG TRegistryStore::OpenExisting(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key) {
  LONG Result = Connect(false);
  if (Result != ERROR_SUCCESS) return Result;
  TFileState State = TFileState::Ours;
  Result = CheckFile(State);
  if (Result != ERROR_SUCCESS) return Result;
  if (State == TFileState::Empty) return ERROR_FILE_NOT_FOUND;
  if (State == TFileState::Foreign) return ERROR_BADDB;
  const TFoundKeys::TFound* Known = FFoundKeys.Find(Base, Path);
  TFoundKeys::TFound Looked;
  if (!Known) {
    Result = Lookup(Base, Path, Looked.Id, Looked.ReadOnly);
    if (Result != ERROR_SUCCESS) return Result;
    FFoundKeys.Remember(Base, Path, Looked);
    Known = &Looked;
  }
  const auto [Id, ReadOnly] = *Known;
  if (ReadOnly && WantsWrite) return ERROR_ACCESS_DENIED;
  Key = Id;
  return ERROR_SUCCESS;
}

// The queue's file is made only beside a file that is or becomes a store.
// A queue file that is not the user's own regular file refuses every write,
// and is left as it is.
LONG TRegistryStore::JoinWriters() {
  if (FQueue.IsOpen()) return ERROR_SUCCESS;
  TFileState State = TFileState::Ours;
  const LONG Checked = CheckFile(State);
  if (Checked != ERROR_SUCCESS || State == TFileState::Foreign) return Checked;
  return FQueue.Open(FFileName) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

template <typename Body>
LONG TRegistryStore::InWriteTransaction(Body&& Work) {
  LONG Result = Connect(true);
  if (Result != ERROR_SUCCESS) return Result;
  Result = JoinWriters();
  if (Result != ERROR_SUCCESS) return Result;
  if (!FQueue.WaitTurn([this] { return MayWait(); })) return ERROR_LOCK_VIOLATION;
  TWriterTurn Turn(FQueue);
  return Transact(Work);
}

template <typename Body>
LONG TRegistryStore::Transact(Body&& Work) {
  int Begin = sqlite3_exec(FDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (Begin != SQLITE_OK) return ErrorFromSqlite(Begin, FDb);
  FQueue.BeginWriting();
  TFileState State = TFileState::Ours;
  LONG Result = CheckFile(State);
  if (Result == ERROR_SUCCESS && State == TFileState::Empty) {
    CreateSchema();
    Result = CheckFile(State);
    if (Result == ERROR_SUCCESS && State != TFileState::Ours) Result = ERROR_CANTWRITE;
  }
  if (Result == ERROR_SUCCESS && State == TFileState::Foreign) Result = ERROR_BADDB;
  if (Result == ERROR_SUCCESS) Result = KeepDeletedKeyIds();
  if (Result == ERROR_SUCCESS) Result = Work();
  if (Result == ERROR_SUCCESS) {
    int Commit = sqlite3_exec(FDb, "COMMIT", nullptr, nullptr, nullptr);
    if (Commit == SQLITE_OK) {
      UseWriteAheadLog();
      return ERROR_SUCCESS;
    }
    Result = ErrorFromSqlite(Commit, FDb);
  }
  sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
  Forget();
  return Result;
}

LONG TRegistryStore::CreateKey(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key,
                               bool& Created) {
  auto Call = BeginCall();
  Created = false;
  LONG Result = OpenExisting(Base, Path, WantsWrite, Key);
  if (Result != ERROR_FILE_NOT_FOUND) return Result;
  std::vector<std::string_view> Names;
  SplitKeyPath(Path, Names);  // a bad path ended in OpenExisting
  // A refused name or depth ends the walk, and the keys made before it stay.
  LONG Refusal = ERROR_SUCCESS;
  Result = InWriteTransaction([&]() -> LONG {
    KeyId Current = Base;
    bool CurrentReadOnly = false;
    LONG Found = Lookup(Base, "", Current, CurrentReadOnly);
    if (Found != ERROR_SUCCESS) return Found;
    int Depth = -1;  // of Current, measured once a key is to be made
    for (std::string_view Name : Names) {
      KeyId Child = 0;
      bool ChildReadOnly = false;
      Found = Lookup(Current, Name, Child, ChildReadOnly);
      if (Found == ERROR_FILE_NOT_FOUND) {
        if (CurrentReadOnly) return ERROR_ACCESS_DENIED;
        Found = MakeKey(Current, Name, Depth, Child);
        Created = Found == ERROR_SUCCESS;
      }
      if (Found == ERROR_INVALID_PARAMETER) {
        Refusal = Found;
        return ERROR_SUCCESS;
      }
      if (Found != ERROR_SUCCESS) return Found;
      Current = Child;
      CurrentReadOnly = ChildReadOnly;
      if (Depth >= 0) ++Depth;
    }
    if (CurrentReadOnly && WantsWrite) return ERROR_ACCESS_DENIED;
    Key = Current;
    return ERROR_SUCCESS;
  });
  return Result != ERROR_SUCCESS ? Result : Refusal;
}

LONG TRegistryStore::QueryValue(KeyId Key, std::string_view Name, DWORD& Type, std::string& Data) {
  auto Call = BeginCall(true);
  LONG Result = Connect(false);
  if (Result != ERROR_SUCCESS) return Result;
  TFileState State = TFileState::Ours;
  Result = CheckFile(State);
  if (Result != ERROR_SUCCESS) return Result;
  if (State != TFileState::Ours)
    return State == TFileState::Foreign ? ERROR_BADDB : ERROR_FILE_NOT_FOUND;
  TStatement Value = Statement(TSql::Value);
  // A load asks for one value twice, whether it exists and then its data:
  // the second finds the statement bound as it needs.
  if (Key != FValueKey || Name != FValueName) {
    FValueKey = 0;
    FValueName.assign(Name);
    FFoldedName.clear();
    AppendFolded(Name, FFoldedName);
    if (Value.Bind(1, Key).BindKept(2, FFoldedName).BoundWell()) FValueKey = Key;
  }
  const int Step = Value.Step();
  if (Step == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
  if (Step != SQLITE_ROW) return ErrorFromSqlite(Step, FDb);
  Type = static_cast<DWORD>(Value.Int(0));
  Data = Value.Bytes(1);
  return ERROR_SUCCESS;
}

LONG TRegistryStore::SetValue(KeyId Key, std::string_view Name, DWORD Type, const BYTE* Data,
                              DWORD Size) {
  auto Call = BeginCall();
  return InWriteTransaction([&]() -> LONG {
    bool ReadOnly = false;
    const LONG Found = FindLiveKey(Key, ReadOnly);
    if (Found != ERROR_SUCCESS) return Found;
    TStatement Upsert = Statement(TSql::SetValue);
    int Step = Upsert.Bind(1, Key)
                   .Bind(2, Name)
                   .Bind(3, FoldCase(Name))
                   .Bind(4, static_cast<std::int64_t>(Type))
                   .BindBytes(5, Data, Size)
                   .Step();
    return Step == SQLITE_DONE ? ERROR_SUCCESS : ErrorFromSqlite(Step, FDb);
  });
}

LONG TRegistryStore::DeleteValue(KeyId Key, std::string_view Name) {
  auto Call = BeginCall();
  // A store without the file has nothing to delete, and stays without it.
  KeyId Same = 0;
  LONG Result = OpenExisting(Key, "", true, Same);
  if (Result != ERROR_SUCCESS) return Result == ERROR_BADKEY ? ERROR_KEY_DELETED : Result;
  return InWriteTransaction([&]() -> LONG {
    bool ReadOnly = false;
    const LONG Found = FindLiveKey(Key, ReadOnly);
    if (Found != ERROR_SUCCESS) return Found;
    if (ReadOnly) return ERROR_ACCESS_DENIED;
    TStatement Delete = Statement(TSql::DeleteValue);
    const int Step = Delete.Bind(1, Key).Bind(2, FoldCase(Name)).Step();
    if (Step != SQLITE_DONE) return ErrorFromSqlite(Step, FDb);
    return sqlite3_changes(FDb) > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG TRegistryStore::DeleteKey(KeyId Base, std::string_view Path) {
  auto Call = BeginCall();
  KeyId Key = 0;
  LONG Result = OpenExisting(Base, Path, true, Key);
  if (Result != ERROR_SUCCESS) return Result == ERROR_BADKEY ? ERROR_KEY_DELETED : Result;
  if (Key == CurrentUserHive || Key == LocalMachineHive) return ERROR_ACCESS_DENIED;
  Result = InWriteTransaction([&]() -> LONG {
    bool ReadOnly = false;
    const LONG Found = FindLiveKey(Key, ReadOnly);
    // Another program deleted it meanwhile.
    if (Found == ERROR_KEY_DELETED && !Path.empty()) return ERROR_FILE_NOT_FOUND;
    if (Found != ERROR_SUCCESS) return Found;
    if (ReadOnly) return ERROR_ACCESS_DENIED;
    TStatement Child = Statement(TSql::AnyChildKey);
    const int Step = Child.Bind(1, Key).Step();
    if (Step == SQLITE_ROW) return ERROR_ACCESS_DENIED;
    if (Step != SQLITE_DONE) return ErrorFromSqlite(Step, FDb);
    return RemoveKey(Key);
  });
  if (Result == ERROR_SUCCESS) FFoundKeys.ForgetKey(Key);
  return Result;
}

LONG TRegistryStore::FindLiveKey(KeyId Key, bool& ReadOnly) {
  TStatement Flags = Statement(TSql::KeyMark);
  const int Step = Flags.Bind(1, Key).Step();
  if (Step != SQLITE_ROW) return Step == SQLITE_DONE ? ERROR_KEY_DELETED : ErrorFromSqlite(Step, FDb);
  ReadOnly = Flags.Int(0) != 0;
  return ERROR_SUCCESS;
}

LONG TRegistryStore::KeepDeletedKeyIds() {
  if (FKeepsDeletedKeyIds) return ERROR_SUCCESS;
  const int Made = sqlite3_exec(FDb, kDeletedKeyIds, nullptr, nullptr, nullptr);
  FKeepsDeletedKeyIds = Made == SQLITE_OK;
  return ErrorFromSqlite(Made, FDb);
}

LONG TRegistryStore::RemoveKey(KeyId Key) {
  for (const TSql Sql : {TSql::DeleteKeyValues, TSql::DeleteKey, TSql::RecordDeletedKeyId}) {
    TStatement Change = Statement(Sql);
    const int Step = Change.Bind(1, Key).Step();
    if (Step != SQLITE_DONE) return ErrorFromSqlite(Step, FDb);
  }
  return ERROR_SUCCESS;
}

LONG TRegistryStore::SetKeyReadOnly(KeyId Base, std::string_view Path, bool ReadOnly) {
  auto Call = BeginCall();
  KeyId Key = 0;
  LONG Result = OpenExisting(Base, Path, false, Key);
  if (Result != ERROR_SUCCESS) return Result;
  FFoundKeys.ForgetAll();
  return InWriteTransaction([&]() -> LONG {
    TStatement Update = Statement(TSql::SetKeyMark);
    int Step = Update.Bind(1, ReadOnly ? 1 : 0).Bind(2, Key).Step();
    return Step == SQLITE_DONE ? ERROR_SUCCESS : ErrorFromSqlite(Step, FDb);
  });
}
