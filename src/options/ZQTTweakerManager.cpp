#include "ZQTTweakerManager.h"

#include "RapiMngr.h"
#include "RegistryMngr.h"

std::unique_ptr<TZQTTweakOptionsManager> ZQTTweakOptions =
    std::make_unique<TZQTTweakOptionsManager>();

namespace {

using enum TTweakOptionTarget;
using enum TOptionPage;
using enum TOptionCondition;

const TOptionRow kOptionRows[] = {
    {"drag-drop-delay", DesktopUI, &IntegerKind, otDesktop, "Software\\Quorvanta\\Velora\\Settings",
     "DragDropExpandCollapseInterval", 1000, Always,
     "Expand/collapse delay when drag&drop in outline (ms)",
     "Delay in ms before expand/collapse an item in the outline on drag&drop. Default = 1000. "
     "Set it to 0 to disable expand/collapse on drag&drop. "},

    {"use-margins", PocketPCUI, &BooleanKind, otDevice, "\\Software\\ZQT\\ZQT\\Appearance",
     "UseMargins", true, Connected, "Use margins",
     "Enables the margin around the outline tree and to-do list view"},
    {"disable-sip", PocketPCUI, &BooleanKind, otDevice, "\\Software\\ZQT\\ZQT\\MainForm",
     "DisableSIP", false, Connected, "Disable Soft Input Panel",
     "Disables in ZQT the popup software keyboard provided on Pocket PC devices. Check it if you "
     "are using hardware keyboard on your device."},

    {"desktop-sync-log", Debugging, &BooleanKind, otDesktop,
     "\\Software\\Quorvanta\\Velora\\WMSync", "LogEnabled", false, Always,
     "ZQT-Desktop: sync to PocketPC edition logging enabled",
     "Enables the ZQT Windows Mobile Manager logging"},
    {"desktop-keep-temp-files", Debugging, &BooleanKind, otDesktop, "\\Software\\ZQT\\Sync",
     "KeepTempFiles", false, Advanced, "ZQT-Desktop: keep PPC sync temp files",
     "Specifies whether or not CSV files are deleted on the desktop after the sync"},
    {"desktop-trace-window", Debugging, &BooleanKind, otDesktop, "\\Software\\ZQT\\Sync",
     "EnableTraceWindow", false, Advanced, "ZQT-Desktop: enable PPC sync trace window",
     "Enables PPC sync trace window"},
    {"desktop-show-stamps", Debugging, &BooleanKind, otDesktop, "\\Software\\Quorvanta\\Debug",
     "ShowItemModifStampInUI", false, Advanced, "ZQT-Desktop: show time stamps and indexes",
     "Enables time stamps and item indexes to be shown on the ZQT UI"},
    {"device-app-log", Debugging, &BooleanKind, otDevice, "\\Software\\ZQT\\ZQT\\Appearance",
     "LogEnabled", false, Connected, "ZQT-PocketPC: application logging enabled",
     "Enables the main ZQT-PPC application logging"},
    {"device-reminders-log", Debugging, &BooleanKind, otDevice, "\\Software\\ZQT\\ZQTRemindSvc",
     "LogEnabled", false, Connected, "ZQT-PocketPC: reminders service logging enabled",
     "Enables the ZQT-PPC reminders service logging"},
    {"device-reminders-extra-log", Debugging, &BooleanKind, otDevice,
     "\\Software\\ZQT\\ZQTRemindSvc", "ExtraLogging", false, Connected,
     "ZQT-PocketPC: reminders service EXTRA logging enabled",
     "Enables more logging in the ZQT-PPC reminders service"},
    {"device-rte-log", Debugging, &BooleanKind, otDevice, "\\Software\\ZQT\\ZQT", "RTELogEnabled",
     false, Connected, "ZQT-PocketPC: Rapid Task Entry dialog logging enabled",
     "Enables logging of Rapid Task Entry dialog"},
    {"device-csv-menu", Debugging, &BooleanKind, otDevice, "\\Software\\ZQT\\ZQT\\MainForm",
     "EnableCSVImportExport", false, ConnectedAndAdvanced,
     "ZQT-PocketPC: export/Improt to CSV debug menu",
     "Enables \"Import from CSV\" / \"Export to CSV\" items in the ZQT main menu"},
    {"device-deleted-items-ttl", Debugging, &IntegerKind, otDevice,
     "\\Software\\ZQT\\ZQT\\MainForm", "DeletedItemsTTL", 90, ConnectedAndAdvanced,
     "ZQT-PocketPC: time to live for deleted items",
     "Specifies the time-to-live value for deleted items in days. The delete items older than "
     "that number of days will be purged from the database"},
    {"device-keep-temp-files", Debugging, &BooleanKind, otDevice, "\\Software\\ZQT\\Sync\\Mappings",
     "KeepTempFiles", false, ConnectedAndAdvanced, "ZQT-PocketPC: keep temp files",
     "Specifies whether or not CSV files are deleted on the PPC after the sync"},
    {"device-show-stamps", Debugging, &BooleanKind, otDevice, "\\Software\\ZQT\\ZQT\\Appearance",
     "ShowTaskStamps", false, ConnectedAndAdvanced, "ZQT-PocketPC: show time stamps and indexes",
     "Enables time stamps and item indexes to be shown on the ZQT UI"},
};

bool Holds(TOptionCondition Condition, bool IsConnected, bool IsAdvanced) {
  switch (Condition) {
    case Always:
      return true;
    case Advanced:
      return IsAdvanced;
    case Connected:
      return IsConnected;
    case ConnectedAndAdvanced:
      return IsConnected && IsAdvanced;
  }
  return false;
}

}  // namespace

std::span<const TOptionRow> OptionRows() { return kOptionRows; }

TTweakOptionSet& TZQTTweakOptionsManager::SetOf(TOptionPage Page) {
  switch (Page) {
    case PocketPCUI:
      return PocketPCUIOptions;
    case Debugging:
      return DebuggingOptions;
    case DesktopUI:
      break;
  }
  return DesktopUIOptions;
}

void TZQTTweakOptionsManager::BuildOptions(TRegistryManager* RegistryManager,
                                           TRapiManager* RapiManager) {
  this->RegistryManager = RegistryManager;
  this->RapiManager = RapiManager;
  const bool IsAdvanced = RegReadBool(kSettingsKey, kAdvancedValueName, false);
  const bool IsConnected = RapiManager && RapiManager->Connected();
  for (const TOptionRow& Row : kOptionRows) {
    if (!Holds(Row.Condition, IsConnected, IsAdvanced)) continue;
    TTweakOptionSet& Set = SetOf(Row.Page);
    Row.Kind->AddOption(Set, Row.Caption, Row.Description, Row.Key, Row.ValueName, Row.Default,
                        Row.Target);
    FOptionsById.emplace_back(Row.Id, Set.Items(Set.Count() - 1));
  }
}

TTweakOptionItem* TZQTTweakOptionsManager::OptionById(const std::string& Id) const {
  for (const auto& [OptionId, Option] : FOptionsById)
    if (OptionId == Id) return Option;
  return nullptr;
}
