#include "Win32OptionsDialog.h"

#include <windowsx.h>

#include "UserInteraction.h"
#include "miniUtils.h"

namespace {

using TMain = TTweakerOptionsMain;

// The left button went up over the tree; WParam: over a node's label or
// icon. Posted, so that it comes after the selection the press made.
constexpr UINT kTreeMouseUp = WM_APP + 1;

// An empty dialog: fixed border, caption and close box, no controls; they
// are made when it opens, at their places in pixels. The dialog manager
// gives it the default button, Escape, mnemonics and keyboard navigation;
// its class gives it the program's icon.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> Words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  reinterpret_cast<DLGTEMPLATE*>(Words.data())->style =
      DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  // No menu, the class by name, no title.
  Words.push_back(0);
  for (const wchar_t* Name = ProgramDialogClass(); *Name; ++Name) Words.push_back(*Name);
  Words.insert(Words.end(), {0, 0});
  return Words;
}

// Typing in the tree finds no node: the pages change by the mouse and the
// arrows only.
LRESULT CALLBACK TreeProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam, UINT_PTR,
                          DWORD_PTR) {
  if (Message == WM_CHAR) return 0;
  if (Message == WM_NCDESTROY) RemoveWindowSubclass(Window, &TreeProc, 0);
  return DefSubclassProc(Window, Message, WParam, LParam);
}

// Where the shown page sits: right of the tree, above the buttons.
TSheetRect SheetBounds() {
  return {TMain::TreeWidth, 0, TMain::ClientWidth - TMain::TreeWidth,
          TMain::ClientHeight - TMain::ButtonStripHeight};
}

}  // namespace

TWin32OptionsDialog::TWin32OptionsDialog(TTweakerOptionsMain& Dialog) : FDialog(Dialog) {}

TWin32OptionsDialog::~TWin32OptionsDialog() { FDialog.SetView(nullptr); }

void TWin32OptionsDialog::ShowModal() {
  const std::vector<WORD> Template = DialogTemplate();
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                          reinterpret_cast<const DLGTEMPLATE*>(Template.data()), nullptr,
                          &DialogProc, reinterpret_cast<LPARAM>(this));
}

TWin32OptionsDialog* TWin32OptionsDialog::Of(HWND Window) {
  if (GetWindowLongPtrW(Window, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc))
    return nullptr;
  return reinterpret_cast<TWin32OptionsDialog*>(GetWindowLongPtrW(Window, DWLP_USER));
}

TWin32Sheet* TWin32OptionsDialog::CurrentSheet() const {
  const auto Found = FSheets.find(FDialog.CurrentSheet());
  return Found == FSheets.end() ? nullptr : Found->second.get();
}

INT_PTR CALLBACK TWin32OptionsDialog::DialogProc(HWND Window, UINT Message, WPARAM WParam,
                                                 LPARAM LParam) {
  if (Message == WM_INITDIALOG) SetWindowLongPtrW(Window, DWLP_USER, LParam);
  auto* Self = reinterpret_cast<TWin32OptionsDialog*>(GetWindowLongPtrW(Window, DWLP_USER));
  if (!Self) return FALSE;
  bool Handled = false;
  ReportErrorsOf([&] {
    if (Message == WM_INITDIALOG) Self->InitDialog(Window);
    Handled = Self->DialogMessage(Message, WParam, LParam);
  });
  return Handled;
}

// Whether the message was handled; WM_INITDIALOG answers false, as the
// focus is set already.
bool TWin32OptionsDialog::DialogMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_COMMAND:
      if (HIWORD(WParam) != BN_CLICKED) return false;
      ButtonClick(LOWORD(WParam), reinterpret_cast<HWND>(LParam), WParam);
      return true;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(LParam)->hwndFrom != tvOptions) return false;
      SetWindowLongPtrW(Handle, DWLP_MSGRESULT, TreeNotify(*reinterpret_cast<NMHDR*>(LParam)));
      return true;
    case WM_TIMER:
      if (WParam != ChangeTimerId) return false;
      KillTimer(Handle, ChangeTimerId);
      FDialog.tvOptionsChange();
      return true;
    case kTreeMouseUp:
      FDialog.tvOptionsMouseUp(WParam != 0);
      return true;
    case WM_DESTROY:
      FDialog.SetView(nullptr);
      KillTimer(Handle, ChangeTimerId);
      FSheets.clear();
      return true;
  }
  return false;
}

