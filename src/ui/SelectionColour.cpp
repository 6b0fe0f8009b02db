#include "SelectionColour.h"

#include <algorithm>
#include <cmath>

namespace {

double Channel(std::uint32_t Colour, int Shift) {
  const double Value = ((Colour >> Shift) & 0xFF) / 255.0;
  return Value <= 0.03928 ? Value / 12.92 : std::pow((Value + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t Colour) {
  return 0.2126 * Channel(Colour, 16) + 0.7152 * Channel(Colour, 8) + 0.0722 * Channel(Colour, 0);
}

// Each channel scaled by Factor.
std::uint32_t Scaled(std::uint32_t Colour, double Factor) {
  std::uint32_t Result = 0;
  for (int Shift : {16, 8, 0})
    Result |= static_cast<std::uint32_t>(((Colour >> Shift) & 0xFF) * Factor) << Shift;
  return Result;
}

}  // namespace

double ContrastRatio(std::uint32_t First, std::uint32_t Second) {
  const double Lighter = std::max(Luminance(First), Luminance(Second));
  const double Darker = std::min(Luminance(First), Luminance(Second));
  return (Lighter + 0.05) / (Darker + 0.05);
}

std::uint32_t UnfocusedSelection(std::uint32_t Inactive, std::uint32_t Background) {
  std::uint32_t Colour = Inactive;
  // A background darker than the middle gets a lighter selection.
  const bool Lighten = Luminance(Background) < 0.18;
  for (int Step = 0; Step < 64 && ContrastRatio(Colour, Background) < MinimumSelectionContrast;
       ++Step)
    Colour = Lighten ? (0xFFFFFF - Scaled(0xFFFFFF - Colour, 0.9)) : Scaled(Colour, 0.9);
  return Colour;
}
