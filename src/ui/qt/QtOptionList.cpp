#include "QtOptionList.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "QtGridAccessible.h"
#include "QtScale.h"
#include "QtSelectionLook.h"
#include "QtText.h"
#include "UserInteraction.h"

// The grid's rows and cells, as the frame gives them.
class TQtOptionListModel : public QAbstractTableModel {
 public:
  TQtOptionListModel(TfrTweakOptions& Frame, QObject* Parent)
      : QAbstractTableModel(Parent), FFrame(Frame) {}

  void Reset() {
    beginResetModel();
    endResetModel();
  }
  void RowChanged(int Row) {
    emit dataChanged(index(Row, 0), index(Row, TfrTweakOptions::ColumnCount - 1));
  }

  int rowCount(const QModelIndex& Parent) const override {
    return Parent.isValid() ? 0 : FFrame.RowCount();
  }
  int columnCount(const QModelIndex&) const override { return TfrTweakOptions::ColumnCount; }
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override {
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole) return QVariant();
    return QString(TfrTweakOptions::ColumnCaptions[Section]);
  }
  QVariant data(const QModelIndex& Index, int Role) const override {
    if (!Index.isValid()) return QVariant();
    if (Role == Qt::DisplayRole || Role == Qt::EditRole)
      return ToQString(FFrame.VTVGetText(Index.row(), Index.column()));
    if (Role == Qt::CheckStateRole && IsCheckCell(Index))
      return FFrame.IsChecked(Index.row()) ? Qt::Checked : Qt::Unchecked;
    if (Role == Qt::FontRole && FFrame.VTVPaintText(Index.row(), Index.column()).Bold) {
      QFont Bold = static_cast<const QWidget*>(QObject::parent())->font();
      Bold.setBold(true);
      return Bold;
    }
    // Every cell is named by its option's caption (a number tells its value
    // as the cell's value) and tells the option's description.
    if (Role == Qt::AccessibleTextRole)
      return ToQString(FFrame.VTVGetText(Index.row(), TfrTweakOptions::OptionColumn));
    if (Role == Qt::AccessibleDescriptionRole) return ToQString(FFrame.RowDescription(Index.row()));
    if (Role == Qt::ToolTipRole) {
      const std::string Hint = FFrame.Hint(Index.row());
      if (!Hint.empty()) return ToQString(Hint);
    }
    return QVariant();
  }
  Qt::ItemFlags flags(const QModelIndex& Index) const override {
    if (!Index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags Flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (IsCheckCell(Index)) Flags |= Qt::ItemIsUserCheckable;
    if (FFrame.VTVEditing(Index.row(), Index.column())) Flags |= Qt::ItemIsEditable;
    return Flags;
  }
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override {
    if (Role != Qt::CheckStateRole || !IsCheckCell(Index)) return false;
    ReportErrorsOf([&] { FFrame.VTVChecked(Index.row(), Value.toInt() == Qt::Checked); });
    return true;
  }

 private:
  bool IsCheckCell(const QModelIndex& Index) const {
    return Index.column() == TfrTweakOptions::ValueColumn && FFrame.HasCheckBox(Index.row());
  }

  TfrTweakOptions& FFrame;
};

namespace {

TListKey ListKey(const QKeyEvent& Event) {
  switch (Event.key()) {
    case Qt::Key_Menu:
      return TListKey::lkContextMenu;
    case Qt::Key_F10:
      return Event.modifiers() == Qt::ShiftModifier ? TListKey::lkContextMenu : TListKey::lkOther;
    case Qt::Key_F2:
      return TListKey::lkF2;
    case Qt::Key_Space:
      return TListKey::lkSpace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return TListKey::lkReturn;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return TListKey::lkTab;
    case Qt::Key_Escape:
      return TListKey::lkEscape;
    case Qt::Key_Up:
    case Qt::Key_Down:
      return TListKey::lkUpDown;
    default:
      return TListKey::lkOther;
  }
}

}  // namespace