void TWin32OptionsDialog::InitDialog(HWND Window) {
  Handle = Window;
  SetWindowTextW(Handle, AnsiToWide(FDialog.Caption(), 0).c_str());
  RECT Frame{0, 0, Scaled(TMain::ClientWidth), Scaled(TMain::ClientHeight)};
  AdjustWindowRectEx(&Frame, GetWindowLongW(Handle, GWL_STYLE), FALSE,
                     GetWindowLongW(Handle, GWL_EXSTYLE));
  RECT Screen{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &Screen, 0);
  const int Width = Frame.right - Frame.left;
  const int Height = Frame.bottom - Frame.top;
  SetWindowPos(Handle, nullptr, Screen.left + (Screen.right - Screen.left - Width) / 2,
               Screen.top + (Screen.bottom - Screen.top - Height) / 2, Width, Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  CreateComponents();
  AddNodes();
  if (FDialog.CurrentSheet()) SheetShown(nullptr);
  ApplyEnabledChanged();
  FDialog.SetView(this);
  SetFocus(tvOptions);
}

void TWin32OptionsDialog::CreateComponents() {
  // Node labels cannot be edited; the selection stays highlighted without
  // the focus, in the system's colours of an inactive selection; hot
  // tracking; no tooltip window, as every label fits. It shows no text of
  // its own: a screen reader takes it for the tree's name.
  tvOptions = CreateControl(
      WC_TREEVIEWW, TMain::TreeName,
      WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
          TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_NOTOOLTIPS,
      {0, 0, TMain::TreeWidth, TMain::ClientHeight}, Handle, tvOptionsId, WS_EX_CLIENTEDGE);
  SendMessageW(tvOptions, TVM_SETINDENT, Scaled(TMain::TreeIndent), 0);
  SetWindowSubclass(tvOptions, &TreeProc, 0, 0);
  const int Ids[3] = {IDOK, IDCANCEL, btnApplyId};
  HWND* const Buttons[3] = {&btnOK, &btnCancel, &btnApply};
  for (int Index = 0; Index < 3; ++Index) {
    const TSheetRect Bounds{
        TMain::ClientWidth - TMain::ButtonRightMargin[Index] - TMain::ButtonWidth,
        TMain::ClientHeight - TMain::ButtonStripHeight + TMain::ButtonTop, TMain::ButtonWidth,
        TMain::ButtonHeight};
    *Buttons[Index] =
        CreateControl(WC_BUTTONW, TMain::ButtonCaptions[Index],
                      WS_VISIBLE | WS_TABSTOP | (Ids[Index] == IDOK ? BS_DEFPUSHBUTTON : 0), Bounds,
                      Handle, Ids[Index]);
  }
  SendMessageW(Handle, DM_SETDEFID, IDOK, 0);
}

void TWin32OptionsDialog::AddNodes() {
  FItems.assign(FDialog.NodeCount(), nullptr);
  for (int Node : FDialog.NodesInTreeOrder()) {
    const TOptionNode& Spec = FDialog.Node(Node);
    WideString Text = AnsiToWide(Spec.Text, 0);
    TVINSERTSTRUCTW Insert{};
    Insert.hParent = Spec.Parent == -1 ? TVI_ROOT : FItems[Spec.Parent];
    Insert.hInsertAfter = TVI_LAST;
    Insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    Insert.item.pszText = Text.data();
    Insert.item.lParam = Node;
    FItems[Node] = reinterpret_cast<HTREEITEM>(
        SendMessageW(tvOptions, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Insert)));
  }
  for (int Node = 0; Node < FDialog.NodeCount(); ++Node)
    if (FDialog.Node(Node).Expanded) NodeExpanded(Node);
  if (FDialog.Selected() >= 0)
    SendMessageW(tvOptions, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(FItems[FDialog.Selected()]));
  FTreeFilled = true;
}

