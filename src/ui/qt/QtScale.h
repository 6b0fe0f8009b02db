// The dialog's places are pixels at 96 DPI; on screen they grow with the
// screen's logical DPI, as the fonts do. The dialog's font.
#pragma once

#include <QFont>
#include <QRect>

#include "SheetLayout.h"

int Scaled(int Pixels);
QRect Scaled(const TSheetRect& Bounds);

QFont DialogFont();
