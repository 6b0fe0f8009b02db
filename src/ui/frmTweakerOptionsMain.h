// The options dialog: the page tree on the left, the selected page on the
// right, "OK", "Cancel" and "&Apply" below.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frmOptionsSheetBase.h"

// The payload of one tree node: its page class and, once the node was
// selected, its page, which the item owns.
class TOptionItem {
 public:
  explicit TOptionItem(TSheetClass SheetClass) : SheetClass(SheetClass) {}
  ~TOptionItem() { delete Sheet; }
  TOptionItem(const TOptionItem&) = delete;
  TOptionItem& operator=(const TOptionItem&) = delete;

  TSheetClass SheetClass;
  TOptionsSheetBase* Sheet = nullptr;
};

class TTweakerOptionsMain : public QDialog, public TOptionsSheetOwner {
  Q_OBJECT

 public:
  explicit TTweakerOptionsMain(QWidget* Parent = nullptr);
  ~TTweakerOptionsMain() override;

  void SetModified(bool Value) override;
  // Asks every page created so far to write its options, in tree order.
  void ApplyAll();
  // From now on a selection is reported only after it stayed Milliseconds.
  void SetChangeDelay(int Milliseconds) { FChangeDelay = Milliseconds; }
  // Selects the first node whose text is StartPage (letter case counts), or
  // else the first node.
  void SelectStartPage(const std::string& StartPage);

  bool Changed() const { return FChanged; }
  TOptionsSheetBase* CurrentSheet() const { return FCurrentSheet; }
  static TOptionItem* ItemOf(const QTreeWidgetItem* Node);
  // Every node, top to bottom and every level, expanded or not.
  std::vector<QTreeWidgetItem*> NodesInTreeOrder() const;

  QTreeWidget* tvOptions;
  QWidget* Splitter1;
  QWidget* pnlOptionsSheet;
  QWidget* pnlBottom;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QPushButton* btnApply;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void CreateComponents();
  void FormCreate();
  void FormDestroy();
  void BuildSheetTree();
  void AddSheetNode(const std::string& ParentName, const std::string& SheetName,
                    TSheetClass SheetClass);
  void SelectionChanged();
  void tvOptionsChange();
  void tvOptionsMouseUp(const QPoint& Position);
  void btnApplyClick();
  void btnOKClick();

  std::unique_ptr<std::vector<std::pair<std::string, QTreeWidgetItem*>>> FNodeMap;
  bool FModified = false;
  TOptionsSheetBase* FCurrentSheet = nullptr;
  int FTreeUpdating = 0;
  bool FChanged = false;
  int FChangeDelay = 0;
  QTimer FChangeTimer;
};

// Runs the dialog modally with StartPage selected; true when any option was
// edited while it was open, whether or not it was applied.
bool ShowTweakerOptions(const std::string& StartPage);
