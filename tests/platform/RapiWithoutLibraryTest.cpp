// The device API binding where the library is missing. The binding keeps a
// loaded library for the whole process, so this runs in a process of its
// own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "SimulatedDevice.h"
#include "WinLibraries.h"
#include "rapi.h"

TEST(RapiWithoutLibrary, EveryWrapperFallsBackUntilTheLibraryAppears) {
  TSimulatedDevice Device;
  TTemporaryFolder Elsewhere;
  const std::string Library = Elsewhere.File("libzqtrapi.so");
  setenv(kRapiLibraryVariable, Library.c_str(), 1);

  EXPECT_FALSE(LoadRapi());
  EXPECT_EQ(nullptr, RapiLibHandle());
  RAPIINIT Init{sizeof(RAPIINIT), nullptr, S_OK};
  EXPECT_EQ(0xFFFF, CeRapiInitEx(&Init));
  EXPECT_EQ(nullptr, Init.heRapiInit);
  EXPECT_EQ(0xFFFF, CeRapiUninit());
  HKEY Key = nullptr;
  EXPECT_EQ(0xFFFF, CeRegOpenKeyEx(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, &Key));
  EXPECT_EQ(0xFFFF, CeRegCreateKeyEx(HKEY_CURRENT_USER, u"Software", 0, nullptr, 0,
                                     KEY_ALL_ACCESS, nullptr, &Key, nullptr));
  EXPECT_EQ(nullptr, Key);
  EXPECT_EQ(0xFFFF, CeRegCloseKey(Key));
  DWORD Type = 0, Size = 0;
  EXPECT_EQ(0xFFFF, CeRegQueryValueEx(Key, u"Name", nullptr, &Type, nullptr, &Size));
  EXPECT_EQ(0xFFFF, CeRegSetValueEx(Key, u"Name", 0, REG_DWORD, nullptr, 0));
  EXPECT_EQ(reinterpret_cast<HANDLE>(std::uintptr_t{0xFFFF}),
            CeCreateFile(u"\\Temp\\ZQTUtil.log", GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  char Buffer[16];
  DWORD Done = 7;
  EXPECT_EQ(0, CeReadFile(nullptr, Buffer, sizeof(Buffer), &Done, nullptr));
  EXPECT_EQ(7u, Done);
  EXPECT_EQ(0, CeCloseHandle(nullptr));
  char16_t Path[520] = {u'#'};
  EXPECT_EQ(0u, CeGetTempPath(520, Path));
  EXPECT_EQ(u'#', Path[0]);
  EXPECT_EQ(0u, Device.Calls("CeRapiInitEx"));

  // Every call looks for the library again, so one that appears later is used.
  std::filesystem::copy_file(DeviceLibraryFile(TDeviceLibrary::Full), Library);
  EXPECT_EQ(S_OK, CeRapiInitEx(&Init));
  EXPECT_NE(nullptr, RapiLibHandle());
  EXPECT_EQ(1u, Device.Calls("CeRapiInitEx"));
  EXPECT_EQ(S_OK, CeRapiUninit());
}
