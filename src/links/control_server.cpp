#include "links/control_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace vendle {
namespace {
// How often the server looks again when the program was not ready.
constexpr int kRetryMs = 20;
}  // namespace

ControlServer::ControlServer(Ready ready, OnCommand onCommand, OnLog onLog, QObject* parent)
    : QObject(parent),
      ready_(std::move(ready)),
      onCommand_(std::move(onCommand)),
      onLog_(std::move(onLog)),
      ownUid_(::getuid()),
      pumpTimer_(new QTimer(this)),
      idleTimer_(new QTimer(this)) {
  clock_.start();
  setSocketTables(DefaultSocketTables());
  pumpTimer_->setSingleShot(true);
  connect(pumpTimer_, &QTimer::timeout, this, &ControlServer::pump);
  idleTimer_->setInterval(idleTimeoutMs_ / 4);
  connect(idleTimer_, &QTimer::timeout, this, &ControlServer::checkIdle);
}

ControlServer::~ControlServer() { stop(); }

void ControlServer::setIdleTimeout(int ms) {
  idleTimeoutMs_ = std::max(1, ms);
  idleTimer_->setInterval(std::max(1, idleTimeoutMs_ / 4));
}

void ControlServer::setSocketTables(const QStringList& paths) {
  peerOwner_ = [paths](const SocketEnds& peer) { return SocketOwnerFromTables(paths, peer); };
}

bool ControlServer::listen(quint16 port, QString* error) {
  stop();
  server_ = std::make_unique<QTcpServer>();
  server_->setMaxPendingConnections(kMaxConnections);
  if (!server_->listen(QHostAddress::LocalHost, port)) {
    if (error) *error = server_->errorString();
    server_.reset();
    return false;
  }
  connect(server_.get(), &QTcpServer::newConnection, this, &ControlServer::accept);
  idleTimer_->start();
  return true;
}

void ControlServer::stop() {
  idleTimer_->stop();
  pumpTimer_->stop();
  pumpScheduled_ = false;
  queue_.clear();
  queuedBytes_ = 0;
  paused_ = false;
  // The sockets are the server's children: let go of them before it goes.
  auto open = std::move(connections_);
  connections_.clear();
  for (auto& [socket, c] : open) {
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
  }
  if (server_) {
    server_->close();
    server_.reset();
  }
}

bool ControlServer::listening() const { return server_ && server_->isListening(); }

qsizetype ControlServer::heldBytes() const {
  qsizetype n = 0;
  for (const auto& [socket, c] : connections_) n += c.framer.held();
  return n;
}

quint16 ControlServer::port() const { return server_ ? server_->serverPort() : 0; }

void ControlServer::accept() {
  while (server_ && server_->hasPendingConnections()) {
    QTcpSocket* socket = server_->nextPendingConnection();
    if (!socket) break;
    if (!admit(socket)) {
      // Reset, so the peer knows it was refused; its bytes are never read.
      const linger reset{1, 0};
      ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
      socket->abort();
      socket->deleteLater();
      continue;
    }
    socket->setReadBufferSize(kReadAhead);
    connections_.emplace(socket, Connection{CommandFramer(), now(), ++accepted_, false});
    log(QStringLiteral("Connected- ") + socket->peerAddress().toString());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { ended(socket); });
    // Bytes that came with the connection.
    if (socket->bytesAvailable() > 0) read(socket);
  }
}

bool ControlServer::admit(QTcpSocket* socket) {
  // The peer's socket is the one whose own end is our remote end.
  const SocketEnds peer{socket->peerAddress(), socket->peerPort(), socket->localAddress(), socket->localPort()};
  const std::optional<uint> uid = peerOwner_ ? peerOwner_(peer) : std::nullopt;
  if (!uid) {
    log(QStringLiteral("Refused- a connection from port %1 whose owner is unknown").arg(peer.localPort));
    return false;
  }
  if (*uid != ownUid_) {
    log(QStringLiteral("Refused- a connection of user %1").arg(*uid));
    return false;
  }
  if (connectionCount() >= kMaxConnections && !makeRoom()) {
    log(QStringLiteral("Refused- too many connections"));
    return false;
  }
  return true;
}

