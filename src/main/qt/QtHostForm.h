// The host form and the application object with Qt: a hidden widget with
// the test panel, and the application's message loop.
#pragma once

#include <QWidget>
#include <map>

#include "main.h"

class QLineEdit;
class QLabel;
class TQtOptionList;

class TQtHostForm : public QWidget, public THostWindow {
  Q_OBJECT

 public:
  // Draws Form (borrowed), which outlives the widget.
  explicit TQtHostForm(TForm1& Form);

  // The widget of a control of the panel.
  QWidget* Widget(const TPanelControl& Control) const { return FWidgets.at(&Control); }

 private:
  void Click(TPanelControl& Button);

  TForm1& FForm;
  std::map<const TPanelControl*, QWidget*> FWidgets;
  TQtOptionList* frTweakOptions;
};

class TQtApplicationFrontEnd : public TApplicationFrontEnd {
 public:
  std::unique_ptr<THostWindow> CreateHostWindow(TForm1& Form) override;
  void Terminate(int ExitCode) override;
  int Run() override;
};
