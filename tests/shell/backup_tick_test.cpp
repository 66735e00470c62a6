// The backup timer over real documents.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstring>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "editor/ui/editor_view.h"
#include "platform/clock.h"
#include "platform/file_io.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

struct BackupFixture {
  AppDriver d;
  QString folder;
  int index = -1;

  explicit BackupFixture(const char* name = "prog.bas") {
    App& app = d.app();
    folder = d.root() + "bak";
    QDir().mkpath(folder);
    app.settings().backupFolder = folder;  // without the separator: the tick adds it
    app.settings().backupIntervalSeconds = 60;
    index = CreateDocumentTab(app, d.root() + name);
    type("PRINT \xE2\x82\xAC 1\r\n");  // a euro sign: 0x80 in the file
    due();
  }
  void type(const char* utf8) { CurrentEditor(d.app())->sci().sendText(S::SCI_ADDTEXT, std::strlen(utf8), utf8); }
  void due() { d.app().state().docs.list.at(index).lastSaveTime = RunningSeconds() - 59; }
  QStringList files() const { return QDir(folder).entryList(QDir::Files, QDir::Name); }
  QByteArray read(const QString& name) const {
    QFile f(folder + "/" + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

TEST(BackupTick, ADueModifiedDocumentIsWrittenInTheAnsiCodePage) {
  BackupFixture f;
  f.d.post(Event::Timer(TimerId::Backup));
  EXPECT_EQ(f.d.app().settings().backupFolder, f.folder + "/") << "the separator is added to the setting";
  ASSERT_EQ(f.files().size(), 1);
  EXPECT_TRUE(f.files()[0].endsWith("_prog.bas")) << f.files()[0].toStdString();
  EXPECT_EQ(f.read(f.files()[0]), QByteArray("PRINT \x80 1\r\n"));
}

TEST(BackupTick, NotDueUnmodifiedOrUnchangedDocumentsAreNotWritten) {
  BackupFixture f;
  App& app = f.d.app();
  app.state().docs.list.at(f.index).lastSaveTime = RunningSeconds() - 50;
  f.d.post(Event::Timer(TimerId::Backup));
  EXPECT_TRUE(f.files().isEmpty()) << "not due yet";

  f.due();
  f.d.post(Event::Timer(TimerId::Backup));
  ASSERT_EQ(f.files().size(), 1);
  QFile::remove(f.folder + "/" + f.files()[0]);
  f.due();
  f.d.post(Event::Timer(TimerId::Backup));
  EXPECT_TRUE(f.files().isEmpty()) << "the same text is not written again";
  EXPECT_GE(app.state().docs.list.at(f.index).lastSaveTime, RunningSeconds() - 1) << "but its clock restarted";
}

TEST(BackupTick, AFailedWriteIsTriedAgainAtTheNextTick) {
  BackupFixture f;
  {
    ScopedFileFault fault({FileFault::Step::Open, QString(), 0});
    f.d.post(Event::Timer(TimerId::Backup));
  }
  EXPECT_TRUE(f.files().isEmpty());
  f.due();
  f.d.post(Event::Timer(TimerId::Backup));
  EXPECT_EQ(f.files().size(), 1) << "the unchanged text was retried after the failure";
}

TEST(BackupTick, TwoUntitledDocumentsDueInOneTickBothKeepTheirBackup) {
  BackupFixture f("untitled.bas");
  App& app = f.d.app();
  const int second = NewDocument(app);
  f.type("x = 2\r\n");
  app.state().docs.list.at(second).lastSaveTime = RunningSeconds() - 59;
  f.due();
  const int current = app.state().docs.currentTabIndex;
  f.d.post(Event::Timer(TimerId::Backup));
  EXPECT_EQ(f.files().size(), 2) << f.files().join(",").toStdString();
  EXPECT_EQ(app.state().docs.currentTabIndex, current) << "the walk does not switch documents";
}

TEST(BackupTick, OffWithoutFolderOrInterval) {
  BackupFixture f;
  f.d.app().settings().backupIntervalSeconds = 0;
  f.d.post(Event::Timer(TimerId::Backup));
  f.d.app().settings().backupIntervalSeconds = 60;
  f.d.app().settings().backupFolder.clear();
  f.d.post(Event::Timer(TimerId::Backup));
  EXPECT_TRUE(f.files().isEmpty());
}

}  // namespace
}  // namespace vendle::test