// Closes the connection that has been silent longest; one whose bytes wait
// for the queue is never closed.
bool ControlServer::makeRoom() {
  QTcpSocket* oldest = nullptr;
  const Connection* best = nullptr;
  for (const auto& [socket, c] : connections_) {
    if (waiting(socket)) continue;
    if (!best || c.lastByteMs < best->lastByteMs || (c.lastByteMs == best->lastByteMs && c.order < best->order)) {
      best = &c;
      oldest = socket;
    }
  }
  if (!oldest) return false;
  log(QStringLiteral("Closed- the connection silent longest, for a new one"));
  drop(oldest);
  return true;
}

bool ControlServer::waiting(QTcpSocket* socket) const { return paused_ && socket->bytesAvailable() > 0; }

void ControlServer::read(QTcpSocket* socket) {
  auto it = connections_.find(socket);
  if (it == connections_.end()) return;
  // Back-pressure: while paused the bytes stay with the socket and the kernel.
  const QByteArray bytes = paused_ ? QByteArray() : socket->readAll();
  if (!bytes.isEmpty()) {
    it->second.lastByteMs = now();
    QString command;
    switch (it->second.framer.feed(bytes, &command)) {
      case CommandFramer::Result::Command:
        enqueue(std::move(command));
        break;
      case CommandFramer::Result::Overflow:
        log(QStringLiteral("Dropped- a command longer than 1 MiB"));
        drop(socket);
        return;
      case CommandFramer::Result::Nothing:
        break;
    }
  }
  if (it->second.ended && socket->bytesAvailable() == 0) {
    log(QStringLiteral("Disconnected"));
    drop(socket);
  }
}

void ControlServer::ended(QTcpSocket* socket) {
  auto it = connections_.find(socket);
  if (it == connections_.end()) return;
  it->second.ended = true;
  read(socket);  // drops it once its last bytes are taken
}

void ControlServer::drop(QTcpSocket* socket) {
  if (connections_.erase(socket) == 0) return;
  socket->disconnect(this);
  socket->abort();
  socket->deleteLater();
}

void ControlServer::enqueue(QString command) {
  queuedBytes_ += command.size() * qsizetype(sizeof(QChar));
  queue_.push_back(std::move(command));
  if (queuedCommands() >= kMaxQueued || queuedBytes_ >= kMaxQueuedBytes) {
    if (!paused_) log(QStringLiteral("Waiting- %1 commands queued, reading paused").arg(queuedCommands()));
    paused_ = true;
  }
  schedulePump();
}

void ControlServer::schedulePump(int delayMs) {
  if (pumpScheduled_ && delayMs > 0) return;
  pumpScheduled_ = true;
  pumpTimer_->start(delayMs);
}

void ControlServer::pump() {
  pumpScheduled_ = false;
  if (queue_.empty()) return;
  if (ready_ && !ready_()) {
    schedulePump(kRetryMs);
    return;
  }
  QString command = std::move(queue_.front());
  queue_.pop_front();
  queuedBytes_ -= command.size() * qsizetype(sizeof(QChar));
  if (paused_ && queuedCommands() < kMaxQueued && queuedBytes_ < kMaxQueuedBytes) {
    paused_ = false;
    QTimer::singleShot(0, this, &ControlServer::resumeReading);
  }
  if (!queue_.empty()) schedulePump();
  // Nothing of this server is touched after the command: it may end the
  // program and the server with it.
  const OnCommand run = onCommand_;
  if (run) run(command);
}

void ControlServer::resumeReading() {
  std::vector<QTcpSocket*> sockets;
  for (const auto& [socket, c] : connections_)
    if (socket->bytesAvailable() > 0 || c.ended) sockets.push_back(socket);
  for (QTcpSocket* s : sockets) {
    if (paused_) return;
    if (connections_.count(s)) read(s);
  }
}

void ControlServer::checkIdle() {
  const qint64 t = now();
  std::vector<QTcpSocket*> silent;
  for (const auto& [socket, c] : connections_)
    if (t - c.lastByteMs >= idleTimeoutMs_ && !waiting(socket)) silent.push_back(socket);
  for (QTcpSocket* s : silent) {
    log(QStringLiteral("Timed out- a connection silent for %1 ms").arg(t - connections_[s].lastByteMs));
    drop(s);
  }
}

}  // namespace vendle
