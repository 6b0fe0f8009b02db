#include "Win32UserInteraction.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "Win32SystemFunction.h"
#include "miniUtils.h"

void TWin32UserInteraction::ShowError(const std::string& Message) {
  MessageBoxA(GetActiveWindow(), Message.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TWin32UserInteraction::ShowMessage(const std::string& Message) {
  MessageBoxA(GetActiveWindow(), Message.c_str(), FTitle.c_str(), MB_OK);
}

namespace {

struct TItemListFree {
  void operator()(ITEMIDLIST* Items) const { SYSTEM_FUNCTION(L"ole32.dll", CoTaskMemFree)(Items); }
};
using TItemList = std::unique_ptr<ITEMIDLIST, TItemListFree>;

struct TFolderRelease {
  void operator()(IShellFolder* Folder) const { Folder->Release(); }
};
using TShellFolder = std::unique_ptr<IShellFolder, TFolderRelease>;

// The child of Parent that is the item Wanted (one level), as Parent's
// enumeration gives it; null when there is none.
TItemList EnumeratedChild(IShellFolder& Parent, const ITEMIDLIST* Wanted) {
  IEnumIDList* Children = nullptr;
  if (Parent.EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, &Children) != S_OK)
    return nullptr;
  TItemList Found;
  ITEMIDLIST* Child = nullptr;
  while (!Found && Children->Next(1, &Child, nullptr) == S_OK) {
    TItemList Each(Child);
    if (Parent.CompareIDs(0, Each.get(), Wanted) == S_OK) Found = std::move(Each);
  }
  Children->Release();
  return Found;
}

// The folder Item (one level) inside Parent; null when it cannot be opened.
TShellFolder ChildFolder(IShellFolder& Parent, const ITEMIDLIST* Item) {
  IShellFolder* Child = nullptr;
  if (FAILED(Parent.BindToObject(Item, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&Child))))
    return nullptr;
  return TShellFolder(Child);
}

// Folder's item list as the folder dialog's tree holds it: each level taken
// from its parent's enumeration. The dialog finds a start folder by
// comparing item lists byte for byte, and a parsed one may differ from the
// enumerated items in details (under Wine on the drive of the Unix root it
// does); null when the folder is not there.
TItemList EnumeratedItemList(const std::string& Folder) {
  IShellFolder* Desktop = nullptr;
  if (FAILED(SYSTEM_FUNCTION(L"shell32.dll", SHGetDesktopFolder)(&Desktop))) return nullptr;
  TShellFolder Parent(Desktop);
  WideString Path = AnsiToWide(Folder, 0);
  ITEMIDLIST* Parsed = nullptr;
  if (FAILED(Desktop->ParseDisplayName(nullptr, nullptr, Path.data(), nullptr, &Parsed, nullptr)))
    return nullptr;
  const TItemList Wanted(Parsed);
  TItemList Items;
  for (const ITEMIDLIST* Level = Wanted.get(); !ILIsEmpty(Level); Level = ILNext(Level)) {
    const TItemList Step(SYSTEM_FUNCTION(L"shell32.dll", ILCloneFirst)(Level));
    TItemList Child = Parent && Step ? EnumeratedChild(*Parent, Step.get()) : nullptr;
    if (!Child) return nullptr;
    Parent = ChildFolder(*Parent, Child.get());
    Items.reset(Items ? SYSTEM_FUNCTION(L"shell32.dll", ILCombine)(Items.get(), Child.get())
                      : Child.release());
    if (!Items) return nullptr;
  }
  return Items;
}

// Opens the folder dialog at the item list its caller passed.
int CALLBACK SelectStartFolder(HWND Dialog, UINT Message, LPARAM, LPARAM Items) {
  if (Message == BFFM_INITIALIZED) SendMessageW(Dialog, BFFM_SETSELECTIONW, FALSE, Items);
  return 0;
}

}  // namespace

std::string TWin32UserInteraction::BrowseFolder(const std::string& Title, DWORD Flags,
                                                const std::string& StartFolder) {
  // The shell's dialog needs COM on the calling thread.
  const HRESULT Com =
      SYSTEM_FUNCTION(L"ole32.dll", CoInitializeEx)(nullptr, COINIT_APARTMENTTHREADED);
  std::string Folder;
  {
    char DisplayName[MAX_PATH + 1] = {};
    BROWSEINFOA Browse{};
    Browse.hwndOwner = GetActiveWindow();
    Browse.pszDisplayName = DisplayName;
    Browse.lpszTitle = Title.c_str();
    Browse.ulFlags = Flags;
    const TItemList Start = StartFolder.empty() ? nullptr : EnumeratedItemList(StartFolder);
    if (Start) {
      Browse.lpfn = &SelectStartFolder;
      Browse.lParam = reinterpret_cast<LPARAM>(Start.get());
    }
    if (const TItemList Item{SYSTEM_FUNCTION(L"shell32.dll", SHBrowseForFolderA)(&Browse)}) {
      char Path[MAX_PATH + 1] = {};
      if (SYSTEM_FUNCTION(L"shell32.dll", SHGetPathFromIDListA)(Item.get(), Path)) Folder = Path;
    }
  }
  if (SUCCEEDED(Com)) SYSTEM_FUNCTION(L"ole32.dll", CoUninitialize)();
  return Folder;
}
