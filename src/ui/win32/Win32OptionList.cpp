#include "Win32OptionList.h"

#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include <utility>

#include "UserInteraction.h"
#include "Win32GridAccessible.h"
#include "Win32SystemFunction.h"
#include "miniUtils.h"

namespace {

enum { kGridId = 1, kGroupBoxId, kDescriptionId };
// The editor lost the focus: the frame is told once the focus has settled.
constexpr UINT kEditorFocusLost = WM_APP + 1;
constexpr int kValue = TfrTweakOptions::ValueColumn;
// The check box's size and its distance from the cell's left edge.
constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxMargin = 4;
// The hint's lines break at this width, in pixels at 96 DPI.
constexpr int kHintWidth = 600;

// Shift+F10: the keyboard's other way to a menu, as the Menu key.
bool IsShiftF10(WPARAM Key) { return Key == VK_F10 && GetKeyState(VK_SHIFT) < 0; }

TListKey ListKey(WPARAM Key) {
  switch (Key) {
    case VK_F2:
      return TListKey::lkF2;
    case VK_SPACE:
      return TListKey::lkSpace;
    case VK_RETURN:
      return TListKey::lkReturn;
    case VK_TAB:
      return TListKey::lkTab;
    case VK_ESCAPE:
      return TListKey::lkEscape;
    case VK_APPS:
      return TListKey::lkContextMenu;
    case VK_UP:
    case VK_DOWN:
      return TListKey::lkUpDown;
    default:
      return TListKey::lkOther;
  }
}

// The subclass procedures' edge: no error leaves them.
template <typename THandler>
LRESULT AtEdge(THandler&& Handler) {
  LRESULT Result = 0;
  ReportErrorsOf([&] { Result = Handler(); });
  return Result;
}

}  // namespace

TWin32OptionList::TWin32OptionList(TfrTweakOptions& Frame, HWND Parent, const TSheetRect& Bounds)
    : TWin32Panel(Parent, Bounds), FFrame(Frame) {
  const int Width = Bounds.Width;
  const int Box = TfrTweakOptions::DescriptionHeight;
  const int BoxTop = Bounds.Height - Box;
  VTV = CreateControl(WC_LISTVIEWW, "",
                      WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL |
                          LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                      {0, 0, Width, BoxTop}, Handle(), kGridId, WS_EX_CLIENTEDGE);
  SendMessageW(VTV, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_DOUBLEBUFFER);
  // Rows as tall as a small image list's pictures: tall enough for the gaps
  // around their check boxes. The list destroys it.
  ListView_SetImageList(
      VTV,
      ImageList_Create(1, Scaled(kCheckBoxSize + 2 * TfrTweakOptions::CheckBoxGap), ILC_COLOR, 0,
                       0),
      LVSIL_SMALL);
  LOGFONTW Font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(VTV, WM_GETFONT, 0, 0)), sizeof(Font), &Font);
  Font.lfWeight = FW_BOLD;
  FBoldFont = CreateFontIndirectW(&Font);
  const int Widths[TfrTweakOptions::ColumnCount] = {TfrTweakOptions::OptionColumnWidth,
                                                    TfrTweakOptions::ValueColumnWidth};
  for (int Column = 0; Column < TfrTweakOptions::ColumnCount; ++Column) {
    WideString Caption = AnsiToWide(TfrTweakOptions::ColumnCaptions[Column], 0);
    LVCOLUMNW Spec{};
    Spec.mask = LVCF_TEXT | LVCF_WIDTH;
    Spec.pszText = Caption.data();
    Spec.cx = Scaled(Widths[Column]);
    SendMessageW(VTV, LVM_INSERTCOLUMNW, Column, reinterpret_cast<LPARAM>(&Spec));
  }
  SetWindowSubclass(VTV, &GridProc, 0, reinterpret_cast<DWORD_PTR>(this));
  // The list view's own hints need a notification that not every system
  // sends (Wine's list view never asks): the list shows them itself.
  FHintTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, VTV, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
  SendMessageW(FHintTip, TTM_SETMAXTIPWIDTH, 0, Scaled(kHintWidth));
  GroupBox1 =
      CreateControl(WC_BUTTONW, TfrTweakOptions::DescriptionCaption, WS_VISIBLE | BS_GROUPBOX,
                    {0, BoxTop, Width, Box}, Handle(), kGroupBoxId);
  TSheetRect Description = TfrTweakOptions::DescriptionPlace(Width, Box, [](int At) { return At; });
  Description.Top += BoxTop;
  lbDescription = CreateControl(WC_STATICW, "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, Description,
                                Handle(), kDescriptionId);
  FFrame.SetView(this);
  RowsChanged();
  DescriptionChanged();
}

