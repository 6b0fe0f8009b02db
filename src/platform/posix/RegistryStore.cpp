#include "RegistryStore.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// "ZQTR": marks a file as one of our stores.
constexpr int kApplicationId = 0x5A515452;
constexpr int kBusyTimeoutMs = 10000;

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

std::string FoldCase(std::string_view Name) {
  std::string Folded(Name);
  for (char& C : Folded)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Folded;
}

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

LONG ErrorFromSqlite(int Code) {
  switch (Code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return ERROR_SUCCESS;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ERROR_TIMEOUT;
    case SQLITE_FULL:
      return ERROR_CANTWRITE;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return ERROR_ACCESS_DENIED;
    case SQLITE_CANTOPEN:
      return ERROR_CANTOPEN;
    case SQLITE_IOERR:
      return ERROR_CANTREAD;
    case SQLITE_NOMEM:
      return ERROR_OUTOFMEMORY;
    default:
      return ERROR_BADDB;
  }
}

// One prepared statement, finalized on scope exit.
class TStatement {
 public:
  TStatement(sqlite3* Db, const char* Sql) {
    FResult = sqlite3_prepare_v2(Db, Sql, -1, &FStmt, nullptr);
  }
  ~TStatement() { sqlite3_finalize(FStmt); }
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
  // SQLITE_ROW, SQLITE_DONE or the first error met.
  int Step() {
    if (FResult != SQLITE_OK) return FResult;
    return sqlite3_step(FStmt);
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
  sqlite3_stmt* FStmt = nullptr;
  int FResult;
};

bool FileExists(const std::string& Name) {
  struct stat Info;
  return stat(Name.c_str(), &Info) == 0;
}

}  // namespace

TRegistryStore::TRegistryStore(std::string FileName, bool CreateMissingFolders)
    : FFileName(std::move(FileName)), FCreateMissingFolders(CreateMissingFolders) {}

TRegistryStore::~TRegistryStore() { Disconnect(); }

void TRegistryStore::Disconnect() {
  sqlite3_close_v2(FDb);
  FDb = nullptr;
  FWritable = false;
}

