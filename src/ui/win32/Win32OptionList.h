// The option list on Windows: a list view in report view with the
// "Option" and "Value" columns over the rows of a TfrTweakOptions, check
// boxes drawn in the Value cells of yes/no options, an edit box opened over
// the Value cell of numbers, the hovered row's hint in a tooltip of its own,
// and the description box below.
#pragma once

#include "Win32Window.h"
#include "frTweakOptionsSet.h"

class TWin32GridAccessible;

class TWin32OptionList : public TWin32Panel, public TOptionListView {
 public:
  // Draws Frame (borrowed), which must outlive the window, in Parent at
  // Bounds (pixels at 96 DPI).
  TWin32OptionList(TfrTweakOptions& Frame, HWND Parent, const TSheetRect& Bounds);
  ~TWin32OptionList() override;

  void RowsChanged() override;
  void RowChanged(int Row) override;
  void DescriptionChanged() override;
  void RowFocused(int Row) override;
  void StartEditTimer(int Milliseconds) override;
  void StopEditTimer() override;
  void OpenEditor(int Row, const WideString& Text) override;
  WideString EditorText() const override;
  void FocusEditor() override;
  void CloseEditor() override;
  void ShowContextMenu(int Row) override;

  // The timer of the edit delay, on the panel's window.
  static constexpr UINT_PTR EditTimerId = 1;
  // The hint's tool in HintTip, over the grid's hovered row.
  static constexpr UINT_PTR HintToolId = 1;

  TfrTweakOptions& Frame() const { return FFrame; }
  // Where the check box of a row's Value cell is drawn, in the grid's
  // client area.
  RECT CheckBoxRect(int Row) const;
  // The open in-place editor; null for none.
  HWND Editor() const { return FEditor; }
  // The tooltip that shows the hovered row's hint.
  HWND HintTip() const { return FHintTip; }

  HWND VTV = nullptr;
  HWND GroupBox1 = nullptr;
  HWND lbDescription = nullptr;

 protected:
  LRESULT PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;

 private:
  LRESULT GridNotify(NMHDR& Header);
  LRESULT GridCustomDraw(NMLVCUSTOMDRAW& Draw);
  void ShowUnfocusedSelection(NMLVCUSTOMDRAW& Draw) const;
  void GridClick(const NMITEMACTIVATE& Click);
  // The row at a mouse message's place in the grid; -1 for none.
  int RowAt(LPARAM Place) const;
  void DrawCheckBox(HDC Canvas, int Row) const;
  void ShowContextMenuAt(int Row, POINT Screen);
  void RelayMouse(UINT Message, WPARAM WParam, LPARAM LParam);
  LRESULT AccessibleObject(WPARAM WParam);
  void ShowHint(int Row);
  TFocusTarget FocusTarget() const;
  static LRESULT CALLBACK GridProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam,
                                   UINT_PTR Id, DWORD_PTR Data);
  static LRESULT CALLBACK EditorProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam,
                                     UINT_PTR Id, DWORD_PTR Data);

  TfrTweakOptions& FFrame;
  HWND FEditor = nullptr;
  HWND FHintTip = nullptr;
  // The row whose hint the tooltip holds; -1 for none.
  int FHintRow = -1;
  // What assistive technology is told of the grid; made when first asked.
  TWin32GridAccessible* FAccessible = nullptr;
  // The grid's font in bold, for options away from their defaults.
  HFONT FBoldFont = nullptr;
};
