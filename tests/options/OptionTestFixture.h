// A desktop registry and a simulated device for option tests, with the two
// managers the options are loaded and saved through.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "SimulatedDevice.h"
#include "TemporaryRegistry.h"

class OptionTestFixture : public ::testing::Test {
 protected:
  // Creates the device manager, which connects to the device as it is set
  // up by then.
  void Connect() { Rapi = std::make_unique<TRapiManager>(); }

  DWORD DesktopDword(const std::string& Key, const std::string& Name, bool& Found) {
    return Dword(QueryRawValue(HKEY_CURRENT_USER, Relative(Key), Name, FType, FBytes), Found);
  }
  DWORD DeviceDword(const std::string& Key, const std::string& Name, bool& Found) {
    return Dword(Device.QueryValue(HKEY_CURRENT_USER, Relative(Key), Name, FType, FBytes), Found);
  }
  static std::string Relative(const std::string& Key) {
    return !Key.empty() && Key[0] == '\\' ? Key.substr(1) : Key;
  }

  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TRegistryManager Desktop{"", "", false, HKEY_CURRENT_USER};
  std::unique_ptr<TRapiManager> Rapi;

 private:
  DWORD Dword(bool Queried, bool& Found) {
    Found = Queried && FType == REG_DWORD && FBytes.size() == 4;
    DWORD Value = 0;
    if (Found) std::memcpy(&Value, FBytes.data(), 4);
    return Value;
  }
  DWORD FType = REG_NONE;
  std::string FBytes;
};
