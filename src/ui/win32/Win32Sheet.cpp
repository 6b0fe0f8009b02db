#include "Win32Sheet.h"

#include "Win32OptionList.h"
#include "frmOptionsSheetBase.h"

TWin32Sheet::TWin32Sheet(const TOptionsSheetBase& Sheet, HWND Parent, const TSheetRect& Bounds)
    : TWin32Panel(Parent, Bounds, WS_CHILD), FSheet(Sheet) {
  const TSheetLayout& Layout = Sheet.Layout();
  for (const TSheetLabel& Spec : Layout.Labels) AddLabel(Spec, Spec.Bounds);
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

void TWin32Sheet::AddLabel(const TSheetLabel& Spec, const TSheetRect& Bounds) {
  const DWORD Style =
      (Spec.Visible ? WS_VISIBLE : 0) | SS_NOPREFIX | (Spec.WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  HWND Label = CreateControl(WC_STATICW, Spec.Caption, Style, Bounds, Handle(), 0);
  if (Spec.Bold) SendMessageW(Label, WM_SETFONT, reinterpret_cast<WPARAM>(BoldDialogFont()), 0);
  FLabels.emplace_back(Label, &Spec);
}

// A strip has no window of its own: its controls sit in the page, moved
// down by its top; a label without bounds fills it.
void TWin32Sheet::AddStrip(const TSheetStrip& Spec, int Top, int Width) {
  for (const TSheetLabel& Label : Spec.Labels) {
    TSheetRect Bounds = Label.Bounds;
    if (Bounds.Width == 0) Bounds = {0, 0, Width, Spec.Height};
    AddLabel(Label, {Bounds.Left, Top + Bounds.Top, Bounds.Width, Bounds.Height});
  }
  for (const TSheetButton& Button : Spec.Buttons) {
    const TSheetRect& Bounds = Button.Bounds;
    const int Id = static_cast<int>(FButtons.size()) + 1;
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
      if (HIWORD(WParam) == BN_CLICKED && Id >= 1 && Id <= static_cast<int>(FButtons.size())) {
        FButtons[Id - 1].second->OnClick();
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
