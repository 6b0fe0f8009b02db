// Page classes of the tests' own, registered in the page registry like the
// program's pages: they record their applies and can report edits or fail.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Exception.h"
#include "frmOptionsSheetBase.h"
#include "frmTweakerOptionsMain.h"

// Every Apply of the pages below, by page name, in call order.
inline std::vector<std::string> AppliedSheets;
inline int CreatedSheets = 0;

template <int Tag>
class TTestSheet : public TOptionsSheetBase {
 public:
  explicit TTestSheet(TOptionsSheetOwner* Owner) : TOptionsSheetBase(Owner) { ++CreatedSheets; }
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

// The node of the dialog whose text is Text; -1 when there is none.
inline int NodeNamed(const TTweakerOptionsMain& Dialog, const std::string& Text) {
  for (int Node : Dialog.NodesInTreeOrder())
    if (Dialog.Node(Node).Text == Text) return Node;
  return -1;
}

// How many pages the dialog has created so far.
inline int PagesCreated(const TTweakerOptionsMain& Dialog) {
  int Count = 0;
  for (int Node : Dialog.NodesInTreeOrder())
    if (Dialog.Node(Node).Item->Sheet) ++Count;
  return Count;
}

// Selects the node named Text and reports the selection, as the tree does
// once its change delay has passed; the page shown then.
inline TOptionsSheetBase* Open(TTweakerOptionsMain& Dialog, const std::string& Text) {
  Dialog.tvOptionsSelect(NodeNamed(Dialog, Text));
  Dialog.tvOptionsChange();
  return Dialog.CurrentSheet();
}

// A front end for ShowTweakerOptions that draws nothing: while installed,
// each dialog shown runs the test's Script, which plays the user.
class TScriptedFrontEnd : public TOptionsDialogFrontEnd {
 public:
  explicit TScriptedFrontEnd(std::function<void(TTweakerOptionsMain&)> Script)
      : FScript(std::move(Script)), FPrevious(SetOptionsDialogFrontEnd(this)) {}
  ~TScriptedFrontEnd() override { SetOptionsDialogFrontEnd(FPrevious); }
  void ShowModal(TTweakerOptionsMain& Dialog) override { FScript(Dialog); }

 private:
  std::function<void(TTweakerOptionsMain&)> FScript;
  TOptionsDialogFrontEnd* FPrevious;
};