// The in-place editor of numbers: a line edit whose keys and lost focus go
// to the frame, which opens, keeps and closes it.
class TValueDelegate : public QStyledItemDelegate {
 public:
  TValueDelegate(TfrTweakOptions& Frame, QObject* Parent)
      : QStyledItemDelegate(Parent), FFrame(Frame) {}

  QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(FEditor.data()); }
  // Where the check box of Index is drawn, in the view's viewport.
  QRect CheckBoxRect(const QAbstractItemView& View, const QModelIndex& Index) const {
    QStyleOptionViewItem Option;
    Option.initFrom(View.viewport());
    Option.rect = View.visualRect(Index);
    initStyleOption(&Option, Index);
    const QStyle* Style = View.style();
    return Style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &Option, &View);
  }

  QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                        const QModelIndex& Index) const override {
    FEditor = QStyledItemDelegate::createEditor(Parent, Option, Index);
    // The editor has the focus: its selected text in the focused colours,
    // not in the grid's, which shows the grid without the focus.
    FEditor->setPalette(QApplication::palette(FEditor));
    return FEditor;
  }
  // The frame takes the text when the editor is left.
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
  // Rows tall enough for the gaps around their check boxes.
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
    const QStyle* Style = Option.widget ? Option.widget->style() : QApplication::style();
    const int Box = Style->pixelMetric(QStyle::PM_IndicatorHeight, &Option, Option.widget);
    Size.setHeight(std::max(Size.height(), Box + 2 * Scaled(TfrTweakOptions::CheckBoxGap)));
    return Size;
  }
  // The frame toggles check boxes: the grid tells it of the clicks.
  bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                   const QModelIndex&) override {
    return false;
  }
  void destroyEditor(QWidget* Editor, const QModelIndex& Index) const override {
    if (Editor == FEditor) {
      FEditor = nullptr;
      FFrame.EditorDropped();
    }
    QStyledItemDelegate::destroyEditor(Editor, Index);
  }

 protected:
  bool eventFilter(QObject* Object, QEvent* Event) override {
    if (Object != FEditor) return QStyledItemDelegate::eventFilter(Object, Event);
    bool Used = false;
    if (Event->type() == QEvent::KeyPress) {
      const auto& Key = *static_cast<QKeyEvent*>(Event);
      // A key with Alt is a mnemonic of the dialog, never a character, also
      // where its control is disabled.
      Used = Key.modifiers() & Qt::AltModifier;
      if (!Used) ReportErrorsOf([&] { Used = FFrame.EditorKeyDown(ListKey(Key)); });
    }
    if (Event->type() == QEvent::FocusOut) {
      // Told once the focus has settled: a press on the tree or the grid
      // asks the frame first, with the editor's text.
      QMetaObject::invokeMethod(this, &TValueDelegate::FocusLeft, Qt::QueuedConnection);
      Used = true;
    }
    return Used || QStyledItemDelegate::eventFilter(Object, Event);
  }

 private:
  void FocusLeft() {
    if (!FEditor || FEditor->hasFocus()) return;
    const QWidget* Focus = QApplication::focusWidget();
    TFocusTarget Target = TFocusTarget::ftControl;
    if (!Focus || Focus->window() != FEditor->window())
      Target = TFocusTarget::ftElsewhere;
    else if (Focus->objectName() == "btnCancel")
      Target = TFocusTarget::ftCancel;
    else if (qobject_cast<const QAbstractButton*>(Focus))
      Target = TFocusTarget::ftButton;
    ReportErrorsOf([&] { FFrame.EditorFocusLost(Target); });
  }

  TfrTweakOptions& FFrame;
  mutable QPointer<QWidget> FEditor;
};

