#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>

namespace vendle {

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

QString InstanceLock::DefaultLockPath() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
    return QString::fromLocal8Bit(runtime) + "/Vendle5mutex";
  return QDir::tempPath() + QString("/Vendle5mutex-%1").arg(::getuid());
}

InstanceLock::Result InstanceLock::Acquire(const QString& path, std::unique_ptr<InstanceLock>* held) {
  const QByteArray p = QFile::encodeName(path);
  const int fd = ::open(p.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Result::First;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    held->reset(new InstanceLock(fd));
    return Result::First;
  }
  const int err = errno;
  ::close(fd);
  return err == EWOULDBLOCK ? Result::AnotherRunning : Result::First;
}

}  // namespace vendle
