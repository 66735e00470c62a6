#include "links/handover.h"

#include <poll.h>
#include <sys/socket.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>
#include <cerrno>
#include <cstring>

#include "links/control_link.h"
#include "platform/instance_lock.h"

namespace vendle {
namespace {

// After our side has ended: 0 when the peer closed in order (it read
// everything), else the error (a reset: refused) or ETIMEDOUT.
int WaitForPeerClose(int fd, int ms) {
  QDeadlineTimer deadline(ms);
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    const int left = static_cast<int>(std::max<qint64>(0, deadline.remainingTime()));
    const int n = ::poll(&p, 1, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ETIMEDOUT;
    char buf[256];
    const ssize_t got = ::recv(fd, buf, sizeof buf, 0);
    if (got == 0) return 0;
    if (got < 0 && errno != EINTR && errno != EAGAIN) return errno;
    // Nothing is ever sent back; anything that is, is skipped.
  }
}

}  // namespace

HandOverResult SendFilesToRunningInstance(const QStringList& files, quint16 port, int retryMs, int takeMs) {
  HandOverResult r;
  QElapsedTimer clock;
  clock.start();
  QTcpSocket socket;
  for (;;) {
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (socket.waitForConnected(1000)) break;
    r.error = socket.errorString();
    socket.abort();
    if (clock.elapsed() >= retryMs) return r;
    QThread::msleep(100);
  }
  const QByteArray message = HandOverMessage(files);
  if (socket.write(message) != message.size()) {
    r.error = socket.errorString();
    return r;
  }
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(3000)) {
      r.error = socket.errorString();
      return r;
    }
  }
  const int fd = static_cast<int>(socket.socketDescriptor());
  ::shutdown(fd, SHUT_WR);
  const int err = WaitForPeerClose(fd, takeMs);
  if (err == 0) {
    r.ok = true;
  } else if (err == ETIMEDOUT) {
    r.error = QStringLiteral("the running Vendle did not take the files within %1 s").arg(takeMs / 1000);
    const linger reset{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
  } else if (err == ECONNRESET) {
    r.error = QStringLiteral("the running Vendle refused the connection");
  } else {
    r.error = QString::fromLocal8Bit(std::strerror(err));
  }
  socket.abort();
  return r;
}

HandOverResult HandOverToRunningInstance(const QStringList& files, const QString& lockPath, int settingPort,
                                         int recordMs) {
  if (settingPort < 1 || settingPort > 65535)
    return {false, QStringLiteral("the setting \"Control Port\" = %1 is outside 1-65535").arg(settingPort)};
  QDeadlineTimer deadline(recordMs);
  LockRecord rec = InstanceLock::ReadRecord(lockPath);
  while (rec.state == LockRecord::State::Starting && !deadline.hasExpired()) {
    QThread::msleep(50);
    rec = InstanceLock::ReadRecord(lockPath);
  }
  switch (rec.state) {
    case LockRecord::State::Starting:
      return {false, QStringLiteral("the running Vendle did not say where it listens (%1)").arg(lockPath)};
    case LockRecord::State::NoLink:
      return {false, QStringLiteral("the running Vendle has no control link")};
    case LockRecord::State::Port: break;
  }
  HandOverResult r = SendFilesToRunningInstance(files, rec.port, 2000);
  if (!r.ok) r.error = QStringLiteral("port %1: %2").arg(rec.port).arg(r.error);
  return r;
}

QString HandOverFailureText(const QStringList& files, const QString& error) {
  QString text = QStringLiteral("Vendle is running already, but could not be reached: %1.").arg(error);
  if (!files.isEmpty()) text += QStringLiteral("\n\nNot opened:\n") + files.join(u'\n');
  return text;
}

QString PortOutOfRangeText(int settingPort, const QString& preferenceFile) {
  return QStringLiteral("\"Control Port\" = %1 is outside 1-65535, so this Vendle has no control link: files opened "
                        "with Vendle while it runs are not handed to it.\nSet \"Control Port\" under [Network] in "
                        "%2 to a port from 1 to 65535.")
      .arg(settingPort)
      .arg(preferenceFile);
}

}  // namespace vendle
