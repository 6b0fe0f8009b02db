// What starting the program costs, as whole processes on an X server of the
// benchmark's own: from the start of a process until its dialog was shown,
// idle, and closed as a window manager closes a window; and the most memory
// the process held in its whole run. The program runs without a device
// library and with a device that answers at once, beside the bare dialog
// program (BareDialog.cpp), in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "BenchRatios.h"
#include "ChildProcess.h"
#include "RegistryMngr.h"
#include "SimulatedDevice.h"
#include "TemporaryRegistry.h"
#include "ZQTTweakerManager.h"

extern char** environ;

namespace {

using std::chrono::steady_clock;

constexpr auto kShowTimeout = std::chrono::seconds(20);

// An X server of the benchmark's own, and a connection to it that sees every
// top-level window being mapped.
class TXServer {
 public:
  TXServer()
      : FServer("/usr/bin/Xvfb",
                {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}) {
    std::string Number;
    if (!FServer.ReadLine(Number)) return;
    FDisplay = ":" + Number;
    FConnection = xcb_connect(FDisplay.c_str(), nullptr);
    if (xcb_connection_has_error(FConnection)) return;
    const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
    const std::uint32_t Events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(FConnection, Root, XCB_CW_EVENT_MASK, &Events);
    FProtocols = Atom("WM_PROTOCOLS");
    FDeleteWindow = Atom("WM_DELETE_WINDOW");
  }
  ~TXServer() {
    if (FConnection) xcb_disconnect(FConnection);
  }
  TXServer(const TXServer&) = delete;
  TXServer& operator=(const TXServer&) = delete;

  bool Running() const { return FConnection && !xcb_connection_has_error(FConnection); }
  const std::string& Display() const { return FDisplay; }

  // The next top-level window that is mapped; none when none is within
  // Timeout.
  std::optional<xcb_window_t> NextMappedWindow(steady_clock::duration Timeout) {
    return NextEvent(Timeout, [](const xcb_generic_event_t& Event) -> std::optional<xcb_window_t> {
      if ((Event.response_type & 0x7F) != XCB_MAP_NOTIFY) return std::nullopt;
      const auto& Mapped = reinterpret_cast<const xcb_map_notify_event_t&>(Event);
      if (Mapped.override_redirect) return std::nullopt;
      return Mapped.window;
    });
  }

  // Whether Window went off the screen within Timeout.
  bool WaitUntilUnmapped(xcb_window_t Window, steady_clock::duration Timeout) {
    return NextEvent(Timeout, [Window](const xcb_generic_event_t& Event) -> std::optional<bool> {
             if ((Event.response_type & 0x7F) != XCB_UNMAP_NOTIFY) return std::nullopt;
             const auto& Unmapped = reinterpret_cast<const xcb_unmap_notify_event_t&>(Event);
             if (Unmapped.window != Window) return std::nullopt;
             return true;
           })
        .has_value();
  }

  // Asks Window to close, as a window manager does when its close box is
  // clicked.
  void Close(xcb_window_t Window) {
    xcb_client_message_event_t Message{};
    Message.response_type = XCB_CLIENT_MESSAGE;
    Message.format = 32;
    Message.window = Window;
    Message.type = FProtocols;
    Message.data.data32[0] = FDeleteWindow;
    Message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(FConnection, false, Window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&Message));
    xcb_flush(FConnection);
  }

 private:
  // The first answer of Match to an event that arrives within Timeout.
  template <typename TMatch>
  auto NextEvent(steady_clock::duration Timeout, TMatch&& Match)
      -> decltype(Match(std::declval<const xcb_generic_event_t&>())) {
    const auto Deadline = steady_clock::now() + Timeout;
    for (;;) {
      while (xcb_generic_event_t* Event = xcb_poll_for_event(FConnection)) {
        const auto Answer = Match(*Event);
        std::free(Event);
        if (Answer) return Answer;
      }
      const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(
          Deadline - steady_clock::now());
      pollfd Connection{xcb_get_file_descriptor(FConnection), POLLIN, 0};
      if (Left.count() <= 0 || poll(&Connection, 1, static_cast<int>(Left.count())) <= 0)
        return std::nullopt;
    }
  }

  xcb_atom_t Atom(const char* Name) {
    auto* Reply = xcb_intern_atom_reply(
        FConnection, xcb_intern_atom(FConnection, false, std::strlen(Name), Name), nullptr);
    const xcb_atom_t Result = Reply ? Reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(Reply);
    return Result;
  }

  TChildProcess FServer;
  std::string FDisplay;
  xcb_connection_t* FConnection = nullptr;
  xcb_atom_t FProtocols = XCB_ATOM_NONE;
  xcb_atom_t FDeleteWindow = XCB_ATOM_NONE;
};

struct TProcessRun {
  bool Closed = false;
  double Seconds = 0;
  // The most memory the process held, in KiB.
  double PeakMemory = 0;
  // The processor time it took in its whole run, in milliseconds.
  double ProcessorTime = 0;
};

