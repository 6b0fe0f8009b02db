#include "QtHostForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "QtOptionList.h"
#include "QtScale.h"
#include "QtText.h"

namespace {

QRect Place(const TSheetRect& Bounds) {
  return QRect(Bounds.Left, Bounds.Top, Bounds.Width, Bounds.Height);
}

QWidget* CreateWidget(const TPanelControl& Control, QWidget* Parent) {
  switch (Control.Kind) {
    case TPanelControl::pcEdit:
      return new QLineEdit(ToQString(Control.Text), Parent);
    case TPanelControl::pcButton:
      return new QPushButton(ToQString(Control.Text), Parent);
    case TPanelControl::pcLabel:
      break;
  }
  return new QLabel(ToQString(Control.Text), Parent);
}

}  // namespace

TQtHostForm::TQtHostForm(TForm1& Form) : FForm(Form) {
  setWindowTitle(TForm1::Caption);
  setFont(DialogFont());
  setGeometry(Place(TForm1::Bounds));
  for (TPanelControl* Control : Form.Controls()) {
    QWidget* Widget = CreateWidget(*Control, this);
    Widget->setObjectName(ToQString(Control->Name));
    Widget->setGeometry(Place(Control->Bounds));
    if (auto* Button = qobject_cast<QPushButton*>(Widget))
      connect(Button, &QPushButton::clicked, this, [this, Control] { Click(*Control); });
    FWidgets[Control] = Widget;
  }
  frTweakOptions = new TQtOptionList(Form.frTweakOptions, this);
  frTweakOptions->setGeometry(Place(TForm1::frTweakOptionsBounds));
}

// The edits' texts go to the form before the click, and every text comes
// back after it.
void TQtHostForm::Click(TPanelControl& Button) {
  for (TPanelControl* Control : FForm.Controls())
    if (auto* Edit = qobject_cast<QLineEdit*>(Widget(*Control)))
      Control->Text = ToAnsi(Edit->text());
  Button.OnClick();
  for (TPanelControl* Control : FForm.Controls()) {
    if (auto* Edit = qobject_cast<QLineEdit*>(Widget(*Control)))
      Edit->setText(ToQString(Control->Text));
    else if (auto* Label = qobject_cast<QLabel*>(Widget(*Control)))
      Label->setText(ToQString(Control->Text));
  }
}

std::unique_ptr<THostWindow> TQtApplicationFrontEnd::CreateHostWindow(TForm1& Form) {
  return std::make_unique<TQtHostForm>(Form);
}

void TQtApplicationFrontEnd::Terminate(int ExitCode) {
  // Before the message loop runs, only a queued request ends it.
  QMetaObject::invokeMethod(
      qApp, [ExitCode] { QCoreApplication::exit(ExitCode); }, Qt::QueuedConnection);
}

int TQtApplicationFrontEnd::Run() { return QApplication::exec(); }
