// The device library on Windows: the binding loads RAPI.DLL, found in the
// executable's folder first and in the working folder later.
#include <vector>

#include "SimulatedDevice.h"

namespace {

constexpr char kLibraryName[] = "RAPI.DLL";

std::filesystem::path ExecutableFolder() {
  std::vector<char> Name(32768);
  const DWORD Length = GetModuleFileNameA(nullptr, Name.data(), static_cast<DWORD>(Name.size()));
  return std::filesystem::path(std::string(Name.data(), Length)).parent_path();
}

std::string WorkingFolder() {
  std::vector<char> Name(32768);
  const DWORD Length = GetCurrentDirectoryA(static_cast<DWORD>(Name.size()), Name.data());
  return std::string(Name.data(), Length);
}

}  // namespace

std::string DeviceLibraryFile(TDeviceLibrary Library) {
  return (ExecutableFolder() / (Library == TDeviceLibrary::Full
                                    ? ZQT_DEVICE_LIBRARY
                                    : ZQT_DEVICE_LIBRARY_WITHOUT_TEMP_PATH))
      .lexically_normal()
      .string();
}

void UseDeviceLibrary(TDeviceLibrary) {}

TMissingDeviceLibrary::TMissingDeviceLibrary() : FPrevious(WorkingFolder()) {
  SetCurrentDirectoryA(FFolder.Path().string().c_str());
}

// The working folder is given back first: a folder in use cannot go.
TMissingDeviceLibrary::~TMissingDeviceLibrary() { SetCurrentDirectoryA(FPrevious.c_str()); }

void TMissingDeviceLibrary::Provide() const {
  std::filesystem::copy_file(DeviceLibraryFile(TDeviceLibrary::Full), FFolder.File(kLibraryName));
}
