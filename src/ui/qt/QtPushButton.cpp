#include "QtPushButton.h"

#include <QKeyEvent>

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
