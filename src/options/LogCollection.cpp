#include "LogCollection.h"

#include "PathUtils.h"
#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "UserInteraction.h"
#include "miniUtils.h"

namespace {

const char* const kDeviceInstallKey = "SOFTWARE\\Apps\\Quorvanta PocketPC Edition";
const char* const kDesktopAppPathKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe";
const char* const kInstallFolderLogs[] = {"ZQT.exe.log", "DevZQTSync.dll.log"};
const char* const kDeviceTempLogs[] = {"ZQTRemindSvc.log", "ZQTSetup.log", "ZQTUtil.log"};
const char* const kDesktopLogs[] = {"zqtSync.dll.log", "ZQTWMSync.exe.log", "ZQTSync.log"};

// Puts the device manager's root back to HKEY_CURRENT_USER however the
// block that moved it ends.
class TDeviceRootRestorer {
 public:
  explicit TDeviceRootRestorer(TRapiManager& Manager) : FManager(Manager) {}
  ~TDeviceRootRestorer() { FManager.SetRootKey(HKEY_CURRENT_USER); }
  TDeviceRootRestorer(const TDeviceRootRestorer&) = delete;
  TDeviceRootRestorer& operator=(const TDeviceRootRestorer&) = delete;

 private:
  TRapiManager& FManager;
};

// The install folder of the organizer's PocketPC edition; empty when the
// device does not name it.
std::string DeviceInstallFolder(TRapiManager& Device) {
  TDeviceRootRestorer Restorer(Device);
  Device.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!Device.OpenKey(kDeviceInstallKey, true, false)) return std::string();
  std::string Folder = Device.ReadString("InstallDir ", "");
  if (Folder.empty()) Folder = Device.ReadString("InstlDir", "");
  return Folder;
}

// The organizer's program folder on the desktop, or the running program's
// own folder when the organizer is not registered.
std::string DesktopLogFolder() {
  const std::string Program = RegReadString(kDesktopAppPathKey, "", "", HKEY_LOCAL_MACHINE);
  return ExtractFilePath(Program.empty() ? AppFileName() : Program);
}

}  // namespace

TLogCollection::TLogCollection(TRapiManager* Device, std::string Target)
    : FDevice(Device), FTarget(std::move(Target)) {}

void TLogCollection::Collect() {
  const bool Connected = FDevice && FDevice->Connected();
  std::string InstallFolder;
  std::string TempFolder;
  if (Connected) {
    InstallFolder = DeviceInstallFolder(*FDevice);
    if (InstallFolder.empty())
      UserInteraction().ShowMessage("Could not locate ZQT-PPC install folder on device");
    TempFolder = FDevice->GetDeviceTempPath();
    if (TempFolder.empty())
      UserInteraction().ShowMessage("Could not locate TEMP folder on device.");
  }
  const std::string DesktopFolder = DesktopLogFolder();

  FCopied.clear();
  FFailures.clear();
  if (Connected && !InstallFolder.empty())
    for (const char* Name : kInstallFolderLogs) CopyDeviceLog(InstallFolder, Name);
  if (Connected && !TempFolder.empty())
    for (const char* Name : kDeviceTempLogs) CopyDeviceLog(TempFolder, Name);
  for (const char* Name : kDesktopLogs) CopyDesktopLog(DesktopFolder, Name);
}

void TLogCollection::CopyDeviceLog(const std::string& Folder, const std::string& Name) {
  const std::string Source = JoinPath(Folder, Name);
  const std::string Target = JoinDesktopPath(FTarget, Name);
  std::string Failure;
  Record(FDevice->TryCopyFileFromDevice(Source, Target, true, &Failure), "<device>" + Source,
         Target, Failure);
}

void TLogCollection::CopyDesktopLog(const std::string& Folder, const std::string& Name) {
  const std::string Source = JoinDesktopPath(Folder, Name);
  const std::string Target = JoinDesktopPath(FTarget, Name);
  std::string Failure;
  Record(FileCopy(Source, Target, &Failure), Source, Target, Failure);
}

void TLogCollection::Record(bool Copied, const std::string& Source, const std::string& Target,
                            const std::string& Failure) {
  if (Copied)
    FCopied += "\n\r" + Source;
  else if (!Failure.empty())
    FFailures.push_back("Could not copy " + Source + " to " + Target + ": " + Failure);
}

std::string TLogCollection::Report() const {
  if (FCopied.empty()) return "Log files not found";
  return "The following log files copied:" + FCopied +
         "\n\r\n\rIf you want to report a problem zip these files and send the archive to ZQT "
         "support.";
}
