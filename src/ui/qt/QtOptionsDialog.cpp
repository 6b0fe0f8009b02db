#include "QtOptionsDialog.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include "QtPushButton.h"
#include "QtScale.h"
#include "QtSelectionLook.h"
#include "QtSheet.h"
#include "QtText.h"
#include "UserInteraction.h"

TQtOptionsDialog::TQtOptionsDialog(TTweakerOptionsMain& Dialog, QWidget* Parent)
    : QDialog(Parent), FDialog(Dialog) {
  CreateComponents();
  AddNodes();
  if (FDialog.CurrentSheet()) SheetShown(nullptr);
  ApplyEnabledChanged();
  FDialog.SetView(this);
}

TQtOptionsDialog::~TQtOptionsDialog() {
  FDialog.SetView(nullptr);
  FChangeTimer.stop();
  tvOptions->disconnect(this);
}

void TQtOptionsDialog::CreateComponents() {
  using TMain = TTweakerOptionsMain;
  setWindowTitle(ToQString(FDialog.Caption()));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  setFixedSize(Scaled(TMain::ClientWidth), Scaled(TMain::ClientHeight));

  tvOptions = new QTreeWidget(this);
  tvOptions->setObjectName("tvOptions");
  tvOptions->setAccessibleName(TMain::TreeName);
  tvOptions->setGeometry(0, 0, Scaled(TMain::TreeWidth), height());
  tvOptions->setHeaderHidden(true);
  // A screen reader may still read the hidden header: it tells the name.
  tvOptions->setHeaderLabel(TMain::TreeName);
  tvOptions->setIndentation(Scaled(TMain::TreeIndent));
  tvOptions->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvOptions->setMouseTracking(true);  // hot tracking
  // The selection stays highlighted without the focus.
  ShowFocusBySelection(tvOptions);
  tvOptions->viewport()->installEventFilter(this);
  tvOptions->installEventFilter(this);

  pnlOptionsSheet = new QWidget(this);
  pnlOptionsSheet->setObjectName("pnlOptionsSheet");
  pnlOptionsSheet->setGeometry(tvOptions->width(), 0, width() - tvOptions->width(), height());
  auto* Layout = new QVBoxLayout(pnlOptionsSheet);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  // The shown page takes all the room above the button strip, which stays
  // at the bottom also while no page is shown.
  pnlBottom = new QWidget(pnlOptionsSheet);
  pnlBottom->setObjectName("pnlBottom");
  pnlBottom->setFixedHeight(Scaled(TMain::ButtonStripHeight));
  Layout->addWidget(pnlBottom, 0, Qt::AlignBottom);

  QPushButton* Buttons[3];
  const char* const Names[3] = {"btnOK", "btnCancel", "btnApply"};
  for (int Index = 0; Index < 3; ++Index) {
    Buttons[Index] = new TQtPushButton(TMain::ButtonCaptions[Index], pnlBottom);
    Buttons[Index]->setObjectName(Names[Index]);
    const int Left = pnlOptionsSheet->width() - Scaled(TMain::ButtonRightMargin[Index]) -
                     Scaled(TMain::ButtonWidth);
    Buttons[Index]->setGeometry(Left, Scaled(TMain::ButtonTop), Scaled(TMain::ButtonWidth),
                                Scaled(TMain::ButtonHeight));
    Buttons[Index]->installEventFilter(this);
  }
  btnOK = Buttons[0];
  btnCancel = Buttons[1];
  btnApply = Buttons[2];
  btnOK->setDefault(true);

  FChangeTimer.setSingleShot(true);
  connect(&FChangeTimer, &QTimer::timeout, this,
          [this] { ReportErrorsOf([this] { FDialog.tvOptionsChange(); }); });
  connect(btnOK, &QPushButton::clicked, this, [this] { FDialog.btnOKClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { FDialog.btnCancelClick(); });
  connect(btnApply, &QPushButton::clicked, this, [this] { FDialog.btnApplyClick(); });
}

void TQtOptionsDialog::AddNodes() {
  FItems.assign(FDialog.NodeCount(), nullptr);
  for (int Node : FDialog.NodesInTreeOrder()) {
    const TOptionNode& Spec = FDialog.Node(Node);
    auto* Item = new QTreeWidgetItem(QStringList(ToQString(Spec.Text)));
    Item->setData(0, Qt::UserRole, Node);
    if (Spec.Parent == -1)
      tvOptions->addTopLevelItem(Item);
    else
      FItems[Spec.Parent]->addChild(Item);
    FItems[Node] = Item;
  }
  for (int Node = 0; Node < FDialog.NodeCount(); ++Node)
    FItems[Node]->setExpanded(FDialog.Node(Node).Expanded);
  if (FDialog.Selected() >= 0) tvOptions->setCurrentItem(FItems[FDialog.Selected()]);
  connect(tvOptions, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* Current, QTreeWidgetItem* Previous) {
            if (!Current || FDialog.tvOptionsSelect(NodeOf(Current))) return;
            // The shown page cannot be left: the selection goes back.
            const QSignalBlocker Blocker(tvOptions);
            tvOptions->setCurrentItem(Previous);
          });
  connect(tvOptions, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* Item) { FDialog.tvOptionsExpandedChange(NodeOf(Item), true); });
  connect(tvOptions, &QTreeWidget::itemCollapsed, this,
          [this](QTreeWidgetItem* Item) { FDialog.tvOptionsExpandedChange(NodeOf(Item), false); });
}

