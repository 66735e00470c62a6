#include "documents/tab_bar_style.h"

namespace vendle {

TabBarStyle DefaultTabBarStyle(Colour buttonFace, Colour buttonShadow, Colour buttonText, const QString& font) {
  TabBarStyle s;
  s.barBackground = buttonFace | 0xFF000000;
  s.tabBackColour = buttonFace | 0xFF000000;
  s.lineColour = buttonShadow | 0xFF000000;
  s.textColour = buttonText | 0xFF000000;
  s.font = font;
  return s;
}

}  // namespace vendle
