#include "QtSheet.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtOptionList.h"
#include "QtPushButton.h"
#include "QtScale.h"
#include "QtText.h"
#include "frmOptionsSheetBase.h"

namespace {

// A label at its place, grown as the page's rule says where its text needs
// more room in this font.
void PlaceLabel(QLabel* Label, const TSheetLabel& Spec, const TSheetRect& Bounds) {
  Label->ensurePolished();
  const QRect Place = Scaled(Bounds);
  const TSheetRect Grown =
      LabelPlace(Spec, {Place.x(), Place.y(), Place.width(), Place.height()},
                 [Label](const TSheetLabel&, int WrapWidth) {
                   if (WrapWidth > 0) return TTextSize{WrapWidth, Label->heightForWidth(WrapWidth)};
                   return TTextSize{Label->sizeHint().width(), Label->sizeHint().height()};
                 });
  Label->setGeometry(Grown.Left, Grown.Top, Grown.Width, Grown.Height);
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
    if (FillsStrip(LabelSpec))
      Filling->addWidget(Label);
    else
      PlaceLabel(Label, LabelSpec, LabelSpec.Bounds);
  }
  for (const TSheetButton& ButtonSpec : Spec.Buttons) {
    auto* Button = new TQtPushButton(ToQString(ButtonSpec.Caption), Strip);
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
  setFont(DialogFont());
  const TSheetLayout& Layout = Sheet.Layout();
  setWindowTitle(ToQString(Layout.Caption));
  resize(Scaled(Layout.Width), Scaled(Layout.Height));
  for (const TSheetLabel& Spec : Layout.Labels) PlaceLabel(AddLabel(this, Spec), Spec, Spec.Bounds);

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
