// The control server: listens on 127.0.0.1 only, frames what each connection
// sends into commands and hands every command to `onCommand`, which posts it
// to the event loop (so it runs on the GUI thread, one at a time, never
// inside a modal requester or another command). Event-driven on the GUI
// thread: no thread, no semaphore, nothing to kill at exit.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "links/control_link.h"

class QTcpServer;
class QTcpSocket;

namespace vendle {

class ControlServer : public QObject {
 public:
  using OnCommand = std::function<void(const QString& command)>;
  using OnLog = std::function<void(const QString& line)>;

  static constexpr int kMaxConnections = 64;

  ControlServer(OnCommand onCommand, OnLog onLog, QObject* parent = nullptr);
  ~ControlServer() override;

  // False with the reason when the port cannot be bound.
  bool listen(quint16 port, QString* error);
  void stop();

  bool listening() const;
  quint16 port() const;
  int connectionCount() const { return static_cast<int>(connections_.size()); }
  // Bytes held for commands not yet complete, over all connections.
  qsizetype heldBytes() const;
  const QTcpServer* server() const { return server_.get(); }

 private:
  void accept();
  void read(QTcpSocket* socket);
  void drop(QTcpSocket* socket);

  OnCommand onCommand_;
  OnLog onLog_;
  std::unique_ptr<QTcpServer> server_;
  std::map<QTcpSocket*, CommandFramer> connections_;
};

}  // namespace vendle
