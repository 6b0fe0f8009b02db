#include "Win32HostForm.h"

#include "Win32OptionList.h"
#include "miniUtils.h"

namespace {

// The control class and style of a kind of control.
struct TControlClass {
  const wchar_t* Name;
  DWORD Style;
};

TControlClass ClassOf(TPanelControl::TKind Kind) {
  switch (Kind) {
    case TPanelControl::pcEdit:
      return {WC_EDITW, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL};
    case TPanelControl::pcButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON};
    case TPanelControl::pcLabel:
      break;
  }
  return {WC_STATICW, SS_NOPREFIX};
}

}  // namespace

// A control's identifier is its position in the form's list, from 1.
TWin32HostForm::TWin32HostForm(TForm1& Form)
    : TWin32Panel(nullptr, TForm1::Bounds, WS_OVERLAPPEDWINDOW, TForm1::Caption), FForm(Form) {
  int Id = 0;
  for (TPanelControl* Control : Form.Controls()) {
    const TControlClass Class = ClassOf(Control->Kind);
    FControls[Control] = CreateControl(Class.Name, Control->Text, WS_VISIBLE | Class.Style,
                                       Control->Bounds, Handle(), ++Id);
  }
  frTweakOptions = std::make_unique<TWin32OptionList>(Form.frTweakOptions, Handle(),
                                                      TForm1::frTweakOptionsBounds);
}

TWin32HostForm::~TWin32HostForm() = default;

LRESULT TWin32HostForm::PanelMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_COMMAND && HIWORD(WParam) == BN_CLICKED) {
    const std::vector<TPanelControl*> Controls = FForm.Controls();
    const int Id = LOWORD(WParam);
    if (Id >= 1 && Id <= static_cast<int>(Controls.size()) &&
        Controls[Id - 1]->Kind == TPanelControl::pcButton) {
      Click(*Controls[Id - 1]);
      return 0;
    }
  }
  return TWin32Panel::PanelMessage(Message, WParam, LParam);
}

// The edits' texts go to the form before the click, and every text comes
// back after it.
void TWin32HostForm::Click(TPanelControl& Button) {
  for (TPanelControl* Control : FForm.Controls())
    if (Control->Kind == TPanelControl::pcEdit) Control->Text = WindowText(this->Control(*Control));
  Button.OnClick();
  for (TPanelControl* Control : FForm.Controls())
    if (Control->Kind != TPanelControl::pcButton)
      SetWindowTextW(this->Control(*Control), AnsiToWide(Control->Text, 0).c_str());
}

std::unique_ptr<THostWindow> TWin32ApplicationFrontEnd::CreateHostWindow(TForm1& Form) {
  return std::make_unique<TWin32HostForm>(Form);
}

void TWin32ApplicationFrontEnd::Terminate(int ExitCode) { PostQuitMessage(ExitCode); }

int TWin32ApplicationFrontEnd::Run() {
  MSG Message;
  while (GetMessageW(&Message, nullptr, 0, 0) > 0) {
    TranslateMessage(&Message);
    DispatchMessageW(&Message);
  }
  return static_cast<int>(Message.wParam);
}
