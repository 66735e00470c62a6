// Toolbar 9 on the running main window: its buttons in order with their
// tooltips and images in the size "High DPI" asks for, each posting its item;
// and a button whose image is damaged or missing.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <set>

#include "app_driver.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/main_menu.h"
#include "shell/ui/main_window.h"
#include "shell/ui/toolbar.h"

namespace vendle::test {
namespace {

QToolBar* Bar(App& app) { return qobject_cast<QToolBar*>(app.toolkit().control(+ControlId::Toolbar)); }

TEST(Toolbar, ButtonsFollowTheTableWithImagesAndTooltips) {
  AppDriver d;
  QToolBar* bar = Bar(d.app());
  ASSERT_NE(bar, nullptr);
  const QList<QAction*> actions = bar->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(kToolbar.size()));
  for (std::size_t i = 0; i < kToolbar.size(); ++i) {
    const ToolbarEntry& e = kToolbar[i];
    QAction* a = actions[static_cast<qsizetype>(i)];
    EXPECT_EQ(a->isSeparator(), e.separator) << "position " << i;
    if (e.separator) continue;
    EXPECT_EQ(a->data().toInt(), +e.item) << "position " << i;
    EXPECT_FALSE(a->icon().isNull()) << "no image on button " << +e.item;
    if (e.item != Item::RunDefaultExternal) {
      EXPECT_EQ(a->toolTip().toStdString(), e.tooltip) << "button " << +e.item;
    }
  }
  EXPECT_EQ(bar->iconSize(), QSize(16, 16));
}

TEST(Toolbar, HighDpiGivesTheLargeImages) {
  DriverOptions o;
  o.preferences = "[General]\r\nHigh DPI = 1\r\n";
  AppDriver d(o);
  ASSERT_EQ(d.app().settings().highDpi, 1);
  QToolBar* bar = Bar(d.app());
  EXPECT_EQ(bar->iconSize(), QSize(32, 32));
  for (QAction* a : bar->actions())
    if (!a->isSeparator()) { EXPECT_EQ(a->icon().availableSizes().value(0), QSize(32, 32)) << a->toolTip().toStdString(); }
}

TEST(Toolbar, EveryButtonPostsItsItem) {
  std::vector<int> posted;
  AppDriver d;
  d.app().dispatcher().setHandler([&](const Event& e) {
    if (e.kind == EventKind::Menu) posted.push_back(e.object);
  });
  std::vector<int> want;
  for (const ToolbarEntry& e : kToolbar)
    if (!e.separator) want.push_back(+e.item);
  for (QAction* a : Bar(d.app())->actions())
    if (!a->isSeparator()) a->trigger();
  EXPECT_EQ(posted, want);
}

TEST(Toolbar, ButtonWithoutAUsableImageIsStillThere) {
  AppDriver d;
  App& app = d.app();
  static const unsigned char kGarbage[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3, 4, 5, 6, 7};
  auto source = [](std::string_view name, IconSize size) -> std::span<const unsigned char> {
    if (name == "document-save") return kGarbage;  // corrupt
    if (name == "document-open") return {};       // missing
    return EmbeddedIconPng(name, size);
  };
  QToolBar bar;
  BuildToolbar(app, &bar, source);
  int buttons = 0;
  for (QAction* a : bar.actions()) {
    if (a->isSeparator()) continue;
    ++buttons;
    const int item = a->data().toInt();
    const bool damaged = item == +Item::Save || item == +Item::Open;
    EXPECT_EQ(a->icon().isNull(), damaged) << item;
    EXPECT_FALSE(a->toolTip().isEmpty()) << item;
  }
  EXPECT_EQ(buttons, 30);
  EXPECT_EQ(bar.actions().size(), 37);
}

TEST(Toolbar, DamagedImageDecodesToANullImage) {
  const unsigned char truncated[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  EXPECT_TRUE(ToolbarImage(truncated).isNull());
  EXPECT_TRUE(ToolbarImage({}).isNull());
  const QImage good = ToolbarImage(EmbeddedIconPng("edit-cut", IconSize::Small));
  ASSERT_FALSE(good.isNull());
  EXPECT_EQ(good.size(), QSize(16, 16));
  // Tango's scissors are drawn on a transparent ground.
  EXPECT_EQ(qAlpha(good.pixel(0, 0)), 0);
}

TEST(Toolbar, RunButtonTooltipNamesTheDefaultProgram) {
  AppDriver d;
  App& app = d.app();
  app.settings().externalPrograms = {{"first", "", "/bin/true", "", 0}, {"second", "", "/bin/true", "", 0}};
  for (int hotLink : {0, 1, 2, -1}) {
    app.settings().externalHotLink = hotLink;
    BuildMainMenu(app);
    const char* want = hotLink == 0 ? "first" : hotLink == 1 ? "second" : "run in DOS";
    EXPECT_EQ(ItemToolTip(app, +Item::RunDefaultExternal), want) << hotLink;
  }
}

}  // namespace
}  // namespace vendle::test
