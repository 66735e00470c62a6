// Opening and saving program files through the running application.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstring>
#include <vector>

#include "app_driver.h"
#include "corpus_programs.h"
#include "test_files.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editor/ui/editor_view.h"
#include "platform/file_io.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

Documents& Docs(AppDriver& d) { return d.app().state().docs; }
DocumentRecord& Current(AppDriver& d) { return *Docs(d).list.current(); }
Sci CurrentSci(AppDriver& d) { return CurrentEditor(d.app())->sci(); }
void Type(AppDriver& d, const char* text) { CurrentSci(d).sendText(S::SCI_ADDTEXT, std::strlen(text), text); }

TEST(FileOperations, EveryByteValueSurvivesOpenAndSave) {
  AppDriver d;
  QByteArray bytes;
  for (int b = 0; b < 256; ++b) bytes.append(static_cast<char>(b));
  bytes += "\r\nEND\r\n";
  const QString path = d.root() + "all.bas";
  WriteFile(path, bytes);
  OpenDocument(d.app(), path, false);
  ASSERT_EQ(Current(d).path, path);
  EXPECT_EQ(Docs(d).list.size(), 1) << "the unused first tab was replaced";
  CurrentSci(d).send(S::SCI_GOTOPOS, 0);
  Type(d, "x");
  CurrentSci(d).send(S::SCI_DELETEBACK);
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_TRUE(d.requesters().asked().empty()) << d.requesters().asked()[0].text.toStdString();
}

// Saving takes the editor's bytes as they are when the file's encoding
// stores them unchanged, and goes through the text otherwise: either way a
// changed and changed-back document is written as it was read.
TEST(FileOperations, ProgramsOfEveryEncodingAreWrittenAsTheyWereRead) {
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  std::vector<Case> cases = {
      {"ASCII", "PRINT 1\r\nEND\r\n"},
      {"Windows-1252", "PRINT \"caf\xE9 \x80\"\r\n"},
      {"UTF-8", "PRINT \"caf\xC3\xA9 \xE2\x82\xAC\"\n"},
      {"UTF-8 with its mark", "\xEF\xBB\xBFPRINT \"\xC3\xA9\"\n"},
      {"NUL inside", QByteArray("A\0B\r\n", 5)},
  };
  const QByteArray big = CorpusProgram(1 << 20);
  if (!big.isEmpty()) cases.push_back({"corpus 1 MB", big});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppDriver d;
    const QString path = d.root() + "p.bas";
    WriteFile(path, c.bytes);
    OpenDocument(d.app(), path, false);
    ASSERT_EQ(Current(d).path, path);
    CurrentSci(d).send(S::SCI_GOTOPOS, 0);
    Type(d, "x");
    CurrentSci(d).send(S::SCI_DELETEBACK);
    d.menu(Item::Save);
    EXPECT_EQ(ReadFile(path), c.bytes);
    EXPECT_TRUE(d.requesters().asked().empty());
  }
}

TEST(FileOperations, LineEndsAreKeptAndTrailingBlankLinesTrimmed) {
  struct Case {
    const char* name;
    QByteArray in;
    QByteArray out;
  };
  const Case cases[] = {
      {"crlf.bas", "PRINT 1\r\nPRINT 2\r\n\r\n\r\n\x1A", "PRINT 1\r\nPRINT 2\r\n"},
      {"lf.bas", "PRINT 1\nPRINT 2\n\n\n", "PRINT 1\nPRINT 2\n"},
  };
  for (const Case& c : cases) {
    AppDriver d;
    const QString path = d.root() + c.name;
    WriteFile(path, c.in);
    OpenDocument(d.app(), path, false);
    d.menu(Item::Save);
    EXPECT_EQ(ReadFile(path), c.out) << c.name;
  }
}

TEST(FileOperations, BookmarksAndTheCaretComeBackFromTheRecentEntry) {
  AppDriver d;
  App& app = d.app();
  const QString path = d.root() + "marks.bas";
  WriteFile(path, "a = 1\r\nb = 2\r\nc = 3\r\nd = 4\r\n");
  OpenDocument(app, path, false);
  Sci s = CurrentSci(d);
  s.send(S::SCI_MARKERADD, 1, 0);
  s.send(S::SCI_MARKERADD, 3, 0);
  s.send(S::SCI_GOTOPOS, 9);
  d.menu(Item::Close);
  ASSERT_FALSE(app.settings().recentFiles.isEmpty());
  EXPECT_EQ(app.settings().recentFiles[0].section(u'|', 0, 0), path);
  d.menu(Item::RecentFirst);
  ASSERT_EQ(Current(d).path, path);
  s = CurrentSci(d);
  EXPECT_EQ(s.currentPos(), 9);
  EXPECT_EQ(s.send(S::SCI_MARKERNEXT, 0, 1), 1);
  EXPECT_EQ(s.send(S::SCI_MARKERNEXT, 2, 1), 3);
  EXPECT_FALSE(s.modified());
}

