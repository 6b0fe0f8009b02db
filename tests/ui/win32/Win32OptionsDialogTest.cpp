// The options dialog on Windows with the program's pages, driven as the
// user's keys and clicks reach its windows, over the registry of the test
// prefix and the simulated device: the registry shows what was written.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>

#include "DialogScript.h"
#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "TestSheets.h"
#include "TweakerPages.h"
#include "Win32OptionList.h"
#include "Win32OptionsDialog.h"
#include "Win32UserInteraction.h"
#include "miniUtils.h"

namespace {

const std::string kDesktopSettings = "Software\\Quorvanta\\Velora\\Settings";
const std::string kDesktopSync = "Software\\Quorvanta\\Velora\\WMSync";
const std::string kAppearance = "Software\\ZQT\\ZQT\\Appearance";

// Pixels at 96 DPI on this screen.
int Px(int Pixels) {
  HDC Screen = GetDC(nullptr);
  const int Dpi = GetDeviceCaps(Screen, LOGPIXELSY);
  ReleaseDC(nullptr, Screen);
  return MulDiv(Pixels, Dpi, 96);
}

std::string Text(const RECT& Area) {
  return "(" + std::to_string(Area.left) + ", " + std::to_string(Area.top) + ")-(" +
         std::to_string(Area.right) + ", " + std::to_string(Area.bottom) + ")";
}

// A place given in pixels at 96 DPI, on this screen.
std::string Rect(int Left, int Top, int Width, int Height) {
  return Text({Px(Left), Px(Top), Px(Left + Width), Px(Top + Height)});
}

// Where Window sits in its parent's client area.
std::string Place(HWND Window) {
  RECT Area{};
  GetWindowRect(Window, &Area);
  MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&Area), 2);
  return Text(Area);
}

POINT Centre(const RECT& Area) {
  return {(Area.left + Area.right) / 2, (Area.top + Area.bottom) / 2};
}

// One message as a modal dialog's loop handles it: the dialog manager
// first.
void Dispatch(MSG& Message) {
  const HWND Root = Message.hwnd ? GetAncestor(Message.hwnd, GA_ROOT) : nullptr;
  if (Root && IsDialogMessageW(Root, &Message)) return;
  TranslateMessage(&Message);
  DispatchMessageW(&Message);
}

