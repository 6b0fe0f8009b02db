// The catalogue of every option the program offers, built once at start-up
// from two facts: whether a device is connected and whether the user
// unlocked the advanced options.
#pragma once

#include <memory>

#include "TweakOptionsMngr.h"

class TZQTTweakOptionsManager : public TTweakOptionsManager {
 public:
  // Keeps both managers (borrowed) and appends every option to the sets.
  void BuildOptions(TRegistryManager* RegistryManager, TRapiManager* RapiManager);

  TRapiManager* RapiManager = nullptr;
  TRegistryManager* RegistryManager = nullptr;
  TTweakOptionSet PocketPCUIOptions;
  TTweakOptionSet DebuggingOptions;
  TTweakOptionSet DesktopUIOptions;
};

// The one catalogue of the program: created when the program starts, with
// its sets empty, and released when it ends, after the host form and every
// page.
extern std::unique_ptr<TZQTTweakOptionsManager> ZQTTweakOptions;

// Where the advanced options are unlocked.
inline constexpr const char* kSettingsKey = "\\Software\\Quorvanta\\Velora\\Settings";
inline constexpr const char* kAdvancedValueName = "ZQTTweakerAdvanced";
