// Colour arithmetic of the tab bar's drawing: saturating lifts and shades of
// 32-bit colours 0xAABBGGRR (red in the low byte, alpha in the high byte), and
// the gradient stops of tabs and shaded boxes built from them.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace vendle {

using Colour = std::uint32_t;  // 0xAABBGGRR

constexpr int ColourRed(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int ColourGreen(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColourBlue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int ColourAlpha(Colour c) { return static_cast<int>((c >> 24) & 0xFF); }
constexpr Colour MakeColour(int r, int g, int b, int a = 0xFF) {
  return static_cast<Colour>(r & 0xFF) | static_cast<Colour>(g & 0xFF) << 8 | static_cast<Colour>(b & 0xFF) << 16 |
         static_cast<Colour>(a & 0xFF) << 24;
}
constexpr Colour WithAlpha(Colour c, int alpha) { return (c & 0x00FFFFFF) | static_cast<Colour>(alpha & 0xFF) << 24; }

// Per red, green and blue byte: a + b, at most 255. The alpha of `a` is kept.
Colour AddColourSaturated(Colour a, Colour b);
// Per red, green and blue byte: a - b, at least 0. The alpha of `a` is kept.
Colour SubtractColourSaturated(Colour a, Colour b);
// Every colour channel raised (positive) or lowered (negative) by `amount`, saturating.
Colour ShiftColour(Colour c, int amount);

struct GradientStop {
  double at = 0;  // 0 top .. 1 bottom
  Colour colour = 0;
  bool operator==(const GradientStop&) const = default;
};
std::ostream& operator<<(std::ostream& os, const GradientStop& s);

// The vertical background gradient of a tab in state 0 (normal), 1 (hovered)
// or 2 (selected), from its back colour and the two lifts.
std::vector<GradientStop> TabItemGradient(Colour back, int state, Colour hoverLift, Colour selectionLift);

// The vertical gradient of a shaded box (hovered arrow or close box):
// light at the top for direction 1, dark at the top for direction -1 (pressed).
std::vector<GradientStop> ShadedBoxGradient(Colour colour, int direction);

}  // namespace vendle
