// One event of the program's event model: the window it belongs to, its
// kind (EventKind numbers), the object (control, item or timer number), the
// type (notification code) and its data.
#pragma once

#include <QString>
#include <ostream>

#include "platform/ids.h"

namespace vendle {

struct Event {
  int window = 0;
  EventKind kind = EventKind::None;
  int object = 0;
  int type = 0;
  QString text;  // UTF-16: dropped paths (LF-separated) or a control-link command
  int x = 0;     // mouse position in the control, for control events
  int y = 0;
  int delta = 0;  // wheel steps

  static Event Menu(int item, int window = static_cast<int>(WindowId::Main)) {
    return Event{window, EventKind::Menu, item};
  }
  static Event Menu(Item item) { return Menu(static_cast<int>(item)); }
  static Event Timer(TimerId timer, int window = static_cast<int>(WindowId::Main)) {
    return Event{window, EventKind::Timer, static_cast<int>(timer)};
  }
  static Event OfKind(EventKind kind, int window = static_cast<int>(WindowId::Main)) {
    return Event{window, kind};
  }
  static Event Control(int control, int type, int window = static_cast<int>(WindowId::Main)) {
    return Event{window, EventKind::Control, control, type};
  }
  static Event Drop(const QString& lfList, int window = static_cast<int>(WindowId::Main)) {
    Event e{window, EventKind::Drop};
    e.text = lfList;
    return e;
  }
  static Event Command(const QString& text) {
    Event e{static_cast<int>(WindowId::Main), EventKind::ControlCommand};
    e.text = text;
    return e;
  }
};

std::ostream& operator<<(std::ostream& os, const Event& e);

}  // namespace vendle
