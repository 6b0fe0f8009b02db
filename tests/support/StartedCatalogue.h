// The program as it stands once started: the desktop registry manager, the
// device manager (which connects to whatever device is set up by then) and
// the global catalogue built with both. The catalogue is emptied again with
// the object, as the program has it before its run.
#pragma once

#include <memory>

#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "ZQTTweakerManager.h"

class TStartedCatalogue {
 public:
  TStartedCatalogue() = default;
  ~TStartedCatalogue() { ZQTTweakOptions = std::make_unique<TZQTTweakOptionsManager>(); }
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
