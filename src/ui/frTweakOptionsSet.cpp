#include "frTweakOptionsSet.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "IntegerConversion.h"
#include "TweakOptionsMngr.h"
#include "UserInteraction.h"
#include "miniUtils.h"

namespace {

constexpr int kOptionColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kEditDelayMs = 400;

// Single-byte text of the program as the grid's UTF-16 text.
QString FromAnsi(const std::string& Text) { return QString::fromStdU16String(AnsiToWide(Text, 0)); }

}  // namespace

// The rows of the grid: one per option of the bound set, each carrying its
// option as payload and, for yes/no options, its check state.
class TOptionListModel : public QAbstractTableModel {
 public:
  explicit TOptionListModel(TfrTweakOptions* Frame) : QAbstractTableModel(Frame), FFrame(Frame) {}

  void Fill(int Count) {
    beginResetModel();
    FRows.assign(Count, TRow{});
    for (int Row = 0; Row < Count; ++Row)
      FRows[Row].Option = FFrame->VTVInitNode(Row, FRows[Row].HasCheckBox, FRows[Row].Checked);
    endResetModel();
  }
  TTweakOptionItem* Payload(int Row) const {
    return Row >= 0 && Row < static_cast<int>(FRows.size()) ? FRows[Row].Option : nullptr;
  }

  int rowCount(const QModelIndex& Parent) const override {
    return Parent.isValid() ? 0 : static_cast<int>(FRows.size());
  }
  int columnCount(const QModelIndex&) const override { return 2; }
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override {
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole) return QVariant();
    return Section == kOptionColumn ? QString("Option") : QString("Value");
  }
  QVariant data(const QModelIndex& Index, int Role) const override {
    if (!Index.isValid()) return QVariant();
    const TRow& Row = FRows[Index.row()];
    if (Role == Qt::DisplayRole || Role == Qt::EditRole)
      return FFrame->VTVGetText(Index.row(), Index.column());
    if (Role == Qt::CheckStateRole && Index.column() == kValueColumn && Row.HasCheckBox)
      return Row.Checked ? Qt::Checked : Qt::Unchecked;
    return QVariant();
  }
  Qt::ItemFlags flags(const QModelIndex& Index) const override {
    if (!Index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags Flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (Index.column() == kValueColumn && FRows[Index.row()].HasCheckBox)
      Flags |= Qt::ItemIsUserCheckable;
    if (FFrame->VTVEditing(Index.row(), Index.column())) Flags |= Qt::ItemIsEditable;
    return Flags;
  }
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override {
    if (!Index.isValid()) return false;
    TRow& Row = FRows[Index.row()];
    if (Role == Qt::CheckStateRole && Row.HasCheckBox) {
      Row.Checked = Value.toInt() == Qt::Checked;
      ReportErrorsOf([&] { FFrame->VTVChecked(Index.row(), Row.Checked); });
    } else if (Role == Qt::EditRole) {
      ReportErrorsOf([&] { FFrame->VTVNewText(Index.row(), Index.column(), Value.toString()); });
    } else {
      return false;
    }
    emit dataChanged(Index, Index);
    return true;
  }

 private:
  struct TRow {
    TTweakOptionItem* Option = nullptr;
    bool HasCheckBox = false;
    bool Checked = false;
  };
  TfrTweakOptions* FFrame;
  std::vector<TRow> FRows;
};

namespace {

// The in-place editor of numbers. The text is checked before the editor
// may commit (Enter, Return, Tab, focus-out): a text that is not a number
// is reported and the editor stays open with it. Closing the editor with
// its text unchanged reports nothing.
class TValueDelegate : public QStyledItemDelegate {
 public:
  TValueDelegate(TfrTweakOptions* Frame) : QStyledItemDelegate(Frame), FFrame(Frame) {}

  void setEditorData(QWidget* Editor, const QModelIndex& Index) const override {
    QStyledItemDelegate::setEditorData(Editor, Index);
    FOriginalText = Index.data(Qt::EditRole).toString();
  }
  void setModelData(QWidget* Editor, QAbstractItemModel* Model,
                    const QModelIndex& Index) const override {
    const QString Text = static_cast<QLineEdit*>(Editor)->text();
    if (Text != FOriginalText) Model->setData(Index, Text, Qt::EditRole);
  }
  void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
             const QModelIndex& Index) const override {
    FFrame->VTVPaintText(Index.row(), Index.column());
    QStyledItemDelegate::paint(Painter, Option, Index);
  }

 protected:
  bool eventFilter(QObject* Object, QEvent* Event) override {
    auto* Editor = qobject_cast<QLineEdit*>(Object);
    if (!Editor) return QStyledItemDelegate::eventFilter(Object, Event);
    // The error box takes the focus: that is not the user leaving the editor.
    if (FReporting && Event->type() == QEvent::FocusOut) return true;
    if (Commits(Event) && !Accepts(Editor)) return true;
    return QStyledItemDelegate::eventFilter(Object, Event);
  }

 private:
  static bool Commits(QEvent* Event) {
    if (Event->type() == QEvent::FocusOut) return true;
    if (Event->type() != QEvent::KeyPress) return false;
    const int Key = static_cast<QKeyEvent*>(Event)->key();
    return Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Tab ||
           Key == Qt::Key_Backtab;
  }
  // True when the editor's text may be committed; otherwise the conversion
  // error is reported and the focus given back to the editor.
  bool Accepts(QLineEdit* Editor) {
    if (Editor->text() == FOriginalText) return true;
    try {
      StrToInt(Editor->text().toStdString());
      return true;
    } catch (const EConvertError& Error) {
      FReporting = true;
      UserInteraction().ShowError(Error.what());
      FReporting = false;
      Editor->setFocus();
      return false;
    }
  }

