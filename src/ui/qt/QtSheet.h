// A page on screen: the widgets of a page's layout, each at its place.
#pragma once

#include <QWidget>

class TOptionsSheetBase;

class TQtSheet : public QWidget {
  Q_OBJECT

 public:
  // Draws Sheet (borrowed), which must outlive the widget.
  TQtSheet(const TOptionsSheetBase& Sheet, QWidget* Parent);

  const TOptionsSheetBase& Sheet() const { return FSheet; }

 private:
  const TOptionsSheetBase& FSheet;
};
