// How long programs take from their start until their first window is up
// and waits for input, as a user sees it; each window is then closed with
// Escape and its program must end. The programs take turns start by start,
// in a random order each round, so that a machine busy for a while slows
// them alike. Prints each program's median with its quartiles, then each
// program's time against the first one's: the ratio of the medians, beside
// Limit, and the quartiles of the rounds' ratios as its spread.
//
//   zqt_startup_time ROUNDS LIMIT BASELINE PROGRAM...
//
// Each program is NAME=COMMAND LINE: a name to print and the whole command
// line that starts it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "WinCompat.h"

namespace {

struct TProgram {
  std::string Name;
  std::string CommandLine;
  std::vector<double> Times;
};

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

// One start: the time to an idle window, or a negative number on failure.
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

// The value below which Share of the sorted Values lie.
double Quantile(std::vector<double> Values, double Share) {
  std::sort(Values.begin(), Values.end());
  const double Place = Share * static_cast<double>(Values.size() - 1);
  const auto Below = static_cast<size_t>(Place);
  const size_t Above = std::min(Below + 1, Values.size() - 1);
  return Values[Below] + (Values[Above] - Values[Below]) * (Place - static_cast<double>(Below));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s ROUNDS LIMIT BASELINE PROGRAM...\n", argv[0]);
    return 2;
  }
  const int Rounds = std::atoi(argv[1]);
  const double Limit = std::atof(argv[2]);
  std::vector<TProgram> Programs;
  for (int Index = 3; Index < argc; ++Index) {
    const std::string Argument = argv[Index];
    const size_t Equals = Argument.find('=');
    Programs.push_back({Argument.substr(0, Equals), Argument.substr(Equals + 1), {}});
  }
  std::vector<size_t> Order(Programs.size());
  for (size_t Index = 0; Index < Order.size(); ++Index) Order[Index] = Index;
  std::mt19937 Random{std::random_device{}()};
  for (int Round = 0; Round < Rounds; ++Round) {
    std::shuffle(Order.begin(), Order.end(), Random);
    for (size_t Index : Order) {
      TProgram& Program = Programs[Index];
      const double Time = Run(Program.CommandLine);
      if (Time < 0) {
        std::fprintf(stderr, "%s: no idle window, or it did not end\n", Program.Name.c_str());
        return 1;
      }
      Program.Times.push_back(Time);
    }
  }
  for (const TProgram& Program : Programs)
    std::printf("%s: median %.1f ms to an idle window (quartiles %.1f to %.1f)\n",
                Program.Name.c_str(), Quantile(Program.Times, 0.5), Quantile(Program.Times, 0.25),
                Quantile(Program.Times, 0.75));
  const TProgram& Baseline = Programs.front();
  for (size_t Index = 1; Index < Programs.size(); ++Index) {
    const TProgram& Program = Programs[Index];
    std::vector<double> Ratios;
    for (int Round = 0; Round < Rounds; ++Round)
      Ratios.push_back(Program.Times[Round] / Baseline.Times[Round]);
    const double Ratio = Quantile(Program.Times, 0.5) / Quantile(Baseline.Times, 0.5);
    std::printf("%s, time against %s: %.3f (at most %.2f: %s), quartiles of the rounds' ratios "
                "%.3f to %.3f\n",
                Program.Name.c_str(), Baseline.Name.c_str(), Ratio, Limit,
                Ratio <= Limit ? "within" : "NOT within", Quantile(Ratios, 0.25),
                Quantile(Ratios, 0.75));
  }
  return 0;
}
