#include "platform/file_io.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/unique_fd.h"

namespace vendle {
namespace {

std::mutex g_faultMutex;
FileFault g_fault;

bool Faulted(const QString& path, const QString& resolved, FileFault::Step step, FileFault* out = nullptr) {
  std::lock_guard lock(g_faultMutex);
  if (g_fault.step != step) return false;
  if (!g_fault.path.isEmpty() && g_fault.path != path && g_fault.path != resolved) return false;
  if (out) *out = g_fault;
  return true;
}

QString ErrnoText(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

QByteArray Native(const QString& path) { return QFile::encodeName(path); }
QString FromNative(const QByteArray& path) { return QFile::decodeName(path); }

QString KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("It is a folder, not a file.");
  if (S_ISFIFO(mode)) return QStringLiteral("It is a pipe (FIFO), not a file.");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("It is a device, not a file.");
  if (S_ISSOCK(mode)) return QStringLiteral("It is a socket, not a file.");
  return QStringLiteral("It is not a regular file.");
}

QString MegabytesText(qint64 bytes) { return QString::number(bytes >> 20) + QStringLiteral(" MB"); }

// The file a path finally names: every symlink followed, relative links
// against the folder of the link. A dangling link gives the path it names,
// so the save creates that file. Empty when the links loop.
QByteArray FollowLinks(QByteArray path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer - 1);
    if (n < 0) return path;
    QByteArray target(buffer, n);
    if (!target.startsWith('/')) {
      const qsizetype slash = path.lastIndexOf('/');
      target = (slash < 0 ? QByteArray() : path.left(slash + 1)) + target;
    }
    path = target;
  }
  return {};
}

bool WriteAll(int fd, const char* data, qint64 size, qint64 failAfter, int& error) {
  qint64 done = 0;
  while (done < size) {
    qint64 n = std::min<qint64>(size - done, qint64(1) << 30);
    if (failAfter >= 0) {
      n = std::min(n, failAfter - done);
      if (n <= 0) {
        error = ENOSPC;
        return false;
      }
    }
    const ssize_t w = ::write(fd, data + done, size_t(n));
    if (w < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    if (w == 0) {
      error = ENOSPC;
      return false;
    }
    done += w;
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void SetFileFault(const FileFault& fault) {
  std::lock_guard lock(g_faultMutex);
  g_fault = fault;
}

void ClearFileFault() { SetFileFault({}); }

QString NotARegularFileReason(const QString& path) {
  struct stat st;
  if (::stat(Native(path).constData(), &st) != 0 || S_ISREG(st.st_mode)) return {};
  return KindOf(st.st_mode);
}

ReadResult ReadWholeFile(const QString& path, qint64 limit) {
  ReadResult r;
  const QByteArray native = Native(path);
  // Without O_NONBLOCK a FIFO with no writer blocks the open for ever.
  const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    const int e = errno;
    r.exists = e != ENOENT && e != ENOTDIR;
    r.error = ErrnoText(e);
    return r;
  }
  UniqueFd file(fd);
  r.exists = true;
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    r.error = ErrnoText(errno);
    return r;
  }
  if (!S_ISREG(st.st_mode)) {
    r.refused = true;
    r.error = KindOf(st.st_mode);
    return r;
  }
  const auto tooLarge = [&] {
    r.refused = true;
    r.error = QStringLiteral("The file is larger than %1.").arg(MegabytesText(limit));
    r.bytes.clear();
    return r;
  };
  if (st.st_size > limit) return tooLarge();
  if (Faulted(path, path, FileFault::Step::Read)) {
    r.error = ErrnoText(EIO);
    return r;
  }
  // The size may change while reading: read until the end, never past the limit.
  r.bytes.resize(qsizetype(st.st_size));
  qint64 done = 0;
  char more[65536];
  for (;;) {
    const bool inPlace = done < r.bytes.size();
    char* into = inPlace ? r.bytes.data() + done : more;
    const size_t room = inPlace ? size_t(r.bytes.size() - done) : sizeof more;
    const ssize_t n = ::read(fd, into, room);
    if (n < 0) {
      if (errno == EINTR) continue;
      r.error = ErrnoText(errno);
      r.bytes.clear();
      return r;
    }
    if (n == 0) break;
    if (!inPlace) {
      if (done + n > limit) return tooLarge();
      r.bytes.append(more, n);
    }
    done += n;
  }
  r.bytes.resize(qsizetype(done));
  r.ok = true;
  return r;
}

WriteResult WriteFileSafely(const QString& path, QByteArrayView bytes) {
  WriteResult r;
  const QByteArray target = FollowLinks(Native(path));
  if (target.isEmpty()) {
    r.error = ErrnoText(ELOOP);
    return r;
  }
  const QString resolved = FromNative(target);

  struct stat st;
  const bool exists = ::stat(target.constData(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    r.error = KindOf(st.st_mode) + QStringLiteral(" It was not replaced.");
    return r;
  }

  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
  // Short enough that the temporary name fits where the target's does.
  const QByteArray name = (slash < 0 ? target : target.mid(slash + 1)).left(200);
  QByteArray temporary = (slash < 0 ? QByteArray() : target.left(slash + 1)) + '.' + name + ".XXXXXX";

  int fd = -1;
  if (Faulted(path, resolved, FileFault::Step::Open)) errno = EACCES;
  else fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    r.error = QStringLiteral("No temporary file can be made in %1: %2. The file was not changed.")
                  .arg(FromNative(folder), ErrnoText(errno));
    return r;
  }
  UniqueFd file(fd);
  const auto fail = [&](const QString& why) {
    ::unlink(temporary.constData());
    r.error = why;
    return r;
  };

  // The new file keeps the old one's permissions and owner.
  if (exists) {
    ::fchmod(fd, st.st_mode & 07777);
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) ::fchmod(fd, st.st_mode & 0777);
  } else {
    ::fchmod(fd, NewFileMode());
  }

  FileFault fault;
  const qint64 failAfter = Faulted(path, resolved, FileFault::Step::Write, &fault) ? fault.failAfterBytes : -1;
  int error = 0;
  if (!WriteAll(fd, bytes.data(), bytes.size(), failAfter, error)) return fail(ErrnoText(error));
  if (Faulted(path, resolved, FileFault::Step::Sync)) return fail(ErrnoText(EIO));
  // A file system that cannot sync a file says so with EINVAL; any other
  // error means the bytes may not be on the disk.
  if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) return fail(ErrnoText(errno));
  if (!file.close()) return fail(ErrnoText(errno));
  if (Faulted(path, resolved, FileFault::Step::Commit)) return fail(ErrnoText(EBUSY));
  if (::rename(temporary.constData(), target.constData()) != 0) return fail(ErrnoText(errno));
  // The rename itself reaches the disk with the folder.
  if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  r.ok = true;
  return r;
}

}  // namespace vendle
