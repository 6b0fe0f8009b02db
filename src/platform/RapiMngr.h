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

class TRapiManager : public TRegistryCalls {
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

  // Values as stored (see TStoredValues), each call through a key handle
  // of its own below RootKey (the current key stays). ProbeKey and
  // QueryValue ask for read rights only.
  LONG ProbeKey(const std::string& Key) override;
  LONG QueryValue(const std::string& Key, const std::string& Name, DWORD& Type,
                  std::string& Data) override;
  LONG SetValue(const std::string& Key, const std::string& Name, DWORD Type,
                const std::string& Data) override;
  LONG DeleteValue(const std::string& Key, const std::string& Name) override;
  LONG DeleteKey(const std::string& Key) override;
  // TExRapiRegReadValueFailed or TExRapiRegWriteValueFailed with the
  // device's reason, or what the device library lacked for the latest call.
  [[noreturn]] void RaiseReadFailure(const std::string& Name, LONG Code) override;
  [[noreturn]] void RaiseWriteFailure(const std::string& Name, LONG Code) override;

  // What tells this device from another: the type and bytes of the name
  // ActiveSync knows it by, "Name" in the key "Ident" below the device's
  // HKEY_LOCAL_MACHINE, which no two devices of one desktop share; empty
  // for a device without one. TExRapiRegReadValueFailed when it cannot be
  // read.
  std::string Identity();

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

  struct TRegistryCall;

 private:
  bool Connect();
  // Code, with Call as the latest call made.
  LONG Call(const TRegistryCall& Call, LONG Code);
  std::string LastFailureReason(LONG Code) const;
  void SetConnected(bool Value);
  void ChangeKey(HKEY Value, const std::string& Path);

  bool FConnected = false;
  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  const TRegistryCall* FLastCall = nullptr;
};

inline constexpr const char* kIdentityKey = "Ident";
inline constexpr const char* kIdentityName = "Name";
