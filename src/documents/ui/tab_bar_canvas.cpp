#include "documents/ui/tab_bar_canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QWheelEvent>

#include "platform/dispatcher.h"
#include "platform/ui/toolkit.h"

namespace vendle {
namespace {

constexpr Colour kCloseBoxRed = 0xFF6666FF;
constexpr int kArrowDepth = 4;
constexpr int kArrowTipInset = 3;  // of the right arrow, from the right end
constexpr int kCrossSize = 7;      // the close cross, inside its square
constexpr int kWidthCacheLimit = 4096;

QColor ToQColor(Colour c) { return QColor(ColourRed(c), ColourGreen(c), ColourBlue(c), ColourAlpha(c)); }

Colour FromQColor(const QColor& c) { return MakeColour(c.red(), c.green(), c.blue(), 0); }

QLinearGradient Vertical(double top, double bottom, const std::vector<GradientStop>& stops) {
  QLinearGradient g(0, top, 0, bottom);
  for (const GradientStop& s : stops) g.setColorAt(s.at, ToQColor(s.colour));
  return g;
}

// A rounded box whose outline lies on its outermost pixels, x..x+w-1 and y..y+h-1.
void RoundBox(QPainter& p, int x, int y, int w, int h, int radius, const QBrush& fill, Colour outline) {
  if (w <= 0 || h <= 0) return;
  QPainterPath path;
  path.addRoundedRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1), radius, radius);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.fillPath(path, fill);
  p.setPen(QPen(ToQColor(outline), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.restore();
}

void Pixels(QPainter& p, int x1, int y1, int x2, int y2, Colour colour) {
  p.setPen(QPen(ToQColor(colour), 1));
  p.drawLine(x1, y1, x2, y2);
}

void DrawShadedBox(QPainter& p, const TabBar& bar, int x, int y, int w, int h, int direction, Colour colour) {
  RoundBox(p, x, y, w, h, bar.style.cornerRadius, Vertical(y, y + h, ShadedBoxGradient(colour, direction)),
           WithAlpha(bar.style.lineColour, 0x80));
}

void DrawTabCloseBox(QPainter& p, int x, int y, int size, Colour colour) {
  p.fillRect(x - 3, y - 3, size + 6, size + 6, ToQColor(kCloseBoxRed));
  const Colour soft = WithAlpha(colour, ColourAlpha(colour) / 4);
  const int e = size - 1;
  Pixels(p, x, y, x + e, y + e, colour);
  Pixels(p, x + 1, y, x + e, y + e - 1, soft);
  Pixels(p, x, y + 1, x + e - 1, y + e, soft);
  Pixels(p, x + e, y, x, y + e, colour);
  Pixels(p, x + e - 1, y, x, y + e - 1, soft);
  Pixels(p, x + e, y + 1, x + 1, y + e, soft);
}

// A triangle of vertical lines: the tip at x, pointing left for a positive
// size and right for a negative one.
void DrawTabArrow(QPainter& p, int x, int y, int size, Colour colour) {
  const int depth = std::abs(size);
  const int dir = size > 0 ? 1 : -1;
  for (int i = 1; i <= depth; ++i) Pixels(p, x + dir * i, y - i, x + dir * i, y + i - 1, colour);
  const Colour soft = WithAlpha(colour, ColourAlpha(colour) / 4);
  Pixels(p, x + dir, y - 1, x + dir * depth, y - depth, soft);
  Pixels(p, x + dir, y, x + dir * depth, y + depth - 1, soft);
}

void DrawTabItem(QPainter& p, const TabBar& bar, int index, const QFont& font) {
  const TabItem& item = index == kTabPlus ? bar.plus : bar.items[index];
  const TabBarStyle& s = bar.style;
  Colour base = item.backColour;
  RoundBox(p, item.x, item.y, item.width, item.height + s.cornerRadius, s.cornerRadius,
           Vertical(item.y, item.y + item.height,
                    TabItemGradient(base, item.state, s.hoverLift, s.selectionLift)),
           s.lineColour);

  const bool closeBox = index != kTabPlus && (bar.flags & kTabCloseBoxes);
  const int room = item.width - 2 * item.textInset - (closeBox ? s.closeBoxSize + s.imagePadding : 0);
  const QFontMetrics fm(font);
  const QString shown =
      FitTabText(item.text, item.displayText, room, [&fm](const QString& t) { return fm.horizontalAdvance(t); });
  p.setFont(font);
  p.setPen(ToQColor(item.textColour));
  p.drawText(QRect(item.x + item.textInset, item.y, std::max(room, 0), item.height),
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);

  if (!closeBox) return;
  const TabRect box = TabCloseBoxRect(bar, item);
  if (bar.hovered == index && bar.closeHover) {
    const bool held = bar.closePressed && bar.pressed == index;
    DrawShadedBox(p, bar, box.x, box.y, box.w, box.h, held ? -1 : 1, item.backColour);
  }
  const int inset = (s.closeBoxSize - kCrossSize) / 2;
  DrawTabCloseBox(p, box.x + inset, box.y + inset, kCrossSize, item.textColour);
}

// The strip beside an arrow where cut tabs fade into the bar background:
// opaque over the arrow, 0xA0 halfway, transparent at its inner end.
void DrawFade(QPainter& p, const TabBar& bar, int outer, int inner) {
  const Colour bg = bar.style.barBackground;
  const double span = std::abs(inner - outer);
  if (span <= 0) return;
  QLinearGradient g(outer, 0, inner, 0);
  g.setColorAt(0, ToQColor(bg));
  g.setColorAt((bar.style.margin + bar.style.arrowSize) / span, ToQColor(bg));
  g.setColorAt(0.5, ToQColor(WithAlpha(bg, 0xA0)));
  g.setColorAt(1, ToQColor(WithAlpha(bg, 0)));
  p.fillRect(QRect(std::min(outer, inner), 0, static_cast<int>(span), bar.height), g);
}

void DrawArrow(QPainter& p, const TabBar& bar, std::uint64_t arrow) {
  const TabBarStyle& s = bar.style;
  const int cy = TabArrowCentreY(bar);
  if (bar.arrowHover == arrow) {
    const TabRect area = TabArrowArea(bar, arrow);
    DrawShadedBox(p, bar, area.x, area.y, area.w, area.h, bar.arrowPressed == arrow ? -1 : 1, s.tabBackColour);
  }
  const Colour colour = bar.arrowHover == arrow ? s.textColour : WithAlpha(s.textColour, 0x80);
  if (arrow == kTabLeftArrow)
    DrawTabArrow(p, 2, cy, kArrowDepth, colour);
  else
    DrawTabArrow(p, TabBarRightEnd(bar) - kArrowTipInset, cy, -kArrowDepth, colour);
}

}  // namespace

void DrawTabBar(QPainter& p, const TabBar& bar, const QFont& font) {
  const TabBarStyle& s = bar.style;
  p.fillRect(QRect(0, 0, bar.width, bar.height), ToQColor(s.barBackground));
  const int n = static_cast<int>(bar.items.size());
  const bool plusShown = (bar.flags & kTabPlusShown) && bar.plus.visible;
  const bool right = (bar.flags & kTabRightArrow) != 0;
  for (int i = n - 1; i >= 0; --i)
    if (bar.items[i].visible && i != bar.selected) DrawTabItem(p, bar, i, font);
  if (plusShown && !right) DrawTabItem(p, bar, kTabPlus, font);
  if (bar.flags & kTabBottomLine) Pixels(p, 0, bar.height - 1, bar.width - 1, bar.height - 1, s.lineColour);
  // The selected tab stands over the bottom line.
  if (bar.selected >= 0 && bar.selected < n && bar.items[bar.selected].visible)
    DrawTabItem(p, bar, bar.selected, font);
  if (bar.flags & kTabLeftArrow) DrawFade(p, bar, 0, TabFadeEnd(bar));
  if (right) {
    const int end = plusShown ? bar.plus.position : bar.width;
    DrawFade(p, bar, end, end - TabFadeEnd(bar));
  }
  if (bar.flags & kTabLeftArrow) DrawArrow(p, bar, kTabLeftArrow);
  if (right) DrawArrow(p, bar, kTabRightArrow);
  if (plusShown && right) DrawTabItem(p, bar, kTabPlus, font);
}

TabBarStyle SystemTabBarStyle() {
  const QPalette pal = QApplication::palette();
  return DefaultTabBarStyle(FromQColor(pal.color(QPalette::Button)), FromQColor(pal.color(QPalette::Dark)),
                            FromQColor(pal.color(QPalette::ButtonText)), QApplication::font().toString());
}

namespace {

QFont FontFor(const Toolkit& toolkit, const TabBarStyle& style) {
  if (const QFont* misc = toolkit.font(+FontId::Misc)) return *misc;
  QFont f = QApplication::font();
  if (!style.font.isEmpty()) f.fromString(style.font);
  return f;
}

}  // namespace

TabBarCanvas::TabBarCanvas(Toolkit& toolkit, const TabBarStyle& style, QWidget* parent)
    : TabBarCanvas(toolkit.dispatcher(), style, FontFor(toolkit, style), parent) {}

TabBarCanvas::TabBarCanvas(Dispatcher& dispatcher, const TabBarStyle& style, const QFont& font, QWidget* parent)
    : QWidget(parent), dispatcher_(dispatcher), bar_(CreateTabBar(style, +ControlId::TabBar)), font_(font) {
  bar_.font = font_.toString();
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Before anything asks for its interface (a name change does).
  InstallAccessibleItems();
  setAccessibleName(QStringLiteral("Tabs"));
  AddTabItem(bar_, kTabPlus, QStringLiteral("+"));
  redraw();
}

TabBarCanvas* TabBarCanvas::of(const Toolkit& toolkit) {
  return dynamic_cast<TabBarCanvas*>(toolkit.control(+ControlId::TabBar));
}

int TabBarCanvas::add(const QString& text) {
  const int index = AddTabItem(bar_, count(), text);
  redraw();
  return index;
}

void TabBarCanvas::remove(int index) {
  RemoveTabItem(bar_, index);
  redraw();
}

void TabBarCanvas::setText(int index, const QString& text) {
  SetTabItemText(bar_, index, text);
  redraw();
}

QString TabBarCanvas::text(int index) const {
  const TabItem* item = TabBarGetItem(bar_, index);
  return item ? item->text : QString();
}

void TabBarCanvas::select(int index) {
  SelectTabItem(bar_, index);
  NotifyItemSelected(this, index);
  redraw();
}

void TabBarCanvas::showPlusItem(const QString& text) {
  AddTabItem(bar_, kTabPlus, text);
  redraw();
}

void TabBarCanvas::setBarFont(const QFont& font) {
  font_ = font;
  bar_.font = font.toString();
  bar_.cutTrace = TabCutTrace{};
  widths_.clear();
  redraw();
}

int TabBarCanvas::measure(const QString& text) const {
  auto it = widths_.constFind(text);
  if (it != widths_.constEnd()) return *it;
  if (widths_.size() >= kWidthCacheLimit) widths_.clear();
  const int w = QFontMetrics(font_).horizontalAdvance(text);
  widths_.insert(text, w);
  return w;
}

void TabBarCanvas::redraw() {
  stale_ = true;
  update();
}

void TabBarCanvas::layOut() {
  // The canvas is created before the window places it (and a hidden widget
  // gets no resize event): the row height follows the height it has now.
  if (bar_.height != height()) bar_.rowHeight = 0;
  if (!stale_ && bar_.width == width() && bar_.height == height()) return;
  TabBarUpdate(bar_, width(), height(), [this](const QString& t) { return measure(t); });
  stale_ = false;
}

TabBarResult TabBarCanvas::handle(const Event& e) {
  if (e.kind != EventKind::Control || e.object != bar_.gadget) return {};
  const auto type = static_cast<ControlEvent>(e.type);
  switch (type) {
    case ControlEvent::MouseMove:
    case ControlEvent::MouseDown:
    case ControlEvent::MouseUp:
    case ControlEvent::MouseLeave:
    case ControlEvent::MouseWheel:
    case ControlEvent::MouseDoubleClick:
    case ControlEvent::MiddleDown:
    case ControlEvent::MiddleUp: {
      layOut();  // the hit test needs the layout of what is on the screen
      const TabBarResult r = TabBarMouseEvent(bar_, type, e.x, e.y, e.delta);
      redraw();
      return r;
    }
    case ControlEvent::TabChosen:
      if (e.x < 0 || e.x >= count() || e.x == selected()) return {};
      select(e.x);
      return {TabBarEventKind::Select, e.x};
    default:
      return {};
  }
}

QRect TabBarCanvas::accessibleItemRect(int index) const {
  if (index < 0 || index >= count()) return {};
  const TabItem& t = bar_.items[static_cast<std::size_t>(index)];
  return t.visible ? QRect(t.x, t.y, t.width, std::min(t.height, height() - t.y)) : QRect();
}

void TabBarCanvas::accessibleActivate(int index) { post(ControlEvent::TabChosen, index); }

void TabBarCanvas::paintEvent(QPaintEvent*) {
  layOut();
  QPainter p(this);
  DrawTabBar(p, bar_, font_);
}

void TabBarCanvas::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  redraw();
}

