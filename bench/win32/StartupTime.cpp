// How long a program takes from its start until its first window is up and
// waits for input, as a user sees it; the window is then closed with
// Escape and the program must end. Prints each run's time in milliseconds
// and their median.
//
//   zqt_startup_time RUNS PROGRAM [ARGUMENT...]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "WinCompat.h"

namespace {

struct TSearch {
  DWORD Process;
  HWND Window;
};

BOOL CALLBACK FindWindowOf(HWND Window, LPARAM Found) {
  auto& Search = *reinterpret_cast<TSearch*>(Found);
  DWORD Process = 0;
  GetWindowThreadProcessId(Window, &Process);
  if (Process != Search.Process || !IsWindowVisible(Window)) return TRUE;
  Search.Window = Window;
  return FALSE;
}

double Milliseconds(LARGE_INTEGER From, LARGE_INTEGER To) {
  LARGE_INTEGER Frequency;
  QueryPerformanceFrequency(&Frequency);
  return 1000.0 * static_cast<double>(To.QuadPart - From.QuadPart) /
         static_cast<double>(Frequency.QuadPart);
}

// One run: the time to an idle window, or a negative number on failure.
double Run(std::string CommandLine) {
  STARTUPINFOA Startup{};
  Startup.cb = sizeof(Startup);
  PROCESS_INFORMATION Started{};
  LARGE_INTEGER Start, Up;
  QueryPerformanceCounter(&Start);
  if (!CreateProcessA(nullptr, CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &Startup, &Started))
    return -1;
  TSearch Search{Started.dwProcessId, nullptr};
  WaitForInputIdle(Started.hProcess, 60000);
  for (int Attempt = 0; Attempt < 60000 && !Search.Window; ++Attempt) {
    EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&Search));
    if (!Search.Window) Sleep(1);
  }
  QueryPerformanceCounter(&Up);
  GUITHREADINFO Thread{};
  Thread.cbSize = sizeof(Thread);
  GetGUIThreadInfo(Started.dwThreadId, &Thread);
  const HWND Focus = Thread.hwndFocus ? Thread.hwndFocus : Search.Window;
  PostMessageA(Focus, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageA(Focus, WM_KEYUP, VK_ESCAPE, 1 | LPARAM(3) << 30);
  const bool Ended = WaitForSingleObject(Started.hProcess, 30000) == WAIT_OBJECT_0;
  if (!Ended) TerminateProcess(Started.hProcess, 1);
  CloseHandle(Started.hThread);
  CloseHandle(Started.hProcess);
  return Search.Window && Ended ? Milliseconds(Start, Up) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s RUNS PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const int Runs = std::atoi(argv[1]);
  std::string CommandLine;
  for (int Index = 2; Index < argc; ++Index)
    CommandLine += (Index > 2 ? " \"" : "\"") + std::string(argv[Index]) + "\"";
  std::vector<double> Times;
  for (int Index = 0; Index < Runs; ++Index) {
    const double Time = Run(CommandLine);
    if (Time < 0) {
      std::fprintf(stderr, "%s: no idle window, or it did not end\n", argv[2]);
      return 1;
    }
    std::printf("%.1f\n", Time);
    Times.push_back(Time);
  }
  std::sort(Times.begin(), Times.end());
  std::printf("median %.1f ms to an idle window: %s\n", Times[Times.size() / 2], argv[2]);
  return 0;
}
