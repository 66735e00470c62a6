#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>

#include "platform/text_lines.h"

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
    // A record left by an instance that has ended means nothing now.
    if (::ftruncate(fd, 0) != 0) {}
    held->reset(new InstanceLock(fd));
    return Result::First;
  }
  const int err = errno;
  ::close(fd);
  return err == EWOULDBLOCK ? Result::AnotherRunning : Result::First;
}

QByteArray FormatLockRecord(std::optional<quint16> port) {
  if (!port || *port == 0) return QByteArrayLiteral("none\n");
  return "port " + QByteArray::number(*port) + '\n';
}

LockRecord ParseLockRecord(QByteArrayView text) {
  // Only a whole line counts: the writer may be half way.
  if (!EndsWithLineEnd(text)) return {};
  const QByteArray line = text.toByteArray().trimmed();
  if (line == "none") return {LockRecord::State::NoLink, 0};
  if (!line.startsWith("port ")) return {};
  bool ok = false;
  const uint port = line.mid(5).toUInt(&ok);
  if (!ok || port < 1 || port > 65535) return {};
  return {LockRecord::State::Port, static_cast<quint16>(port)};
}

bool InstanceLock::record(std::optional<quint16> port) {
  const QByteArray text = FormatLockRecord(port);
  if (::ftruncate(fd_, 0) != 0) return false;
  return ::pwrite(fd_, text.constData(), static_cast<size_t>(text.size()), 0) == text.size();
}

LockRecord InstanceLock::ReadRecord(const QString& lockPath) {
  QFile f(lockPath);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return ParseLockRecord(f.read(64));
}

}  // namespace vendle
