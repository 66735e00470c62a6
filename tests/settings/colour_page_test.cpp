// The settings window's "Colours" page in the running program: the hit
// table of the sample, the requester, the three buttons, and the sample's
// pixels read back from the drawn image.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app_driver.h"
#include "platform/ids.h"
#include "platform/ui/qt_requesters.h"
#include "platform/ui/toolkit.h"
#include "settings/colour_preview.h"
#include "settings/ui/settings_window.h"

namespace vendle::test {
namespace {

constexpr int kWin = +WindowId::Settings;

class ColourPage : public ::testing::Test {
 protected:
  ColourPage() {
    d.menu(Item::Preferences);
    w = SettingsWindowOf(d.app());
  }
  void clickSample(int x, int y) {
    Event e = Event::Control(+ControlId::ColourCanvas, +ControlEvent::MouseUp, kWin);
    e.x = x;
    e.y = y;
    d.post(e);
  }
  void click(ControlId id) { d.post(Event::Control(+id, 0, kWin)); }
  QString pageText() { return w->get<QLabel>(ControlId::ColourLabel)->text(); }
  std::uint32_t working(ColourSlot s) { return w->working[+s]; }
  std::uint32_t saved(ColourSlot s) { return d.app().settings().colours[+s]; }

  AppDriver d;
  SettingsWindow* w = nullptr;
};

TEST_F(ColourPage, AClickPicksThePartOfTheSampleItIsOn) {
  ASSERT_NE(w, nullptr);
  const struct {
    int x, y;
    ColourSlot slot;
    const char* text;
  } cases[] = {
      {300, 15, ColourSlot::DefaultBack, "Default background colour."},
      {100, 15, ColourSlot::DefaultFore, "Default foreground colour."},
      {300, 45, ColourSlot::DefaultBack, "Default background colour."},
      {100, 45, ColourSlot::Comment, "Comment colour."},
      {50, 100, ColourSlot::Margin, "Margin background colour."},
      {50, 310, ColourSlot::Margin, "Margin background colour."},
      {100, 75, ColourSlot::Keyword, "Keywords colour."},
      {100, 105, ColourSlot::UserSub, "Labels/Functions colour."},
      {100, 135, ColourSlot::UserVariables, "Variables colour."},
      {100, 165, ColourSlot::Number, "Numbers colour."},
      {100, 195, ColourSlot::String, "\"Strings\" colour."},
      {100, 225, ColourSlot::CaretBack, "Current line colour."},
      {300, 255, ColourSlot::SelectedBack, "Selected text colour."},
      {100, 285, ColourSlot::Margin, "Margin background colour."},
  };
  QString shownWhileAsked;
  d.requesters().whileShown = [&](const Asked&) { shownWhileAsked = pageText(); };
  std::uint32_t next = 0x010203;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    d.requesters().clear();
    d.requesters().answerColour(next);
    clickSample(c.x, c.y);
    ASSERT_EQ(d.requesters().asked().size(), 1u);
    EXPECT_EQ(d.requesters().asked()[0].kind, "colour");
    EXPECT_EQ(shownWhileAsked, c.text);
    EXPECT_EQ(working(c.slot), next);
    EXPECT_EQ(pageText(), kPickColourText);
    if (c.slot == ColourSlot::DefaultBack) {
      EXPECT_EQ(w->focusWidget(), w->get<QPushButton>(ControlId::ColourSave));
    }
    next += 0x010101;
  }
  // Below the last row: nothing is asked, the sample is only drawn again.
  const ColourSettings before = w->working;
  d.requesters().clear();
  for (int y : {300, 319, 400}) clickSample(100, y);
  EXPECT_TRUE(d.requesters().asked().empty());
  EXPECT_EQ(w->working, before);
  EXPECT_EQ(d.app().settings().colours, DefaultColours()) << "only Save changes the settings";
}

TEST_F(ColourPage, ACancelledRequesterKeepsTheColour) {
  d.requesters().clear();
  clickSample(100, 75);
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  EXPECT_EQ(working(ColourSlot::Keyword), 0xFF0000u);
}

TEST_F(ColourPage, DefaultThenCancelRestoresDefaultThenSaveStores) {
  d.requesters().answerColour(0x00AA00);
  clickSample(100, 75);  // keyword
  click(ControlId::ColourSave);
  ASSERT_EQ(saved(ColourSlot::Keyword), 0x00AA00u);
  w->working[+ColourSlot::Unused] = 0x777777;
  click(ControlId::ColourDefault);
  EXPECT_EQ(working(ColourSlot::Keyword), 0xFF0000u);
  EXPECT_EQ(working(ColourSlot::Comment), 0xBBBBBBu);
  EXPECT_EQ(working(ColourSlot::CaretBack), 0xA4FFFFu);
  EXPECT_EQ(working(ColourSlot::Unused), 0x777777u) << "the slot without a key stays";
  click(ControlId::ColourCancel);
  EXPECT_EQ(w->working, d.app().settings().colours);
  EXPECT_EQ(working(ColourSlot::Keyword), 0x00AA00u);
  d.requesters().clear();
  click(ControlId::ColourDefault);
  click(ControlId::ColourSave);
  EXPECT_EQ(saved(ColourSlot::Comment), 0xBBBBBBu);
  EXPECT_EQ(saved(ColourSlot::CaretBack), 0xA4FFFFu);
  EXPECT_EQ(saved(ColourSlot::Keyword), 0xFF0000u);
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  EXPECT_EQ(d.requesters().asked()[0].title, "Colour Preferences");
  EXPECT_EQ(d.requesters().asked()[0].text, "Settings saved");
}

QRgb Rgb(std::uint32_t bgr) { return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// Each box and each text of the sample, read from the drawn image, in the
// colours of the working copy: every slot a colour of its own.
TEST_F(ColourPage, TheDrawnSampleShowsTheWorkingColours) {
  ColourSettings c{};
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = 0x102030 + 0x0A0B0C * std::uint32_t(i);
  w->working = c;
  QWidget* canvas = d.app().toolkit().control(+ControlId::ColourCanvas);
  ASSERT_NE(canvas, nullptr);
  const QImage image = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_GE(image.width(), 350);
  const qreal dpr = image.devicePixelRatio();
  auto at = [&](int x, int y) { return image.pixel(int(x * dpr), int(y * dpr)) & 0xFFFFFF; };
  const PreviewLayout layout = ColourPreviewLayout(c);
  // Boxes: a point inside each that no text covers.
  EXPECT_EQ(at(30, 300), Rgb(c[+ColourSlot::Margin]) & 0xFFFFFF);
  EXPECT_EQ(at(300, 300), Rgb(c[+ColourSlot::DefaultBack]) & 0xFFFFFF);
  EXPECT_EQ(at(300, 235), Rgb(c[+ColourSlot::CaretBack]) & 0xFFFFFF);
  // Texts: within the first rows and columns of a text (its letters are at
  // least four pixels wide) every pixel is its back or its fore colour, or
  // at the smoothed edge of a letter a blend of the two.
  for (const PreviewText& t : layout.texts) {
    SCOPED_TRACE(t.text.toStdString());
    int fore = 0, back = 0, other = 0;
    for (int y = t.y; y < t.y + 8; ++y)
      for (int x = t.x; x < t.x + 4 * int(t.text.size()) && x < 349; ++x) {
        const QRgb p = at(x, y);
        const QRgb f = Rgb(t.fore) & 0xFFFFFF;
        const QRgb b = Rgb(t.back) & 0xFFFFFF;
        const auto between = [](int v, int a, int c) { return v >= std::min(a, c) - 1 && v <= std::max(a, c) + 1; };
        const auto distance = [](QRgb u, QRgb v) {
          return std::abs(qRed(u) - qRed(v)) + std::abs(qGreen(u) - qGreen(v)) + std::abs(qBlue(u) - qBlue(v));
        };
        if (p == b)
          ++back;
        else if (distance(p, f) < distance(p, b))
          ++fore;  // mostly the letter's colour
        if (!between(qRed(p), qRed(f), qRed(b)) || !between(qGreen(p), qGreen(f), qGreen(b)) ||
                 !between(qBlue(p), qBlue(f), qBlue(b)))
          ++other;
      }
    EXPECT_GT(fore, 5);
    EXPECT_GT(back, fore);
    EXPECT_EQ(other, 0);
  }
}

// The Qt requester: the colour dialog belongs to the settings window and
// opens where it is asked to, beside it, starting with the given colour.
// The sample by keyboard: it takes the focus, the arrow keys go through its
// items, Return and Space pick the one the keyboard is on as a click does,
// and assistive tools read every item by its name and pick it.
TEST_F(ColourPage, TheSampleIsUsedByKeyboard) {
  ASSERT_NE(w, nullptr);
  QWidget* canvas = d.app().toolkit().control(+ControlId::ColourCanvas);
  ASSERT_NE(canvas, nullptr);
  EXPECT_NE(canvas->focusPolicy() & Qt::TabFocus, 0);
  w->activateWindow();
  canvas->setFocus();
  ASSERT_TRUE(d.waitFor([&] { return canvas->hasFocus(); }));
  struct Step {
    int downs;
    Qt::Key key;
    ColourSlot slot;
  };
  // From the margin: default fore, background, comments, keywords.
  const Step steps[] = {{1, Qt::Key_Return, ColourSlot::DefaultFore},
                        {3, Qt::Key_Space, ColourSlot::Keyword},
                        {7, Qt::Key_Enter, ColourSlot::Margin}};  // round past the last
  std::uint32_t next = 0x0A0B0C;
  for (const Step& s : steps) {
    d.requesters().clear();
    d.requesters().answerColour(next);
    for (int i = 0; i < s.downs; ++i) QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, s.key);
    d.processEvents();
    ASSERT_EQ(d.requesters().asked().size(), 1u) << s.key;
    EXPECT_EQ(working(s.slot), next) << s.key;
    next += 0x010101;
  }
  QAccessibleInterface* sample = QAccessible::queryAccessibleInterface(canvas);
  ASSERT_NE(sample, nullptr);
  ASSERT_EQ(sample->childCount(), 11);
  EXPECT_EQ(sample->child(3)->text(QAccessible::Name), QStringLiteral("Comment colour."));
  for (int i = 0; i < sample->childCount(); ++i) EXPECT_FALSE(sample->child(i)->text(QAccessible::Name).isEmpty());
  d.requesters().clear();
  d.requesters().answerColour(0x445566);
  sample->child(8)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  d.processEvents();
  EXPECT_EQ(working(ColourSlot::String), 0x445566u);
}

TEST_F(ColourPage, TheColourDialogOpensBesideTheSettingsWindowAsItsChild) {
  QtRequesters qt([this] { return d.app().mainWidget(); });
  qt.setWindowLookup([this](int window) { return d.app().toolkit().window(window); });
  QWidget* parent = nullptr;
  QPoint at;
  QColor initial;
  QTimer::singleShot(0, [&] {
    QColorDialog* dialog = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* c = qobject_cast<QColorDialog*>(top); c && c->isVisible()) dialog = c;
    ASSERT_NE(dialog, nullptr);
    parent = dialog->parentWidget();
    at = dialog->pos();
    initial = dialog->currentColor();
    dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
    dialog->accept();
  });
  const std::optional<std::uint32_t> chosen = qt.colour(0x0000FF, RequesterPlace{kWin, 700, 230});
  EXPECT_EQ(parent, w);
  EXPECT_EQ(at, QPoint(700, 230));
  EXPECT_EQ(initial, QColor(0xFF, 0, 0));
  EXPECT_EQ(chosen, std::optional<std::uint32_t>(0x563412));
}

}  // namespace
}  // namespace vendle::test
