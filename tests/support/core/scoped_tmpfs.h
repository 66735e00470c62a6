// A small tmpfs mounted for one test, to make real full disks and folders
// that take no new file. The tests run as root; where mounting is not
// allowed, mounted() is false and the test skips.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace vendle::test {

class ScopedTmpfs {
 public:
  // `options` as for mount -o, e.g. "size=64k" or "size=1m,nr_inodes=3".
  ScopedTmpfs(const QString& mountPoint, const QByteArray& options) : point_(QFile::encodeName(mountPoint)) {
    QDir().mkpath(mountPoint);
    mounted_ = ::mount("vendle-test", point_.constData(), "tmpfs", 0, options.constData()) == 0;
  }
  ~ScopedTmpfs() {
    if (mounted_) ::umount2(point_.constData(), MNT_DETACH);
  }
  ScopedTmpfs(const ScopedTmpfs&) = delete;
  ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

  bool mounted() const { return mounted_; }

  qint64 freeBytes() const {
    struct statvfs v;
    return ::statvfs(point_.constData(), &v) == 0 ? qint64(v.f_bavail) * qint64(v.f_frsize) : -1;
  }

  // Takes space with a filler file until at most `leave` bytes are free (in
  // whole pages, as tmpfs counts them).
  void fill(qint64 leave = 0) {
    const int fd = ::open((point_ + "/.filler").constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    const QByteArray page(4096, 'f');
    while (freeBytes() > leave) {
      if (::write(fd, page.constData(), size_t(page.size())) <= 0) break;
    }
    ::close(fd);
  }

  // No new file can be made: every inode is taken by fillers.
  void useAllInodes() {
    for (int i = 0;; ++i) {
      const int fd =
          ::open((point_ + "/.inode" + QByteArray::number(i)).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
      if (fd < 0) break;
      ::close(fd);
    }
  }

  bool remountReadOnly() {
    return ::mount(nullptr, point_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  QByteArray point_;
  bool mounted_ = false;
};

}  // namespace vendle::test
