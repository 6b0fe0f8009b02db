// The hidden host form: its creation carries the whole run of the program
// (command line, the two managers, the option catalogue, the options
// dialog); its destruction releases the managers. It also holds a developer
// test panel for the device registry and device files, never shown. This is
// what the form does; a front end gives it a window and runs the
// application's message loop (TApplicationFrontEnd).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "SheetLayout.h"
#include "frTweakOptionsSet.h"

class TForm1;

// The application's title, which its message boxes carry.
inline constexpr char kApplicationTitle[] = "ZQTTweaker";

// A front end's window of the host form; destroying the object destroys
// the window.
class THostWindow {
 public:
  virtual ~THostWindow() = default;
};

// What the run needs of a toolkit's application object.
class TApplicationFrontEnd {
 public:
  virtual ~TApplicationFrontEnd() = default;
  // The host form's window over Form (borrowed), which outlives it; never
  // shown.
  virtual std::unique_ptr<THostWindow> CreateHostWindow(TForm1& Form) = 0;
  // The terminate request. It is queued: made before the message loop
  // runs, it ends the loop as soon as the loop starts, with ExitCode.
  virtual void Terminate(int ExitCode) = 0;
  // Runs the message loop until the terminate request; its exit code.
  virtual int Run() = 0;
};

// The whole run inside the application object: the catalogue and the pages
// first, then the hidden host form, whose creation runs the options dialog;
// at the end everything is released in the reverse order. The exit code.
int RunTweaker(const std::vector<std::string>& Arguments, TApplicationFrontEnd& Application);

// Writes the advanced switch for every argument that is one prefix
// character followed by "AdvancedOptions" in any letter case.
void ScanCommandLine(const std::vector<std::string>& Arguments);

// One control of the test panel: where it sits (pixels at 96 DPI) and its
// text, which a front end shows and, for an edit, hands back before each
// click.
struct TPanelControl {
  enum TKind { pcEdit, pcButton, pcLabel };

  std::string Name;
  TKind Kind;
  TSheetRect Bounds;
  std::string Text;
  // A button's click; reports its own errors.
  std::function<void()> OnClick;
};

class TForm1 {
 public:
  static const char* const Caption;
  // The form's place and size.
  static constexpr TSheetRect Bounds = {215, 162, 631, 636};
  static constexpr TSheetRect frTweakOptionsBounds = {16, 184, 393, 328};

  // Arguments: the command line without the program's own path. Runs the
  // creation handler.
  TForm1(const std::vector<std::string>& Arguments, TApplicationFrontEnd& Application);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  TPanelControl edKey;
  TPanelControl btnRegistryRead;
  TPanelControl lbResult;
  TPanelControl edCopyFrom;
  TPanelControl edCopyTo;
  TPanelControl btnCopy;
  TPanelControl lbCopyRes;
  TPanelControl edValueName;
  TPanelControl btnRegWrite;
  TPanelControl edValue;
  // Never bound to a set.
  TfrTweakOptions frTweakOptions;
  // No action.
  TPanelControl Button1;

  // The panel's controls in declaration order, the option list aside.
  std::vector<TPanelControl*> Controls();

  void btnRegistryReadClick();
  void btnRegWriteClick();
  void btnCopyClick();

  TRapiManager* RapiManager() const { return FRapiManager.get(); }
  // The front end's window of the form, made the first time it is asked
  // for: a window that is never shown costs the run nothing.
  THostWindow* Window();

 private:
  void FormCreate(const std::vector<std::string>& Arguments);
  void FormDestroy();

  TApplicationFrontEnd& FApplication;
  std::unique_ptr<THostWindow> FWindow;
  std::unique_ptr<TRapiManager> FRapiManager;
  std::unique_ptr<TRegistryManager> FRegistryManager;
};
