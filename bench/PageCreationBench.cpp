// What showing the troubleshooting page costs: selecting it in the dialog,
// with all twelve options (the advanced ones unlocked, a device that answers
// at once), until the page is drawn. The page is made anew for each
// selection, in a dialog of its own; the dialog's delay before it reports a
// selection is left out, as the time the user waits on purpose.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>

#include "BenchRatios.h"
#include "QtOptionsDialog.h"
#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "TweakOptionPage.h"
#include "TweakerPages.h"
#include "ZQTTweakerManager.h"

namespace {

constexpr int kOptionCount = 12;

// The program as it stands when its dialog is up: the advanced options
// unlocked, the device connected, the pages registered.
struct TPageBench {
  TPageBench() {
    RegWriteBool(kSettingsKey, kAdvancedValueName, true);
    Program.Start();
    RegisterTweakerPages();
  }
  ~TPageBench() { UnregisterTweakerPages(); }

  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TStartedCatalogue Program;
};

int NodeNamed(const TTweakerOptionsMain& Dialog, const std::string& Text) {
  for (int Node = 0; Node < Dialog.NodeCount(); ++Node)
    if (Dialog.Node(Node).Text == Text) return Node;
  return -1;
}

void TroubleshootingPage(benchmark::State& State) {
  TPageBench Bench;
  for (auto _ : State) {
    TTweakerOptionsMain Dialog;
    Dialog.SelectStartPage("About ZQTTweaker");
    TQtOptionsDialog Window(Dialog);
    Window.show();
    QApplication::processEvents();
    const auto Start = std::chrono::steady_clock::now();
    Window.tvOptions->setCurrentItem(Window.Item(NodeNamed(Dialog, "Debug setting")));
    QApplication::processEvents();
    Window.repaint();
    State.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    const auto* Page = dynamic_cast<const TTweakOptionPage*>(Dialog.CurrentSheet());
    if (!Page || Page->frTweakOptions.RowCount() != kOptionCount) {
      State.SkipWithError("the troubleshooting page did not show its twelve options");
      return;
    }
  }
}
BENCHMARK(TroubleshootingPage)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication Application(argc, argv);
  TQtOptionsDialogFrontEnd FrontEnd;
  SetOptionsDialogFrontEnd(&FrontEnd);
  return RunBenchmarksWithRatios(argc, argv,
                                 {{.Text = "troubleshooting page, selected until drawn",
                                   .Numerator = "TroubleshootingPage",
                                   .Limit = 0.016}});
}
