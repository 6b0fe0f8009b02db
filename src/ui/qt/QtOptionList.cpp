#include "QtOptionList.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

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
  void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
             const QModelIndex& Index) const override {
    FFrame.VTVPaintText(Index.row(), Index.column());
    QStyledItemDelegate::paint(Painter, Option, Index);
  }

 protected:
  bool eventFilter(QObject* Object, QEvent* Event) override {
    auto* Editor = qobject_cast<QLineEdit*>(Object);
    if (!Editor) return QStyledItemDelegate::eventFilter(Object, Event);
    // The error box takes the focus: that is not the user leaving the editor.
    if (FReporting && Event->type() == QEvent::FocusOut) return true;
    if (Closes(Event) && !MayClose(Editor)) return true;
    return QStyledItemDelegate::eventFilter(Object, Event);
  }

 private:
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
  VTV->setColumnWidth(TfrTweakOptions::OptionColumn, TfrTweakOptions::OptionColumnWidth);
  VTV->setColumnWidth(TfrTweakOptions::ValueColumn, 50);
  connect(VTV->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& Current) {
            ReportErrorsOf([&] { FFrame.VTVChange(Current.row()); });
          });
  Layout->addWidget(VTV, 1);

  GroupBox1 = new QGroupBox(TfrTweakOptions::DescriptionCaption, this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setFixedHeight(TfrTweakOptions::DescriptionHeight);
  auto* DescriptionLayout = new QVBoxLayout(GroupBox1);
  DescriptionLayout->setContentsMargins(4, 15, 5, 8);
  lbDescription = new QLabel(GroupBox1);
  lbDescription->setObjectName("lbDescription");
  lbDescription->setWordWrap(true);
  lbDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  DescriptionLayout->addWidget(lbDescription);
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

void TQtOptionList::DescriptionChanged() {
  lbDescription->setText(ToQString(FFrame.Description()));
}
