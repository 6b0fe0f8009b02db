// Every fixed text of every page shows whole in the Windows front end, in
// the fonts Windows (here Wine) gives it, at 96, 120 and 144 DPI.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DisplayDpi.h"
#include "RecordingInteraction.h"
#include "Win32Sheet.h"
#include "frmTweakOptDebugging.h"
#include "frmTweakOptIntro.h"

namespace {

// Whether a static control's whole text fits in it, drawn in its font as it
// wraps or does not.
BOOL CALLBACK ExpectTextFits(HWND Control, LPARAM) {
  wchar_t Class[16] = {};
  GetClassNameW(Control, Class, 16);
  const LONG Style = GetWindowLongW(Control, GWL_STYLE);
  if (std::wstring(Class) != L"Static" || !(Style & WS_VISIBLE)) return TRUE;
  RECT Client{};
  GetClientRect(Control, &Client);
  const bool Wraps = (Style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
  RECT Needed{0, 0, Client.right, 0};
  const HDC Canvas = GetDC(Control);
  SelectObject(Canvas, reinterpret_cast<HFONT>(SendMessageW(Control, WM_GETFONT, 0, 0)));
  DrawTextW(Canvas, WindowTextW(Control).c_str(), -1, &Needed,
            DT_CALCRECT | DT_NOPREFIX | (Wraps ? DT_WORDBREAK : DT_SINGLELINE));
  ReleaseDC(Control, Canvas);
  const std::string Text = WindowText(Control);
  EXPECT_LE(Needed.right, Client.right) << Text;
  EXPECT_LE(Needed.bottom, Client.bottom) << Text;
  return TRUE;
}

void ExpectEveryTextFits(const TOptionsSheetBase& Page) {
  TWin32Panel Host(nullptr, {0, 0, 385, 334}, WS_POPUP);
  TWin32Sheet Sheet(Page, Host.Handle(), {0, 0, 385, 334});
  EnumChildWindows(Sheet.Handle(), &ExpectTextFits, 0);
}

TEST(Win32SheetTest, EveryFixedTextOfEveryPageFitsOnThisDisplay) {
  if (const char* Dpi = std::getenv("ZQT_TEST_DPI")) {
    const HDC Screen = GetDC(nullptr);
    EXPECT_EQ(std::atoi(Dpi), GetDeviceCaps(Screen, LOGPIXELSY));
    ReleaseDC(nullptr, Screen);
  }
  TRecordingInteraction Interaction;
  ExpectEveryTextFits(TOptionsSheetBase(nullptr));
  ExpectEveryTextFits(TTweakOptAbout(nullptr));
  ExpectEveryTextFits(TTweakOptDebugging(nullptr));
}

// The display's DPI is read when a program starts: the test above runs
// again in a process of its own at each.
TEST(Win32SheetTest, EveryFixedTextOfEveryPageFitsAt120And144Dpi) {
  char Self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, Self, MAX_PATH);
  for (const DWORD Dpi : {120u, 144u}) {
    TDisplayDpi Display(Dpi);
    SetEnvironmentVariableA("ZQT_TEST_DPI", std::to_string(Dpi).c_str());
    std::string CommandLine =
        std::string("\"") + Self +
        "\" --gtest_filter=Win32SheetTest.EveryFixedTextOfEveryPageFitsOnThisDisplay";
    STARTUPINFOA Startup{};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Started{};
    ASSERT_TRUE(CreateProcessA(Self, CommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                               nullptr, &Startup, &Started));
    const bool Ended = WaitForSingleObject(Started.hProcess, 60000) == WAIT_OBJECT_0;
    if (!Ended) TerminateProcess(Started.hProcess, 99);
    DWORD ExitCode = 99;
    GetExitCodeProcess(Started.hProcess, &ExitCode);
    CloseHandle(Started.hThread);
    CloseHandle(Started.hProcess);
    EXPECT_EQ(0u, ExitCode) << "at " << Dpi << " DPI";
    SetEnvironmentVariableA("ZQT_TEST_DPI", nullptr);
  }
}

}  // namespace
