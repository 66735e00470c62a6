// Things that are not regular files, for the tests of reads and writes that
// must refuse them: a FIFO with no writer (an open that waits blocks for
// ever), a device (the null device's numbers), a folder, and symlinks to
// /dev/zero (a read that waits for the end never ends) and to a FIFO.
#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <vector>

namespace vendle::test {

inline QByteArray NativePath(const QString& path) { return QFile::encodeName(path); }

inline mode_t ModeOf(const QString& path) {
  struct stat st;
  return ::lstat(NativePath(path).constData(), &st) == 0 ? st.st_mode : 0;
}

struct Special {
  const char* name;
  bool (*make)(const QString& path);
};

inline bool MakeFifo(const QString& p) { return ::mkfifo(NativePath(p).constData(), 0600) == 0; }
inline bool MakeDevice(const QString& p) {
  return ::mknod(NativePath(p).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
}
inline bool MakeFolder(const QString& p) { return QDir().mkpath(p); }
inline bool LinkToZero(const QString& p) { return QFile::link("/dev/zero", p); }
inline bool LinkToFifo(const QString& p) { return MakeFifo(p + ".fifo") && QFile::link(p + ".fifo", p); }

// Whether this process may make device files (root may, others may not).
inline bool CanMakeDevices() {
  static const bool can = [] {
    QTemporaryDir dir;
    return dir.isValid() && MakeDevice(dir.path() + "/null");
  }();
  return can;
}

// Every kind; the device only where devices can be made.
inline std::vector<Special> Specials() {
  std::vector<Special> out = {{"fifo", MakeFifo}, {"folder", MakeFolder}, {"link to /dev/zero", LinkToZero},
                              {"link to a fifo", LinkToFifo}};
  if (CanMakeDevices()) out.insert(out.begin() + 1, {"device", MakeDevice});
  return out;
}

}  // namespace vendle::test