// Handles this thread's messages until Done, or for at most Milliseconds;
// Done's last answer.
bool PumpUntil(const std::function<bool()>& Done, DWORD Milliseconds = 3000) {
  const DWORD Start = GetTickCount();
  for (;;) {
    MSG Message;
    while (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE)) Dispatch(Message);
    if (Done()) return true;
    if (GetTickCount() - Start >= Milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD Milliseconds) {
  PumpUntil([] { return false; }, Milliseconds);
}

// A key pressed and released with the focus in Target, as the keyboard's
// messages arrive; with Alt held, as a system key.
void PressKey(HWND Target, UINT Key, bool Alt = false) {
  const LPARAM Context = Alt ? LPARAM(1) << 29 : 0;
  MSG Press{Target, Alt ? UINT(WM_SYSKEYDOWN) : UINT(WM_KEYDOWN), Key, 1 | Context, 0, {}};
  Dispatch(Press);
  MSG Release{
      Target, Alt ? UINT(WM_SYSKEYUP) : UINT(WM_KEYUP), Key, 1 | Context | LPARAM(3) << 30, 0, {}};
  Dispatch(Release);
  PumpFor(0);
}

void Type(HWND Target, const std::wstring& Text) {
  for (wchar_t Character : Text) {
    MSG Message{Target, WM_CHAR, Character, 1, 0, {}};
    Dispatch(Message);
  }
}

// The left button pressed and released at At, in Target's client area.
void Click(HWND Target, POINT At) {
  SendMessageW(Target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(At.x, At.y));
  SendMessageW(Target, WM_LBUTTONUP, 0, MAKELPARAM(At.x, At.y));
  PumpFor(0);
}

// Lets the timer of Window run out now; it must be running.
void RunOut(HWND Window, UINT_PTR Timer) {
  ASSERT_TRUE(KillTimer(Window, Timer)) << "the timer is not running";
  SendMessageW(Window, WM_TIMER, Timer, 0);
}

// A click on a node's label, as the mouse's messages arrive.
void ClickNode(HWND Tree, HTREEITEM Node) {
  RECT Label{};
  TreeView_GetItemRect(Tree, Node, &Label, TRUE);
  const POINT At = Centre(Label);
  PostMessageW(Tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(At.x, At.y));
  PostMessageW(Tree, WM_LBUTTONUP, 0, MAKELPARAM(At.x, At.y));
  PumpFor(0);
}

// A cell of the grid, in its client area.
RECT Cell(const TWin32OptionList& List, int Row, int Column) {
  RECT Area{LVIR_BOUNDS, Column, 0, 0};
  SendMessageW(List.VTV, LVM_GETSUBITEMRECT, Row, reinterpret_cast<LPARAM>(&Area));
  if (Column == 0) Area.right = Area.left + ListView_GetColumnWidth(List.VTV, 0);
  return Area;
}

// Whether Control, painting its client area as it looks now, draws Colour
// anywhere in Area.
bool Paints(HWND Control, const RECT& Area, COLORREF Colour) {
  RECT Client{};
  GetClientRect(Control, &Client);
  HDC Screen = GetDC(Control);
  HDC Canvas = CreateCompatibleDC(Screen);
  HBITMAP Picture = CreateCompatibleBitmap(Screen, Client.right, Client.bottom);
  HGDIOBJ Previous = SelectObject(Canvas, Picture);
  SendMessageW(Control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Canvas),
               PRF_CLIENT | PRF_ERASEBKGND);
  bool Found = false;
  for (LONG Y = Area.top; Y < Area.bottom && !Found; ++Y)
    for (LONG X = Area.left; X < Area.right && !Found; ++X)
      Found = GetPixel(Canvas, X, Y) == Colour;
  SelectObject(Canvas, Previous);
  DeleteObject(Picture);
  DeleteDC(Canvas);
  ReleaseDC(Control, Screen);
  return Found;
}

// The hint that the grid's tooltip holds after the mouse moved over Row;
// empty for none.
std::wstring HoverHint(const TWin32OptionList& List, int Row) {
  const POINT At = Centre(Cell(List, Row, 0));
  SendMessageW(List.VTV, WM_MOUSEMOVE, 0, MAKELPARAM(At.x, At.y));
  if (SendMessageW(List.HintTip(), TTM_GETTOOLCOUNT, 0, 0) == 0) return std::wstring();
  wchar_t Text[1024] = {};
  TTTOOLINFOW Tool{};
  Tool.cbSize = sizeof(Tool);
  Tool.hwnd = List.VTV;
  Tool.uId = TWin32OptionList::HintToolId;
  Tool.lpszText = Text;
  SendMessageW(List.HintTip(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&Tool));
  return Text;
}

// One of the texts an accessible object tells of its child Child (0: of
// itself).
using TAccessibleText = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::wstring Told(IAccessible& Object, LONG Child, TAccessibleText Get) {
  VARIANT Which{};
  Which.vt = VT_I4;
  Which.lVal = Child;
  BSTR Text = nullptr;
  (Object.*Get)(Which, &Text);
  std::wstring Result = Text ? Text : L"";
  SysFreeString(Text);
  return Result;
}

// A number an accessible object tells of its child Child: its role or state.
using TAccessibleNumber = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);
LONG Told(IAccessible& Object, LONG Child, TAccessibleNumber Get) {
  VARIANT Which{};
  Which.vt = VT_I4;
  Which.lVal = Child;
  VARIANT Number{};
  (Object.*Get)(Which, &Number);
  return Number.vt == VT_I4 ? Number.lVal : -1;
}

