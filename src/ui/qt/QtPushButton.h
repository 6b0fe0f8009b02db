// A push button of the dialog or a page, with the keys of a dialog's
// button on every system: Return presses the focused button, and the
// arrows do nothing (the toolkit would move the focus with them, as Tab).
// The focused button shows a dotted rectangle inside its face in the
// face's text colour, apart from the default button's frame around it.
#pragma once

#include <QPushButton>

class TQtPushButton : public QPushButton {
 public:
  TQtPushButton(const QString& Caption, QWidget* Parent);

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
};
