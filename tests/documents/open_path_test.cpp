// The one open path through the running application: the tab limit, a file
// already open, what could not be opened, and the encoding and line ends a
// document keeps from its file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <cstring>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

Documents& Docs(AppDriver& d) { return d.app().state().docs; }
DocumentRecord& Current(AppDriver& d) { return *Docs(d).list.current(); }
QByteArray EditorBytes(AppDriver& d) { return CurrentSci(d).range(0, CurrentSci(d).length()); }
void TypeBytes(AppDriver& d, const QByteArray& text) {
  CurrentSci(d).sendText(S::SCI_ADDTEXT, text.size(), text.constData());
}

int CountMessages(const AppDriver& d, const QString& text) {
  int n = 0;
  for (const Asked& a : d.requesters().asked())
    if (a.text == text) ++n;
  return n;
}

// A small real-shaped program, different per file.
QByteArray Program(int n) {
  return "'target kw\\picomite\r\nOPTION EXPLICIT\r\nDIM INTEGER count" + QByteArray::number(n) +
         " = 0\r\nSUB Blink(pin%)\r\n  PIN(pin%) = 1 - PIN(pin%)\r\nEND SUB\r\nDO : Blink 25 : PAUSE 500 : LOOP\r\n";
}

QString Files(AppDriver& d, int count, const char* stem = "p") {
  QString list;
  for (int i = 0; i < count; ++i) {
    const QString path = d.root() + stem + QString::number(i) + ".bas";
    WriteFile(path, Program(i));
    list += path + u'\n';
  }
  return list;
}

QWidget* ShownEditor(AppDriver& d) {
  App& app = d.app();
  for (int c = +ControlId::FirstEditor; c <= +ControlId::FirstEditor + app.settings().maxTabs; ++c)
    if (QWidget* w = app.toolkit().control(c); w && w->isVisible()) return w;
  return nullptr;
}

TEST(OpenPath, EighteenFilesWithFifteenTabsShowTheMessageOnceAndKeepTheShownEditor) {
  AppDriver d;
  ASSERT_EQ(d.app().settings().maxTabs, 15);
  // The list arrives as a drop and as the control link's "/load".
  for (const bool byLoad : {false, true}) {
    SCOPED_TRACE(byLoad ? "/load" : "drop");
    AppDriver run;
    const QString list = Files(run, 18);
    QWidget* shownAtMessage = nullptr;
    QWidget* lastOpened = nullptr;
    run.requesters().whileShown = [&](const Asked& a) {
      if (a.text != QLatin1String(kTooManyTabs)) return;
      shownAtMessage = ShownEditor(run);
      lastOpened = EditorOfDocument(run.app(), Docs(run).list.size() - 1);
    };
    if (byLoad) run.post(Event::Command("/load " + list));
    else run.post(Event::Drop(list));
    run.processEvents();
    EXPECT_EQ(CountMessages(run, kTooManyTabs), 1);
    EXPECT_EQ(Docs(run).list.size(), 15);
    ASSERT_NE(shownAtMessage, nullptr) << "an editor is shown while the message is up";
    EXPECT_EQ(shownAtMessage, lastOpened);
    EXPECT_EQ(ShownEditor(run), EditorOfDocument(run.app(), Docs(run).currentTabIndex))
        << "the editor shown before the refusal stays shown";
  }
}

TEST(OpenPath, OpenAndRecentRefuseOnceToWithTheShownEditorKept) {
  AppDriver d;
  const QString list = Files(d, 16);
  const QStringList paths = list.split(u'\n', Qt::SkipEmptyParts);
  // The untitled document of the start and 14 files.
  OpenDocumentList(d.app(), paths.mid(0, 14).join(u'\n'));
  ASSERT_EQ(Docs(d).list.size(), 15);
  ASSERT_EQ(CountMessages(d, kTooManyTabs), 0);
  QWidget* before = ShownEditor(d);
  OpenDocument(d.app(), paths[15], false);
  EXPECT_EQ(CountMessages(d, kTooManyTabs), 1);
  EXPECT_EQ(ShownEditor(d), before);
  d.app().settings().recentFiles.prepend(paths[15]);
  d.menu(Item::RecentFirst);
  EXPECT_EQ(CountMessages(d, kTooManyTabs), 2);
  EXPECT_EQ(ShownEditor(d), before);
}

