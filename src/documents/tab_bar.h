// The tab bar's state record and its layout, kept apart from any drawing so
// that a test can lay it out with a stub that measures text. Tab texts are
// UTF-16 QStrings (file names); positions and lengths are canvas pixels.
//
// Items are addressed by index: 0..n-1 the tabs in document order,
// kTabPlus the "+" item, kTabSelected the selected tab, kTabNone none.
// The hovered, pressed and selected references are such indices, so a
// removed item can never be reached through them.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "documents/tab_bar_style.h"

namespace vendle {

inline constexpr int kTabSelected = -3;
inline constexpr int kTabPlus = -2;
inline constexpr int kTabNone = -1;

// Positions of items scrolled away to the left and to the right.
inline constexpr int kTabHiddenLeft = -0xFFFF;
inline constexpr int kTabHiddenRight = 0xFFFF;

enum TabBarFlag : std::uint64_t {
  kTabCloseBoxes = 0x1,
  kTabPlusShown = 0x2,
  kTabCutTexts = 0x4,
  kTabNoDragging = 0x20,
  kTabBottomLine = 0x80,
  kTabLeftArrow = 0x40000000,
  kTabRightArrow = 0x80000000,
};
inline constexpr std::uint64_t kTabArrows = kTabLeftArrow | kTabRightArrow;
// What the main window creates the bar with: close boxes, "+", cutting, no
// dragging, bottom line.
inline constexpr std::uint64_t kTabBarCreationFlags = 0xA7;

struct TabItem {
  QString text;         // the file name
  QString displayText;  // the text as laid out, possibly cut
  Colour textColour = 0;
  Colour backColour = 0;
  int length = 0;  // pixels along the bar
  int row = 0;
  int position = 0;  // x along the bar; kTabHiddenLeft/Right when scrolled away
  bool visible = false;
  int state = 0;  // 0 normal, 1 hovered, 2 selected
  // The drawing rectangle and the distance of text and close box from its sides.
  int x = 0, y = 0, width = 0, height = 0;
  int textInset = 0;
};

enum class TabBarEventKind : int { None = 0, New = 1, Close = 2, Select = 3 };

// Which tab loses the next character does not depend on the room, only where
// the cutting stops. The sequence is kept, and extended only as far as a
// layout needs it, for the names, font and flags it was measured with: a
// layout (one per mouse move) replays it instead of measuring again.
struct TabCutTrace {
  struct Step {
    int item = 0;
    int count = 0;   // characters kept before ".."
    int length = 0;  // the tab's new length
    int sum = 0;     // the sum of all lengths (each less 1) after this step
  };
  bool valid = false;
  std::vector<QString> texts;
  QString font;
  std::uint64_t flags = 0;
  std::vector<int> lengths;  // of the uncut names
  int sum = 0;
  // Every name at the end of the cutting (3 characters and "..", or whole),
  // and the least sum on the way there: when even that does not fit, the
  // cutting is known to run to its end.
  std::vector<int> floorLengths;
  int floorSum = 0;
  std::vector<Step> steps;
  // Where the cutting stands after the last step, to go on from there.
  std::vector<int> counts, current, order;
  int currentSum = 0;
  bool exhausted = false;
};

struct TabBar {
  int gadget = 0;  // the canvas number
  QString font;    // QFont::toString() of the drawing font
  std::uint64_t flags = kTabBarCreationFlags;
  std::vector<TabItem> items;
  TabItem plus;  // the "+" item, not in `items`
  int selected = kTabNone;
  int hovered = kTabNone;  // an index, kTabPlus or kTabNone
  int closeHover = 0;      // 1 while the mouse is over the hovered item's close box
  std::uint64_t arrowHover = 0;  // 0, kTabLeftArrow or kTabRightArrow
  int pressed = kTabNone;        // where a button went down
  int closePressed = 0;          // 1 while the left button is held on a close box
  std::uint64_t arrowPressed = 0;
  int mouseX = 0, mouseY = 0;
  TabBarEventKind eventKind = TabBarEventKind::None;
  int eventIndex = kTabNone;  // kTabPlus for the "+" item
  int scrollOffset = 0;       // index of the first fully shown item
  bool showSelected = false;  // scroll until the selected item is shown
  int availableLength = 0;
  int totalLength = 0;  // sum of the tab lengths, each less 1
  int rowHeight = 0;    // canvas height - margin, taken at the first layout
  int width = 0, height = 0;  // the canvas size of the last layout
  TabBarStyle style;
  TabCutTrace cutTrace;  // cleared when the measuring changes without a new font text
};

// A new bar with the style's values, creation flags and an empty "+" item.
TabBar CreateTabBar(const TabBarStyle& style, int gadget);

// The item at an index (kTabSelected, kTabPlus or 0..n-1), or null.
TabItem* TabBarGetItem(TabBar& bar, int index);
const TabItem* TabBarGetItem(const TabBar& bar, int index);

// kTabPlus shows the "+" item with the text; any other index appends a tab.
// Returns the new index (kTabPlus for "+").
int AddTabItem(TabBar& bar, int index, const QString& text);
void SetTabItemText(TabBar& bar, int index, const QString& text);
// kTabNone or kTabPlus: no item selected; kTabSelected: unchanged; otherwise
// that tab, with a request to scroll it into view (none when it does not exist).
void SelectTabItem(TabBar& bar, int index);
// kTabPlus hides the "+" item; otherwise the tab is deleted, and when it was
// selected the next one (or the last) is. References to it are cleared.
void RemoveTabItem(TabBar& bar, int index);

// Width in pixels of a text in the bar's font.
using TextWidth = std::function<int(const QString&)>;

int TabBarItemLength(const TabBar& bar, const TabItem& item, bool isPlus, const TextWidth& measure);
int TabBarAvailableLength(const TabBar& bar, bool withPlus);
// The layout for a canvas of the given size: display texts, lengths, scroll
// offset, arrows, positions, states and rectangles. Always ends.
void TabBarUpdate(TabBar& bar, int width, int height, const TextWidth& measure);
void TabBarLayoutItem(const TabBar& bar, TabItem& item, bool selected);

// Characters are code points: a surrogate pair counts as one and is never split.
int TabTextLength(const QString& text);
QString TabTextPrefix(const QString& text, int characters);
// The display text cut further, one character at a time down to 3 + "..",
// until it fits `room` pixels.
QString FitTabText(const QString& text, const QString& displayText, int room, const TextWidth& measure);

// Geometry shared by the hit test and the drawing.
struct TabRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
  bool operator==(const TabRect&) const = default;
};
// Where the stripe of the left arrow and its fade ends: margin + arrow size + fade width.
int TabFadeEnd(const TabBar& bar);
// The right end the right arrow is placed against: the canvas width, or the
// "+" item's position less a margin when "+" is shown.
int TabBarRightEnd(const TabBar& bar);
int TabArrowCentreY(const TabBar& bar);
TabRect TabArrowArea(const TabBar& bar, std::uint64_t arrow);
TabRect TabCloseBoxRect(const TabBar& bar, const TabItem& item);
// The item rectangle as the hit test sees it (right and bottom edge one pixel in).
bool TabItemContains(const TabItem& item, int px, int py);

}  // namespace vendle
