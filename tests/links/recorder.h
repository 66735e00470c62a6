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

}  // namespace vendle::test
