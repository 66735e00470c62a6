#include <gtest/gtest.h>

#include <QStringList>

#include "documents/tab_bar.h"
#include "qt_print.h"

namespace vendle {
namespace {

// Every UTF-16 unit is 7 pixels wide: a tab of c units is 7c + 12 + 16 long
// (padding and close box), the "+" item 19.
int Width7(const QString& s) { return 7 * static_cast<int>(s.size()); }

constexpr int kHeight = 25;

TabBar Bar(int width, const QStringList& names, int selected = kTabNone) {
  TabBar bar = CreateTabBar(TabBarStyle{}, 10);
  AddTabItem(bar, kTabPlus, "+");
  for (const QString& n : names) AddTabItem(bar, 0, n);
  if (selected != kTabNone) SelectTabItem(bar, selected);
  TabBarUpdate(bar, width, kHeight, Width7);
  return bar;
}

QStringList Numbered(int count) {
  QStringList names;
  for (int i = 0; i < count; ++i) names << QString("t%1x.bas").arg(i, 2, 10, QChar('0'));  // cut to "tNN.."
  return names;
}

std::vector<int> Positions(const TabBar& bar) {
  std::vector<int> p;
  for (const TabItem& item : bar.items) p.push_back(item.position);
  return p;
}

QStringList Shown(const TabBar& bar) {
  QStringList s;
  for (const TabItem& item : bar.items) s << item.displayText;
  return s;
}

bool FullyShown(const TabBar& bar, int index) {
  const TabItem& item = bar.items[index];
  const int left = (bar.flags & kTabLeftArrow) ? TabFadeEnd(bar) : bar.style.margin;
  const int right = (bar.flags & kTabRightArrow) ? TabBarRightEnd(bar) - bar.style.arrowSize : bar.width;
  return item.visible && item.position >= left && item.position + item.length - 1 <= right;
}

TEST(TabBarLayout, EverythingFitsWithoutArrowsAndPlusAfterTheLastTab) {
  const TabBar bar = Bar(400, {"a.bas", "bb.bas", "c.bas"});
  EXPECT_EQ(bar.flags & kTabArrows, 0u);
  EXPECT_EQ(bar.scrollOffset, 0);
  EXPECT_EQ(Shown(bar), QStringList({"a.bas", "bb.bas", "c.bas"}));
  // Lengths 63, 70, 63, overlapping by one pixel from the margin on.
  EXPECT_EQ(Positions(bar), std::vector<int>({4, 66, 135}));
  EXPECT_EQ(bar.plus.position, 197);
  EXPECT_EQ(bar.plus.length, 19);
  EXPECT_TRUE(bar.plus.visible);
  EXPECT_EQ(TabBarAvailableLength(bar, true), 400 - 8 - 18);
  for (const TabItem& item : bar.items) {
    EXPECT_TRUE(item.visible);
    EXPECT_EQ(item.y, 4);
    EXPECT_EQ(item.height, 23);  // two pixels below the canvas
    EXPECT_EQ(item.textInset, 6);
  }
}

TEST(TabBarLayout, TheSelectedTabIsRaised) {
  const TabBar bar = Bar(400, {"a.bas", "bb.bas", "c.bas"}, 1);
  const TabItem& sel = bar.items[1];
  EXPECT_EQ(sel.state, 2);
  EXPECT_EQ(sel.x, 64);
  EXPECT_EQ(sel.y, 0);
  EXPECT_EQ(sel.width, 74);
  EXPECT_EQ(sel.height, 27);
  EXPECT_EQ(sel.textInset, 8);
  EXPECT_EQ(bar.items[0].state, 0);
  EXPECT_EQ(TabCloseBoxRect(bar, sel), (TabRect{117, 7, 13, 13}));
  EXPECT_EQ(TabCloseBoxRect(bar, bar.items[2]), (TabRect{179, 9, 13, 13}));
}

TEST(TabBarLayout, LongNamesAreCutLongestFirstOneCharacterAtATime) {
  struct Case {
    int width;
    QStringList names;
    QStringList shown;
  };
  const Case cases[] = {
      // Sum 277 against 250: only the longest loses characters (the first cut
      // makes it longer: ".." is wider than one character) until 249 fits.
      {276, {"abcdefghij.bas", "short.bas", "k.bas"}, {"abcdefgh..", "short.bas", "k.bas"}},
      // Equal lengths (98 each, sum 194): the lower index is cut first; a cut
      // tab stays ahead of tabs as long as itself and moves only past longer ones.
      {220, {"aaaaaaaaaa", "bbbbbbbbbb"}, {"aaaaaaaaaa", "bbbbbbbbbb"}},  // exactly fits
      {216, {"aaaaaaaaaa", "bbbbbbbbbb"}, {"aaaaaaa..", "bbbbbbbbbb"}},
      {201, {"aaaaaaaaaa", "bbbbbbbbbb"}, {"aaaaaaa..", "bbbbbb.."}},
      // Nothing is cut below three characters, and names of three stay whole.
      {60, {"abcdefg", "xyz", "uvwxyz"}, {"abc..", "xyz", "uvw.."}},
  };
  for (const Case& c : cases) {
    const TabBar bar = Bar(c.width, c.names);
    EXPECT_EQ(Shown(bar), c.shown) << c.width << " " << c.names.join(' ').toStdString();
  }
}

// The cutting is kept between layouts and taken up where it stopped; one bar
// laid out at changing widths must match fresh bars at each width.
TEST(TabBarLayout, CuttingAgainGivesWhatAFreshBarGives) {
  const QStringList names = {"a_long_program_name.bas", "lcd.inc", "another_one.bas", "x", "abcd", "main_loop.bas"};
  TabBar reused = Bar(900, names);
  for (int width : {900, 300, 150, 40, 220, 600, 120, 260, 180, 900, 20}) {
    TabBarUpdate(reused, width, kHeight, Width7);
    const TabBar fresh = Bar(width, names);
    EXPECT_EQ(Shown(reused), Shown(fresh)) << width;
    EXPECT_EQ(Positions(reused), Positions(fresh)) << width;
  }
  SetTabItemText(reused, 0, "renamed.bas");
  TabBarUpdate(reused, 180, kHeight, Width7);
  QStringList renamed = names;
  renamed[0] = "renamed.bas";
  EXPECT_EQ(Shown(reused), Shown(Bar(180, renamed)));
}

// The cutting rule in its plain form: measure, cut the longest one
// character, measure again. The bar keeps and shortcuts this work.
QStringList PlainCut(const QStringList& names, int available) {
  QStringList shown = names;
  std::vector<int> counts, lengths;
  int sum = 0;
  for (const QString& n : names) {
    counts.push_back(TabTextLength(n));
    lengths.push_back(Width7(n) + 28);
    sum += lengths.back() - 1;
  }
  std::vector<int> order;
  for (int i = 0; i < names.size(); ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return lengths[a] > lengths[b]; });
  while (sum > available && !order.empty()) {
    const int i = order.front();
    order.erase(order.begin());
    if (counts[i] <= 3) continue;
    shown[i] = TabTextPrefix(names[i], --counts[i]) + "..";
    sum += Width7(shown[i]) + 28 - lengths[i];
    lengths[i] = Width7(shown[i]) + 28;
    order.insert(std::find_if(order.begin(), order.end(), [&](int j) { return lengths[j] <= lengths[i]; }), i);
  }
  return shown;
}

TEST(TabBarLayout, CuttingFollowsThePlainRule) {
  std::uint32_t seed = 12345;
  auto next = [&seed](int bound) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(bound));
  };
  for (int round = 0; round < 200; ++round) {
    QStringList names;
    const int count = 1 + next(12);
    // Short names matter most: a first cut makes a name of four characters wider.
    static constexpr int kSizes[] = {1, 2, 3, 4, 4, 5, 6, 9, 17, 30};
    for (int i = 0; i < count; ++i) names << QString(kSizes[next(10)], QChar('a' + next(26)));
    TabBar bar = Bar(1000, names);
    for (int w = 0; w < 6; ++w) {
      const int width = next(1000);
      TabBarUpdate(bar, width, kHeight, Width7);
      ASSERT_EQ(Shown(bar), PlainCut(names, bar.availableLength)) << round << " " << width;
    }
  }
}

