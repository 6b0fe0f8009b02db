#include "QtSelectionLook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>

#include "SelectionColour.h"

namespace {

// Follows the view's focus; lives as long as the view.
class TSelectionLook : public QObject {
 public:
  explicit TSelectionLook(QAbstractItemView* View) : QObject(View), FView(View) {
    View->installEventFilter(this);
    Show(View->hasFocus());
  }

 protected:
  bool eventFilter(QObject*, QEvent* Event) override {
    const QEvent::Type Type = Event->type();
    // A popup menu of the view's own leaves it focused.
    if ((Type == QEvent::FocusIn || Type == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(Event)->reason() != Qt::PopupFocusReason)
      Show(Type == QEvent::FocusIn);
    return false;
  }

 private:
  void Show(bool Focused) {
    QPalette Look = QApplication::palette(FView);
    if (!Focused) {
      const bool Distinct = Look.color(QPalette::Inactive, QPalette::Highlight) !=
                            Look.color(QPalette::Active, QPalette::Highlight);
      const QColor Inactive = Distinct ? Look.color(QPalette::Inactive, QPalette::Highlight)
                                       : Look.color(QPalette::Inactive, QPalette::Button);
      const QColor Back = QColor::fromRgb(UnfocusedSelection(
          Inactive.rgb() & 0xFFFFFF, Look.color(QPalette::Base).rgb() & 0xFFFFFF));
      const QColor Text = Distinct ? Look.color(QPalette::Inactive, QPalette::HighlightedText)
                                   : Look.color(QPalette::Inactive, QPalette::ButtonText);
      for (QPalette::ColorGroup Group : {QPalette::Active, QPalette::Inactive}) {
        Look.setColor(Group, QPalette::Highlight, Back);
        Look.setColor(Group, QPalette::HighlightedText, Text);
      }
    }
    FView->setPalette(Look);
  }

  QAbstractItemView* FView;
};

}  // namespace

void ShowFocusBySelection(QAbstractItemView* View) { new TSelectionLook(View); }
