// `cmake --install` gives a program that starts, with its menu entry and icon.
#include <gtest/gtest.h>

#include <signal.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "editor_process.h"

namespace vendle::test {
namespace {

TEST(Install, TheInstalledProgramStartsAndEndsOnSigterm) {
  QTemporaryDir prefix;
  ASSERT_TRUE(prefix.isValid());
  QProcess install;
  install.setProcessChannelMode(QProcess::MergedChannels);
  install.start(QStringLiteral(VENDLE_CMAKE_COMMAND),
                {"--install", QStringLiteral(VENDLE_BINARY_DIR), "--prefix", prefix.path()});
  ASSERT_TRUE(install.waitForFinished(120000));
  ASSERT_EQ(install.exitCode(), 0) << install.readAll().toStdString();

  const QString root = prefix.path() + "/";
  const QFileInfo exe(root + "bin/vendle");
  ASSERT_TRUE(exe.isFile() && exe.isExecutable()) << exe.filePath().toStdString();
  QFile desktop(root + "share/applications/vendle.desktop");
  ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
  const QByteArray entry = desktop.readAll();
  EXPECT_TRUE(entry.contains("\nExec=vendle")) << entry.toStdString();
  EXPECT_TRUE(entry.contains("\nIcon=vendle\n")) << entry.toStdString();
  EXPECT_TRUE(QFileInfo(root + "share/icons/hicolor/scalable/apps/vendle.svg").isFile());

  // The default data are inside the program: an empty data folder is filled.
  EditorSandbox box(QString(), exe.filePath());
  auto editor = box.start();
  ASSERT_TRUE(box.waitUntilListening()) << "the installed program never listened";
  EXPECT_TRUE(QFileInfo(box.dataFolder() + "picomite.tkn").isFile()) << "no default data were copied";
  ::kill(static_cast<pid_t>(editor->processId()), SIGTERM);
  ASSERT_TRUE(editor->waitForFinished(15000));
  EXPECT_EQ(editor->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(editor->exitCode(), 0);
}

}  // namespace
}  // namespace vendle::test
