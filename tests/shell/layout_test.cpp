// The main window's layout numbers.
#include "shell/layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace vendle {
namespace {

TEST(Layout, TheTabBarHeightSettingOrTheToolbarPlacesTheEditor) {
  const MainLayout fromToolbar = ComputeLayout(800, 600, 30, 20, 0);
  EXPECT_EQ(fromToolbar.editorTop, 65);
  EXPECT_EQ(fromToolbar.tabBar, (Rect{5, 30, 785, 25}));
  EXPECT_EQ(fromToolbar.editor, (Rect{5, 65, 790, 600 - 65 - 45}));
  EXPECT_EQ(ComputeLayout(800, 600, 30, 20, 40).editorTop, 75);
  // A hand-edited setting at the ends of the integers is taken at the bound
  // (a sum with it overflowed).
  for (const int setting : {INT_MAX, INT_MIN, INT_MIN + 1}) {
    const MainLayout l = ComputeLayout(800, 600, 30, 20, setting);
    EXPECT_EQ(l.editorTop, 35 + (setting > 0 ? kLargestLayoutSide : -kLargestLayoutSide)) << setting;
  }
}

}  // namespace
}  // namespace vendle