TEST(OpenPath, TheTabLimitComesFromTheSetting) {
  for (const int max : {5, 39}) {
    SCOPED_TRACE(max);
    AppDriver d({.preferences = WithSetting({}, "Misc Preferences", "Maximum number of tabs", QString::number(max))});
    ASSERT_EQ(d.app().settings().maxTabs, max);
    d.post(Event::Drop(Files(d, max + 1)));
    d.processEvents();
    EXPECT_EQ(Docs(d).list.size(), max);
    EXPECT_EQ(CountMessages(d, kTooManyTabs), 1);
  }
}

TEST(OpenPath, AFileAlreadyOpenIsSelectedNeverOpenedTwice) {
  AppDriver d;
  App& app = d.app();
  const QStringList paths = Files(d, 3).split(u'\n', Qt::SkipEmptyParts);
  OpenDocument(app, paths[0], false);  // in place of the unused first tab
  OpenDocumentList(app, paths.join(u'\n'));
  ASSERT_EQ(Docs(d).list.size(), 3);
  // Every way in, with the path spelled otherwise too.
  OpenDocument(app, paths[0], false);
  EXPECT_EQ(Docs(d).currentTabIndex, 0);
  d.post(Event::Drop(paths[1]));
  EXPECT_EQ(Docs(d).currentTabIndex, 1);
  d.post(Event::Command("/load " + d.root() + "./p2.bas"));
  EXPECT_EQ(Docs(d).currentTabIndex, 2);
  app.settings().recentFiles.prepend(paths[0] + "|0|0||picomite|");
  d.menu(Item::RecentFirst);
  EXPECT_EQ(Docs(d).currentTabIndex, 0);
  EXPECT_EQ(Docs(d).list.size(), 3);
  EXPECT_EQ(ShownEditor(d), CurrentEditor(app));

  // Changed by another program: read again, unless the user changed it too.
  WriteFile(paths[1], "PRINT \"new\"\r\n");
  OpenDocument(app, paths[1], false);
  EXPECT_EQ(EditorBytes(d), "PRINT \"new\"\r\n");
  EXPECT_FALSE(CurrentSci(d).modified());
  TypeBytes(d, "x");
  WriteFile(paths[1], "PRINT \"newer\"\r\n");
  OpenDocument(app, paths[0], false);
  OpenDocument(app, paths[1], false);
  EXPECT_EQ(EditorBytes(d), "xPRINT \"new\"\r\n") << "unsaved changes are never replaced";
  EXPECT_EQ(Docs(d).list.size(), 3);
}

TEST(OpenPath, WhatTheCommandLineNamesAndCannotBeOpenedIsListedInOneMessage) {
  const auto prepare = [](const QString& data) {
    QDir().mkpath(data + "../../folder.bas");
    QFile f(data + "../../good.bas");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PRINT 1\r\n");
  };
  AppDriver d({.arguments = {"missing.bas", "folder.bas", "good.bas"}, .prepare = prepare});
  ASSERT_EQ(Docs(d).list.size(), 1);
  EXPECT_EQ(Current(d).name, "good.bas");
  int messages = 0;
  for (const Asked& a : d.requesters().asked()) {
    if (a.kind != "message") continue;
    ++messages;
    EXPECT_TRUE(a.text.contains("missing.bas (no such file)")) << a.text.toStdString();
    EXPECT_TRUE(a.text.contains("folder.bas (it is a folder, not a file)")) << a.text.toStdString();
  }
  EXPECT_EQ(messages, 1);
}

TEST(OpenPath, FilesOfTheLastExitThatAreGoneAreSkippedQuietly) {
  AppDriver d;
  OpenDocumentList(d.app(), "\n" + d.root() + "gone.bas|0|0||picomite|\n");
  EXPECT_TRUE(d.requesters().asked().empty());
}

