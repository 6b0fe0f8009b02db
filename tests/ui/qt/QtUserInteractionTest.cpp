// The user's side of the program's messages: real message boxes, closed by
// a timer as soon as they are up.
#include "QtUserInteraction.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "TemporaryFolder.h"
#include "miniUtils.h"

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

// The folder dialog through the program's folder selection, twice in one
// run: the first opens at the user's home, the next where the user chose
// before.
TEST(QtUserInteractionTest, TheFolderDialogOpensAtHomeThenWhereTheUserChoseLast) {
  TTemporaryFolder Chosen;
  const QString ChosenPath = QString::fromStdString(Chosen.Path().string());
  std::vector<std::string> OpenedAt;
  const auto ChooseWhenUp = [&](const QString& Folder) {
    QTimer::singleShot(0, [&OpenedAt, Folder] {
      auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(nullptr, Dialog);
      OpenedAt.push_back(Dialog->directory().absolutePath().toStdString());
      Dialog->setDirectory(Folder);
      QMetaObject::invokeMethod(Dialog, "accept");
    });
  };
  TQtUserInteraction Interaction;
  TUserInteraction* const Previous = SetUserInteraction(&Interaction);
  ChooseWhenUp(ChosenPath);
  EXPECT_EQ(ChosenPath.toStdString(), SelectFolder("Select a folder"));
  ChooseWhenUp(QDir::homePath());
  SelectFolder("Select a folder");
  SetUserInteraction(Previous);
  EXPECT_EQ((std::vector<std::string>{QDir::homePath().toStdString(), Chosen.Path().string()}),
            OpenedAt);
}

}  // namespace
