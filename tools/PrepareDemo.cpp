// Prepares a demo of the program in one folder: a desktop registry with the
// organizer's settings and program path, the organizer's desktop log files,
// and a simulated device with the organizer's device settings, its install
// folder and its log files. Nothing outside the folder is touched. A demo
// already in the folder is kept as it is, with the user's changes; remove
// the folder to start afresh.
//
//   zqt_prepare_demo FOLDER
//
// Then run the program with ZQT_REGISTRY_FILE=FOLDER/desktop.db,
// ZQT_DEVICE_FOLDER=FOLDER/device and ZQT_RAPI_LIBRARY naming the built
// simulated device library (scripts/run.sh --demo does all of it).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "RegistryHandles.h"
#include "miniUtils.h"

namespace {

namespace fs = std::filesystem;

// Writes values into one hive of a registry store.
class THiveWriter {
 public:
  THiveWriter(std::shared_ptr<TRegistryStore> Store, TRegistryStore::KeyId Hive)
      : FHive(OpenStoreKey(std::move(Store), Hive)) {}
  ~THiveWriter() { RegCloseKey(FHive); }
  THiveWriter(const THiveWriter&) = delete;
  THiveWriter& operator=(const THiveWriter&) = delete;

  bool Dword(const std::string& Key, const std::string& Name, DWORD Value) {
    return Set(Key, Name, REG_DWORD, &Value, sizeof(Value));
  }
  // Text as the desktop keeps it: single-byte with its NUL.
  bool Text(const std::string& Key, const std::string& Name, const std::string& Value) {
    return Set(Key, Name, REG_SZ, Value.c_str(), static_cast<DWORD>(Value.size() + 1));
  }
  // Text as the device keeps it: UTF-16 with its NUL.
  bool WideText(const std::string& Key, const std::string& Name, const std::string& Value) {
    const WideString Wide = AnsiToWide(Value, 0);
    return Set(Key, Name, REG_SZ, Wide.c_str(),
               static_cast<DWORD>((Wide.size() + 1) * sizeof(WCHAR)));
  }

 private:
  bool Set(const std::string& Key, const std::string& Name, DWORD Type, const void* Data,
           DWORD Size) {
    HKEY Opened = nullptr;
    if (RegCreateKeyExA(FHive, Key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &Opened, nullptr) != ERROR_SUCCESS)
      return false;
    const bool Written = RegSetValueExA(Opened, Name.c_str(), 0, Type,
                                        static_cast<const BYTE*>(Data), Size) == ERROR_SUCCESS;
    RegCloseKey(Opened);
    return Written;
  }

  HKEY FHive;
};

bool WriteLog(const fs::path& File, const std::string& Source) {
  fs::create_directories(File.parent_path());
  std::ofstream Out(File, std::ios::binary | std::ios::trunc);
  Out << "Log of " << Source << "\r\n"
      << "2026-12-07 09:00:01 started\r\n"
      << "2026-12-07 09:00:02 ready\r\n";
  return static_cast<bool>(Out);
}

// The mark of a complete demo, written last.
bool MarkPrepared(const fs::path& Folder) {
  std::ofstream Out(Folder / "prepared");
  Out << "A demo of ZQTTweaker; remove this folder to start afresh.\n";
  return static_cast<bool>(Out);
}

bool PrepareDesktop(const fs::path& Folder) {
  const fs::path Organizer = Folder / "organizer";
  auto Store = std::make_shared<TRegistryStore>((Folder / "desktop.db").string());
  THiveWriter User(Store, TRegistryStore::CurrentUserHive);
  THiveWriter Machine(Store, TRegistryStore::LocalMachineHive);
  bool Done =
      User.Dword("Software\\Quorvanta\\Velora\\Settings", "DragDropExpandCollapseInterval", 1000) &&
      User.Dword("Software\\Quorvanta\\Velora\\Settings", "ZQTTweakerAdvanced", 1) &&
      User.Dword("Software\\Quorvanta\\Velora\\WMSync", "LogEnabled", 1) &&
      Machine.Text("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe", "",
                   (Organizer / "zqt.exe").string());
  for (const char* Log : {"zqtSync.dll.log", "ZQTWMSync.exe.log", "ZQTSync.log"})
    Done = Done && WriteLog(Organizer / Log, Log);
  return Done;
}

bool PrepareDevice(const fs::path& Folder) {
  const fs::path Device = Folder / "device";
  fs::create_directories(Device / "settings");
  auto Store = std::make_shared<TRegistryStore>((Device / "registry.db").string());
  THiveWriter User(Store, TRegistryStore::CurrentUserHive);
  THiveWriter Machine(Store, TRegistryStore::LocalMachineHive);
  const std::string Appearance = "Software\\ZQT\\ZQT\\Appearance";
  const std::string MainForm = "Software\\ZQT\\ZQT\\MainForm";
  bool Done = User.Dword(Appearance, "UseMargins", 1) && User.Dword(Appearance, "LogEnabled", 0) &&
              User.Dword(Appearance, "ShowTaskStamps", 0) &&
              User.Dword(MainForm, "DisableSIP", 0) &&
              User.Dword(MainForm, "EnableCSVImportExport", 0) &&
              User.Dword(MainForm, "DeletedItemsTTL", 90) &&
              User.Dword("Software\\ZQT\\ZQTRemindSvc", "LogEnabled", 1) &&
              User.Dword("Software\\ZQT\\ZQTRemindSvc", "ExtraLogging", 0) &&
              User.Dword("Software\\ZQT\\ZQT", "RTELogEnabled", 0) &&
              User.Dword("Software\\ZQT\\Sync\\Mappings", "KeepTempFiles", 0) &&
              Machine.WideText("SOFTWARE\\Apps\\Quorvanta PocketPC Edition", "InstallDir ",
                               "\\Program Files\\ZQT");
  const fs::path Files = Device / "files";
  for (const char* Log : {"ZQT.exe.log", "DevZQTSync.dll.log"})
    Done = Done && WriteLog(Files / "Program Files" / "ZQT" / Log, Log);
  for (const char* Log : {"ZQTRemindSvc.log", "ZQTSetup.log", "ZQTUtil.log"})
    Done = Done && WriteLog(Files / "Temp" / Log, Log);
  return Done;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path Folder = fs::absolute(argv[1]);
  std::error_code Error;
  if (fs::exists(Folder / "prepared", Error)) {
    std::printf("%s\n", Folder.c_str());
    return 0;
  }
  fs::remove_all(Folder, Error);
  fs::create_directories(Folder);
  if (!PrepareDesktop(Folder) || !PrepareDevice(Folder) || !MarkPrepared(Folder)) {
    std::fprintf(stderr, "%s: could not prepare the demo in %s\n", argv[0], Folder.c_str());
    return 1;
  }
  std::printf("%s\n", Folder.c_str());
  return 0;
}