LONG TRegistryStore::Connect(bool ForWrite) {
  if (FDb && (FWritable || !ForWrite)) return ERROR_SUCCESS;
  Disconnect();
  int Flags = SQLITE_OPEN_READWRITE;
  if (!FileExists(FFileName)) {
    if (!ForWrite) return ERROR_FILE_NOT_FOUND;
    if (FCreateMissingFolders) {
      std::error_code Ignored;
      std::filesystem::create_directories(std::filesystem::path(FFileName).parent_path(), Ignored);
    }
    Flags |= SQLITE_OPEN_CREATE;
  }
  int Result = sqlite3_open_v2(FFileName.c_str(), &FDb, Flags, nullptr);
  FWritable = Result == SQLITE_OK;
  if (Result != SQLITE_OK && !ForWrite && !(Flags & SQLITE_OPEN_CREATE)) {
    sqlite3_close_v2(FDb);
    Result = sqlite3_open_v2(FFileName.c_str(), &FDb, SQLITE_OPEN_READONLY, nullptr);
  }
  if (Result != SQLITE_OK) {
    LONG Error = FileExists(FFileName) ? ErrorFromSqlite(Result) : ERROR_PATH_NOT_FOUND;
    Disconnect();
    return Error;
  }
  sqlite3_busy_timeout(FDb, kBusyTimeoutMs);
  sqlite3_exec(FDb, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
  return ERROR_SUCCESS;
}

TRegistryStore::TFileState TRegistryStore::State() {
  if (FKnownOurs) return TFileState::Ours;
  TStatement Id(FDb, "PRAGMA application_id");
  if (Id.Step() != SQLITE_ROW) return TFileState::Foreign;
  if (Id.Int(0) == kApplicationId) {
    FKnownOurs = true;
    return TFileState::Ours;
  }
  // Only a file without a single byte is a new store; any other file that
  // lacks our mark belongs to someone else.
  struct stat Info;
  if (Id.Int(0) == 0 && stat(FFileName.c_str(), &Info) == 0 && Info.st_size == 0)
    return TFileState::Empty;
  return TFileState::Foreign;
}

void TRegistryStore::CreateSchema() { sqlite3_exec(FDb, kSchema, nullptr, nullptr, nullptr); }

LONG TRegistryStore::Lookup(KeyId Base, std::string_view Path, KeyId& Key, bool& ReadOnly) {
  std::vector<std::string_view> Names;
  if (!SplitKeyPath(Path, Names)) return ERROR_BAD_PATHNAME;
  KeyId Current = Base;
  TStatement Flags(FDb, "SELECT read_only FROM keys WHERE id = ?");
  int Result = Flags.Bind(1, Base).Step();
  if (Result != SQLITE_ROW) return Result == SQLITE_DONE ? ERROR_BADKEY : ErrorFromSqlite(Result);
  ReadOnly = Flags.Int(0) != 0;
  for (std::string_view Name : Names) {
    TStatement Child(FDb, "SELECT id, read_only FROM keys WHERE parent = ? AND fold = ?");
    Result = Child.Bind(1, Current).Bind(2, FoldCase(Name)).Step();
    if (Result == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
    if (Result != SQLITE_ROW) return ErrorFromSqlite(Result);
    Current = Child.Int(0);
    ReadOnly = Child.Int(1) != 0;
  }
  Key = Current;
  return ERROR_SUCCESS;
}

LONG TRegistryStore::OpenKey(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key) {
  std::lock_guard Guard(FLock);
  LONG Result = Connect(false);
  if (Result != ERROR_SUCCESS) return Result;
  switch (State()) {
    case TFileState::Empty:
      return ERROR_FILE_NOT_FOUND;
    case TFileState::Foreign:
      return ERROR_BADDB;
    case TFileState::Ours:
      break;
  }
  bool ReadOnly = false;
  Result = Lookup(Base, Path, Key, ReadOnly);
  if (Result == ERROR_SUCCESS && ReadOnly && WantsWrite) return ERROR_ACCESS_DENIED;
  return Result;
}

template <typename Body>
LONG TRegistryStore::InWriteTransaction(Body&& Work) {
  LONG Result = Connect(true);
  if (Result != ERROR_SUCCESS) return Result;
  int Begin = sqlite3_exec(FDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (Begin != SQLITE_OK) return ErrorFromSqlite(Begin);
  switch (State()) {
    case TFileState::Empty:
      CreateSchema();
      if (State() != TFileState::Ours) Result = ERROR_CANTWRITE;
      break;
    case TFileState::Ours:
      break;
    default:
      Result = ERROR_BADDB;
  }
  if (Result == ERROR_SUCCESS) Result = Work();
  if (Result == ERROR_SUCCESS) {
    int Commit = sqlite3_exec(FDb, "COMMIT", nullptr, nullptr, nullptr);
    if (Commit == SQLITE_OK) return ERROR_SUCCESS;
    Result = Commit == SQLITE_FULL ? ERROR_CANTWRITE : ErrorFromSqlite(Commit);
  }
  sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
  FKnownOurs = false;
  return Result;
}

LONG TRegistryStore::CreateKey(KeyId Base, std::string_view Path, bool WantsWrite, KeyId& Key,
                               bool& Created) {
  Created = false;
  LONG Result = OpenKey(Base, Path, WantsWrite, Key);
  if (Result != ERROR_FILE_NOT_FOUND) return Result;
  std::vector<std::string_view> Names;
  if (!SplitKeyPath(Path, Names)) return ERROR_BAD_PATHNAME;
  std::lock_guard Guard(FLock);
  return InWriteTransaction([&]() -> LONG {
    KeyId Current = Base;
    bool CurrentReadOnly = false;
    LONG Found = Lookup(Base, "", Current, CurrentReadOnly);
    if (Found != ERROR_SUCCESS) return Found;
    for (std::string_view Name : Names) {
      KeyId Child = 0;
      bool ChildReadOnly = false;
      Found = Lookup(Current, Name, Child, ChildReadOnly);
      if (Found == ERROR_FILE_NOT_FOUND) {
        if (CurrentReadOnly) return ERROR_ACCESS_DENIED;
        TStatement Insert(FDb, "INSERT INTO keys(parent, name, fold) VALUES (?, ?, ?)");
        int Step = Insert.Bind(1, Current).Bind(2, Name).Bind(3, FoldCase(Name)).Step();
        if (Step != SQLITE_DONE) return ErrorFromSqlite(Step);
        Child = sqlite3_last_insert_rowid(FDb);
        Created = true;
      } else if (Found != ERROR_SUCCESS) {
        return Found;
      }
      Current = Child;
      CurrentReadOnly = ChildReadOnly;
    }
    if (CurrentReadOnly && WantsWrite) return ERROR_ACCESS_DENIED;
    Key = Current;
    return ERROR_SUCCESS;
  });
}

LONG TRegistryStore::QueryValue(KeyId Key, std::string_view Name, DWORD& Type, std::string& Data) {
  std::lock_guard Guard(FLock);
  LONG Result = Connect(false);
  if (Result != ERROR_SUCCESS) return Result;
  TFileState Now = State();
  if (Now != TFileState::Ours)
    return Now == TFileState::Foreign ? ERROR_BADDB : ERROR_FILE_NOT_FOUND;
  TStatement Value(FDb, "SELECT type, data FROM vals WHERE key = ? AND fold = ?");
  int Step = Value.Bind(1, Key).Bind(2, FoldCase(Name)).Step();
  if (Step == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
  if (Step != SQLITE_ROW) return ErrorFromSqlite(Step);
  Type = static_cast<DWORD>(Value.Int(0));
  Data = Value.Bytes(1);
  return ERROR_SUCCESS;
}

LONG TRegistryStore::SetValue(KeyId Key, std::string_view Name, DWORD Type, const BYTE* Data,
                              DWORD Size) {
  std::lock_guard Guard(FLock);
  return InWriteTransaction([&]() -> LONG {
    TStatement Exists(FDb, "SELECT 1 FROM keys WHERE id = ?");
    int Found = Exists.Bind(1, Key).Step();
    if (Found != SQLITE_ROW) return Found == SQLITE_DONE ? ERROR_BADKEY : ErrorFromSqlite(Found);
    TStatement Upsert(FDb,
                      "INSERT INTO vals(key, name, fold, type, data) VALUES (?, ?, ?, ?, ?)"
                      " ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type,"
                      " data = excluded.data");
    int Step = Upsert.Bind(1, Key)
                   .Bind(2, Name)
                   .Bind(3, FoldCase(Name))
                   .Bind(4, static_cast<std::int64_t>(Type))
                   .BindBytes(5, Data, Size)
                   .Step();
    return Step == SQLITE_DONE ? ERROR_SUCCESS : ErrorFromSqlite(Step);
  });
}

LONG TRegistryStore::SetKeyReadOnly(KeyId Base, std::string_view Path, bool ReadOnly) {
  KeyId Key = 0;
  LONG Result = OpenKey(Base, Path, false, Key);
  if (Result != ERROR_SUCCESS) return Result;
  std::lock_guard Guard(FLock);
  return InWriteTransaction([&]() -> LONG {
    TStatement Update(FDb, "UPDATE keys SET read_only = ? WHERE id = ?");
    int Step = Update.Bind(1, ReadOnly ? 1 : 0).Bind(2, Key).Step();
    return Step == SQLITE_DONE ? ERROR_SUCCESS : ErrorFromSqlite(Step);
  });
}
