#include "Win32Sheet.h"

#include "Win32OptionList.h"
#include "frmOptionsSheetBase.h"
#include "miniUtils.h"

namespace {

// A label's caption as it is drawn in its font on screen.
TTextSize MeasureLabel(HWND Label, const TSheetLabel& Spec, int WrapWidth) {
  const HDC Canvas = GetDC(Label);
  const HGDIOBJ Previous = SelectObject(Canvas, Spec.Bold ? BoldDialogFont() : DialogFont());
  RECT Box{0, 0, WrapWidth, 0};
  DrawTextW(Canvas, AnsiToWide(Spec.Caption, 0).c_str(), -1, &Box,
            DT_CALCRECT | DT_NOPREFIX | (WrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(Canvas, Previous);
  ReleaseDC(Label, Canvas);
  return {Box.right - Box.left, Box.bottom - Box.top};
}

}  // namespace

TWin32Sheet::TWin32Sheet(const TOptionsSheetBase& Sheet, HWND Parent, const TSheetRect& Bounds)
    : TWin32Panel(Parent, Bounds, WS_CHILD, Sheet.Layout().Caption), FSheet(Sheet) {
  const TSheetLayout& Layout = Sheet.Layout();
  for (const TSheetLabel& Spec : Layout.Labels) AddLabel(Spec, Spec.Bounds, true);
  const int TopHeight = Layout.Top ? Layout.Top->Height : 0;
  const int BottomHeight = Layout.Bottom ? Layout.Bottom->Height : 0;
  if (Layout.Top) AddStrip(*Layout.Top, 0, Bounds.Width);
  if (Layout.OptionList)
    FOptionList = std::make_unique<TWin32OptionList>(
        *Layout.OptionList, Handle(),
        TSheetRect{0, TopHeight, Bounds.Width, Bounds.Height - TopHeight - BottomHeight});
  if (Layout.Bottom) AddStrip(*Layout.Bottom, Bounds.Height - BottomHeight, Bounds.Width);
}

TWin32Sheet::~TWin32Sheet() = default;

HWND TWin32Sheet::Control(const std::string& Name) const {
  for (const auto& [Handle, Spec] : FLabels)
    if (Spec->Name == Name) return Handle;
  for (const auto& [Handle, Spec] : FButtons)
    if (Spec->Name == Name) return Handle;
  return nullptr;
}

// Grows: the label grows as the page's rule says where its text needs more
// room in the dialog's font.
void TWin32Sheet::AddLabel(const TSheetLabel& Spec, const TSheetRect& Bounds, bool Grows) {
  const DWORD Style =
      (Spec.Visible ? WS_VISIBLE : 0) | SS_NOPREFIX | (Spec.WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  HWND Label = CreateControl(WC_STATICW, Spec.Caption, Style, Bounds, Handle(), 0);
  if (Spec.Bold) SendMessageW(Label, WM_SETFONT, reinterpret_cast<WPARAM>(BoldDialogFont()), 0);
  if (Grows) {
    const RECT Place = Scaled(Bounds);
    const TSheetRect Grown = LabelPlace(
        Spec, {Place.left, Place.top, Place.right - Place.left, Place.bottom - Place.top},
        [Label](const TSheetLabel& Measured, int WrapWidth) {
          return MeasureLabel(Label, Measured, WrapWidth);
        });
    MoveWindow(Label, Grown.Left, Grown.Top, Grown.Width, Grown.Height, FALSE);
  }
  FLabels.emplace_back(Label, &Spec);
}

// A strip has no window of its own: its controls sit in the page, moved
// down by its top; a label without bounds fills it.
void TWin32Sheet::AddStrip(const TSheetStrip& Spec, int Top, int Width) {
  for (const TSheetLabel& Label : Spec.Labels) {
    const bool Fills = FillsStrip(Label);
    const TSheetRect Bounds = Fills ? TSheetRect{0, 0, Width, Spec.Height} : Label.Bounds;
    AddLabel(Label, {Bounds.Left, Top + Bounds.Top, Bounds.Width, Bounds.Height}, !Fills);
  }
  for (const TSheetButton& Button : Spec.Buttons) {
    const TSheetRect& Bounds = Button.Bounds;
    const int Id = FirstButtonId + static_cast<int>(FButtons.size());
    HWND Control =
        CreateControl(WC_BUTTONW, Button.Caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                      {Bounds.Left, Top + Bounds.Top, Bounds.Width, Bounds.Height}, Handle(), Id);
    FButtons.emplace_back(Control, &Button);
  }
}

LRESULT TWin32Sheet::PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_COMMAND: {
      const int Id = LOWORD(WParam);
      const int Index = Id - FirstButtonId;
      if (HIWORD(WParam) == BN_CLICKED && Index >= 0 && Index < static_cast<int>(FButtons.size())) {
        FButtons[Index].second->OnClick();
        return 0;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
      for (const auto& [Label, Spec] : FLabels) {
        if (Label != reinterpret_cast<HWND>(LParam)) continue;
        const std::uint32_t Color = Spec->Color;
        auto Canvas = reinterpret_cast<HDC>(WParam);
        SetTextColor(Canvas, RGB(Color >> 16 & 0xFF, Color >> 8 & 0xFF, Color & 0xFF));
        SetBkColor(Canvas, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
  }
  return TWin32Panel::PanelMessage(Message, WParam, LParam);
}