TWin32OptionList::~TWin32OptionList() {
  FFrame.SetView(nullptr);
  KillTimer(Handle(), EditTimerId);
  FFrame.EditorDropped();
  CloseEditor();
  RemoveWindowSubclass(VTV, &GridProc, 0);
  DestroyWindow(FHintTip);
  DeleteObject(FBoldFont);
  if (FAccessible) {
    FAccessible->Disconnect();
    FAccessible->Release();
  }
}

void TWin32OptionList::RowsChanged() {
  SendMessageW(VTV, LVM_SETITEMCOUNT, FFrame.RowCount(), 0);
  InvalidateRect(VTV, nullptr, TRUE);
  ShowHint(-1);
}

void TWin32OptionList::RowChanged(int Row) {
  SendMessageW(VTV, LVM_REDRAWITEMS, Row, Row);
  if (Row == FHintRow) ShowHint(Row);
  // Assistive technology hears of the check box's state.
  if (FFrame.HasCheckBox(Row)) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, VTV, OBJID_CLIENT, Row + 1);
}

void TWin32OptionList::RowFocused(int Row) {
  LVITEMW State{};
  State.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  State.state = State.stateMask;
  SendMessageW(VTV, LVM_SETITEMSTATE, Row, reinterpret_cast<LPARAM>(&State));
}

void TWin32OptionList::DescriptionChanged() {
  SetWindowTextW(lbDescription, AnsiToWide(FFrame.Description(), 0).c_str());
}

RECT TWin32OptionList::CheckBoxRect(int Row) const {
  RECT Cell{};
  Cell.top = kValue;
  Cell.left = LVIR_BOUNDS;
  SendMessageW(VTV, LVM_GETSUBITEMRECT, Row, reinterpret_cast<LPARAM>(&Cell));
  const int Size = Scaled(kCheckBoxSize);
  const int Left = Cell.left + Scaled(kCheckBoxMargin);
  const int Top = (Cell.top + Cell.bottom - Size) / 2;
  return RECT{Left, Top, Left + Size, Top + Size};
}

LRESULT TWin32OptionList::PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_NOTIFY:
      if (auto& Header = *reinterpret_cast<NMHDR*>(LParam); Header.hwndFrom == VTV)
        return GridNotify(Header);
      break;
    case WM_TIMER:
      if (WParam != EditTimerId) break;
      KillTimer(Handle(), EditTimerId);
      FFrame.EditTimerElapsed();
      return 0;
    case kEditorFocusLost:
      if (FEditor && reinterpret_cast<HWND>(LParam) == FEditor && GetFocus() != FEditor)
        FFrame.EditorFocusLost(FocusTarget());
      return 0;
  }
  return TWin32Panel::PanelMessage(Message, WParam, LParam);
}

LRESULT TWin32OptionList::GridNotify(NMHDR& Header) {
  switch (Header.code) {
    case LVN_GETDISPINFOW: {
      LVITEMW& Item = reinterpret_cast<NMLVDISPINFOW&>(Header).item;
      if ((Item.mask & LVIF_TEXT) && Item.cchTextMax > 0)
        lstrcpynW(Item.pszText, FFrame.VTVGetText(Item.iItem, Item.iSubItem).c_str(),
                  Item.cchTextMax);
      return 0;
    }
    case NM_CUSTOMDRAW:
      return GridCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(Header));
    case NM_CLICK:
    case NM_DBLCLK:
      GridClick(reinterpret_cast<NMITEMACTIVATE&>(Header));
      return 0;
    case NM_SETFOCUS:
      FFrame.GridFocusIn();
      return 0;
    case LVN_KEYDOWN:
      FFrame.GridKeyDown(ListKey(reinterpret_cast<NMLVKEYDOWN&>(Header).wVKey));
      return 0;
    case LVN_ITEMCHANGED: {
      const auto& Change = reinterpret_cast<NMLISTVIEW&>(Header);
      if (Change.iItem >= 0 && (Change.uChanged & LVIF_STATE) &&
          (Change.uNewState & ~Change.uOldState & LVIS_FOCUSED))
        FFrame.VTVChange(Change.iItem);
      return 0;
    }
    case LVN_ODFINDITEMW:
      // Typing finds no row.
      return -1;
  }
  return 0;
}

