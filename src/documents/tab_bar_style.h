// The drawing defaults of the tab bar: its metrics in pixels, its colours
// (0xAABBGGRR) and its font, described as a QFont::toString() text (UTF-16;
// empty means the toolkit's default control font) so that this record stays
// free of the GUI library.
#pragma once

#include <QString>

#include "documents/tab_bar_colour.h"

namespace vendle {

struct TabBarStyle {
  Colour barBackground = 0xFFF0F0F0;
  Colour tabBackColour = 0xFFF0F0F0;  // colour of new tab items
  Colour hoverLift = 0xFF101010;      // added to a hovered tab's colour
  Colour selectionLift = 0xFF101010;  // added to the selected tab's colour
  Colour lineColour = 0xFFA0A0A0;     // outlines and the bottom line
  Colour textColour = 0xFF000000;     // text of new tab items, arrows
  QString font;
  int textPadding = 6;
  int margin = 4;
  int imagePadding = 3;  // also the gap before a close box
  int closeBoxSize = 13;
  int arrowSize = 10;
  int arrowHitHeight = 16;
  int cornerRadius = 3;
  int minimumTabLength = 0;
  int maximumTabLength = 32767;
  int fadeWidth = 32;  // the strip beside an arrow where cut tabs fade out
  int wheelStep = 1;
};

// The defaults from the system's button-face, button-shadow and button-text
// colours (0x00BBGGRR; they are made opaque) and the default control font.
TabBarStyle DefaultTabBarStyle(Colour buttonFace, Colour buttonShadow, Colour buttonText, const QString& font);

}  // namespace vendle