namespace {

// The grid view: full rows, no root decoration, focus kept on the Value
// column; presses, clicks and keys go to the frame first.
class TOptionGrid : public QTreeView {
 public:
  TOptionGrid(TfrTweakOptions& Frame, const TValueDelegate& Delegate, QWidget* Parent)
      : QTreeView(Parent), FFrame(Frame), FDelegate(Delegate) {
    setRootIsDecorated(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
  }

  void CloseEditor(QWidget* Editor) { closeEditor(Editor, QAbstractItemDelegate::NoHint); }
  // The frame's context menu for Row at Screen.
  void ShowContextMenuAt(int Row, const QPoint& Screen) {
    QMenu Menu(this);
    const std::vector<TMenuEntry> Entries = FFrame.ContextMenu(Row);
    std::vector<QAction*> Actions;
    for (const TMenuEntry& Entry : Entries) {
      QAction* Action =
          Entry.Caption.empty() ? Menu.addSeparator() : Menu.addAction(ToQString(Entry.Caption));
      Action->setEnabled(Entry.Enabled);
      Action->setCheckable(Entry.Checked);
      Action->setChecked(Entry.Checked);
      Actions.push_back(Action);
    }
    QAction* Chosen = Menu.exec(Screen);
    const auto Found = std::find(Actions.begin(), Actions.end(), Chosen);
    if (Found != Actions.end())
      ReportErrorsOf([&] { FFrame.ContextMenuChosen(Row, int(Found - Actions.begin())); });
  }

 protected:
  void mousePressEvent(QMouseEvent* Event) override {
    bool GoesOn = true;
    const QModelIndex Hit = indexAt(Event->position().toPoint());
    if (Event->button() == Qt::RightButton) return RightPress(Hit);
    if (Event->button() == Qt::LeftButton) ReportErrorsOf([&] { GoesOn = FFrame.GridMouseDown(); });
    if (!GoesOn) return;
    FocusTakenByPress();
    if (Hit.isValid()) return QTreeView::mousePressEvent(Event);
    // The list's empty area takes the focus and keeps the selection.
    setFocus(Qt::MouseFocusReason);
  }
  // Typing finds no row.
  void keyboardSearch(const QString&) override {}
  void mouseReleaseEvent(QMouseEvent* Event) override {
    QTreeView::mouseReleaseEvent(Event);
    // The release of a double click's second press ends no click.
    const bool Click = !std::exchange(FDoubleClicked, false);
    const QPoint At = Event->position().toPoint();
    const QModelIndex Hit = indexAt(At);
    if (Click && Event->button() == Qt::LeftButton && Hit.isValid())
      ReportErrorsOf([&] { FFrame.GridClick(Hit.row(), Hit.column(), OnCheckBox(Hit, At)); });
  }
  // The toolkit gives the focus before the press that takes it arrives:
  // the frame hears of it after the press, as on every system. From the
  // keyboard, the focused row comes into view.
  void focusInEvent(QFocusEvent* Event) override {
    QTreeView::focusInEvent(Event);
    FFocusByPress = Event->reason() == Qt::MouseFocusReason;
    if (FFocusByPress) return;
    ReportErrorsOf([&] { FFrame.GridFocusIn(); });
    if (currentIndex().isValid()) scrollTo(currentIndex());
  }
  void mouseDoubleClickEvent(QMouseEvent* Event) override {
    if (Event->button() != Qt::LeftButton) return QTreeView::mouseDoubleClickEvent(Event);
    bool GoesOn = true;
    ReportErrorsOf([&] { GoesOn = FFrame.GridMouseDown(); });
    if (!GoesOn) return;
    FDoubleClicked = true;
    QTreeView::mouseDoubleClickEvent(Event);
    const QPoint At = Event->position().toPoint();
    const QModelIndex Hit = indexAt(At);
    ReportErrorsOf([&] { FFrame.GridDoubleClick(Hit.row(), Hit.column(), OnCheckBox(Hit, At)); });
  }
  void wheelEvent(QWheelEvent* Event) override {
    bool Scrolls = true;
    ReportErrorsOf([&] { Scrolls = FFrame.GridScrolled(); });
    if (Scrolls) QTreeView::wheelEvent(Event);
  }
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    // A press on the scroll bar scrolls too.
    if (Watched == verticalScrollBar() && Event->type() == QEvent::MouseButtonPress) {
      bool Scrolls = true;
      ReportErrorsOf([&] { Scrolls = FFrame.GridScrolled(); });
      if (!Scrolls) return true;
    }
    return QTreeView::eventFilter(Watched, Event);
  }
  void keyPressEvent(QKeyEvent* Event) override {
    bool Used = false;
    ReportErrorsOf([&] { Used = FFrame.GridKeyDown(ListKey(*Event)); });
    if (!Used) QTreeView::keyPressEvent(Event);
  }
  // The right press has shown the mouse's menu already.
  void contextMenuEvent(QContextMenuEvent* Event) override {
    if (Event->reason() == QContextMenuEvent::Keyboard)
      ReportErrorsOf([&] { FFrame.GridKeyDown(TListKey::lkContextMenu); });
  }
  void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override {
    QTreeView::currentChanged(Current, Previous);
    if (!Current.isValid()) return;
    // The focused row is the selected one, also where the view made it
    // current without selecting it (as it takes the focus).
    if (!selectionModel()->isRowSelected(Current.row(), Current.parent()))
      selectionModel()->select(Current,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (Current.column() != TfrTweakOptions::ValueColumn)
      selectionModel()->setCurrentIndex(Current.siblingAtColumn(TfrTweakOptions::ValueColumn),
                                        QItemSelectionModel::NoUpdate);
  }

 private:
  // The view's own right press (its selection, its menu) is off: the frame
  // leaves the editor and shows the menu.
  void RightPress(const QModelIndex& Hit) {
    ReportErrorsOf([&] {
      if (!FFrame.GridMouseDown()) return;
      setFocus(Qt::MouseFocusReason);
      FocusTakenByPress();
      FFrame.GridRightClick(Hit.row());
    });
  }
  void FocusTakenByPress() {
    if (std::exchange(FFocusByPress, false)) ReportErrorsOf([&] { FFrame.GridFocusIn(); });
  }
  bool OnCheckBox(const QModelIndex& Hit, const QPoint& At) const {
    return Hit.isValid() && FFrame.HasCheckBox(Hit.row()) &&
           FDelegate.CheckBoxRect(*this, Hit).contains(At);
  }

  TfrTweakOptions& FFrame;
  const TValueDelegate& FDelegate;
  bool FDoubleClicked = false;
  bool FFocusByPress = false;
};

QAccessibleInterface* OptionGridAccessible(const QString&, QObject* Object) {
  auto* Grid = dynamic_cast<TOptionGrid*>(Object);
  return Grid ? GridAccessible(Grid) : nullptr;
}

}  // namespace

TQtOptionList::TQtOptionList(TfrTweakOptions& Frame, QWidget* Parent)
    : QWidget(Parent), FFrame(Frame) {
  // Asked before the toolkit's own factories, which come with the
  // application.
  static const bool Accessible = (QAccessible::installFactory(&OptionGridAccessible), true);
  (void)Accessible;
  setObjectName("frTweakOptions");
  setFont(DialogFont());
  resize(393, 328);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  FDelegate = new TValueDelegate(Frame, this);
  auto* Grid = new TOptionGrid(Frame, *FDelegate, this);
  VTV = Grid;
  VTV->setObjectName("VTV");
  VTV->setAccessibleName(TfrTweakOptions::GridName);
  FModel = new TQtOptionListModel(Frame, this);
  VTV->setModel(FModel);
  VTV->setItemDelegate(FDelegate);
  VTV->verticalScrollBar()->installEventFilter(VTV);
  FEditTimer.setSingleShot(true);
  connect(&FEditTimer, &QTimer::timeout, this,
          [this] { ReportErrorsOf([this] { FFrame.EditTimerElapsed(); }); });
  QHeaderView* Header = VTV->header();
  Header->setVisible(true);
  Header->setSectionsMovable(true);
  Header->setSectionResizeMode(QHeaderView::Interactive);
  Header->setStretchLastSection(false);
  Header->setFont(DialogFont());
  VTV->setColumnWidth(TfrTweakOptions::OptionColumn, Scaled(TfrTweakOptions::OptionColumnWidth));
  VTV->setColumnWidth(TfrTweakOptions::ValueColumn, Scaled(TfrTweakOptions::ValueColumnWidth));
  ShowFocusBySelection(VTV);
  connect(VTV->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& Current) {
            ReportErrorsOf([&] { FFrame.VTVChange(Current.row()); });
          });
  Layout->addWidget(VTV, 1);

