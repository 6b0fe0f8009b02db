#include "main.h"

#include "IntegerConversion.h"
#include "StringUtils.h"
#include "TweakerPages.h"
#include "UserInteraction.h"
#include "ZQTTweakerManager.h"
#include "frmTweakerOptionsMain.h"

namespace {

bool IsAdvancedOptionsSwitch(const std::string& Argument) {
  std::string Word = Trim(Argument);
  return !Word.empty() && AnsiSameText(Word.substr(1), "AdvancedOptions");
}

TPanelControl Edit(const char* Name, const char* Text, int Left, int Top) {
  return {Name, TPanelControl::pcEdit, {Left, Top, 200, 21}, Text, {}};
}

TPanelControl Label(const char* Name, const char* Caption, int Left, int Top) {
  return {Name, TPanelControl::pcLabel, {Left, Top, 120, 13}, Caption, {}};
}

TPanelControl Button(const char* Name, const char* Caption, int Left, int Top,
                     std::function<void()> OnClick) {
  return {Name, TPanelControl::pcButton, {Left, Top, 75, 25}, Caption, std::move(OnClick)};
}

}  // namespace

const char* const TForm1::Caption = "Form1";

int RunTweaker(const std::vector<std::string>& Arguments, TApplicationFrontEnd& Application) {
  RegisterTweakerPages();
  int ExitCode;
  {
    // The host form is never shown: the loop ends at the terminate request
    // its creation made.
    TForm1 Form1(Arguments, Application);
    ExitCode = Application.Run();
  }
  UnregisterTweakerPages();
  return ExitCode;
}

void ScanCommandLine(const std::vector<std::string>& Arguments) {
  for (const std::string& Argument : Arguments)
    if (IsAdvancedOptionsSwitch(Argument)) RegWriteBool(kSettingsKey, kAdvancedValueName, true);
}

TForm1::TForm1(const std::vector<std::string>& Arguments, TApplicationFrontEnd& Application)
    : edKey(Edit("edKey", "Software\\ZQT\\ZQT\\Appearance", 16, 16)),
      btnRegistryRead(Button("btnRegistryRead", "Read", 232, 14,
                             [this] { ReportErrorsOf([this] { btnRegistryReadClick(); }); })),
      lbResult(Label("lbResult", "Result", 320, 20)),
      edCopyFrom(Edit("edCopyFrom", "\\Temp\\ZQTUtil.log", 16, 112)),
      edCopyTo(Edit("edCopyTo", "ZQTUtil.log", 16, 144)),
      btnCopy(Button("btnCopy", "Copy", 232, 142,
                     [this] { ReportErrorsOf([this] { btnCopyClick(); }); })),
      lbCopyRes(Label("lbCopyRes", "Copy Result", 320, 148)),
      edValueName(Edit("edValueName", "StrikeOutCOmpleteTasks", 16, 48)),
      btnRegWrite(Button("btnRegWrite", "Write", 232, 46,
                         [this] { ReportErrorsOf([this] { btnRegWriteClick(); }); })),
      edValue(Edit("edValue", "", 16, 80)),
      Button1(Button("Button1", "Save!", 16, 536, [] {})),
      FApplication(Application) {
  FormCreate(Arguments);
}

TForm1::~TForm1() { FormDestroy(); }

THostWindow* TForm1::Window() {
  if (!FWindow) FWindow = FApplication.CreateHostWindow(*this);
  return FWindow.get();
}

std::vector<TPanelControl*> TForm1::Controls() {
  return {&edKey,     &btnRegistryRead, &lbResult,    &edCopyFrom, &edCopyTo, &btnCopy,
          &lbCopyRes, &edValueName,     &btnRegWrite, &edValue,    &Button1};
}

void TForm1::FormCreate(const std::vector<std::string>& Arguments) {
  try {
    ScanCommandLine(Arguments);
    // Trying the device takes up to two seconds. No window exists yet to
    // show a wait cursor on: the desktop's start-up feedback covers the wait
    // until the dialog shows.
    FRapiManager = std::make_unique<TRapiManager>();
    FRegistryManager = std::make_unique<TRegistryManager>("", "", false, HKEY_CURRENT_USER);
    ZQTTweakOptions->BuildOptions(FRegistryManager.get(), FRapiManager.get());
    ShowTweakerOptions("About ZQTTweaker");
    FApplication.Terminate(0);
  } catch (const std::exception& Error) {
    UserInteraction().ShowError(Error.what());
    // The program ends instead of running on without a window.
    FApplication.Terminate(1);
  }
}

void TForm1::FormDestroy() {
  FRapiManager.reset();
  FRegistryManager.reset();
}

void TForm1::btnRegistryReadClick() {
  if (!FRapiManager->OpenKey(edKey.Text, false, false)) {
    lbResult.Text = "Error";
    return;
  }
  const int Value = FRapiManager->ReadInteger(edValueName.Text, 0);
  edValue.Text = std::to_string(static_cast<DWORD>(Value));
  lbResult.Text = "OK";
}

void TForm1::btnRegWriteClick() {
  if (!FRapiManager->OpenKey(edKey.Text, false, false)) {
    lbResult.Text = "Error";
    return;
  }
  FRapiManager->WriteInteger(edValueName.Text, StrToInt(edValue.Text));
  lbResult.Text = "OK";
}

void TForm1::btnCopyClick() {
  try {
    FRapiManager->CopyFileFromDevice(edCopyFrom.Text, edCopyTo.Text, true);
    lbCopyRes.Text = "OK";
  } catch (const std::exception& Error) {
    UserInteraction().ShowMessage(Error.what());
    lbCopyRes.Text = "Error";
  }
}
