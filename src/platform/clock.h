// The program's running clock: milliseconds since its first use. Due times
// (backups) use it; calendar names (backup files, snapshots) use local time.
#pragma once

#include <QtGlobal>

namespace vendle {

qint64 RunningMilliseconds();
inline qint64 RunningSeconds() { return RunningMilliseconds() / 1000; }

}  // namespace vendle
