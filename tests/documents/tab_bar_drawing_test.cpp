#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>

#include "documents/tab_bar_colour.h"
#include "documents/ui/tab_bar_canvas.h"
#include "platform/dispatcher.h"
#include "qt_print.h"

namespace vendle {
namespace {

TEST(TabBarColour, LiftsAndShadesSaturateAtBothEnds) {
  struct Case {
    Colour a, b, sum, difference;
  };
  const Case cases[] = {
      {0xFF302010, 0xFF101010, 0xFF403020, 0xFF201000},
      {0x80F8F0E0, 0xFF101010, 0x80FFFFF0, 0x80E8E0D0},  // alpha of the first kept
      {0x00FFFFFF, 0xFFFFFFFF, 0x00FFFFFF, 0x00000000},
      {0x12000000, 0x00000000, 0x12000000, 0x12000000},
      {0xFF0A2030, 0x00101010, 0xFF1A3040, 0xFF001020},  // blue runs out first
      {0xFFFF00FF, 0x00010101, 0xFFFF01FF, 0xFFFE00FE},  // red is the low byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddColourSaturated(c.a, c.b), c.sum) << std::hex << c.a << " + " << c.b;
    EXPECT_EQ(SubtractColourSaturated(c.a, c.b), c.difference) << std::hex << c.a << " - " << c.b;
  }
  // Shaded boxes: +64 reaches 255 above 190, -64 reaches 0 at 64 and below.
  struct Shade {
    int channel, light, dark;
  };
  const Shade shades[] = {{0, 64, 0}, {64, 128, 0}, {65, 129, 1}, {190, 254, 126}, {191, 255, 127}, {255, 255, 191}};
  for (const Shade& s : shades) {
    const auto g = ShadedBoxGradient(MakeColour(s.channel, s.channel, s.channel), 1);
    EXPECT_EQ(ColourGreen(g.front().colour), s.light) << s.channel;
    EXPECT_EQ(ColourGreen(g.back().colour), s.dark) << s.channel;
    const auto pressed = ShadedBoxGradient(MakeColour(s.channel, s.channel, s.channel), -1);
    EXPECT_EQ(ColourGreen(pressed.front().colour), s.dark) << s.channel;
  }
}

TEST(TabBarColour, TabGradientsByState) {
  const Colour lift = 0xFF101010;
  using G = std::vector<GradientStop>;
  struct Case {
    Colour back;
    int state;
    G stops;
  };
  const Case cases[] = {
      {0xFFD0D0D0, 0, G{{0, 0xFFF0F0F0}, {0.5, 0xFFD0D0D0}, {0.6, 0xFFC0C0C0}, {1, 0xFFA0A0A0}}},
      {0xFFD0D0D0, 1, G{{0, 0xFFFFFFFF}, {0.5, 0xFFE0E0E0}, {0.6, 0xFFD0D0D0}, {1, 0xFFB0B0B0}}},
      {0xFFD0D0D0, 2, G{{0, 0xFFF0F0F0}, {0.5, 0xFFE0E0E0}, {1, 0xFFD0D0D0}}},
      {0xFF000000, 0, G{{0, 0xFF202020}, {0.5, 0xFF000000}, {0.6, 0xFF000000}, {1, 0xFF000000}}},
      {0xFFFFFFFF, 2, G{{0, 0xFFFFFFFF}, {0.5, 0xFFFFFFFF}, {1, 0xFFEFEFEF}}},
      {0xFF0000FF, 1, G{{0, 0xFF3030FF}, {0.5, 0xFF1010FF}, {0.6, 0xFF0000EF}, {1, 0xFF0000CF}}},
  };
  for (const Case& c : cases) EXPECT_EQ(TabItemGradient(c.back, c.state, lift, lift), c.stops) << c.state;
}

TEST(TabBarStyle, DefaultsFromTheSystemColours) {
  const TabBarStyle s = DefaultTabBarStyle(0x00C0D0E0, 0x00808080, 0x00000000, "Sans,9");
  EXPECT_EQ(s.barBackground, 0xFFC0D0E0u);
  EXPECT_EQ(s.tabBackColour, 0xFFC0D0E0u);
  EXPECT_EQ(s.lineColour, 0xFF808080u);
  EXPECT_EQ(s.textColour, 0xFF000000u);
  EXPECT_EQ(s.hoverLift, 0xFF101010u);
  EXPECT_EQ(s.font, "Sans,9");
  EXPECT_EQ(TabFadeEnd(CreateTabBar(s, 10)), 46);
}

// A canvas whose events come straight back to it, as the dispatcher does.
struct Fixture {
  Dispatcher dispatcher;
  TabBarCanvas canvas;
  std::vector<TabBarResult> results;
  explicit Fixture(int width, const TabBarStyle& style = DefaultTabBarStyle(0xD0D0D0, 0x808080, 0x000000, ""))
      : canvas(dispatcher, style, QApplication::font(), nullptr) {
    dispatcher.setHandler([this](const Event& e) { results.push_back(canvas.handle(e)); });
    canvas.resize(width, 25);
  }
  QImage image() {
    QImage img(canvas.size(), QImage::Format_ARGB32);
    img.fill(Qt::magenta);
    canvas.render(&img);
    return img;
  }
  QPoint centre(int index) {
    const TabItem* item = TabBarGetItem(canvas.bar(), index);
    return QPoint(item->x + 4, item->y + item->height / 2);
  }
};

::testing::AssertionResult Near(QRgb got, QRgb want, int tolerance = 0) {
  const int d = std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                          std::abs(qBlue(got) - qBlue(want))});
  if (d <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << qRed(got) << "," << qGreen(got) << "," << qBlue(got) << " want "
                                       << qRed(want) << "," << qGreen(want) << "," << qBlue(want);
}

TEST(TabBarCanvas, PaintsTheRaisedSelectedTabAndLightRedCloseBoxes) {
  Fixture f(400);
  for (const char* n : {"a.bas", "bb.bas", "c.bas"}) f.canvas.add(n);
  f.canvas.select(1);
  const QImage img = f.image();
  const TabBar& bar = f.canvas.bar();
  const TabItem& sel = bar.items[1];
  const TabItem& other = bar.items[0];
  ASSERT_EQ(sel.y, 0);
  ASSERT_EQ(other.y, 4);
  const QRgb background = qRgb(0xD0, 0xD0, 0xD0), line = qRgb(0x80, 0x80, 0x80);
  const int mid = sel.x + sel.width / 2, otherMid = other.x + 6;

  // Raised: the selected tab's outline is on the top row, the others' on row 4.
  EXPECT_TRUE(Near(img.pixel(mid, 0), line, 1));
  EXPECT_TRUE(Near(img.pixel(otherMid, 0), background));
  EXPECT_TRUE(Near(img.pixel(otherMid, 2), background));
  EXPECT_TRUE(Near(img.pixel(otherMid, 4), line, 1));
  // Its gradient: back 0xD0 + lift 0x10 = 0xE0 at the middle, +16 at the top, -16 at the bottom.
  EXPECT_TRUE(Near(img.pixel(mid, 2), qRgb(0xED, 0xED, 0xED), 2));
  EXPECT_TRUE(Near(img.pixel(mid, 13), qRgb(0xE0, 0xE0, 0xE0), 2));
  // A normal tab starts 32 above its back colour.
  EXPECT_TRUE(Near(img.pixel(otherMid, 5), qRgb(0xEC, 0xEC, 0xEC), 3));
  // The bottom line runs under the normal tabs; the selected tab covers it.
  EXPECT_TRUE(Near(img.pixel(otherMid, 24), line, 1));
  EXPECT_TRUE(Near(img.pixel(mid, 24), qRgb(0xD3, 0xD3, 0xD3), 3));
  EXPECT_TRUE(Near(img.pixel(395, 24), line, 1));
  EXPECT_TRUE(Near(img.pixel(395, 10), background));

  for (int i = 0; i < 3; ++i) {
    const TabRect box = TabCloseBoxRect(bar, bar.items[i]);
    for (QPoint p : {QPoint(box.x, box.y), QPoint(box.x + 12, box.y + 12), QPoint(box.x + 1, box.y + 11)})
      EXPECT_TRUE(Near(img.pixel(p), qRgb(0xFF, 0x66, 0x66))) << "tab " << i << " " << p.x() << "," << p.y();
    EXPECT_TRUE(Near(img.pixel(box.x + 6, box.y + 6), qRgb(0, 0, 0), 8)) << "the cross in the text colour";
  }
}

TEST(TabBarCanvas, PaintsArrowsAndFadesWhenScrolled) {
  Fixture f(300);
  for (int i = 0; i < 12; ++i) f.canvas.add(QString("program%1.bas").arg(i));
  f.canvas.select(11);
  const TabBar& bar = f.canvas.bar();
  ASSERT_NE(bar.flags & kTabLeftArrow, 0u);
  const QImage img = f.image();
  const int cy = TabArrowCentreY(bar);
  // The left arrow at x 3..6 in the text colour at half alpha over an opaque fade.
  EXPECT_TRUE(Near(img.pixel(4, cy), qRgb(0x68, 0x68, 0x68), 2));
  EXPECT_TRUE(Near(img.pixel(1, cy), qRgb(0xD0, 0xD0, 0xD0), 1));
  EXPECT_TRUE(Near(img.pixel(10, 12), qRgb(0xD0, 0xD0, 0xD0), 1));
}

TEST(TabBarCanvas, MouseEventsComeBackAsResults) {
  Fixture f(400);
  for (const char* n : {"a.bas", "bb.bas", "c.bas"}) f.canvas.add(n);
  f.canvas.select(0);
  f.results.clear();
  QTest::mouseClick(&f.canvas, Qt::LeftButton, {}, f.centre(kTabPlus));
  ASSERT_FALSE(f.results.empty());
  EXPECT_EQ(f.results[0], (TabBarResult{TabBarEventKind::New, kTabPlus}));

  f.results.clear();
  QTest::mouseClick(&f.canvas, Qt::MiddleButton, {}, f.centre(2));
  ASSERT_EQ(f.results.size(), 2u);
  EXPECT_EQ(f.results[1], (TabBarResult{TabBarEventKind::Close, 2}));

  f.results.clear();
  QTest::mouseClick(&f.canvas, Qt::LeftButton, {}, f.centre(1));
  EXPECT_EQ(f.results.at(0), (TabBarResult{TabBarEventKind::Select, 1}));
  EXPECT_EQ(f.canvas.selected(), 1);

  const TabRect box = TabCloseBoxRect(f.canvas.bar(), f.canvas.bar().items[2]);
  f.results.clear();
  QTest::mouseClick(&f.canvas, Qt::LeftButton, {}, QPoint(box.x + 6, box.y + 6));
  EXPECT_EQ(f.results.at(1), (TabBarResult{TabBarEventKind::Close, 2}));

  // Other controls' events are not the bar's.
  EXPECT_EQ(f.canvas.handle(Event::Control(+ControlId::FirstEditor, +ControlEvent::MouseDown)), TabBarResult{});
  EXPECT_EQ(f.canvas.handle(Event::Control(+ControlId::TabBar, +ControlEvent::FocusLost)), TabBarResult{});
}

TEST(TabBarCanvas, TheWheelScrollsInWholeSteps) {
  Fixture f(300);
  for (int i = 0; i < 12; ++i) f.canvas.add(QString("program%1.bas").arg(i));
  f.canvas.select(0);
  auto wheel = [&](int angle) {
    QWheelEvent e(QPointF(150, 12), f.canvas.mapToGlobal(QPointF(150, 12)), QPoint(), QPoint(0, angle), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&f.canvas, &e);
  };
  wheel(60);
  EXPECT_EQ(f.canvas.bar().scrollOffset, 0);
  wheel(60);
  EXPECT_EQ(f.canvas.bar().scrollOffset, 1);
  wheel(240);
  EXPECT_EQ(f.canvas.bar().scrollOffset, 3);
  wheel(-360);
  EXPECT_EQ(f.canvas.bar().scrollOffset, 0);
}

TEST(TabBarCanvas, TabsAreAddedRenamedAndRemoved) {
  Fixture f(400);
  EXPECT_EQ(f.canvas.text(kTabPlus), "+");
  EXPECT_EQ(f.canvas.add("a.bas"), 0);
  EXPECT_EQ(f.canvas.add("b.bas"), 1);
  f.canvas.setText(0, "renamed.bas");
  EXPECT_EQ(f.canvas.text(0), "renamed.bas");
  f.canvas.select(0);
  f.canvas.remove(0);
  EXPECT_EQ(f.canvas.count(), 1);
  EXPECT_EQ(f.canvas.selected(), 0);
  EXPECT_EQ(f.canvas.text(0), "b.bas");
  f.canvas.remove(kTabPlus);
  EXPECT_FALSE(f.canvas.bar().plus.visible);
  f.canvas.showPlusItem("+");
  EXPECT_TRUE(f.canvas.bar().plus.visible);
}

TEST(TabBarCanvas, TheDocumentsStripOutlivesTheCanvas) {
  Dispatcher dispatcher;
  auto* canvas = new TabBarCanvas(dispatcher, TabBarStyle{}, QApplication::font(), nullptr);
  CanvasTabStrip strip(canvas);
  EXPECT_EQ(strip.add("a.bas"), 0);
  strip.select(0);
  EXPECT_EQ(canvas->selected(), 0);
  strip.remove(kTabPlus);  // not a tab: the "+" item stays
  EXPECT_TRUE(canvas->bar().plus.visible);
  delete canvas;
  EXPECT_EQ(strip.count(), 0);
  EXPECT_EQ(strip.add("b.bas"), -1);
  strip.select(0);
  strip.remove(0);
  EXPECT_EQ(strip.selected(), kTabNone);
}

// With VENDLE_SCREENSHOT_DIR set, writes the picture of a crowded bar there.
TEST(TabBarCanvas, ManyTabsWithOneSelectedFarRight) {
  Fixture f(700);
  for (int i = 0; i < 24; ++i) f.canvas.add(QString("project_module_%1.bas").arg(i + 1));
  f.canvas.select(17);
  const TabBar& bar = f.canvas.bar();
  const TabItem& sel = bar.items[17];
  EXPECT_TRUE(sel.visible);
  EXPECT_GE(sel.position, TabFadeEnd(bar));
  EXPECT_LE(sel.position + sel.length, TabBarRightEnd(bar) - bar.style.arrowSize);
  const QByteArray dir = qgetenv("VENDLE_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    QDir().mkpath(QString::fromLocal8Bit(dir));
    QImage img = f.image();
    // Four times larger, so that single pixels can be seen.
    img.scaled(img.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(QString::fromLocal8Bit(dir) + "/tab_bar.png");
  }
}

}  // namespace
}  // namespace vendle
