// The main window's layout numbers.
#pragma once

#include <algorithm>

namespace vendle {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect&) const = default;
};

struct MainLayout {
  int editorTop = 0;        // 35 + ("TabBar Height" or the toolbar's height)
  int statusBarHeight = 0;  // the status bar's height + 25
  Rect tabBar;              // x 5, y editorTop - 35, inner width - 15, height 25
  Rect editor;              // x 5, y editorTop, inner width - 10, inner height - editorTop - statusBarHeight
};

// No window is larger than this; a hand-edited "TabBar Height" beyond it
// is taken at the bound, so no sum below overflows.
inline constexpr int kLargestLayoutSide = 32767;

inline MainLayout ComputeLayout(int innerW, int innerH, int toolbarH, int statusH, int tabBarHeightSetting) {
  MainLayout l;
  const int tabBar = std::clamp(tabBarHeightSetting, -kLargestLayoutSide, kLargestLayoutSide);
  l.editorTop = 35 + (tabBar != 0 ? tabBar : toolbarH);
  l.statusBarHeight = statusH + 25;
  l.tabBar = {5, l.editorTop - 35, innerW - 15, 25};
  l.editor = {5, l.editorTop, innerW - 10, innerH - l.editorTop - l.statusBarHeight};
  return l;
}

}  // namespace vendle