// The accessible events of the check boxes: the rows whose state changed.
std::vector<LONG> StateChanges;

void CALLBACK StateChanged(HWINEVENTHOOK, DWORD, HWND, LONG Object, LONG Child, DWORD, DWORD) {
  if (Object == OBJID_CLIENT) StateChanges.push_back(Child);
}

// The texts of the message boxes that CloseMessageBoxes answered.
std::vector<std::string> ShownBoxes;

BOOL CALLBACK CloseMessageBox(HWND Box, LPARAM) {
  wchar_t Class[16] = {};
  GetClassNameW(Box, Class, 16);
  if (IsWindowVisible(Box) && std::wstring(Class) == L"#32770" && WindowText(Box) == "ZQTTweaker") {
    ShownBoxes.push_back(WindowText(GetDlgItem(Box, 0xFFFF)));
    SendMessageW(Box, WM_COMMAND, IDOK, 0);
  }
  return TRUE;
}

// Answers every message box of this thread that is up.
void CALLBACK CloseMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &CloseMessageBox, 0);
}

class Win32OptionsDialogTest : public ::testing::Test {
 protected:
  Win32OptionsDialogTest() : FPrevious(SetOptionsDialogFrontEnd(&FrontEnd)) {}
  ~Win32OptionsDialogTest() override {
    UnregisterTweakerPages();
    SetOptionsDialogFrontEnd(FPrevious);
  }
  // Shows the program's dialog as the program does, with Action played in
  // it; whether any option was edited.
  bool Show(std::function<void(TWin32OptionsDialog&)> Action) {
    Program.Start();
    RegisterTweakerPages();
    WhenDialogUp(std::move(Action));
    const bool Edited = ShowTweakerOptions("About ZQTTweaker");
    EXPECT_EQ(nullptr, DialogScript) << "the dialog never came up";
    return Edited;
  }
  // Selects the page's node in the tree and waits until the page is shown;
  // its option list.
  static TWin32OptionList& Open(TWin32OptionsDialog& Window, const std::string& Page) {
    const int Node = NodeNamed(Window.Dialog(), Page);
    SendMessageW(Window.tvOptions, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(Window.Item(Node)));
    RunOut(Window.Handle, TWin32OptionsDialog::ChangeTimerId);
    EXPECT_EQ(&Window.CurrentSheet()->Sheet(), Window.Dialog().Node(Node).Item->Sheet.get());
    return *Window.CurrentSheet()->OptionList();
  }
  static void Focus(const TWin32OptionList& List, int Row) {
    Click(List.VTV, Centre(Cell(List, Row, 0)));
  }
  static void ClickCheckBox(const TWin32OptionList& List, int Row) {
    Click(List.VTV, Centre(List.CheckBoxRect(Row)));
  }
  static bool Dword(const std::string& Key, const std::string& Name, DWORD Expected) {
    DWORD Type = REG_NONE;
    std::string Bytes;
    return QueryRawValue(HKEY_CURRENT_USER, Key, Name, Type, Bytes) && Type == REG_DWORD &&
           Bytes == DwordBytes(Expected);
  }
  bool DeviceHas(const std::string& Key, const std::string& Name) {
    DWORD Type = REG_NONE;
    std::string Bytes;
    return Device.QueryValue(HKEY_CURRENT_USER, Key, Name, Type, Bytes);
  }

  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TStartedCatalogue Program;
  TWin32OptionsDialogFrontEnd FrontEnd;
  TOptionsDialogFrontEnd* FPrevious;
};

