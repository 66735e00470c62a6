// Applying a syntax to a real editor, the case of user names, and the marks
// of unsaved changes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstring>
#include <vector>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "editor/lexer.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/syntax_commands.h"
#include "shell/ui/main_menu.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

QString Write(AppDriver& d, const char* name, const QByteArray& text) {
  const QString path = d.root() + name;
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(text);
  return path;
}


// The style at the start of the first occurrence of `word` from `from`.
int StyleOf(Sci s, const QByteArray& word, Sci::Pos from = 0) {
  s.send(S::SCI_COLOURISE, 0, -1);
  const QByteArray text = s.range(0, s.length());
  const qsizetype at = text.indexOf(word, from);
  return at < 0 ? -1 : static_cast<int>(s.send(S::SCI_GETSTYLEAT, at));
}

const QByteArray kProgram =
    "' a picomite program\r\n"
    "DIM count%, name$ = \"x\"\r\n"
    "SUB ShowIt(n)\r\n"
    "  PRINT n; count%\r\n"
    "END SUB\r\n"
    "FUNCTION Twice(v)\r\n"
    "  Twice = 2 * v\r\n"
    "END FUNCTION\r\n"
    "ShowIt Twice(21)\r\n";

// REM opens a comment to the line end in any case; words that only begin
// with REM are untouched, and writing the keyword case leaves remarks alone.
TEST(SyntaxApply, RemStartsACommentToTheLineEndAndIsNotRecased) {
  AppDriver d;
  d.app().settings().upperCase = 1;
  const QByteArray text =
      "REM print x : DIM y\r\n"
      "rem print \"open\r\n"
      "10 Rem numbered\r\n"
      "x = 1 : REM after a colon\r\n"
      "remaining = REMX + 1\r\n"
      "print remaining\r\n";
  OpenDocument(d.app(), Write(d, "r.bas", text), false);
  Sci s = CurrentSci(d);
  s.send(S::SCI_COLOURISE, 0, -1);
  for (const char* remark : {"REM print x : DIM y", "rem print \"open", "Rem numbered", "REM after a colon"}) {
    SCOPED_TRACE(remark);
    const qsizetype at = text.indexOf(remark);
    ASSERT_GE(at, 0);
    for (qsizetype i = at; i < at + qsizetype(std::strlen(remark)); ++i)
      ASSERT_EQ(s.send(S::SCI_GETSTYLEAT, i), kStyleComment) << "at byte " << i - at;
  }
  EXPECT_NE(StyleOf(s, ": REM"), kStyleComment) << "the remark starts at REM";
  EXPECT_NE(StyleOf(s, "remaining ="), kStyleComment);
  EXPECT_NE(StyleOf(s, "REMX"), kStyleComment);
  EXPECT_EQ(StyleOf(s, "print remaining"), kStyleKeyword);
  d.menu(Item::SaveKeywordCase);
  EXPECT_EQ(s.range(0, s.length()),
            "REM print x : DIM y\r\n"
            "rem print \"open\r\n"
            "10 Rem numbered\r\n"
            "x = 1 : REM after a colon\r\n"
            "remaining = REMX + 1\r\n"
            "PRINT remaining\r\n");
}

