#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "QtUserInteraction.h"
#include "RecordingInteraction.h"
#include "TweakOptionsMngr.h"
#include "frTweakOptionsSet.h"

namespace {

using enum TTweakOptionTarget;

// A frame on screen, bound to a set of two numbers and two yes/no options.
class OptionGridTest : public ::testing::Test {
 protected:
  OptionGridTest() {
    Set.AddIntOption("Größe", "Delay description", "Key", "Delay", 1000, otDesktop);
    Set.AddBoolOption("Margins", "Margins description", "Key", "Margins", true, otDevice);
    Set.AddIntOption("TTL", "TTL description", "Key", "TTL", 90, otDevice);
    Set.AddBoolOption("Log", "Log description", "Key", "Log", false, otDesktop);
    Frame.SetOptionSet(&Set);
    Frame.SetOnOptionChanged([this](const void* Sender) {
      EXPECT_EQ(&Frame, Sender);
      ++Changes;
    });
    Frame.FillList();
    Frame.resize(393, 328);
    Frame.show();
    Frame.activateWindow();
  }
  QModelIndex Cell(int Row, int Column) const { return Frame.VTV->model()->index(Row, Column); }
  int Number(int Row) { return dynamic_cast<TTweakOptionItemInt*>(Set.Items(Row))->Value(); }
  bool Flag(int Row) { return dynamic_cast<TTweakOptionItemBool*>(Set.Items(Row))->Value(); }
  // The in-place editor of the focused cell, while it is open.
  QLineEdit* Editor() const {
    return qobject_cast<QLineEdit*>(Frame.VTV->indexWidget(Frame.VTV->currentIndex()));
  }
  bool Editing() const { return Editor() != nullptr; }
  // Focuses the row's Value cell and opens its editor with F2.
  QLineEdit* OpenEditor(int Row) {
    Frame.VTV->setFocus();
    Frame.VTV->setCurrentIndex(Cell(Row, 1));
    QTest::keyClick(Frame.VTV, Qt::Key_F2);
    return Editing() ? Editor() : nullptr;
  }
  void Type(int Row, const QString& Text) {
    QLineEdit* Edit = OpenEditor(Row);
    ASSERT_NE(nullptr, Edit);
    Edit->setText(Text);
    QTest::keyClick(Edit, Qt::Key_Return);
    // The view commits and closes the editor from its event queue.
    QCoreApplication::processEvents();
  }