int TQtOptionsDialog::NodeOf(const QTreeWidgetItem* Item) {
  return Item->data(0, Qt::UserRole).toInt();
}

int TQtOptionsDialog::NodeOf(const QModelIndex& Index) { return Index.data(Qt::UserRole).toInt(); }

TQtSheet* TQtOptionsDialog::CurrentSheet() const {
  const auto Found = FSheets.find(FDialog.CurrentSheet());
  return Found == FSheets.end() ? nullptr : Found->second;
}

void TQtOptionsDialog::ApplyEnabledChanged() { btnApply->setEnabled(FDialog.ApplyEnabled()); }

void TQtOptionsDialog::NodeExpanded(int Node) { FItems[Node]->setExpanded(true); }

void TQtOptionsDialog::SheetShown(TOptionsSheetBase* Hidden) {
  if (const auto Found = FSheets.find(Hidden); Found != FSheets.end()) Found->second->hide();
  TOptionsSheetBase* Shown = FDialog.CurrentSheet();
  TQtSheet*& Sheet = FSheets[Shown];
  if (!Sheet) {
    Sheet = new TQtSheet(*Shown, pnlOptionsSheet);
    static_cast<QVBoxLayout*>(pnlOptionsSheet->layout())->insertWidget(0, Sheet, 1);
  }
  Sheet->show();
  OrderTabs(Sheet);
}

void TQtOptionsDialog::OrderTabs(QWidget* Sheet) {
  // The tree, the page's controls, then "OK", "Cancel" and "&Apply".
  QWidget* Before = tvOptions;
  for (QWidget* Control : Sheet->findChildren<QWidget*>()) {
    if (!(Control->focusPolicy() & Qt::TabFocus)) continue;
    setTabOrder(Before, Control);
    Before = Control;
  }
  for (QWidget* Button : {btnOK, btnCancel, btnApply}) {
    setTabOrder(Before, Button);
    Before = Button;
  }
}

void TQtOptionsDialog::StartChangeTimer(int Milliseconds) { FChangeTimer.start(Milliseconds); }

void TQtOptionsDialog::CloseModal() { done(static_cast<int>(FDialog.ModalResult())); }

void TQtOptionsDialog::reject() { FDialog.btnCancelClick(); }

bool TQtOptionsDialog::eventFilter(QObject* Watched, QEvent* Event) {
  // A button's mnemonic presses it at once, as a click does: it takes the
  // focus first, and the option list's editor is left for it once.
  if (Event->type() == QEvent::Shortcut && Watched != tvOptions->viewport()) {
    auto* Button = static_cast<QPushButton*>(Watched);
    Button->setFocus(Qt::ShortcutFocusReason);
    Button->click();
    return true;
  }
  // Typing in the tree finds no node: the pages change by the mouse and
  // the arrows only.
  if (Watched == tvOptions && Event->type() == QEvent::KeyPress) {
    const QString Typed = static_cast<QKeyEvent*>(Event)->text();
    return !Typed.isEmpty() && Typed.front().isPrint();
  }
  if (Watched != tvOptions->viewport()) return QDialog::eventFilter(Watched, Event);
  const QEvent::Type Type = Event->type();
  if (Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick) {
    // Asked before the selection moves, so that a page that cannot be left
    // keeps the tree's highlight too.
    const QModelIndex Hit =
        tvOptions->indexAt(static_cast<QMouseEvent*>(Event)->position().toPoint());
    bool Moves = true;
    if (Hit.isValid()) ReportErrorsOf([&] { Moves = FDialog.tvOptionsChanging(NodeOf(Hit)); });
    if (!Moves) return true;
  }
  if (Type == QEvent::MouseButtonRelease) {
    auto* Mouse = static_cast<QMouseEvent*>(Event);
    if (Mouse->button() == Qt::LeftButton)
      FDialog.tvOptionsMouseUp(OverLabel(Mouse->position().toPoint()));
  }
  return QDialog::eventFilter(Watched, Event);
}

bool TQtOptionsDialog::OverLabel(const QPoint& Position) const {
  // Only a node's label counts; the expand button and the empty space beside
  // the labels do not.
  const QModelIndex Hit = tvOptions->indexAt(Position);
  if (!Hit.isValid()) return false;
  QRect Label = tvOptions->visualRect(Hit);
  Label.setWidth(tvOptions->fontMetrics().horizontalAdvance(Hit.data().toString()) + 8);
  return Label.contains(Position);
}

void TQtOptionsDialogFrontEnd::ShowModal(TTweakerOptionsMain& Dialog) {
  TQtOptionsDialog Window(Dialog);
  Window.exec();
}
