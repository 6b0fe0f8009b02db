// The program as it stands once started: the desktop registry manager, the
// device manager (which connects to whatever device is set up by then) and
// the global catalogue built with both. The catalogue goes with the object.
#pragma once

#include <memory>

#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "ZQTTweakerManager.h"

class TStartedCatalogue {
 public:
  TStartedCatalogue() = default;
  ~TStartedCatalogue() { ZQTTweakOptions.reset(); }
  TStartedCatalogue(const TStartedCatalogue&) = delete;
  TStartedCatalogue& operator=(const TStartedCatalogue&) = delete;

  void Start() {
    Rapi = std::make_unique<TRapiManager>();
    ZQTTweakOptions = std::make_unique<TZQTTweakOptionsManager>();
    ZQTTweakOptions->BuildOptions(&Desktop, Rapi.get());
  }

  TRegistryManager Desktop{"", "", false, HKEY_CURRENT_USER};
  std::unique_ptr<TRapiManager> Rapi;
};
