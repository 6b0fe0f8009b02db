#include "frmTweakOptDebugging.h"

#include <QVBoxLayout>

#include "PathUtils.h"
#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "UserInteraction.h"
#include "ZQTTweakerManager.h"
#include "miniUtils.h"

namespace {

const char* const kDeviceInstallKey = "SOFTWARE\\Apps\\Quorvanta PocketPC Edition";
const char* const kDesktopAppPathKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe";

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

// One click's collection: the folder the files go to and the list of
// what was copied, one line ("\n\r" before each) per file.
class TLogCollection {
 public:
  explicit TLogCollection(std::string Target) : FTarget(std::move(Target)) {}

  void CopyDeviceLog(TRapiManager& Device, const std::string& Folder, const std::string& Name) {
    const std::string Source = JoinPath(Folder, Name);
    if (Device.TryCopyFileFromDevice(Source, JoinDesktopPath(FTarget, Name), true))
      FCopied += "\n\r<device>" + Source;
  }
  void CopyDesktopLog(const std::string& Folder, const std::string& Name) {
    const std::string Source = JoinDesktopPath(Folder, Name);
    if (FileCopy(Source, JoinDesktopPath(FTarget, Name))) FCopied += "\n\r" + Source;
  }
  std::string Report() const {
    if (FCopied.empty()) return "Log files not found";
    return "The following log files copied:" + FCopied +
           "\n\r\n\rIf you want to report a problem zip these files and send the archive to ZQT "
           "support.";
  }

 private:
  std::string FTarget;
  std::string FCopied;
};

}  // namespace

TTweakOptDebugging::TTweakOptDebugging(TOptionsSheetOwner* Owner, QWidget* Parent)
    : TTweakOptionPage(Owner, Parent) {
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  Panel2->setFixedHeight(34);
  auto* Top = new QVBoxLayout(Panel2);
  Top->setContentsMargins(0, 0, 0, 0);
  Label1 = new QLabel("These options are used for ZQT troubleshooting", Panel2);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Top->addWidget(Label1);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(31);
  btnSaveLogs = new QPushButton("Save all logs to ...", Panel1);
  btnSaveLogs->setObjectName("btnSaveLogs");
  btnSaveLogs->setGeometry(5, 3, 116, 25);
  connect(btnSaveLogs, &QPushButton::clicked, this,
          [this] { ReportErrorsOf([this] { btnSaveLogsClick(); }); });

  Layout->addWidget(Panel2);
  Layout->addWidget(frTweakOptions, 1);
  Layout->addWidget(Panel1);
  FormCreate(ZQTTweakOptions->DebuggingOptions);
}

void TTweakOptDebugging::btnSaveLogsClick() {
  const std::string Target =
      SelectFolder("Select a folder to save desktop and device log files to");
  if (Target.empty()) return;
  TRapiManager* Device = ZQTTweakOptions->RapiManager;
  const bool Connected = Device && Device->Connected();
  std::string InstallFolder;
  std::string TempFolder;
  if (Connected) {
    InstallFolder = DeviceInstallFolder(*Device);
    if (InstallFolder.empty())
      UserInteraction().ShowMessage("Could not locate ZQT-PPC install folder on device");
    TempFolder = Device->GetDeviceTempPath();
    if (TempFolder.empty())
      UserInteraction().ShowMessage("Could not locate TEMP folder on device.");
  }
  const std::string DesktopFolder = DesktopLogFolder();

  TLogCollection Collection(Target);
  if (Connected && !InstallFolder.empty())
    for (const char* Name : {"ZQT.exe.log", "DevZQTSync.dll.log"})
      Collection.CopyDeviceLog(*Device, InstallFolder, Name);
  if (Connected && !TempFolder.empty())
    for (const char* Name : {"ZQTRemindSvc.log", "ZQTSetup.log", "ZQTUtil.log"})
      Collection.CopyDeviceLog(*Device, TempFolder, Name);
  for (const char* Name : {"zqtSync.dll.log", "ZQTWMSync.exe.log", "ZQTSync.log"})
    Collection.CopyDesktopLog(DesktopFolder, Name);
  UserInteraction().ShowMessage(Collection.Report());
}
