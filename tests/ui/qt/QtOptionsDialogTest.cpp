// The dialog on screen: its widgets at their places, and clicks, keys and
// the tree's delay reaching the dialog's logic.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "QtOptionList.h"
#include "QtOptionsDialog.h"
#include "QtSheet.h"
#include "QtTimers.h"
#include "QtUserInteraction.h"
#include "RecordingInteraction.h"
#include "SelectionColour.h"
#include "TestSheets.h"
#include "TweakOptionPage.h"
#include "TweakOptionsMngr.h"

namespace {

// Whether Widget, drawn as it looks now, shows Colour anywhere in Area.
bool Paints(QWidget* Widget, const QRect& Area, const QColor& Colour) {
  const QImage Picture = Widget->grab(Area).toImage();
  for (int Y = 0; Y < Picture.height(); ++Y)
    for (int X = 0; X < Picture.width(); ++X)
      if (Picture.pixelColor(X, Y) == Colour) return true;
  return false;
}

// Runs Action once the next modal dialog is up.
void WhenModal(std::function<void(TQtOptionsDialog&)> Action) {
  QTimer::singleShot(0, [Action] {
    auto* Window = dynamic_cast<TQtOptionsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(nullptr, Window);
    Action(*Window);
  });
}

class QtOptionsDialogTest : public ::testing::Test {
 protected:
  TRecordingInteraction Interaction;
  TTestSheetRegistration Registration;
};

TEST_F(QtOptionsDialogTest, TheWidgetsSitWhereTheDialogPutsThem) {
  WhenModal([](TQtOptionsDialog& Window) {
    EXPECT_EQ(QSize(559, 367), Window.size());
    EXPECT_EQ(QRect(0, 0, 174, 367), Window.tvOptions->geometry());
    const int Right = Window.pnlOptionsSheet->width();
    EXPECT_EQ(QRect(Right - 181 - 75, 5, 75, 25), Window.btnOK->geometry());
    EXPECT_EQ(QRect(Right - 93 - 75, 5, 75, 25), Window.btnCancel->geometry());
    EXPECT_EQ(QRect(Right - 5 - 75, 5, 75, 25), Window.btnApply->geometry());
    EXPECT_EQ("&Apply", Window.btnApply->text());
    EXPECT_TRUE(Window.btnOK->isDefault());
    EXPECT_FALSE(Window.btnApply->isEnabled());
    EXPECT_EQ("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. 1.9.1",
              Window.windowTitle().toStdString());
    EXPECT_EQ("About ZQTTweaker", Window.tvOptions->currentItem()->text(0).toStdString());
    EXPECT_TRUE(Window.Item(NodeNamed(Window.Dialog(), "ZQT Desktop"))->isExpanded());
    Window.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
}

TEST_F(QtOptionsDialogTest, AGroupPageShowsItsHintAndAReleaseOnTheLabelExpands) {
  WhenModal([](TQtOptionsDialog& Window) {
    QTreeWidgetItem* Group = Window.Item(NodeNamed(Window.Dialog(), "ZQT Desktop"));
    Group->setExpanded(false);
    const QRect Label = Window.tvOptions->visualItemRect(Group);
    QTest::mouseClick(Window.tvOptions->viewport(), Qt::LeftButton, {},
                      Label.topLeft() + QPoint(4, 4));
    EXPECT_TRUE(Group->isExpanded());
    RunOut(Window.ChangeTimer());
    ASSERT_NE(nullptr, Window.CurrentSheet());
    EXPECT_EQ(&Window.CurrentSheet()->Sheet(), Window.Dialog().CurrentSheet());
    EXPECT_EQ("ZQT Desktop", Window.Dialog().Node(Window.Dialog().Selected()).Text);
    auto* Hint = Window.CurrentSheet()->findChild<QLabel*>("lbSheetBaseLabel");
    ASSERT_NE(nullptr, Hint);
    EXPECT_TRUE(Hint->isVisible());
    EXPECT_EQ(QPoint(104, 88), Hint->geometry().topLeft());
    EXPECT_GE(Hint->width(), std::max(167, Hint->sizeHint().width())) << "its whole text shows";
    Window.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
}

TEST_F(QtOptionsDialogTest, HoldingTheDownKeyCreatesOnlyThePageWhereTheSelectionRests) {
  WhenModal([](TQtOptionsDialog& Window) {
    Window.tvOptions->setFocus();
    for (int Step = 0; Step < 6; ++Step) QTest::keyClick(Window.tvOptions, Qt::Key_Down, {}, 10);
    EXPECT_EQ(1, PagesCreated(Window.Dialog()));
    EXPECT_EQ(TTweakerOptionsMain::ChangeDelay, Window.ChangeTimer().interval());
    RunOut(Window.ChangeTimer());
    EXPECT_EQ("Debug setting", Window.tvOptions->currentItem()->text(0).toStdString());
    EXPECT_EQ(2, PagesCreated(Window.Dialog()));
    Window.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
}

TEST_F(QtOptionsDialogTest, TheButtonsAndEscapeReachTheDialog) {
  WhenModal([](TQtOptionsDialog& Window) {
    dynamic_cast<TTestSheet<0>*>(Window.Dialog().CurrentSheet())->Edit();
    EXPECT_TRUE(Window.btnApply->isEnabled());
    QTest::mouseClick(Window.btnApply, Qt::LeftButton);
    EXPECT_FALSE(Window.btnApply->isEnabled());
    EXPECT_EQ(std::vector<std::string>{"Sheet0"}, AppliedSheets);
    QTest::keyClick(&Window, Qt::Key_Escape);
  });
  EXPECT_TRUE(ShowTweakerOptions("About ZQTTweaker"));
  WhenModal([](TQtOptionsDialog& Window) { QTest::mouseClick(Window.btnOK, Qt::LeftButton); });
  EXPECT_FALSE(ShowTweakerOptions("About ZQTTweaker"));
  EXPECT_EQ((std::vector<std::string>{"Sheet0", "Sheet0"}), AppliedSheets);
}

// A page with one number in its option list.
class TNumberSheet : public TTweakOptionPage {
 public:
  explicit TNumberSheet(TOptionsSheetOwner* Owner) : TTweakOptionPage(Owner) {
    Set.AddIntOption("Delay", "Delay description", "Key", "Delay", 1000,
                     TTweakOptionTarget::otDesktop);
    FormCreate(Set);
  }
  TTweakOptionSet Set;
};

// The real error box, closed as soon as it is up; how many were shown.
class TCountedErrorBoxes {
 public:
  TCountedErrorBoxes() : FPrevious(SetUserInteraction(&FBoxes)) {
    QObject::connect(&FCloser, &QTimer::timeout, [this] {
      if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ++Shown;
        Box->accept();
      }
    });
    FCloser.start(20);
  }
  ~TCountedErrorBoxes() { SetUserInteraction(FPrevious); }

  int Shown = 0;

 private:
  TQtUserInteraction FBoxes;
  TUserInteraction* FPrevious;
  QTimer FCloser;
};

class QtEditingDialogTest : public QtOptionsDialogTest {
 protected:
  QtEditingDialogTest() {
    Registration.Names.push_back(
        RegisterOptionsSheet("", "Numbers", TSheetClass::Of<TNumberSheet>()));
  }
  static TQtOptionList* List(TQtOptionsDialog& Window) {
    return Window.CurrentSheet()->findChild<TQtOptionList*>();
  }
  // Types Text into the number's editor, then presses Key (none: the
  // editor stays as it is).
  static QLineEdit* Type(TQtOptionsDialog& Window, const QString& Text) {
    Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    QTreeView* Grid = List(Window)->VTV;
    Grid->setFocus();
    Grid->setCurrentIndex(Grid->model()->index(0, 1));
    QTest::keyClick(Grid, Qt::Key_F2);
    auto* Editor = qobject_cast<QLineEdit*>(Grid->indexWidget(Grid->currentIndex()));
    if (Editor) Editor->setText(Text);
    return Editor;
  }
};

TEST_F(QtEditingDialogTest, LeavingAPageWithARefusedNumberTellsOnceAndKeepsPageAndHighlight) {
  TCountedErrorBoxes Boxes;
  WhenModal([&Boxes](TQtOptionsDialog& Window) {
    QLineEdit* Editor = Type(Window, "abc");
    ASSERT_NE(nullptr, Editor);
    QTreeWidgetItem* Numbers = Window.tvOptions->currentItem();
    QTreeWidgetItem* Other = Window.Item(NodeNamed(Window.Dialog(), "Desktop UI"));
    for (int Attempt = 1; Attempt <= 2; ++Attempt) {
      QTest::mouseClick(Window.tvOptions->viewport(), Qt::LeftButton, {},
                        Window.tvOptions->visualItemRect(Other).center());
      QCoreApplication::processEvents();
      EXPECT_EQ(Attempt, Boxes.Shown);
      EXPECT_EQ(Numbers, Window.tvOptions->currentItem());
      EXPECT_EQ(QList<QTreeWidgetItem*>{Numbers}, Window.tvOptions->selectedItems())
          << "the highlight stays on the page shown";
      EXPECT_FALSE(Window.ChangeTimer().isActive());
      EXPECT_EQ(Editor, List(Window)->Editor());
      EXPECT_EQ("abc", Editor->text().toStdString());
    }
    QTest::mouseClick(Window.btnCancel, Qt::LeftButton);
  });
  ShowTweakerOptions("Numbers");
  EXPECT_EQ(2, Boxes.Shown) << "Cancel closes without a word";
}

TEST_F(QtEditingDialogTest, EscapeCancelsTheEditThenTheDialog) {
  TCountedErrorBoxes Boxes;
  WhenModal([](TQtOptionsDialog& Window) {
    QLineEdit* Editor = Type(Window, "abc");
    ASSERT_NE(nullptr, Editor);
    QTest::keyClick(Editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(nullptr, List(Window)->Editor());
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ("1000", List(Window)->VTV->model()->index(0, 1).data().toString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  EXPECT_FALSE(ShowTweakerOptions("Numbers"));
  EXPECT_EQ(0, Boxes.Shown);
}

TEST_F(QtEditingDialogTest, TheCloseBoxClosesWhateverTheEditorHolds) {
  TCountedErrorBoxes Boxes;
  WhenModal([](TQtOptionsDialog& Window) {
    ASSERT_NE(nullptr, Type(Window, "abc"));
    Window.close();
  });
  ShowTweakerOptions("Numbers");
  QCoreApplication::processEvents();
  EXPECT_EQ(0, Boxes.Shown);
}

TEST_F(QtEditingDialogTest, TheSelectionsShowTheFocusedColoursOnlyWhereTheFocusIs) {
  WhenModal([](TQtOptionsDialog& Window) {
    ASSERT_NE(nullptr, Type(Window, "5"));
    QAbstractItemView* const Grid = List(Window)->VTV;
    QTest::keyClick(List(Window)->Editor(), Qt::Key_Return);
    const QColor Focused = QApplication::palette(Grid).color(QPalette::Active, QPalette::Highlight);
    const QRect Node = Window.tvOptions->visualItemRect(Window.tvOptions->currentItem());
    const QRect Row = Grid->visualRect(Grid->model()->index(0, 0));
    QAbstractItemView* const Tree = Window.tvOptions;
    for (QAbstractItemView* Focus : {Grid, Tree}) {
      Focus->setFocus();
      const bool InTree = Focus == Tree;
      QAbstractItemView* Other = InTree ? Grid : Tree;
      const QColor Inactive = Other->palette().color(QPalette::Highlight);
      EXPECT_NE(Focused, Inactive);
      EXPECT_GE(ContrastRatio(Other->palette().color(QPalette::Base).rgb() & 0xFFFFFF,
                              Inactive.rgb() & 0xFFFFFF),
                MinimumSelectionContrast)
          << "the unfocused selection stands out from the background";
      EXPECT_EQ(InTree, Paints(Window.tvOptions->viewport(), Node, Focused));
      EXPECT_EQ(!InTree, Paints(Window.tvOptions->viewport(), Node, Inactive));
      EXPECT_EQ(!InTree, Paints(Grid->viewport(), Row, Focused));
      EXPECT_EQ(InTree, Paints(Grid->viewport(), Row, Inactive));
    }
    Window.reject();
  });
  ShowTweakerOptions("Numbers");
}

TEST_F(QtEditingDialogTest, TabGoesFromTheTreeThroughThePageToTheButtons) {
  WhenModal([](TQtOptionsDialog& Window) {
    QLineEdit* Editor = Type(Window, "5");
    ASSERT_NE(nullptr, Editor);
    QTest::keyClick(Editor, Qt::Key_Return);
    Window.tvOptions->setFocus();
    std::vector<QWidget*> Order;
    for (int Step = 0; Step < 5; ++Step) {
      Order.push_back(QApplication::focusWidget());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ((std::vector<QWidget*>{Window.tvOptions, List(Window)->VTV, Window.btnOK,
                                     Window.btnCancel, Window.btnApply}),
              Order);
    Window.reject();
  });
  ShowTweakerOptions("Numbers");
}

}  // namespace
