// Every writer of the running program on a real full disk (a small tmpfs):
// a save, a save as, the preference file at exit and a backup tick. The old
// file stays byte for byte, the user is told with the path, the document
// stays modified, and no temporary file is left.
#include <gtest/gtest.h>

#include <QDir>
#include <cstring>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "editor/ui/editor_view.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "scoped_tmpfs.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// Windows-1252 program text of exactly `size` bytes; the cut at the end may
// leave a lone CR.
QByteArray Program(qsizetype size) {
  static const char* kLines[] = {
      "' caf\xE9 menu \x80 prices\r\n",
      "SUB Show(count%, label$)\r\n",
      "  LOCAL i% = 0, total = 1.5E3\r\n",
      "  FOR i% = 1 TO count% : PRINT label$; i% * &H10 : NEXT i%\r\n",
      "END SUB\r\n",
      "IF x > 3 THEN PRINT \"big\" ELSE PRINT \"small\"\r\n",
  };
  QByteArray out;
  for (int i = 0; out.size() < size; ++i) out += kLines[i % 6];
  out.truncate(size);
  return out;
}

const qint64 kSizes[] = {0, 37, 16 * 1024 - 1, 16 * 1024 + 1, 1024 * 1024 + 94};

qint64 Pages(qint64 bytes) { return (bytes + 4095) / 4096 * 4096; }

// What is free once the disk is "full" for a new text of `bytes`: a part of
// it, so a writer that stops early writes some; a text over 1 MiB gets
// exactly 1 MiB.
qint64 LeftFree(qint64 bytes) { return bytes > (1 << 20) ? (1 << 20) : bytes / 2 / 4096 * 4096; }

// Byte for byte, without printing megabytes when not.
void ExpectSameBytes(const QString& path, const QByteArray& old, const std::string& label) {
  const QByteArray now = ReadFile(path);
  EXPECT_TRUE(now == old) << label << ": " << path.toStdString() << " has " << now.size() << " bytes, was "
                          << old.size();
}

QStringList Names(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

struct Disk {
  AppDriver& d;
  QString folder;
  ScopedTmpfs fs;
  Disk(AppDriver& driver, const QString& at, qint64 size)
      : d(driver), folder(at), fs(at, "size=" + QByteArray::number(2 * Pages(size) + 16 * 1024)) {}
};

// True when the last message names `path` and says why.
void ExpectToldAbout(AppDriver& d, const QString& path, const std::string& label) {
  const auto& asked = d.requesters().asked();
  ASSERT_FALSE(asked.empty()) << label << ": the user was not told";
  EXPECT_EQ(asked.back().kind, "message") << label;
  EXPECT_TRUE(asked.back().text.contains(path)) << label << ": " << asked.back().text.toStdString();
  EXPECT_TRUE(asked.back().text.contains("No space left")) << label << ": " << asked.back().text.toStdString();
}

void Type(AppDriver& d, const char* text) { CurrentSci(d).sendText(S::SCI_ADDTEXT, std::strlen(text), text); }

TEST(FullDisk, ASaveKeepsTheOldFile) {
  for (qint64 size : kSizes) {
    const std::string label = "size " + std::to_string(size);
    AppDriver d;
    Disk disk(d, d.root() + "disk", size);
    if (!disk.fs.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString path = disk.folder + "/prog.bas";
    const QByteArray old = Program(size);
    WriteFile(path, old);
    OpenDocument(d.app(), path, false);
    Type(d, "PRINT \"changed\"\r\n");
    disk.fs.fill(LeftFree(size + 17));
    d.menu(Item::Save);
    ExpectSameBytes(path, old, label);
    EXPECT_TRUE(CurrentSci(d).modified()) << label;
    ExpectToldAbout(d, path, label);
    EXPECT_EQ(Names(disk.folder), (QStringList{".filler", "prog.bas"})) << label;
  }
}

TEST(FullDisk, ASaveAsKeepsTheFileItWouldReplace) {
  for (qint64 size : kSizes) {
    const std::string label = "size " + std::to_string(size);
    AppDriver d;
    const QString source = d.root() + "mine.bas";
    WriteFile(source, Program(size + 100));
    OpenDocument(d.app(), source, false);
    Type(d, "PRINT \"changed\"\r\n");
    Disk disk(d, d.root() + "disk", size);
    if (!disk.fs.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString target = disk.folder + "/other.bas";
    const QByteArray old = Program(size);
    WriteFile(target, old);
    disk.fs.fill(LeftFree(size + 117));
    d.requesters().answerText(target);
    d.requesters().answer(Answer::Yes);  // replace it
    d.menu(Item::SaveAs);
    ExpectSameBytes(target, old, label);
    EXPECT_TRUE(CurrentSci(d).modified()) << label;
    EXPECT_EQ(d.app().state().docs.list.current()->path, source) << label << ": the document keeps its file";
    ExpectToldAbout(d, target, label);
    EXPECT_EQ(Names(disk.folder), (QStringList{".filler", "other.bas"})) << label;
  }
}

TEST(FullDisk, ThePreferenceFileAtExitKeepsTheOldOne) {
  for (qint64 size : kSizes) {
    const std::string label = "size " + std::to_string(size);
    AppDriver d;
    // The data folder was read at the start; the disk takes its place now.
    Disk disk(d, d.dataFolder(), size);
    if (!disk.fs.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString path = d.dataFolder() + "Vendle5.inf";
    const QByteArray old = Program(size);
    WriteFile(path, old);
    disk.fs.fill(LeftFree(4096));  // the settings take a few KiB
    d.shutDown();
    ExpectSameBytes(path, old, label);
    ExpectToldAbout(d, path, label);
    EXPECT_EQ(Names(disk.folder), (QStringList{".filler", "Vendle5.inf"})) << label;
  }
}

TEST(FullDisk, ABackupTickKeepsTheOldBackupsAndTellsOnce) {
  for (qint64 size : kSizes) {
    const std::string label = "size " + std::to_string(size);
    AppDriver d;
    App& app = d.app();
    Disk disk(d, d.root() + "bak", size);
    if (!disk.fs.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    app.settings().backupFolder = disk.folder;
    app.settings().backupIntervalSeconds = 60;
    const QString earlier = disk.folder + "/earlier_prog.bas";
    const QByteArray old = Program(size);
    WriteFile(earlier, old);
    const int index = CreateDocumentTab(app, d.root() + "prog.bas");
    const QByteArray text = DecodeAnsi(Program(size + 50)).toUtf8();
    CurrentSci(d).sendText(S::SCI_ADDTEXT, text.size(), text.constData());
    disk.fs.fill(LeftFree(size + 52));
    for (int tick = 0; tick < 2; ++tick) {
      app.state().docs.list.at(index).lastSaveTime = RunningSeconds() - 61;
      Type(d, "x");
      d.post(Event::Timer(TimerId::Backup));
    }
    ExpectSameBytes(earlier, old, label);
    EXPECT_TRUE(CurrentSci(d).modified()) << label;
    ExpectToldAbout(d, disk.folder, label);
    EXPECT_EQ(d.requesters().asked().size(), 1u) << label << ": told once while the disk stays full";
    EXPECT_EQ(Names(disk.folder), (QStringList{".filler", "earlier_prog.bas"})) << label;
  }
}

}  // namespace
}  // namespace vendle::test
