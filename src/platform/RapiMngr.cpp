#include "RapiMngr.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "SystemError.h"
#include "TemporaryFiles.h"
#include "miniUtils.h"
#include "rapi.h"

namespace {

// How long the connection attempt at construction may take.
constexpr DWORD kConnectWaitMs = 2000;
// Device files travel in chunks of this many bytes, through one buffer.
constexpr DWORD kTransferChunk = 10240;
// The device's temporary folder fits in this many characters.
constexpr DWORD kTempPathLength = 520;
// Names and paths are the system's single-byte text.
constexpr UINT kCodePage = 0;

WideString DeviceName(const std::string& Name) { return AnsiToWide(Name, kCodePage); }

// A byte count for the device; a negative one is none.
DWORD ByteCount(int Size) { return static_cast<DWORD>(std::max(Size, 0)); }

bool Succeeded(HRESULT Result) { return Result >= 0; }

// The text in the first Count characters of Text, up to its first NUL, as
// single-byte text: nothing past what the device reported is read.
std::string DeviceText(const WCHAR* Text, std::size_t Count) {
  const WCHAR* const End = std::find(Text, Text + Count, WCHAR());
  return WideToAnsi(WideString(Text, End), kCodePage);
}

[[noreturn]] void RaiseDesktopWriteFailed(const std::string& DesktopFile) {
  throw EInOutError("Can not write desktop file: " + DesktopFile + ": " + LastSystemErrorMessage());
}

// A device file opened for reading; closed on the device when it goes.
class TDeviceFile {
 public:
  explicit TDeviceFile(HANDLE Handle) : FHandle(Handle) {}
  ~TDeviceFile() { CeCloseHandle(FHandle); }
  TDeviceFile(const TDeviceFile&) = delete;
  TDeviceFile& operator=(const TDeviceFile&) = delete;

  HANDLE Handle() const { return FHandle; }

 private:
  HANDLE FHandle;
};

// The desktop side of a device copy: a temporary file beside the desktop
// file, which takes its place in PutInPlace once everything was written.
// Until then the desktop file is untouched, and a copy that never got there
// leaves no temporary file behind. Every failure is an input/output error.
class TDesktopCopy {
 public:
  explicit TDesktopCopy(const std::string& DesktopFile)
      : FDesktopFile(DesktopFile), FTemporary(TemporaryNameBeside(DesktopFile)) {
    FFile = std::fopen(FTemporary.c_str(), "wb");
    if (!FFile) RaiseDesktopWriteFailed(FDesktopFile);
    // Each chunk goes straight to the file, so a failing write shows at once.
    std::setvbuf(FFile, nullptr, _IONBF, 0);
  }
  ~TDesktopCopy() {
    if (!FFile) return;
    std::fclose(FFile);
    DeleteFileA(FTemporary.c_str());
  }
  TDesktopCopy(const TDesktopCopy&) = delete;
  TDesktopCopy& operator=(const TDesktopCopy&) = delete;

  // All Count bytes, or an input/output error: a short write is a failure.
  void Write(const BYTE* Data, std::size_t Count) {
    if (std::fwrite(Data, 1, Count, FFile) != Count) RaiseDesktopWriteFailed(FDesktopFile);
  }

  void PutInPlace(bool ReplaceExisting) {
    std::FILE* const File = FFile;
    FFile = nullptr;
    if (std::fclose(File) != 0) {
      DeleteFileA(FTemporary.c_str());
      RaiseDesktopWriteFailed(FDesktopFile);
    }
    if (!PutTemporaryInPlace(FTemporary, FDesktopFile, ReplaceExisting))
      RaiseDesktopWriteFailed(FDesktopFile);
  }

 private:
  std::string FDesktopFile;
  std::string FTemporary;
  std::FILE* FFile = nullptr;
};

}  // namespace

// A device registry call, for the reason of its failure: its entry point,
// and what the device library cannot do without it.
struct TRapiManager::TRegistryCall {
  int EntryPoint;
  const char* Lacking;
};

