#include "frmTweakerOptionsMain.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "UserInteraction.h"
#include "miniUtils.h"

namespace {

constexpr int kClientWidth = 559;
constexpr int kClientHeight = 367;
constexpr int kTreeWidth = 174;
constexpr int kButtonStripHeight = 33;

QString Text(const std::string& Value) { return QString::fromStdString(Value); }

}  // namespace

TTweakerOptionsMain::TTweakerOptionsMain(QWidget* Parent) : QDialog(Parent) {
  CreateComponents();
  FormCreate();
}

TTweakerOptionsMain::~TTweakerOptionsMain() { FormDestroy(); }

void TTweakerOptionsMain::CreateComponents() {
  setWindowTitle("Quorvanta Tweaker for Desktop and PocketPC Editions.");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(QFont("MS Sans Serif", 8));
  setFixedSize(kClientWidth, kClientHeight);

  tvOptions = new QTreeWidget(this);
  tvOptions->setObjectName("tvOptions");
  tvOptions->setGeometry(0, 0, kTreeWidth, kClientHeight);
  tvOptions->setHeaderHidden(true);
  tvOptions->setIndentation(19);
  tvOptions->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvOptions->setMouseTracking(true);  // hot tracking
  QPalette Palette = tvOptions->palette();
  for (QPalette::ColorRole Role : {QPalette::Highlight, QPalette::HighlightedText})
    Palette.setColor(QPalette::Inactive, Role, Palette.color(QPalette::Active, Role));
  tvOptions->setPalette(Palette);
  tvOptions->viewport()->installEventFilter(this);

  // The boundary between tree and page cannot be dragged.
  Splitter1 = new QWidget(this);
  Splitter1->setObjectName("Splitter1");
  Splitter1->hide();

  pnlOptionsSheet = new QWidget(this);
  pnlOptionsSheet->setObjectName("pnlOptionsSheet");
  pnlOptionsSheet->setGeometry(kTreeWidth, 0, kClientWidth - kTreeWidth, kClientHeight);
  auto* Layout = new QVBoxLayout(pnlOptionsSheet);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  // The shown page takes all the room above the button strip, which stays
  // at the bottom also while no page is shown.
  pnlBottom = new QWidget(pnlOptionsSheet);
  pnlBottom->setObjectName("pnlBottom");
  pnlBottom->setFixedHeight(kButtonStripHeight);
  Layout->addWidget(pnlBottom, 0, Qt::AlignBottom);

  // The buttons keep their distance from the right edge: the last one ends
  // 5 pixels before it.
  const int Right = pnlOptionsSheet->width();
  auto AddButton = [this, Right](const char* Name, const char* Caption, int RightMargin) {
    auto* Button = new QPushButton(Caption, pnlBottom);
    Button->setObjectName(Name);
    Button->setGeometry(Right - RightMargin - 75, 5, 75, 25);
    Button->setAutoDefault(false);
    return Button;
  };
  btnOK = AddButton("btnOK", "OK", 181);
  btnCancel = AddButton("btnCancel", "Cancel", 93);
  btnApply = AddButton("btnApply", "&Apply", 5);
  btnOK->setDefault(true);
  btnApply->setEnabled(false);

  FChangeTimer.setSingleShot(true);
  connect(&FChangeTimer, &QTimer::timeout, this,
          [this] { ReportErrorsOf([this] { tvOptionsChange(); }); });
  connect(tvOptions, &QTreeWidget::currentItemChanged, this, [this] { SelectionChanged(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnApply, &QPushButton::clicked, this,
          [this] { ReportErrorsOf([this] { btnApplyClick(); }); });
}

void TTweakerOptionsMain::FormCreate() {
  FCurrentSheet = nullptr;
  FTreeUpdating = 0;
  FModified = false;
  FChanged = false;
  BuildSheetTree();
}

void TTweakerOptionsMain::FormDestroy() {
  FChangeTimer.stop();
  tvOptions->disconnect(this);
  FCurrentSheet = nullptr;
  for (QTreeWidgetItem* Node : NodesInTreeOrder()) {
    delete ItemOf(Node);
    Node->setData(0, Qt::UserRole, QVariant());
  }
}

TOptionItem* TTweakerOptionsMain::ItemOf(const QTreeWidgetItem* Node) {
  return Node ? static_cast<TOptionItem*>(Node->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

std::vector<QTreeWidgetItem*> TTweakerOptionsMain::NodesInTreeOrder() const {
  std::vector<QTreeWidgetItem*> Nodes;
  for (QTreeWidgetItemIterator It(tvOptions); *It; ++It) Nodes.push_back(*It);
  return Nodes;
}

void TTweakerOptionsMain::BuildSheetTree() {
  ++FTreeUpdating;
  FNodeMap = std::make_unique<std::vector<std::pair<std::string, QTreeWidgetItem*>>>();
  try {
    EnumOptionsSheets(
        [this](const std::string& ParentName, const std::string& SheetName,
               TSheetClass SheetClass) { AddSheetNode(ParentName, SheetName, SheetClass); });
  } catch (...) {
    FNodeMap.reset();
    --FTreeUpdating;
    throw;
  }
  FNodeMap.reset();
  --FTreeUpdating;
  tvOptionsChange();
}

void TTweakerOptionsMain::AddSheetNode(const std::string& ParentName, const std::string& SheetName,
                                       TSheetClass SheetClass) {
  QTreeWidgetItem* Parent = nullptr;
  if (!ParentName.empty()) {
    for (const auto& [Name, Node] : *FNodeMap) {
      if (Text(Name).compare(Text(ParentName), Qt::CaseInsensitive) == 0) {
        Parent = Node;
        break;
      }
    }
  }
  auto Item = std::make_unique<TOptionItem>(SheetClass);
  auto* Node = new QTreeWidgetItem(QStringList(Text(SheetName)));
  Node->setData(0, Qt::UserRole, QVariant::fromValue<void*>(Item.release()));
  if (Parent) {
    Parent->addChild(Node);
    Parent->setExpanded(true);
  } else {
    tvOptions->addTopLevelItem(Node);
  }
  FNodeMap->emplace_back(SheetName, Node);
}

void TTweakerOptionsMain::SelectionChanged() {
  if (FChangeDelay <= 0) {
    ReportErrorsOf([this] { tvOptionsChange(); });
    return;
  }
  FChangeTimer.start(FChangeDelay);
}

void TTweakerOptionsMain::tvOptionsChange() {
  QTreeWidgetItem* Selected = tvOptions->currentItem();
  if (FTreeUpdating > 0 || !Selected) return;
  TOptionItem* Item = ItemOf(Selected);
  if (!Item) return;
  if (!Item->Sheet) {
    Item->Sheet = Item->SheetClass.Create(this, pnlOptionsSheet);
    Item->Sheet->hide();
    auto* Layout = static_cast<QVBoxLayout*>(pnlOptionsSheet->layout());
    Layout->insertWidget(0, Item->Sheet, 1);
  }
  if (Item->Sheet == FCurrentSheet) return;
  if (FCurrentSheet) FCurrentSheet->hide();
  FCurrentSheet = Item->Sheet;
  FCurrentSheet->show();
}

bool TTweakerOptionsMain::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == tvOptions->viewport() && Event->type() == QEvent::MouseButtonRelease) {
    auto* Mouse = static_cast<QMouseEvent*>(Event);
    if (Mouse->button() == Qt::LeftButton) tvOptionsMouseUp(Mouse->position().toPoint());
  }
  return QDialog::eventFilter(Watched, Event);
}

void TTweakerOptionsMain::tvOptionsMouseUp(const QPoint& Position) {
  // Only a release over a node's label expands; the expand button and the
  // empty space beside the labels do not.
  QModelIndex Hit = tvOptions->indexAt(Position);
  if (!Hit.isValid()) return;
  QRect Label = tvOptions->visualRect(Hit);
  Label.setWidth(tvOptions->fontMetrics().horizontalAdvance(Hit.data().toString()) + 8);
  if (!Label.contains(Position)) return;
  QTreeWidgetItem* Selected = tvOptions->currentItem();
  if (Selected && !Selected->isExpanded()) Selected->setExpanded(true);
}

void TTweakerOptionsMain::SetModified(bool Value) {
  FModified = Value;
  btnApply->setEnabled(Value);
  if (Value) FChanged = true;
}

void TTweakerOptionsMain::ApplyAll() {
  for (QTreeWidgetItem* Node : NodesInTreeOrder())
    if (TOptionItem* Item = ItemOf(Node); Item && Item->Sheet) Item->Sheet->Apply();
  SetModified(false);
}

void TTweakerOptionsMain::btnApplyClick() { ApplyAll(); }

void TTweakerOptionsMain::btnOKClick() {
  // After a failed apply the dialog stays open.
  bool Applied = false;
  ReportErrorsOf([&] {
    ApplyAll();
    Applied = true;
  });
  if (Applied) accept();
}

void TTweakerOptionsMain::SelectStartPage(const std::string& StartPage) {
  QTreeWidgetItem* Start = nullptr;
  if (!StartPage.empty()) {
    for (QTreeWidgetItem* Node : NodesInTreeOrder()) {
      if (Node->text(0) == Text(StartPage)) {
        Start = Node;
        break;
      }
    }
  }
  if (!Start && tvOptions->topLevelItemCount() > 0) Start = tvOptions->topLevelItem(0);
  if (Start) tvOptions->setCurrentItem(Start);
}

bool ShowTweakerOptions(const std::string& StartPage) {
  TTweakerOptionsMain Dialog;
  Dialog.SelectStartPage(StartPage);
  Dialog.setWindowTitle(Dialog.windowTitle() + " Ver. " + Text(AppVersionString(false, "")));
  Dialog.SetChangeDelay(300);
  Dialog.exec();
  return Dialog.Changed();
}
