#include "TweakerPages.h"

#include <string>
#include <vector>

#include "frmOptionsSheetBase.h"
#include "frmTweakOptDebugging.h"
#include "frmTweakOptDesktopUI.h"
#include "frmTweakOptIntro.h"
#include "frmTweakOptPocketUI.h"

namespace {

// The names the pages were registered under, in registration order.
std::vector<std::string> RegisteredNames;

struct TPageRegistration {
  const char* ParentName;
  const char* SheetName;
  TSheetClass SheetClass;
};

}  // namespace

void RegisterTweakerPages() {
  const TPageRegistration Pages[] = {
      {"", "About ZQTTweaker", TSheetClass::Of<TTweakOptAbout>()},
      {"ZQT Desktop", "Desktop UI", TSheetClass::Of<TTweakOptDesktopUI>()},
      {"ZQT PocketPC", "PocketPC UI", TSheetClass::Of<TTweakOptPocketPCUI>()},
      {"Troubleshooting", "Debug setting", TSheetClass::Of<TTweakOptDebugging>()}};
  for (const TPageRegistration& Page : Pages)
    RegisteredNames.push_back(
        RegisterOptionsSheet(Page.ParentName, Page.SheetName, Page.SheetClass));
}

void UnregisterTweakerPages() {
  while (!RegisteredNames.empty()) {
    UnregisterOptionsSheet(RegisteredNames.back());
    RegisteredNames.pop_back();
  }
}
