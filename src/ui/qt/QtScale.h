// The dialog's places are pixels at 96 DPI; on screen they grow with the
// screen's logical DPI, as the fonts do. The dialog's font.
#pragma once

#include <QFont>
#include <QRect>

#include "SheetLayout.h"

int Scaled(int Pixels);
QRect Scaled(const TSheetRect& Bounds);

// The dialog's face and size, its text set without kerning or ligatures, as
// the classic dialog font sets it, wherever the script does not need them:
// shaping was most of what measuring and drawing the pages' texts cost.
QFont DialogFont();
