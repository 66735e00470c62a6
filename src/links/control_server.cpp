#include "links/control_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace vendle {

ControlServer::ControlServer(OnCommand onCommand, OnLog onLog, QObject* parent)
    : QObject(parent), onCommand_(std::move(onCommand)), onLog_(std::move(onLog)) {}

ControlServer::~ControlServer() { stop(); }

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
  return true;
}

void ControlServer::stop() {
  if (server_) {
    server_->close();
    server_.reset();
  }
  auto open = std::move(connections_);
  connections_.clear();
  for (auto& [socket, framer] : open) {
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
  }
}

bool ControlServer::listening() const { return server_ && server_->isListening(); }

qsizetype ControlServer::heldBytes() const {
  qsizetype n = 0;
  for (const auto& [socket, framer] : connections_) n += framer.held();
  return n;
}

quint16 ControlServer::port() const { return server_ ? server_->serverPort() : 0; }

void ControlServer::accept() {
  while (server_ && server_->hasPendingConnections()) {
    QTcpSocket* socket = server_->nextPendingConnection();
    if (!socket) break;
    if (connectionCount() >= kMaxConnections) {
      if (onLog_) onLog_(QStringLiteral("Refused- too many connections"));
      socket->abort();
      socket->deleteLater();
      continue;
    }
    connections_.emplace(socket, CommandFramer());
    if (onLog_) onLog_(QStringLiteral("Connected- ") + socket->peerAddress().toString());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      read(socket);
      if (onLog_) onLog_(QStringLiteral("Disconnected"));
      drop(socket);
    });
  }
}

void ControlServer::read(QTcpSocket* socket) {
  auto it = connections_.find(socket);
  if (it == connections_.end()) return;
  const QByteArray bytes = socket->readAll();
  if (bytes.isEmpty()) return;
  QString command;
  switch (it->second.feed(bytes, &command)) {
    case CommandFramer::Result::Command:
      if (onCommand_) onCommand_(command);
      break;
    case CommandFramer::Result::Overflow:
      if (onLog_) onLog_(QStringLiteral("Dropped- a command longer than 1 MiB"));
      drop(socket);
      break;
    case CommandFramer::Result::Nothing:
      break;
  }
}

void ControlServer::drop(QTcpSocket* socket) {
  if (connections_.erase(socket) == 0) return;
  socket->disconnect(this);
  socket->abort();
  socket->deleteLater();
}

}  // namespace vendle
