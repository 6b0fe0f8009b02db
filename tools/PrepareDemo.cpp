// Prepares a demo of the program in one folder: a desktop registry with the
// organizer's settings and program path, the organizer's desktop log files,
// and a simulated device with the organizer's device settings, its install
// folder and its log files. Nothing outside the folder is touched. A demo
// already in the folder is kept as it is, with the user's changes; remove
// the folder to start afresh.
//
// The folder is new or empty: one that holds anything but a demo is
// refused and left as it is, and so are ".", "..", the home folder and "/".
// A demo that could not be completed is removed again, and only what the
// tool made is removed with it. Every failure is a message and status 1.
//
//   zqt_prepare_demo FOLDER
//
// Then run the program with ZQT_REGISTRY_FILE=FOLDER/desktop.db,
// ZQT_DEVICE_FOLDER=FOLDER/device and ZQT_RAPI_LIBRARY naming the built
// simulated device library (scripts/run.sh --demo does all of it).
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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
const char* const kMark = "prepared";
const char* const kMarkText = "A demo of ZQTTweaker; remove this folder to start afresh.\n";

bool MarkPrepared(const fs::path& Folder) {
  std::ofstream Out(Folder / kMark);
  Out << kMarkText;
  return static_cast<bool>(Out);
}

bool IsPrepared(const fs::path& Folder) {
  std::ifstream In(Folder / kMark, std::ios::binary);
  const std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  return Text == kMarkText;
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

// The folders whose contents are the user's as a whole: never a demo's.
std::vector<fs::path> WholeFolders() {
  std::vector<fs::path> Folders{"/"};
  if (const char* Home = std::getenv("HOME"); Home && *Home) Folders.emplace_back(Home);
  if (const passwd* Account = getpwuid(getuid()); Account && Account->pw_dir)
    Folders.emplace_back(Account->pw_dir);
  return Folders;
}

// Why Given may not hold a demo; empty when it may.
std::string Refusal(const std::string& Given, const fs::path& Folder) {
  if (Given.empty()) return "no folder was given";
  const fs::path Last = fs::path(Given).lexically_normal().filename();
  const fs::path Name = Last.empty() ? fs::path(Given).lexically_normal().parent_path().filename()
                                     : Last;
  if (Name == "." || Name == "..") return "name the demo's own folder, not \"" + Given + "\"";
  std::error_code Error;
  for (const fs::path& Whole : WholeFolders())
    if (fs::equivalent(Folder, Whole, Error))
      return Folder.string() + " is " + (Whole == "/" ? "the root folder" : "the home folder");
  const fs::file_status Status = fs::symlink_status(Folder, Error);
  if (!fs::exists(Status)) return std::string();
  if (!fs::is_directory(Status)) return Folder.string() + " is not a folder";
  if (IsPrepared(Folder)) return std::string();
  const bool Empty = fs::is_empty(Folder, Error);
  if (Error) return Folder.string() + ": " + Error.message();
  if (!Empty)
    return Folder.string() + " holds files and no demo: name a new or empty folder";
  return std::string();
}

// Prepares the demo in Folder, new or empty; on failure removes what it made.
bool Prepare(const fs::path& Folder) {
  std::error_code Error;
  const bool Made = fs::create_directories(Folder, Error);
  if (Error) return false;
  bool Done = false;
  try {
    Done = PrepareDesktop(Folder) && PrepareDevice(Folder) && MarkPrepared(Folder);
  } catch (const std::exception&) {
    Done = false;
  }
  if (Done) return true;
  if (Made) {
    fs::remove_all(Folder, Error);
  } else {
    for (const fs::directory_entry& Entry : fs::directory_iterator(Folder, Error))
      fs::remove_all(Entry.path(), Error);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  std::error_code Error;
  const fs::path Folder = *argv[1] ? fs::absolute(argv[1], Error) : fs::path();
  const std::string Refused = Refusal(argv[1], Folder);
  if (!Refused.empty()) {
    std::fprintf(stderr, "%s: cannot prepare the demo: %s\n", argv[0], Refused.c_str());
    return 1;
  }
  if (!IsPrepared(Folder) && !Prepare(Folder)) {
    std::fprintf(stderr, "%s: could not prepare the demo in %s\n", argv[0], Folder.c_str());
    return 1;
  }
  std::printf("%s\n", Folder.c_str());
  return 0;
}