LRESULT TWin32OptionList::GridCustomDraw(NMLVCUSTOMDRAW& Draw) {
  const int Row = static_cast<int>(Draw.nmcd.dwItemSpec);
  switch (Draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      ShowUnfocusedSelection(Draw);
      return CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      ShowUnfocusedSelection(Draw);
      if (FFrame.VTVPaintText(Row, Draw.iSubItem).Bold) SelectObject(Draw.nmcd.hdc, FBoldFont);
      return CDRF_NEWFONT;
    case CDDS_ITEMPOSTPAINT:
      if (FFrame.HasCheckBox(Row)) DrawCheckBox(Draw.nmcd.hdc, Row);
      return CDRF_DODEFAULT;
  }
  return CDRF_DODEFAULT;
}

// A selected row is drawn in the colours of a selection without the focus,
// which stand out from the list's background, while the grid is not
// focused; the list draws it as any other row then.
void TWin32OptionList::ShowUnfocusedSelection(NMLVCUSTOMDRAW& Draw) const {
  if (!(Draw.nmcd.uItemState & CDIS_SELECTED) || GetFocus() == VTV) return;
  Draw.nmcd.uItemState &= ~CDIS_SELECTED;
  Draw.clrTextBk = UnfocusedSelectionColour();
  Draw.clrText = GetSysColor(COLOR_BTNTEXT);
}

// With visual styles the check box is the system's themed one, else the
// classic one.
void TWin32OptionList::DrawCheckBox(HDC Canvas, int Row) const {
  RECT Box = CheckBoxRect(Row);
  const bool Checked = FFrame.IsChecked(Row);
  if (HTHEME Theme = OpenThemeData(VTV, L"BUTTON")) {
    DrawThemeBackground(Theme, Canvas, BP_CHECKBOX,
                        Checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &Box, nullptr);
    CloseThemeData(Theme);
  } else {
    DrawFrameControl(Canvas, &Box, DFC_BUTTON, DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0));
  }
}

// From the keyboard: below the row's Option cell, as the system places a
// keyboard's context menu.
void TWin32OptionList::ShowContextMenu(int Row) {
  RECT Cell{LVIR_BOUNDS, 0, 0, 0};
  if (Row < 0 || !SendMessageW(VTV, LVM_GETITEMRECT, Row, reinterpret_cast<LPARAM>(&Cell)))
    Cell = {0, 0, 0, 0};
  POINT Screen{Cell.left + Scaled(kCheckBoxMargin), Cell.bottom};
  ClientToScreen(VTV, &Screen);
  ShowContextMenuAt(Row, Screen);
}

// The frame's context menu for Row, at Screen.
void TWin32OptionList::ShowContextMenuAt(int Row, POINT Screen) {
  const HMENU Menu = CreatePopupMenu();
  const std::vector<TMenuEntry> Entries = FFrame.ContextMenu(Row);
  for (UINT Index = 0; Index < Entries.size(); ++Index) {
    const TMenuEntry& Entry = Entries[Index];
    if (Entry.Caption.empty()) {
      AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT Flags =
        MF_STRING | (Entry.Enabled ? MF_ENABLED : MF_GRAYED) | (Entry.Checked ? MF_CHECKED : 0);
    // Command 0 is no choice: entry Index is command Index + 1.
    AppendMenuW(Menu, Flags, Index + 1, AnsiToWide(Entry.Caption, 0).c_str());
  }
  const UINT Chosen = TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, Screen.x, Screen.y, 0,
                                     Handle(), nullptr);
  DestroyMenu(Menu);
  if (Chosen > 0) FFrame.ContextMenuChosen(Row, static_cast<int>(Chosen) - 1);
}

// The tooltip holds the hint of the row under the mouse, and sees the
// mouse's messages to time its showing and hiding.
void TWin32OptionList::RelayMouse(UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_MOUSEMOVE) {
    LVHITTESTINFO Hit{};
    Hit.pt = {GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
    SendMessageW(VTV, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
    if (Hit.iItem != FHintRow) ShowHint(Hit.iItem);
  }
  MSG Relayed{VTV, Message, WParam, LParam, 0, {}};
  SendMessageW(FHintTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&Relayed));
}

