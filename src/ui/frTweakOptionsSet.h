// The option list: one option set as a grid of "Option" and "Value" with
// check boxes for yes/no options, in-place editing for numbers and the
// focused option's description below. It changes the options' values in
// memory and tells its owner of every change; loading and saving belong to
// the page.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QTreeView>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class TTweakOptionItem;
class TTweakOptionSet;
class TOptionListModel;

// The notify event of a change: called with the frame as sender.
using TNotifyEvent = std::function<void(const void* Sender)>;

class TfrTweakOptions : public QWidget {
  Q_OBJECT

 public:
  explicit TfrTweakOptions(QWidget* Parent);
  ~TfrTweakOptions() override;

  // Binds a set (borrowed); its values must be loaded before FillList.
  void SetOptionSet(TTweakOptionSet* Value) { OptionSet = Value; }
  void SetOnOptionChanged(TNotifyEvent Value) { OnOptionChanged = std::move(Value); }
  // One row per option of the bound set.
  void FillList();
  // The option a row shows; null for no row.
  TTweakOptionItem* NodeToItem(int Row) const;

  // The grid's hooks, called by its model, view and editor.
  TTweakOptionItem* VTVInitNode(int Row, bool& HasCheckBox, bool& Checked) const;
  QString VTVGetText(int Row, int Column) const;
  void VTVPaintText(int Row, int Column) const;
  bool VTVEditing(int Row, int Column) const;
  void VTVNewText(int Row, int Column, const QString& NewText);
  void VTVChecked(int Row, bool Checked);
  void VTVChange(int Row);

  QGroupBox* GroupBox1;
  QTreeView* VTV;
  QLabel* lbDescription;

 private:
  TOptionListModel* FModel;
  TTweakOptionSet* OptionSet = nullptr;
  TNotifyEvent OnOptionChanged;
};
