// Page classes of the tests' own, registered in the page registry like the
// program's pages: they record their applies and can report edits or fail.
#pragma once

#include <string>
#include <vector>

#include "Exception.h"
#include "frmOptionsSheetBase.h"

// Every Apply of the pages below, by page name, in call order.
inline std::vector<std::string> AppliedSheets;
inline int CreatedSheets = 0;

template <int Tag>
class TTestSheet : public TOptionsSheetBase {
 public:
  TTestSheet(TOptionsSheetOwner* Owner, QWidget* Parent) : TOptionsSheetBase(Owner, Parent) {
    ++CreatedSheets;
  }
  void Apply() override { AppliedSheets.push_back("Sheet" + std::to_string(Tag)); }
  // What an option list does when the user edits an option.
  void Edit() { MarkModified(this); }
};

class TFailingSheet : public TOptionsSheetBase {
 public:
  using TOptionsSheetBase::TOptionsSheetBase;
  void Apply() override {
    AppliedSheets.push_back("Failing");
    throw Exception("Write registry value failed: LogEnabled");
  }
};

// Registers pages the way the program's four pages register, with test
// classes, and removes them again in reverse order.
class TTestSheetRegistration {
 public:
  TTestSheetRegistration() {
    Names.push_back(RegisterOptionsSheet("", "About ZQTTweaker", TSheetClass::Of<TTestSheet<0>>()));
    Names.push_back(
        RegisterOptionsSheet("ZQT Desktop", "Desktop UI", TSheetClass::Of<TTestSheet<1>>()));
    Names.push_back(
        RegisterOptionsSheet("ZQT PocketPC", "PocketPC UI", TSheetClass::Of<TTestSheet<2>>()));
    Names.push_back(
        RegisterOptionsSheet("Troubleshooting", "Debug setting", TSheetClass::Of<TTestSheet<3>>()));
    AppliedSheets.clear();
    CreatedSheets = 0;
  }
  ~TTestSheetRegistration() {
    for (auto Name = Names.rbegin(); Name != Names.rend(); ++Name) UnregisterOptionsSheet(*Name);
  }
  TTestSheetRegistration(const TTestSheetRegistration&) = delete;
  TTestSheetRegistration& operator=(const TTestSheetRegistration&) = delete;

  std::vector<std::string> Names;
};
