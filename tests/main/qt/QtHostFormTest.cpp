// The run with Qt: the host form's widget stays hidden, the message loop
// ends at once after the dialog, and the test panel's widgets reach the
// form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "QtHostForm.h"
#include "QtOptionsDialog.h"
#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "TemporaryRegistry.h"
#include "TweakerPages.h"
#include "ZQTTweakerManager.h"

namespace {

class QtHostFormTest : public ::testing::Test {
 protected:
  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TQtApplicationFrontEnd Application;
};

TEST_F(QtHostFormTest, TheLoopEndsAtOnceAfterTheDialogAndTheHostFormIsNeverShown) {
  bool DialogUp = false;
  bool HostShown = false;
  QTimer::singleShot(0, [&] {
    QWidget* Dialog = QApplication::activeModalWidget();
    DialogUp = dynamic_cast<TQtOptionsDialog*>(Dialog) != nullptr;
    for (QWidget* Widget : QApplication::topLevelWidgets())
      if (dynamic_cast<TQtHostForm*>(Widget) && Widget->isVisible()) HostShown = true;
    if (Dialog) Dialog->close();
  });
  EXPECT_EQ(0, RunTweaker({}, Application));
  EXPECT_TRUE(DialogUp);
  EXPECT_FALSE(HostShown);
}

TEST_F(QtHostFormTest, APanelClickHandsTheEditsToTheFormAndShowsWhatItSets) {
  ZQTTweakOptions = std::make_unique<TZQTTweakOptionsManager>();
  RegisterTweakerPages();
  Device.SetValue(HKEY_CURRENT_USER, "Software\\ZQT\\ZQT\\Appearance", "StrikeOutCOmpleteTasks",
                  REG_DWORD, DwordBytes(0));
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  {
    TForm1 Form({}, Application);
    auto& Window = dynamic_cast<TQtHostForm&>(*Form.Window());
    static_cast<QLineEdit*>(Window.Widget(Form.edValue))->setText("$10");
    static_cast<QPushButton*>(Window.Widget(Form.btnRegWrite))->click();
    EXPECT_EQ("OK", static_cast<QLabel*>(Window.Widget(Form.lbResult))->text().toStdString());
    EXPECT_EQ("$10", Form.edValue.Text);
  }
  DWORD Type = REG_NONE;
  std::string Bytes;
  EXPECT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, "Software\\ZQT\\ZQT\\Appearance",
                                "StrikeOutCOmpleteTasks", Type, Bytes));
  EXPECT_EQ(DwordBytes(16), Bytes);
  UnregisterTweakerPages();
  ZQTTweakOptions.reset();
}

}  // namespace