// One tool over the row, holding its hint; none for a row without one.
void TWin32OptionList::ShowHint(int Row) {
  FHintRow = Row;
  TTTOOLINFOW Tool{};
  Tool.cbSize = sizeof(Tool);
  Tool.hwnd = VTV;
  Tool.uId = HintToolId;
  SendMessageW(FHintTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&Tool));
  WideString Hint = AnsiToWide(FFrame.Hint(Row), 0);
  if (Hint.empty()) return;
  Tool.lpszText = Hint.data();
  Tool.rect.left = LVIR_BOUNDS;
  SendMessageW(VTV, LVM_GETITEMRECT, Row, reinterpret_cast<LPARAM>(&Tool.rect));
  SendMessageW(FHintTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Tool));
}

// The grid's own accessible object answers for its client area, once the
// thread can hand it out (COM, which the thread keeps from then on).
LRESULT TWin32OptionList::AccessibleObject(WPARAM WParam) {
  static const HRESULT Com =
      SYSTEM_FUNCTION(L"ole32.dll", CoInitializeEx)(nullptr, COINIT_APARTMENTTHREADED);
  (void)Com;
  if (!FAccessible) FAccessible = new TWin32GridAccessible(*this);
  return SYSTEM_FUNCTION(L"oleacc.dll", LresultFromObject)(IID_IAccessible, WParam, FAccessible);
}

// A click, or the second click of a double click, on a cell goes to the
// frame with whether it hit the cell's check box.
void TWin32OptionList::GridClick(const NMITEMACTIVATE& Click) {
  LVHITTESTINFO Hit{};
  Hit.pt = Click.ptAction;
  SendMessageW(VTV, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
  if (Hit.iItem < 0) return;
  const RECT Box = CheckBoxRect(Hit.iItem);
  const bool OnCheckBox = FFrame.HasCheckBox(Hit.iItem) && PtInRect(&Box, Hit.pt);
  if (Click.hdr.code == NM_CLICK)
    FFrame.GridClick(Hit.iItem, Hit.iSubItem, OnCheckBox);
  else
    FFrame.GridDoubleClick(Hit.iItem, Hit.iSubItem, OnCheckBox);
}

int TWin32OptionList::RowAt(LPARAM Place) const {
  LVHITTESTINFO Hit{};
  Hit.pt = {GET_X_LPARAM(Place), GET_Y_LPARAM(Place)};
  return static_cast<int>(SendMessageW(VTV, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit)));
}

// Where the focus went from the editor: "Cancel", another button, another
// control of the dialog, or another window (an error box, none as the
// dialog closes).
TFocusTarget TWin32OptionList::FocusTarget() const {
  const HWND Focus = GetFocus();
  if (!Focus || GetAncestor(Focus, GA_ROOT) != GetAncestor(Handle(), GA_ROOT))
    return TFocusTarget::ftElsewhere;
  if (GetDlgCtrlID(Focus) == IDCANCEL) return TFocusTarget::ftCancel;
  wchar_t Class[16] = {};
  GetClassNameW(Focus, Class, 16);
  return lstrcmpiW(Class, WC_BUTTONW) == 0 ? TFocusTarget::ftButton : TFocusTarget::ftControl;
}

void TWin32OptionList::StartEditTimer(int Milliseconds) {
  SetTimer(Handle(), EditTimerId, Milliseconds, nullptr);
}

void TWin32OptionList::StopEditTimer() { KillTimer(Handle(), EditTimerId); }

