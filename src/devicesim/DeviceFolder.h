// The folder a simulated device lives in, named by ZQT_DEVICE_FOLDER:
//
//   registry.db        on Linux, the device registry: a registry store whose
//                      two hives are the device's HKEY_CURRENT_USER and
//                      HKEY_LOCAL_MACHINE (on Windows the registry lives in
//                      the desktop's registry instead, see DeviceHives.h)
//   files/             the device's file system: device path \Temp\ZQTUtil.log
//                      is files/Temp/ZQTUtil.log
//   settings/          the device's behaviour, one small file per setting
//                      holding one value (see below); a missing file means
//                      the ordinary behaviour
//   call-counts        written by the device: one line "<entry point> <calls>"
//                      per entry point called so far
//   connection-times   written by the device: "CeRapiInitEx <ns>" for the
//                      latest connection request and "CeRapiUninit <ns>" for
//                      the uninitialisation that followed it, in nanoseconds
//                      of the system's monotonic clock
//   init-record-size   written by the device: the size (cbSize) of the record
//                      the latest connection request came with, in bytes;
//                      blank when it came without one
//
// The device's record is current at every moment: its lines have one width,
// numbers padded with blanks, and what is not known is a blank line, so that
// the device changes them in place while it runs; readers skip the blanks.
//
// Shared by the device library and the tests that set a device up.
#pragma once

inline constexpr const char* kDeviceFolderVariable = "ZQT_DEVICE_FOLDER";

inline constexpr const char* kDeviceRegistryFile = "registry.db";
inline constexpr const char* kDeviceFilesFolder = "files";
inline constexpr const char* kDeviceSettingsFolder = "settings";
inline constexpr const char* kCallCountsFile = "call-counts";
inline constexpr const char* kConnectionTimesFile = "connection-times";
inline constexpr const char* kInitRecordSizeFile = "init-record-size";

// How the device answers a connection request: "now", a number of
// milliseconds after which it answers, "never" (the caller's wait runs out),
// "refuse" (the request itself fails) or "fail" (the attempt ends at once
// with a failure result).
inline constexpr const char* kConnectSetting = "connect";
inline constexpr const char* kConnectNow = "now";
inline constexpr const char* kConnectNever = "never";
inline constexpr const char* kConnectRefuse = "refuse";
inline constexpr const char* kConnectFail = "fail";
// Present: every registry write (a value, or a key that does not exist yet)
// and every delete is refused with ERROR_ACCESS_DENIED.
inline constexpr const char* kRefuseRegistryWritesSetting = "refuse-registry-writes";
// Present: every registry value read fails with ERROR_CANTREAD.
inline constexpr const char* kFailRegistryReadsSetting = "fail-registry-reads";
// A number of bytes: a device file opened from then on delivers at most that
// many bytes, and every read after them fails.
inline constexpr const char* kFailReadsAfterSetting = "fail-reads-after";
// The device's temporary folder as UTF-8 text; \Temp\ when missing.
inline constexpr const char* kTempPathSetting = "temp-path";