  TfrTweakOptions* FFrame;
  mutable QString FOriginalText;
  bool FReporting = false;
};

// The grid view: full rows, no root decoration, focus kept on the Value
// column; a click on the Value cell of the row that already had the focus
// opens the editor after a pause, F2 at once.
class TOptionGrid : public QTreeView {
 public:
  explicit TOptionGrid(QWidget* Parent) : QTreeView(Parent) {
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
    const QModelIndex Hit = indexAt(Event->position().toPoint());
    FHadFocus = Hit.isValid() && currentIndex().isValid() && Hit.row() == currentIndex().row();
    QTreeView::mousePressEvent(Event);
  }
  void mouseReleaseEvent(QMouseEvent* Event) override {
    QTreeView::mouseReleaseEvent(Event);
    const QModelIndex Hit = indexAt(Event->position().toPoint());
    if (Event->button() == Qt::LeftButton && FHadFocus && Hit.column() == kValueColumn &&
        (Hit.flags() & Qt::ItemIsEditable)) {
      FPendingEdit = Hit;
      FEditTimer.start(kEditDelayMs);
    }
  }
  void mouseDoubleClickEvent(QMouseEvent* Event) override {
    FEditTimer.stop();
    QTreeView::mouseDoubleClickEvent(Event);
  }
  void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override {
    QTreeView::currentChanged(Current, Previous);
    if (Current.isValid() && Current.column() != kValueColumn)
      selectionModel()->setCurrentIndex(Current.siblingAtColumn(kValueColumn),
                                        QItemSelectionModel::NoUpdate);
  }

 private:
  QTimer FEditTimer;
  QPersistentModelIndex FPendingEdit;
  bool FHadFocus = false;
};

}  // namespace

TfrTweakOptions::TfrTweakOptions(QWidget* Parent) : QWidget(Parent) {
  setFont(QFont("MS Sans Serif", 8));
  resize(393, 328);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  VTV = new TOptionGrid(this);
  VTV->setObjectName("VTV");
  FModel = new TOptionListModel(this);
  VTV->setModel(FModel);
  VTV->setItemDelegate(new TValueDelegate(this));
  QHeaderView* Header = VTV->header();
  Header->setVisible(true);
  Header->setSectionsMovable(true);
  Header->setSectionResizeMode(QHeaderView::Interactive);
  Header->setStretchLastSection(false);
  Header->setFont(QFont("MS Sans Serif", 8));
  VTV->setColumnWidth(kOptionColumn, 300);
  VTV->setColumnWidth(kValueColumn, 50);
  connect(VTV->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& Current) { VTVChange(Current.row()); });
  Layout->addWidget(VTV, 1);

  GroupBox1 = new QGroupBox("Option description", this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setFixedHeight(80);
  auto* DescriptionLayout = new QVBoxLayout(GroupBox1);
  DescriptionLayout->setContentsMargins(4, 15, 5, 8);
  lbDescription = new QLabel(GroupBox1);
  lbDescription->setObjectName("lbDescription");
  lbDescription->setWordWrap(true);
  lbDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  DescriptionLayout->addWidget(lbDescription);
  Layout->addWidget(GroupBox1);
}

TfrTweakOptions::~TfrTweakOptions() {
  // The grid goes first, while the hooks it calls still have their frame.
  delete VTV;
}

void TfrTweakOptions::FillList() { FModel->Fill(OptionSet ? OptionSet->Count() : 0); }

TTweakOptionItem* TfrTweakOptions::NodeToItem(int Row) const { return FModel->Payload(Row); }

TTweakOptionItem* TfrTweakOptions::VTVInitNode(int Row, bool& HasCheckBox, bool& Checked) const {
  TTweakOptionItem* Option =
      OptionSet && Row < OptionSet->Count() ? OptionSet->Items(Row) : nullptr;
  auto* Boolean = dynamic_cast<TTweakOptionItemBool*>(Option);
  HasCheckBox = Boolean != nullptr;
  Checked = Boolean && Boolean->Value();
  return Option;
}

QString TfrTweakOptions::VTVGetText(int Row, int Column) const {
  TTweakOptionItem* Option = NodeToItem(Row);
  if (!Option) return QString();
  if (Column == kOptionColumn) return FromAnsi(Option->Caption);
  auto* Number = dynamic_cast<TTweakOptionItemInt*>(Option);
  if (Column == kValueColumn && Number) return QString::number(Number->Value());
  return QString();
}

void TfrTweakOptions::VTVPaintText(int, int) const {
  // Every cell keeps the grid's font and colours.
}

bool TfrTweakOptions::VTVEditing(int Row, int Column) const {
  return Column == kValueColumn && dynamic_cast<TTweakOptionItemInt*>(NodeToItem(Row));
}

void TfrTweakOptions::VTVNewText(int Row, int Column, const QString& NewText) {
  auto* Number = dynamic_cast<TTweakOptionItemInt*>(NodeToItem(Row));
  if (Column != kValueColumn || !Number) return;
  Number->SetValue(StrToInt(NewText.toStdString()));
  if (OnOptionChanged) OnOptionChanged(this);
}

void TfrTweakOptions::VTVChecked(int Row, bool Checked) {
  auto* Boolean = dynamic_cast<TTweakOptionItemBool*>(NodeToItem(Row));
  if (!Boolean) return;
  Boolean->SetValue(Checked);
  if (OnOptionChanged) OnOptionChanged(this);
}

void TfrTweakOptions::VTVChange(int Row) {
  if (TTweakOptionItem* Option = NodeToItem(Row))
    lbDescription->setText(FromAnsi(Option->Description));
}
