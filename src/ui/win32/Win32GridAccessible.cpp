#include "Win32GridAccessible.h"

#include "Win32OptionList.h"
#include "Win32SystemFunction.h"
#include "miniUtils.h"

namespace {

HRESULT Text(const WideString& Value, BSTR* Out) {
  if (!Out) return E_POINTER;
  *Out = nullptr;
  if (Value.empty()) return S_FALSE;
  *Out = SYSTEM_FUNCTION(L"oleaut32.dll", SysAllocString)(Value.c_str());
  return *Out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Number(LONG Value, VARIANT* Out) {
  if (!Out) return E_POINTER;
  Out->vt = VT_I4;
  Out->lVal = Value;
  return S_OK;
}

HRESULT Nothing(VARIANT* Out) {
  if (!Out) return E_POINTER;
  Out->vt = VT_EMPTY;
  return S_FALSE;
}

}  // namespace

// A list gone away, or a child it does not have, fails the call.
HRESULT TWin32GridAccessible::RowOf(const VARIANT& Child, int& Row) const {
  if (!FList) return CO_E_OBJNOTCONNECTED;
  Row = Child.vt == VT_I4 ? static_cast<int>(Child.lVal) - 1 : -2;
  return Row >= -1 && Row < FList->Frame().RowCount() ? S_OK : E_INVALIDARG;
}

STDMETHODIMP TWin32GridAccessible::QueryInterface(REFIID Id, void** Object) {
  if (!Object) return E_POINTER;
  *Object = nullptr;
  if (Id != IID_IUnknown && Id != IID_IDispatch && Id != IID_IAccessible) return E_NOINTERFACE;
  *Object = static_cast<IAccessible*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TWin32GridAccessible::AddRef() { return ++FReferences; }

STDMETHODIMP_(ULONG) TWin32GridAccessible::Release() {
  const ULONG Left = --FReferences;
  if (Left == 0) delete this;
  return Left;
}

STDMETHODIMP TWin32GridAccessible::GetTypeInfoCount(UINT* Count) {
  if (!Count) return E_POINTER;
  *Count = 0;
  return S_OK;
}

STDMETHODIMP TWin32GridAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

STDMETHODIMP TWin32GridAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

STDMETHODIMP TWin32GridAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                          EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

STDMETHODIMP TWin32GridAccessible::get_accParent(IDispatch** Parent) {
  if (!FList) return CO_E_OBJNOTCONNECTED;
  return SYSTEM_FUNCTION(L"oleacc.dll", CreateStdAccessibleObject)(
      FList->VTV, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(Parent));
}

STDMETHODIMP TWin32GridAccessible::get_accChildCount(long* Count) {
  if (!FList) return CO_E_OBJNOTCONNECTED;
  if (!Count) return E_POINTER;
  *Count = FList->Frame().RowCount();
  return S_OK;
}

// The rows are simple elements, not objects of their own.
STDMETHODIMP TWin32GridAccessible::get_accChild(VARIANT Child, IDispatch** Object) {
  int Row = -1;
  if (const HRESULT Known = RowOf(Child, Row); Known != S_OK) return Known;
  if (!Object) return E_POINTER;
  *Object = nullptr;
  return S_FALSE;
}

STDMETHODIMP TWin32GridAccessible::get_accName(VARIANT Child, BSTR* Name) {
  int Row = -1;
  if (const HRESULT Known = RowOf(Child, Row); Known != S_OK) return Known;
  if (Row < 0) return Text(AnsiToWide(TfrTweakOptions::GridName, 0), Name);
  return Text(FList->Frame().VTVGetText(Row, TfrTweakOptions::OptionColumn), Name);
}

// A number's row holds the number; a check box has no value.
STDMETHODIMP TWin32GridAccessible::get_accValue(VARIANT Child, BSTR* Value) {
  int Row = -1;
  if (const HRESULT Known = RowOf(Child, Row); Known != S_OK) return Known;
  if (Row < 0) return Text(WideString(), Value);
  return Text(FList->Frame().VTVGetText(Row, TfrTweakOptions::ValueColumn), Value);
}

STDMETHODIMP TWin32GridAccessible::get_accDescription(VARIANT Child, BSTR* Description) {
  int Row = -1;
  if (const HRESULT Known = RowOf(Child, Row); Known != S_OK) return Known;
  return Text(AnsiToWide(FList->Frame().RowDescription(Row), 0), Description);
}

STDMETHODIMP TWin32GridAccessible::get_accRole(VARIANT Child, VARIANT* Role) {
  int Row = -1;
  if (const HRESULT Known = RowOf(Child, Row); Known != S_OK) return Known;
  if (Row < 0) return Number(ROLE_SYSTEM_LIST, Role);
  return Number(FList->Frame().HasCheckBox(Row) ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_LISTITEM,
                Role);
}

STDMETHODIMP TWin32GridAccessible::get_accState(VARIANT Child, VARIANT* State) {
  int Row = -1;
  if (const HRESULT Known = RowOf(Child, Row); Known != S_OK) return Known;
  const HWND Grid = FList->VTV;
  const bool Focused = GetFocus() == Grid;
  LONG Flags = STATE_SYSTEM_FOCUSABLE;
  if (Row < 0) return Number(Flags | (Focused ? STATE_SYSTEM_FOCUSED : 0), State);
  const UINT Item = ListView_GetItemState(Grid, Row, LVIS_SELECTED | LVIS_FOCUSED);
  RECT Place{LVIR_BOUNDS, 0, 0, 0};
  RECT Client{};
  RECT Shown{};
  SendMessageW(Grid, LVM_GETITEMRECT, Row, reinterpret_cast<LPARAM>(&Place));
  GetClientRect(Grid, &Client);
  Flags |= STATE_SYSTEM_SELECTABLE;
  if (Item & LVIS_SELECTED) Flags |= STATE_SYSTEM_SELECTED;
  if (Focused && (Item & LVIS_FOCUSED)) Flags |= STATE_SYSTEM_FOCUSED;
  if (FList->Frame().IsChecked(Row)) Flags |= STATE_SYSTEM_CHECKED;
  if (!IntersectRect(&Shown, &Place, &Client)) Flags |= STATE_SYSTEM_OFFSCREEN;
  return Number(Flags, State);
}

STDMETHODIMP TWin32GridAccessible::get_accHelp(VARIANT, BSTR* Help) {
  return Text(WideString(), Help);
}

STDMETHODIMP TWin32GridAccessible::get_accHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }

STDMETHODIMP TWin32GridAccessible::get_accKeyboardShortcut(VARIANT, BSTR* Shortcut) {
  return Text(WideString(), Shortcut);
}

STDMETHODIMP TWin32GridAccessible::get_accFocus(VARIANT* Child) {
  if (!FList) return CO_E_OBJNOTCONNECTED;
  if (GetFocus() != FList->VTV) return Nothing(Child);
  return Number(ListView_GetNextItem(FList->VTV, -1, LVNI_FOCUSED) + 1, Child);
}

STDMETHODIMP TWin32GridAccessible::get_accSelection(VARIANT* Children) {
  if (!FList) return CO_E_OBJNOTCONNECTED;
  const int Row = ListView_GetNextItem(FList->VTV, -1, LVNI_SELECTED);
  return Row < 0 ? Nothing(Children) : Number(Row + 1, Children);
}

STDMETHODIMP TWin32GridAccessible::get_accDefaultAction(VARIANT, BSTR* Action) {
  return Text(WideString(), Action);
}

STDMETHODIMP TWin32GridAccessible::accSelect(long, VARIANT) { return E_NOTIMPL; }

STDMETHODIMP TWin32GridAccessible::accLocation(long* Left, long* Top, long* Width, long* Height,
                                               VARIANT Child) {
  int Row = -1;
  if (const HRESULT Known = RowOf(Child, Row); Known != S_OK) return Known;
  if (!Left || !Top || !Width || !Height) return E_POINTER;
  RECT Place{LVIR_BOUNDS, 0, 0, 0};
  if (Row < 0)
    GetClientRect(FList->VTV, &Place);
  else
    SendMessageW(FList->VTV, LVM_GETITEMRECT, Row, reinterpret_cast<LPARAM>(&Place));
  MapWindowPoints(FList->VTV, nullptr, reinterpret_cast<POINT*>(&Place), 2);
  *Left = Place.left;
  *Top = Place.top;
  *Width = Place.right - Place.left;
  *Height = Place.bottom - Place.top;
  return S_OK;
}

STDMETHODIMP TWin32GridAccessible::accNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }

STDMETHODIMP TWin32GridAccessible::accHitTest(long Left, long Top, VARIANT* Child) {
  if (!FList) return CO_E_OBJNOTCONNECTED;
  LVHITTESTINFO Hit{};
  Hit.pt = {Left, Top};
  ScreenToClient(FList->VTV, &Hit.pt);
  RECT Client{};
  GetClientRect(FList->VTV, &Client);
  if (!PtInRect(&Client, Hit.pt)) return Nothing(Child);
  SendMessageW(FList->VTV, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
  return Number(Hit.iItem + 1, Child);
}

STDMETHODIMP TWin32GridAccessible::accDoDefaultAction(VARIANT) { return E_NOTIMPL; }

STDMETHODIMP TWin32GridAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

STDMETHODIMP TWin32GridAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