TEST_F(Win32OptionsDialogTest, TheControlsSitWhereTheDialogPutsThem) {
  Show([](TWin32OptionsDialog& Window) {
    RECT Client{};
    GetClientRect(Window.Handle, &Client);
    EXPECT_EQ(Rect(0, 0, 559, 367), Text(Client));
    EXPECT_EQ(Rect(0, 0, 174, 367), Place(Window.tvOptions));
    EXPECT_EQ(Rect(559 - 181 - 75, 339, 75, 25), Place(Window.btnOK));
    EXPECT_EQ(Rect(559 - 93 - 75, 339, 75, 25), Place(Window.btnCancel));
    EXPECT_EQ(Rect(559 - 5 - 75, 339, 75, 25), Place(Window.btnApply));
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), SendMessageW(Window.Handle, DM_GETDEFID, 0, 0));
    EXPECT_EQ("&Apply", WindowText(Window.btnApply));
    EXPECT_FALSE(IsWindowEnabled(Window.btnApply));
    EXPECT_EQ("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. 1.9.1",
              WindowText(Window.Handle));
    EXPECT_EQ(Window.Item(NodeNamed(Window.Dialog(), "About ZQTTweaker")),
              TreeView_GetSelection(Window.tvOptions));
    EXPECT_TRUE(TreeView_GetItemState(
        Window.tvOptions, Window.Item(NodeNamed(Window.Dialog(), "ZQT Desktop")), TVIS_EXPANDED));

    // The troubleshooting page: a strip above the list, one below it.
    TWin32OptionList& List = Open(Window, "Debug setting");
    EXPECT_EQ(Rect(0, 34, 385, 334 - 34 - 31), Place(List.Handle()));
    EXPECT_EQ(Rect(5, 334 - 31 + 3, 116, 25), Place(Window.CurrentSheet()->Control("btnSaveLogs")));
    EXPECT_EQ(Rect(0, 269 - 80, 385, 80), Place(List.GroupBox1));
    EXPECT_EQ("Option description", WindowText(List.GroupBox1));
    EXPECT_EQ(Px(300), ListView_GetColumnWidth(List.VTV, 0));
    PressKey(Window.tvOptions, VK_ESCAPE);
  });
}

TEST_F(Win32OptionsDialogTest, ANumberTypedAndATickAreWrittenByApplyWhileTheDialogStaysOpen) {
  const bool Edited = Show([](TWin32OptionsDialog& Window) {
    TWin32OptionList& Desktop = Open(Window, "Desktop UI");
    Focus(Desktop, 0);
    PressKey(Desktop.VTV, VK_F2);
    ASSERT_NE(nullptr, Desktop.Editor());
    Type(Desktop.Editor(), L" 42 ");
    PressKey(Desktop.Editor(), VK_RETURN);
    EXPECT_EQ(nullptr, Desktop.Editor());
    EXPECT_EQ(Desktop.VTV, GetFocus());

    TWin32OptionList& Debugging = Open(Window, "Debug setting");
    ClickCheckBox(Debugging, 0);
    EXPECT_TRUE(Debugging.Frame().IsChecked(0));
    EXPECT_TRUE(IsWindowEnabled(Window.btnApply));
    EXPECT_FALSE(Dword(kDesktopSettings, "DragDropExpandCollapseInterval", 42));
    PressKey(Debugging.VTV, 'A', true);
    EXPECT_FALSE(IsWindowEnabled(Window.btnApply));
    EXPECT_TRUE(IsWindowVisible(Window.Handle));
    EXPECT_TRUE(Dword(kDesktopSettings, "DragDropExpandCollapseInterval", 42));
    EXPECT_TRUE(Dword(kDesktopSync, "LogEnabled", 1));
    PressKey(Debugging.VTV, VK_ESCAPE);
  });
  EXPECT_TRUE(Edited);
  EXPECT_TRUE(Interaction.Errors.empty());
}

