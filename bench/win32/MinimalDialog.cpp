// The least a program showing the options dialog can be, built as the
// program is: a modal dialog of the same size, caption and font with a tree
// of the same nodes and three buttons, and nothing else; closed with Escape.
// Its start-up is what the program's is compared with, as bench/BareDialog.cpp
// is on Linux.
#include <vector>

#include "WinCompat.h"
// The common controls' names, which need the system's base names first.
#include <commctrl.h>

namespace {

constexpr int kWidth = 559;
constexpr int kHeight = 367;

// The dialog in the program's font; its size and controls are set when it
// opens.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> Words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  reinterpret_cast<DLGTEMPLATE*>(Words.data())->style =
      DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  // No menu, the dialog class, no title, then the font.
  Words.insert(Words.end(), {0, 0, 0, 8});
  for (const wchar_t* Face = L"MS Sans Serif"; *Face; ++Face) Words.push_back(*Face);
  Words.push_back(0);
  return Words;
}

HWND Control(HWND Dialog, DWORD ExStyle, const wchar_t* Class, const wchar_t* Text, DWORD Style,
             RECT Place, int Id) {
  HWND Window = CreateWindowExW(ExStyle, Class, Text,
                                Style | WS_CHILD | WS_VISIBLE | WS_TABSTOP, Place.left, Place.top,
                                Place.right, Place.bottom, Dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id)), nullptr, nullptr);
  SendMessageW(Window, WM_SETFONT, SendMessageW(Dialog, WM_GETFONT, 0, 0), FALSE);
  return Window;
}

HTREEITEM AddNode(HWND Tree, HTREEITEM Parent, const wchar_t* Text) {
  TVINSERTSTRUCTW Insert{};
  Insert.hParent = Parent;
  Insert.hInsertAfter = TVI_LAST;
  Insert.item.mask = TVIF_TEXT;
  Insert.item.pszText = const_cast<wchar_t*>(Text);
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(Tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Insert)));
}

void CreateControls(HWND Dialog) {
  SetWindowTextW(Dialog, L"Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. 1.9.1");
  RECT Frame{0, 0, kWidth, kHeight};
  AdjustWindowRectEx(&Frame, GetWindowLongW(Dialog, GWL_STYLE), FALSE,
                     GetWindowLongW(Dialog, GWL_EXSTYLE));
  SetWindowPos(Dialog, nullptr, 0, 0, Frame.right - Frame.left, Frame.bottom - Frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
  HWND Tree = Control(Dialog, WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                      TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                      {0, 0, 174, kHeight}, 100);
  const HTREEITEM About = AddNode(Tree, TVI_ROOT, L"About ZQTTweaker");
  for (const wchar_t* Group : {L"ZQT Desktop", L"ZQT PocketPC", L"Troubleshooting"}) {
    const HTREEITEM Item = AddNode(Tree, TVI_ROOT, Group);
    AddNode(Tree, Item, L"Page");
    SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Item));
  }
  SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(About));
  const int Ids[] = {IDOK, IDCANCEL, 101};
  const wchar_t* const Captions[] = {L"OK", L"Cancel", L"&Apply"};
  for (int Index = 0; Index < 3; ++Index)
    Control(Dialog, 0, WC_BUTTONW, Captions[Index], Index == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
            {kWidth - 3 * 88 + Index * 88, kHeight - 28, 75, 25}, Ids[Index]);
}

INT_PTR CALLBACK DialogProc(HWND Window, UINT Message, WPARAM WParam, LPARAM) {
  if (Message == WM_INITDIALOG) {
    CreateControls(Window);
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
  const INITCOMMONCONTROLSEX Controls{sizeof(Controls), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&Controls);
  const std::vector<WORD> Template = DialogTemplate();
  return static_cast<int>(DialogBoxIndirectParamW(
      nullptr, reinterpret_cast<const DLGTEMPLATE*>(Template.data()), nullptr, &DialogProc, 0));
}
