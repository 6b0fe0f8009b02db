// The built program as a user runs it: its own process with a real window,
// closed with the keyboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DisplayDpi.h"
#include "TemporaryFolder.h"
#include "TemporaryRegistry.h"
#include "frmTweakerOptionsMain.h"

namespace {

const std::string kSettings = "Software\\Quorvanta\\Velora\\Settings";
constexpr char kAdvanced[] = "ZQTTweakerAdvanced";

std::filesystem::path ProgramFile() {
  std::string Name(32768, '\0');
  Name.resize(GetModuleFileNameA(nullptr, Name.data(), static_cast<DWORD>(Name.size())));
  return (std::filesystem::path(Name).parent_path() / ZQTTWEAKER_PROGRAM).lexically_normal();
}

void RemoveAdvancedSwitch() {
  HKEY Key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettings.c_str(), 0, KEY_SET_VALUE, &Key) != ERROR_SUCCESS)
    return;
  RegDeleteValueA(Key, kAdvanced);
  RegCloseKey(Key);
}

struct TFoundWindow {
  DWORD Process;
  HWND Window;
};

// A window of the process whose caption starts as the dialog's.
BOOL CALLBACK FindDialog(HWND Window, LPARAM Found) {
  auto& Search = *reinterpret_cast<TFoundWindow*>(Found);
  DWORD Process = 0;
  GetWindowThreadProcessId(Window, &Process);
  char Caption[256] = {};
  GetWindowTextA(Window, Caption, sizeof(Caption));
  if (Process != Search.Process || !IsWindowVisible(Window) ||
      std::string(Caption).rfind(TTweakerOptionsMain::DefaultCaption, 0) != 0)
    return TRUE;
  Search.Window = Window;
  return FALSE;
}

HWND WaitForDialog(DWORD Process) {
  for (int Attempt = 0; Attempt < 600; ++Attempt) {
    TFoundWindow Search{Process, nullptr};
    EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&Search));
    if (Search.Window) return Search.Window;
    Sleep(50);
  }
  return nullptr;
}

class ProgramProcessTest : public ::testing::Test {
 protected:
  ProgramProcessTest() { RemoveAdvancedSwitch(); }
  ~ProgramProcessTest() override { RemoveAdvancedSwitch(); }

  // The program's working folder, which holds no device library.
  TTemporaryFolder WorkingFolder;
  // One and a half times the pixels of 96 DPI.
  TDisplayDpi Dpi{144};
};

TEST_F(ProgramProcessTest,
       TheDialogIsScaledToTheDisplayAndEscapeEndsTheProgramWithTheSwitchWritten) {
  const std::string Program = ProgramFile().string();
  std::string CommandLine = "\"" + Program + "\" /AdvancedOptions";
  STARTUPINFOA Startup{};
  Startup.cb = sizeof(Startup);
  PROCESS_INFORMATION Started{};
  ASSERT_TRUE(CreateProcessA(Program.c_str(), CommandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, WorkingFolder.Path().string().c_str(), &Startup, &Started))
      << Program;
  const HWND Dialog = WaitForDialog(Started.dwProcessId);
  EXPECT_NE(nullptr, Dialog) << "no dialog came up";
  if (Dialog) {
    RECT Client{};
    GetClientRect(Dialog, &Client);
    EXPECT_EQ(MulDiv(559, 144, 96), Client.right);
    EXPECT_EQ(MulDiv(367, 144, 96), Client.bottom);
    // The key goes where the keyboard sends it: to the control with the
    // focus, once the dialog waits for input.
    WaitForInputIdle(Started.hProcess, 10000);
    GUITHREADINFO Thread{};
    Thread.cbSize = sizeof(Thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(Dialog, nullptr), &Thread);
    const HWND Focus = Thread.hwndFocus ? Thread.hwndFocus : Dialog;
    PostMessageA(Focus, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(Focus, WM_KEYUP, VK_ESCAPE, 1 | LPARAM(3) << 30);
  }
  const bool Ended = WaitForSingleObject(Started.hProcess, 30000) == WAIT_OBJECT_0;
  if (!Ended) TerminateProcess(Started.hProcess, 99);
  DWORD ExitCode = 0;
  GetExitCodeProcess(Started.hProcess, &ExitCode);
  CloseHandle(Started.hThread);
  CloseHandle(Started.hProcess);
  ASSERT_TRUE(Ended) << "the program did not end";
  EXPECT_EQ(0u, ExitCode);

  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, kSettings, kAdvanced, Type, Bytes));
  EXPECT_EQ(REG_DWORD, Type);
  EXPECT_EQ(DwordBytes(1), Bytes);
}

}  // namespace
