#include "Win32Window.h"

#include <vector>

#include "SelectionColour.h"
#include "UserInteraction.h"
#include "miniUtils.h"

namespace {

constexpr wchar_t kPanelClass[] = L"ZQTTweakerPanel";
constexpr wchar_t kSystemDialogClass[] = L"#32770";
constexpr wchar_t kProgramDialogClass[] = L"ZQTTweakerDialog";

// The DPI the system draws at; the program's manifest declares it aware of
// it, so that nothing is stretched behind its back.
int ScreenDpi() {
  static const int Dpi = [] {
    HDC Screen = GetDC(nullptr);
    const int Value = GetDeviceCaps(Screen, LOGPIXELSY);
    ReleaseDC(nullptr, Screen);
    return Value;
  }();
  return Dpi;
}

HFONT CreateDialogFont(int Weight) {
  LOGFONTW Font{};
  Font.lfHeight = -MulDiv(DialogFontPoints, ScreenDpi(), 72);
  Font.lfWeight = Weight;
  Font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(Font.lfFaceName, AnsiToWide(DialogFontName, 0).c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&Font);
}

// The program's icon drawn for a size the system gives by Metric. Shared: the
// system keeps it as long as the program runs.
HICON ProgramIcon(int Metric) {
  const int Size = GetSystemMetrics(Metric);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId),
                                       IMAGE_ICON, Size, Size, LR_SHARED));
}

// The common controls this front end uses, once.
void InitControls() {
  static const bool Initialised = [] {
    INITCOMMONCONTROLSEX Controls{
        sizeof(Controls), ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&Controls) != FALSE;
  }();
  (void)Initialised;
}

}  // namespace

int Scaled(int Pixels) { return MulDiv(Pixels, ScreenDpi(), 96); }

RECT Scaled(const TSheetRect& Bounds) {
  return RECT{Scaled(Bounds.Left), Scaled(Bounds.Top), Scaled(Bounds.Left + Bounds.Width),
              Scaled(Bounds.Top + Bounds.Height)};
}

COLORREF UnfocusedSelectionColour() {
  const auto Rgb = [](COLORREF Colour) {
    return std::uint32_t(GetRValue(Colour)) << 16 | GetGValue(Colour) << 8 | GetBValue(Colour);
  };
  const std::uint32_t Colour =
      UnfocusedSelection(Rgb(GetSysColor(COLOR_BTNFACE)), Rgb(GetSysColor(COLOR_WINDOW)));
  return RGB(Colour >> 16 & 0xFF, Colour >> 8 & 0xFF, Colour & 0xFF);
}

HFONT DialogFont() {
  static const HFONT Font = CreateDialogFont(FW_NORMAL);
  return Font;
}

HFONT BoldDialogFont() {
  static const HFONT Font = CreateDialogFont(FW_BOLD);
  return Font;
}

namespace {

// The dialog manager moves the focus between the buttons of a group with
// the arrow keys; the arrows on a button do nothing, as on every system.
LRESULT CALLBACK ButtonProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam, UINT_PTR,
                            DWORD_PTR) {
  if (Message == WM_GETDLGCODE)
    return DefSubclassProc(Window, Message, WParam, LParam) | DLGC_WANTARROWS;
  if (Message == WM_NCDESTROY) RemoveWindowSubclass(Window, &ButtonProc, 0);
  return DefSubclassProc(Window, Message, WParam, LParam);
}

}  // namespace

HWND CreateControl(const wchar_t* ClassName, const std::string& Text, DWORD Style,
                   const TSheetRect& Bounds, HWND Parent, int Id, DWORD ExStyle) {
  InitControls();
  const RECT Place = Scaled(Bounds);
  HWND Control = CreateWindowExW(
      ExStyle, ClassName, AnsiToWide(Text, 0).c_str(), Style | WS_CHILD, Place.left, Place.top,
      Place.right - Place.left, Place.bottom - Place.top, Parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(Control, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  if (lstrcmpiW(ClassName, WC_BUTTONW) == 0) SetWindowSubclass(Control, &ButtonProc, 0, 0);
  return Control;
}

const wchar_t* ProgramDialogClass() {
  static const bool Registered = [] {
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof(Class);
    if (!GetClassInfoExW(nullptr, kSystemDialogClass, &Class)) return false;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.hIcon = ProgramIcon(SM_CXICON);
    Class.hIconSm = ProgramIcon(SM_CXSMICON);
    Class.lpszClassName = kProgramDialogClass;
    return RegisterClassExW(&Class) != 0;
  }();
  return Registered ? kProgramDialogClass : kSystemDialogClass;
}

WideString WindowTextW(HWND Window) {
  std::vector<wchar_t> Text(GetWindowTextLengthW(Window) + 1);
  const int Length = GetWindowTextW(Window, Text.data(), static_cast<int>(Text.size()));
  return WideString(Text.data(), Length);
}

std::string WindowText(HWND Window) { return WideToAnsi(WindowTextW(Window), 0); }

TWin32Panel::TWin32Panel(HWND Parent, const TSheetRect& Bounds, DWORD Style,
                         const std::string& Caption) {
  static const bool Registered = [] {
    InitControls();
    WNDCLASSEXW Class{};
    Class.cbSize = sizeof(Class);
    Class.lpfnWndProc = &WindowProc;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    Class.lpszClassName = kPanelClass;
    return RegisterClassExW(&Class) != 0;
  }();
  (void)Registered;
  const RECT Place = Scaled(Bounds);
  FHandle = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, AnsiToWide(Caption, 0).c_str(),
                            Style | WS_CLIPCHILDREN, Place.left, Place.top,
                            Place.right - Place.left, Place.bottom - Place.top, Parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  // From now on the window's messages reach the object; those of its own
  // creation went to the default handling.
  SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWin32Panel::~TWin32Panel() {
  // From here on the window's messages no longer reach the object.
  SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
  DestroyWindow(FHandle);
}

LRESULT TWin32Panel::PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  return DefWindowProcW(FHandle, Message, WParam, LParam);
}

LRESULT CALLBACK TWin32Panel::WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  auto* Panel = reinterpret_cast<TWin32Panel*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
  if (!Panel) return DefWindowProcW(Window, Message, WParam, LParam);
  LRESULT Result = 0;
  ReportErrorsOf([&] { Result = Panel->PanelMessage(Message, WParam, LParam); });
  return Result;
}
