// The scenarios on the Qt front end: the program's dialog on real widgets,
// offscreen, driven through the window system's input as a person's mouse
// and keys give it; its message boxes, menus and folder dialog read and
// answered by a watcher.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "QtOptionList.h"
#include "QtOptionsDialog.h"
#include "QtSheet.h"
#include "QtText.h"
#include "QtUserInteraction.h"
#include "Scenario.h"

// The window system's mouse input, as the test library gives it.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* Window, const QPointF& Local, const QPointF& Global,
                                      Qt::MouseButtons State, Qt::MouseButton Button,
                                      QEvent::Type Type, Qt::KeyboardModifiers Modifiers,
                                      int Timestamp);

namespace {

// The input's clock: each click a second after the one before, so that
// only a double click is taken for one.
int Clock = 0;

void Mouse(QWidget* Widget, const QPoint& At, Qt::MouseButton Button, QEvent::Type Type, int Time) {
  QWidget* Window = Widget->window();
  const QPointF Local = Widget->mapTo(Window, At);
  const Qt::MouseButtons State = Type == QEvent::MouseButtonPress ? Button : Qt::NoButton;
  qt_handleMouseEvent(Window->windowHandle(), Local, Window->mapToGlobal(Local), State, Button,
                      Type, Qt::NoModifier, Time);
  QCoreApplication::processEvents();
}

// A person's click: press, 100 ms, release.
void PersonClick(QWidget* Widget, const QPoint& At, Qt::MouseButton Button = Qt::LeftButton) {
  Clock += 1000;
  Mouse(Widget, At, Button, QEvent::MouseButtonPress, Clock);
  QTest::qWait(100);
  Mouse(Widget, At, Button, QEvent::MouseButtonRelease, Clock + 100);
}

void DoubleClick(QWidget* Widget, const QPoint& At) {
  Clock += 1000;
  for (int Time : {0, 100}) {
    Mouse(Widget, At, Qt::LeftButton, QEvent::MouseButtonPress, Clock + Time);
    Mouse(Widget, At, Qt::LeftButton, QEvent::MouseButtonRelease, Clock + Time + 50);
  }
}

struct TKeyName {
  const char* Name;
  Qt::Key Key;
  Qt::KeyboardModifiers Modifiers;
};

const TKeyName KeyNames[] = {{"F2", Qt::Key_F2, Qt::NoModifier},
                             {"Space", Qt::Key_Space, Qt::NoModifier},
                             {"Return", Qt::Key_Return, Qt::NoModifier},
                             {"Tab", Qt::Key_Tab, Qt::NoModifier},
                             {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier},
                             {"Escape", Qt::Key_Escape, Qt::NoModifier},
                             {"Up", Qt::Key_Up, Qt::NoModifier},
                             {"Down", Qt::Key_Down, Qt::NoModifier},
                             {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier},
                             {"Menu", Qt::Key_Menu, Qt::NoModifier},
                             {"Alt+A", Qt::Key_A, Qt::AltModifier}};

class TQtScenarioDriver : public TScenarioDriver {
 public:
  explicit TQtScenarioDriver(TQtOptionsDialog& Window) : W(Window) {
    QObject::connect(&FWatcher, &QTimer::timeout, [this] { Watch(); });
    FWatcher.start(20);
  }

