#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/file_io.h"

namespace vendle {
namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(FileIo, EveryFailureLeavesTheOldFileIntactAndSaysWhy) {
  const FileFault::Step steps[] = {FileFault::Step::Open, FileFault::Step::Write, FileFault::Step::Commit};
  for (FileFault::Step step : steps) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/prog.bas";
    ASSERT_TRUE(WriteFileSafely(path, "old text").ok);
    {
      ScopedFileFault fault({step, path, 3});
      const WriteResult r = WriteFileSafely(path, QByteArray(3 << 20, 'x'));
      EXPECT_FALSE(r.ok);
      EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_EQ(Read(path), "old text") << "step " << int(step);
    EXPECT_TRUE(WriteFileSafely(path, "new").ok);
    EXPECT_EQ(Read(path), "new");
  }
}

TEST(FileIo, ReadsWholeFilesWithNulBytes) {
  QTemporaryDir dir;
  const QByteArray bytes("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(WriteFileSafely(dir.path() + "/f", bytes).ok);
  const ReadResult r = ReadWholeFile(dir.path() + "/f");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.bytes, bytes);
  EXPECT_FALSE(ReadWholeFile(dir.path() + "/missing").ok);
}

}  // namespace
}  // namespace vendle