TEST(TabBarLayout, CuttingNeverSplitsASurrogatePair) {
  const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two UTF-16 units
  EXPECT_EQ(TabTextLength("a" + face + "b"), 3);
  EXPECT_EQ(TabTextPrefix("a" + face + "b", 2), "a" + face);
  EXPECT_EQ(TabTextPrefix("a" + face, 1), "a");
  const QString lone = QString(QChar(0xD83D)) + "xy";  // a broken pair counts as one unit
  EXPECT_EQ(TabTextLength(lone), 3);

  const QString name = face.repeated(8) + ".bas";
  for (int width = 40; width <= 400; width += 3) {
    const TabBar bar = Bar(width, {name, name + name});
    for (const TabItem& item : bar.items) {
      if (item.displayText == item.text) continue;
      ASSERT_TRUE(item.displayText.endsWith(".."));
      const QString kept = item.displayText.chopped(2);
      EXPECT_FALSE(kept.back().isHighSurrogate()) << width;
      EXPECT_GE(TabTextLength(kept), 3) << width;
      EXPECT_TRUE(item.text.startsWith(kept));
    }
  }
}

TEST(TabBarLayout, OverflowShowsTheRightArrow) {
  const TabBar bar = Bar(300, Numbered(10));
  EXPECT_EQ(bar.flags & kTabArrows, std::uint64_t{kTabRightArrow});
  EXPECT_EQ(bar.scrollOffset, 0);
  EXPECT_EQ(bar.items[0].displayText, "t00..");
  EXPECT_EQ(bar.availableLength, 300 - 8 - 18 - 10 - 4);
  // The tab that runs past the room keeps its place under the fade; the rest are hidden.
  EXPECT_EQ(Positions(bar), std::vector<int>({4, 66, 128, 190, 252, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}));
  EXPECT_FALSE(bar.items[5].visible);
  EXPECT_EQ(bar.plus.position, 300 - 19 - 2);
  EXPECT_EQ(TabArrowArea(bar, kTabRightArrow), (TabRect{265, 6, 10, 16}));
}

