// The scenarios on the Windows front end: the program's dialog with its
// real windows, under Wine on a display, driven by posted mouse and key
// messages as a person's input arrives; its message boxes, menus and folder
// dialog read and answered by a watcher on a timer of the thread, which
// runs inside every modal loop.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "DialogScript.h"
#include "Scenario.h"
#include "Win32OptionList.h"
#include "Win32OptionsDialog.h"
#include "Win32UserInteraction.h"
#include "miniUtils.h"

namespace {

// The message box's icon, as the system's message box names it.
constexpr int kBoxIconId = 0x0440;
constexpr int kBoxTextId = 0xFFFF;
// The folder dialog's title above its tree.
constexpr int kFolderTitleId = 0x3742;

// One message as the dialog's modal loop handles it: the dialog manager
// first.
void Dispatch(MSG& Message) {
  const HWND Root = Message.hwnd ? GetAncestor(Message.hwnd, GA_ROOT) : nullptr;
  if (Root && IsDialogMessageW(Root, &Message)) return;
  TranslateMessage(&Message);
  DispatchMessageW(&Message);
}

void PumpUntil(const std::function<bool()>& Done, DWORD Milliseconds) {
  const DWORD Start = GetTickCount();
  for (;;) {
    MSG Message;
    while (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE)) Dispatch(Message);
    if (Done() || GetTickCount() - Start >= Milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void PumpFor(DWORD Milliseconds) {
  PumpUntil([] { return false; }, Milliseconds);
}

// The release of a person's click, posted 100 ms after the press by a timer
// of the thread: the press may start a modal loop of its own.
struct TRelease {
  HWND Target;
  UINT Message;
  LPARAM At;
  bool Posted;
} Release;

void CALLBACK PostRelease(HWND, UINT, UINT_PTR Timer, DWORD) {
  KillTimer(nullptr, Timer);
  PostMessageW(Release.Target, Release.Message, 0, Release.At);
  Release.Posted = true;
}

void PersonClick(HWND Target, POINT At, bool Right = false) {
  const LPARAM Place = MAKELPARAM(At.x, At.y);
  PostMessageW(Target, Right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, Right ? MK_RBUTTON : MK_LBUTTON,
               Place);
  Release = {Target, UINT(Right ? WM_RBUTTONUP : WM_LBUTTONUP), Place, false};
  SetTimer(nullptr, 0, 100, &PostRelease);
  PumpUntil([] { return Release.Posted; }, 5000);
  PumpFor(10);
}

void DoubleClick(HWND Target, POINT At) {
  const LPARAM Place = MAKELPARAM(At.x, At.y);
  for (UINT Message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageW(Target, Message, Message == WM_LBUTTONUP ? 0 : MK_LBUTTON, Place);
  PumpFor(10);
}

POINT Centre(const RECT& Area) {
  return {(Area.left + Area.right) / 2, (Area.top + Area.bottom) / 2};
}

struct TKeyName {
  const char* Name;
  UINT Key;
  BYTE Modifier;
};

const TKeyName KeyNames[] = {{"F2", VK_F2, 0},
                             {"Space", VK_SPACE, 0},
                             {"Return", VK_RETURN, 0},
                             {"Tab", VK_TAB, 0},
                             {"Shift+Tab", VK_TAB, VK_SHIFT},
                             {"Escape", VK_ESCAPE, 0},
                             {"Up", VK_UP, 0},
                             {"Down", VK_DOWN, 0},
                             {"Shift+F10", VK_F10, VK_SHIFT},
                             {"Menu", VK_APPS, 0},
                             {"Alt+A", 'A', VK_MENU}};

// A key pressed and released with the focus where it is, the modifier
// held: F10 and keys with Alt as system keys.
void PostKey(const TKeyName& Key) {
  BYTE State[256] = {};
  GetKeyboardState(State);
  if (Key.Modifier) State[Key.Modifier] = 0x80;
  SetKeyboardState(State);
  const bool System = Key.Modifier == VK_MENU || Key.Key == VK_F10;
  const LPARAM Context = (Key.Modifier == VK_MENU ? LPARAM(1) << 29 : 0) |
                         LPARAM(MapVirtualKeyW(Key.Key, MAPVK_VK_TO_VSC)) << 16 | 1;
  const HWND Focus = GetFocus();
  PostMessageW(Focus, System ? WM_SYSKEYDOWN : WM_KEYDOWN, Key.Key, Context);
  PumpFor(10);
  PostMessageW(GetFocus(), System ? WM_SYSKEYUP : WM_KEYUP, Key.Key, Context | LPARAM(3) << 30);
  PumpFor(10);
  if (Key.Modifier) State[Key.Modifier] = 0;
  SetKeyboardState(State);
}

std::string ClassOf(HWND Window) {
  wchar_t Name[64] = {};
  GetClassNameW(Window, Name, 64);
  return WideToAnsi(Name, 0);
}

BOOL CALLBACK AddChild(HWND Child, LPARAM Into) {
  reinterpret_cast<std::vector<HWND>*>(Into)->push_back(Child);
  return TRUE;
}

std::vector<HWND> Children(HWND Parent) {
  std::vector<HWND> Found;
  EnumChildWindows(Parent, &AddChild, reinterpret_cast<LPARAM>(&Found));
  return Found;
}

class TWin32ScenarioDriver;
TWin32ScenarioDriver* Watching = nullptr;

class TWin32ScenarioDriver : public TScenarioDriver {
 public:
  explicit TWin32ScenarioDriver(TWin32OptionsDialog& Window) : W(Window) {
    Watching = this;
    FWatcher = SetTimer(nullptr, 0, 20, &WatchNow);
  }
  ~TWin32ScenarioDriver() override {
    KillTimer(nullptr, FWatcher);
    Watching = nullptr;
  }

  void SelectNode(const std::string& Caption) override {
    for (int Node = 0; Node < W.Dialog().NodeCount(); ++Node) {
      if (W.Dialog().Node(Node).Text != Caption) continue;
      RECT Label{};
      TreeView_GetItemRect(W.tvOptions, W.Item(Node), &Label, TRUE);
      PersonClick(W.tvOptions, {Label.left + 8, Centre(Label).y});
    }
  }
  void ClickCell(int Row, int Column, TClick Click) override {
    TWin32OptionList* List = ShownList();
    RECT Cell{};
    if (!List || !CellRect(*List, Row, Column, Cell)) return;
    const bool OnBox = Click == TClick::ckCheckBox && Row < ListView_GetItemCount(List->VTV);
    const POINT At = OnBox ? Centre(List->CheckBoxRect(Row)) : Centre(Cell);
    if (Click == TClick::ckDouble)
      DoubleClick(List->VTV, At);
    else
      PersonClick(List->VTV, At);
  }
  void RightClickRow(int Row) override {
    TWin32OptionList* List = ShownList();
    RECT Cell{};
    if (List && CellRect(*List, Row, 0, Cell)) PersonClick(List->VTV, Centre(Cell), true);
  }
  void PressKey(const std::string& Name) override {
    for (const TKeyName& Key : KeyNames)
      if (Name == Key.Name) PostKey(Key);
  }
  void Type(const std::string& Text) override {
    for (char Character : Text) PostMessageW(GetFocus(), WM_CHAR, BYTE(Character), 1);
    PumpFor(10);
  }
  void Scroll(int Notches) override {
    TWin32OptionList* List = ShownList();
    if (!List) return;
    RECT Client{};
    GetClientRect(List->VTV, &Client);
    POINT At{Client.right / 4, Client.bottom / 2};
    ClientToScreen(List->VTV, &At);
    for (int Notch = 0; Notch < std::abs(Notches); ++Notch) {
      PostMessageW(List->VTV, WM_MOUSEWHEEL,
                   MAKEWPARAM(0, Notches > 0 ? -WHEEL_DELTA : WHEEL_DELTA), MAKELPARAM(At.x, At.y));
      PumpFor(10);
    }
  }
  void ClickButton(const std::string& Caption) override {
    for (HWND Control : Children(W.Handle)) {
      // A press on a disabled button reaches no window, as the system
      // routes a person's mouse.
      if (ClassOf(Control) != "Button" || !IsWindowVisible(Control) ||
          !IsWindowEnabled(Control) || WindowText(Control) != Caption)
        continue;
      RECT Client{};
      GetClientRect(Control, &Client);
      PersonClick(Control, Centre(Client));
    }
  }
  void CloseBox() override {
    PostMessageW(W.Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpFor(10);
  }
  void Settle() override {
    for (bool Waiting = true; Waiting;) {
      PumpFor(30);
      Waiting = RunOut(W.Handle, TWin32OptionsDialog::ChangeTimerId);
      if (TWin32OptionList* List = ShownList())
        Waiting = RunOut(List->Handle(), TWin32OptionList::EditTimerId) || Waiting;
    }
  }
  TScreen Screen() const override {
    TScreen Screen;
    Screen.Closed = W.Dialog().ModalResult() != TModalResult::mrNone || !IsWindowVisible(W.Handle);
    Screen.ExitCode = static_cast<int>(W.Dialog().ModalResult());
    if (Screen.Closed) return Screen;
    if (TWin32Sheet* Sheet = W.CurrentSheet(); Sheet && IsWindowVisible(Sheet->Handle()))
      for (int Node = 0; Node < W.Dialog().NodeCount(); ++Node)
        if (W.Dialog().Node(Node).Item->Sheet.get() == &Sheet->Sheet())
          Screen.Page = W.Dialog().Node(Node).Text;
    wchar_t Text[256] = {};
    TVITEMW Item{};
    Item.mask = TVIF_TEXT;
    Item.hItem = TreeView_GetSelection(W.tvOptions);
    Item.pszText = Text;
    Item.cchTextMax = 256;
    if (Item.hItem && SendMessageW(W.tvOptions, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Item)))
      Screen.Tree = WideToAnsi(Text, 0);
    Screen.ApplyEnabled = IsWindowEnabled(W.btnApply);
    TWin32OptionList* List = ShownList();
    Screen.Focus = FocusName(List);
    Screen.TreeName = AccessibleName(W.tvOptions, CHILDID_SELF);
    if (!List) return Screen;
    Screen.ListName = AccessibleName(List->VTV, CHILDID_SELF);
    const TfrTweakOptions& Frame = List->Frame();
    Screen.FocusedRow = ListView_GetNextItem(List->VTV, -1, LVNI_FOCUSED);
    Screen.SelectedRow = ListView_GetNextItem(List->VTV, -1, LVNI_SELECTED);
    if (ListView_GetItemCount(List->VTV) > 0) Screen.TopRow = ListView_GetTopIndex(List->VTV);
    Screen.EditorOpen = List->Editor() != nullptr;
    if (Screen.EditorOpen) Screen.EditorText = WindowText(List->Editor());
    Screen.Description = WindowText(List->lbDescription);
    for (int Row = 0; Row < ListView_GetItemCount(List->VTV); ++Row) {
      TScreenRow Cells;
      Cells.Caption = CellText(*List, Row, 0);
      Cells.Value = CellText(*List, Row, 1);
      if (Frame.HasCheckBox(Row)) Cells.Checked = Frame.IsChecked(Row);
      Cells.Bold = Frame.VTVPaintText(Row, 1).Bold;
      Cells.Name = AccessibleName(List->VTV, Row + 1);
      Screen.Rows.push_back(Cells);
    }
    return Screen;
  }

 private:
  // What a screen reader names Window's client area (CHILDID_SELF) or its
  // child Child.
  static std::string AccessibleName(HWND Window, LONG Child) {
    IAccessible* Object = nullptr;
    if (AccessibleObjectFromWindow(Window, OBJID_CLIENT, IID_IAccessible,
                                   reinterpret_cast<void**>(&Object)) != S_OK)
      return std::string();
    VARIANT Which{};
    Which.vt = VT_I4;
    Which.lVal = Child;
    BSTR Name = nullptr;
    Object->get_accName(Which, &Name);
    const std::string Text = Name ? WideToAnsi(Name, 0) : std::string();
    SysFreeString(Name);
    Object->Release();
    return Text;
  }
  static bool RunOut(HWND Window, UINT_PTR Timer) {
    if (!KillTimer(Window, Timer)) return false;
    SendMessageW(Window, WM_TIMER, Timer, 0);
    return true;
  }
  static std::string CellText(const TWin32OptionList& List, int Row, int Column) {
    wchar_t Text[512] = {};
    LVITEMW Item{};
    Item.iSubItem = Column;
    Item.pszText = Text;
    Item.cchTextMax = 512;
    SendMessageW(List.VTV, LVM_GETITEMTEXTW, Row, reinterpret_cast<LPARAM>(&Item));
    return WideToAnsi(Text, 0);
  }
  // Where a row's cell is in the grid; a row beyond the last is the empty
  // area where it would be. False where it is not wholly in view.
  static bool CellRect(TWin32OptionList& List, int Row, int Column, RECT& Cell) {
    const int Last = ListView_GetItemCount(List.VTV) - 1;
    if (Last < 0) return false;
    Cell = {LVIR_BOUNDS, Column, 0, 0};
    SendMessageW(List.VTV, LVM_GETSUBITEMRECT, std::min(Row, Last), reinterpret_cast<LPARAM>(&Cell));
    if (Column == 0) Cell.right = Cell.left + ListView_GetColumnWidth(List.VTV, 0);
    OffsetRect(&Cell, 0, (Row - std::min(Row, Last)) * (Cell.bottom - Cell.top));
    RECT Client{};
    GetClientRect(List.VTV, &Client);
    return Cell.top >= 0 && Cell.bottom <= Client.bottom;
  }
  TWin32OptionList* ShownList() const {
    TWin32Sheet* Sheet = W.CurrentSheet();
    return Sheet && IsWindowVisible(Sheet->Handle()) ? Sheet->OptionList() : nullptr;
  }
  std::string FocusName(TWin32OptionList* List) const {
    const HWND Focus = GetFocus();
    if (!Focus) return "none";
    if (Focus == W.tvOptions) return "tree";
    if (List && Focus == List->VTV) return "list";
    if (List && Focus == List->Editor()) return "editor";
    if (ClassOf(Focus) == "Button") return WindowText(Focus);
    return ClassOf(Focus);
  }

  static void CALLBACK WatchNow(HWND, UINT, UINT_PTR, DWORD) {
    if (Watching) EnumThreadWindows(GetCurrentThreadId(), &WatchWindow, 0);
  }
  static BOOL CALLBACK WatchWindow(HWND Window, LPARAM) {
    if (!IsWindowVisible(Window) || Window == Watching->W.Handle) return TRUE;
    const std::string Class = ClassOf(Window);
    if (Class == "#32768") Watching->AnswerMenu(Window);
    if (Class != "#32770") return TRUE;
    if (GetDlgItem(Window, kBoxTextId))
      Watching->AnswerBox(Window);
    else
      Watching->AnswerFolders(Window);
    return TRUE;
  }
  void AnswerBox(HWND Box) {
    const HWND Icon = GetDlgItem(Box, kBoxIconId);
    const bool Error = Icon && IsWindowVisible(Icon) &&
                       reinterpret_cast<HICON>(SendMessageW(Icon, STM_GETICON, 0, 0)) ==
                           LoadIconW(nullptr, MAKEINTRESOURCEW(32513));
    std::vector<std::string> Buttons;
    for (HWND Control : Children(Box))
      if (ClassOf(Control) == "Button" && IsWindowVisible(Control))
        Buttons.push_back(WindowText(Control));
    Seen.push_back(
        BoxReport(Error ? "error" : "plain", WindowText(GetDlgItem(Box, kBoxTextId)), Buttons));
    SendMessageW(Box, WM_COMMAND, IDOK, 0);
  }
  void AnswerFolders(HWND Folders) {
    Seen.push_back("folder dialog: " + WindowText(GetDlgItem(Folders, kFolderTitleId)));
    if (FolderAnswer.empty()) {
      SendMessageW(Folders, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    const WideString Path = AnsiToWide(FolderAnswer, 0);
    SendMessageW(Folders, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Path.c_str()));
    SendMessageW(Folders, WM_COMMAND, IDOK, 0);
  }
  void AnswerMenu(HWND MenuWindow) {
    const auto Menu = reinterpret_cast<HMENU>(SendMessageW(MenuWindow, MN_GETHMENU, 0, 0));
    if (!Menu || Menu == FAnswered) return;
    FAnswered = Menu;
    std::vector<std::string> Entries;
    int Downs = 0;
    int ChosenDowns = 0;
    for (int Index = 0; Index < GetMenuItemCount(Menu); ++Index) {
      const UINT State = GetMenuState(Menu, Index, MF_BYPOSITION);
      if (State & MF_SEPARATOR) {
        Entries.push_back("-");
        continue;
      }
      ++Downs;
      wchar_t Caption[128] = {};
      GetMenuStringW(Menu, Index, Caption, 128, MF_BYPOSITION);
      const std::string Text = WideToAnsi(Caption, 0);
      const bool Enabled = !(State & (MF_GRAYED | MF_DISABLED));
      Entries.push_back((Enabled ? "" : "~") + Text + (State & MF_CHECKED ? " [x]" : ""));
      if (Enabled && Text == MenuAnswer) ChosenDowns = Downs;
    }
    Seen.push_back(MenuReport(Entries, ChosenDowns ? MenuAnswer : std::string()));
    MenuAnswer.clear();
    for (int Down = 0; Down < ChosenDowns; ++Down) PostMessageW(MenuWindow, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(MenuWindow, WM_KEYDOWN, ChosenDowns ? VK_RETURN : VK_ESCAPE, 1);
  }

  TWin32OptionsDialog& W;
  UINT_PTR FWatcher;
  HMENU FAnswered = nullptr;
};

}  // namespace

std::string PlayInFrontEnd(const TScenario& Scenario, const std::string& FolderRoot) {
  TWin32OptionsDialogFrontEnd FrontEnd;
  TOptionsDialogFrontEnd* Previous = SetOptionsDialogFrontEnd(&FrontEnd);
  TWin32UserInteraction Boxes("ZQTTweaker");
  TUserInteraction* PreviousBoxes = SetUserInteraction(&Boxes);
  std::string Transcript;
  WhenDialogUp([&](TWin32OptionsDialog& Window) {
    TWin32ScenarioDriver Driver(Window);
    Transcript = PlayScenario(Scenario, Driver, FolderRoot);
    if (Driver.Screen().Closed) return;
    Transcript += "> the dialog stays open: Cancel\n";
    Window.Dialog().btnCancelClick();
  });
  ShowTweakerOptions(Scenario.StartPage);
  EXPECT_EQ(nullptr, DialogScript) << "the dialog never came up";
  SetUserInteraction(PreviousBoxes);
  SetOptionsDialogFrontEnd(Previous);
  return Transcript;
}
