// The sample of the settings window's "Colours" page as plain values: the
// boxes and texts it draws from a working copy of the colours, the part of
// it a click picks, and the colours of the page's "Default" button.
// Colours are 0x00BBGGRR; coordinates are on the sample's canvas.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "settings/settings.h"

namespace vendle {

inline constexpr std::uint32_t kPreviewBlack = 0x000000;

struct PreviewBox {
  int x, y, w, h;
  std::uint32_t colour;
};
struct PreviewText {
  int x, y;  // the top left corner of the text
  QString text;
  std::uint32_t fore, back;
};
struct PreviewLayout {
  std::vector<PreviewBox> boxes;  // drawn first, in order
  std::vector<PreviewText> texts;
};
PreviewLayout ColourPreviewLayout(const ColourSettings& c);

// The colour a click at (x, y) picks and the text the page shows meanwhile;
// nothing below the last row. `focusSave`: the focus then goes to "Save".
struct PreviewHit {
  ColourSlot slot;
  QString text;
  bool focusSave = false;
};
std::optional<PreviewHit> ColourPreviewHit(int x, int y);

// The page's resting text.
inline constexpr char kPickColourText[] = "Select the Item to change colours.";

// `c` with the 20 colours of the "Default" button (the slot without a key
// is left as it is). They differ from the load defaults in the comment and
// caret line colours.
ColourSettings WithDefaultButtonColours(ColourSettings c);

}  // namespace vendle