TEST_F(Win32OptionsDialogTest, TheHoveredRowsHintShowsWhileChangesFromDefaultsAreShown) {
  Show([](TWin32OptionsDialog& Window) {
    TWin32OptionList& Debugging = Open(Window, "Debug setting");
    TfrTweakOptions& Frame = Debugging.Frame();
    const int Last = Frame.RowCount() - 1;
    EXPECT_EQ(L"", HoverHint(Debugging, 0)) << "no hint while changes are not shown";
    Frame.SetShowChanges(true);
    for (int Row : {0, Last, 0}) {
      const std::wstring Hint = HoverHint(Debugging, Row);
      EXPECT_EQ(AnsiToWide(Frame.Hint(Row), 0), Hint);
      EXPECT_EQ(0u, Hint.find(Frame.VTVGetText(Row, 0) + L"\nDefault: ")) << "row " << Row;
    }
    Frame.SetShowChanges(false);
    EXPECT_EQ(L"", HoverHint(Debugging, 0));
    PressKey(Debugging.VTV, VK_ESCAPE);
  });
}

TEST_F(Win32OptionsDialogTest, TheSelectionsShowTheFocusedColoursOnlyWhereTheFocusIs) {
  Show([](TWin32OptionsDialog& Window) {
    TWin32OptionList& List = Open(Window, "Debug setting");
    RECT Node{};
    TreeView_GetItemRect(Window.tvOptions, TreeView_GetSelection(Window.tvOptions), &Node, TRUE);
    ASSERT_EQ(Window.tvOptions, GetFocus());
    PressKey(Window.tvOptions, VK_TAB);
    ASSERT_EQ(List.VTV, GetFocus());
    EXPECT_EQ(0, List.Frame().FocusedRow()) << "the focus shows on the first row";
    const RECT Row = Cell(List, 0, 0);
    const COLORREF Focused = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF Inactive = UnfocusedSelectionColour();
    for (HWND Focus : {List.VTV, Window.tvOptions}) {
      SetFocus(Focus);
      const bool InTree = Focus == Window.tvOptions;
      EXPECT_EQ(InTree, Paints(Window.tvOptions, Node, Focused));
      EXPECT_EQ(!InTree, Paints(Window.tvOptions, Node, Inactive));
      EXPECT_EQ(!InTree, Paints(List.VTV, Row, Focused));
      EXPECT_EQ(InTree, Paints(List.VTV, Row, Inactive));
    }
    PressKey(Window.tvOptions, VK_ESCAPE);
  });
}

TEST_F(Win32OptionsDialogTest, TheOptionListsRowsTellAssistiveTechnologyCaptionsAndCheckStates) {
  Show([](TWin32OptionsDialog& Window) {
    TWin32OptionList& List = Open(Window, "Debug setting");
    const TfrTweakOptions& Frame = List.Frame();
    StateChanges.clear();
    const HWINEVENTHOOK Hook =
        SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, &StateChanged,
                        GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ClickCheckBox(List, 1);
    PumpFor(0);
    UnhookWinEvent(Hook);
    EXPECT_EQ(std::vector<LONG>{2}, StateChanges) << "the tick is heard";
    IAccessible* Grid = nullptr;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(List.VTV, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&Grid)));
    long Count = 0;
    Grid->get_accChildCount(&Count);
    ASSERT_EQ(Frame.RowCount(), Count);
    EXPECT_EQ(L"Options", Told(*Grid, CHILDID_SELF, &IAccessible::get_accName));
    EXPECT_EQ(ROLE_SYSTEM_LIST, Told(*Grid, CHILDID_SELF, &IAccessible::get_accRole));
    std::vector<bool> Checked;
    for (LONG Child = 1; Child <= Count; ++Child) {
      const int Row = Child - 1;
      Checked.push_back(Told(*Grid, Child, &IAccessible::get_accState) & STATE_SYSTEM_CHECKED);
      EXPECT_EQ(Frame.VTVGetText(Row, 0), Told(*Grid, Child, &IAccessible::get_accName));
      EXPECT_EQ(Frame.VTVGetText(Row, 1), Told(*Grid, Child, &IAccessible::get_accValue));
      EXPECT_EQ(AnsiToWide(Frame.RowDescription(Row), 0),
                Told(*Grid, Child, &IAccessible::get_accDescription));
      EXPECT_EQ(Frame.HasCheckBox(Row) ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_LISTITEM,
                Told(*Grid, Child, &IAccessible::get_accRole));
      EXPECT_EQ(Frame.IsChecked(Row), Checked.back()) << "row " << Row;
    }
    EXPECT_TRUE(Checked[1]);
    EXPECT_FALSE(Checked[2]);
    VARIANT Focus{};
    Grid->get_accFocus(&Focus);
    EXPECT_EQ(2, Focus.lVal) << "the ticked row has the focus";
    Grid->Release();

    TWin32OptionList& Desktop = Open(Window, "Desktop UI");
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(Desktop.VTV, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&Grid)));
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, Told(*Grid, 1, &IAccessible::get_accRole));
    EXPECT_EQ(L"1000", Told(*Grid, 1, &IAccessible::get_accValue)) << "a number is a value";
    Grid->Release();
    PressKey(Desktop.VTV, VK_ESCAPE);
  });
}

