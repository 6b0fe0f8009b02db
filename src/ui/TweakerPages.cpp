#include "TweakerPages.h"

#include <string>
#include <vector>

#include "frmOptionsSheetBase.h"

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
      {"", "About ZQTTweaker", TSheetClass::Of<TOptionsSheetBase>()},
      {"ZQT Desktop", "Desktop UI", TSheetClass::Of<TOptionsSheetBase>()},
      {"ZQT PocketPC", "PocketPC UI", TSheetClass::Of<TOptionsSheetBase>()},
      {"Troubleshooting", "Debug setting", TSheetClass::Of<TOptionsSheetBase>()}};
  for (const TPageRegistration& Page : Pages)
    RegisteredNames.push_back(RegisterOptionsSheet(Page.ParentName, Page.SheetName, Page.SheetClass));
}

void UnregisterTweakerPages() {
  while (!RegisteredNames.empty()) {
    UnregisterOptionsSheet(RegisteredNames.back());
    RegisteredNames.pop_back();
  }
}
