// The colour a selection is drawn in while its list or tree does not have
// the keyboard's focus: the system's colour of an inactive selection, as
// long as it stands out from the background; else that colour darkened
// until it does. Colours are 0xRRGGBB.
#pragma once

#include <cstdint>

// What a selection needs against its background to be seen.
inline constexpr double MinimumSelectionContrast = 3.0;

// The contrast ratio of two colours, from 1 (the same) to 21 (black on
// white), by their relative luminance.
double ContrastRatio(std::uint32_t First, std::uint32_t Second);

std::uint32_t UnfocusedSelection(std::uint32_t Inactive, std::uint32_t Background);
