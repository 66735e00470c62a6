// The control server: listens on 127.0.0.1 only and frames what each
// connection sends into commands. Commands wait in the server's own queue
// and are handed on from the event loop, one at a time, only when the
// program is ready for one: never inside a socket's signal, a modal
// requester or another command. So no command runs while its connection
// can be deleted, and a connection's end never reaches a running command.
//
// Limits against hostile or broken peers: only the user's own processes
// are served; a connection silent for a few seconds is closed; at the cap
// the connection idle longest makes room for a new one; the queue is
// bounded in count and bytes, and past the bound nothing more is read (the
// peers wait: nothing is dropped).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "links/control_link.h"
#include "links/socket_owner.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace vendle {

class ControlServer : public QObject {
 public:
  // True when a command may run now.
  using Ready = std::function<bool()>;
  // Runs one command to its end.
  using OnCommand = std::function<void(const QString& command)>;
  using OnLog = std::function<void(const QString& line)>;
  // The uid of the peer's socket; nothing when it cannot be found.
  using PeerOwner = std::function<std::optional<uint>(const SocketEnds& peer)>;

  static constexpr int kMaxConnections = 64;
  static constexpr int kMaxQueued = 32;
  static constexpr qsizetype kMaxQueuedBytes = 4 << 20;
  static constexpr int kIdleTimeoutMs = 5000;
  // What Qt reads ahead per connection while its bytes are not taken.
  static constexpr qsizetype kReadAhead = 64 << 10;

  ControlServer(Ready ready, OnCommand onCommand, OnLog onLog, QObject* parent = nullptr);
  ~ControlServer() override;

  // False with the reason when the port cannot be bound.
  bool listen(quint16 port, QString* error);
  void stop();

  bool listening() const;
  quint16 port() const;
  int connectionCount() const { return static_cast<int>(connections_.size()); }
  // Connections admitted since the start.
  quint64 acceptedCount() const { return accepted_; }
  // Bytes held for commands not yet complete, over all connections.
  qsizetype heldBytes() const;
  int queuedCommands() const { return static_cast<int>(queue_.size()); }
  qsizetype queuedBytes() const { return queuedBytes_; }
  bool readingPaused() const { return paused_; }
  const QTcpServer* server() const { return server_.get(); }

  void setIdleTimeout(int ms);
  // The kernel's socket tables by default; tests name their own.
  void setSocketTables(const QStringList& paths);
  void setPeerOwner(PeerOwner owner) { peerOwner_ = std::move(owner); }
  // The user whose processes are served (this process's by default).
  void setOwnUid(uint uid) { ownUid_ = uid; }

 private:
  struct Connection {
    CommandFramer framer;
    qint64 lastByteMs = 0;
    quint64 order = 0;
    bool ended = false;  // the peer has closed; bytes may still wait
  };

  void accept();
  bool admit(QTcpSocket* socket);
  bool makeRoom();
  void read(QTcpSocket* socket);
  void ended(QTcpSocket* socket);
  void drop(QTcpSocket* socket);
  bool waiting(QTcpSocket* socket) const;  // holds bytes not read for back-pressure
  void enqueue(QString command);
  void schedulePump(int delayMs = 0);
  void pump();
  void resumeReading();
  void checkIdle();
  qint64 now() const { return clock_.elapsed(); }
  void log(const QString& line) const {
    if (onLog_) onLog_(line);
  }

  Ready ready_;
  OnCommand onCommand_;
  OnLog onLog_;
  PeerOwner peerOwner_;
  uint ownUid_;
  int idleTimeoutMs_ = kIdleTimeoutMs;
  std::unique_ptr<QTcpServer> server_;
  std::map<QTcpSocket*, Connection> connections_;
  quint64 accepted_ = 0;
  std::deque<QString> queue_;
  qsizetype queuedBytes_ = 0;
  bool paused_ = false;
  bool pumpScheduled_ = false;
  QTimer* pumpTimer_;
  QTimer* idleTimer_;
  QElapsedTimer clock_;
};

}  // namespace vendle
