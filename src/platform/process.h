// Starting another program: detached (the editor does not wait for it),
// with an argument vector and a working folder, never through a shell, so
// no argument is ever read as shell text. Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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

// Test hook: called after every start with what was asked and how it went.
using ProcessStartObserver = std::function<void(const ProcessStart&, const StartOutcome&)>;
void SetProcessStartObserver(ProcessStartObserver observer);

}  // namespace vendle
