// The catalogue of every option the program offers, built once at start-up
// from two facts: whether a device is connected and whether the user
// unlocked the advanced options.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "OptionKind.h"
#include "TweakOptionsMngr.h"

// When an option exists in a run.
enum class TOptionCondition { Always, Advanced, Connected, ConnectedAndAdvanced };

// The set an option belongs to: the page that shows it.
enum class TOptionPage { DesktopUI, PocketPCUI, Debugging };

// One option the catalogue offers. Id is the option's stable name outside
// the dialog (the command line and its files); Default is as the registry
// keeps it (0 or 1 for a yes/no option).
struct TOptionRow {
  const char* Id;
  TOptionPage Page;
  const TOptionKind* Kind;
  TTweakOptionTarget Target;
  const char* Key;
  const char* ValueName;
  int Default;
  TOptionCondition Condition;
  const char* Caption;
  const char* Description;
};

// Every option of the catalogue, in the order BuildOptions adds them.
std::span<const TOptionRow> OptionRows();

class TZQTTweakOptionsManager : public TTweakOptionsManager {
 public:
  // Keeps both managers (borrowed) and appends every option to the sets.
  void BuildOptions(TRegistryManager* RegistryManager, TRapiManager* RapiManager);
  // The option built from the row named Id; null when there is no such row
  // or its condition did not hold when the options were built.
  TTweakOptionItem* OptionById(const std::string& Id) const;

  TRapiManager* RapiManager = nullptr;
  TRegistryManager* RegistryManager = nullptr;
  TTweakOptionSet PocketPCUIOptions;
  TTweakOptionSet DebuggingOptions;
  TTweakOptionSet DesktopUIOptions;

 private:
  TTweakOptionSet& SetOf(TOptionPage Page);

  // Each option built, under its row's id.
  std::vector<std::pair<std::string, TTweakOptionItem*>> FOptionsById;
};

// The one catalogue of the program: created when the program starts, with
// its sets empty, and released when it ends, after the host form and every
// page.
extern std::unique_ptr<TZQTTweakOptionsManager> ZQTTweakOptions;

// Where the advanced options are unlocked.
inline constexpr const char* kSettingsKey = "\\Software\\Quorvanta\\Velora\\Settings";
inline constexpr const char* kAdvancedValueName = "ZQTTweakerAdvanced";
