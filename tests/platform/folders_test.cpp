#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/folders.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"

namespace vendle {
namespace {

TEST(Folders, PortableModeOnlyForAFileNamedPortableInf) {
  QTemporaryDir dir;
  const QString prog = dir.path() + "/";
  EXPECT_FALSE(IsPortableInstall(prog));
  QDir().mkpath(prog + "portable.inf");  // a folder of that name does not count
  EXPECT_FALSE(IsPortableInstall(prog));
  QDir().rmdir(prog + "portable.inf");
  QFile(prog + "portable.inf").open(QIODevice::WriteOnly);
  EXPECT_TRUE(IsPortableInstall(prog));
}

TEST(Folders, ResolvedFolders) {
  QTemporaryDir documents;
  const KnownFolders known{"/home/u/.local/share", documents.path(), "/home/u"};
  const Folders portable = ResolveFolders("/opt/vendle", "vendle", known, true);
  EXPECT_EQ(portable.program, "/opt/vendle/");
  EXPECT_EQ(portable.data, "/opt/vendle/Data/");
  EXPECT_EQ(portable.file, documents.path() + "/");
  EXPECT_EQ(portable.changeLog, "/opt/vendle/Data/changes.txt");

  const Folders installed = ResolveFolders("/opt/vendle/", "vendle", known, false);
  EXPECT_EQ(installed.data, "/home/u/.local/share/Vendle5/");

  // A known folder that cannot be found gives the home folder, never "/".
  const Folders missing = ResolveFolders("/opt/vendle/", "vendle", {"", "", "/home/u"}, false);
  EXPECT_EQ(missing.data, "/home/u/Vendle5/");
  EXPECT_EQ(missing.file, "/home/u/");
  // So does a documents folder the desktop names but that does not exist.
  const Folders gone = ResolveFolders("/opt/vendle/", "vendle", {"", "/home/u/no such folder", "/home/u"}, false);
  EXPECT_EQ(gone.file, "/home/u/");
}

TEST(Folders, SeedingCopiesMissingDefaultsAndKeepsTheUsersFiles) {
  QTemporaryDir defaults, target;
  QDir().mkpath(defaults.path() + "/html");
  auto write = [](const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  };
  write(defaults.path() + "/picomite.tkn", "default");
  write(defaults.path() + "/html/index.htm", "<html>");
  const QString data = target.path() + "/Data/";
  QDir().mkpath(data);
  write(data + "picomite.tkn", "edited by the user");

  ASSERT_TRUE(SeedDataFolder(data, defaults.path()));
  QFile kept(data + "picomite.tkn");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "edited by the user");
  QFile copied(data + "html/index.htm");
  ASSERT_TRUE(copied.open(QIODevice::ReadWrite)) << "a seeded file must be writable";
  EXPECT_EQ(copied.readAll(), "<html>");
}

TEST(Folders, SeedingCreatesAMissingDataFolder) {
  QTemporaryDir defaults, target;
  const QString data = target.path() + "/a/b/Vendle5/";
  ASSERT_TRUE(SeedDataFolder(data, defaults.path()));
  EXPECT_TRUE(QDir(data).exists());
}

TEST(InstanceLock, TheSecondAcquireSeesTheFirstAndTheLockDiesWithItsHolder) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/Vendle5mutex";
  std::unique_ptr<InstanceLock> first, second;
  EXPECT_EQ(InstanceLock::Acquire(path, &first), InstanceLock::Result::First);
  EXPECT_EQ(InstanceLock::Acquire(path, &second), InstanceLock::Result::AnotherRunning);
  EXPECT_EQ(second, nullptr);
  first.reset();
  EXPECT_EQ(InstanceLock::Acquire(path, &second), InstanceLock::Result::First);
}

TEST(InstanceLock, AnUnusableLockPlaceCountsAsTheFirstInstance) {
  std::unique_ptr<InstanceLock> held;
  EXPECT_EQ(InstanceLock::Acquire("/nonexistent-folder/x/Vendle5mutex", &held), InstanceLock::Result::First);
}

TEST(Paths, FolderAndFileParts) {
  struct Case {
    const char* path;
    const char* folder;
    const char* file;
  };
  const Case cases[] = {
      {"/a/b/c.bas", "/a/b/", "c.bas"}, {"c.bas", "", "c.bas"}, {"C:\\bas\\x.bas", "C:\\bas\\", "x.bas"},
      {"/a/b/", "/a/b/", ""},           {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.file) << c.path;
  }
  EXPECT_EQ(EnsureTrailingSeparator("/bak"), "/bak/");
  EXPECT_EQ(EnsureTrailingSeparator("/bak/"), "/bak/");
  EXPECT_EQ(EnsureTrailingSeparator(""), "");
  EXPECT_EQ(MakeAbsolute("x/a.bas", "/w"), "/w/x/a.bas");
  EXPECT_EQ(MakeAbsolute("/abs.bas", "/w"), "/abs.bas");
}

}  // namespace
}  // namespace vendle