// The loader's directives and the words after OPTION are keywords of the
// dialects that have them, in any case.
TEST(SyntaxApply, LoaderDirectivesAndOptionWordsGetTheKeywordStyle) {
  struct Case {
    const char* dialect;
    std::vector<const char*> keywords;
  };
  const Case cases[] = {
      {"picomite", {"#INCLUDE", "#define", "DEFAULT", "base", "EXPLICIT", "ALL"}},
      {"ARMmite", {"DEFAULT", "base", "EXPLICIT", "ALL"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialect);
    AppDriver d;
    const QByteArray text = QByteArray("'target kw\\") + c.dialect +
                            "\r\n"
                            "#INCLUDE \"lib.inc\"\r\n"
                            "#define \"LED\", \"GP25\"\r\n"
                            "OPTION DEFAULT INTEGER : OPTION base 1 : OPTION EXPLICIT\r\n"
                            "CLOSE ALL\r\n";
    OpenDocument(d.app(), Write(d, "o.bas", text), false);
    ASSERT_EQ(d.app().state().docs.list.current()->syntax, c.dialect);
    Sci s = CurrentSci(d);
    for (const char* w : c.keywords) EXPECT_EQ(StyleOf(s, w), kStyleKeyword) << w;
    EXPECT_EQ(StyleOf(s, "\"lib.inc\""), kStyleString);
  }
}

TEST(SyntaxApply, UserSubsFunctionsAndVariablesGetTheirStyles) {
  AppDriver d;
  OpenDocument(d.app(), Write(d, "p.bas", kProgram), false);
  Sci s = CurrentSci(d);
  EXPECT_EQ(StyleOf(s, "PRINT"), kStyleKeyword);
  EXPECT_EQ(StyleOf(s, "ShowIt Twice"), kStyleUserSub);
  EXPECT_EQ(StyleOf(s, "Twice(21)"), kStyleUserSub);
  EXPECT_EQ(StyleOf(s, "count%;") < 0 ? StyleOf(s, "count%", 40) : StyleOf(s, "count%;"), kStyleUserVariable);
  EXPECT_EQ(StyleOf(s, "' a picomite"), kStyleComment);
  EXPECT_EQ(StyleOf(s, "\"x\""), kStyleString);
  EXPECT_EQ(d.app().state().docs.list.current()->syntax, "picomite");
}

TEST(SyntaxApply, CleanupLabelsRecasesUsesAsDeclaredExceptInCommentsAndStringsInOneStep) {
  AppDriver d;
  const QByteArray text =
      "DIM PrintX, B$\r\n"
      "printx = 1 : PRINTX = 2\r\n"
      "' printx stays in a comment\r\n"
      "PRINT \"printx\", printx, b$, b\r\n";
  OpenDocument(d.app(), Write(d, "c.bas", text), false);
  Sci s = CurrentSci(d);
  d.menu(Item::CleanupLabels);
  EXPECT_EQ(s.range(0, s.length()),
            "DIM PrintX, B$\r\n"
            "PrintX = 1 : PrintX = 2\r\n"
            "' printx stays in a comment\r\n"
            "PRINT \"printx\", PrintX, B$, B\r\n");
  s.send(S::SCI_UNDO);
  EXPECT_EQ(s.range(0, s.length()), text) << "all rewrites are one undo step";
}

TEST(SyntaxApply, IncludeParametersTogglesTheParameterWords) {
  AppDriver d;
  OpenDocument(d.app(), Write(d, "pin.bas", "SETPIN GP0, DIN\r\n"), false);
  Sci s = CurrentSci(d);
  const int before = StyleOf(s, "DIN");
  d.menu(Item::IncludeParameters);
  const int after = StyleOf(s, "DIN");
  EXPECT_NE(before, after);
  EXPECT_TRUE(before == kStyleKeyword || after == kStyleKeyword);
  EXPECT_EQ(ItemChecked(d.app(), +Item::IncludeParameters), d.app().settings().includeParameters != 0);
}

TEST(SyntaxApply, TheSyntaxMenuSwitchesDialectsAndRecolours) {
  AppDriver d;
  OpenDocument(d.app(), Write(d, "t.bas", "10 PRINT \"hi\"\r\n20 GOSUB 10\r\nPIO START\r\n"), false);
  Sci s = CurrentSci(d);
  const int pico = StyleOf(s, "PIO");
  int attinyItem = -1;
  for (int item = +Item::SyntaxFirst; item <= +Item::SyntaxLast; ++item)
    if (ItemText(d.app(), item) == "ATTiny") attinyItem = item;
  ASSERT_GT(attinyItem, 0) << "the shipped dialects are in the menu";
  d.menu(static_cast<Item>(attinyItem));
  EXPECT_EQ(d.app().state().docs.list.current()->syntax, "ATTiny");
  EXPECT_TRUE(ItemChecked(d.app(), attinyItem));
  EXPECT_EQ(pico, kStyleKeyword);
  EXPECT_NE(StyleOf(s, "PIO"), kStyleKeyword) << "ATTiny has no PIO";
  EXPECT_EQ(StyleOf(s, "GOSUB"), kStyleKeyword);
}

TEST(SyntaxApply, AnEmptySyntaxListStillGivesAWorkingEditor) {
  DriverOptions o;
  o.prepare = [](const QString& data) {
    // Folders in the way of the default syntax files: nothing is seeded
    // over them, and a folder is no syntax file.
    for (const char* n : {"picomite.tkn", "ARMmite.tkn", "ATTiny.tkn"}) QDir().mkpath(data + n);
  };
  AppDriver d(o);
  ASSERT_TRUE(d.app().state().syntax.list.empty());
  OpenDocument(d.app(), Write(d, "e.bas", "' still a comment\r\nx = \"text\" : y = 12\r\n"), false);
  Sci s = CurrentSci(d);
  // The words every dialect shares still colour: comments, strings, numbers.
  EXPECT_EQ(StyleOf(s, "' still"), kStyleComment);
  EXPECT_EQ(StyleOf(s, "\"text\""), kStyleString);
  EXPECT_EQ(StyleOf(s, "12"), kStyleNumber);
  s.sendText(S::SCI_ADDTEXT, 7, "PRINT 1");
  EXPECT_TRUE(s.modified());
  d.menu(Item::SyntaxFirst);  // a Syntax item without a dialect changes nothing
  EXPECT_EQ(s.range(0, 7), "PRINT 1");
}

struct ChangeMarkFixture {
  AppDriver d;
  QString path;
  explicit ChangeMarkFixture(int style) {
    d.app().settings().styleForChanges = style;
    path = Write(d, "m.bas", "a = 1\r\nb = 2\r\nc = 3\r\n");
    OpenDocument(d.app(), path, false);
  }
  Sci s() { return CurrentSci(d); }
  bool marked(int line) { return s().send(S::SCI_MARKERGET, line) & (1 << kChangeMarker); }
  bool indicated(Sci::Pos pos) { return s().send(S::SCI_INDICATORVALUEAT, kChangeIndicator, pos) != 0; }
  int markedLines() {
    int n = 0;
    for (int l = 0; l < s().lineCount(); ++l) n += marked(l);
    return n;
  }
  void typeAtLine(int line, const char* text) {
    s().send(S::SCI_GOTOPOS, s().positionFromLine(line));
    s().sendText(S::SCI_ADDTEXT, std::strlen(text), text);
  }
};

TEST(ChangeMarks, TypingMarksTheLineSavingAndUndoClearThem) {
  ChangeMarkFixture f(1);
  EXPECT_EQ(f.markedLines(), 0) << "a loaded file shows no marks";
  f.typeAtLine(1, "x");
  EXPECT_TRUE(f.marked(1));
  EXPECT_EQ(f.markedLines(), 1);
  f.s().send(S::SCI_UNDO);
  EXPECT_EQ(f.markedLines(), 0) << "undo back to the save point clears them";
  f.typeAtLine(2, "y");
  f.typeAtLine(0, "new line\r\n");
  EXPECT_EQ(f.markedLines(), 2);
  EXPECT_TRUE(f.marked(0));
  EXPECT_FALSE(f.marked(1)) << "the line pushed down by an inserted line is not changed";
  f.d.menu(Item::Save);
  EXPECT_EQ(f.markedLines(), 0) << "only unsaved changes are marked";
}

TEST(ChangeMarks, EachStyleShowsItsKind) {
  struct Case {
    int style;
    bool margin;
    bool text;
  };
  for (const Case& c : {Case{1, true, false}, Case{2, false, true}, Case{3, true, true}, Case{0, false, false}}) {
    ChangeMarkFixture f(c.style);
    f.typeAtLine(1, "zz");
    const Sci::Pos at = f.s().positionFromLine(1);
    EXPECT_EQ(f.marked(1), c.margin) << "style " << c.style;
    EXPECT_EQ(f.indicated(at), c.text) << "style " << c.style;
  }
}

TEST(ChangeMarks, HighlightChangesOffMarksNothing) {
  AppDriver d;
  d.app().settings().highlightChanges = 0;
  OpenDocument(d.app(), Write(d, "h.bas", "a\r\n"), false);
  Sci s = CurrentSci(d);
  s.sendText(S::SCI_ADDTEXT, 1, "q");
  EXPECT_EQ(s.send(S::SCI_MARKERNEXT, 0, 1 << kChangeMarker), -1);
}

TEST(SyntaxApply, CommandsUseTheCurrentDocumentsDialectNotTheOneAppliedLast) {
  AppDriver d;
  App& app = d.app();
  OpenDocument(app, Write(d, "pico.bas", "'target kw\\picomite\r\nDIM count%\r\nPRINT COUNT%\r\n"), false);
  OpenDocument(app, Write(d, "tiny.bas", "'target kw\\ATTiny\r\n10 PRINT 1\r\n"), false);
  ASSERT_EQ(app.state().docs.list.size(), 2);
  ASSERT_EQ(app.state().docs.list.at(1).syntax, "ATTiny");
  // Back to the picomite tab: ATTiny was applied last.
  SwitchDocumentTab(app, 0, 1);
  d.menu(Item::CleanupLabels);
  DocumentRecord& doc = *app.state().docs.list.current();
  EXPECT_EQ(doc.syntax, "picomite");
  Sci s = CurrentSci(d);
  EXPECT_EQ(StyleOf(s, "PRINT"), kStyleKeyword);
  EXPECT_EQ(s.range(0, s.length()), "'target kw\\picomite\r\nDIM count%\r\nPRINT count%\r\n");
  s.send(QsciScintillaBase::SCI_DOCUMENTEND);
  d.menu(Item::ReturnKey);
  EXPECT_TRUE(s.range(0, s.length()).endsWith("count%\r\n\r\n")) << "no ATTiny line number typed";
  d.requesters().answer(Answer::No);  // save changes?
  d.menu(Item::Close);
  ASSERT_FALSE(app.settings().recentFiles.isEmpty());
  EXPECT_EQ(app.settings().recentFiles[0].section(u'|', 4, 4), "picomite");
}

TEST(SyntaxApply, SettingTheDefaultSyntaxSaysSo) {
  AppDriver d;
  OpenDocument(d.app(), Write(d, "tiny.bas", "'target kw\\ATTiny\r\n10 PRINT 1\r\n"), false);
  d.menu(Item::SetSyntaxAsDefault);
  EXPECT_EQ(d.app().settings().defaultSyntax, "ATTiny");
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  EXPECT_EQ(d.requesters().asked()[0].title, "Syntax");
  EXPECT_EQ(d.requesters().asked()[0].text, "Default syntax set to ATTiny");
}

}  // namespace
}  // namespace vendle::test
