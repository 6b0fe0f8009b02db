// The user's side of the program's messages: real message boxes, closed by
// a timer as soon as they are up.
#include "QtUserInteraction.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

struct TShownBox {
  QString Title;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// Shows a message through Show and returns what the box showed.
template <typename TShow>
TShownBox ShownBox(TShow&& Show) {
  TShownBox Shown;
  QTimer::singleShot(0, [&Shown] {
    auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(nullptr, Box);
    Shown = {Box->windowTitle(), Box->text(), Box->icon()};
    Box->accept();
  });
  TQtUserInteraction Interaction;
  Show(Interaction);
  return Shown;
}

TEST(QtUserInteractionTest, TheErrorReportHasAStopIconAndTheProgramsTitle) {
  TShownBox Box = ShownBox([](TQtUserInteraction& User) { User.ShowError("Failed to set data"); });
  EXPECT_EQ(QMessageBox::Critical, Box.Icon);
  EXPECT_EQ("ZQTTweaker", Box.Title.toStdString());
  EXPECT_EQ("Failed to set data", Box.Text.toStdString());
}

TEST(QtUserInteractionTest, EachLineBreakPairIsOneLineOnScreen) {
  TShownBox Box = ShownBox(
      [](TQtUserInteraction& User) { User.ShowMessage("copied:\n\rone\n\r\n\rsupport\r\nend"); });
  EXPECT_EQ(QMessageBox::NoIcon, Box.Icon);
  EXPECT_EQ("copied:\none\n\nsupport\nend", Box.Text.toStdString());
}

}  // namespace
