#include <gtest/gtest.h>

#include <QStringList>
#include <string>

#include "documents/tab_bar_mouse.h"
#include "qt_print.h"

namespace vendle {
namespace {

int Width7(const QString& s) { return 7 * static_cast<int>(s.size()); }

using K = TabBarEventKind;
using T = ControlEvent;

struct Point {
  int x, y;
};

// Three tabs on a 400-pixel bar, the first selected:
//   tab 0 (raised) x 2..68, close box 48..60 / 7..19
//   tab 1 x 66..135, close box 117..129 / 9..21
//   tab 2 x 135..197, close box 179..191 / 9..21
//   "+"   x 197..215
constexpr Point kPlus{205, 15};
constexpr Point kClose1{122, 14};
constexpr Point kClose2{184, 14};
constexpr Point kBody1{80, 15};
constexpr Point kBody2{150, 15};
constexpr Point kSelectedBody{20, 15};
constexpr Point kEmpty{300, 15};
// Ten tabs on a 300-pixel bar: arrows at x 0..9 and 265..274, y 6..21.
constexpr Point kLeftArrow{5, 14};
constexpr Point kRightArrow{270, 14};

TabBar Fits() {
  TabBar bar = CreateTabBar(TabBarStyle{}, 10);
  AddTabItem(bar, kTabPlus, "+");
  for (const char* n : {"a.bas", "bb.bas", "c.bas"}) AddTabItem(bar, 0, n);
  SelectTabItem(bar, 0);
  TabBarUpdate(bar, 400, 25, Width7);
  return bar;
}

TabBar Overflows() {
  TabBar bar = CreateTabBar(TabBarStyle{}, 10);
  AddTabItem(bar, kTabPlus, "+");
  for (int i = 0; i < 10; ++i) AddTabItem(bar, 0, QString("t%1x.bas").arg(i, 2, 10, QChar('0')));
  SelectTabItem(bar, 0);
  TabBarUpdate(bar, 300, 25, Width7);
  return bar;
}

// One canvas event as the canvas handles it: the mouse, then a new layout.
TabBarResult Feed(TabBar& bar, T type, Point p, int delta = 0) {
  const TabBarResult r = TabBarMouseEvent(bar, type, p.x, p.y, delta);
  TabBarUpdate(bar, bar.width, bar.height, Width7);
  return r;
}

struct Step {
  T type;
  Point at;
  TabBarResult result;
  int delta = 0;
};

struct Case {
  const char* name;
  bool overflow;
  std::vector<Step> steps;
  int selected;  // after the steps
  int offset;
};

TEST(TabBarMouse, EventsGiveTheirResultKinds) {
  const Case cases[] = {
      {"press on +", false, {{T::MouseDown, kPlus, {K::New, kTabPlus}}, {T::MouseUp, kPlus, {K::None, kTabPlus}}}, 0, 0},
      {"press and release on one close box",
       false,
       {{T::MouseDown, kClose1, {K::None, 1}}, {T::MouseUp, kClose1, {K::Close, 1}}},
       0,
       0},
      {"release on another tab's close box",
       false,
       {{T::MouseDown, kClose1, {K::None, 1}},
        {T::MouseMove, kClose2, {K::None, 2}},
        {T::MouseUp, kClose2, {K::None, 2}}},
       0,
       0},
      {"press on a tab, release on its close box",
       false,
       {{T::MouseDown, kBody1, {K::Select, 1}}, {T::MouseUp, kClose1, {K::Close, 1}}},
       1,
       0},
      {"middle click", false, {{T::MiddleDown, kBody2, {K::None, 2}}, {T::MiddleUp, kBody2, {K::Close, 2}}}, 0, 0},
      {"middle click on +",
       false,
       {{T::MiddleDown, kPlus, {K::None, kTabPlus}}, {T::MiddleUp, kPlus, {K::None, kTabPlus}}},
       0,
       0},
      {"middle press and release on different tabs",
       false,
       {{T::MiddleDown, kBody1, {K::None, 1}}, {T::MiddleUp, kBody2, {K::None, 2}}},
       0,
       0},
      // Qt reports the second press of a double click as a press, then the double click.
      {"double click on empty space",
       false,
       {{T::MouseDown, kEmpty, {K::None, kTabNone}},
        {T::MouseUp, kEmpty, {K::None, kTabNone}},
        {T::MouseDown, kEmpty, {K::None, kTabNone}},
        {T::MouseDoubleClick, kEmpty, {K::New, kTabNone}},
        {T::MouseUp, kEmpty, {K::None, kTabNone}}},
       0,
       0},
      {"double click event on +", false, {{T::MouseDoubleClick, kPlus, {K::None, kTabPlus}}}, 0, 0},
      {"double click on a tab",
       false,
       {{T::MouseDown, kBody1, {K::Select, 1}},
        {T::MouseUp, kBody1, {K::None, 1}},
        {T::MouseDoubleClick, kBody1, {K::None, 1}}},
       1,
       0},
      {"click on the selected tab",
       false,
       {{T::MouseDown, kSelectedBody, {K::None, 0}}, {T::MouseUp, kSelectedBody, {K::None, 0}}},
       0,
       0},
      {"click on another tab", false, {{T::MouseDown, kBody2, {K::Select, 2}}}, 2, 0},
      {"a close box press selects nothing", false, {{T::MouseDown, kClose2, {K::None, 2}}}, 0, 0},
      {"wheel without arrows", false, {{T::MouseWheel, kBody1, {K::None, 1}, 3}}, 0, 0},
      {"leaving", false, {{T::MouseMove, kBody1, {K::None, 1}}, {T::MouseLeave, {0, 0}, {K::None, kTabNone}}}, 0, 0},

      {"right arrow click",
       true,
       {{T::MouseDown, kRightArrow, {K::None, kTabNone}}, {T::MouseUp, kRightArrow, {K::None, kTabNone}}},
       0,
       1},
      {"right arrow twice, left arrow once",
       true,
       {{T::MouseDown, kRightArrow, {}},
        {T::MouseUp, kRightArrow, {}},
        {T::MouseDown, kRightArrow, {}},
        {T::MouseUp, kRightArrow, {}},
        {T::MouseDown, kLeftArrow, {}},
        {T::MouseUp, kLeftArrow, {}}},
       0,
       1},
      {"arrow press released elsewhere",
       true,
       {{T::MouseDown, kRightArrow, {}}, {T::MouseUp, {150, 15}, {K::None, 2}}},
       0,
       0},
      {"quick double click on an arrow",
       true,
       {{T::MouseDown, kRightArrow, {}},
        {T::MouseUp, kRightArrow, {}},
        {T::MouseDown, kRightArrow, {}},
        {T::MouseDoubleClick, kRightArrow, {}},
        {T::MouseUp, kRightArrow, {}}},
       0,
       2},
      {"wheel with arrows", true, {{T::MouseWheel, {150, 15}, {K::None, 2}, 2}}, 0, 2},
      {"wheel back past the start",
       true,
       {{T::MouseWheel, {150, 15}, {K::None, 2}, 2}, {T::MouseWheel, {150, 15}, {}, -5}},
       0,
       0},
      // Scrolled past the end, the bar scrolls back until the last tabs fill it.
      {"wheel past the end", true, {{T::MouseWheel, {150, 15}, {}, 50}}, 0, 7},
  };
  for (const Case& c : cases) {
    TabBar bar = c.overflow ? Overflows() : Fits();
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      const TabBarResult r = Feed(bar, s.type, s.at, s.delta);
      if (s.type == T::MouseWheel || s.at.x == kRightArrow.x || s.at.x == kLeftArrow.x) {
        EXPECT_EQ(r.kind, s.result.kind) << c.name << " step " << i;
      } else {
        EXPECT_EQ(r, s.result) << c.name << " step " << i;
      }
    }
    EXPECT_EQ(bar.selected, c.selected) << c.name;
    EXPECT_EQ(bar.scrollOffset, c.offset) << c.name;
  }
}

TEST(TabBarMouse, AnArrowHidesTheTabUnderIt) {
  TabBar bar = Overflows();
  Feed(bar, T::MouseMove, kRightArrow);
  EXPECT_EQ(bar.hovered, kTabNone);
  EXPECT_EQ(bar.arrowHover, std::uint64_t{kTabRightArrow});
  // Without arrows the same place is a tab.
  TabBar fits = Fits();
  Feed(fits, T::MouseMove, {5, 14});
  EXPECT_EQ(fits.hovered, 0);
  EXPECT_EQ(fits.arrowHover, 0u);
}

TEST(TabBarMouse, HoverAndCloseHoverFollowTheMouse) {
  TabBar bar = Fits();
  Feed(bar, T::MouseMove, kClose1);
  EXPECT_EQ(bar.hovered, 1);
  EXPECT_EQ(bar.closeHover, 1);
  EXPECT_EQ(bar.items[1].state, 1);
  Feed(bar, T::MouseMove, kBody1);
  EXPECT_EQ(bar.closeHover, 0);
  Feed(bar, T::MouseMove, kPlus);
  EXPECT_EQ(bar.hovered, kTabPlus);
  EXPECT_EQ(bar.plus.state, 1);
  EXPECT_EQ(bar.items[1].state, 0);
  Feed(bar, T::MouseLeave, {0, 0});
  EXPECT_EQ(bar.hovered, kTabNone);
  EXPECT_EQ(bar.plus.state, 0);
}

TEST(TabBarMouse, RemovedItemsLeaveNoReferenceBehind) {
  {  // the hovered tab closes under the mouse
    TabBar bar = Fits();
    Feed(bar, T::MouseMove, kClose2);
    ASSERT_EQ(bar.closeHover, 1);
    RemoveTabItem(bar, 2);
    EXPECT_EQ(bar.hovered, kTabNone);
    EXPECT_EQ(bar.closeHover, 0);
    TabBarUpdate(bar, bar.width, bar.height, Width7);
    for (T t : {T::MouseUp, T::MouseMove, T::MouseDown, T::MiddleUp, T::MouseLeave})
      EXPECT_EQ(Feed(bar, t, kClose2), TabBarResult{}) << static_cast<int>(t);
  }
  {  // the pressed tab closes: its neighbour slides under the mouse and must not close
    TabBar bar = Fits();
    EXPECT_EQ(Feed(bar, T::MouseDown, kClose1), (TabBarResult{K::None, 1}));
    RemoveTabItem(bar, 1);
    EXPECT_EQ(bar.pressed, kTabNone);
    EXPECT_EQ(bar.closePressed, 0);
    TabBarUpdate(bar, bar.width, bar.height, Width7);
    EXPECT_EQ(Feed(bar, T::MouseUp, kClose1), (TabBarResult{K::None, 1}));
  }
  {  // a middle press on the last tab, which closes: the release finds nothing
    TabBar bar = Fits();
    Feed(bar, T::MiddleDown, kBody2);
    RemoveTabItem(bar, 2);
    RemoveTabItem(bar, 1);
    TabBarUpdate(bar, bar.width, bar.height, Width7);
    EXPECT_EQ(Feed(bar, T::MiddleUp, kBody2).kind, K::None);
  }
  {  // an earlier tab closes: the references move down with their tab
    TabBar bar = Fits();
    Feed(bar, T::MiddleDown, kBody2);
    RemoveTabItem(bar, 0);
    EXPECT_EQ(bar.hovered, 1);
    EXPECT_EQ(bar.pressed, 1);
    EXPECT_EQ(bar.items[bar.pressed].text, "c.bas");
  }
  {  // the "+" item goes away while hovered
    TabBar bar = Fits();
    Feed(bar, T::MouseMove, kPlus);
    RemoveTabItem(bar, kTabPlus);
    EXPECT_EQ(bar.hovered, kTabNone);
    TabBarUpdate(bar, bar.width, bar.height, Width7);
    EXPECT_EQ(Feed(bar, T::MouseDown, kPlus).kind, K::None);
  }
  {  // every tab goes; the mouse keeps moving
    TabBar bar = Overflows();
    Feed(bar, T::MouseDown, {150, 15});
    while (!bar.items.empty()) {
      RemoveTabItem(bar, bar.selected >= 0 ? bar.selected : 0);
      TabBarUpdate(bar, bar.width, bar.height, Width7);
      for (Point p : {kLeftArrow, kRightArrow, Point{150, 15}}) {
        Feed(bar, T::MouseMove, p);
        Feed(bar, T::MouseUp, p);
        Feed(bar, T::MouseWheel, p, 1);
      }
    }
    EXPECT_EQ(bar.selected, kTabNone);
    EXPECT_EQ(bar.scrollOffset, 0);
  }
}

TEST(TabBarMouse, ScrollingByHandWinsOverThePendingSelection) {
  TabBar bar = Overflows();
  SelectTabItem(bar, 9);
  TabBarUpdate(bar, 300, 25, Width7);
  ASSERT_EQ(bar.scrollOffset, 7);
  Feed(bar, T::MouseDown, kLeftArrow);
  Feed(bar, T::MouseUp, kLeftArrow);
  EXPECT_EQ(bar.scrollOffset, 6);
  Feed(bar, T::MouseMove, {150, 15});
  EXPECT_EQ(bar.scrollOffset, 6);
}

}  // namespace
}  // namespace vendle
