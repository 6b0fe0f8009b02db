// What a page shows, for a front end to draw: labels at fixed places, a
// strip along the top and one along the bottom of the page, and an option
// list filling the room between them. Places are pixels at 96 DPI, in the
// dialog's font; front ends scale them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TfrTweakOptions;

// The font of the whole dialog.
inline constexpr const char* DialogFontName = "MS Sans Serif";
inline constexpr int DialogFontPoints = 8;

struct TSheetRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

struct TSheetLabel {
  // The component's name ("lbDevice").
  std::string Name;
  // Single-byte text of the system's code page.
  std::string Caption;
  // In a strip, a label without bounds fills the strip (FillsStrip).
  TSheetRect Bounds;
  // Red, green and blue, 0xRRGGBB.
  std::uint32_t Color = 0x000000;
  bool Bold = false;
  bool WordWrap = true;
  bool Visible = true;
};

struct TSheetButton {
  std::string Name;
  std::string Caption;
  TSheetRect Bounds;
  // Reports its own errors; never raises.
  std::function<void()> OnClick;
};

// A panel without bevel along the top or the bottom of the page.
struct TSheetStrip {
  std::string Name;
  int Height = 0;
  std::vector<TSheetLabel> Labels;
  std::vector<TSheetButton> Buttons;
};

struct TSheetLayout {
  // The page's own caption and size, used where it is shown on its own;
  // inside the dialog it has no border and fills the page area.
  std::string Caption;
  int Width = 0;
  int Height = 0;
  std::vector<TSheetLabel> Labels;
  std::optional<TSheetStrip> Top;
  std::optional<TSheetStrip> Bottom;
  // Fills the page between the strips; none on pages without options.
  TfrTweakOptions* OptionList = nullptr;
};

// A text's size on screen, in the front end's pixels.
struct TTextSize {
  int Width = 0;
  int Height = 0;
};

// Measures a label's caption in the front end's font for the label (bold or
// not), on one line when WrapWidth is 0, else wrapped at that width.
using TMeasureLabel = std::function<TTextSize(const TSheetLabel& Label, int WrapWidth)>;

// Where a label sits on screen, given its place scaled to the screen: a
// label whose text needs more room in the front end's font than its place
// gives grows, a word-wrapped one downwards, one without word wrap to the
// right; its top left corner stays.
TSheetRect LabelPlace(const TSheetLabel& Label, const TSheetRect& Place,
                      const TMeasureLabel& Measure);

// Whether a label of a strip fills the strip: one without a width.
inline bool FillsStrip(const TSheetLabel& Label) { return Label.Bounds.Width == 0; }
