// The options dialog: the page tree on the left, the selected page on the
// right, "OK", "Cancel" and "&Apply" below. This is what the dialog decides;
// a front end draws it (TOptionsDialogView) and passes the user's events
// to the handlers below.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frmOptionsSheetBase.h"

// The payload of one tree node: its page class and, once the node was
// selected, its page, which the item owns.
class TOptionItem {
 public:
  explicit TOptionItem(TSheetClass SheetClass) : SheetClass(SheetClass) {}

  TSheetClass SheetClass;
  std::unique_ptr<TOptionsSheetBase> Sheet;
};

struct TOptionNode {
  std::string Text;
  // -1 for a top-level node.
  int Parent = -1;
  std::vector<int> Children;
  bool Expanded = false;
  std::unique_ptr<TOptionItem> Item;
};

enum class TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// What the front end's dialog is told when the dialog's state changes.
class TOptionsDialogView {
 public:
  virtual ~TOptionsDialogView() = default;
  virtual void ApplyEnabledChanged() = 0;
  virtual void NodeExpanded(int Node) = 0;
  // CurrentSheet() is now shown instead of Hidden (null for none).
  virtual void SheetShown(TOptionsSheetBase* Hidden) = 0;
  // Report the selection to tvOptionsChange once it has stayed the same for
  // Milliseconds; every further selection restarts the wait.
  virtual void StartChangeTimer(int Milliseconds) = 0;
  // End the modal loop: ModalResult() is set.
  virtual void CloseModal() = 0;
};

class TTweakerOptionsMain : public TOptionsSheetOwner {
 public:
  static const char* const DefaultCaption;
  // Client area, tree width and button strip, in pixels at 96 DPI.
  static constexpr int ClientWidth = 559;
  static constexpr int ClientHeight = 367;
  static constexpr int TreeWidth = 174;
  static constexpr int TreeIndent = 19;
  static constexpr int ButtonStripHeight = 33;
  // "OK", "Cancel" and "&Apply" keep their distance from the right edge of
  // the page area: the last one ends 5 pixels before it.
  static constexpr int ButtonRightMargin[3] = {181, 93, 5};
  static constexpr int ButtonTop = 5;
  static constexpr int ButtonWidth = 75;
  static constexpr int ButtonHeight = 25;
  static const char* const ButtonCaptions[3];
  // The tree's name for assistive technology, which the screen does not
  // show.
  static const char* const TreeName;
  // How long a selection must stay before its page is shown, once the
  // dialog is up.
  static constexpr int ChangeDelay = 300;

  TTweakerOptionsMain();
  ~TTweakerOptionsMain() override;

  // The front end's dialog (borrowed) while it is shown; null for none.
  void SetView(TOptionsDialogView* View) { FView = View; }

  const std::string& Caption() const { return FCaption; }
  int NodeCount() const { return static_cast<int>(FNodes.size()); }
  const TOptionNode& Node(int Index) const { return FNodes.at(Index); }
  // Every node, top to bottom and every level, expanded or not.
  std::vector<int> NodesInTreeOrder() const;
  // The selected node, or -1.
  int Selected() const { return FSelected; }
  TOptionsSheetBase* CurrentSheet() const { return FCurrentSheet; }
  bool ApplyEnabled() const { return FModified; }
  // Whether any page reported an edit while the dialog was open.
  bool Changed() const { return FChanged; }
  TModalResult ModalResult() const { return FModalResult; }

  // The user is about to select Node in the tree, before the selection
  // moves: false when it must stay, because the shown page cannot be left
  // (an option list's editor holds a text it refused, which is then
  // reported once).
  bool tvOptionsChanging(int Node);
  // The user selected Node; false when the selection must go back, as for
  // tvOptionsChanging.
  bool tvOptionsSelect(int Node);
  // The selection is reported: its page is created on first selection and
  // shown. A page is created once, also when this is called again while its
  // creation reports a failed load.
  void tvOptionsChange();
  // The user expanded or collapsed Node.
  void tvOptionsExpandedChange(int Node, bool Expanded) { FNodes.at(Node).Expanded = Expanded; }
  // The left button went up over the tree; OverLabel: over a node's label
  // or icon.
  void tvOptionsMouseUp(bool OverLabel);
  void SetModified(bool Value) override;
  // Asks every page created so far to write its options, in tree order.
  void ApplyAll();
  // "&Apply" and "OK" write nothing while the shown page cannot be left.
  void btnApplyClick();
  void btnOKClick();
  // "Cancel", Escape and the window's close box: the dialog closes without
  // writing anything, whatever the shown page holds.
  void btnCancelClick();

  // Selects the first node whose text is StartPage (letter case counts), or
  // else the first node; its page is shown at once.
  void SelectStartPage(const std::string& StartPage);
  void SetCaption(const std::string& Caption) { FCaption = Caption; }
  // From now on a selection is reported only after it stayed Milliseconds.
  void SetChangeDelay(int Milliseconds) { FChangeDelay = Milliseconds; }
  // Shows the dialog through the installed front end until it is closed.
  void ShowModal();

 private:
  void FormCreate();
  void FormDestroy();
  void BuildSheetTree();
  void AddSheetNode(const std::string& ParentName, const std::string& SheetName,
                    TSheetClass SheetClass);
  void Close(TModalResult Result);
  bool CanLeaveCurrentSheet() { return !FCurrentSheet || FCurrentSheet->CanLeave(); }

  std::unique_ptr<std::vector<std::pair<std::string, int>>> FNodeMap;
  bool FModified = false;
  TOptionsSheetBase* FCurrentSheet = nullptr;
  int FTreeUpdating = 0;
  bool FChanged = false;

  std::string FCaption = DefaultCaption;
  std::vector<TOptionNode> FNodes;
  int FSelected = -1;
  // A page is being created: its node's item has no page yet.
  bool FCreatingSheet = false;
  int FChangeDelay = 0;
  TModalResult FModalResult = TModalResult::mrNone;
  TOptionsDialogView* FView = nullptr;
};

// How a front end shows the dialog: it draws the dialog's state, passes the
// user's events on, and returns once the dialog has closed.
class TOptionsDialogFrontEnd {
 public:
  virtual ~TOptionsDialogFrontEnd() = default;
  virtual void ShowModal(TTweakerOptionsMain& Dialog) = 0;
};

// Installs FrontEnd (borrowed) and returns the one it replaces. Without one,
// the dialog closes as soon as it is shown.
TOptionsDialogFrontEnd* SetOptionsDialogFrontEnd(TOptionsDialogFrontEnd* FrontEnd);

// Runs the dialog modally with StartPage selected; true when any option was
// edited while it was open, whether or not it was applied.
bool ShowTweakerOptions(const std::string& StartPage);
