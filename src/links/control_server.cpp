#include "links/control_server.h"

#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

namespace vendle {
namespace {
// How often the server looks again when the program was not ready.
constexpr int kRetryMs = 20;

QHostAddress AddressOf(const sockaddr_storage& a, quint16* port) {
  if (a.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(a);
    *port = ntohs(v4.sin_port);
    return QHostAddress(ntohl(v4.sin_addr.s_addr));
  }
  if (a.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(a);
    *port = ntohs(v6.sin6_port);
    return QHostAddress(v6.sin6_addr.s6_addr);
  }
  *port = 0;
  return {};
}

// The peer's socket is the one whose own end is our remote end.
SocketEnds PeerEnds(int fd) {
  sockaddr_storage mine{}, theirs{};
  socklen_t n = sizeof mine;
  SocketEnds e;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&mine), &n) == 0) e.remote = AddressOf(mine, &e.remotePort);
  n = sizeof theirs;
  if (::getpeername(fd, reinterpret_cast<sockaddr*>(&theirs), &n) == 0) e.local = AddressOf(theirs, &e.localPort);
  return e;
}
}  // namespace

// Accepts on the server's thread and looks up each peer's owner there and
// then, before anything else can delay it.
class ControlServer::Listener : public QTcpServer {
 public:
  explicit Listener(ControlServer* server) : server_(server) {}

 protected:
  void incomingConnection(qintptr descriptor) override {
    Accepted a;
    a.fd = static_cast<int>(descriptor);
    a.peer = PeerEnds(a.fd);
    if (const PeerOwner owner = server_->peerOwner()) a.owner = owner(a.peer);
    server_->handOver(std::move(a));
  }

 private:
  ControlServer* server_;
};

ControlServer::ControlServer(Ready ready, OnCommand onCommand, OnLog onLog, QObject* parent)
    : QObject(parent),
      ready_(std::move(ready)),
      onCommand_(std::move(onCommand)),
      onLog_(std::move(onLog)),
      ownUid_(::getuid()),
      pumpTimer_(new QTimer(this)),
      idleTimer_(new QTimer(this)) {
  clock_.start();
  peerOwner_ = SocketOwner;
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
  setPeerOwner([paths](const SocketEnds& peer) { return SocketOwnerFromTables(paths, peer); });
}

void ControlServer::setPeerOwner(PeerOwner owner) {
  std::lock_guard lock(ownerMutex_);
  peerOwner_ = std::move(owner);
}

ControlServer::PeerOwner ControlServer::peerOwner() const {
  std::lock_guard lock(ownerMutex_);
  return peerOwner_;
}

bool ControlServer::listen(quint16 port, QString* error) {
  stop();
  thread_ = std::make_unique<QThread>();
  thread_->setObjectName(QStringLiteral("control server"));
  thread_->start();
  listener_ = new Listener(this);
  listener_->moveToThread(thread_.get());
  QString why;
  quint16 bound = 0;
  QMetaObject::invokeMethod(
      listener_,
      [&] {
        // The owner of a client that closed at once is known only until its
        // close is acknowledged: the thread must get a processor at once on a
        // busy machine. Only a privileged editor may raise it; others run as
        // they are.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), -20);
        if (listener_->listen(QHostAddress::LocalHost, port)) bound = listener_->serverPort();
        else why = listener_->errorString();
      },
      Qt::BlockingQueuedConnection);
  if (bound == 0) {
    if (error) *error = why;
    stop();
    return false;
  }
  port_ = bound;
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
  if (listener_) {
    Listener* l = listener_;
    QMetaObject::invokeMethod(l, [l] { delete l; }, Qt::BlockingQueuedConnection);
    listener_ = nullptr;
  }
  if (thread_) {
    thread_->quit();
    thread_->wait();
    thread_.reset();
  }
  port_ = 0;
  std::deque<Accepted> handed;
  {
    std::lock_guard lock(handMutex_);
    handed.swap(handed_);
    acceptScheduled_ = false;
  }
  for (const Accepted& a : handed) ::close(a.fd);
  for (int fd : waitingRoom_) ::close(fd);
  waitingRoom_.clear();
}

QHostAddress ControlServer::address() const {
  return listening() ? QHostAddress(QHostAddress::LocalHost) : QHostAddress();
}

int ControlServer::pendingConnections() const {
  std::lock_guard lock(handMutex_);
  return static_cast<int>(handed_.size() + waitingRoom_.size());
}

qsizetype ControlServer::heldBytes() const {
  qsizetype n = 0;
  for (const auto& [socket, c] : connections_) n += c.framer.held();
  return n;
}

void ControlServer::handOver(Accepted a) {
  bool schedule = false;
  {
    std::lock_guard lock(handMutex_);
    handed_.push_back(std::move(a));
    schedule = !acceptScheduled_;
    acceptScheduled_ = true;
  }
  if (schedule) QMetaObject::invokeMethod(this, &ControlServer::accept, Qt::QueuedConnection);
}

// Reset, so the peer knows it was refused; its bytes are never read.
void ControlServer::refuse(int fd) {
  const linger reset{1, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
  ::close(fd);
}

void ControlServer::accept() {
  std::deque<Accepted> handed;
  {
    std::lock_guard lock(handMutex_);
    handed.swap(handed_);
    acceptScheduled_ = false;
  }
  for (Accepted& a : handed) {
    if (!ownersOnly(a)) {
      refuse(a.fd);
      continue;
    }
    if (static_cast<int>(waitingRoom_.size()) >= kMaxWaitingConnections) {
      log(QStringLiteral("Refused- %1 connections wait already").arg(waitingRoom_.size()));
      refuse(a.fd);
      continue;
    }
    waitingRoom_.push_back(a.fd);
  }
  // In the order they came, as long as there is room.
  while (!waitingRoom_.empty() && (connectionCount() < kMaxConnections || makeRoom())) {
    const int fd = waitingRoom_.front();
    waitingRoom_.pop_front();
    open(fd);
  }
}

bool ControlServer::ownersOnly(const Accepted& a) {
  if (!a.owner) {
    log(QStringLiteral("Refused- a connection from port %1 whose owner is unknown").arg(a.peer.localPort));
    return false;
  }
  if (*a.owner != ownUid_) {
    log(QStringLiteral("Refused- a connection of user %1").arg(*a.owner));
    return false;
  }
  return true;
}

void ControlServer::open(int fd) {
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(fd)) {
    ::close(fd);
    delete socket;
    return;
  }
  socket->setReadBufferSize(kReadAhead);
  connections_.emplace(socket, Connection{CommandFramer(), now(), ++accepted_, false});
  log(QStringLiteral("Connected- ") + socket->peerAddress().toString());
  connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
  connect(socket, &QTcpSocket::disconnected, this, [this, socket] { ended(socket); });
}

// Closes the connection that has been silent longest; one with bytes not
// yet read is never closed.
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

// Bytes not yet read, by Qt or still in the kernel: closing would lose them.
bool ControlServer::waiting(QTcpSocket* socket) const {
  if (socket->bytesAvailable() > 0) return true;
  int inKernel = 0;
  return ::ioctl(static_cast<int>(socket->socketDescriptor()), FIONREAD, &inKernel) == 0 && inKernel > 0;
}

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
    return;
  }
  if (!bytes.isEmpty()) scheduleAccept();
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
  scheduleAccept();
}

// Connections wait for room: look again once one may have been made.
void ControlServer::scheduleAccept() {
  if (waitingRoom_.empty() || drainScheduled_) return;
  drainScheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        drainScheduled_ = false;
        accept();
      },
      Qt::QueuedConnection);
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
