// What the Windows front end's windows share: the dialog's font, places
// given in pixels at 96 DPI and scaled to the screen's, child controls, and
// panels that hand their messages, their controls' notifications among
// them, to an object.
#pragma once

#include <string>

#include "SheetLayout.h"
#include "WinCompat.h"
// The common controls' names, which need the system's base names first.
#include <commctrl.h>

// Pixels at 96 DPI as pixels of the screen.
int Scaled(int Pixels);
RECT Scaled(const TSheetRect& Bounds);

// The background of a selection in a list or tree without the focus, which
// stands out from the list's background (SelectionColour.h).
COLORREF UnfocusedSelectionColour();

// The dialog's font at the screen's DPI; the bold one for bold
// labels. They live as long as the process.
HFONT DialogFont();
HFONT BoldDialogFont();

// A child control of Parent at Bounds (pixels at 96 DPI), in the dialog's
// font; Text is single-byte text of the system's code page.
HWND CreateControl(const wchar_t* ClassName, const std::string& Text, DWORD Style,
                   const TSheetRect& Bounds, HWND Parent, int Id, DWORD ExStyle = 0);

// The program's icon in its resources (the resource script's first icon).
inline constexpr int kProgramIconId = 1;

// The class of the program's dialog windows: the system's dialog class with
// the program's icon, as the system shows it from the window's creation on:
// the big one (task bar, Alt+Tab) and the small one (title bar), each drawn
// for its size at the screen's DPI.
const wchar_t* ProgramDialogClass();

// A window's text, as single-byte text of the system's code page.
std::string WindowText(HWND Window);
WideString WindowTextW(HWND Window);

// A window of the front end's own class, without a look of its own beyond
// the dialog's background; a child by default, which the dialog's keyboard
// navigation enters. Its messages go to PanelMessage, at whose edge every
// error is reported. The object owns the window.
class TWin32Panel {
 public:
  TWin32Panel(HWND Parent, const TSheetRect& Bounds, DWORD Style = WS_CHILD | WS_VISIBLE,
              const std::string& Caption = std::string());
  virtual ~TWin32Panel();
  TWin32Panel(const TWin32Panel&) = delete;
  TWin32Panel& operator=(const TWin32Panel&) = delete;

  HWND Handle() const { return FHandle; }

 protected:
  virtual LRESULT PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

  HWND FHandle = nullptr;
};
