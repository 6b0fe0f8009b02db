// The device library on Linux: the binding loads the file that the library's
// environment variable names.
#include <cstdlib>

#include "ProcessVariables.h"
#include "SimulatedDevice.h"
#include "WinLibraries.h"

std::string DeviceLibraryFile(TDeviceLibrary Library) {
  return Library == TDeviceLibrary::Full ? ZQT_DEVICE_LIBRARY
                                         : ZQT_DEVICE_LIBRARY_WITHOUT_TEMP_PATH;
}

void UseDeviceLibrary(TDeviceLibrary Library) {
  SetProcessVariable(kRapiLibraryVariable, DeviceLibraryFile(Library));
}

TMissingDeviceLibrary::TMissingDeviceLibrary() {
  const char* Previous = std::getenv(kRapiLibraryVariable);
  FPrevious = Previous ? Previous : "";
  SetProcessVariable(kRapiLibraryVariable, FFolder.File(kRapiLibraryName));
}

TMissingDeviceLibrary::~TMissingDeviceLibrary() {
  if (FPrevious.empty())
    ClearProcessVariable(kRapiLibraryVariable);
  else
    SetProcessVariable(kRapiLibraryVariable, FPrevious);
}

void TMissingDeviceLibrary::Provide() const {
  std::filesystem::copy_file(DeviceLibraryFile(TDeviceLibrary::Full),
                             FFolder.File(kRapiLibraryName));
}
