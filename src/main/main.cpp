#include "main.h"

#include <QApplication>
#include <QCoreApplication>

#include "IntegerConversion.h"
#include "QtText.h"
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

void PostQuit(int ExitCode) {
  // Before the message loop runs, only a queued request ends it.
  QMetaObject::invokeMethod(
      qApp, [ExitCode] { QCoreApplication::exit(ExitCode); }, Qt::QueuedConnection);
}

}  // namespace

int RunTweaker(const std::vector<std::string>& Arguments) {
  RegisterTweakerPages();
  int ExitCode;
  {
    // The host form is never shown: the loop ends at the quit request its
    // creation posted.
    TForm1 Form1(Arguments);
    ExitCode = QApplication::exec();
  }
  UnregisterTweakerPages();
  return ExitCode;
}

void ScanCommandLine(const std::vector<std::string>& Arguments) {
  for (const std::string& Argument : Arguments)
    if (IsAdvancedOptionsSwitch(Argument)) RegWriteBool(kSettingsKey, kAdvancedValueName, true);
}

TForm1::TForm1(const std::vector<std::string>& Arguments) {
  CreateComponents();
  FormCreate(Arguments);
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::CreateComponents() {
  setWindowTitle("Form1");
  setFont(QFont("MS Sans Serif", 8));
  setGeometry(215, 162, 631, 636);
  auto AddEdit = [this](const char* Name, const char* Text, int X, int Y) {
    auto* Edit = new QLineEdit(Text, this);
    Edit->setObjectName(Name);
    Edit->setGeometry(X, Y, 200, 21);
    return Edit;
  };
  auto AddButton = [this](const char* Name, const char* Caption, int X, int Y) {
    auto* Button = new QPushButton(Caption, this);
    Button->setObjectName(Name);
    Button->setGeometry(X, Y, 75, 25);
    return Button;
  };
  auto AddLabel = [this](const char* Name, const char* Caption, int X, int Y) {
    auto* Label = new QLabel(Caption, this);
    Label->setObjectName(Name);
    Label->setGeometry(X, Y, 120, 13);
    return Label;
  };
  edKey = AddEdit("edKey", "Software\\ZQT\\ZQT\\Appearance", 16, 16);
  btnRegistryRead = AddButton("btnRegistryRead", "Read", 232, 14);
  lbResult = AddLabel("lbResult", "Result", 320, 20);
  edCopyFrom = AddEdit("edCopyFrom", "\\Temp\\ZQTUtil.log", 16, 112);
  edCopyTo = AddEdit("edCopyTo", "ZQTUtil.log", 16, 144);
  btnCopy = AddButton("btnCopy", "Copy", 232, 142);
  lbCopyRes = AddLabel("lbCopyRes", "Copy Result", 320, 148);
  edValueName = AddEdit("edValueName", "StrikeOutCOmpleteTasks", 16, 48);
  btnRegWrite = AddButton("btnRegWrite", "Write", 232, 46);
  edValue = AddEdit("edValue", "", 16, 80);
  frTweakOptions = new TQtOptionList(FUnboundOptions, this);
  frTweakOptions->setGeometry(16, 184, 393, 328);
  Button1 = AddButton("Button1", "Save!", 16, 536);
  connect(btnRegistryRead, &QPushButton::clicked, this,
          [this] { ReportErrorsOf([this] { btnRegistryReadClick(); }); });
  connect(btnRegWrite, &QPushButton::clicked, this,
          [this] { ReportErrorsOf([this] { btnRegWriteClick(); }); });
  connect(btnCopy, &QPushButton::clicked, this,
          [this] { ReportErrorsOf([this] { btnCopyClick(); }); });
}

void TForm1::FormCreate(const std::vector<std::string>& Arguments) {
  try {
    ScanCommandLine(Arguments);
    // Trying the device takes up to two seconds, with a wait cursor.
    UserInteraction().ShowBusy(true);
    FRapiManager = std::make_unique<TRapiManager>();
    UserInteraction().ShowBusy(false);
    FRegistryManager = std::make_unique<TRegistryManager>("", "", false, HKEY_CURRENT_USER);
    ZQTTweakOptions->BuildOptions(FRegistryManager.get(), FRapiManager.get());
    ShowTweakerOptions("About ZQTTweaker");
    PostQuit(0);
  } catch (const std::exception& Error) {
    UserInteraction().ShowError(Error.what());
    // The program ends instead of running on without a window.
    PostQuit(1);
  }
}

void TForm1::FormDestroy() {
  FRapiManager.reset();
  FRegistryManager.reset();
}

void TForm1::btnRegistryReadClick() {
  if (!FRapiManager->OpenKey(ToAnsi(edKey->text()), false, false)) {
    lbResult->setText("Error");
    return;
  }
  const int Value = FRapiManager->ReadInteger(ToAnsi(edValueName->text()), 0);
  edValue->setText(QString::number(static_cast<DWORD>(Value)));
  lbResult->setText("OK");
}

void TForm1::btnRegWriteClick() {
  if (!FRapiManager->OpenKey(ToAnsi(edKey->text()), false, false)) {
    lbResult->setText("Error");
    return;
  }
  FRapiManager->WriteInteger(ToAnsi(edValueName->text()), StrToInt(ToAnsi(edValue->text())));
  lbResult->setText("OK");
}

void TForm1::btnCopyClick() {
  try {
    FRapiManager->CopyFileFromDevice(ToAnsi(edCopyFrom->text()), ToAnsi(edCopyTo->text()), true);
    lbCopyRes->setText("OK");
  } catch (const std::exception& Error) {
    UserInteraction().ShowMessage(Error.what());
    lbCopyRes->setText("Error");
  }
}