LRESULT TWin32OptionsDialog::TreeNotify(NMHDR& Header) {
  if (!FTreeFilled) return 0;
  const auto& Change = reinterpret_cast<const NMTREEVIEWW&>(Header);
  switch (Header.code) {
    case TVN_SELCHANGINGW:
      // A page that cannot be left keeps the selection where it is.
      return Change.itemNew.hItem &&
             !FDialog.tvOptionsSelect(static_cast<int>(Change.itemNew.lParam));
    case TVN_ITEMEXPANDEDW:
      FDialog.tvOptionsExpandedChange(static_cast<int>(Change.itemNew.lParam),
                                      Change.action == TVE_EXPAND);
      break;
    case NM_CLICK:
      PostMessageW(Handle, kTreeMouseUp, OverLabel(), 0);
      break;
    case NM_CUSTOMDRAW:
      return TreeCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(Header));
  }
  return 0;
}

// The selection without the focus stands out from the tree's background.
LRESULT TWin32OptionsDialog::TreeCustomDraw(NMTVCUSTOMDRAW& Draw) const {
  if (Draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (Draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || !(Draw.nmcd.uItemState & CDIS_SELECTED) ||
      GetFocus() == tvOptions)
    return CDRF_DODEFAULT;
  Draw.clrTextBk = UnfocusedSelectionColour();
  Draw.clrText = GetSysColor(COLOR_BTNTEXT);
  return CDRF_NEWFONT;
}

// Only a node's label or icon counts; its expand button and the empty
// space beside the labels do not.
bool TWin32OptionsDialog::OverLabel() const {
  const DWORD Position = GetMessagePos();
  TVHITTESTINFO Hit{};
  Hit.pt = {GET_X_LPARAM(Position), GET_Y_LPARAM(Position)};
  ScreenToClient(tvOptions, &Hit.pt);
  SendMessageW(tvOptions, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
  return Hit.hItem && (Hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON));
}

// "Cancel" also stands for Escape and the close box. The dialog manager
// tells the dialog of a page's button too (Return on it, as it has the
// focus): the page handles it.
void TWin32OptionsDialog::ButtonClick(int Id, HWND Control, WPARAM Command) {
  if (Id == IDOK)
    FDialog.btnOKClick();
  else if (Id == IDCANCEL)
    FDialog.btnCancelClick();
  else if (Id == btnApplyId)
    FDialog.btnApplyClick();
  else if (Control && GetParent(Control) != Handle)
    SendMessageW(GetParent(Control), WM_COMMAND, Command, reinterpret_cast<LPARAM>(Control));
}

void TWin32OptionsDialog::ApplyEnabledChanged() {
  const bool Enabled = FDialog.ApplyEnabled();
  // A disabled button cannot keep the focus: it moves on.
  if (!Enabled && GetFocus() == btnApply) SendMessageW(Handle, WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(btnApply, Enabled);
}

void TWin32OptionsDialog::NodeExpanded(int Node) {
  SendMessageW(tvOptions, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(FItems[Node]));
}

void TWin32OptionsDialog::SheetShown(TOptionsSheetBase* Hidden) {
  if (const auto Found = FSheets.find(Hidden); Found != FSheets.end()) {
    const HWND Page = Found->second->Handle();
    if (IsChild(Page, GetFocus())) SetFocus(tvOptions);
    ShowWindow(Page, SW_HIDE);
  }
  const TOptionsSheetBase* Shown = FDialog.CurrentSheet();
  std::unique_ptr<TWin32Sheet>& Sheet = FSheets[Shown];
  if (!Sheet) {
    Sheet = std::make_unique<TWin32Sheet>(*Shown, Handle, SheetBounds());
    // Next to the tree in the keyboard's order.
    SetWindowPos(Sheet->Handle(), tvOptions, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ShowWindow(Sheet->Handle(), SW_SHOW);
}

void TWin32OptionsDialog::StartChangeTimer(int Milliseconds) {
  SetTimer(Handle, ChangeTimerId, Milliseconds, nullptr);
}

void TWin32OptionsDialog::CloseModal() {
  EndDialog(Handle, static_cast<INT_PTR>(FDialog.ModalResult()));
}

void TWin32OptionsDialogFrontEnd::ShowModal(TTweakerOptionsMain& Dialog) {
  TWin32OptionsDialog Window(Dialog);
  Window.ShowModal();
}
