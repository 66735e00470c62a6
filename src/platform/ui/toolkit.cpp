#include "platform/ui/toolkit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace vendle {

// Turns the window events of registered windows into posted events.
class Toolkit::WindowFilter : public QObject {
 public:
  explicit WindowFilter(Toolkit& tk) : tk_(tk) {}

  bool eventFilter(QObject* watched, QEvent* ev) override {
    const int id = tk_.windowNumberOf(watched);
    if (id == 0) return false;
    switch (ev->type()) {
      case QEvent::Close:
        ev->ignore();
        tk_.dispatcher_.post(Event::OfKind(EventKind::Close, id));
        return true;
      case QEvent::Move:
        tk_.dispatcher_.post(Event::OfKind(EventKind::Move, id));
        return false;
      case QEvent::Resize:
        tk_.dispatcher_.post(Event::OfKind(EventKind::Size, id));
        return false;
      case QEvent::ContextMenu: {
        auto* cm = static_cast<QContextMenuEvent*>(ev);
        Event e = Event::OfKind(EventKind::RightClick, id);
        e.x = cm->globalPos().x();
        e.y = cm->globalPos().y();
        tk_.dispatcher_.post(e);
        return true;
      }
      case QEvent::DragEnter: {
        auto* de = static_cast<QDragEnterEvent*>(ev);
        if (de->mimeData()->hasUrls()) de->acceptProposedAction();
        return true;
      }
      case QEvent::Drop: {
        auto* de = static_cast<QDropEvent*>(ev);
        const QString list = LocalFileList(de->mimeData()->urls());
        if (!list.isEmpty()) {
          de->acceptProposedAction();
          tk_.dispatcher_.post(Event::Drop(list, id));
        }
        return true;
      }
      default:
        return false;
    }
  }

  static QString LocalFileList(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& u : urls)
      if (u.isLocalFile()) paths.append(u.toLocalFile());
    return paths.join(u'\n');
  }

 private:
  Toolkit& tk_;
};

Toolkit::Toolkit(Dispatcher& dispatcher) : dispatcher_(dispatcher), filter_(std::make_unique<WindowFilter>(*this)) {}

Toolkit::~Toolkit() { clear(); }

int Toolkit::windowNumberOf(const QObject* o) const {
  for (const auto& [id, w] : windows_)
    if (w == o) return id;
  return 0;
}

void PlaceOnScreen(QWidget* window, int x, int y, int width, int height) {
  const QRect wanted(x, y, std::max(width, 1), std::max(height, 1));
  QScreen* screen = QGuiApplication::screenAt(wanted.center());
  if (!screen) {
    // Nearest by the distance of the centres.
    qint64 best = -1;
    for (QScreen* s : QGuiApplication::screens()) {
      const QPoint d = s->availableGeometry().center() - wanted.center();
      const qint64 dist = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
      if (best < 0 || dist < best) {
        best = dist;
        screen = s;
      }
    }
  }
  if (!screen) {
    window->move(x, y);
    window->resize(width, height);
    return;
  }
  // A frame's title and borders, known once the window was shown.
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  const bool known = window->isVisible() && frame.height() > inner.height();
  const int extraW = known ? frame.width() - inner.width() : 8;
  const int extraH = known ? frame.height() - inner.height() : 34;
  const QRect area = screen->availableGeometry();
  const int w = std::min(width, std::max(100, area.width() - extraW));
  const int h = std::min(height, std::max(50, area.height() - extraH));
  const int nx = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - w - extraW));
  const int ny = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - h - extraH));
  window->move(nx, ny);
  window->resize(w, h);
}

void Toolkit::registerWindow(int window, QWidget* widget) {
  windows_[window] = widget;
  widget->installEventFilter(filter_.get());
  // Escape asks a tool window to close, as its close box does: without a
  // window manager there is no other way out by keyboard.
  if (window != +WindowId::Main) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), widget);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, filter_.get(), [this, window, widget] {
      if (this->window(window) == widget) dispatcher_.post(Event::OfKind(EventKind::Close, window));
    });
  }
  QObject::connect(widget, &QObject::destroyed, filter_.get(), [this, window, widget] {
    auto it = windows_.find(window);
    if (it != windows_.end() && it->second == widget) windows_.erase(it);
  });
}

void Toolkit::unregisterWindow(int window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  it->second->removeEventFilter(filter_.get());
  windows_.erase(it);
}

QWidget* Toolkit::window(int window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second;
}

void Toolkit::registerControl(int control, QWidget* widget) {
  controls_[control] = widget;
  QObject::connect(widget, &QObject::destroyed, filter_.get(), [this, control, widget] {
    auto it = controls_.find(control);
    if (it != controls_.end() && it->second == widget) controls_.erase(it);
  });
}

void Toolkit::unregisterControl(int control) { controls_.erase(control); }

QWidget* Toolkit::control(int control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second;
}

