// A page on Windows: a panel holding the controls of a page's layout, each
// at its place, and its option list.
#pragma once

#include <memory>
#include <vector>

#include "Win32Window.h"

class TOptionsSheetBase;
class TWin32OptionList;
struct TSheetLabel;
struct TSheetButton;
struct TSheetStrip;

class TWin32Sheet : public TWin32Panel {
 public:
  // Draws Sheet (borrowed), which must outlive the window, in Parent at
  // Bounds (pixels at 96 DPI).
  TWin32Sheet(const TOptionsSheetBase& Sheet, HWND Parent, const TSheetRect& Bounds);
  ~TWin32Sheet() override;

  const TOptionsSheetBase& Sheet() const { return FSheet; }
  // Null on pages without options.
  TWin32OptionList* OptionList() const { return FOptionList.get(); }
  // The label or button of that name; null when there is none.
  HWND Control(const std::string& Name) const;

 protected:
  LRESULT PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;

 private:
  void AddLabel(const TSheetLabel& Spec, const TSheetRect& Bounds, bool Grows);
  void AddStrip(const TSheetStrip& Spec, int Top, int Width);

  const TOptionsSheetBase& FSheet;
  std::vector<std::pair<HWND, const TSheetLabel*>> FLabels;
  // A button's control identifier is FirstButtonId and on, in this order:
  // none is one of the dialog's own (IDOK, IDCANCEL).
  static constexpr int FirstButtonId = 1000;
  std::vector<std::pair<HWND, const TSheetButton*>> FButtons;
  std::unique_ptr<TWin32OptionList> FOptionList;
};