TEST(FileOperations, MarkersAreWrittenToTheFileNeverIntoTheEditor) {
  AppDriver d;
  App& app = d.app();
  app.settings().saveFoldingInBasFile = 1;
  const QString path = d.root() + "m.bas";
  WriteFile(path, "x = 1\r\ny = 2\r\n");
  OpenDocument(app, path, false);
  CurrentSci(d).send(S::SCI_MARKERADD, 1, 0);
  Type(d, "'");
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(path), "'x = 1\r\ny = 2 '>>>\r\n");
  EXPECT_EQ(CurrentSci(d).range(0, CurrentSci(d).length()), "'x = 1\r\ny = 2\r\n");
  d.menu(Item::Close);
  OpenDocument(app, path, false);
  EXPECT_EQ(CurrentSci(d).range(0, CurrentSci(d).length()), "'x = 1\r\ny = 2\r\n");
  EXPECT_EQ(CurrentSci(d).send(S::SCI_MARKERNEXT, 0, 1), 1) << "the bookmark came back from the file";

  app.settings().saveFoldingInBasFile = 0;
  d.menu(Item::Close);
  OpenDocument(app, path, false);
  EXPECT_EQ(CurrentSci(d).range(0, CurrentSci(d).length()), "'x = 1\r\ny = 2\r\n") << "stripped even when off";
  EXPECT_EQ(CurrentSci(d).send(S::SCI_MARKERNEXT, 0, 1), -1) << "but not restored";
}

struct Failure {
  const char* what;
  FileFault::Step step;
};

TEST(FileOperations, AFailedSaveKeepsTheDocumentModifiedAndTheOldFileIntact) {
  const Failure failures[] = {{"folder not writable", FileFault::Step::Open},
                              {"disk full", FileFault::Step::Write},
                              {"file cannot be replaced", FileFault::Step::Commit}};
  for (const Failure& f : failures) {
    AppDriver d;
    const QString path = d.root() + "keep.bas";
    WriteFile(path, "old\r\n");
    OpenDocument(d.app(), path, false);
    Type(d, "new text ");
    {
      ScopedFileFault fault({f.step, path, 2});
      d.menu(Item::Save);
    }
    EXPECT_EQ(ReadFile(path), "old\r\n") << f.what;
    EXPECT_TRUE(CurrentSci(d).modified()) << f.what;
    ASSERT_FALSE(d.requesters().asked().empty()) << f.what;
    EXPECT_EQ(d.requesters().asked().back().title, "Oops!") << f.what;
    EXPECT_TRUE(d.requesters().asked().back().text.contains(path)) << f.what;
  }
}

TEST(FileOperations, ACancelledNameStopsACloseButTheMenuSaveWritesUntitled) {
  AppDriver d;
  App& app = d.app();
  Type(d, "PRINT 1\r\n");
  d.requesters().answer(Answer::Yes);     // save changes?
  d.requesters().answerText(std::nullopt);  // the name requester is cancelled
  d.menu(Item::Close);
  EXPECT_EQ(Docs(d).list.size(), 1);
  EXPECT_TRUE(CurrentSci(d).modified());
  EXPECT_FALSE(QFile::exists(app.folders().file + "untitled.bas"));

  d.requesters().answerText(std::nullopt);
  d.menu(Item::Save);
  EXPECT_TRUE(QFile::exists(app.folders().file + "untitled.bas"));
  EXPECT_FALSE(CurrentSci(d).modified());
}

TEST(FileOperations, TheFirstSaveOfANewNameAsksBeforeReplacingAFile) {
  AppDriver d;
  App& app = d.app();
  const QString path = d.root() + "taken.bas";
  WriteFile(path, "someone else's\r\n");
  CurrentSci(d).send(S::SCI_CLEARALL);
  Type(d, "mine\r\n");
  d.requesters().answerText(path);
  d.requesters().answer(Answer::No);
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(path), "someone else's\r\n");
  EXPECT_TRUE(Current(d).untitled());
  d.requesters().answerText(d.root() + "fresh");
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(d.root() + "fresh.bas"), "mine\r\n") << "a name without extension gets .bas";
  EXPECT_EQ(app.tabStrip().text(0), "fresh.bas");
}

TEST(FileOperations, ExitWithThreeModifiedDocumentsAndAFailingSaveClosesNothing) {
  AppDriver d;
  App& app = d.app();
  app.settings().confirmBeforeExit = 0;
  QStringList paths;
  for (const char* name : {"a.bas", "b.bas", "c.bas"}) {
    paths.append(d.root() + name);
    WriteFile(paths.back(), "x\r\n");
    OpenDocument(app, paths.back(), false);
    Type(d, "changed ");
  }
  d.requesters().answer(Answer::Yes);  // c.bas: saved
  d.requesters().answer(Answer::Yes);  // b.bas: fails
  {
    ScopedFileFault fault({FileFault::Step::Commit, paths[1], 0});
    d.post(Event::OfKind(EventKind::Close));
  }
  EXPECT_EQ(app.state().quitFlag, 0);
  EXPECT_FALSE(app.loopEnded());
  EXPECT_EQ(Docs(d).list.size(), 3);
  EXPECT_EQ(ReadFile(paths[2]), "changed x\r\n");
  EXPECT_EQ(ReadFile(paths[1]), "x\r\n");
}

