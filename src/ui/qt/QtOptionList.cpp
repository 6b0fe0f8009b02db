#include "QtOptionList.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include "QtScale.h"
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

// The in-place editor of numbers. Before the editor may close with its
// text (Enter, Return, Tab, focus-out) the frame decides: the text is
// taken, or reported and kept in the open editor.
class TValueDelegate : public QStyledItemDelegate {
 public:
  TValueDelegate(TfrTweakOptions& Frame, QObject* Parent)
      : QStyledItemDelegate(Parent), FFrame(Frame) {}

  void setEditorData(QWidget* Editor, const QModelIndex& Index) const override {
    QStyledItemDelegate::setEditorData(Editor, Index);
    FIndex = Index;
    FOriginalText = Index.data(Qt::EditRole).toString();
  }
  // The frame has taken the text already.
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
  void destroyEditor(QWidget* Editor, const QModelIndex& Index) const override {
    FFrame.EditorDropped();
    QStyledItemDelegate::destroyEditor(Editor, Index);
  }

 protected:
  bool eventFilter(QObject* Object, QEvent* Event) override {
    auto* Editor = qobject_cast<QLineEdit*>(Object);
    if (!Editor) return QStyledItemDelegate::eventFilter(Object, Event);
    // The focus going to another window (an error box, or none because the
    // dialog closes) is not the user leaving the editor for another control.
    if (Event->type() == QEvent::FocusOut && !FocusStaysIn(Editor->window())) return true;
    if (IsEscape(Event)) {
      // Escape drops the text and closes the dialog, as it does anywhere else.
      if (auto* Dialog = qobject_cast<QDialog*>(Editor->window()))
        QMetaObject::invokeMethod(Dialog, &QDialog::reject, Qt::QueuedConnection);
      return QStyledItemDelegate::eventFilter(Object, Event);
    }
    if (Closes(Event) && !MayClose(Editor)) return true;
    return QStyledItemDelegate::eventFilter(Object, Event);
  }

 private:
  static bool FocusStaysIn(const QWidget* Window) {
    const QWidget* Focus = QApplication::focusWidget();
    return Focus && Focus->window() == Window;
  }
  static bool IsEscape(QEvent* Event) {
    return Event->type() == QEvent::KeyPress &&
           static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape;
  }
  static bool Closes(QEvent* Event) {
    if (Event->type() == QEvent::FocusOut) return true;
    if (Event->type() != QEvent::KeyPress) return false;
    const int Key = static_cast<QKeyEvent*>(Event)->key();
    return Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Tab ||
           Key == Qt::Key_Backtab;
  }
  bool MayClose(QLineEdit* Editor) {
    FReporting = true;
    const bool Closes = FFrame.EditorCloses(FIndex.row(), FIndex.column(), ToWide(FOriginalText),
                                            ToWide(Editor->text()));
    FReporting = false;
    if (Closes)
      FOriginalText = Editor->text();
    else
      Editor->setFocus();
    return Closes;
  }

  TfrTweakOptions& FFrame;
  mutable QPersistentModelIndex FIndex;
  mutable QString FOriginalText;
  bool FReporting = false;
};