TEST(OpenPath, OldArmiteNamesBecomeARMmiteFromTheTargetCommentToo) {
  struct Case {
    const char* firstLine;
    const char* entrySyntax;
    int removeOld;
    const char* syntax;
  };
  const Case cases[] = {
      {"'target kw\\armite", "", 1, "ARMmite"},
      // Off, the old name is unknown: the last dialect, as for any unknown name.
      {"'target kw\\armite", "", 0, "picomite"},
      {"PRINT 1", "armite", 1, "ARMmite"},
      {"'target kw\\picomite", "armite", 1, "picomite"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.firstLine);
    AppDriver d;
    d.app().settings().removeOldTknFiles = c.removeOld;
    const QString path = d.root() + "t.bas";
    WriteFile(path, QByteArray(c.firstLine) + "\r\nPRINT 2\r\n");
    OpenDocumentList(d.app(), path + "|0|0||" + c.entrySyntax + "|");
    EXPECT_EQ(Current(d).syntax, c.syntax);
  }
}

// ------------------------------------------------------------ saving

TEST(OpenPath, AnEmptiedNamedDocumentIsSaved) {
  AppDriver d;
  const QString path = d.root() + "gone.bas";
  WriteFile(path, "PRINT 1\r\n");
  OpenDocument(d.app(), path, false);
  CurrentSci(d).send(S::SCI_CLEARALL);
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_FALSE(CurrentSci(d).modified());

  // And at the close question.
  WriteFile(path, "PRINT 1\r\n");
  d.menu(Item::Close);
  OpenDocument(d.app(), path, false);
  CurrentSci(d).send(S::SCI_CLEARALL);
  d.requesters().answer(Answer::Yes);
  d.menu(Item::Close);
  EXPECT_EQ(ReadFile(path), "");
}

TEST(OpenPath, RevertBringsBackTheFilesOwnBookmarksAndFolds) {
  AppDriver d;
  App& app = d.app();
  app.settings().saveFoldingInBasFile = 1;
  const QString path = d.root() + "marks.bas";
  WriteFile(path, "x = 1\r\nSUB A 'FoldHere\r\n  PRINT 1\r\nEND SUB\r\ny = 2 '>>>\r\n");
  OpenDocument(app, path, false);
  Sci s = CurrentSci(d);
  ASSERT_EQ(s.send(S::SCI_MARKERNEXT, 0, 1), 4);
  s.send(S::SCI_MARKERDELETEALL, 0);
  s.send(S::SCI_FOLDALL, S::SC_FOLDACTION_EXPAND);
  s.send(S::SCI_GOTOPOS, 0);
  TypeBytes(d, "z");
  d.requesters().answer(Answer::Yes);
  d.menu(Item::RevertToSaved);
  s = CurrentSci(d);
  EXPECT_EQ(EditorBytes(d), "x = 1\r\nSUB A\r\n  PRINT 1\r\nEND SUB\r\ny = 2\r\n");
  EXPECT_EQ(s.send(S::SCI_MARKERNEXT, 0, 1), 4) << "the bookmark of the file";
  EXPECT_FALSE(s.send(S::SCI_GETFOLDEXPANDED, 1)) << "the fold of the file";
  EXPECT_FALSE(s.modified());
}

// ------------------------------------------------ line ends and encoding

