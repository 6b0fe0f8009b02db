#include "QtGridAccessible.h"

#include <QAccessibleWidget>
#include <QHeaderView>
#include <QPointer>
#include <QTreeView>
#include <limits>
#include <map>

namespace {

// A cell of the grid, or with Row -1 the header of its column.
class TCellAccessible : public QAccessibleInterface,
                        public QAccessibleTableCellInterface,
                        public QAccessibleValueInterface {
 public:
  TCellAccessible(QAbstractItemView* View, int Row, int Column)
      : FView(View), FRow(Row), FColumn(Column) {}

  bool isValid() const override {
    return FView && FRow < FView->model()->rowCount() && FColumn < FView->model()->columnCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent()->window(); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(FView);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  // A cell the user can check is a check box: the accessibility bus of Qt
  // 6.4 does not carry the state "checkable".
  QAccessible::Role role() const override {
    if (FRow < 0) return QAccessible::ColumnHeader;
    return state().checkable ? QAccessible::CheckBox : QAccessible::Cell;
  }
  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TableCellInterface && FRow >= 0)
      return static_cast<QAccessibleTableCellInterface*>(this);
    // A number's cell tells the number as its value.
    if (Type == QAccessible::ValueInterface && FRow >= 0 && currentValue().isValid())
      return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
  }

  QVariant currentValue() const override {
    bool IsNumber = false;
    const int Number = Index().data(Qt::DisplayRole).toString().toInt(&IsNumber);
    return IsNumber ? QVariant(Number) : QVariant();
  }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return std::numeric_limits<int>::max(); }
  QVariant minimumValue() const override { return std::numeric_limits<int>::min(); }
  QVariant minimumStepSize() const override { return 1; }

  QString text(QAccessible::Text Kind) const override {
    const QAbstractItemModel& Model = *FView->model();
    const auto Data = [&](int Role) {
      return FRow < 0 ? Model.headerData(FColumn, Qt::Horizontal, Role).toString()
                      : Index().data(Role).toString();
    };
    if (Kind == QAccessible::Description) return Data(Qt::AccessibleDescriptionRole);
    if (Kind == QAccessible::Value) return Data(Qt::DisplayRole);
    if (Kind != QAccessible::Name) return QString();
    const QString Name = Data(Qt::AccessibleTextRole);
    return Name.isEmpty() ? Data(Qt::DisplayRole) : Name;
  }

  QRect rect() const override {
    if (FRow >= 0)
      return FView->visualRect(Index()).translated(FView->viewport()->mapToGlobal(QPoint()));
    const QHeaderView* Header = HeaderView();
    if (!Header) return QRect();
    return QRect(Header->mapToGlobal(QPoint(Header->sectionViewportPosition(FColumn), 0)),
                 QSize(Header->sectionSize(FColumn), Header->height()));
  }

  QAccessible::State state() const override {
    QAccessible::State State;
    if (FRow < 0) {
      State.invisible = !HeaderView() || HeaderView()->isHidden();
      return State;
    }
    const QModelIndex Cell = Index();
    const Qt::ItemFlags Flags = Cell.flags();
    const QVariant Check = Cell.data(Qt::CheckStateRole);
    State.checkable = (Flags & Qt::ItemIsUserCheckable) && Check.isValid();
    State.checked = Check.isValid() && Check.toInt() == Qt::Checked;
    State.editable = (Flags & Qt::ItemIsEditable) != 0;
    State.selectable = State.focusable = (Flags & Qt::ItemIsSelectable) != 0;
    State.selected = isSelected();
    State.focused = FView->hasFocus() && FView->currentIndex() == Cell;
    State.invisible = !FView->viewport()->rect().intersects(FView->visualRect(Cell));
    return State;
  }

  bool isSelected() const override { return FView->selectionModel()->isSelected(Index()); }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    return {table()->tableInterface()->cellAt(-1, FColumn)};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return FColumn; }
  int rowIndex() const override { return FRow; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QModelIndex Index() const { return FView->model()->index(FRow, FColumn); }
  const QHeaderView* HeaderView() const {
    const auto* Tree = qobject_cast<const QTreeView*>(FView.data());
    return Tree ? Tree->header() : nullptr;
  }

  QPointer<QAbstractItemView> FView;
  int FRow;
  int FColumn;
};

// The grid: its children are the header's cells, then the rows' cells, row
// by row, as the view numbers them in the events it sends.
class TGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TGridAccessible(QAbstractItemView* View) : QAccessibleWidget(View, QAccessible::Table) {}
  ~TGridAccessible() override { Forget(); }

  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
  }
  int childCount() const override { return (rowCount() + 1) * columnCount(); }
  QAccessibleInterface* child(int Index) const override {
    if (Index < 0 || Index >= childCount()) return nullptr;
    QAccessible::Id& Id = FCells[Index];
    if (!Id)
      Id = QAccessible::registerAccessibleInterface(
          new TCellAccessible(View(), Index / columnCount() - 1, Index % columnCount()));
    return QAccessible::accessibleInterface(Id);
  }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    const QAccessibleTableCellInterface* Cell =
        Child ? const_cast<QAccessibleInterface*>(Child)->tableCellInterface() : nullptr;
    if (Cell) return (Cell->rowIndex() + 1) * columnCount() + Cell->columnIndex();
    for (const auto& [Index, Id] : FCells)
      if (QAccessible::accessibleInterface(Id) == Child) return Index;
    return -1;
  }
  QAccessibleInterface* childAt(int X, int Y) const override {
    const QPoint At = View()->viewport()->mapFromGlobal(QPoint(X, Y));
    const QModelIndex Hit = View()->indexAt(At);
    return Hit.isValid() ? cellAt(Hit.row(), Hit.column()) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const QModelIndex Current = View()->currentIndex();
    return View()->hasFocus() && Current.isValid() ? cellAt(Current.row(), Current.column())
                                                   : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int Row, int Column) const override {
    return child((Row + 1) * columnCount() + Column);
  }
  int selectedCellCount() const override { return selectedCells().size(); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> Cells;
    for (const QModelIndex& Index : View()->selectionModel()->selectedIndexes())
      Cells.append(cellAt(Index.row(), Index.column()));
    return Cells;
  }
  QString columnDescription(int Column) const override {
    return View()->model()->headerData(Column, Qt::Horizontal).toString();
  }
  QString rowDescription(int) const override { return QString(); }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return selectedRows().size(); }
  int columnCount() const override { return View()->model()->columnCount(); }
  int rowCount() const override { return View()->model()->rowCount(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override {
    QList<int> Rows;
    for (const QModelIndex& Index : View()->selectionModel()->selectedRows())
      Rows.append(Index.row());
    return Rows;
  }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int Row) const override {
    return View()->selectionModel()->isRowSelected(Row, QModelIndex());
  }
  bool selectRow(int Row) override {
    View()->setCurrentIndex(View()->model()->index(Row, View()->currentIndex().column()));
    return true;
  }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // The cells are made anew when the rows are; their texts and states are
  // read when asked.
  void modelChange(QAccessibleTableModelChangeEvent* Event) override {
    if (Event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) Forget();
  }

 private:
  QAbstractItemView* View() const { return static_cast<QAbstractItemView*>(widget()); }
  void Forget() {
    for (const auto& [Index, Id] : FCells) QAccessible::deleteAccessibleInterface(Id);
    FCells.clear();
  }

  mutable std::map<int, QAccessible::Id> FCells;
};

}  // namespace

QAccessibleInterface* GridAccessible(QAbstractItemView* View) { return new TGridAccessible(View); }