TEST_F(Win32OptionsDialogTest, CancelWritesNothingOfWhatWasEdited) {
  const bool Edited = Show([](TWin32OptionsDialog& Window) {
    TWin32OptionList& Desktop = Open(Window, "Desktop UI");
    Focus(Desktop, 0);
    // A click on the focused row's value opens the editor after a pause.
    Click(Desktop.VTV, Centre(Cell(Desktop, 0, 1)));
    EXPECT_EQ(nullptr, Desktop.Editor());
    RunOut(Desktop.Handle(), TWin32OptionList::EditTimerId);
    ASSERT_NE(nullptr, Desktop.Editor());
    Type(Desktop.Editor(), L"7");
    PressKey(Desktop.Editor(), VK_TAB);
    EXPECT_EQ(L"7", Desktop.Frame().VTVGetText(0, 1));
    TWin32OptionList& PocketPC = Open(Window, "PocketPC UI");
    ClickCheckBox(PocketPC, 0);
    EXPECT_FALSE(PocketPC.Frame().IsChecked(0));
    Click(Window.btnCancel, {Px(10), Px(10)});
  });
  EXPECT_TRUE(Edited);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kDesktopSettings));
  EXPECT_FALSE(DeviceHas(kAppearance, "UseMargins"));
}

// The program's real message boxes, answered as soon as they are up.
class Win32ErrorBoxTest : public Win32OptionsDialogTest {
 protected:
  Win32ErrorBoxTest() : FCloser(SetTimer(nullptr, 0, 30, &CloseMessageBoxes)) {
    SetUserInteraction(&FBoxes);
    ShownBoxes.clear();
  }
  ~Win32ErrorBoxTest() override {
    KillTimer(nullptr, FCloser);
    SetUserInteraction(&Interaction);
  }
  // Opens the desktop page's number editor and types Text into it.
  static TWin32OptionList& TypeIntoDesktop(TWin32OptionsDialog& Window, const wchar_t* Text) {
    TWin32OptionList& Desktop = Open(Window, "Desktop UI");
    Focus(Desktop, 0);
    PressKey(Desktop.VTV, VK_F2);
    EXPECT_NE(nullptr, Desktop.Editor());
    Type(Desktop.Editor(), Text);
    return Desktop;
  }

 private:
  TWin32UserInteraction FBoxes{"ZQTTweaker"};
  UINT_PTR FCloser;
};

