// Starting another program: detached (the editor does not wait for it),
// with an argument vector and a working folder, never through a shell, so
// no argument is ever read as shell text. A watched start also tells, a
// little later and without blocking, whether the program ended at once and
// how. Texts are UTF-16.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace vendle {

struct ProcessStart {
  QString program;        // a path, or a bare name looked up on PATH
  QStringList arguments;  // handed over one by one, as they are
  QString workingFolder;  // empty: the editor's current folder
  bool operator==(const ProcessStart&) const = default;
};

struct StartOutcome {
  bool ok = false;
  qint64 pid = 0;
  QString error;  // why the start failed, for the message
};

// Checks before the start, so a failure has a reason: the working folder
// exists; the program is an executable file (a relative path with a "/" is
// taken from the working folder).
StartOutcome StartDetachedProcess(const ProcessStart& start);

// How a watched program stood when its watch ended.
struct EarlyEnd {
  enum class State { Running, Exited, Killed };
  State state = State::Running;  // Running: still running when the watch ended
  int code = 0;                  // the exit status (Exited) or the signal (Killed)
  QByteArray errorOutput;        // the end of what it wrote to its error output
  bool errorOutputCut = false;   // more was written than errorOutput holds
  bool failed() const { return state == State::Killed || (state == State::Exited && code != 0); }
};

inline constexpr int kWatchMs = 3000;           // how long a start is watched
inline constexpr int kErrorTailBytes = 4096;   // how much of its error output is kept

using EarlyEndHandler = std::function<void(const EarlyEnd&)>;

// Starts like StartDetachedProcess, and watches the program for `watchMs`:
// `onEnd` runs in the event loop of `context`'s thread once the program has
// ended, or once the time is over and it still runs (it is then left to
// run, no longer the editor's child). Never after `context` is destroyed.
// The program's error output goes to an unnamed file, whose end is handed
// over; its standard output stays the editor's. Nothing is left unreaped.
StartOutcome StartWatchedProcess(const ProcessStart& start, QObject* context, EarlyEndHandler onEnd,
                                 int watchMs = kWatchMs);

// Test hooks: called after every start with what was asked and how it went,
// and after every watch has ended (after its handler).
using ProcessStartObserver = std::function<void(const ProcessStart&, const StartOutcome&)>;
void SetProcessStartObserver(ProcessStartObserver observer);
using ProcessWatchObserver = std::function<void(const ProcessStart&, const EarlyEnd&)>;
void SetProcessWatchObserver(ProcessWatchObserver observer);

}  // namespace vendle
