#include "QtScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

int Scaled(int Pixels) {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  const double Dpi = Screen ? Screen->logicalDotsPerInchX() : 96.0;
  return static_cast<int>(std::lround(Pixels * Dpi / 96.0));
}

QRect Scaled(const TSheetRect& Bounds) {
  return QRect(Scaled(Bounds.Left), Scaled(Bounds.Top), Scaled(Bounds.Width),
               Scaled(Bounds.Height));
}

QFont DialogFont() {
  QFont Font(DialogFontName, DialogFontPoints);
  Font.setStyleStrategy(QFont::PreferNoShaping);
  return Font;
}
