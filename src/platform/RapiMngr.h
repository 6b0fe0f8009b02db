// The program's one door to the connected device: the connection, decided
// once at construction; the device registry; device files copied to the
// desktop; the device's temporary folder. Names and paths are the program's
// single-byte strings, converted to UTF-16 at the device boundary.
#pragma once

#include <string>

#include "Exception.h"
#include "StoredValue.h"
#include "WinCompat.h"

enum class TRapiDataType { rtUnknown, rtString, rtExpandString, rtInteger, rtBinary };

// Registry type code to data type; any other code is rtUnknown.
TRapiDataType DataTypeToRapiData(DWORD DataType);
// Data type to registry type code; rtUnknown is REG_NONE.
DWORD RapiDataToDataType(TRapiDataType DataType);

class TExRapiBase : public Exception {
 public:
  using Exception::Exception;
};

// "Read registry value failed: " and the value name, with ": " and the
// reason when there is one.
class TExRapiRegReadValueFailed : public TExRapiBase {
 public:
  explicit TExRapiRegReadValueFailed(const std::string& Name)
      : TExRapiBase("Read registry value failed: " + Name) {}
  TExRapiRegReadValueFailed(const std::string& Name, const std::string& Reason)
      : TExRapiRegReadValueFailed(Name + ": " + Reason) {}
};

// "Write registry value failed: " and the value name, with ": " and the
// reason when there is one.
class TExRapiRegWriteValueFailed : public TExRapiBase {
 public:
  explicit TExRapiRegWriteValueFailed(const std::string& Name)
      : TExRapiBase("Write registry value failed: " + Name) {}
  TExRapiRegWriteValueFailed(const std::string& Name, const std::string& Reason)
      : TExRapiRegWriteValueFailed(Name + ": " + Reason) {}
};

// "Invalid registry type: " and the value name.
class TExRapiRegInvalidType : public TExRapiBase {
 public:
  explicit TExRapiRegInvalidType(const std::string& Name)
      : TExRapiBase("Invalid registry type: " + Name) {}
};

// "Device file not found: " and the device path.
class TExRapiFileNotFound : public TExRapiBase {
 public:
  explicit TExRapiFileNotFound(const std::string& DeviceFile)
      : TExRapiBase("Device file not found: " + DeviceFile) {}
};

// "Can not read device file: " and the device path.
class TExRapiFileReadFailed : public TExRapiBase {
 public:
  explicit TExRapiFileReadFailed(const std::string& DeviceFile)
      : TExRapiBase("Can not read device file: " + DeviceFile) {}
};

// "File already exists: " and the desktop path.
class TExRapiFileAlreadyExists : public TExRapiBase {
 public:
  explicit TExRapiFileAlreadyExists(const std::string& DesktopFile)
      : TExRapiBase("File already exists: " + DesktopFile) {}
};

// The runtime's input/output error: a desktop file could not be written.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};

[[noreturn]] void RaiseInvalidType(const std::string& Name);

class TRapiManager {
 public:
  // Tries to connect at once, waiting at most 2000 ms; never fails.
  TRapiManager();
  // Ends the connection when there is one.
  ~TRapiManager();
  TRapiManager(const TRapiManager&) = delete;
  TRapiManager& operator=(const TRapiManager&) = delete;

  bool Connected() const { return FConnected; }
  // The hive later key paths are relative to; changing it leaves the
  // current key open.
  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value) { FRootKey = Value; }

  // Opens Key below RootKey (KEY_READ when ReadOnly, else KEY_ALL_ACCESS),
  // creating it when allowed, and makes it the current key. On failure the
  // current key stays as it was.
  bool OpenKey(const std::string& Key, bool ReadOnly, bool CanCreate);
  void CloseKey();

  // Reads Name of the current key into Buffer; the size the device reports.
  int GetData(const std::string& Name, void* Buffer, int BufSize, TRapiDataType& DataType);
  void PutData(const std::string& Name, const void* Buffer, int BufSize, TRapiDataType DataType);
  // The size of Name's data in bytes, or -1 when it cannot be queried.
  int GetDataSize(const std::string& Name);
  // Default when the value cannot be read; raises TExRapiRegInvalidType for
  // a value of another type that fits in 4 bytes.
  int ReadInteger(const std::string& Name, int Default);
  std::string ReadString(const std::string& Name, const std::string& Default);
  void WriteInteger(const std::string& Name, int Value);

  // Name in Key below RootKey as the device keeps it, whatever its type and
  // bytes. A missing key or value is an absent value (with the first missing
  // key of the path when the key is missing); any other failure raises
  // TExRapiRegReadValueFailed with the device's reason. Key becomes the
  // current key when it exists.
  TStoredValue ReadStoredValue(const std::string& Key, const std::string& Name);
  // Makes Name in Key what Value says, through a key handle of its own (the
  // current key stays): present, the key opened or created and the value set
  // with Value's type and bytes; absent, the value deleted, then the keys
  // that were missing deleted again, deepest first (what is gone already is
  // no failure). Raises TExRapiRegWriteValueFailed with the reason.
  void WriteStoredValue(const std::string& Key, const std::string& Name, const TStoredValue& Value);

  // Copies a device file to the desktop in chunks of 10240 bytes. The
  // target is replaced only once the whole file arrived: a failed copy
  // leaves no partial file and an existing target as it was. Without
  // Overwrite an existing file is never replaced, not even one that appeared
  // during the copy. A desktop file that cannot be written in full raises
  // EInOutError, with the system's reason.
  void CopyFileFromDevice(const std::string& DeviceFile, const std::string& DesktopFile,
                          bool Overwrite);
  // The same, with every failure turned into false. Failure, when given,
  // receives the message of a failure other than a missing device file.
  bool TryCopyFileFromDevice(const std::string& DeviceFile, const std::string& DesktopFile,
                             bool Overwrite, std::string* Failure = nullptr);
  // The device's temporary folder; empty when it cannot be asked.
  std::string GetDeviceTempPath();

 private:
  bool Connect();
  void SetConnected(bool Value);
  void ChangeKey(HKEY Value, const std::string& Path);

  bool FConnected = false;
  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
};