TEST(TabBarLayout, SelectingAFarTabScrollsItFullyIntoView) {
  struct Case {
    int selected;
    int offset;
    std::uint64_t arrows;
  };
  const Case cases[] = {
      {9, 7, kTabLeftArrow},
      {5, 3, kTabLeftArrow | kTabRightArrow},
      {3, 0, kTabRightArrow},
  };
  for (const Case& c : cases) {
    TabBar bar = Bar(300, Numbered(10));
    SelectTabItem(bar, c.selected);
    TabBarUpdate(bar, 300, kHeight, Width7);
    EXPECT_EQ(bar.scrollOffset, c.offset) << c.selected;
    EXPECT_EQ(bar.flags & kTabArrows, c.arrows) << c.selected;
    EXPECT_TRUE(FullyShown(bar, c.selected)) << c.selected;
  }
  TabBar bar = Bar(300, Numbered(10), 9);
  // The tab before the first full one ends at x 46, under the fade.
  EXPECT_EQ(bar.items[6].position, 46 - 63 + 1);
  EXPECT_TRUE(bar.items[6].visible);
  EXPECT_EQ(bar.items[5].position, -0xFFFF);
  EXPECT_EQ(bar.items[7].position, 46);
  EXPECT_EQ(bar.plus.position, 46 + 3 * 62);

  // Back to the first tab: the offset follows it down again.
  SelectTabItem(bar, 0);
  TabBarUpdate(bar, 300, kHeight, Width7);
  EXPECT_EQ(bar.scrollOffset, 0);
  EXPECT_TRUE(FullyShown(bar, 0));
}