  TTweakOptionSet Set;
  TfrTweakOptions Frame{nullptr};
  int Changes = 0;
};

TEST_F(OptionGridTest, RowsShowCaptionsNumbersAndCheckBoxes) {
  ASSERT_EQ(4, Frame.VTV->model()->rowCount());
  EXPECT_EQ("Option", Frame.VTV->model()->headerData(0, Qt::Horizontal).toString());
  EXPECT_EQ("Value", Frame.VTV->model()->headerData(1, Qt::Horizontal).toString());
  EXPECT_EQ(QString::fromUtf8("Größe"), Cell(0, 0).data().toString());
  EXPECT_EQ("1000", Cell(0, 1).data().toString());
  EXPECT_EQ("", Cell(1, 1).data().toString());
  EXPECT_EQ(Qt::Checked, Cell(1, 1).data(Qt::CheckStateRole).toInt());
  EXPECT_EQ(Qt::Unchecked, Cell(3, 1).data(Qt::CheckStateRole).toInt());
  EXPECT_FALSE(Cell(0, 1).data(Qt::CheckStateRole).isValid());
  EXPECT_EQ(Set.Items(2), Frame.NodeToItem(2));
  EXPECT_EQ(nullptr, Frame.NodeToItem(4));
  EXPECT_EQ(300, Frame.VTV->columnWidth(0));
  EXPECT_EQ(0, Changes) << "filling the list reports no change";
}

TEST_F(OptionGridTest, TypedNumbersAreStoredAndEachEditIsReported) {
  const std::pair<const char*, int> Cases[] = {
      {" 42 ", 42}, {"-5", -5}, {"0", 0}, {"$10", 16}, {"0x10", 16}};
  int Expected = 0;
  for (const auto& [Text, Value] : Cases) {
    Type(0, Text);
    EXPECT_EQ(Value, Number(0)) << Text;
    EXPECT_EQ(++Expected, Changes) << Text;
    EXPECT_FALSE(Editing()) << Text;
  }
}

TEST_F(OptionGridTest, AChangedTextIsReportedEvenForTheSameNumberAndAnUnchangedOneIsNot) {
  Type(2, "90");
  EXPECT_EQ(0, Changes);
  Type(2, "090");
  EXPECT_EQ(90, Number(2));
  EXPECT_EQ(1, Changes);
}

TEST_F(OptionGridTest, TextThatIsNoNumberIsReportedAndKeptInTheOpenEditor) {
  TRecordingInteraction Interaction;
  for (const char* Text : {"abc", "2147483648"}) {
    Interaction.Errors.clear();
    Type(0, QString(" ") + Text);
    EXPECT_EQ(std::vector<std::string>{"'" + std::string(Text) + "' is not a valid integer value"},
              Interaction.Errors);
    ASSERT_TRUE(Editing());
    EXPECT_EQ(QString(" ") + Text, Editor()->text());
    QTest::keyClick(Editor(), Qt::Key_Escape);
  }
  EXPECT_EQ(1000, Number(0));
  EXPECT_EQ(0, Changes);
}

TEST_F(OptionGridTest, ARealErrorBoxLeavesTheEditorOpenWithTheRejectedText) {
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
  Type(0, "abc");
  QTest::qWait(200);
  SetUserInteraction(Previous);
  EXPECT_EQ(1, BoxesShown);
  ASSERT_TRUE(Editing());
  EXPECT_EQ("abc", Editor()->text());
  EXPECT_EQ(1000, Number(0));
  EXPECT_EQ(0, Changes);
}

TEST_F(OptionGridTest, OnlyTheValueOfANumberCanBeEdited) {
  EXPECT_TRUE(Cell(0, 1).flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(Cell(0, 0).flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(Cell(1, 1).flags() & Qt::ItemIsEditable);
  EXPECT_EQ(nullptr, OpenEditor(1));
  EXPECT_FALSE(Frame.VTVEditing(0, 0));
  EXPECT_FALSE(Frame.VTVEditing(7, 1));
}

TEST_F(OptionGridTest, TogglingACheckBoxTwiceReportsTwiceAndLeavesTheOptionUnmodified) {
  Frame.VTV->setFocus();
  Frame.VTV->setCurrentIndex(Cell(3, 1));
  QTest::keyClick(Frame.VTV, Qt::Key_Space);
  EXPECT_TRUE(Flag(3));
  QTest::keyClick(Frame.VTV, Qt::Key_Space);
  EXPECT_FALSE(Flag(3));
  EXPECT_EQ(2, Changes);
  EXPECT_FALSE(dynamic_cast<TTweakOptionItemBool*>(Set.Items(3))->Modified());
}

TEST_F(OptionGridTest, TheDescriptionFollowsTheFocusedRow) {
  EXPECT_EQ("", Frame.lbDescription->text());
  Frame.VTV->setCurrentIndex(Cell(2, 0));
  EXPECT_EQ("TTL description", Frame.lbDescription->text());
  EXPECT_EQ(1, Frame.VTV->currentIndex().column()) << "the focus belongs to the Value column";
  QTest::keyClick(Frame.VTV, Qt::Key_Up);
  EXPECT_EQ("Margins description", Frame.lbDescription->text());
}

TEST_F(OptionGridTest, AClickOnTheFocusedValueOpensTheEditorAfterAPause) {
  Frame.VTV->setCurrentIndex(Cell(0, 1));
  const QPoint Value = Frame.VTV->visualRect(Cell(0, 1)).center();
  QTest::mouseClick(Frame.VTV->viewport(), Qt::LeftButton, {}, Value);
  EXPECT_FALSE(Editing());
  EXPECT_TRUE(QTest::qWaitFor([this] { return Editing(); }, 2000));
}

TEST(UnboundOptionGridTest, AFrameWithoutASetShowsNoRows) {
  TfrTweakOptions Frame(nullptr);
  Frame.FillList();
  EXPECT_EQ(0, Frame.VTV->model()->rowCount());
  EXPECT_EQ("", Frame.VTVGetText(0, 0));
}

}  // namespace
