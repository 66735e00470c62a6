// Whole-file reads and safe writes. Every write goes to a temporary file in
// the target's folder that is renamed over the target only when every byte
// is written, so a failed write (full disk, a folder that cannot be written,
// a target that cannot be replaced) leaves the old file intact. Where the
// folder cannot take a temporary file, the file is written in place.
//
// Tests run as root, where permissions never fail, so failures are injected
// here: FileFaults names a path and the step that fails.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vendle {

struct ReadResult {
  bool ok = false;
  QByteArray bytes;
  QString error;  // the reason, for messages
};

struct WriteResult {
  bool ok = false;
  QString error;
};

ReadResult ReadWholeFile(const QString& path);
WriteResult WriteFileSafely(const QString& path, QByteArrayView bytes);

// Test hook. Matching is by exact path; an empty path matches every file.
struct FileFault {
  enum class Step { None, Open, Write, Commit, Read };
  Step step = Step::None;
  QString path;
  qint64 failAfterBytes = 0;  // Step::Write: bytes written before "disk full"
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