TEST(TabBarLayout, ANarrowBarWithAWideSelectedTabEnds) {
  // Tabs wider than the whole bar never fit; the layout must still end, with
  // the selected tab first.
  for (int width : {60, 0, 5, 120, 300}) {
    TabBar bar = CreateTabBar(TabBarStyle{}, 10);
    AddTabItem(bar, kTabPlus, "+");
    bar.flags &= ~static_cast<std::uint64_t>(kTabCutTexts);  // long names stay long
    for (int i = 0; i < 5; ++i) AddTabItem(bar, 0, QString(80, QChar('a' + i)));
    SelectTabItem(bar, 4);
    TabBarUpdate(bar, width, kHeight, Width7);
    EXPECT_EQ(bar.scrollOffset, 4) << width;
    EXPECT_TRUE(bar.items[4].visible) << width;
    EXPECT_NE(bar.flags & kTabLeftArrow, 0u) << width;
  }
}

TEST(TabBarLayout, RemovingTabsKeepsTheSelectionOnTheNextOne) {
  struct Case {
    int selected;
    int removed;
    int after;
  };
  const Case cases[] = {
      {1, 1, 1},   // the next one takes its place
      {2, 2, 1},   // the last one: the new last
      {2, 0, 1},   // a tab before it: same tab, one index down
      {0, 2, 0},   // a tab after it
      {1, kTabPlus, 1},
      {0, 7, 0},   // no such tab
  };
  for (const Case& c : cases) {
    TabBar bar = Bar(400, {"a", "b", "c"}, c.selected);
    RemoveTabItem(bar, c.removed);
    EXPECT_EQ(bar.selected, c.after) << c.selected << " " << c.removed;
  }
  TabBar bar = Bar(400, {"a"}, 0);
  RemoveTabItem(bar, 0);
  EXPECT_EQ(bar.selected, kTabNone);
  TabBarUpdate(bar, 400, kHeight, Width7);
  EXPECT_EQ(bar.plus.position, 4);

  RemoveTabItem(bar, kTabPlus);
  TabBarUpdate(bar, 400, kHeight, Width7);
  EXPECT_FALSE(bar.plus.visible);
}

TEST(TabBarLayout, ItemsAreAddressedByIndex) {
  TabBar bar = Bar(400, {"a", "b"}, 1);
  EXPECT_EQ(TabBarGetItem(bar, kTabSelected), &bar.items[1]);
  EXPECT_EQ(TabBarGetItem(bar, kTabPlus), &bar.plus);
  EXPECT_EQ(TabBarGetItem(bar, kTabNone), nullptr);
  EXPECT_EQ(TabBarGetItem(bar, 2), nullptr);
  SetTabItemText(bar, kTabSelected, "renamed.bas");
  EXPECT_EQ(bar.items[1].text, "renamed.bas");
  SelectTabItem(bar, kTabSelected);
  EXPECT_EQ(bar.selected, 1);
  SelectTabItem(bar, kTabPlus);
  EXPECT_EQ(bar.selected, kTabNone);
  SelectTabItem(bar, 5);
  EXPECT_EQ(bar.selected, kTabNone);
}

TEST(TabBarLayout, DrawTimeCutFitsTheRoom) {
  struct Case {
    const char* text;
    const char* display;
    int room;
    const char* shown;
  };
  const Case cases[] = {
      {"abcdefgh", "abcdefgh", 56, "abcdefgh"},
      {"abcdefgh", "abcdefgh", 55, "abcde.."},
      {"abcdefgh", "abcde..", 42, "abcd.."},
      {"abcdefgh", "abcdefgh", 1, "abc.."},  // never below three characters
      {"ab", "ab", 1, "ab"},
  };
  for (const Case& c : cases) EXPECT_EQ(FitTabText(c.text, c.display, c.room, Width7), c.shown) << c.room;
}

}  // namespace
}  // namespace vendle
