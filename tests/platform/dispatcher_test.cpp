#include <gtest/gtest.h>

#include <vector>

#include "platform/dispatcher.h"

namespace vendle {
namespace {

struct Recorder {
  Dispatcher d;
  std::vector<QString> seen;
  std::function<void(const Event&)> inside;  // runs inside the handler of "outer"

  Recorder() {
    d.setHandler([this](const Event& e) {
      seen.push_back(e.text.isEmpty() ? QString::number(e.object) : e.text);
      if (inside && e.text == u"outer") inside(e);
    });
  }
};

Event Named(const QString& name) {
  Event e = Event::Menu(1);
  e.text = name;
  return e;
}

TEST(Dispatcher, EventsPostedDuringAHandlerRunAfterItInOrder) {
  Recorder r;
  r.inside = [&](const Event&) {
    r.d.post(Named("a"));
    r.d.post(Named("b"));
    EXPECT_EQ(r.seen.size(), 1u) << "nothing may run inside the handler";
  };
  r.d.post(Named("outer"));
  EXPECT_EQ(r.seen, (std::vector<QString>{"outer", "a", "b"}));
}

TEST(Dispatcher, AHoldKeepsEventsUntilReleased) {
  Recorder r;
  {
    Dispatcher::Hold hold(r.d);
    r.d.post(Named("x"));
    EXPECT_TRUE(r.seen.empty());
    EXPECT_EQ(r.d.pending(), 1u);
  }
  EXPECT_EQ(r.seen, (std::vector<QString>{"x"}));
}

TEST(Dispatcher, ATimerWaitsAtMostOnceButCommandsAreAllKept) {
  Recorder r;
  {
    Dispatcher::Hold hold(r.d);
    for (int i = 0; i < 60; ++i) r.d.post(Event::Timer(TimerId::Backup));
    r.d.post(Event::Timer(TimerId::StatusRefresh));
    for (int i = 0; i < 3; ++i) r.d.post(Event::Command(QString("/load %1").arg(i)));
    r.d.post(Event::Timer(TimerId::Backup));
    EXPECT_EQ(r.d.pending(), 5u);
  }
  EXPECT_EQ(r.seen, (std::vector<QString>{"72", "75", "/load 0", "/load 1", "/load 2"}));
}

TEST(Dispatcher, AfterStopNothingRuns) {
  Recorder r;
  r.inside = [&](const Event&) {
    r.d.post(Named("late"));
    r.d.stop();
  };
  r.d.post(Named("outer"));
  r.d.post(Named("later"));
  EXPECT_EQ(r.seen, (std::vector<QString>{"outer"}));
}

TEST(Dispatcher, AThrowingHandlerDoesNotWedgeTheQueue) {
  Dispatcher d;
  int calls = 0;
  d.setHandler([&](const Event& e) {
    ++calls;
    if (e.object == 1) throw std::runtime_error("boom");
  });
  d.post(Event::Menu(1));
  d.post(Event::Menu(2));
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(d.busy());
}

}  // namespace
}  // namespace vendle
