// The texts of the main window's status bar that are computed: the file
// state of field 1 and the stopwatch of the long commands for field 0.
// Texts are UTF-16.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace vendle {

// Field 1: line count + " lines/ " + length + " chars " + " * Not saved" or
// " - Saved" (so two blanks before the state). `bytes` counts the editor's
// UTF-8 text.
QString FormatFileStatus(qint64 lines, qint64 bytes, bool modified);

// Field 0: the milliseconds followed by "mS".
QString FormatElapsed(qint64 ms);

// Two slots holding a millisecond clock value. mark(0) and mark(-1) start
// slot 1, mark(-2) slot 2; mark(1) and mark(2) give the milliseconds since
// slot 1 or 2 as the field 0 text. Any other selector only reads the clock.
class Stopwatch {
 public:
  using Clock = std::function<qint64()>;

  explicit Stopwatch(Clock clock);

  struct Mark {
    qint64 now = 0;
    std::optional<QString> elapsedText;  // set for selectors 1 and 2
  };
  Mark mark(int selector);

 private:
  Clock clock_;
  qint64 slot1_ = 0;
  qint64 slot2_ = 0;
};

}  // namespace vendle
