// The option list on screen: the grid of "Option" and "Value" over the
// rows of a TfrTweakOptions, and the description box below it.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include "frTweakOptionsSet.h"

class TQtOptionListModel;
class TValueDelegate;

class TQtOptionList : public QWidget, public TOptionListView {
  Q_OBJECT

 public:
  // Draws Frame (borrowed), which must outlive the widget.
  TQtOptionList(TfrTweakOptions& Frame, QWidget* Parent);
  ~TQtOptionList() override;

  void RowsChanged() override;
  void RowChanged(int Row) override;
  void DescriptionChanged() override;
  void RowFocused(int Row) override;
  void StartEditTimer(int Milliseconds) override;
  void StopEditTimer() override;
  void OpenEditor(int Row, const WideString& Text) override;
  WideString EditorText() const override;
  void FocusEditor() override;
  void CloseEditor() override;
  void ShowContextMenu(int Row) override;

  TfrTweakOptions& Frame() const { return FFrame; }
  // The open in-place editor; null for none.
  QLineEdit* Editor() const;
  // Where the check box of a row's Value cell is drawn, in the grid's
  // viewport.
  QRect CheckBoxRect(int Row) const;
  // Runs out after the frame's edit delay.
  QTimer& EditTimer() { return FEditTimer; }

  QTreeView* VTV;
  QGroupBox* GroupBox1;
  QLabel* lbDescription;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  TfrTweakOptions& FFrame;
  TQtOptionListModel* FModel;
  TValueDelegate* FDelegate;
  QTimer FEditTimer;
};
