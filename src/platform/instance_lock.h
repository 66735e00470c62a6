// The single-instance rule: the first instance holds an exclusive lock on a
// file named "Vendle5mutex" for its whole life. The kernel frees the lock
// when the process ends in any way, so a crash never leaves a stale lock.
#pragma once

#include <QString>
#include <memory>

namespace vendle {

class InstanceLock {
 public:
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  enum class Result { First, AnotherRunning };
  // Tries to take the lock on the file `lockPath`. Any error other than "held by
  // another process" counts as the first instance (which then holds no lock).
  static Result Acquire(const QString& lockPath, std::unique_ptr<InstanceLock>* held);

  // $XDG_RUNTIME_DIR, else the temp folder with a per-user name.
  static QString DefaultLockPath();

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace vendle