  void SelectNode(const std::string& Caption) override {
    for (int Node = 0; Node < W.Dialog().NodeCount(); ++Node) {
      if (W.Dialog().Node(Node).Text != Caption) continue;
      const QRect Label = W.tvOptions->visualItemRect(W.Item(Node));
      PersonClick(W.tvOptions->viewport(), QPoint(Label.left() + 8, Label.center().y()));
    }
  }
  void ClickCell(int Row, int Column, TClick Click) override {
    TQtOptionList* List = ShownList();
    const QRect Cell = List ? CellRect(*List, Row, Column) : QRect();
    if (Cell.isNull()) return;
    const bool OnBox = Click == TClick::ckCheckBox && Row < List->VTV->model()->rowCount();
    const QPoint At = OnBox ? List->CheckBoxRect(Row).center() : Cell.center();
    if (Click == TClick::ckDouble)
      DoubleClick(List->VTV->viewport(), At);
    else
      PersonClick(List->VTV->viewport(), At);
  }
  void RightClickRow(int Row) override {
    TQtOptionList* List = ShownList();
    const QRect Cell = List ? CellRect(*List, Row, 0) : QRect();
    if (!Cell.isNull()) PersonClick(List->VTV->viewport(), Cell.center(), Qt::RightButton);
  }
  void PressKey(const std::string& Name) override {
    for (const TKeyName& Key : KeyNames) {
      if (Name != Key.Name) continue;
      QTest::keyClick(KeyWindow(), Key.Key, Key.Modifiers);
    }
  }
  void Type(const std::string& Text) override {
    for (char Character : Text) QTest::keyClick(KeyWindow(), Character);
  }
  void Scroll(int Notches) override {
    TQtOptionList* List = ShownList();
    if (!List) return;
    QWidget* Viewport = List->VTV->viewport();
    const QPoint At(Viewport->width() / 4, Viewport->height() / 2);
    for (int Notch = 0; Notch < std::abs(Notches); ++Notch) {
      QWheelEvent Wheel(At, Viewport->mapToGlobal(At), QPoint(),
                        QPoint(0, Notches > 0 ? -120 : 120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(Viewport, &Wheel);
      QCoreApplication::processEvents();
    }
  }
  void ClickButton(const std::string& Caption) override {
    for (QPushButton* Button : W.findChildren<QPushButton*>())
      if (Button->isVisible() && Button->text() == ToQString(Caption))
        PersonClick(Button, Button->rect().center());
  }
  void CloseBox() override { W.windowHandle()->close(); }
  void Settle() override {
    for (bool Waiting = true; Waiting;) {
      // As a window manager gives the dialog the focus back once a box of
      // its own closed.
      if (W.isVisible() && !QApplication::activeWindow()) W.activateWindow();
      QTest::qWait(20);
      Waiting = false;
      std::vector<QTimer*> Timers{&W.ChangeTimer()};
      for (TQtOptionList* List : W.findChildren<TQtOptionList*>())
        Timers.push_back(&List->EditTimer());
      for (QTimer* Timer : Timers) {
        if (!Timer->isActive()) continue;
        Timer->start(0);
        Waiting = true;
      }
    }
  }
  TScreen Screen() const override {
    TScreen Screen;
    Screen.Closed = W.Dialog().ModalResult() != TModalResult::mrNone || !W.isVisible();
    Screen.ExitCode = static_cast<int>(W.Dialog().ModalResult());
    if (Screen.Closed) return Screen;
    if (TQtSheet* Sheet = W.CurrentSheet(); Sheet && Sheet->isVisible())
      for (int Node = 0; Node < W.Dialog().NodeCount(); ++Node)
        if (W.Dialog().Node(Node).Item->Sheet.get() == &Sheet->Sheet())
          Screen.Page = W.Dialog().Node(Node).Text;
    if (QTreeWidgetItem* Item = W.tvOptions->currentItem()) Screen.Tree = ToAnsi(Item->text(0));
    Screen.ApplyEnabled = W.btnApply->isEnabled();
    TQtOptionList* List = ShownList();
    Screen.Focus = FocusName(List);
    Screen.TreeName = AccessibleName(W.tvOptions);
    if (!List) return Screen;
    Screen.ListName = AccessibleName(List->VTV);
    QAccessibleTableInterface* Table =
        QAccessible::queryAccessibleInterface(List->VTV)->tableInterface();
    const QAbstractItemModel& Model = *List->VTV->model();
    Screen.FocusedRow = List->VTV->currentIndex().row();
    if (const QModelIndexList Selected = List->VTV->selectionModel()->selectedRows();
        !Selected.isEmpty())
      Screen.SelectedRow = Selected.front().row();
    Screen.TopRow = List->VTV->indexAt(QPoint(1, 1)).row();
    Screen.EditorOpen = List->Editor() != nullptr;
    if (Screen.EditorOpen) Screen.EditorText = ToAnsi(List->Editor()->text());
    Screen.Description = ToAnsi(List->lbDescription->text());
    for (int Row = 0; Row < Model.rowCount(); ++Row) {
      TScreenRow Cells;
      Cells.Caption = ToAnsi(Model.index(Row, 0).data().toString());
      const QModelIndex Value = Model.index(Row, 1);
      Cells.Value = ToAnsi(Value.data().toString());
      if (const QVariant Check = Value.data(Qt::CheckStateRole); Check.isValid())
        Cells.Checked = Check.toInt() == Qt::Checked;
      Cells.Bold = Value.data(Qt::FontRole).value<QFont>().bold();
      Cells.Name = ToAnsi(Table->cellAt(Row, 1)->text(QAccessible::Name));
      Screen.Rows.push_back(Cells);
    }
    return Screen;
  }

 private:
  static std::string AccessibleName(QWidget* Widget) {
    return ToAnsi(QAccessible::queryAccessibleInterface(Widget)->text(QAccessible::Name));
  }
  // Where the keyboard's input goes: the window with the focus.
  QWindow* KeyWindow() const {
    QWindow* Focus = QGuiApplication::focusWindow();
    return Focus ? Focus : W.windowHandle();
  }
  // Where a row's cell is in the viewport; a row beyond the last is the
  // empty area where it would be. Null where it is not wholly in view.
  static QRect CellRect(TQtOptionList& List, int Row, int Column) {
    const int Last = List.VTV->model()->rowCount() - 1;
    if (Last < 0) return QRect();
    QRect Cell = List.VTV->visualRect(List.VTV->model()->index(std::min(Row, Last), Column));
    Cell.translate(0, (Row - std::min(Row, Last)) * Cell.height());
    return List.VTV->viewport()->rect().contains(Cell) ? Cell : QRect();
  }
  TQtOptionList* ShownList() const {
    TQtSheet* Sheet = W.CurrentSheet();
    return Sheet && Sheet->isVisible() ? Sheet->findChild<TQtOptionList*>() : nullptr;
  }
  std::string FocusName(TQtOptionList* List) const {
    QWidget* Focus = QApplication::focusWidget();
    if (!Focus) return "none";
    if (Focus == W.tvOptions) return "tree";
    if (List && Focus == List->VTV) return "list";
    if (List && Focus == List->Editor()) return "editor";
    if (auto* Button = qobject_cast<QPushButton*>(Focus)) return ToAnsi(Button->text());
    return ToAnsi(Focus->objectName());
  }
  // Reads and answers whatever box, menu or folder dialog is up.
  void Watch() {
    if (auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) return Answer(*Menu);
    QWidget* Modal = QApplication::activeModalWidget();
    if (auto* Box = qobject_cast<QMessageBox*>(Modal)) {
      std::vector<std::string> Buttons;
      for (QAbstractButton* Button : Box->buttons()) Buttons.push_back(ToAnsi(Button->text()));
      const char* Icon = Box->icon() == QMessageBox::Critical ? "error" : "plain";
      Seen.push_back(BoxReport(Icon, ToAnsi(Box->text()), Buttons));
      Box->accept();
    } else if (auto* Folders = qobject_cast<QFileDialog*>(Modal)) {
      Seen.push_back("folder dialog: " + ToAnsi(Folders->windowTitle()));
      if (FolderAnswer.empty()) return Folders->reject();
      Folders->setDirectory(ToQString(FolderAnswer));
      Folders->selectFile(ToQString(FolderAnswer));
      static_cast<QDialog*>(Folders)->accept();
    }
  }
  void Answer(QMenu& Menu) {
    std::vector<std::string> Entries;
    QAction* Chosen = nullptr;
    for (QAction* Action : Menu.actions()) {
      const std::string Caption = ToAnsi(Action->text());
      if (Action->isSeparator()) {
        Entries.push_back("-");
        continue;
      }
      Entries.push_back((Action->isEnabled() ? "" : "~") + Caption +
                        (Action->isChecked() ? " [x]" : ""));
      if (Caption == MenuAnswer && Action->isEnabled()) Chosen = Action;
    }
    Seen.push_back(MenuReport(Entries, Chosen ? MenuAnswer : std::string()));
    MenuAnswer.clear();
    if (!Chosen) {
      Menu.close();
      return;
    }
    Menu.setActiveAction(Chosen);
    QTest::keyClick(&Menu, Qt::Key_Return);
  }

  TQtOptionsDialog& W;
  QTimer FWatcher;
};

}  // namespace

std::string PlayInFrontEnd(const TScenario& Scenario, const std::string& FolderRoot) {
  std::string Transcript;
  QTimer::singleShot(0, [&] {
    auto* Window = dynamic_cast<TQtOptionsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(nullptr, Window);
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window));
    TQtScenarioDriver Driver(*Window);
    Transcript = PlayScenario(Scenario, Driver, FolderRoot);
    if (Driver.Screen().Closed) return;
    Transcript += "> the dialog stays open: Cancel\n";
    Window->reject();
  });
  ShowTweakerOptions(Scenario.StartPage);
  return Transcript;
}

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication Application(argc, argv);
  Application.setApplicationName("ZQTTweaker");
  TQtOptionsDialogFrontEnd FrontEnd;
  SetOptionsDialogFrontEnd(&FrontEnd);
  TQtUserInteraction Boxes;
  SetUserInteraction(&Boxes);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
