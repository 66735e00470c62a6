#include "documents/tab_bar_mouse.h"

#include <algorithm>

namespace vendle {
namespace {

void ScrollBy(TabBar& bar, int steps) {
  bar.scrollOffset = std::clamp(bar.scrollOffset + steps, 0, static_cast<int>(bar.items.size()));
  // The user scrolls on purpose: a pending request to show the selected tab
  // would take the bar straight back.
  bar.showSelected = false;
}

void HitTest(TabBar& bar, int x, int y) {
  for (int i = 0; i < static_cast<int>(bar.items.size()); ++i) {
    const TabItem& item = bar.items[i];
    if (item.visible && TabItemContains(item, x, y)) bar.hovered = i;
  }
  if ((bar.flags & kTabPlusShown) && bar.plus.visible && TabItemContains(bar.plus, x, y)) bar.hovered = kTabPlus;
}

void HandleArrows(TabBar& bar, ControlEvent type, int x, int y, int delta) {
  if (!(bar.flags & kTabArrows)) return;
  if (type == ControlEvent::MouseWheel) ScrollBy(bar, delta * bar.style.wheelStep);
  for (std::uint64_t arrow : {std::uint64_t{kTabLeftArrow}, std::uint64_t{kTabRightArrow}}) {
    if ((bar.flags & arrow) && TabArrowArea(bar, arrow).contains(x, y)) {
      bar.arrowHover = arrow;
      bar.hovered = kTabNone;
    }
  }
  if (!bar.arrowHover) return;
  if (type == ControlEvent::MouseDown)
    bar.arrowPressed = bar.arrowHover;
  else if (type == ControlEvent::MouseUp && bar.arrowPressed == bar.arrowHover)
    ScrollBy(bar, bar.arrowHover == kTabLeftArrow ? -1 : 1);
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const TabBarResult& r) {
  return os << "{kind " << static_cast<int>(r.kind) << ", index " << r.index << "}";
}

TabBarResult TabBarMouseEvent(TabBar& bar, ControlEvent type, int x, int y, int delta) {
  bar.eventKind = TabBarEventKind::None;
  bar.eventIndex = kTabNone;
  bar.hovered = kTabNone;
  bar.closeHover = 0;
  bar.arrowHover = 0;
  if (type == ControlEvent::MouseLeave) return {};
  bar.mouseX = x;
  bar.mouseY = y;

  HitTest(bar, x, y);
  HandleArrows(bar, type, x, y, delta);

  const TabItem* hovered = TabBarGetItem(bar, bar.hovered);
  if (hovered) {
    bar.eventIndex = bar.hovered;
    if (bar.hovered >= 0 && (bar.flags & kTabCloseBoxes) && TabCloseBoxRect(bar, *hovered).contains(x, y))
      bar.closeHover = 1;
  }

  switch (type) {
    case ControlEvent::MouseDown:
      bar.pressed = bar.hovered;
      if (bar.hovered == kTabPlus) {
        bar.eventKind = TabBarEventKind::New;
      } else if (bar.closeHover) {
        bar.closePressed = 1;
      } else if (bar.hovered >= 0) {
        if (bar.hovered != bar.selected) bar.eventKind = TabBarEventKind::Select;
        bar.selected = bar.hovered;
      }
      break;
    case ControlEvent::MouseUp:
      if (bar.closeHover && bar.hovered == bar.pressed) bar.eventKind = TabBarEventKind::Close;
      bar.closePressed = 0;
      bar.arrowPressed = 0;
      break;
    case ControlEvent::MiddleDown:
      bar.pressed = bar.hovered;
      break;
    case ControlEvent::MiddleUp:
      if (bar.hovered >= 0 && bar.hovered == bar.pressed) bar.eventKind = TabBarEventKind::Close;
      bar.pressed = kTabNone;
      break;
    case ControlEvent::MouseDoubleClick:
      if (bar.hovered == kTabNone && !bar.arrowHover) bar.eventKind = TabBarEventKind::New;
      break;
    default:
      break;
  }
  return {bar.eventKind, bar.eventIndex};
}

}  // namespace vendle
