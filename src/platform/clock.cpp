#include "platform/clock.h"

#include <QElapsedTimer>

namespace vendle {

qint64 RunningMilliseconds() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return clock.elapsed();
}

}  // namespace vendle
