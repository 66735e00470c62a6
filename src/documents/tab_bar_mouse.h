// The tab bar's mouse handling: one canvas event (move, left or middle
// button, double click, wheel, leave) against the last layout, with its
// result: a new document, a tab to close, or a tab to select.
#pragma once

#include <ostream>

#include "documents/tab_bar.h"
#include "platform/ids.h"

namespace vendle {

struct TabBarResult {
  TabBarEventKind kind = TabBarEventKind::None;
  int index = kTabNone;  // the tab, kTabPlus for "+", kTabNone when none
  bool operator==(const TabBarResult&) const = default;
};
std::ostream& operator<<(std::ostream& os, const TabBarResult& r);

// Handles one event at (x, y) in canvas pixels; `delta` is the wheel's steps
// (positive away from the user). Sets the bar's event kind and index and
// returns them. The caller lays the bar out and redraws it afterwards.
TabBarResult TabBarMouseEvent(TabBar& bar, ControlEvent type, int x, int y, int delta = 0);

}  // namespace vendle
