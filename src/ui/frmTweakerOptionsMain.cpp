#include "frmTweakerOptionsMain.h"

#include "StringUtils.h"
#include "UserInteraction.h"
#include "miniUtils.h"

namespace {

TOptionsDialogFrontEnd* FrontEnd = nullptr;

}  // namespace

const char* const TTweakerOptionsMain::DefaultCaption =
    "Quorvanta Tweaker for Desktop and PocketPC Editions.";
const char* const TTweakerOptionsMain::ButtonCaptions[3] = {"OK", "Cancel", "&Apply"};
const char* const TTweakerOptionsMain::TreeName = "Option pages";

TTweakerOptionsMain::TTweakerOptionsMain() { FormCreate(); }

TTweakerOptionsMain::~TTweakerOptionsMain() { FormDestroy(); }

void TTweakerOptionsMain::FormCreate() {
  FCurrentSheet = nullptr;
  FTreeUpdating = 0;
  FModified = false;
  FChanged = false;
  BuildSheetTree();
}

void TTweakerOptionsMain::FormDestroy() {
  FCurrentSheet = nullptr;
  for (int Node : NodesInTreeOrder()) FNodes[Node].Item.reset();
}

std::vector<int> TTweakerOptionsMain::NodesInTreeOrder() const {
  std::vector<int> Order;
  std::vector<int> Pending;
  for (int Node = NodeCount() - 1; Node >= 0; --Node)
    if (FNodes[Node].Parent == -1) Pending.push_back(Node);
  while (!Pending.empty()) {
    const int Node = Pending.back();
    Pending.pop_back();
    Order.push_back(Node);
    const std::vector<int>& Children = FNodes[Node].Children;
    Pending.insert(Pending.end(), Children.rbegin(), Children.rend());
  }
  return Order;
}

void TTweakerOptionsMain::BuildSheetTree() {
  ++FTreeUpdating;
  FNodeMap = std::make_unique<std::vector<std::pair<std::string, int>>>();
  try {
    EnumOptionsSheets(
        [this](const std::string& ParentName, const std::string& SheetName,
               TSheetClass SheetClass) { AddSheetNode(ParentName, SheetName, SheetClass); });
  } catch (...) {
    FNodeMap.reset();
    --FTreeUpdating;
    throw;
  }
  FNodeMap.reset();
  --FTreeUpdating;
  tvOptionsChange();
}

void TTweakerOptionsMain::AddSheetNode(const std::string& ParentName, const std::string& SheetName,
                                       TSheetClass SheetClass) {
  int Parent = -1;
  if (!ParentName.empty()) {
    for (const auto& [Name, Node] : *FNodeMap) {
      if (AnsiSameText(Name, ParentName)) {
        Parent = Node;
        break;
      }
    }
  }
  const int Node = NodeCount();
  FNodes.push_back(
      TOptionNode{SheetName, Parent, {}, false, std::make_unique<TOptionItem>(SheetClass)});
  if (Parent != -1) {
    FNodes[Parent].Children.push_back(Node);
    FNodes[Parent].Expanded = true;
  }
  FNodeMap->emplace_back(SheetName, Node);
}

bool TTweakerOptionsMain::tvOptionsChanging(int Node) {
  return Node == FSelected || CanLeaveCurrentSheet();
}

bool TTweakerOptionsMain::tvOptionsSelect(int Node) {
  if (!tvOptionsChanging(Node)) return false;
  FSelected = Node;
  if (FChangeDelay <= 0)
    ReportErrorsOf([this] { tvOptionsChange(); });
  else if (FView)
    FView->StartChangeTimer(FChangeDelay);
  return true;
}

void TTweakerOptionsMain::tvOptionsChange() {
  if (FTreeUpdating > 0 || FSelected < 0 || FCreatingSheet) return;
  TOptionItem& Item = *FNodes[FSelected].Item;
  if (!Item.Sheet) {
    // A page reports a failed load while it is being created; a timer that
    // fires meanwhile must not create it a second time.
    FCreatingSheet = true;
    try {
      Item.Sheet = Item.SheetClass.Create(this);
    } catch (...) {
      FCreatingSheet = false;
      throw;
    }
    FCreatingSheet = false;
  }
  if (Item.Sheet.get() == FCurrentSheet) return;
  TOptionsSheetBase* Hidden = FCurrentSheet;
  FCurrentSheet = Item.Sheet.get();
  if (FView) FView->SheetShown(Hidden);
}

void TTweakerOptionsMain::tvOptionsMouseUp(bool OverLabel) {
  if (!OverLabel || FSelected < 0 || FNodes[FSelected].Expanded) return;
  FNodes[FSelected].Expanded = true;
  if (FView) FView->NodeExpanded(FSelected);
}

void TTweakerOptionsMain::SetModified(bool Value) {
  FModified = Value;
  if (FView) FView->ApplyEnabledChanged();
  if (Value) FChanged = true;
}

void TTweakerOptionsMain::ApplyAll() {
  for (int Node : NodesInTreeOrder())
    if (TOptionsSheetBase* Sheet = FNodes[Node].Item->Sheet.get()) Sheet->Apply();
  SetModified(false);
}

void TTweakerOptionsMain::btnApplyClick() {
  if (CanLeaveCurrentSheet()) ReportErrorsOf([this] { ApplyAll(); });
}

void TTweakerOptionsMain::btnOKClick() {
  if (!CanLeaveCurrentSheet()) return;
  FModalResult = TModalResult::mrOk;
  // After a failed apply the dialog stays open.
  ReportErrorsOf([this] {
    try {
      ApplyAll();
    } catch (...) {
      FModalResult = TModalResult::mrNone;
      throw;
    }
  });
  if (FModalResult == TModalResult::mrOk) Close(TModalResult::mrOk);
}

void TTweakerOptionsMain::btnCancelClick() { Close(TModalResult::mrCancel); }

void TTweakerOptionsMain::Close(TModalResult Result) {
  FModalResult = Result;
  if (FView) FView->CloseModal();
}

void TTweakerOptionsMain::SelectStartPage(const std::string& StartPage) {
  int Start = -1;
  if (!StartPage.empty()) {
    for (int Node : NodesInTreeOrder()) {
      if (FNodes[Node].Text == StartPage) {
        Start = Node;
        break;
      }
    }
  }
  if (Start == -1 && NodeCount() > 0) Start = NodesInTreeOrder().front();
  if (Start != -1) tvOptionsSelect(Start);
}

void TTweakerOptionsMain::ShowModal() {
  FModalResult = TModalResult::mrNone;
  if (FrontEnd) FrontEnd->ShowModal(*this);
}

TOptionsDialogFrontEnd* SetOptionsDialogFrontEnd(TOptionsDialogFrontEnd* Value) {
  return std::exchange(FrontEnd, Value);
}

bool ShowTweakerOptions(const std::string& StartPage) {
  TTweakerOptionsMain Dialog;
  Dialog.SelectStartPage(StartPage);
  Dialog.SetCaption(Dialog.Caption() + " Ver. " + AppVersionString(false, ""));
  Dialog.SetChangeDelay(TTweakerOptionsMain::ChangeDelay);
  Dialog.ShowModal();
  return Dialog.Changed();
}
