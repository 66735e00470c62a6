// The "Colours" page of the settings window: the sample drawn from the
// working copy, the click that picks one of its colours, and the page's
// three buttons.
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

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

}  // namespace

ColourCanvas::ColourCanvas(App& app, const ColourSettings& colours, QWidget* parent)
    : QFrame(parent), app_(app), colours_(colours), font_(QStringLiteral("Courier"), 8) {
  setFrameShape(QFrame::Box);
  setAccessibleName(QStringLiteral("Colour sample"));
  font_.setStyleHint(QFont::Monospace);
  // Unblended glyphs: the sample shows each text in exactly its colour.
  font_.setStyleStrategy(QFont::NoAntialias);
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
