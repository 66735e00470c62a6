#include "platform/file_io.h"

#include <QFile>
#include <QSaveFile>
#include <mutex>

namespace vendle {
namespace {

std::mutex g_faultMutex;
FileFault g_fault;

FileFault CurrentFault(const QString& path, FileFault::Step step) {
  std::lock_guard lock(g_faultMutex);
  if (g_fault.step == step && (g_fault.path.isEmpty() || g_fault.path == path)) return g_fault;
  return {};
}

constexpr qint64 kChunk = 1 << 20;

}  // namespace

void SetFileFault(const FileFault& fault) {
  std::lock_guard lock(g_faultMutex);
  g_fault = fault;
}

void ClearFileFault() { SetFileFault({}); }

ReadResult ReadWholeFile(const QString& path) {
  ReadResult r;
  if (CurrentFault(path, FileFault::Step::Read).step != FileFault::Step::None) {
    r.error = QStringLiteral("Input/output error");
    return r;
  }
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    r.error = f.errorString();
    return r;
  }
  r.bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) {
    r.error = f.errorString();
    r.bytes.clear();
    return r;
  }
  r.ok = true;
  return r;
}

WriteResult WriteFileSafely(const QString& path, QByteArrayView bytes) {
  WriteResult r;
  if (CurrentFault(path, FileFault::Step::Open).step != FileFault::Step::None) {
    r.error = QStringLiteral("Permission denied");
    return r;
  }
  QSaveFile f(path);
  f.setDirectWriteFallback(true);
  if (!f.open(QIODevice::WriteOnly)) {
    r.error = f.errorString();
    return r;
  }
  const FileFault writeFault = CurrentFault(path, FileFault::Step::Write);
  qint64 done = 0;
  while (done < bytes.size()) {
    qint64 n = std::min<qint64>(kChunk, bytes.size() - done);
    if (writeFault.step != FileFault::Step::None) {
      n = std::min<qint64>(n, writeFault.failAfterBytes - done);
      if (n <= 0) {
        f.cancelWriting();
        r.error = QStringLiteral("No space left on device");
        return r;
      }
    }
    if (f.write(bytes.data() + done, n) != n) {
      r.error = f.errorString();
      f.cancelWriting();
      return r;
    }
    done += n;
  }
  if (CurrentFault(path, FileFault::Step::Commit).step != FileFault::Step::None) {
    f.cancelWriting();
    r.error = QStringLiteral("The file cannot be replaced");
    return r;
  }
  if (!f.commit()) {
    r.error = f.errorString();
    return r;
  }
  r.ok = true;
  return r;
}

}  // namespace vendle
