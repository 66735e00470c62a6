#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "scoped_tmpfs.h"
#include "not_regular_files.h"
#include "test_files.h"

namespace vendle {
namespace {

using test::ReadFile;

using test::ModeOf;
using test::NativePath;
using test::Special;
using test::Specials;

using test::ScopedTmpfs;

QByteArray N(const QString& path) { return NativePath(path); }

// The names in a folder, hidden ones included: a failed write leaves no
// temporary file behind.
QStringList Names(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(FileIo, EveryFailureLeavesTheOldFileIntactAndSaysWhy) {
  const FileFault::Step steps[] = {FileFault::Step::Open, FileFault::Step::Write, FileFault::Step::Sync,
                                   FileFault::Step::Commit};
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
    EXPECT_EQ(ReadFile(path), "old text") << "step " << int(step);
    EXPECT_EQ(Names(dir.path()), QStringList{"prog.bas"}) << "step " << int(step);
    EXPECT_TRUE(WriteFileSafely(path, "new").ok);
    EXPECT_EQ(ReadFile(path), "new");
  }
}

TEST(FileIo, ReadsWholeFilesWithNulBytes) {
  QTemporaryDir dir;
  const QByteArray bytes("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(WriteFileSafely(dir.path() + "/f", bytes).ok);
  const ReadResult r = ReadWholeFile(dir.path() + "/f");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.bytes, bytes);
  const ReadResult missing = ReadWholeFile(dir.path() + "/missing");
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(missing.exists);
}

TEST(FileIo, FilesThatGrowOrClaimNoSizeAreReadToTheEnd) {
  // /proc files say size 0 and have text.
  const ReadResult r = ReadWholeFile("/proc/self/status");
  ASSERT_TRUE(r.ok) << r.error.toStdString();
  EXPECT_TRUE(r.bytes.contains("Name:"));
  EXPECT_FALSE(ReadWholeFile("/proc/self/status", 8).ok) << "the limit holds for what is read, not what is said";
}

TEST(FileIo, ReadsStopAtTheSizeLimit) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/big.bas";
  ASSERT_TRUE(WriteFileSafely(path, QByteArray(100, 'x')).ok);
  EXPECT_TRUE(ReadWholeFile(path, 100).ok);
  const ReadResult over = ReadWholeFile(path, 99);
  EXPECT_FALSE(over.ok);
  EXPECT_TRUE(over.exists);
  EXPECT_TRUE(over.refused);
  EXPECT_TRUE(over.bytes.isEmpty());
  EXPECT_TRUE(over.error.contains("larger")) << over.error.toStdString();

  // A sparse file far over the default limit is refused without reading it.
  const QString sparse = dir.path() + "/sparse.bas";
  ASSERT_TRUE(WriteFileSafely(sparse, "x").ok);
  ASSERT_EQ(::truncate(N(sparse).constData(), kLargestReadFile + 1), 0);
  EXPECT_TRUE(ReadWholeFile(sparse).refused);
}

TEST(FileIo, SpecialFilesAreNeitherReadNorReplaced) {
  for (const Special& s : Specials()) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/x.bas";
    ASSERT_TRUE(s.make(path)) << s.name;
    const mode_t before = ModeOf(path);
    const QStringList names = Names(dir.path());

    const ReadResult r = ReadWholeFile(path);
    EXPECT_FALSE(r.ok) << s.name;
    EXPECT_TRUE(r.exists) << s.name;
    EXPECT_TRUE(r.refused) << s.name;
    EXPECT_TRUE(r.error.contains("not a file")) << s.name << ": " << r.error.toStdString();
    EXPECT_FALSE(NotARegularFileReason(path).isEmpty()) << s.name;

    const WriteResult w = WriteFileSafely(path, "PRINT 1\r\n");
    EXPECT_FALSE(w.ok) << s.name;
    EXPECT_TRUE(w.error.contains("not a file")) << s.name << ": " << w.error.toStdString();
    EXPECT_EQ(ModeOf(path), before) << s.name << " is still what it was";
    EXPECT_EQ(Names(dir.path()), names) << s.name;
  }
}

