#include "documents/tab_bar_colour.h"

#include <algorithm>
#include <iomanip>

namespace vendle {
namespace {

Colour Combine(Colour a, Colour b, int sign) {
  int ch[3];
  for (int i = 0; i < 3; ++i) {
    const int x = static_cast<int>((a >> (8 * i)) & 0xFF);
    const int y = static_cast<int>((b >> (8 * i)) & 0xFF);
    ch[i] = std::clamp(x + sign * y, 0, 255);
  }
  return MakeColour(ch[0], ch[1], ch[2], ColourAlpha(a));
}

Colour Grey(int amount) { return MakeColour(amount, amount, amount, 0); }

}  // namespace

Colour AddColourSaturated(Colour a, Colour b) { return Combine(a, b, 1); }

Colour SubtractColourSaturated(Colour a, Colour b) { return Combine(a, b, -1); }

Colour ShiftColour(Colour c, int amount) {
  return amount >= 0 ? AddColourSaturated(c, Grey(std::min(amount, 255)))
                     : SubtractColourSaturated(c, Grey(std::min(-amount, 255)));
}

std::ostream& operator<<(std::ostream& os, const GradientStop& s) {
  return os << s.at << ":0x" << std::hex << std::setw(8) << std::setfill('0') << s.colour << std::dec;
}

std::vector<GradientStop> TabItemGradient(Colour back, int state, Colour hoverLift, Colour selectionLift) {
  if (state == 2) {
    const Colour base = AddColourSaturated(back, selectionLift);
    return {{0, ShiftColour(base, 16)}, {0.5, base}, {1, ShiftColour(base, -16)}};
  }
  const Colour base = state == 1 ? AddColourSaturated(back, hoverLift) : back;
  return {{0, ShiftColour(base, 32)}, {0.5, base}, {0.6, ShiftColour(base, -16)}, {1, ShiftColour(base, -48)}};
}

std::vector<GradientStop> ShadedBoxGradient(Colour colour, int direction) {
  const Colour light = ShiftColour(colour, 64);
  const Colour dark = ShiftColour(colour, -64);
  const bool pressed = direction < 0;
  return {{0, pressed ? dark : light}, {0.5, colour}, {1, pressed ? light : dark}};
}

}  // namespace vendle