TEST_F(Win32ErrorBoxTest, ANumberNotTakenIsReportedOnceAndEscapeCancelsTheEditThenTheDialog) {
  const bool Edited = Show([](TWin32OptionsDialog& Window) {
    TWin32OptionList& Desktop = TypeIntoDesktop(Window, L"abc");
    PressKey(Desktop.Editor(), VK_RETURN);
    EXPECT_EQ(std::vector<std::string>{"'abc' is not a valid integer value"}, ShownBoxes);
    ASSERT_NE(nullptr, Desktop.Editor());
    EXPECT_EQ("abc", WindowText(Desktop.Editor()));
    EXPECT_EQ(Desktop.Editor(), GetFocus());
    EXPECT_EQ(L"1000", Desktop.Frame().VTVGetText(0, 1));
    PressKey(Desktop.Editor(), VK_ESCAPE);
    EXPECT_EQ(nullptr, Desktop.Editor());
    EXPECT_TRUE(IsWindowVisible(Window.Handle)) << "Escape ends the edit only";
    PressKey(GetFocus(), VK_ESCAPE);
  });
  EXPECT_EQ(1u, ShownBoxes.size());
  EXPECT_FALSE(Edited);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kDesktopSettings));
}

TEST_F(Win32ErrorBoxTest, LeavingAPageWithARefusedNumberTellsOnceAtEachAttemptAndStays) {
  Show([](TWin32OptionsDialog& Window) {
    TWin32OptionList& Desktop = TypeIntoDesktop(Window, L"abc");
    const HTREEITEM DesktopNode = TreeView_GetSelection(Window.tvOptions);
    const TWin32Sheet* DesktopSheet = Window.CurrentSheet();
    for (std::size_t Attempt = 1; Attempt <= 2; ++Attempt) {
      ClickNode(Window.tvOptions, Window.Item(NodeNamed(Window.Dialog(), "Debug setting")));
      EXPECT_EQ(Attempt, ShownBoxes.size());
      EXPECT_EQ(DesktopNode, TreeView_GetSelection(Window.tvOptions));
      EXPECT_EQ(DesktopSheet, Window.CurrentSheet());
      EXPECT_FALSE(KillTimer(Window.Handle, TWin32OptionsDialog::ChangeTimerId));
      ASSERT_NE(nullptr, Desktop.Editor());
      EXPECT_EQ("abc", WindowText(Desktop.Editor()));
    }
    SetWindowTextW(Desktop.Editor(), L"500");
    SendMessageW(Window.btnOK, BM_CLICK, 0, 0);
  });
  EXPECT_EQ(2u, ShownBoxes.size());
  EXPECT_TRUE(Dword(kDesktopSettings, "DragDropExpandCollapseInterval", 500))
      << "OK takes what the editor holds";
}

TEST_F(Win32OptionsDialogTest, ARefusedDeviceWriteIsReportedAndOkKeepsTheDialogOpen) {
  Device.RefuseRegistryWrites();
  Show([this](TWin32OptionsDialog& Window) {
    TWin32OptionList& PocketPC = Open(Window, "PocketPC UI");
    ClickCheckBox(PocketPC, 0);
    // Return presses the default button, "OK".
    PressKey(PocketPC.VTV, VK_RETURN);
    EXPECT_EQ(1u, Interaction.Errors.size());
    EXPECT_TRUE(IsWindowVisible(Window.Handle));
    EXPECT_TRUE(IsWindowEnabled(Window.btnApply));
    Click(Window.btnCancel, {Px(10), Px(10)});
  });
  EXPECT_FALSE(DeviceHas(kAppearance, "UseMargins"));
}

TEST_F(Win32OptionsDialogTest, TheDialogCarriesTheProgramsIconInTheSizesTheSystemShows) {
  Show([](TWin32OptionsDialog& Window) {
    for (const auto& [Kind, Metric] :
         {std::pair{GCLP_HICON, SM_CXICON}, {GCLP_HICONSM, SM_CXSMICON}}) {
      const int Size = GetSystemMetrics(Metric);
      const HANDLE Icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId),
                                     IMAGE_ICON, Size, Size, LR_SHARED);
      ASSERT_NE(nullptr, Icon) << "the test program carries no icon of " << Size << " pixels";
      EXPECT_EQ(Icon, reinterpret_cast<HANDLE>(GetClassLongPtrW(Window.Handle, Kind)))
          << "icon " << Kind;
    }
    PressKey(Window.tvOptions, VK_ESCAPE);
  });
}

}  // namespace
