// The smallest program of the kind ZQTTweaker.exe is: one modal dialog
// with a caption and a button, closed with Escape, built as the program
// is. Its start-up is what the program's is compared with.
#include <vector>

#include "WinCompat.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND Window, UINT Message, WPARAM WParam, LPARAM) {
  if (Message == WM_INITDIALOG) {
    SetWindowTextW(Window, L"Minimal dialog");
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10,
                    10, 75, 25, Window, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    SetWindowPos(Window, nullptr, 0, 0, 559, 367, SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
  }
  if (Message == WM_COMMAND && (LOWORD(WParam) == IDOK || LOWORD(WParam) == IDCANCEL)) {
    EndDialog(Window, LOWORD(WParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<WORD> Template(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  reinterpret_cast<DLGTEMPLATE*>(Template.data())->style =
      DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  Template.insert(Template.end(), {0, 0, 0});
  return static_cast<int>(DialogBoxIndirectParamW(
      nullptr, reinterpret_cast<const DLGTEMPLATE*>(Template.data()), nullptr, &DialogProc, 0));
}
