// The device API binding over a device library that lacks CeGetTempPath.
// The binding keeps a loaded library for the whole process, so this runs in
// a process of its own.
#include <gtest/gtest.h>

#include "SimulatedDevice.h"
#include "TemporaryRegistry.h"
#include "rapi.h"

TEST(RapiWithoutTempPath, RegistryCallsWorkAndTheTemporaryFolderReadsEmpty) {
  TSimulatedDevice Device(TDeviceLibrary::WithoutTempPath);
  ASSERT_TRUE(LoadRapi());
  EXPECT_EQ(nullptr, RapiEntryPoints()[RapiEntryPointIndex("CeGetTempPath")]);
  EXPECT_NE(nullptr, RapiEntryPoints()[RapiEntryPointIndex("CeRegSetValueEx")]);

  RAPIINIT Init{sizeof(RAPIINIT), nullptr, E_FAIL};
  ASSERT_EQ(S_OK, CeRapiInitEx(&Init));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(Init.heRapiInit, 10000));
  HKEY Key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, CeRegCreateKeyEx(HKEY_CURRENT_USER, WIDE("\\Software\\ZQT"), 0, nullptr,
                                            0, KEY_ALL_ACCESS, nullptr, &Key, nullptr));
  const DWORD Value = 42;
  EXPECT_EQ(ERROR_SUCCESS, CeRegSetValueEx(Key, WIDE("Answer"), 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&Value), 4));
  CeRegCloseKey(Key);
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, "Software\\ZQT", "Answer", Type, Bytes));
  EXPECT_EQ(DwordBytes(42), Bytes);

  WCHAR Path[520] = {};
  EXPECT_EQ(0u, CeGetTempPath(520, Path));
  EXPECT_EQ(WideString(), Path);
  EXPECT_EQ(0u, Device.Calls("CeGetTempPath"));
  CeRapiUninit();
}
