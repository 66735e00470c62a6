// The single-instance rule: the first instance holds an exclusive lock on a
// file named "Vendle5mutex" for its whole life. The kernel frees the lock
// when the process ends in any way, so a crash never leaves a stale lock.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>

namespace vendle {

// What the lock file tells a second start about the first instance's
// control link: nothing yet (it is still starting), the port it really
// listens on, or that it has none.
struct LockRecord {
  enum class State { Starting, Port, NoLink } state = State::Starting;
  quint16 port = 0;
  friend bool operator==(const LockRecord&, const LockRecord&) = default;
};
// "port 6832" + LF, or "none" + LF.
QByteArray FormatLockRecord(std::optional<quint16> port);
// Anything else, a partial line or a port outside 1-65535 reads as Starting.
LockRecord ParseLockRecord(QByteArrayView text);

class InstanceLock {
 public:
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  enum class Result { First, AnotherRunning };
  // Tries to take the lock on the file `lockPath`. Any error other than "held by
  // another process" counts as the first instance (which then holds no lock).
  static Result Acquire(const QString& lockPath, std::unique_ptr<InstanceLock>* held);

  // Writes the record of the control link into the held lock file.
  bool record(std::optional<quint16> port);
  static LockRecord ReadRecord(const QString& lockPath);

  // $XDG_RUNTIME_DIR, else the temp folder with a per-user name.
  static QString DefaultLockPath();

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace vendle
