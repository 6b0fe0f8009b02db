#include "QtSheet.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "QtOptionList.h"
#include "QtScale.h"
#include "QtText.h"
#include "frmOptionsSheetBase.h"

namespace {

// A label at its place, grown where its text needs more room in this font:
// a wrapped text downwards, a single line to the right.
void PlaceLabel(QLabel* Label, const TSheetRect& Bounds) {
  Label->ensurePolished();
  QRect Place = Scaled(Bounds);
  if (Label->wordWrap())
    Place.setHeight(std::max(Place.height(), Label->heightForWidth(Place.width())));
  else
    Place.setWidth(std::max(Place.width(), Label->sizeHint().width()));
  Label->setGeometry(Place);
}

QLabel* AddLabel(QWidget* Parent, const TSheetLabel& Spec) {
  auto* Label = new QLabel(ToQString(Spec.Caption), Parent);
  Label->setObjectName(ToQString(Spec.Name));
  Label->setWordWrap(Spec.WordWrap);
  Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette Palette = Label->palette();
  Palette.setColor(QPalette::WindowText, QColor::fromRgb(Spec.Color));
  Label->setPalette(Palette);
  if (Spec.Bold) {
    // Only the weight: the family and size stay the page's.
    QFont Bold;
    Bold.setBold(true);
    Label->setFont(Bold);
  }
  // Shown with its parent: showing it now would size it to its text first.
  if (!Spec.Visible) Label->hide();
  return Label;
}

// A strip of the page: a fixed height, labels without bounds filling it.
QWidget* AddStrip(QWidget* Page, const TSheetStrip& Spec) {
  auto* Strip = new QWidget(Page);
  Strip->setObjectName(ToQString(Spec.Name));
  Strip->setFixedHeight(Scaled(Spec.Height));
  auto* Filling = new QVBoxLayout(Strip);
  Filling->setContentsMargins(0, 0, 0, 0);
  for (const TSheetLabel& LabelSpec : Spec.Labels) {
    QLabel* Label = AddLabel(Strip, LabelSpec);
    if (LabelSpec.Bounds.Width == 0)
      Filling->addWidget(Label);
    else
      PlaceLabel(Label, LabelSpec.Bounds);
  }
  for (const TSheetButton& ButtonSpec : Spec.Buttons) {
    auto* Button = new QPushButton(ToQString(ButtonSpec.Caption), Strip);
    Button->setObjectName(ToQString(ButtonSpec.Name));
    Button->setGeometry(Scaled(ButtonSpec.Bounds));
    QObject::connect(Button, &QPushButton::clicked, Strip,
                     [OnClick = ButtonSpec.OnClick] { OnClick(); });
  }
  return Strip;
}

}  // namespace

TQtSheet::TQtSheet(const TOptionsSheetBase& Sheet, QWidget* Parent)
    : QWidget(Parent), FSheet(Sheet) {
  setFont(QFont("MS Sans Serif", 8));
  const TSheetLayout& Layout = Sheet.Layout();
  for (const TSheetLabel& Spec : Layout.Labels) PlaceLabel(AddLabel(this, Spec), Spec.Bounds);

  auto* Column = new QVBoxLayout(this);
  Column->setContentsMargins(0, 0, 0, 0);
  Column->setSpacing(0);
  if (Layout.Top) Column->addWidget(AddStrip(this, *Layout.Top));
  if (Layout.OptionList)
    Column->addWidget(new TQtOptionList(*Layout.OptionList, this), 1);
  else
    Column->addStretch(1);
  if (Layout.Bottom) Column->addWidget(AddStrip(this, *Layout.Bottom));
}