// The grid view: full rows, no root decoration, focus kept on the Value
// column; a click opens the editor after the frame's pause when the frame
// says so, F2 at once.
class TOptionGrid : public QTreeView {
 public:
  TOptionGrid(TfrTweakOptions& Frame, QWidget* Parent) : QTreeView(Parent), FFrame(Frame) {
    setRootIsDecorated(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setAllColumnsShowFocus(true);
    FEditTimer.setSingleShot(true);
    connect(&FEditTimer, &QTimer::timeout, this, [this] {
      if (FPendingEdit.isValid() && FPendingEdit == currentIndex()) edit(FPendingEdit);
    });
  }

 protected:
  void mousePressEvent(QMouseEvent* Event) override {
    FEditTimer.stop();
    FFocusedRow = currentIndex().isValid() ? currentIndex().row() : -1;
    QTreeView::mousePressEvent(Event);
  }
  void mouseReleaseEvent(QMouseEvent* Event) override {
    QTreeView::mouseReleaseEvent(Event);
    const QModelIndex Hit = indexAt(Event->position().toPoint());
    if (Event->button() == Qt::LeftButton && Hit.isValid() &&
        FFrame.ClickOpensEditor(Hit.row(), Hit.column(), FFocusedRow)) {
      FPendingEdit = Hit;
      FEditTimer.start(TfrTweakOptions::EditDelay);
    }
  }
  void mouseDoubleClickEvent(QMouseEvent* Event) override {
    FEditTimer.stop();
    QTreeView::mouseDoubleClickEvent(Event);
  }
  void contextMenuEvent(QContextMenuEvent* Event) override {
    const int Row = indexAt(Event->pos()).row();
    QMenu Menu(this);
    QAction* Reset = Menu.addAction(TfrTweakOptions::ResetCaption);
    Reset->setEnabled(FFrame.NodeToItem(Row) != nullptr);
    QAction* ResetAll = Menu.addAction(TfrTweakOptions::ResetAllCaption);
    ResetAll->setEnabled(FFrame.RowCount() > 0);
    Menu.addSeparator();
    QAction* ShowChanges = Menu.addAction(TfrTweakOptions::ShowChangesCaption);
    ShowChanges->setCheckable(true);
    ShowChanges->setChecked(TfrTweakOptions::ShowChanges());
    QAction* Chosen = Menu.exec(Event->globalPos());
    ReportErrorsOf([&] {
      if (Chosen == Reset) FFrame.ResetOption(Row);
      if (Chosen == ResetAll) FFrame.ResetAllOptions();
      if (Chosen == ShowChanges) FFrame.SetShowChanges(ShowChanges->isChecked());
    });
  }
  void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override {
    QTreeView::currentChanged(Current, Previous);
    if (Current.isValid() && Current.column() != TfrTweakOptions::ValueColumn)
      selectionModel()->setCurrentIndex(Current.siblingAtColumn(TfrTweakOptions::ValueColumn),
                                        QItemSelectionModel::NoUpdate);
  }

 private:
  TfrTweakOptions& FFrame;
  QTimer FEditTimer;
  QPersistentModelIndex FPendingEdit;
  int FFocusedRow = -1;
};

}  // namespace

TQtOptionList::TQtOptionList(TfrTweakOptions& Frame, QWidget* Parent)
    : QWidget(Parent), FFrame(Frame) {
  setObjectName("frTweakOptions");
  setFont(QFont("MS Sans Serif", 8));
  resize(393, 328);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  VTV = new TOptionGrid(Frame, this);
  VTV->setObjectName("VTV");
  FModel = new TQtOptionListModel(Frame, this);
  VTV->setModel(FModel);
  VTV->setItemDelegate(new TValueDelegate(Frame, this));
  QHeaderView* Header = VTV->header();
  Header->setVisible(true);
  Header->setSectionsMovable(true);
  Header->setSectionResizeMode(QHeaderView::Interactive);
  Header->setStretchLastSection(false);
  Header->setFont(QFont("MS Sans Serif", 8));
  VTV->setColumnWidth(TfrTweakOptions::OptionColumn, Scaled(TfrTweakOptions::OptionColumnWidth));
  VTV->setColumnWidth(TfrTweakOptions::ValueColumn, Scaled(50));
  connect(VTV->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& Current) {
            ReportErrorsOf([&] { FFrame.VTVChange(Current.row()); });
          });
  Layout->addWidget(VTV, 1);

  GroupBox1 = new QGroupBox(TfrTweakOptions::DescriptionCaption, this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setFixedHeight(Scaled(TfrTweakOptions::DescriptionHeight));
  // The label keeps its place in the box (left 4, top 15, 384 by 57 in a
  // box 393 wide) and grows with it.
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
  // The grid goes first, while the frame it reads is still drawn here.
  delete VTV;
}

void TQtOptionList::RowsChanged() { FModel->Reset(); }

void TQtOptionList::RowChanged(int Row) { FModel->RowChanged(Row); }

void TQtOptionList::RowFocused(int Row) {
  VTV->setCurrentIndex(FModel->index(Row, TfrTweakOptions::ValueColumn));
}

bool TQtOptionList::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == GroupBox1 && Event->type() == QEvent::Resize)
    lbDescription->setGeometry(Scaled(4), Scaled(15), GroupBox1->width() - Scaled(9),
                               GroupBox1->height() - Scaled(23));
  return QWidget::eventFilter(Watched, Event);
}

void TQtOptionList::DescriptionChanged() {
  lbDescription->setText(ToQString(FFrame.Description()));
}
