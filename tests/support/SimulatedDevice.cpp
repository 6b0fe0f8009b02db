#include "SimulatedDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>

#include "DeviceFolder.h"
#include "DeviceValues.h"
#include "ProcessVariables.h"
#include "TemporaryRegistry.h"

namespace {

std::map<std::string, std::int64_t> NumbersIn(const std::filesystem::path& File) {
  std::map<std::string, std::int64_t> Numbers;
  std::istringstream Lines(ReadWholeFile(File.string()));
  std::string Name;
  std::int64_t Number = 0;
  while (Lines >> Name >> Number) Numbers[Name] = Number;
  return Numbers;
}

}  // namespace

std::string DeviceTextBytes(const WideString& Text) {
  std::string Bytes((Text.size() + 1) * sizeof(WCHAR), '\0');
  std::memcpy(Bytes.data(), Text.data(), Text.size() * sizeof(WCHAR));
  return Bytes;
}

TSimulatedDevice::TSimulatedDevice(TDeviceLibrary Library) : FHives(FFolder.Path()) {
  std::filesystem::create_directory(Folder() / kDeviceFilesFolder);
  std::filesystem::create_directory(Folder() / kDeviceSettingsFolder);
  UseDeviceLibrary(Library);
  SetProcessVariable(kDeviceFolderVariable, Folder().string());
}

TSimulatedDevice::~TSimulatedDevice() {
  Unplug();
  FHives.Erase();
}

void TSimulatedDevice::Unplug() { ClearProcessVariable(kDeviceFolderVariable); }

void TSimulatedDevice::PlugIn() { SetProcessVariable(kDeviceFolderVariable, Folder().string()); }

void TSimulatedDevice::SetName(const WideString& Name) {
  SetValue(HKEY_LOCAL_MACHINE, "Ident", "Name", REG_SZ, DeviceTextBytes(Name));
}

void TSimulatedDevice::Set(const char* Setting, const std::string& Value) {
  WriteWholeFile((Folder() / kDeviceSettingsFolder / Setting).string(), Value);
}

void TSimulatedDevice::ConnectAfter(std::chrono::milliseconds Delay) {
  Set(kConnectSetting, std::to_string(Delay.count()));
}

void TSimulatedDevice::NeverConnect() { Set(kConnectSetting, kConnectNever); }

void TSimulatedDevice::RefuseConnection() { Set(kConnectSetting, kConnectRefuse); }

void TSimulatedDevice::FailConnection() { Set(kConnectSetting, kConnectFail); }

void TSimulatedDevice::RefuseRegistryWrites() { Set(kRefuseRegistryWritesSetting, "yes"); }

void TSimulatedDevice::AcceptRegistryWrites() {
  std::filesystem::remove(Folder() / kDeviceSettingsFolder / kRefuseRegistryWritesSetting);
}

void TSimulatedDevice::FailRegistryReads() { Set(kFailRegistryReadsSetting, "yes"); }

void TSimulatedDevice::FailReadsAfter(std::uint64_t Bytes) {
  Set(kFailReadsAfterSetting, std::to_string(Bytes));
}

void TSimulatedDevice::SetTempPath(const std::string& Path) { Set(kTempPathSetting, Path); }

std::filesystem::path TSimulatedDevice::DiskFile(const std::string& DevicePath) const {
  std::filesystem::path File = Folder() / kDeviceFilesFolder;
  std::istringstream Names(DevicePath);
  for (std::string Name; std::getline(Names, Name, '\\');)
    if (!Name.empty()) File /= Name;
  return File;
}

void TSimulatedDevice::PutFile(const std::string& DevicePath, const std::string& Content) {
  std::filesystem::path File = DiskFile(DevicePath);
  std::filesystem::create_directories(File.parent_path());
  WriteWholeFile(File.string(), Content);
}

void TSimulatedDevice::SetValue(HKEY Root, const std::string& Path, const std::string& Name,
                                DWORD Type, const std::string& Bytes) {
  HKEY Hive = FHives.Open(Root);
  HKEY Key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(Hive, Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &Key, nullptr));
  RegCloseKey(Hive);
  EXPECT_EQ(ERROR_SUCCESS,
            WriteDeviceValue(Key, Name, Type, reinterpret_cast<const BYTE*>(Bytes.data()),
                             static_cast<DWORD>(Bytes.size())));
  RegCloseKey(Key);
}

bool TSimulatedDevice::QueryValue(HKEY Root, const std::string& Path, const std::string& Name,
                                  DWORD& Type, std::string& Bytes) const {
  HKEY Hive = FHives.Open(Root);
  HKEY Key = nullptr;
  LONG Result = RegOpenKeyExA(Hive, Path.c_str(), 0, KEY_READ, &Key);
  RegCloseKey(Hive);
  if (Result != ERROR_SUCCESS) return false;
  Result = ReadDeviceValue(Key, Name, Type, Bytes);
  RegCloseKey(Key);
  return Result == ERROR_SUCCESS;
}

bool TSimulatedDevice::KeyExists(HKEY Root, const std::string& Path) const {
  HKEY Key = FHives.Open(Root);
  bool Found = ::KeyExists(Key, Path);
  RegCloseKey(Key);
  return Found;
}

std::uint64_t TSimulatedDevice::Calls(const std::string& EntryPoint) const {
  auto Counts = NumbersIn(Folder() / kCallCountsFile);
  auto Found = Counts.find(EntryPoint);
  return Found == Counts.end() ? 0 : static_cast<std::uint64_t>(Found->second);
}

std::uint64_t TSimulatedDevice::RemoteCalls() const {
  std::uint64_t Total = 0;
  for (const auto& [EntryPoint, Count] : NumbersIn(Folder() / kCallCountsFile))
    if (EntryPoint != "CeRapiInitEx" && EntryPoint != "CeRapiUninit") Total += Count;
  return Total;
}

std::optional<std::uint32_t> TSimulatedDevice::InitRecordSize() const {
  std::istringstream Text(ReadWholeFile((Folder() / kInitRecordSizeFile).string()));
  std::uint32_t Size = 0;
  if (!(Text >> Size)) return std::nullopt;
  return Size;
}

std::optional<std::chrono::nanoseconds> TSimulatedDevice::TimeToUninit() const {
  auto Times = NumbersIn(Folder() / kConnectionTimesFile);
  if (!Times.count("CeRapiInitEx") || !Times.count("CeRapiUninit")) return std::nullopt;
  return std::chrono::nanoseconds(Times["CeRapiUninit"] - Times["CeRapiInitEx"]);
}