void TabBarCanvas::post(ControlEvent type, int x, int y, int delta) {
  Event e = Event::Control(bar_.gadget, +type);
  e.x = x;
  e.y = y;
  e.delta = delta;
  dispatcher_.post(e);
}

void TabBarCanvas::mousePressEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  if (e->button() == Qt::LeftButton) post(ControlEvent::MouseDown, at.x(), at.y());
  else if (e->button() == Qt::MiddleButton) post(ControlEvent::MiddleDown, at.x(), at.y());
}

void TabBarCanvas::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  if (e->button() == Qt::LeftButton) post(ControlEvent::MouseUp, at.x(), at.y());
  else if (e->button() == Qt::MiddleButton) post(ControlEvent::MiddleUp, at.x(), at.y());
}

// Qt delivers the second press of a double click as a press of its own; the
// double click itself is only reported, never turned into another press.
void TabBarCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  if (e->button() == Qt::LeftButton) post(ControlEvent::MouseDoubleClick, at.x(), at.y());
}

void TabBarCanvas::mouseMoveEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  post(ControlEvent::MouseMove, at.x(), at.y());
}

void TabBarCanvas::leaveEvent(QEvent*) { post(ControlEvent::MouseLeave); }

void TabBarCanvas::wheelEvent(QWheelEvent* e) {
  // 120 eighths of a degree are one step; touchpads send less at a time.
  wheelRemainder_ += e->angleDelta().y();
  const int steps = wheelRemainder_ / 120;
  wheelRemainder_ -= steps * 120;
  const QPoint at = e->position().toPoint();
  if (steps != 0) post(ControlEvent::MouseWheel, at.x(), at.y(), steps);
  e->accept();
}

}  // namespace vendle
