// The device API binding where the library is missing. The binding keeps a
// loaded library for the whole process, so this runs in a process of its
// own.
#include <gtest/gtest.h>

#include "SimulatedDevice.h"
#include "rapi.h"

TEST(RapiWithoutLibrary, EveryWrapperFallsBackUntilTheLibraryAppears) {
  TSimulatedDevice Device;
  TMissingDeviceLibrary Library;

  EXPECT_FALSE(LoadRapi());
  EXPECT_EQ(nullptr, RapiLibHandle());
  RAPIINIT Init{sizeof(RAPIINIT), nullptr, S_OK};
  EXPECT_EQ(0xFFFF, CeRapiInitEx(&Init));
  EXPECT_EQ(nullptr, Init.heRapiInit);
  EXPECT_EQ(0xFFFF, CeRapiUninit());
  HKEY Key = nullptr;
  EXPECT_EQ(0xFFFF, CeRegOpenKeyEx(HKEY_CURRENT_USER, WIDE("Software"), 0, KEY_READ, &Key));
  EXPECT_EQ(0xFFFF, CeRegCreateKeyEx(HKEY_CURRENT_USER, WIDE("Software"), 0, nullptr, 0,
                                     KEY_ALL_ACCESS, nullptr, &Key, nullptr));
  EXPECT_EQ(nullptr, Key);
  EXPECT_EQ(0xFFFF, CeRegCloseKey(Key));
  DWORD Type = 0, Size = 0;
  EXPECT_EQ(0xFFFF, CeRegQueryValueEx(Key, WIDE("Name"), nullptr, &Type, nullptr, &Size));
  EXPECT_EQ(0xFFFF, CeRegSetValueEx(Key, WIDE("Name"), 0, REG_DWORD, nullptr, 0));
  EXPECT_EQ(0xFFFF, CeRegDeleteValue(Key, WIDE("Name")));
  EXPECT_EQ(0xFFFF, CeRegDeleteKey(HKEY_CURRENT_USER, WIDE("Software")));
  EXPECT_EQ(reinterpret_cast<HANDLE>(std::uintptr_t{0xFFFF}),
            CeCreateFile(WIDE("\\Temp\\ZQTUtil.log"), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  char Buffer[16];
  DWORD Done = 7;
  EXPECT_EQ(0, CeReadFile(nullptr, Buffer, sizeof(Buffer), &Done, nullptr));
  EXPECT_EQ(7u, Done);
  EXPECT_EQ(0, CeCloseHandle(nullptr));
  WCHAR Path[520] = {WIDE('#')};
  EXPECT_EQ(0u, CeGetTempPath(520, Path));
  EXPECT_EQ(WIDE('#'), Path[0]);
  EXPECT_EQ(0u, Device.Calls("CeRapiInitEx"));

  // Every call looks for the library again, so one that appears later is used.
  Library.Provide();
  EXPECT_EQ(S_OK, CeRapiInitEx(&Init));
  EXPECT_NE(nullptr, RapiLibHandle());
  EXPECT_EQ(1u, Device.Calls("CeRapiInitEx"));
  EXPECT_EQ(S_OK, CeRapiUninit());
}
