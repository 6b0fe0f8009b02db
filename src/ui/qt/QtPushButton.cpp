#include "QtPushButton.h"

#include <QKeyEvent>
#include <QPainter>

#include "QtScale.h"

TQtPushButton::TQtPushButton(const QString& Caption, QWidget* Parent)
    : QPushButton(Caption, Parent) {
  setAutoDefault(true);
}

void TQtPushButton::keyPressEvent(QKeyEvent* Event) {
  switch (Event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      return;
    default:
      QPushButton::keyPressEvent(Event);
  }
}

void TQtPushButton::paintEvent(QPaintEvent* Event) {
  QPushButton::paintEvent(Event);
  if (!hasFocus()) return;
  QPainter Painter(this);
  Painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
  const int Inset = Scaled(4);
  Painter.drawRect(rect().adjusted(Inset, Inset, -Inset - 1, -Inset - 1));
}
