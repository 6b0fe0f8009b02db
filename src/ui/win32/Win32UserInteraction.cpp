#include "Win32UserInteraction.h"

#include <objbase.h>
#include <shlobj.h>

void TWin32UserInteraction::ShowError(const std::string& Message) {
  MessageBoxA(GetActiveWindow(), Message.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TWin32UserInteraction::ShowMessage(const std::string& Message) {
  MessageBoxA(GetActiveWindow(), Message.c_str(), FTitle.c_str(), MB_OK);
}

namespace {

// Opens the folder dialog at the folder its caller passed.
int CALLBACK SelectStartFolder(HWND Dialog, UINT Message, LPARAM, LPARAM Folder) {
  if (Message == BFFM_INITIALIZED && Folder) SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE, Folder);
  return 0;
}

}  // namespace

void TWin32UserInteraction::ShowBusy(bool Busy) {
  SetCursor(LoadCursorA(nullptr, Busy ? IDC_WAIT : IDC_ARROW));
}

std::string TWin32UserInteraction::BrowseFolder(const std::string& Title, DWORD Flags,
                                                const std::string& StartFolder) {
  // The shell's dialog needs COM on the calling thread.
  const HRESULT Com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  char DisplayName[MAX_PATH + 1] = {};
  BROWSEINFOA Browse{};
  Browse.hwndOwner = GetActiveWindow();
  Browse.pszDisplayName = DisplayName;
  Browse.lpszTitle = Title.c_str();
  Browse.ulFlags = Flags;
  if (!StartFolder.empty()) {
    Browse.lpfn = &SelectStartFolder;
    Browse.lParam = reinterpret_cast<LPARAM>(StartFolder.c_str());
  }
  std::string Folder;
  if (LPITEMIDLIST Item = SHBrowseForFolderA(&Browse)) {
    char Path[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(Item, Path)) Folder = Path;
    CoTaskMemFree(Item);
  }
  if (SUCCEEDED(Com)) CoUninitialize();
  return Folder;
}
