#include <gtest/gtest.h>

#include "SelectionColour.h"

namespace {

TEST(SelectionColourTest, AnUnfocusedSelectionStandsOutFromItsBackgroundAtLeastThreeToOne) {
  struct TCase {
    std::uint32_t Inactive;
    std::uint32_t Background;
  };
  // Qt's and Wine's near-white inactive selections, a dark theme's, and
  // one that stands out already, which stays as it is.
  const TCase Cases[] = {
      {0xEFEFEF, 0xFFFFFF}, {0xE6E6E6, 0xFFFFFF}, {0x2A2A2A, 0x1E1E1E}, {0x606060, 0xFFFFFF}};
  for (const TCase& Case : Cases) {
    const std::uint32_t Colour = UnfocusedSelection(Case.Inactive, Case.Background);
    EXPECT_GE(ContrastRatio(Colour, Case.Background), MinimumSelectionContrast) << Case.Inactive;
    if (ContrastRatio(Case.Inactive, Case.Background) >= MinimumSelectionContrast) {
      EXPECT_EQ(Case.Inactive, Colour);
    }
  }
  // Every grey background with a selection of its own colour, the mid-greys
  // among them, where only one direction reaches the contrast.
  for (std::uint32_t Level = 0; Level <= 0xFF; Level += 3) {
    const std::uint32_t Grey = Level * 0x010101;
    EXPECT_GE(ContrastRatio(UnfocusedSelection(Grey, Grey), Grey), MinimumSelectionContrast)
        << std::hex << Grey;
  }
  EXPECT_NEAR(21.0, ContrastRatio(0x000000, 0xFFFFFF), 1e-9);
  EXPECT_NEAR(1.0, ContrastRatio(0x123456, 0x123456), 1e-9);
}

}  // namespace