namespace {

using TRegistryCall = TRapiManager::TRegistryCall;

constexpr TRegistryCall kOpenKey{RapiEntryPointIndex("CeRegOpenKeyEx"), "open registry keys"};
constexpr TRegistryCall kCreateKey{RapiEntryPointIndex("CeRegCreateKeyEx"), "create registry keys"};
constexpr TRegistryCall kQueryValue{RapiEntryPointIndex("CeRegQueryValueEx"),
                                    "read registry values"};
constexpr TRegistryCall kSetValue{RapiEntryPointIndex("CeRegSetValueEx"), "write registry values"};
constexpr TRegistryCall kDeleteValue{RapiEntryPointIndex("CeRegDeleteValue"),
                                     "delete registry values"};
constexpr TRegistryCall kDeleteKey{RapiEntryPointIndex("CeRegDeleteKey"), "delete registry keys"};

// Why Call failed with Code: the system's words for the device's code, or,
// for the binding's fallback, what the binding lacked to make the call.
std::string FailureReason(const TRegistryCall& Call, LONG Code) {
  if (Code == kRapiFallback && !RapiLibHandle()) return "the device library could not be loaded";
  if (Code == kRapiFallback && !RapiEntryPoints()[Call.EntryPoint])
    return std::string("the device library cannot ") + Call.Lacking + " (it has no " +
           RapiEntryPointNames[Call.EntryPoint] + ")";
  return SystemErrorMessage(Code);
}

// A device key handle of one operation's own, closed on the device when it
// goes.
class TDeviceKey {
 public:
  TDeviceKey() = default;
  ~TDeviceKey() {
    if (FKey) CeRegCloseKey(FKey);
  }
  TDeviceKey(const TDeviceKey&) = delete;
  TDeviceKey& operator=(const TDeviceKey&) = delete;

  HKEY* Receive() { return &FKey; }
  HKEY Key() const { return FKey; }

 private:
  HKEY FKey = nullptr;
};

// Name in Key as the device keeps it: the size first, then the bytes. A
// value that grew meanwhile is asked for again.
LONG QueryDeviceBytes(HKEY Key, const std::string& Name, DWORD& Type, std::string& Data) {
  const WideString ValueName = DeviceName(Name);
  for (;;) {
    DWORD Size = 0;
    LONG Code = CeRegQueryValueEx(Key, ValueName.c_str(), nullptr, &Type, nullptr, &Size);
    if (Code != ERROR_SUCCESS) return Code;
    Data.assign(Size, '\0');
    Code = CeRegQueryValueEx(Key, ValueName.c_str(), nullptr, &Type,
                             reinterpret_cast<BYTE*>(Data.data()), &Size);
    if (Code == ERROR_MORE_DATA) continue;
    Data.resize(std::min<std::size_t>(Size, Data.size()));
    return Code;
  }
}

// A file at the path, not a folder.
bool DesktopFileExists(const std::string& DesktopFile) {
  std::error_code Ignored;
  const std::filesystem::file_status Status = std::filesystem::status(DesktopFile, Ignored);
  return std::filesystem::exists(Status) && !std::filesystem::is_directory(Status);
}

}  // namespace

TRapiDataType DataTypeToRapiData(DWORD DataType) {
  switch (DataType) {
    case REG_SZ:
      return TRapiDataType::rtString;
    case REG_EXPAND_SZ:
      return TRapiDataType::rtExpandString;
    case REG_DWORD:
      return TRapiDataType::rtInteger;
    case REG_BINARY:
      return TRapiDataType::rtBinary;
    default:
      return TRapiDataType::rtUnknown;
  }
}

DWORD RapiDataToDataType(TRapiDataType DataType) {
  switch (DataType) {
    case TRapiDataType::rtString:
      return REG_SZ;
    case TRapiDataType::rtExpandString:
      return REG_EXPAND_SZ;
    case TRapiDataType::rtInteger:
      return REG_DWORD;
    case TRapiDataType::rtBinary:
      return REG_BINARY;
    default:
      return REG_NONE;
  }
}

void RaiseInvalidType(const std::string& Name) { throw TExRapiRegInvalidType(Name); }

TRapiManager::TRapiManager() {
  SetConnected(true);
  SetRootKey(HKEY_CURRENT_USER);
  FCurrentKey = nullptr;
}

// The current key is not closed on its own: ending the connection takes
// back every handle the device gave out.
TRapiManager::~TRapiManager() {
  if (FConnected) SetConnected(false);
}

bool TRapiManager::Connect() {
  RAPIINIT Init{sizeof(RAPIINIT), nullptr, E_FAIL};
  const HRESULT Started = CeRapiInitEx(&Init);
  // Without an attempt started, the record's handle and result mean nothing.
  if (Started != kRapiFallback && Succeeded(Started) &&
      WaitForSingleObject(Init.heRapiInit, kConnectWaitMs) == WAIT_OBJECT_0 &&
      Succeeded(Init.hrRapiInit))
    return true;
  CeRapiUninit();
  return false;
}

void TRapiManager::SetConnected(bool Value) {
  if (Value) {
    FConnected = Connect();
  } else {
    CeRapiUninit();
    FConnected = false;
  }
}

