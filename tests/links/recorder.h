// Stand-in programs for the start tests: /bin/sh scripts that record the
// folder they run in and every argument they receive, NUL-separated, into a
// file that appears only when it is complete.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QThread>
#include <unistd.h>

#include <vector>

#include "platform/process.h"

namespace vendle::test {

struct Received {
  bool arrived = false;
  QString folder;  // the working folder, links resolved
  QStringList arguments;
};

// Writes a script at `path` that records into `out`; executable when asked.
inline void WriteRecorder(const QString& path, const QString& out, bool executable = true) {
  QFile f(path);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write("#!/bin/sh\n");
  f.write(("out='" + out + "'\n").toUtf8());
  f.write("printf '%s\\0' \"$(pwd -P)\" \"$@\" > \"$out.part\" && mv \"$out.part\" \"$out\"\n");
  f.close();
  QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
  if (executable) p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
  QFile::setPermissions(path, p);
}

// Waits (a generous bound, not a measurement) for the record of a started program.
inline Received WaitForRecord(const QString& out, int ms = 20000) {
  QDeadlineTimer deadline(ms);
  while (!QFile::exists(out) && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  Received r;
  QFile f(out);
  if (!f.open(QIODevice::ReadOnly)) return r;
  QList<QByteArray> parts = f.readAll().split('\0');
  if (!parts.isEmpty() && parts.back().isEmpty()) parts.removeLast();
  if (parts.isEmpty()) return r;
  r.arrived = true;
  r.folder = QString::fromUtf8(parts.takeFirst());
  for (const QByteArray& a : parts) r.arguments << QString::fromUtf8(a);
  return r;
}

inline QString Canonical(const QString& folder) { return QDir(folder).canonicalPath(); }

// A script file for /bin/sh: `body` after the "#!" line, executable.
inline QString WriteScript(const QString& path, const QByteArray& body) {
  QFile f(path);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write("#!/bin/sh\n" + body + "\n");
  f.close();
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

// The parent process of `pid` as /proc tells it, 0 when it is gone.
inline qint64 ParentOf(qint64 pid) {
  QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QByteArray stat = f.readAll();
  // "pid (name) state ppid ...": the name may hold blanks and brackets.
  const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
  return rest.size() > 1 ? rest[1].toLongLong() : 0;
}

// Children of this process that ended and were not reaped.
inline int ZombieChildren() {
  int n = 0;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool number = false;
    const qint64 pid = entry.toLongLong(&number);
    if (!number) continue;
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (rest.size() > 1 && rest[0] == "Z" && rest[1].toLongLong() == ::getpid()) ++n;
  }
  return n;
}

// Waits (a generous bound) until no ended child is left unreaped: none seen
// in 20 checks in a row while the loop runs. A watcher may end just after a
// check found none and is reaped a moment later; one never reaped is seen
// at every check until the bound.
inline bool NoZombieChildren(int ms = 20000) {
  QDeadlineTimer deadline(ms);
  for (int clear = 0; !deadline.hasExpired();) {
    clear = ZombieChildren() == 0 ? clear + 1 : 0;
    if (clear >= 20) return true;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  return false;
}

// Records every watch that ends, for the length of a test.
class WatchLog {
 public:
  WatchLog() {
    SetProcessWatchObserver([this](const ProcessStart& s, const EarlyEnd& e) { ends.push_back({s, e}); });
  }
  ~WatchLog() { SetProcessWatchObserver({}); }
  WatchLog(const WatchLog&) = delete;
  WatchLog& operator=(const WatchLog&) = delete;
  // Waits (a generous bound) for `count` watches to have ended.
  bool waitFor(std::size_t count, int ms = 30000) {
    QDeadlineTimer deadline(ms);
    while (ends.size() < count && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(5);
    }
    return ends.size() >= count;
  }
  std::vector<std::pair<ProcessStart, EarlyEnd>> ends;
};

}  // namespace vendle::test
