#include "editor_process.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

#include "app_driver.h"

namespace vendle::test {

EditorSandbox::EditorSandbox(const QString& preferences, const QString& executable) {
  QDir().mkpath(dataFolder());
  QDir().mkpath(root() + "run");
  QFile::setPermissions(root() + "run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString exe = programFolder() + "vendle";
  const QString from = executable.isEmpty() ? QStringLiteral(VENDLE_EXECUTABLE) : executable;
  // A hard link is instant; a copy when the folders are on different file systems.
  if (::link(QFile::encodeName(from).constData(), QFile::encodeName(exe).constData()) != 0) QFile::copy(from, exe);
  QFile(programFolder() + "portable.inf").open(QIODevice::WriteOnly);
  port_ = FreePort();
  QFile inf(dataFolder() + "Vendle5.inf");
  inf.open(QIODevice::WriteOnly);
  QString prefs = WithSetting(preferences, "Misc Preferences", "Confirm before Exit", "0");
  prefs = WithSetting(prefs, "Network", "Control Port", QString::number(port_));
  prefs = WithSetting(prefs, "Misc Preferences", "Firmware update", "99999999999");  // the change log stays closed
  inf.write("\xEF\xBB\xBF\r\n" + prefs.toUtf8());
}

std::unique_ptr<QProcess> EditorSandbox::start(const QStringList& args, const QString& workingFolder) const {
  return launch(args, workingFolder, false);
}

std::unique_ptr<QProcess> EditorSandbox::startReadingErrors(const QStringList& args) const {
  return launch(args, QString(), true);
}

std::unique_ptr<QProcess> EditorSandbox::launch(const QStringList& args, const QString& workingFolder,
                                                bool readErrors) const {
  auto p = std::make_unique<QProcess>();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_RUNTIME_DIR", root() + "run");
  p->setProcessEnvironment(env);
  p->setWorkingDirectory(workingFolder.isEmpty() ? root() : workingFolder);
  if (!readErrors) p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p->start(programFolder() + "vendle", args);
  p->waitForStarted(10000);
  return p;
}

QByteArray ReadErrorsUntil(QProcess& p, const QByteArray& text, int ms) {
  QByteArray err;
  QDeadlineTimer deadline(ms);
  while (!err.contains(text) && !deadline.hasExpired()) {
    p.waitForReadyRead(100);
    err += p.readAllStandardError();
  }
  return err;
}

bool EditorSandbox::waitUntilListening(int ms) const {
  QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port_);
    if (s.waitForConnected(100)) {
      s.disconnectFromHost();
      return true;
    }
    QThread::msleep(20);
  }
  return false;
}

QString EditorSandbox::readPreferences() const {
  QFile f(dataFolder() + "Vendle5.inf");
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace vendle::test
