#include "links/handover.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

#include "links/control_link.h"

namespace vendle {

HandOverResult SendFilesToRunningInstance(const QStringList& files, quint16 port, int retryMs) {
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
  socket.disconnectFromHost();
  if (socket.state() != QAbstractSocket::UnconnectedState) socket.waitForDisconnected(1000);
  r.ok = true;
  return r;
}

}  // namespace vendle
