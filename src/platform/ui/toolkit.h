// The numbered-window toolkit over Qt: windows, controls, menu items,
// shortcuts, timers and fonts are registered under their numbers and
// addressed by them. Whatever happens to them (a close request, a move, a
// drop, a menu item, a shortcut, a timer) becomes an Event posted to the
// dispatcher.
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <vector>

#include "platform/dispatcher.h"

class QAction;
class QFont;
class QObject;
class QShortcut;
class QTimer;
class QWidget;

namespace vendle {

// Moves a window to x, y and gives it the inner size width x height, fitted
// to the available area of the screen that holds (or is nearest to) the
// rectangle, with room for a window manager's frame: a default or stored
// rectangle larger than the screen, or beyond its edge, is brought onto it.
void PlaceOnScreen(QWidget* window, int x, int y, int width, int height);

class Toolkit {
 public:
  explicit Toolkit(Dispatcher& dispatcher);
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  Dispatcher& dispatcher() { return dispatcher_; }

  // Windows. A registered window's close request, move, size, right click and
  // file drop are posted as events; its close button never closes it by itself.
  void registerWindow(int window, QWidget* widget);
  void unregisterWindow(int window);
  QWidget* window(int window) const;
  bool windowExists(int window) const { return this->window(window) != nullptr; }

  // Controls, numbered across all windows.
  void registerControl(int control, QWidget* widget);
  void unregisterControl(int control);
  QWidget* control(int control) const;

  // Menu items and toolbar buttons: triggering the action posts its item.
  void registerItem(int item, QAction* action, int window = 1);
  QAction* item(int item) const;
  // Every action registered for `item` (a menu entry and a toolbar button).
  std::vector<QAction*> itemActions(int item) const;
  void forgetItems(int first, int last);

  // Shortcuts of a window. `keys` is a key text such as "Ctrl+O", "F9",
  // "Return" or "Shift+Return"; "Return" also takes the keypad's Enter.
  void addShortcut(int window, const QString& keys, int item);
  void removeShortcut(int window, const QString& keys);
  bool hasShortcut(int window, const QString& keys) const;
  // The item a key text sends on `window`, or 0.
  int shortcutItem(int window, const QString& keys) const;

  // Timers of a window; adding an existing timer restarts it with the new period.
  void addTimer(int window, int timer, int periodMs);
  void removeTimer(int window, int timer);
  bool hasTimer(int window, int timer) const;
  int timerPeriod(int window, int timer) const;

  // Fonts by number.
  void loadFont(int font, const QString& name, int pointSize, bool monospace);
  const QFont* font(int font) const;

  // Freed at shutdown: every window, timer and shortcut.
  void clear();

 private:
  class WindowFilter;
  struct ShortcutEntry {
    int item = 0;
    std::vector<QShortcut*> shortcuts;  // one per key sequence (Return has two)
  };

  int windowNumberOf(const QObject* o) const;

  Dispatcher& dispatcher_;
  std::map<int, QWidget*> windows_;
  std::map<int, QWidget*> controls_;
  std::multimap<int, QAction*> items_;
  std::map<std::pair<int, QString>, ShortcutEntry> shortcuts_;
  std::map<std::pair<int, int>, QTimer*> timers_;
  std::map<int, std::unique_ptr<QFont>> fonts_;
  std::unique_ptr<WindowFilter> filter_;
};

}  // namespace vendle
