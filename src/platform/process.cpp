#include "platform/process.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vendle {
namespace {

ProcessStartObserver& Observer() {
  static ProcessStartObserver observer;
  return observer;
}

StartOutcome Failed(QString why) { return {false, 0, std::move(why)}; }

// The executable to run, or the reason there is none.
StartOutcome ResolveProgram(const ProcessStart& s, QString* resolved) {
  if (s.program.isEmpty()) return Failed(QStringLiteral("no program is named"));
  if (!s.program.contains(u'/')) {
    *resolved = QStandardPaths::findExecutable(s.program);
    if (resolved->isEmpty()) return Failed(QStringLiteral("\"%1\" was not found on the search path").arg(s.program));
    return {true, 0, {}};
  }
  const QString base = s.workingFolder.isEmpty() ? QDir::currentPath() : s.workingFolder;
  *resolved = QDir::isAbsolutePath(s.program) ? s.program : QDir(base).absoluteFilePath(s.program);
  const QFileInfo info(*resolved);
  if (!info.exists()) return Failed(QStringLiteral("\"%1\" does not exist").arg(*resolved));
  if (info.isDir() || !info.isExecutable())
    return Failed(QStringLiteral("\"%1\" is not an executable file").arg(*resolved));
  return {true, 0, {}};
}

StartOutcome Start(const ProcessStart& s) {
  if (!s.workingFolder.isEmpty() && !QFileInfo(s.workingFolder).isDir())
    return Failed(QStringLiteral("the working folder \"%1\" does not exist").arg(s.workingFolder));
  QString program;
  if (StartOutcome r = ResolveProgram(s, &program); !r.ok) return r;
  QProcess p;
  p.setProgram(program);
  p.setArguments(s.arguments);
  if (!s.workingFolder.isEmpty()) p.setWorkingDirectory(s.workingFolder);
  p.setStandardInputFile(QProcess::nullDevice());
  qint64 pid = 0;
  if (!p.startDetached(&pid)) {
    const QString why = p.errorString();
    return Failed(why.isEmpty() ? QStringLiteral("the program could not be started") : why);
  }
  return {true, pid, {}};
}

}  // namespace

StartOutcome StartDetachedProcess(const ProcessStart& start) {
  StartOutcome r = Start(start);
  if (Observer()) Observer()(start, r);
  return r;
}

void SetProcessStartObserver(ProcessStartObserver observer) { Observer() = std::move(observer); }

}  // namespace vendle
