#include "Win32UserInteraction.h"

#include <objbase.h>
#include <shlobj.h>

void TWin32UserInteraction::ShowError(const std::string& Message) {
  MessageBoxA(GetActiveWindow(), Message.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TWin32UserInteraction::ShowMessage(const std::string& Message) {
  MessageBoxA(GetActiveWindow(), Message.c_str(), FTitle.c_str(), MB_OK);
}

std::string TWin32UserInteraction::BrowseFolder(const std::string& Title, DWORD Flags) {
  // The shell's dialog needs COM on the calling thread.
  const HRESULT Com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  char DisplayName[MAX_PATH + 1] = {};
  BROWSEINFOA Browse{};
  Browse.hwndOwner = GetActiveWindow();
  Browse.pszDisplayName = DisplayName;
  Browse.lpszTitle = Title.c_str();
  Browse.ulFlags = Flags;
  std::string Folder;
  if (LPITEMIDLIST Item = SHBrowseForFolderA(&Browse)) {
    char Path[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(Item, Path)) Folder = Path;
    CoTaskMemFree(Item);
  }
  if (SUCCEEDED(Com)) CoUninitialize();
  return Folder;
}