TEST(FileIo, WritesGoThroughSymlinksToTheFileTheyName) {
  QTemporaryDir dir;
  const QString real = dir.path() + "/real/prog.bas";
  QDir().mkpath(dir.path() + "/real");
  ASSERT_TRUE(WriteFileSafely(real, "old").ok);
  ASSERT_EQ(::chmod(N(real).constData(), 0640), 0);

  struct Case {
    const char* name;
    QString link;
    QString target;  // as stored in the link
  };
  const Case cases[] = {
      {"absolute", dir.path() + "/abs.bas", real},
      {"relative", dir.path() + "/rel.bas", "real/prog.bas"},
      {"a link to a link", dir.path() + "/chain.bas", "abs.bas"},
  };
  for (const Case& c : cases) ASSERT_TRUE(QFile::link(c.target, c.link)) << c.name;
  int n = 0;
  for (const Case& c : cases) {
    const QByteArray text = "PRINT " + QByteArray::number(++n) + "\r\n";
    ASSERT_TRUE(WriteFileSafely(c.link, text).ok) << c.name;
    EXPECT_TRUE(QFileInfo(c.link).isSymLink()) << c.name << ": the link stays a link";
    EXPECT_EQ(ReadFile(real), text) << c.name;
    EXPECT_EQ(ModeOf(real) & 07777, 0640u) << c.name << ": the file keeps its permissions";
  }
  EXPECT_EQ(Names(dir.path() + "/real"), QStringList{"prog.bas"});

  // A dangling link makes the file it names; a loop is an error.
  const QString dangling = dir.path() + "/dangling.bas";
  ASSERT_TRUE(QFile::link("real/new.bas", dangling));
  ASSERT_TRUE(WriteFileSafely(dangling, "new").ok);
  EXPECT_TRUE(QFileInfo(dangling).isSymLink());
  EXPECT_EQ(ReadFile(dir.path() + "/real/new.bas"), "new");
  ASSERT_TRUE(QFile::link("loop2.bas", dir.path() + "/loop1.bas"));
  ASSERT_TRUE(QFile::link("loop1.bas", dir.path() + "/loop2.bas"));
  EXPECT_FALSE(WriteFileSafely(dir.path() + "/loop1.bas", "x").ok);
}

TEST(FileIo, ANewFileGetsTheUsualPermissions) {
  QTemporaryDir dir;
  const mode_t mask = ::umask(022);
  const QString path = dir.path() + "/new.bas";
  ASSERT_TRUE(WriteFileSafely(path, "x").ok);
  ::umask(mask);
  EXPECT_EQ(ModeOf(path) & 07777, 0644u) << "not the 0600 of a temporary file";
}

TEST(FileIo, AFullDiskLeavesTheOldFileByteForByte) {
  QTemporaryDir dir;
  // Sizes around the 16 KiB buffer a buffered writer would hold back.
  for (qint64 size : {qint64(0), qint64(37), qint64(16383), qint64(16385), qint64(1048670)}) {
    ScopedTmpfs disk(dir.path() + "/disk", "size=2m");
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString path = dir.path() + "/disk/prog.bas";
    const QByteArray old(size / 2, 'o');
    ASSERT_TRUE(WriteFileSafely(path, old).ok);
    disk.fill(size / 2 / 4096 * 4096);
    const WriteResult r = WriteFileSafely(path, QByteArray(size + 37, 'n'));
    EXPECT_FALSE(r.ok) << size;
    EXPECT_TRUE(r.error.contains("No space")) << r.error.toStdString();
    EXPECT_EQ(ReadFile(path), old) << size;
    EXPECT_EQ(Names(dir.path() + "/disk"), (QStringList{".filler", "prog.bas"})) << size;
  }
}

TEST(FileIo, AFolderThatTakesNoNewFileIsNeverWrittenInPlace) {
  QTemporaryDir dir;
  struct Case {
    const char* name;
    void (*block)(ScopedTmpfs&);
  };
  const Case cases[] = {
      {"no inode left", [](ScopedTmpfs& d) { d.useAllInodes(); }},
      {"read-only", [](ScopedTmpfs& d) { ASSERT_TRUE(d.remountReadOnly()); }},
  };
  for (const Case& c : cases) {
    ScopedTmpfs disk(dir.path() + "/disk", "size=64k,nr_inodes=16");
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString path = dir.path() + "/disk/prog.bas";
    const QByteArray old(20000, 'o');
    ASSERT_TRUE(WriteFileSafely(path, old).ok);
    c.block(disk);
    // More than the disk holds: written in place, it would be cut short.
    const WriteResult r = WriteFileSafely(path, QByteArray(60000, 'n'));
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_TRUE(r.error.contains("No temporary file")) << c.name << ": " << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(dir.path() + "/disk")) << c.name << ": names the folder";
    EXPECT_EQ(ReadFile(path), old) << c.name;
  }
}

}  // namespace
}  // namespace vendle
