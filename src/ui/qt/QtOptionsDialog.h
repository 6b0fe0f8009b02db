// The options dialog on screen: the tree, the page area and the buttons,
// drawn from a TTweakerOptionsMain and passing the user's events to it.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <map>

#include "frmTweakerOptionsMain.h"

class TQtSheet;

class TQtOptionsDialog : public QDialog, public TOptionsDialogView {
  Q_OBJECT

 public:
  // Draws Dialog (borrowed), which must outlive the window.
  explicit TQtOptionsDialog(TTweakerOptionsMain& Dialog, QWidget* Parent = nullptr);
  ~TQtOptionsDialog() override;

  void ApplyEnabledChanged() override;
  void NodeExpanded(int Node) override;
  void SheetShown(TOptionsSheetBase* Hidden) override;
  void StartChangeTimer(int Milliseconds) override;
  void CloseModal() override;
  // Escape and the close box.
  void reject() override;

  TTweakerOptionsMain& Dialog() const { return FDialog; }
  // The tree item of a node of the dialog.
  QTreeWidgetItem* Item(int Node) const { return FItems.at(Node); }
  static int NodeOf(const QTreeWidgetItem* Item);
  static int NodeOf(const QModelIndex& Index);
  // The page shown now; null for none.
  TQtSheet* CurrentSheet() const;
  // Runs out after the tree's change delay.
  QTimer& ChangeTimer() { return FChangeTimer; }

  QTreeWidget* tvOptions;
  QWidget* pnlOptionsSheet;
  QWidget* pnlBottom;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QPushButton* btnApply;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void CreateComponents();
  void AddNodes();
  bool OverLabel(const QPoint& Position) const;
  void OrderTabs(QWidget* Sheet);

  TTweakerOptionsMain& FDialog;
  std::vector<QTreeWidgetItem*> FItems;
  std::map<const TOptionsSheetBase*, TQtSheet*> FSheets;
  QTimer FChangeTimer;
};

// Shows the dialog in a TQtOptionsDialog.
class TQtOptionsDialogFrontEnd : public TOptionsDialogFrontEnd {
 public:
  void ShowModal(TTweakerOptionsMain& Dialog) override;
};
