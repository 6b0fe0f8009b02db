// The options dialog on Windows: the tree, the page area and the buttons,
// drawn from a TTweakerOptionsMain and passing the user's events to it. The
// system's dialog manager runs it modally: "OK" is the default button,
// Escape and the close box are "Cancel", Alt+A is "&Apply".
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "Win32Sheet.h"
#include "frmTweakerOptionsMain.h"

class TWin32OptionsDialog : public TOptionsDialogView {
 public:
  static constexpr int tvOptionsId = 100;
  static constexpr int btnApplyId = 101;
  // The timer of the tree's change delay, on the dialog's window.
  static constexpr UINT_PTR ChangeTimerId = 1;

  // Draws Dialog (borrowed), which must outlive the object.
  explicit TWin32OptionsDialog(TTweakerOptionsMain& Dialog);
  ~TWin32OptionsDialog() override;
  TWin32OptionsDialog(const TWin32OptionsDialog&) = delete;
  TWin32OptionsDialog& operator=(const TWin32OptionsDialog&) = delete;

  // Shows the window modally until the dialog closes it.
  void ShowModal();

  void ApplyEnabledChanged() override;
  void NodeExpanded(int Node) override;
  void SheetShown(TOptionsSheetBase* Hidden) override;
  void StartChangeTimer(int Milliseconds) override;
  void CloseModal() override;

  // The object that draws a dialog window; null for other windows.
  static TWin32OptionsDialog* Of(HWND Window);
  TTweakerOptionsMain& Dialog() const { return FDialog; }
  // The tree item of a node of the dialog.
  HTREEITEM Item(int Node) const { return FItems.at(Node); }
  // The page shown now; null for none.
  TWin32Sheet* CurrentSheet() const;

  HWND Handle = nullptr;
  HWND tvOptions = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;
  HWND btnApply = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
  bool DialogMessage(UINT Message, WPARAM WParam, LPARAM LParam);
  void InitDialog(HWND Window);
  void CreateComponents();
  void AddNodes();
  LRESULT TreeNotify(NMHDR& Header);
  LRESULT TreeCustomDraw(NMTVCUSTOMDRAW& Draw) const;
  void ButtonClick(int Id, HWND Control, WPARAM Command);
  bool OverLabel() const;

  TTweakerOptionsMain& FDialog;
  std::vector<HTREEITEM> FItems;
  // Selections reach the dialog once the tree is filled.
  bool FTreeFilled = false;
  std::map<const TOptionsSheetBase*, std::unique_ptr<TWin32Sheet>> FSheets;
};

// Shows the dialog in a TWin32OptionsDialog.
class TWin32OptionsDialogFrontEnd : public TOptionsDialogFrontEnd {
 public:
  void ShowModal(TTweakerOptionsMain& Dialog) override;
};
