// Keeping a stored window placement on the desktop: the monitors as the
// load sees them and the rule that moves a rectangle back onto them.
#pragma once

#include <vector>

#include "settings/settings.h"

namespace vendle {

struct Monitor {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The first monitor is the primary one; only the first two count. With no
// monitor known, only the width and height rules apply.
struct Desktop {
  std::vector<Monitor> monitors;
};

// Moves x back onto the first or second monitor, a negative y to 10 (one
// monitor) or 0 (two or more), a y within 49 of the lower edge (of the lower
// of the two) or below it to 100 above that edge, and gives a too narrow or
// too low window, or one wider or taller than any window system shows
// (32767), its working size. Sums are taken in 64 bits, so no stored value
// overflows.
void KeepOnDesktop(WindowRect& r, const Desktop& desktop);

}  // namespace vendle