TEST(OpenPath, ADocumentKeepsTheLineEndsOfItsFile) {
  struct Case {
    const char* name;
    const char* eol;
  };
  const Case cases[] = {{"lf.bas", "\n"}, {"cr.bas", "\r"}, {"crlf.bas", "\r\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppDriver d;
    App& app = d.app();
    const QByteArray eol = c.eol;
    // The settings' mode is the other kind.
    app.settings().lineEndingsMode = eol == "\r\n" ? 1 : 0;
    QByteArray text;
    for (int i = 0; i < 4000; ++i) text += "PRINT \"line " + QByteArray::number(i) + "\"" + eol;
    const QString path = d.root() + c.name;
    WriteFile(path, text);
    OpenDocument(app, path, false);
    Sci s = CurrentSci(d);
    s.send(S::SCI_DOCUMENTEND);
    d.menu(Item::ReturnKey);                               // typed
    TypeBytes(d, "x = 1");
    QApplication::clipboard()->setText("a = 1\r\nb = 2\nc = 3\rd = 4");
    d.menu(Item::Paste);                                    // pasted
    d.menu(Item::ReturnKey);
    d.menu(Item::FontBigger);                               // a setting applied to the editor
    d.menu(Item::Save);
    const QByteArray saved = ReadFile(path);
    for (const char* other : {"\r\n", "\n", "\r"}) {
      if (QByteArray(other) == eol) continue;
      if (eol == "\r\n") EXPECT_EQ(saved.count("\r"), saved.count("\r\n")) << "no lone CR";
      else EXPECT_FALSE(saved.contains(other)) << "no " << QByteArray(other).toHex().constData();
    }
    EXPECT_TRUE(saved.endsWith("x = 1a = 1" + eol + "b = 2" + eol + "c = 3" + eol + "d = 4" + eol)) << saved.right(20).toStdString();
  }
}

TEST(OpenPath, Utf8ProgramsAreReadAndWrittenAsUtf8) {
  AppDriver d;
  App& app = d.app();
  // Real-sized: 400 KB with umlauts, symbols and text 1252 cannot store.
  QByteArray utf8 = "' Zähler für die Anzeige – Ω, ✓, 温度\r\n";
  while (utf8.size() < 400 * 1024)
    utf8 += "PRINT \"Grüße: \"; t! ; \"°C\" ' → Ausgabe\r\nDIM s$ = \"naïve café ✓\"\r\n";
  const QString path = d.root() + "utf8.bas";
  WriteFile(path, utf8);
  OpenDocument(app, path, false);
  EXPECT_TRUE(EditorBytes(d) == utf8) << "no mojibake";
  EXPECT_EQ(Current(d).encoding, FileEncoding::Utf8);
  d.menu(Item::Save);
  EXPECT_TRUE(ReadFile(path) == utf8) << "byte-identical when unchanged";
  CurrentSci(d).send(S::SCI_DOCUMENTEND);
  TypeBytes(d, "' ← ok\r\n");
  d.menu(Item::Save);
  EXPECT_TRUE(d.requesters().asked().empty()) << "UTF-8 stores every character";
  EXPECT_TRUE(ReadFile(path) == utf8 + "' ← ok\r\n");

  // With a byte-order mark: kept on disk, not in the editor.
  const QString bom = d.root() + "bom.bas";
  WriteFile(bom, "\xEF\xBB\xBFPRINT \"x\"\r\n");
  OpenDocument(app, bom, false);
  EXPECT_EQ(EditorBytes(d), "PRINT \"x\"\r\n");
  TypeBytes(d, "' é");
  d.menu(Item::Save);
  EXPECT_EQ(ReadFile(bom), "\xEF\xBB\xBF' éPRINT \"x\"\r\n");
}

TEST(OpenPath, OtherFilesStayWindows1252AndWarnAboutWhatItCannotStore) {
  AppDriver d;
  App& app = d.app();
  const QString path = d.root() + "ansi.bas";
  // "é" and "€" in 1252, and an invalid UTF-8 sequence.
  WriteFile(path, "PRINT \"caf\xE9 \x80\"\r\n");
  OpenDocument(app, path, false);
  EXPECT_EQ(EditorBytes(d), "PRINT \"café €\"\r\n");
  EXPECT_EQ(Current(d).encoding, FileEncoding::Windows1252);
  CurrentSci(d).send(S::SCI_DOCUMENTEND);
  TypeBytes(d, "' ✓");
  d.requesters().answer(Answer::Yes);
  d.menu(Item::Save);
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  EXPECT_TRUE(d.requesters().asked()[0].text.contains(u'✓'));
  EXPECT_EQ(ReadFile(path), "PRINT \"caf\xE9 \x80\"\r\n' ?");
}

}  // namespace
}  // namespace vendle::test
