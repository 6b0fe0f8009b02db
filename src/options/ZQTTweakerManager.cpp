#include "ZQTTweakerManager.h"

#include "RapiMngr.h"
#include "RegistryMngr.h"

std::unique_ptr<TZQTTweakOptionsManager> ZQTTweakOptions =
    std::make_unique<TZQTTweakOptionsManager>();

namespace {

using enum TTweakOptionTarget;

enum class TCondition { Always, Advanced, Connected, ConnectedAndAdvanced };

struct TOptionRow {
  bool IsBoolean;
  TTweakOptionTarget Target;
  const char* Key;
  const char* ValueName;
  int Default;
  TCondition Condition;
  const char* Caption;
  const char* Description;
};

const TOptionRow DesktopRows[] = {
    {false, otDesktop, "Software\\Quorvanta\\Velora\\Settings", "DragDropExpandCollapseInterval",
     1000, TCondition::Always, "Expand/collapse delay when drag&drop in outline (ms)",
     "Delay in ms before expand/collapse an item in the outline on drag&drop. Default = 1000. "
     "Set it to 0 to disable expand/collapse on drag&drop. "},
};

const TOptionRow PocketPCRows[] = {
    {true, otDevice, "\\Software\\ZQT\\ZQT\\Appearance", "UseMargins", true, TCondition::Connected,
     "Use margins", "Enables the margin around the outline tree and to-do list view"},
    {true, otDevice, "\\Software\\ZQT\\ZQT\\MainForm", "DisableSIP", false, TCondition::Connected,
     "Disable Soft Input Panel",
     "Disables in ZQT the popup software keyboard provided on Pocket PC devices. Check it if you "
     "are using hardware keyboard on your device."},
};

const TOptionRow DebuggingRows[] = {
    {true, otDesktop, "\\Software\\Quorvanta\\Velora\\WMSync", "LogEnabled", false,
     TCondition::Always, "ZQT-Desktop: sync to PocketPC edition logging enabled",
     "Enables the ZQT Windows Mobile Manager logging"},
    {true, otDesktop, "\\Software\\ZQT\\Sync", "KeepTempFiles", false, TCondition::Advanced,
     "ZQT-Desktop: keep PPC sync temp files",
     "Specifies whether or not CSV files are deleted on the desktop after the sync"},
    {true, otDesktop, "\\Software\\ZQT\\Sync", "EnableTraceWindow", false, TCondition::Advanced,
     "ZQT-Desktop: enable PPC sync trace window", "Enables PPC sync trace window"},
    {true, otDesktop, "\\Software\\Quorvanta\\Debug", "ShowItemModifStampInUI", false,
     TCondition::Advanced, "ZQT-Desktop: show time stamps and indexes",
     "Enables time stamps and item indexes to be shown on the ZQT UI"},
    {true, otDevice, "\\Software\\ZQT\\ZQT\\Appearance", "LogEnabled", false, TCondition::Connected,
     "ZQT-PocketPC: application logging enabled", "Enables the main ZQT-PPC application logging"},
    {true, otDevice, "\\Software\\ZQT\\ZQTRemindSvc", "LogEnabled", false, TCondition::Connected,
     "ZQT-PocketPC: reminders service logging enabled",
     "Enables the ZQT-PPC reminders service logging"},
    {true, otDevice, "\\Software\\ZQT\\ZQTRemindSvc", "ExtraLogging", false, TCondition::Connected,
     "ZQT-PocketPC: reminders service EXTRA logging enabled",
     "Enables more logging in the ZQT-PPC reminders service"},
    {true, otDevice, "\\Software\\ZQT\\ZQT", "RTELogEnabled", false, TCondition::Connected,
     "ZQT-PocketPC: Rapid Task Entry dialog logging enabled",
     "Enables logging of Rapid Task Entry dialog"},
    {true, otDevice, "\\Software\\ZQT\\ZQT\\MainForm", "EnableCSVImportExport", false,
     TCondition::ConnectedAndAdvanced, "ZQT-PocketPC: export/Improt to CSV debug menu",
     "Enables \"Import from CSV\" / \"Export to CSV\" items in the ZQT main menu"},
    {false, otDevice, "\\Software\\ZQT\\ZQT\\MainForm", "DeletedItemsTTL", 90,
     TCondition::ConnectedAndAdvanced, "ZQT-PocketPC: time to live for deleted items",
     "Specifies the time-to-live value for deleted items in days. The delete items older than "
     "that number of days will be purged from the database"},
    {true, otDevice, "\\Software\\ZQT\\Sync\\Mappings", "KeepTempFiles", false,
     TCondition::ConnectedAndAdvanced, "ZQT-PocketPC: keep temp files",
     "Specifies whether or not CSV files are deleted on the PPC after the sync"},
    {true, otDevice, "\\Software\\ZQT\\ZQT\\Appearance", "ShowTaskStamps", false,
     TCondition::ConnectedAndAdvanced, "ZQT-PocketPC: show time stamps and indexes",
     "Enables time stamps and item indexes to be shown on the ZQT UI"},
};

bool Holds(TCondition Condition, bool Connected, bool Advanced) {
  switch (Condition) {
    case TCondition::Always:
      return true;
    case TCondition::Advanced:
      return Advanced;
    case TCondition::Connected:
      return Connected;
    case TCondition::ConnectedAndAdvanced:
      return Connected && Advanced;
  }
  return false;
}

template <size_t N>
void AddRows(TTweakOptionSet& Set, const TOptionRow (&Rows)[N], bool Connected, bool Advanced) {
  for (const TOptionRow& Row : Rows) {
    if (!Holds(Row.Condition, Connected, Advanced)) continue;
    if (Row.IsBoolean)
      Set.AddBoolOption(Row.Caption, Row.Description, Row.Key, Row.ValueName, Row.Default != 0,
                        Row.Target);
    else
      Set.AddIntOption(Row.Caption, Row.Description, Row.Key, Row.ValueName, Row.Default,
                       Row.Target);
  }
}

}  // namespace

void TZQTTweakOptionsManager::BuildOptions(TRegistryManager* RegistryManager,
                                           TRapiManager* RapiManager) {
  this->RegistryManager = RegistryManager;
  this->RapiManager = RapiManager;
  const bool Advanced = RegReadBool(kSettingsKey, kAdvancedValueName, false);
  const bool Connected = RapiManager && RapiManager->Connected();
  AddRows(DesktopUIOptions, DesktopRows, Connected, Advanced);
  AddRows(PocketPCUIOptions, PocketPCRows, Connected, Advanced);
  AddRows(DebuggingOptions, DebuggingRows, Connected, Advanced);
}