// Starts Program with the benchmark's environment and Settings before it,
// closes the first window it shows and waits for its end. The time runs
// from the start of the process until the window went off the screen: the
// program got to it once it had done what it did before the window showed
// and then drawn it.
TProcessRun RunUntilShownAndClosed(TXServer& Server, const std::string& Program,
                                   const std::vector<std::string>& Settings) {
  std::vector<std::string> Environment(Settings);
  Environment.push_back("DISPLAY=" + Server.Display());
  Environment.push_back("QT_QPA_PLATFORM=xcb");
  for (char** Entry = environ; *Entry; ++Entry) Environment.emplace_back(*Entry);
  std::vector<char*> EnvironmentPointers;
  for (std::string& Entry : Environment) EnvironmentPointers.push_back(Entry.data());
  EnvironmentPointers.push_back(nullptr);
  std::string Name = Program;
  char* const Arguments[] = {Name.data(), nullptr};
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  TProcessRun Run;
  const auto Start = steady_clock::now();
  pid_t Child = -1;
  const bool Started = posix_spawn(&Child, Program.c_str(), &Actions, nullptr, Arguments,
                                   EnvironmentPointers.data()) == 0;
  posix_spawn_file_actions_destroy(&Actions);
  if (!Started) return Run;
  const std::optional<xcb_window_t> Window = Server.NextMappedWindow(kShowTimeout);
  if (Window) Server.Close(*Window);
  const bool Unmapped = Window && Server.WaitUntilUnmapped(*Window, kShowTimeout);
  Run.Seconds = std::chrono::duration<double>(steady_clock::now() - Start).count();
  if (!Unmapped) kill(Child, SIGKILL);
  int Status = 0;
  rusage Usage{};
  wait4(Child, &Status, 0, &Usage);
  Run.Closed = Unmapped && WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
  Run.PeakMemory = static_cast<double>(Usage.ru_maxrss);
  Run.ProcessorTime = (Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) * 1e3 +
                      (Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) / 1e3;
  return Run;
}

// What the programs share: the X server, a desktop registry with the
// advanced options unlocked, and a device that answers at once.
struct TStartupBench {
  TStartupBench() { RegWriteBool(kSettingsKey, kAdvancedValueName, true); }

  TXServer Server;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
};

TStartupBench* Bench = nullptr;

void MeasureProcess(benchmark::State& State, const std::string& Program,
                    const std::vector<std::string>& Settings) {
  if (!Bench->Server.Running()) {
    State.SkipWithError("the X server did not start");
    return;
  }
  double PeakMemory = 0;
  double ProcessorTime = 0;
  for (auto _ : State) {
    const TProcessRun Run = RunUntilShownAndClosed(Bench->Server, Program, Settings);
    if (!Run.Closed) {
      State.SkipWithError("the program did not show a window and end when it was closed");
      return;
    }
    State.SetIterationTime(Run.Seconds);
    PeakMemory += Run.PeakMemory;
    ProcessorTime += Run.ProcessorTime;
  }
  State.counters["peak_memory_kib"] =
      benchmark::Counter(PeakMemory, benchmark::Counter::kAvgIterations);
  State.counters["processor_ms"] =
      benchmark::Counter(ProcessorTime, benchmark::Counter::kAvgIterations);
}

void BareDialog(benchmark::State& State) { MeasureProcess(State, BARE_DIALOG_PROGRAM, {}); }
BENCHMARK(BareDialog)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

void ProgramWithoutDeviceLibrary(benchmark::State& State) {
  MeasureProcess(State, ZQTTWEAKER_PROGRAM,
                 {"ZQT_REGISTRY_FILE=" + Bench->Registry.StoreFile(),
                  "ZQT_RAPI_LIBRARY=" + Bench->Registry.Folder().File("no-device-library.so")});
}
BENCHMARK(ProgramWithoutDeviceLibrary)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

void ProgramWithDevice(benchmark::State& State) {
  MeasureProcess(State, ZQTTWEAKER_PROGRAM,
                 {"ZQT_REGISTRY_FILE=" + Bench->Registry.StoreFile(),
                  "ZQT_RAPI_LIBRARY=" + DeviceLibraryFile(TDeviceLibrary::Full)});
}
BENCHMARK(ProgramWithDevice)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  TStartupBench Setup;
  Bench = &Setup;
  return RunBenchmarksWithRatios(
      argc, argv,
      {{.Text = "start-up without a device library, time against the bare dialog",
        .Numerator = "ProgramWithoutDeviceLibrary",
        .Denominator = "BareDialog",
        .Limit = 1.10},
       {.Text = "start-up with a device, time against the bare dialog",
        .Numerator = "ProgramWithDevice",
        .Denominator = "BareDialog",
        .Limit = 1.10},
       {.Text = "peak memory with a device, against the bare dialog",
        .Numerator = "ProgramWithDevice",
        .Denominator = "BareDialog",
        .Limit = 1.15,
        .Counter = "peak_memory_kib"},
       {.Text = "peak memory without a device library, against the bare dialog",
        .Numerator = "ProgramWithoutDeviceLibrary",
        .Denominator = "BareDialog",
        .Limit = 1.15,
        .Counter = "peak_memory_kib"}});
}
