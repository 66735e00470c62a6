// Watches a folder for files another process has read: each close of a file
// opened for reading is an event, so a test can wait for a running editor to
// have read its files instead of sleeping.
#pragma once

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>

#include <QDeadlineTimer>
#include <QSet>
#include <QString>
#include <QStringList>

namespace vendle::test {

class FileReads {
 public:
  explicit FileReads(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0) inotify_add_watch(fd_, folder.toLocal8Bit().constData(), IN_CLOSE_NOWRITE);
  }
  ~FileReads() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileReads(const FileReads&) = delete;
  FileReads& operator=(const FileReads&) = delete;

  // True once every one of `names` has been read and closed, within `ms`.
  bool waitFor(const QStringList& names, int ms = 15000) {
    QDeadlineTimer deadline(ms);
    while (!contains(names)) {
      if (fd_ < 0 || deadline.hasExpired()) return false;
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(std::min<qint64>(deadline.remainingTime(), 100))) > 0) drain();
    }
    return true;
  }

 private:
  bool contains(const QStringList& names) const {
    for (const QString& n : names)
      if (!read_.contains(n)) return false;
    return true;
  }
  void drain() {
    alignas(inotify_event) char buf[4096];
    for (;;) {
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n <= 0) return;
      for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
        if (e->len > 0) read_.insert(QString::fromLocal8Bit(e->name));
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
  }

  int fd_;
  QSet<QString> read_;
};

}  // namespace vendle::test
