#include "platform/dispatcher.h"

#include <cstdio>
#include <exception>

namespace vendle {

std::ostream& operator<<(std::ostream& os, const Event& e) {
  return os << "Event{window " << e.window << ", kind " << static_cast<int>(e.kind) << ", object " << e.object
            << ", type " << e.type << ", text \"" << e.text.toStdString() << "\"}";
}

void Dispatcher::post(Event e) {
  if (stopped_) return;
  if (depth_ > 0 || draining_) {
    if (e.kind == EventKind::Timer) {
      for (const Event& q : queue_)
        if (q.kind == EventKind::Timer && q.window == e.window && q.object == e.object) return;
    }
    queue_.push_back(std::move(e));
    return;
  }
  run(e);
  drain();
}

void Dispatcher::run(const Event& e) {
  ++depth_;
  try {
    if (handler_) handler_(e);
  } catch (const std::exception& ex) {
    // A handler must never take the loop down with it.
    std::fprintf(stderr, "vendle: event handler failed: %s\n", ex.what());
  }
  --depth_;
  if (after_) after_();
}

void Dispatcher::drain() {
  if (draining_ || depth_ > 0) return;
  draining_ = true;
  while (!queue_.empty() && depth_ == 0 && !stopped_) {
    Event e = std::move(queue_.front());
    queue_.pop_front();
    run(e);
  }
  draining_ = false;
}

Dispatcher::Hold::Hold(Dispatcher& d) : d_(d) { ++d_.depth_; }

Dispatcher::Hold::~Hold() {
  --d_.depth_;
  if (d_.depth_ == 0) d_.drain();
}

}  // namespace vendle