bool TRapiManager::OpenKey(const std::string& Key, bool ReadOnly, bool CanCreate) {
  const WideString Path = DeviceName(Key);
  const REGSAM Access = ReadOnly ? KEY_READ : KEY_ALL_ACCESS;
  HKEY Opened = nullptr;
  LONG Result = CeRegOpenKeyEx(FRootKey, Path.c_str(), 0, Access, &Opened);
  if (Result != ERROR_SUCCESS && CanCreate) {
    DWORD Disposition = 0;
    Result = CeRegCreateKeyEx(FRootKey, Path.c_str(), 0, nullptr, 0, Access, nullptr, &Opened,
                              &Disposition);
  }
  if (Result != ERROR_SUCCESS) return false;
  ChangeKey(Opened, Key);
  return true;
}

void TRapiManager::CloseKey() {
  if (!FCurrentKey) return;
  CeRegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

void TRapiManager::ChangeKey(HKEY Value, const std::string& Path) {
  CloseKey();
  FCurrentKey = Value;
  FCurrentPath = Path;
}

int TRapiManager::GetData(const std::string& Name, void* Buffer, int BufSize,
                          TRapiDataType& DataType) {
  DWORD Type = REG_NONE;
  DWORD Size = ByteCount(BufSize);
  if (CeRegQueryValueEx(FCurrentKey, DeviceName(Name).c_str(), nullptr, &Type,
                        static_cast<LPBYTE>(Buffer), &Size) != ERROR_SUCCESS)
    throw TExRapiRegReadValueFailed(Name);
  DataType = DataTypeToRapiData(Type);
  return static_cast<int>(Size);
}

void TRapiManager::PutData(const std::string& Name, const void* Buffer, int BufSize,
                           TRapiDataType DataType) {
  if (CeRegSetValueEx(FCurrentKey, DeviceName(Name).c_str(), 0, RapiDataToDataType(DataType),
                      static_cast<const BYTE*>(Buffer), ByteCount(BufSize)) != ERROR_SUCCESS)
    throw TExRapiRegWriteValueFailed(Name);
}

int TRapiManager::GetDataSize(const std::string& Name) {
  DWORD Type = REG_NONE;
  DWORD Size = 0;
  if (CeRegQueryValueEx(FCurrentKey, DeviceName(Name).c_str(), nullptr, &Type, nullptr, &Size) !=
      ERROR_SUCCESS)
    return -1;
  return static_cast<int>(Size);
}

// The buffer holds 4 bytes: a value of another type that is longer cannot be
// read and gives Default, while one that fits is read and refused.
int TRapiManager::ReadInteger(const std::string& Name, int Default) {
  int Result = 0;
  TRapiDataType DataType;
  try {
    GetData(Name, &Result, sizeof(Result), DataType);
  } catch (const TExRapiRegReadValueFailed&) {
    return Default;
  }
  if (DataType != TRapiDataType::rtInteger) RaiseInvalidType(Name);
  return Result;
}

// Text of either string type, unexpanded; a value without any data is
// Default, an empty text with its NUL is the empty text.
std::string TRapiManager::ReadString(const std::string& Name, const std::string& Default) {
  const int Size = GetDataSize(Name);
  if (Size <= 0) return Default;
  std::vector<WCHAR> Buffer(Size);
  TRapiDataType DataType;
  const int Read = GetData(Name, Buffer.data(), Size, DataType);
  if (DataType != TRapiDataType::rtString && DataType != TRapiDataType::rtExpandString)
    RaiseInvalidType(Name);
  const int Bytes = std::clamp(Read, 0, Size);
  return DeviceText(Buffer.data(), static_cast<std::size_t>(Bytes) / sizeof(WCHAR));
}

void TRapiManager::WriteInteger(const std::string& Name, int Value) {
  PutData(Name, &Value, sizeof(Value), TRapiDataType::rtInteger);
}

LONG TRapiManager::Call(const TRegistryCall& Call, LONG Code) {
  FLastCall = &Call;
  return Code;
}

LONG TRapiManager::ProbeKey(const std::string& Key) {
  TDeviceKey Opened;
  return Call(kOpenKey,
              CeRegOpenKeyEx(FRootKey, DeviceName(Key).c_str(), 0, KEY_READ, Opened.Receive()));
}

LONG TRapiManager::QueryValue(const std::string& Key, const std::string& Name, DWORD& Type,
                              std::string& Data) {
  TDeviceKey Opened;
  const LONG Code = Call(
      kOpenKey, CeRegOpenKeyEx(FRootKey, DeviceName(Key).c_str(), 0, KEY_READ, Opened.Receive()));
  if (Code != ERROR_SUCCESS) return Code;
  return Call(kQueryValue, QueryDeviceBytes(Opened.Key(), Name, Type, Data));
}

LONG TRapiManager::SetValue(const std::string& Key, const std::string& Name, DWORD Type,
                            const std::string& Data) {
  TDeviceKey Opened;
  DWORD Disposition = 0;
  const LONG Code =
      Call(kCreateKey, CeRegCreateKeyEx(FRootKey, DeviceName(Key).c_str(), 0, nullptr, 0,
                                        KEY_ALL_ACCESS, nullptr, Opened.Receive(), &Disposition));
  if (Code != ERROR_SUCCESS) return Code;
  const std::string Guarded = GuardedBytes(Data);
  return Call(kSetValue, CeRegSetValueEx(Opened.Key(), DeviceName(Name).c_str(), 0, Type,
                                         reinterpret_cast<const BYTE*>(Guarded.data()),
                                         static_cast<DWORD>(Data.size())));
}

LONG TRapiManager::DeleteValue(const std::string& Key, const std::string& Name) {
  TDeviceKey Opened;
  const LONG Code = Call(kOpenKey, CeRegOpenKeyEx(FRootKey, DeviceName(Key).c_str(), 0,
                                                  KEY_ALL_ACCESS, Opened.Receive()));
  if (Code != ERROR_SUCCESS) return Code;
  return Call(kDeleteValue, CeRegDeleteValue(Opened.Key(), DeviceName(Name).c_str()));
}

LONG TRapiManager::DeleteKey(const std::string& Key) {
  return Call(kDeleteKey, CeRegDeleteKey(FRootKey, DeviceName(PathBelowRoot(Key)).c_str()));
}

// A failure that came before any call is in the system's words.
std::string TRapiManager::LastFailureReason(LONG Code) const {
  return FLastCall ? FailureReason(*FLastCall, Code) : SystemErrorMessage(Code);
}

void TRapiManager::RaiseReadFailure(const std::string& Name, LONG Code) {
  throw TExRapiRegReadValueFailed(Name, LastFailureReason(Code));
}

void TRapiManager::RaiseWriteFailure(const std::string& Name, LONG Code) {
  throw TExRapiRegWriteValueFailed(Name, LastFailureReason(Code));
}

std::string TRapiManager::Identity() {
  const HKEY Root = FRootKey;
  FRootKey = HKEY_LOCAL_MACHINE;
  try {
    const TStoredValue Name = TStoredValues(*this).Read(kIdentityKey, kIdentityName);
    FRootKey = Root;
    return Name.Present ? std::to_string(Name.Type) + ":" + Name.Data : std::string();
  } catch (...) {
    FRootKey = Root;
    throw;
  }
}

void TRapiManager::CopyFileFromDevice(const std::string& DeviceFile, const std::string& DesktopFile,
                                      bool Overwrite) {
  if (!Overwrite && DesktopFileExists(DesktopFile)) throw TExRapiFileAlreadyExists(DesktopFile);
  const HANDLE Opened = CeCreateFile(DeviceName(DeviceFile).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (Opened == INVALID_HANDLE_VALUE) throw TExRapiFileNotFound(DeviceFile);
  TDeviceFile Source(Opened);
  std::vector<BYTE> Buffer(kTransferChunk);
  TDesktopCopy Target(DesktopFile);
  for (;;) {
    DWORD Read = 0;
    if (!CeReadFile(Source.Handle(), Buffer.data(), kTransferChunk, &Read, nullptr))
      throw TExRapiFileReadFailed(DeviceFile);
    if (Read == 0) break;
    Target.Write(Buffer.data(), std::min(Read, kTransferChunk));
  }
  Target.PutInPlace(Overwrite);
}

bool TRapiManager::TryCopyFileFromDevice(const std::string& DeviceFile,
                                         const std::string& DesktopFile, bool Overwrite,
                                         std::string* Failure) {
  try {
    CopyFileFromDevice(DeviceFile, DesktopFile, Overwrite);
    return true;
  } catch (const TExRapiFileNotFound&) {
    return false;
  } catch (const std::exception& Error) {
    if (Failure) *Failure = Error.what();
    return false;
  }
}

// The device gives the length of the folder without its NUL when it fits,
// the length it needs otherwise, and 0 on failure.
std::string TRapiManager::GetDeviceTempPath() {
  std::vector<WCHAR> Buffer(kTempPathLength);
  const DWORD Length = CeGetTempPath(kTempPathLength, Buffer.data());
  if (Length >= kTempPathLength) return std::string();
  return DeviceText(Buffer.data(), Length);
}
