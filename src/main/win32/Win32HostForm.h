// The host form and the application object on Windows: a hidden top-level
// window with the test panel, and the thread's message loop.
#pragma once

#include <map>
#include <memory>

#include "Win32Window.h"
#include "main.h"

class TWin32OptionList;

class TWin32HostForm : public TWin32Panel, public THostWindow {
 public:
  // Draws Form (borrowed), which outlives the window.
  explicit TWin32HostForm(TForm1& Form);
  ~TWin32HostForm() override;

  // The control of a control of the panel.
  HWND Control(const TPanelControl& Control) const { return FControls.at(&Control); }

 protected:
  LRESULT PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;

 private:
  void Click(TPanelControl& Button);

  TForm1& FForm;
  std::map<const TPanelControl*, HWND> FControls;
  std::unique_ptr<TWin32OptionList> frTweakOptions;
};

class TWin32ApplicationFrontEnd : public TApplicationFrontEnd {
 public:
  std::unique_ptr<THostWindow> CreateHostWindow(TForm1& Form) override;
  // The thread's quit request.
  void Terminate(int ExitCode) override;
  int Run() override;
};
