// Whole-file reads and safe writes.
//
// A read opens without blocking, accepts only a regular file (a FIFO, a
// device or a folder would hang the program or never end) and stops at a
// size limit. A write goes to a temporary file beside the target that is
// renamed over it only when every byte, the flush and the close succeeded,
// so a failure (full disk, a folder that takes no new file, a target that
// cannot be replaced) leaves the old file byte for byte. There is no
// in-place fallback. A symlink is followed: the file it names is replaced,
// the link stays. A target that exists and is not a regular file is refused.
//
// Tests run as root, where permissions never fail, so failures are injected
// here: FileFault names a path and the step that fails.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vendle {

// The largest file read whole: far beyond any program, small enough that a
// wrong file never exhausts memory.
inline constexpr qint64 kLargestReadFile = qint64(64) << 20;

struct ReadResult {
  bool ok = false;
  bool exists = false;   // something is at the path (even when refused)
  bool refused = false;  // there, but not a regular file or too large
  QByteArray bytes;
  QString error;  // the reason, for messages
};

struct WriteResult {
  bool ok = false;
  QString error;
};

ReadResult ReadWholeFile(const QString& path, qint64 limit = kLargestReadFile);
WriteResult WriteFileSafely(const QString& path, QByteArrayView bytes);

// Why `path` cannot be read as a file, or empty when it is a regular file or
// nothing is there. Does not open it (a FIFO would block).
QString NotARegularFileReason(const QString& path);

// Test hook. Matching is by exact path (of the target as named, or after its
// symlinks are followed); an empty path matches every file.
struct FileFault {
  // Open: no temporary file can be made; Write: the disk fills after
  // failAfterBytes; Sync: the flush to disk fails; Commit: the rename fails.
  enum class Step { None, Open, Write, Sync, Commit, Read };
  Step step = Step::None;
  QString path;
  qint64 failAfterBytes = 0;
};
void SetFileFault(const FileFault& fault);
void ClearFileFault();

class ScopedFileFault {
 public:
  explicit ScopedFileFault(const FileFault& f) { SetFileFault(f); }
  ~ScopedFileFault() { ClearFileFault(); }
  ScopedFileFault(const ScopedFileFault&) = delete;
  ScopedFileFault& operator=(const ScopedFileFault&) = delete;
};

}  // namespace vendle
