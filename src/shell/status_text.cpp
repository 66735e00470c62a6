#include "shell/status_text.h"

namespace vendle {

QString FormatFileStatus(qint64 lines, qint64 bytes, bool modified) {
  return QString::number(lines) + QStringLiteral(" lines/ ") + QString::number(bytes) + QStringLiteral(" chars ") +
         (modified ? QStringLiteral(" * Not saved") : QStringLiteral(" - Saved"));
}

QString FormatElapsed(qint64 ms) { return QString::number(ms) + QStringLiteral("mS"); }

Stopwatch::Stopwatch(Clock clock) : clock_(std::move(clock)) {}

Stopwatch::Mark Stopwatch::mark(int selector) {
  Mark m;
  m.now = clock_();
  switch (selector) {
    case 0:
    case -1: slot1_ = m.now; break;
    case -2: slot2_ = m.now; break;
    case 1: m.elapsedText = FormatElapsed(m.now - slot1_); break;
    case 2: m.elapsedText = FormatElapsed(m.now - slot2_); break;
    default: break;
  }
  return m;
}

}  // namespace vendle
