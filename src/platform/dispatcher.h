// The event queue. Every event is handled to its end before the next one:
// an event posted while a handler or a modal requester runs waits and is
// dispatched afterwards, in order. A timer waits at most once (one pending
// event per window and timer); every other event is kept.
#pragma once

#include <deque>
#include <functional>

#include "platform/event.h"

namespace vendle {

class Dispatcher {
 public:
  using Handler = std::function<void(const Event&)>;

  Dispatcher() = default;
  Dispatcher(const Dispatcher&) = delete;
  Dispatcher& operator=(const Dispatcher&) = delete;

  void setHandler(Handler handler) { handler_ = std::move(handler); }
  // Called after every dispatched event (the loop checks its quit flag here).
  void setAfterEvent(std::function<void()> after) { after_ = std::move(after); }

  // GUI thread only. Dispatches at once when nothing runs, else queues.
  void post(Event e);

  // While a Hold lives, posted events wait. Modal requesters hold.
  class Hold {
   public:
    explicit Hold(Dispatcher& d);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    Dispatcher& d_;
  };

  bool busy() const { return depth_ > 0; }
  std::size_t pending() const { return queue_.size(); }
  // The loop has ended: waiting and later events are dropped, nothing more runs.
  void stop() {
    stopped_ = true;
    queue_.clear();
  }
  bool stopped() const { return stopped_; }

 private:
  void run(const Event& e);
  void drain();

  Handler handler_;
  std::function<void()> after_;
  std::deque<Event> queue_;
  int depth_ = 0;
  bool draining_ = false;
  bool stopped_ = false;
};

}  // namespace vendle
