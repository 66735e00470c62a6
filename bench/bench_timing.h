// Timing of the benchmarks.
#pragma once

#include <QElapsedTimer>

#include <functional>

namespace vendle::bench {

// The best of `runs` runs of `f` in milliseconds: the first one also pays
// for the memory it touches.
inline double BestMs(const std::function<void()>& f, int runs = 3) {
  double best = 0;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer t;
    t.start();
    f();
    const double ms = t.nsecsElapsed() / 1e6;
    if (run == 0 || ms < best) best = ms;
  }
  return best;
}

}  // namespace vendle::bench
