#include "Device.h"

#include <cstdlib>

#include "DeviceFolder.h"

TDevice& TDevice::Current() {
  // Never destroyed at exit: a device lives until it is let go or the
  // process ends, as closing its registry handles during exit could come
  // after the registry's handle table is gone.
  static TDevice* GDevice = nullptr;
  const char* Named = std::getenv(kDeviceFolderVariable);
  std::filesystem::path Folder = Named ? Named : "";
  if (!GDevice || GDevice->Folder() != Folder) {
    delete GDevice;
    GDevice = nullptr;
    GDevice = new TDevice(Folder);
  }
  return *GDevice;
}

TDevice::TDevice(const std::filesystem::path& Folder)
    : FFolder(Folder),
      FSettings(Folder),
      FRecord(Folder),
      FRegistry(Folder, FSettings),
      FFiles(Folder / kDeviceFilesFolder, FSettings) {}

HRESULT TDevice::RequestConnection(RAPIINIT* Init) {
  FRecord.ConnectionRequested(Init ? std::optional<std::uint32_t>(Init->cbSize) : std::nullopt);
  // A record of another size is not one this library can fill in: a caller
  // built for another word size (12 bytes in a 32-bit program, 24 in a 64-bit
  // one) would look for the event and the result where they are not. It is
  // refused untouched with the device API's code for an invalid value.
  if (!Init || Init->cbSize != sizeof(RAPIINIT)) return E_INVALIDARG;
  EndConnection();
  return FConnection.Start(*Init, FSettings.Connect());
}

HRESULT TDevice::Disconnect() {
  FRecord.ConnectionEnded();
  return EndConnection();
}

HRESULT TDevice::EndConnection() {
  FRegistry.CloseAll();
  FFiles.CloseAll();
  return FConnection.End();
}
