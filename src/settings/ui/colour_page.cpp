// The "Colours" page of the settings window: the sample drawn from the
// working copy, the click that picks one of its colours, and the page's
// three buttons.
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <iterator>

#include "platform/event.h"
#include "platform/requesters.h"
#include "settings/colour_preview.h"
#include "settings/ui/settings_window.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {

QColor ColourOfRef(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void Redraw(SettingsWindow& w) { w.canvas->update(); }

void ShowPageText(SettingsWindow& w, const QString& text) { w.get<QLabel>(ControlId::ColourLabel)->setText(text); }

// The colour requester opens beside the settings window.
std::uint32_t PickColour(App& app, std::uint32_t initial) {
  const WindowRect& r = app.settings().prefsWindow;
  return app.requesters().colour(initial, RequesterPlace{kSettingsWindow, r.x + 500, r.y + 30}).value_or(initial);
}

void ColourPreviewClick(App& app, SettingsWindow& w, int x, int y) {
  const std::optional<PreviewHit> hit = ColourPreviewHit(x, y);
  if (hit) {
    ShowPageText(w, hit->text);
    if (hit->focusSave) w.get<QPushButton>(ControlId::ColourSave)->setFocus();
    std::uint32_t& colour = w.working[static_cast<std::size_t>(hit->slot)];
    colour = PickColour(app, colour);
  }
  Redraw(w);
  ShowPageText(w, QString::fromLatin1(kPickColourText));
}

// A point inside each part of the sample that a click picks, in the
// sample's order from the top: the margin, then each row's text.
struct SamplePoint {
  int x, y;
};
constexpr SamplePoint kSamplePoints[] = {{20, 15},   {100, 15},  {300, 15},  {100, 45},  {100, 75}, {100, 105},
                                         {100, 135}, {100, 165}, {100, 195}, {100, 225}, {100, 255}};
constexpr int kSampleItems = static_cast<int>(std::size(kSamplePoints));

}  // namespace

ColourCanvas::ColourCanvas(App& app, const ColourSettings& colours, QWidget* parent)
    : QFrame(parent), app_(app), colours_(colours), font_(QStringLiteral("Courier"), 8) {
  InstallAccessibleItems();
  setFrameShape(QFrame::Box);
  setAccessibleName(QStringLiteral("Colour sample"));
  setFocusPolicy(Qt::StrongFocus);
  font_.setStyleHint(QFont::Monospace);
}

int ColourCanvas::accessibleItemCount() const { return kSampleItems; }

QString ColourCanvas::accessibleItemText(int index) const {
  if (index < 0 || index >= kSampleItems) return {};
  const std::optional<PreviewHit> hit = ColourPreviewHit(kSamplePoints[index].x, kSamplePoints[index].y);
  return hit ? hit->text : QString();
}

// The row of 30 pixels the item's point lies in, within its column.
QRect ColourCanvas::accessibleItemRect(int index) const {
  if (index < 0 || index >= kSampleItems) return {};
  const SamplePoint p = kSamplePoints[index];
  const int left = p.x < 70 ? 1 : p.x > 220 ? 221 : 71;
  const int right = p.x < 70 ? 70 : p.x > 220 || index != 1 ? 349 : 220;
  return QRect(left, p.y / 30 * 30, right - left, 30);
}

void ColourCanvas::accessibleActivate(int index) {
  if (index < 0 || index >= kSampleItems) return;
  current_ = index;
  pick(index);
}

void ColourCanvas::pick(int index) {
  Event ev = Event::Control(+ControlId::ColourCanvas, +ControlEvent::MouseUp, kSettingsWindow);
  ev.x = kSamplePoints[index].x;
  ev.y = kSamplePoints[index].y;
  app_.dispatcher().post(ev);
}

void ColourCanvas::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: current_ = (current_ + kSampleItems - 1) % kSampleItems; break;
    case Qt::Key_Down:
    case Qt::Key_Right: current_ = (current_ + 1) % kSampleItems; break;
    case Qt::Key_Home: current_ = 0; break;
    case Qt::Key_End: current_ = kSampleItems - 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: pick(current_); return;
    default: QFrame::keyPressEvent(e); return;
  }
  update();
  NotifyItemSelected(this, current_);
  if (QAccessible::isActive()) {
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(current_);
    QAccessible::updateAccessibility(&focus);
  }
}

void ColourCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const PreviewLayout layout = ColourPreviewLayout(colours_);
  for (const PreviewBox& b : layout.boxes) p.fillRect(b.x, b.y, b.w, b.h, ColourOfRef(b.colour));
  p.setFont(font_);
  p.setBackgroundMode(Qt::OpaqueMode);
  for (const PreviewText& t : layout.texts) {
    p.setPen(ColourOfRef(t.fore));
    p.setBackground(ColourOfRef(t.back));
    // The position is the text's top left corner, not its base line.
    p.drawText(QRect(t.x, t.y, width(), height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, t.text);
  }
  p.setBackgroundMode(Qt::TransparentMode);
  // The item the keyboard is on.
  if (hasFocus()) {
    QPen pen(Qt::DashLine);
    pen.setColor(QColor(128, 128, 128));
    p.setPen(pen);
    p.drawRect(accessibleItemRect(current_).adjusted(1, 1, -2, -2));
  }
  drawFrame(&p);
}

void ColourCanvas::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  Event ev = Event::Control(+ControlId::ColourCanvas, +ControlEvent::MouseUp, kSettingsWindow);
  ev.x = e->position().toPoint().x();
  ev.y = e->position().toPoint().y();
  app_.dispatcher().post(ev);
}

void ColourPageEvent(App& app, SettingsWindow& w, const Event& e) {
  switch (static_cast<ControlId>(e.object)) {
    case ControlId::ColourCanvas:
      if (e.type == +ControlEvent::MouseUp) {
        app.noteHandler("ColourPreviewClick");
        ColourPreviewClick(app, w, e.x, e.y);
      }
      break;
    case ControlId::ColourDefault:
      app.noteHandler("ColourPrefsDefaults");
      w.working = WithDefaultButtonColours(w.working);
      Redraw(w);
      break;
    case ControlId::ColourCancel:
      app.noteHandler("ColourPrefsCancel");
      w.working = app.settings().colours;
      Redraw(w);
      break;
    case ControlId::ColourSave:
      app.noteHandler("ColourPrefsSave");
      app.settings().colours = w.working;
      Redraw(w);
      app.requesters().message(QStringLiteral("Colour Preferences"), QStringLiteral("Settings saved"));
      break;
    default: break;
  }
}

}  // namespace vendle
