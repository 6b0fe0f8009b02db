// The shell's folder dialog, driven from inside its own modal loop: it
// opens where it is asked to, and OK hands back what it shows selected.
#include "Win32UserInteraction.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>

#include "TemporaryFolder.h"
#include "Win32Window.h"
#include "miniUtils.h"

namespace {

// The label of the item the folder dialog showed selected.
std::string SelectedInTree;

BOOL CALLBACK AcceptFolderDialog(HWND Dialog, LPARAM) {
  wchar_t Class[16] = {};
  GetClassNameW(Dialog, Class, 16);
  if (!IsWindowVisible(Dialog) || std::wstring(Class) != L"#32770") return TRUE;
  const HWND Tree = FindWindowExW(Dialog, nullptr, WC_TREEVIEWW, nullptr);
  wchar_t Text[MAX_PATH] = {};
  TVITEMW Item{TVIF_TEXT, TreeView_GetSelection(Tree), 0, 0, Text, MAX_PATH, 0, 0, 0, 0};
  SelectedInTree = SendMessageW(Tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Item))
                       ? WideToAnsi(Text, 0)
                       : std::string();
  SendMessageW(Dialog, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK AcceptFolderDialogs(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &AcceptFolderDialog, 0);
}

std::filesystem::path ProgramFolder() {
  return std::filesystem::path(AppFileName()).parent_path();
}

TEST(Win32UserInteractionTest, TheFolderDialogOpensAtTheStartFolder) {
  TTemporaryFolder Temporary;
  std::filesystem::create_directories(Temporary.Path() / "logs" / "today");
  // A folder on drive C:, and one on Wine's drive of the Unix root.
  for (const std::filesystem::path& Start : {Temporary.Path() / "logs" / "today", ProgramFolder()}) {
    SelectedInTree.clear();
    const UINT_PTR Timer = SetTimer(nullptr, 0, 100, &AcceptFolderDialogs);
    const std::string Chosen = TWin32UserInteraction("ZQTTweaker")
                                   .BrowseFolder("Pick a folder", BIF_RETURNONLYFSDIRS,
                                                 Start.string());
    KillTimer(nullptr, Timer);
    EXPECT_EQ(Start.filename().string(), SelectedInTree);
    EXPECT_EQ(Start.string(), Chosen);
  }
}

}  // namespace
