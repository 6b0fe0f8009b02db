// The option list on screen: the grid of "Option" and "Value" over the
// rows of a TfrTweakOptions, and the description box below it.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QTreeView>
#include <QWidget>

#include "frTweakOptionsSet.h"

class TQtOptionListModel;

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

  TfrTweakOptions& Frame() const { return FFrame; }

  QTreeView* VTV;
  QGroupBox* GroupBox1;
  QLabel* lbDescription;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  TfrTweakOptions& FFrame;
  TQtOptionListModel* FModel;
};
