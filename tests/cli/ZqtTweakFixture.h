// The built zqttweak run as a process on a desktop registry of the test's
// and a simulated device, with the registry values it reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "SimulatedDevice.h"
#include "StartedProgram.h"
#include "TemporaryRegistry.h"

inline const std::string kSettingsKey = "Software\\Quorvanta\\Velora\\Settings";
inline const std::string kDelayName = "DragDropExpandCollapseInterval";
inline const std::string kSyncLogKey = "Software\\Quorvanta\\Velora\\WMSync";
inline const std::string kAppearanceKey = "Software\\ZQT\\ZQT\\Appearance";
inline const std::string kMainFormKey = "Software\\ZQT\\ZQT\\MainForm";

class ZqtTweakFixture : public ::testing::Test {
 protected:
  TProgramRun Run(const std::vector<std::string>& Arguments) {
    return RunProgram(ZqtTweakProgram(), Arguments);
  }
  void UnlockAdvancedOptions() { SetDesktop(kSettingsKey, "ZQTTweakerAdvanced", 1); }

  void SetDesktop(const std::string& Key, const std::string& Name, DWORD Value) {
    SetRawValue(HKEY_CURRENT_USER, Key, Name, REG_DWORD, DwordBytes(Value));
  }
  void SetOnDevice(const std::string& Key, const std::string& Name, DWORD Value) {
    Device.SetValue(HKEY_CURRENT_USER, Key, Name, REG_DWORD, DwordBytes(Value));
  }
  // The DWORD stored; none when the value is missing or of another kind.
  std::optional<DWORD> Desktop(const std::string& Key, const std::string& Name) {
    return Dword(QueryRawValue(HKEY_CURRENT_USER, Key, Name, FType, FBytes));
  }
  std::optional<DWORD> OnDevice(const std::string& Key, const std::string& Name) {
    return Dword(Device.QueryValue(HKEY_CURRENT_USER, Key, Name, FType, FBytes));
  }
  std::string File(const std::string& Name) const { return Registry.Folder().File(Name); }

  TProgramRegistry Registry;
  TSimulatedDevice Device;

 private:
  std::optional<DWORD> Dword(bool Queried) const {
    if (!Queried || FType != REG_DWORD || FBytes.size() != sizeof(DWORD)) return std::nullopt;
    DWORD Value = 0;
    std::memcpy(&Value, FBytes.data(), sizeof(Value));
    return Value;
  }

  DWORD FType = REG_NONE;
  std::string FBytes;
};