TEST(FileOperations, AFileThatCannotBeReadGivesAMessageAndNoDocument) {
  AppDriver d;
  const QString path = d.root() + "locked.bas";
  WriteFile(path, "x\r\n");
  ScopedFileFault fault({FileFault::Step::Read, path, 0});
  OpenDocument(d.app(), path, false);
  EXPECT_EQ(Docs(d).list.size(), 1);
  EXPECT_TRUE(Current(d).untitled());
  ASSERT_FALSE(d.requesters().asked().empty());
  EXPECT_EQ(d.requesters().asked().back().title, "Oops!");
}

TEST(FileOperations, OpenListOpensEveryReadableFileInOrder) {
  AppDriver d;
  WriteFile(d.root() + "1.bas", "a\r\n");
  WriteFile(d.root() + "3.bas", "c\r\n");
  d.post(Event::Command("/load " + d.root() + "1.bas\n" + d.root() + "missing.bas\n" + d.root() + "3.bas"));
  ASSERT_EQ(Docs(d).list.size(), 3);
  EXPECT_EQ(Docs(d).list.at(1).name, "1.bas");
  EXPECT_EQ(Docs(d).list.at(2).name, "3.bas");
}

TEST(FileOperations, SnapshotWritesBesideTheFileAndChangesNothing) {
  AppDriver d;
  const QString path = d.root() + "snap.bas";
  WriteFile(path, "PRINT 1\r\n");
  OpenDocument(d.app(), path, false);
  Type(d, "'");
  d.menu(Item::Snapshot);
  const QStringList snaps = QDir(d.root()).entryList({"snap_*.bas"});
  ASSERT_EQ(snaps.size(), 1);
  EXPECT_EQ(ReadFile(d.root() + snaps[0]), "'PRINT 1\r\n");
  EXPECT_EQ(Current(d).path, path);
  EXPECT_TRUE(CurrentSci(d).modified());
}

// "Remove smart quotes" cleans what is saved: the editor shows the cleaned
// text too, with its bookmarks, so what it shows is what the file holds.
TEST(FileOperations, RemovingSmartQuotesOnSaveShowsTheCleanedText) {
  AppDriver d;
  d.app().settings().removeSmartQuotes = 1;
  const QString path = d.root() + "q.bas";
  WriteFile(path, "PRINT \xE2\x80\x9C" "caf\xC3\xA9\xE2\x80\x9D\r\nx = 1\r\n");
  OpenDocument(d.app(), path, false);
  CurrentSci(d).send(S::SCI_MARKERADD, 1, 0);
  CurrentSci(d).send(S::SCI_GOTOPOS, CurrentSci(d).length());
  Type(d, "y = 2\r\n");
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(path), "PRINT \"caf?\"\r\nx = 1\r\ny = 2\r\n");
  EXPECT_EQ(CurrentSci(d).range(0, CurrentSci(d).length()), ReadFile(path));
  EXPECT_FALSE(CurrentSci(d).modified());
  EXPECT_EQ(CurrentSci(d).send(S::SCI_MARKERNEXT, 0, 1), 1);
  EXPECT_EQ(CurrentSci(d).currentPos(), CurrentSci(d).length());
}

TEST(FileOperations, CharactersTheCodePageCannotStoreAreNamedBeforeTheWrite) {
  AppDriver d;
  const QString path = d.root() + "u.bas";
  WriteFile(path, "x\r\n");
  OpenDocument(d.app(), path, false);
  Type(d, "PRINT \"\xE4\xB8\xAD\" ");
  d.requesters().answer(Answer::No);
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(path), "x\r\n");
  ASSERT_FALSE(d.requesters().asked().empty());
  EXPECT_EQ(d.requesters().asked().back().title, "Warning!");
  EXPECT_EQ(d.requesters().asked().back().text,
            QString::fromUtf8("These characters cannot be stored in the file and will be written as ?:\n\xE4\xB8\xAD\nSave anyway?"));
  EXPECT_TRUE(CurrentSci(d).modified());
}

}  // namespace
}  // namespace vendle::test

namespace vendle::test {
namespace {

TEST(FileOperations, StartUpWithFilesAndNothingToRestoreOpensOnlyTheFiles) {
  DriverOptions o;
  o.arguments = {"start.bas"};
  o.prepare = [](const QString& data) {
    QFile f(data + "../../start.bas");
    f.open(QIODevice::WriteOnly);
    f.write("PRINT 1\r\n");
  };
  AppDriver d(o);
  ASSERT_EQ(Docs(d).list.size(), 1);
  EXPECT_EQ(Docs(d).list.at(0).name, "start.bas");
}

TEST(FileOperations, StartUpWithOnlyMissingFilesStillHasADocument) {
  DriverOptions o;
  o.arguments = {"missing.bas"};
  AppDriver d(o);
  ASSERT_EQ(Docs(d).list.size(), 1);
  EXPECT_TRUE(Docs(d).list.at(0).untitled());
}

}  // namespace
}  // namespace vendle::test
