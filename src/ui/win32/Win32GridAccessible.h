// What assistive technology sees of an option list on Windows, through
// Microsoft Active Accessibility: a list named as the grid, whose items are
// the rows, each named by its option's caption and described by its
// description; a yes/no option's row is a check box, checked or not, a
// number's row holds the number as its value. The list view cannot tell
// this itself: it knows neither the check boxes drawn on it nor the rows'
// meaning.
#pragma once

#include <oleacc.h>

class TWin32OptionList;

class TWin32GridAccessible final : public IAccessible {
 public:
  // Tells of List (borrowed) until Disconnect; one reference, the caller's.
  explicit TWin32GridAccessible(const TWin32OptionList& List) : FList(&List) {}
  TWin32GridAccessible(const TWin32GridAccessible&) = delete;
  TWin32GridAccessible& operator=(const TWin32GridAccessible&) = delete;

  // The list is going away: every call fails from now on, also those of
  // clients that still hold the object.
  void Disconnect() { FList = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID Id, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch: no type information, as the system's own objects.
  STDMETHODIMP GetTypeInfoCount(UINT* Count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override;
  // IAccessible: child 0 (CHILDID_SELF) is the list, child Row + 1 a row.
  STDMETHODIMP get_accParent(IDispatch** Parent) override;
  STDMETHODIMP get_accChildCount(long* Count) override;
  STDMETHODIMP get_accChild(VARIANT Child, IDispatch** Object) override;
  STDMETHODIMP get_accName(VARIANT Child, BSTR* Name) override;
  STDMETHODIMP get_accValue(VARIANT Child, BSTR* Value) override;
  STDMETHODIMP get_accDescription(VARIANT Child, BSTR* Description) override;
  STDMETHODIMP get_accRole(VARIANT Child, VARIANT* Role) override;
  STDMETHODIMP get_accState(VARIANT Child, VARIANT* State) override;
  STDMETHODIMP get_accHelp(VARIANT, BSTR*) override;
  STDMETHODIMP get_accHelpTopic(BSTR*, VARIANT, long*) override;
  STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR*) override;
  STDMETHODIMP get_accFocus(VARIANT* Child) override;
  STDMETHODIMP get_accSelection(VARIANT* Children) override;
  STDMETHODIMP get_accDefaultAction(VARIANT, BSTR*) override;
  STDMETHODIMP accSelect(long, VARIANT) override;
  STDMETHODIMP accLocation(long* Left, long* Top, long* Width, long* Height,
                           VARIANT Child) override;
  STDMETHODIMP accNavigate(long, VARIANT, VARIANT*) override;
  STDMETHODIMP accHitTest(long Left, long Top, VARIANT* Child) override;
  STDMETHODIMP accDoDefaultAction(VARIANT) override;
  STDMETHODIMP put_accName(VARIANT, BSTR) override;
  STDMETHODIMP put_accValue(VARIANT, BSTR) override;

 private:
  ~TWin32GridAccessible() = default;
  // The row a child names, -1 for the list; S_OK, or why not.
  HRESULT RowOf(const VARIANT& Child, int& Row) const;

  const TWin32OptionList* FList;
  ULONG FReferences = 1;
};
