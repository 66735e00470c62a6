// The control server: listens on 127.0.0.1 only and frames what each
// connection sends into commands. Commands wait in the server's own queue
// and are handed on from the event loop, one at a time, only when the
// program is ready for one: never inside a socket's signal, a modal
// requester or another command. So no command runs while its connection
// can be deleted, and a connection's end never reaches a running command.
//
// Connections are accepted on a thread of the server's own, which looks up
// each peer's owner at once: a client that sends its command and closes is
// known by the kernel only for a moment after it closed.
//
// Limits against hostile or broken peers: only the user's own processes
// are served; a connection silent for a few seconds is closed; at the cap
// the connection idle longest makes room for a new one; the queue is
// bounded in count and bytes, and past the bound nothing more is read (the
// peers wait: nothing is dropped).
#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "links/control_link.h"
#include "links/socket_owner.h"

class QThread;
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
  // The uid of the peer's socket; nothing when it cannot be found. Called
  // on the server's thread.
  using PeerOwner = std::function<std::optional<uint>(const SocketEnds& peer)>;

  static constexpr int kMaxConnections = 64;
  // Connections of the user accepted while every open one waits for the
  // queue: their bytes wait in the kernel until there is room.
  static constexpr int kMaxWaitingConnections = 1024;
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

  bool listening() const { return port_ != 0; }
  quint16 port() const { return port_; }
  QHostAddress address() const;
  int connectionCount() const { return static_cast<int>(connections_.size()); }
  // Connections admitted since the start.
  quint64 acceptedCount() const { return accepted_; }
  // Bytes held for commands not yet complete, over all connections.
  qsizetype heldBytes() const;
  int queuedCommands() const { return static_cast<int>(queue_.size()); }
  qsizetype queuedBytes() const { return queuedBytes_; }
  bool readingPaused() const { return paused_; }
  // Accepted connections not yet served or refused.
  int pendingConnections() const;

  void setIdleTimeout(int ms);
  // The kernel's socket diagnostics by default; tests name tables of their own.
  void setSocketTables(const QStringList& paths);
  void setPeerOwner(PeerOwner owner);
  // The user whose processes are served (this process's by default).
  void setOwnUid(uint uid) { ownUid_ = uid; }

 private:
  struct Connection {
    CommandFramer framer;
    qint64 lastByteMs = 0;
    quint64 order = 0;
    bool ended = false;  // the peer has closed; bytes may still wait
  };

  class Listener;
  struct Accepted {
    int fd = -1;
    SocketEnds peer;
    std::optional<uint> owner;
  };

  // From the server's thread.
  void handOver(Accepted a);
  PeerOwner peerOwner() const;

  void accept();
  bool ownersOnly(const Accepted& a);
  void open(int fd);
  static void refuse(int fd);
  bool makeRoom();
  void read(QTcpSocket* socket);
  void ended(QTcpSocket* socket);
  void drop(QTcpSocket* socket);
  bool waiting(QTcpSocket* socket) const;  // holds bytes not read yet
  void scheduleAccept();
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
  mutable std::mutex ownerMutex_;
  PeerOwner peerOwner_;
  uint ownUid_;
  int idleTimeoutMs_ = kIdleTimeoutMs;
  std::unique_ptr<QThread> thread_;
  Listener* listener_ = nullptr;  // lives on thread_
  quint16 port_ = 0;
  mutable std::mutex handMutex_;
  std::deque<Accepted> handed_;     // from the thread, not yet looked at
  bool acceptScheduled_ = false;    // under handMutex_
  std::deque<int> waitingRoom_;     // the user's, waiting for room
  bool drainScheduled_ = false;
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
