#include "SheetLayout.h"

#include <algorithm>

TSheetRect LabelPlace(const TSheetLabel& Label, const TSheetRect& Place,
                      const TMeasureLabel& Measure) {
  TSheetRect Grown = Place;
  if (Label.WordWrap)
    Grown.Height = std::max(Place.Height, Measure(Label, Place.Width).Height);
  else
    Grown.Width = std::max(Place.Width, Measure(Label, 0).Width);
  return Grown;
}
