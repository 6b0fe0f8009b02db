// The dialog's places are pixels at 96 DPI; on screen they grow with the
// screen's logical DPI, as the fonts do.
#pragma once

#include <QRect>

#include "SheetLayout.h"

int Scaled(int Pixels);
QRect Scaled(const TSheetRect& Bounds);