  GroupBox1 = new QGroupBox(TfrTweakOptions::DescriptionCaption, this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setFixedHeight(Scaled(TfrTweakOptions::DescriptionHeight));
  // The label keeps its place in the box and grows with it.
  lbDescription = new QLabel(GroupBox1);
  lbDescription->setObjectName("lbDescription");
  lbDescription->setWordWrap(true);
  lbDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  GroupBox1->installEventFilter(this);
  Layout->addWidget(GroupBox1);

  FFrame.SetView(this);
  DescriptionChanged();
}

TQtOptionList::~TQtOptionList() {
  FFrame.SetView(nullptr);
  FFrame.EditorDropped();
  // The grid goes first, while the frame it reads is still drawn here.
  delete VTV;
}

void TQtOptionList::RowsChanged() { FModel->Reset(); }

void TQtOptionList::RowChanged(int Row) {
  FModel->RowChanged(Row);
  if (!QAccessible::isActive() || !FFrame.HasCheckBox(Row)) return;
  // Assistive technology hears of the check box's state.
  QAccessible::State Changed;
  Changed.checked = true;
  QAccessibleInterface* Grid = QAccessible::queryAccessibleInterface(VTV);
  QAccessibleStateChangeEvent Event(
      Grid->tableInterface()->cellAt(Row, TfrTweakOptions::ValueColumn), Changed);
  QAccessible::updateAccessibility(&Event);
}

void TQtOptionList::StartEditTimer(int Milliseconds) { FEditTimer.start(Milliseconds); }

void TQtOptionList::StopEditTimer() { FEditTimer.stop(); }

void TQtOptionList::OpenEditor(int Row, const WideString& Text) {
  const QModelIndex Cell = FModel->index(Row, TfrTweakOptions::ValueColumn);
  VTV->setCurrentIndex(Cell);
  VTV->edit(Cell);
  if (QLineEdit* Editor = FDelegate->Editor()) {
    Editor->setText(ToQString(Text));
    Editor->selectAll();
    Editor->setFocus();
  }
}

WideString TQtOptionList::EditorText() const {
  QLineEdit* Editor = FDelegate->Editor();
  return Editor ? ToWide(Editor->text()) : WideString();
}

void TQtOptionList::FocusEditor() {
  if (QLineEdit* Editor = FDelegate->Editor()) Editor->setFocus();
}

void TQtOptionList::CloseEditor() {
  if (QLineEdit* Editor = FDelegate->Editor()) static_cast<TOptionGrid*>(VTV)->CloseEditor(Editor);
}

QLineEdit* TQtOptionList::Editor() const { return FDelegate->Editor(); }

QRect TQtOptionList::CheckBoxRect(int Row) const {
  return FDelegate->CheckBoxRect(*VTV, FModel->index(Row, TfrTweakOptions::ValueColumn));
}

void TQtOptionList::ShowContextMenu(int Row) {
  const QRect Cell = VTV->visualRect(FModel->index(Row, TfrTweakOptions::OptionColumn));
  static_cast<TOptionGrid*>(VTV)->ShowContextMenuAt(
      Row, VTV->viewport()->mapToGlobal(Cell.isValid() ? Cell.bottomLeft() : QPoint()));
}

void TQtOptionList::RowFocused(int Row) {
  // The rows stay where they are: the grid may be taking the focus from a
  // press on another row, which must find that row under the mouse.
  const bool Scrolls = VTV->hasAutoScroll();
  VTV->setAutoScroll(false);
  VTV->setCurrentIndex(FModel->index(Row, TfrTweakOptions::ValueColumn));
  VTV->setAutoScroll(Scrolls);
}

bool TQtOptionList::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == GroupBox1 && Event->type() == QEvent::Resize) {
    const TSheetRect Place = TfrTweakOptions::DescriptionPlace(
        GroupBox1->width(), GroupBox1->height(), [](int At) { return Scaled(At); });
    lbDescription->setGeometry(Place.Left, Place.Top, Place.Width, Place.Height);
  }
  return QWidget::eventFilter(Watched, Event);
}

void TQtOptionList::DescriptionChanged() {
  lbDescription->setText(ToQString(FFrame.Description()));
}
