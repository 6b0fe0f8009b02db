// The option list on screen: keys, clicks and the editor reach the frame,
// and the grid shows what the frame says.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "QtOptionList.h"
#include "QtTimers.h"
#include "QtUserInteraction.h"
#include "TweakOptionsMngr.h"

namespace {

using enum TTweakOptionTarget;

// The list on screen, bound to a number and a yes/no option.
class QtOptionListTest : public ::testing::Test {
 protected:
  QtOptionListTest() {
    Set.AddIntOption("Größe", "Delay description", "Key", "Delay", 1000, otDesktop);
    Set.AddBoolOption("Log", "Log description", "Key", "Log", false, otDesktop);
    Frame.SetOptionSet(&Set);
    Frame.SetOnOptionChanged([this](const void*) { ++Changes; });
    Frame.FillList();
    List.resize(393, 328);
    List.show();
    List.activateWindow();
  }
  QModelIndex Cell(int Row, int Column) const { return List.VTV->model()->index(Row, Column); }
  int Number() { return dynamic_cast<TTweakOptionItemInt*>(Set.Items(0))->Value(); }
  QLineEdit* Editor() const {
    return qobject_cast<QLineEdit*>(List.VTV->indexWidget(List.VTV->currentIndex()));
  }
  void Focus(int Row) {
    List.VTV->setFocus();
    List.VTV->setCurrentIndex(Cell(Row, 1));
  }
  // Opens the number's editor with F2, types Text and presses Return.
  void Type(const QString& Text) {
    Focus(0);
    QTest::keyClick(List.VTV, Qt::Key_F2);
    ASSERT_NE(nullptr, Editor());
    Editor()->setText(Text);
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }

  TTweakOptionSet Set;
  TfrTweakOptions Frame;
  TQtOptionList List{Frame, nullptr};
  int Changes = 0;
};

TEST_F(QtOptionListTest, TheGridShowsTheFramesRowsInItsColumns) {
  ASSERT_EQ(2, List.VTV->model()->rowCount());
  EXPECT_EQ("Option", List.VTV->model()->headerData(0, Qt::Horizontal).toString());
  EXPECT_EQ("Value", List.VTV->model()->headerData(1, Qt::Horizontal).toString());
  EXPECT_EQ(QString::fromUtf8("Größe"), Cell(0, 0).data().toString());
  EXPECT_EQ("1000", Cell(0, 1).data().toString());
  EXPECT_EQ(Qt::Unchecked, Cell(1, 1).data(Qt::CheckStateRole).toInt());
  EXPECT_FALSE(Cell(0, 1).data(Qt::CheckStateRole).isValid());
  EXPECT_TRUE(Cell(0, 1).flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(Cell(1, 1).flags() & Qt::ItemIsEditable);
  EXPECT_EQ(300, List.VTV->columnWidth(0));
  EXPECT_EQ("Option description", List.GroupBox1->title());
  EXPECT_EQ(80, List.GroupBox1->height());
  EXPECT_EQ(QRect(4, 15, 384, 57), List.lbDescription->geometry())
      << "the description keeps its place in its box";
}

TEST_F(QtOptionListTest, AClickOnACheckBoxFocusesItsRow) {
  Focus(0);
  const QRect Value = List.VTV->visualRect(Cell(1, 1));
  QTest::mouseClick(List.VTV->viewport(), Qt::LeftButton, {},
                    QPoint(Value.left() + 8, Value.center().y()));
  EXPECT_TRUE(Frame.IsChecked(1));
  EXPECT_EQ(1, List.VTV->currentIndex().row());
  EXPECT_EQ("Log description", List.lbDescription->text());
}

TEST_F(QtOptionListTest, TheContextMenuResetsAndShowsChangesFromDefaults) {
  Type("5");
  auto Choose = [this](const char* Caption) {
    QTimer::singleShot(0, [Caption] {
      auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(nullptr, Menu);
      for (QAction* Action : Menu->actions())
        if (Action->text() == Caption) Menu->setActiveAction(Action);
      QTest::keyClick(Menu, Qt::Key_Return);
    });
    const QPoint Row = List.VTV->visualRect(Cell(0, 0)).center();
    QTest::mousePress(List.VTV->viewport(), Qt::RightButton, {}, Row);
    QTest::mouseRelease(List.VTV->viewport(), Qt::RightButton, {}, Row);
  };
  Choose(TfrTweakOptions::ShowChangesCaption);
  EXPECT_TRUE(TfrTweakOptions::ShowChanges());
  EXPECT_EQ(
      QString::fromUtf8("Größe\nDefault: 1000\ndesktop registry: HKEY_CURRENT_USER\\Key, Delay"),
      Cell(0, 0).data(Qt::ToolTipRole).toString());
  EXPECT_TRUE(Cell(0, 1).data(Qt::FontRole).value<QFont>().bold());
  Choose(TfrTweakOptions::ResetCaption);
  EXPECT_EQ(1000, Number());
  EXPECT_EQ(2, Changes) << "a reset is an edit";
  Choose(TfrTweakOptions::ShowChangesCaption);
  EXPECT_FALSE(TfrTweakOptions::ShowChanges());
}

TEST_F(QtOptionListTest, TheEditorAndTheCheckBoxReachTheFrame) {
  Type(" 42 ");
  EXPECT_EQ(42, Number());
  EXPECT_EQ(nullptr, Editor());
  EXPECT_EQ("42", Cell(0, 1).data().toString());
  Focus(1);
  QTest::keyClick(List.VTV, Qt::Key_Space);
  EXPECT_TRUE(Frame.IsChecked(1));
  EXPECT_EQ(Qt::Checked, Cell(1, 1).data(Qt::CheckStateRole).toInt());
  EXPECT_EQ(2, Changes);
  EXPECT_EQ("Log description", List.lbDescription->text());
  EXPECT_EQ(1, List.VTV->currentIndex().column()) << "the focus belongs to the Value column";
}

TEST_F(QtOptionListTest, ARealErrorBoxShowsOnceAndLeavesTheEditorOpenWithTheRejectedText) {
  TQtUserInteraction RealBoxes;
  TUserInteraction* Previous = SetUserInteraction(&RealBoxes);
  int BoxesShown = 0;
  QTimer Closer;
  QObject::connect(&Closer, &QTimer::timeout, [&BoxesShown] {
    if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++BoxesShown;
      Box->accept();
    }
  });
  Closer.start(50);
  Type("abc");
  SetUserInteraction(Previous);
  EXPECT_EQ(1, BoxesShown);
  ASSERT_NE(nullptr, Editor());
  EXPECT_EQ("abc", Editor()->text());
  EXPECT_EQ(1000, Number());
  EXPECT_EQ(0, Changes);
}

TEST_F(QtOptionListTest, AClickOnTheFocusedValueOpensTheEditorAfterAPause) {
  Focus(0);
  const QPoint Value = List.VTV->visualRect(Cell(0, 1)).center();
  QTest::mouseClick(List.VTV->viewport(), Qt::LeftButton, {}, Value);
  EXPECT_EQ(nullptr, Editor());
  EXPECT_EQ(TfrTweakOptions::EditDelay, List.EditTimer().interval());
  RunOut(List.EditTimer());
  ASSERT_NE(nullptr, Editor());
  EXPECT_EQ("1000", Editor()->text());
  EXPECT_TRUE(Editor()->hasFocus());
}

}  // namespace
