#include "app_driver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QRandomGenerator>
#include <QTcpServer>
#include <algorithm>
#include <QThread>

namespace vendle::test {

quint16 FreePort() {
  // Below the range the kernel takes client ports from: a port it handed out
  // as free was taken a moment later by a client of a test running beside
  // this one (200 connections each), and the editor then had no control link.
  int low = 32768;
  QFile range(QStringLiteral("/proc/sys/net/ipv4/ip_local_port_range"));
  if (range.open(QIODevice::ReadOnly)) low = std::max(2048, range.readAll().simplified().split(' ').value(0).toInt());
  for (int tries = 0; tries < 200; ++tries) {
    const auto port = static_cast<quint16>(1024 + QRandomGenerator::global()->bounded(low - 1024));
    QTcpServer s;
    if (s.listen(QHostAddress::LocalHost, port)) return port;
  }
  QTcpServer s;
  s.listen(QHostAddress::LocalHost, 0);
  return s.serverPort();
}

QString WithSetting(const QString& prefs, const QString& group, const QString& key, const QString& value) {
  QString text = prefs;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = text.split(u'\n');
  int groupLine = -1;
  for (int i = 0; i < lines.size(); ++i) {
    const QString t = lines[i].trimmed();
    if (t.startsWith(u'[')) {
      if (groupLine >= 0) break;
      if (t.mid(1).section(u']', 0, 0).compare(group, Qt::CaseInsensitive) == 0) groupLine = i;
    } else if (groupLine >= 0 && t.section(u'=', 0, 0).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
      return prefs;
    }
  }
  const QString line = key + " = " + value;
  if (groupLine >= 0) {
    lines.insert(groupLine + 1, line);
    return lines.join(QStringLiteral("\r\n"));
  }
  return prefs + "\r\n[" + group + "]\r\n" + line + "\r\n";
}

AppDriver::AppDriver(DriverOptions options) : options_(std::move(options)) {
  QDir().mkpath(programFolder());
  QDir().mkpath(root() + "home/Documents");
  if (options_.portable) QFile(programFolder() + "portable.inf").open(QIODevice::WriteOnly);
  QDir().mkpath(dataFolder());
  port_ = FreePort();
  QString prefs = WithSetting(options_.preferences, "Network", "Control Port", QString::number(port_));
  // The shipped change log opens as a tab on a fresh install; a test that
  // wants it says "Firmware update = 0".
  prefs = WithSetting(prefs, "Misc Preferences", "Firmware update", "99999999999");
  QFile f(dataFolder() + "Vendle5.inf");
  if (f.open(QIODevice::WriteOnly)) f.write("\xEF\xBB\xBF\r\n" + prefs.toUtf8());
  f.close();
  if (options_.prepare) options_.prepare(dataFolder());

  StartOptions o;
  o.programFolder = programFolder();
  o.programFileName = QStringLiteral("vendle");
  o.arguments = options_.arguments;
  o.workingFolder = root();
  o.knownFolders = {root() + "home/.local/share", root() + "home/Documents", root() + "home"};
  o.lockPath = root() + "Vendle5mutex";
  o.requesters = &requesters_;
  o.showWindow = true;
  app_ = std::make_unique<App>(std::move(o));
  if (options_.start) start();
}

AppDriver::~AppDriver() {
  if (started_ && !shutDown_ && app_) shutDown();
  app_.reset();
  // Let deleteLater() and socket closes run before the next test.
  QCoreApplication::processEvents();
}

QString AppDriver::dataFolder() const {
  return options_.portable ? programFolder() + "Data/" : root() + "home/.local/share/Vendle5/";
}

App::Start AppDriver::start() {
  started_ = true;
  const App::Start r = app_->startUp();
  // Only a running editor shuts down; a second start just ends.
  if (r != App::Start::Running) shutDown_ = true;
  return r;
}

void AppDriver::processEvents(int ms) {
  QDeadlineTimer deadline(ms);
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (ms > 0) QThread::msleep(1);
  } while (!deadline.hasExpired());
}

bool AppDriver::waitFor(const std::function<bool()>& done, int ms) {
  QDeadlineTimer deadline(ms);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(1);
  }
  return true;
}

void AppDriver::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  app_->shutDown();
}

}  // namespace vendle::test