void Toolkit::registerItem(int item, QAction* action, int window) {
  items_.emplace(item, action);
  QObject::connect(action, &QAction::triggered, filter_.get(),
                   [this, item, window] { dispatcher_.post(Event::Menu(item, window)); });
  QObject::connect(action, &QObject::destroyed, filter_.get(), [this, item, action] {
    auto [b, e] = items_.equal_range(item);
    for (auto it = b; it != e; ++it)
      if (it->second == action) {
        items_.erase(it);
        break;
      }
  });
}

QAction* Toolkit::item(int item) const {
  auto it = items_.find(item);
  return it == items_.end() ? nullptr : it->second;
}

std::vector<QAction*> Toolkit::itemActions(int item) const {
  std::vector<QAction*> out;
  auto [b, e] = items_.equal_range(item);
  for (auto it = b; it != e; ++it) out.push_back(it->second);
  return out;
}

void Toolkit::forgetItems(int first, int last) {
  items_.erase(items_.lower_bound(first), items_.upper_bound(last));
}

namespace {
std::vector<QKeySequence> SequencesOf(const QString& keys) {
  std::vector<QKeySequence> out{QKeySequence(keys)};
  // The keypad's Enter counts as Return.
  if (keys.endsWith(QStringLiteral("Return"))) {
    QString enter = keys;
    enter.replace(QStringLiteral("Return"), QStringLiteral("Enter"));
    out.emplace_back(enter);
  }
  return out;
}
}  // namespace

void Toolkit::addShortcut(int window, const QString& keys, int item) {
  QWidget* w = this->window(window);
  if (!w) return;
  removeShortcut(window, keys);
  ShortcutEntry entry;
  entry.item = item;
  for (const QKeySequence& seq : SequencesOf(keys)) {
    auto* s = new QShortcut(seq, w);
    s->setContext(Qt::WindowShortcut);
    s->setAutoRepeat(true);
    QObject::connect(s, &QShortcut::activated, filter_.get(),
                     [this, item, window] { dispatcher_.post(Event::Menu(item, window)); });
    entry.shortcuts.push_back(s);
  }
  shortcuts_[{window, keys}] = std::move(entry);
}

void Toolkit::removeShortcut(int window, const QString& keys) {
  auto it = shortcuts_.find({window, keys});
  if (it == shortcuts_.end()) return;
  // The shortcut may be the one whose signal is running: disable now, free later.
  for (QShortcut* s : it->second.shortcuts) {
    s->setEnabled(false);
    s->deleteLater();
  }
  shortcuts_.erase(it);
}

bool Toolkit::hasShortcut(int window, const QString& keys) const { return shortcuts_.count({window, keys}) > 0; }

int Toolkit::shortcutItem(int window, const QString& keys) const {
  auto it = shortcuts_.find({window, keys});
  return it == shortcuts_.end() ? 0 : it->second.item;
}

void Toolkit::addTimer(int window, int timer, int periodMs) {
  QTimer*& t = timers_[{window, timer}];
  if (!t) {
    t = new QTimer(filter_.get());
    QObject::connect(t, &QTimer::timeout, filter_.get(), [this, window, timer] {
      Event e{window, EventKind::Timer, timer};
      dispatcher_.post(e);
    });
  }
  t->start(std::max(1, periodMs));
}

void Toolkit::removeTimer(int window, int timer) {
  auto it = timers_.find({window, timer});
  if (it == timers_.end()) return;
  // The timer may be the one whose signal is running: stop now, free later.
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}

bool Toolkit::hasTimer(int window, int timer) const { return timers_.count({window, timer}) > 0; }

int Toolkit::timerPeriod(int window, int timer) const {
  auto it = timers_.find({window, timer});
  return it == timers_.end() ? 0 : it->second->interval();
}

void Toolkit::loadFont(int font, const QString& name, int pointSize, bool monospace) {
  auto f = std::make_unique<QFont>(name, pointSize > 0 ? pointSize : 9);
  // Keep the stored name; let Linux fall back to an installed face of the kind.
  f->setStyleHint(monospace ? QFont::Monospace : QFont::SansSerif);
  fonts_[font] = std::move(f);
}

const QFont* Toolkit::font(int font) const {
  auto it = fonts_.find(font);
  return it == fonts_.end() ? nullptr : it->second.get();
}

void Toolkit::clear() {
  for (auto& [key, t] : timers_) {
    t->stop();
    t->deleteLater();
  }
  timers_.clear();
  for (auto& [key, entry] : shortcuts_)
    for (QShortcut* s : entry.shortcuts) {
      s->setEnabled(false);
      s->deleteLater();
    }
  shortcuts_.clear();
  for (auto& [id, w] : windows_) w->removeEventFilter(filter_.get());
  windows_.clear();
  controls_.clear();
  items_.clear();
}

}  // namespace vendle
