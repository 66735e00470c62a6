#include "documents/tab_bar.h"

#include <algorithm>

namespace vendle {
namespace {

// The arrow flags settle after two or three passes; a bar that keeps
// flipping between two layouts keeps the last one.
constexpr int kMaxLayoutPasses = 8;
// A cut name keeps at least this many characters before "..".
constexpr int kShortestCut = 3;

const QString kCutMark = QStringLiteral("..");

int CodePointUnits(const QString& s, int at) {
  return s[at].isHighSurrogate() && at + 1 < s.size() && s[at + 1].isLowSurrogate() ? 2 : 1;
}

// Sum of the lengths (each less the one overlapping pixel) of items first..last.
int SumRange(const TabBar& bar, int first, int last) {
  int sum = 0;
  for (int i = std::max(first, 0); i <= last && i < static_cast<int>(bar.items.size()); ++i)
    sum += bar.items[i].length - 1;
  return sum;
}

int SumFrom(const TabBar& bar, int first) { return SumRange(bar, first, static_cast<int>(bar.items.size()) - 1); }

int LengthOfText(const TabBar& bar, const QString& text, bool isPlus, const TextWidth& measure) {
  const TabBarStyle& s = bar.style;
  int length = measure(text) + 2 * s.textPadding;
  if (isPlus) {
    if (text.isEmpty()) length += s.closeBoxSize + s.imagePadding;
    return length;
  }
  if (bar.flags & kTabCloseBoxes) length += s.closeBoxSize + s.imagePadding;
  return std::clamp(length, s.minimumTabLength, std::max(s.minimumTabLength, s.maximumTabLength));
}

constexpr std::uint64_t kTraceFlags = kTabCloseBoxes | kTabCutTexts;

bool TraceFits(const TabBar& bar) {
  const TabCutTrace& t = bar.cutTrace;
  if (!t.valid || t.font != bar.font || t.flags != (bar.flags & kTraceFlags) || t.texts.size() != bar.items.size())
    return false;
  for (std::size_t i = 0; i < t.texts.size(); ++i)
    if (t.texts[i] != bar.items[i].text) return false;
  return true;
}

QString CutText(const QString& text, int count) { return TabTextPrefix(text, count) + kCutMark; }

void StartTrace(TabBar& bar, const TextWidth& measure) {
  TabCutTrace& t = bar.cutTrace;
  const int n = static_cast<int>(bar.items.size());
  t = TabCutTrace{};
  t.valid = true;
  t.font = bar.font;
  t.flags = bar.flags & kTraceFlags;
  for (int i = 0; i < n; ++i) {
    const QString& text = bar.items[i].text;
    t.texts.push_back(text);
    t.lengths.push_back(LengthOfText(bar, text, false, measure));
    t.sum += t.lengths.back() - 1;
    const int count = TabTextLength(text);
    t.counts.push_back(count);
    const int cut = count > kShortestCut ? LengthOfText(bar, CutText(text, kShortestCut), false, measure) : 0;
    t.floorLengths.push_back(count > kShortestCut ? cut : t.lengths.back());
    // On the way there a tab is never shorter than the shorter of its whole
    // name and its shortest cut: one more character never makes a text narrower.
    t.floorSum += (count > kShortestCut ? std::min(t.lengths.back(), cut) : t.lengths.back()) - 1;
  }
  t.current = t.lengths;
  t.currentSum = t.sum;
  t.order.resize(n);
  for (int i = 0; i < n; ++i) t.order[i] = i;
  std::stable_sort(t.order.begin(), t.order.end(), [&](int a, int b) { return t.lengths[a] > t.lengths[b]; });
  t.exhausted = !(bar.flags & kTabCutTexts);
}

// One more step of the cutting: the longest tab loses one character. Ties go
// to the lower index; a cut tab moves down only past longer ones. Every call
// shortens a text or drops a candidate, so the steps run out.
void NextCut(TabBar& bar, const TextWidth& measure) {
  TabCutTrace& t = bar.cutTrace;
  while (!t.order.empty()) {
    const int i = t.order.front();
    t.order.erase(t.order.begin());
    if (t.counts[i] <= kShortestCut || t.current[i] <= bar.style.minimumTabLength) continue;
    --t.counts[i];
    const int length = LengthOfText(bar, CutText(bar.items[i].text, t.counts[i]), false, measure);
    t.currentSum += length - t.current[i];
    t.current[i] = length;
    t.steps.push_back({i, t.counts[i], length, t.currentSum});
    auto at = std::find_if(t.order.begin(), t.order.end(), [&](int j) { return t.current[j] <= length; });
    t.order.insert(at, i);
    return;
  }
  t.exhausted = true;
}

// Every display text from its name; then, while the tabs do not fit
// `available`, the longest tab loses one character, down to 3 and "..".
// Returns the sum of the lengths.
int CutTexts(TabBar& bar, int available, const TextWidth& measure) {
  if (!TraceFits(bar)) StartTrace(bar, measure);
  TabCutTrace& t = bar.cutTrace;
  const int n = static_cast<int>(bar.items.size());
  for (int i = 0; i < n; ++i) {
    bar.items[i].displayText = bar.items[i].text;
    bar.items[i].length = t.lengths[i];
  }
  if (t.sum <= available || !(bar.flags & kTabCutTexts)) return t.sum;
  if (t.floorSum > available && bar.style.minimumTabLength <= 0) {
    // Nothing on the way fits: the cutting runs to its end, every name at its shortest.
    int sum = 0;
    for (int i = 0; i < n; ++i) {
      TabItem& item = bar.items[i];
      if (TabTextLength(item.text) > kShortestCut) {
        item.displayText = CutText(item.text, kShortestCut);
        item.length = t.floorLengths[i];
      }
      sum += item.length - 1;
    }
    return sum;
  }
  std::vector<int> counts(n, -1);
  int sum = t.sum;
  std::size_t k = 0;
  for (;; ++k) {
    if (k == t.steps.size()) {
      if (t.exhausted) break;
      NextCut(bar, measure);
      if (k == t.steps.size()) break;
    }
    const TabCutTrace::Step& step = t.steps[k];
    counts[step.item] = step.count;
    bar.items[step.item].length = step.length;
    sum = step.sum;
    if (sum <= available) break;
  }
  for (int i = 0; i < n; ++i)
    if (counts[i] >= 0) bar.items[i].displayText = CutText(bar.items[i].text, counts[i]);
  return sum;
}

void PlaceItems(TabBar& bar, int available) {
  const int n = static_cast<int>(bar.items.size());
  const int offset = bar.scrollOffset;
  for (TabItem& item : bar.items) {
    item.position = kTabHiddenRight;
    item.visible = false;
  }
  for (int i = 0; i < std::min(offset, n); ++i) bar.items[i].position = kTabHiddenLeft;
  int x0 = bar.style.margin;
  if (bar.flags & kTabLeftArrow) {
    x0 = TabFadeEnd(bar);
    if (offset - 1 >= 0 && offset - 1 < n) {
      // The tab before the first full one ends under the fade.
      TabItem& partly = bar.items[offset - 1];
      partly.position = x0 - partly.length + 1;
      partly.visible = true;
    }
  }
  int running = 0;
  for (int i = offset; i < n; ++i) {
    TabItem& item = bar.items[i];
    item.position = x0 + running;
    item.visible = true;
    running += item.length - 1;
    if (running > available) break;
  }
  bar.plus.visible = (bar.flags & kTabPlusShown) != 0;
  if (bar.flags & kTabRightArrow)
    bar.plus.position = bar.width - bar.plus.length - bar.style.margin / 2;
  else
    bar.plus.position = x0 + running;
}

// Moves the scroll offset so the selected tab is shown when it is asked for,
// then back left as far as the tabs still fill the bar.
void ScrollToSelected(TabBar& bar, int sel, int available) {
  const int scrollBack = bar.style.arrowSize + bar.style.fadeWidth;
  if (bar.showSelected && sel != kTabNone && sel < bar.scrollOffset) {
    bar.scrollOffset = sel;
    bar.showSelected = false;
  }
  // Scroll right until the selected tab is fully shown, but never past it:
  // a tab wider than the bar would never be "fully shown".
  if (bar.showSelected && sel != kTabNone)
    while (bar.scrollOffset < sel && SumRange(bar, bar.scrollOffset, sel) > available) ++bar.scrollOffset;
  while (bar.scrollOffset > 1 && SumFrom(bar, bar.scrollOffset - 1) <= available - scrollBack) --bar.scrollOffset;
  if (bar.scrollOffset == 1 && SumFrom(bar, 0) <= available) bar.scrollOffset = 0;
}

// Sets the arrows the scroll offset needs; true when nothing the arrows take
// from the bar can change the layout any more.
bool SettleArrows(TabBar& bar, int available) {
  std::uint64_t arrows = 0;
  bool settled = false;
  if (available > bar.totalLength) {
    bar.scrollOffset = 0;
    settled = true;
  } else if (bar.scrollOffset > 0) {
    arrows = kTabLeftArrow;
    if (SumFrom(bar, bar.scrollOffset) > available) arrows |= kTabRightArrow;
  } else if (SumFrom(bar, 0) <= available) {
    bar.showSelected = false;
    settled = true;
  } else {
    arrows = kTabRightArrow;
  }
  bar.flags = (bar.flags & ~kTabArrows) | arrows;
  return settled;
}

}  // namespace

TabBar CreateTabBar(const TabBarStyle& style, int gadget) {
  TabBar bar;
  bar.gadget = gadget;
  bar.font = style.font;
  bar.style = style;
  bar.flags = kTabBarCreationFlags;
  bar.plus.textColour = style.textColour;
  bar.plus.backColour = style.tabBackColour;
  return bar;
}

const TabItem* TabBarGetItem(const TabBar& bar, int index) {
  if (index == kTabSelected) index = bar.selected;
  if (index == kTabPlus) return &bar.plus;
  if (index < 0 || index >= static_cast<int>(bar.items.size())) return nullptr;
  return &bar.items[index];
}

TabItem* TabBarGetItem(TabBar& bar, int index) {
  return const_cast<TabItem*>(TabBarGetItem(static_cast<const TabBar&>(bar), index));
}

int AddTabItem(TabBar& bar, int index, const QString& text) {
  TabItem item;
  item.text = text;
  item.displayText = text;
  item.textColour = bar.style.textColour;
  item.backColour = bar.style.tabBackColour;
  if (index == kTabPlus) {
    bar.flags |= kTabPlusShown;
    bar.plus = item;
    return kTabPlus;
  }
  bar.items.push_back(item);
  return static_cast<int>(bar.items.size()) - 1;
}

void SetTabItemText(TabBar& bar, int index, const QString& text) {
  if (TabItem* item = TabBarGetItem(bar, index)) {
    item->text = text;
    item->displayText = text;
  }
}

void SelectTabItem(TabBar& bar, int index) {
  if (index == kTabSelected) return;
  if (index >= 0 && index < static_cast<int>(bar.items.size())) {
    bar.selected = index;
    bar.showSelected = true;
  } else {
    bar.selected = kTabNone;
  }
}

void RemoveTabItem(TabBar& bar, int index) {
  if (index == kTabPlus) {
    bar.flags &= ~static_cast<std::uint64_t>(kTabPlusShown);
  } else {
    if (index < 0 || index >= static_cast<int>(bar.items.size())) return;
    bar.items.erase(bar.items.begin() + index);
    const int n = static_cast<int>(bar.items.size());
    if (bar.selected == index)
      bar.selected = index < n ? index : n - 1;  // the next one, else the last (none when empty)
    else if (bar.selected > index)
      --bar.selected;
    if (bar.scrollOffset > index) --bar.scrollOffset;
    bar.scrollOffset = std::clamp(bar.scrollOffset, 0, n);
  }
  // A reference to the removed item is cleared; later items move down by one.
  auto follow = [index](int& ref) {
    if (ref == index) ref = kTabNone;
    else if (index >= 0 && ref > index) --ref;
  };
  follow(bar.hovered);
  follow(bar.pressed);
  if (bar.hovered == kTabNone) bar.closeHover = 0;
  if (bar.pressed == kTabNone) bar.closePressed = 0;
}

int TabBarItemLength(const TabBar& bar, const TabItem& item, bool isPlus, const TextWidth& measure) {
  return LengthOfText(bar, item.displayText, isPlus, measure);
}

int TabBarAvailableLength(const TabBar& bar, bool withPlus) {
  const TabBarStyle& s = bar.style;
  const bool plusShown = (bar.flags & kTabPlusShown) != 0;
  int available = bar.width - 2 * s.margin;
  if (withPlus && plusShown) available -= bar.plus.length - 1;
  if (bar.flags & kTabLeftArrow) available -= s.arrowSize + s.fadeWidth;
  if (bar.flags & kTabRightArrow) {
    available -= s.arrowSize;
    if (plusShown) available -= s.margin;
  }
  return available;
}

void TabBarUpdate(TabBar& bar, int width, int height, const TextWidth& measure) {
  const TabBarStyle& s = bar.style;
  const int n = static_cast<int>(bar.items.size());
  bar.width = width;
  bar.height = height;
  bar.flags &= ~kTabArrows;
  if (bar.rowHeight == 0) bar.rowHeight = height - s.margin;
  bar.plus.displayText = bar.plus.text;
  bar.plus.length = TabBarItemLength(bar, bar.plus, true, measure);
  bar.scrollOffset = std::clamp(bar.scrollOffset, 0, n);
  const int sel = bar.selected >= 0 && bar.selected < n ? bar.selected : kTabNone;

  int available = 0;
  for (int pass = 0; pass < kMaxLayoutPasses; ++pass) {
    const std::uint64_t arrowsBefore = bar.flags & kTabArrows;
    available = TabBarAvailableLength(bar, true);
    const int sum = CutTexts(bar, available, measure);
    bar.totalLength = sum;
    if (sum <= available) {
      bar.scrollOffset = 0;
      bar.flags &= ~kTabArrows;
      break;
    }
    ScrollToSelected(bar, sel, available);
    const bool settled = SettleArrows(bar, available);
    if (settled || (bar.flags & kTabArrows) == arrowsBefore) break;
  }
  bar.availableLength = available;

  PlaceItems(bar, available);
  for (int i = 0; i < n; ++i) {
    TabItem& item = bar.items[i];
    item.state = i == sel ? 2 : i == bar.hovered ? 1 : 0;
    TabBarLayoutItem(bar, item, i == sel);
  }
  bar.plus.state = bar.hovered == kTabPlus ? 1 : 0;
  TabBarLayoutItem(bar, bar.plus, false);
}

void TabBarLayoutItem(const TabBar& bar, TabItem& item, bool selected) {
  const TabBarStyle& s = bar.style;
  item.x = item.position;
  item.width = item.length;
  item.height = bar.rowHeight + 2;
  item.y = bar.height - bar.rowHeight;
  item.textInset = s.textPadding;
  if (selected) {
    // The selected tab stands out: wider, taller and raised to the top.
    item.width += s.margin;
    item.height += s.margin;
    item.x -= s.margin / 2;
    item.y -= s.margin;
    item.textInset += s.margin / 2;
  }
}

int TabTextLength(const QString& text) {
  int count = 0;
  for (int at = 0; at < text.size(); at += CodePointUnits(text, at)) ++count;
  return count;
}

QString TabTextPrefix(const QString& text, int characters) {
  int at = 0;
  for (int i = 0; i < characters && at < text.size(); ++i) at += CodePointUnits(text, at);
  return text.left(at);
}

QString FitTabText(const QString& text, const QString& displayText, int room, const TextWidth& measure) {
  QString shown = displayText;
  int count = shown == text ? TabTextLength(text) : std::max(0, TabTextLength(shown) - 2);
  while (measure(shown) > room && count > kShortestCut) {
    --count;
    shown = TabTextPrefix(text, count) + kCutMark;
  }
  return shown;
}

int TabFadeEnd(const TabBar& bar) { return bar.style.margin + bar.style.arrowSize + bar.style.fadeWidth; }

int TabBarRightEnd(const TabBar& bar) {
  return (bar.flags & kTabPlusShown) ? bar.plus.position - bar.style.margin : bar.width;
}

int TabArrowCentreY(const TabBar& bar) { return (bar.height + bar.style.margin) / 2; }

TabRect TabArrowArea(const TabBar& bar, std::uint64_t arrow) {
  const TabBarStyle& s = bar.style;
  const int top = TabArrowCentreY(bar) - s.arrowHitHeight / 2;
  if (arrow == kTabLeftArrow) return {0, top, s.arrowSize, s.arrowHitHeight};
  return {TabBarRightEnd(bar) - s.arrowSize, top, s.arrowSize, s.arrowHitHeight};
}

TabRect TabCloseBoxRect(const TabBar& bar, const TabItem& item) {
  const int size = bar.style.closeBoxSize;
  return {item.x + item.width - size - item.textInset, item.y + (item.height - size) / 2, size, size};
}

bool TabItemContains(const TabItem& item, int px, int py) {
  return px >= item.x && px < item.x + item.width - 1 && py >= item.y && py < item.y + item.height - 1;
}

}  // namespace vendle