void TWin32OptionList::OpenEditor(int Row, const WideString& Text) {
  CloseEditor();
  SendMessageW(VTV, LVM_ENSUREVISIBLE, Row, FALSE);
  RECT Cell{};
  Cell.top = kValue;
  Cell.left = LVIR_BOUNDS;
  SendMessageW(VTV, LVM_GETSUBITEMRECT, Row, reinterpret_cast<LPARAM>(&Cell));
  FEditor =
      CreateWindowExW(0, WC_EDITW, Text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                      Cell.left, Cell.top, Cell.right - Cell.left, Cell.bottom - Cell.top, VTV,
                      nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(FEditor, WM_SETFONT, SendMessageW(VTV, WM_GETFONT, 0, 0), FALSE);
  SetWindowSubclass(FEditor, &EditorProc, 0, reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(FEditor, EM_SETSEL, 0, -1);
  SetFocus(FEditor);
}

WideString TWin32OptionList::EditorText() const {
  return FEditor ? WindowTextW(FEditor) : WideString();
}

void TWin32OptionList::FocusEditor() {
  if (FEditor) SetFocus(FEditor);
}

void TWin32OptionList::CloseEditor() {
  const HWND Editor = std::exchange(FEditor, nullptr);
  if (!Editor) return;
  if (GetFocus() == Editor) SetFocus(VTV);
  DestroyWindow(Editor);
}

LRESULT CALLBACK TWin32OptionList::GridProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam,
                                            UINT_PTR, DWORD_PTR Data) {
  auto& List = *reinterpret_cast<TWin32OptionList*>(Data);
  return AtEdge([&]() -> LRESULT {
    if (Message >= WM_MOUSEFIRST && Message <= WM_MOUSELAST)
      List.RelayMouse(Message, WParam, LParam);
    switch (Message) {
      case WM_LBUTTONDBLCLK:
      case WM_LBUTTONDOWN:
        if (!List.FFrame.GridMouseDown()) return 0;
        if (List.RowAt(LParam) >= 0) break;
        // The list's empty area takes the focus and keeps the selection.
        SetFocus(Window);
        return 0;
      case WM_RBUTTONDBLCLK:
      case WM_RBUTTONDOWN:
        // The list view's own right press (its selection, its drag loop,
        // its menu) is off: the frame leaves the editor and shows the menu.
        if (!List.FFrame.GridMouseDown()) return 0;
        SetFocus(Window);
        List.FFrame.GridRightClick(List.RowAt(LParam));
        return 0;
      case WM_CHAR:
        // Typing finds no row.
        return 0;
      case WM_VSCROLL:
      case WM_HSCROLL:
      case WM_MOUSEWHEEL:
        // The rows move from under the hint's tool.
        List.ShowHint(-1);
        if (!List.FFrame.GridScrolled()) return 0;
        break;
      case WM_SYSKEYDOWN:
        // Shift+F10, as the Menu key, opens the focused row's menu.
        if (!IsShiftF10(WParam)) break;
        List.FFrame.GridKeyDown(TListKey::lkContextMenu);
        return 0;
      case WM_SYSKEYUP:
        if (IsShiftF10(WParam)) return 0;
        break;
      case WM_CONTEXTMENU:
        // The keys and the right press above have shown it already.
        return 0;
      case WM_GETOBJECT:
        if (static_cast<LONG>(LParam) == OBJID_CLIENT) return List.AccessibleObject(WParam);
        break;
      case WM_NCDESTROY:
        RemoveWindowSubclass(Window, &GridProc, 0);
        break;
    }
    return DefSubclassProc(Window, Message, WParam, LParam);
  });
}

// The editor's keys go to the frame; the dialog never sees those it uses
// while the editor is open.
LRESULT CALLBACK TWin32OptionList::EditorProc(HWND Window, UINT Message, WPARAM WParam,
                                              LPARAM LParam, UINT_PTR, DWORD_PTR Data) {
  auto& List = *reinterpret_cast<TWin32OptionList*>(Data);
  return AtEdge([&]() -> LRESULT {
    switch (Message) {
      case WM_GETDLGCODE:
        return DefSubclassProc(Window, Message, WParam, LParam) | DLGC_WANTALLKEYS;
      case WM_KEYDOWN:
        if (List.FFrame.EditorKeyDown(ListKey(WParam))) return 0;
        break;
      case WM_SYSKEYDOWN:
        // Shift+F10, as the Menu key, shows the row's menu.
        if (!IsShiftF10(WParam)) break;
        List.FFrame.EditorKeyDown(TListKey::lkContextMenu);
        return 0;
      case WM_SYSKEYUP:
        if (IsShiftF10(WParam)) return 0;
        break;
      case WM_CONTEXTMENU:
        // The edit control's own menu is off: the keys above show the row's.
        return 0;
      case WM_CHAR:
        if (WParam == '\r' || WParam == '\t' || WParam == VK_ESCAPE) return 0;
        break;
      case WM_KILLFOCUS:
        PostMessageW(List.Handle(), kEditorFocusLost, 0, reinterpret_cast<LPARAM>(Window));
        break;
      case WM_NCDESTROY:
        RemoveWindowSubclass(Window, &EditorProc, 0);
        break;
    }
    return DefSubclassProc(Window, Message, WParam, LParam);
  });
}
