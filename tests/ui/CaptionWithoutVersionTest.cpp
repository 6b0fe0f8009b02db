// Built into an executable without a version resource: the dialog's caption
// then ends in " Ver. " with nothing after it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "frmTweakerOptionsMain.h"

namespace {

TEST(UnversionedDialogTest, TheCaptionEndsWithAnEmptyVersion) {
  QString Caption;
  QTimer::singleShot(0, [&Caption] {
    QWidget* Dialog = QApplication::activeModalWidget();
    ASSERT_NE(nullptr, Dialog);
    Caption = Dialog->windowTitle();
    Dialog->close();
  });
  ShowTweakerOptions("About ZQTTweaker");
  EXPECT_EQ("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. ", Caption.toStdString());
}

}  // namespace
