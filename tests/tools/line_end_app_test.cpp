// Every command that rewrites a program, or writes its result into a new
// tab, gives the text the line ends of the document it worked on, whatever
// "Line_endings_Mode" says; and the next Return types the same kind. In the
// running program, on program files of either kind.
#include <gtest/gtest.h>

#include <QTest>

#include "program_app_fixture.h"
#include "program_meaning.h"
#include "qt_print.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// Lines every tool changes: numbers, indentation, a blank line, comments,
// a C comment, a comment too long for its line, an include.
QByteArray Program(const QByteArray& eol) {
  QByteArray p = "10 ' first" + eol + "20 #INCLUDE \"lib.inc\"" + eol + "30 FOR I = 1 TO 3" + eol +
                 "40     PRINT I ' aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn oooo" +
                 eol + eol + "50 /* c */" + eol + "60 NEXT I" + eol;
  return p;
}

// The kinds of line end in `text`: "CRLF", "LF", "CR", each once, in order met.
QStringList Kinds(const QString& text) {
  QStringList kinds;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QString k;
    if (text[i] == u'\r') k = i + 1 < text.size() && text[i + 1] == u'\n' ? (++i, u"CRLF"_qs) : u"CR"_qs;
    else if (text[i] == u'\n') k = u"LF"_qs;
    if (!k.isEmpty() && !kinds.contains(k)) kinds.append(k);
  }
  return kinds;
}

struct Kind {
  const char* name;
  QByteArray eol;
  int mode;    // SC_EOL_*
  int other;   // "Line_endings_Mode" of the other kind
};

class LineEndApp : public ProgramApp, public ::testing::WithParamInterface<Kind> {
 protected:
  void SetUp() override {
    const Kind k = GetParam();
    const QByteArray otherEol = k.eol == "\n" ? QByteArray("\r\n") : QByteArray("\n");
    open("prog.bas", [&](const QString& root) {
      WriteFile(root + "prog.bas", Program(k.eol));
      WriteFile(root + "lib.inc", "PRINT 1" + otherEol + "PRINT 2" + otherEol);
    });
    ASSERT_NE(ed, nullptr);
    ASSERT_EQ(s().send(S::SCI_GETEOLMODE), k.mode) << "the document takes its file's line ends";
    app().settings().lineEndingsMode = k.other;
  }
};

TEST_P(LineEndApp, EveryRewriteAndResultKeepsTheDocumentsKind) {
  const Kind k = GetParam();
  const QString want = k.eol == "\n" ? u"LF"_qs : u"CRLF"_qs;
  const Item tools[] = {Item::FormatIndentation, Item::RemoveIndents,   Item::RemoveBlankLines, Item::RemoveComments,
                        Item::ConvertCComments,  Item::WrapComments,    Item::RemoveNonAscii,   Item::Merge,
                        Item::Crunch,            Item::UnCrunch,        Item::RemoveLineNumbers, Item::CleanupLabels};
  const int source = app().state().docs.currentTabIndex;
  auto check = [&](const char* what) {
    EditorView* out = CurrentEditor(app());
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(Kinds(GetEditorText(out)), QStringList{want}) << what;
    EXPECT_EQ(out->sci().send(S::SCI_GETEOLMODE), k.mode) << what;
    out->sci().send(S::SCI_DOCUMENTEND);
    Menu(Item::ReturnKey);
    EXPECT_EQ(Kinds(GetEditorText(out)), QStringList{want}) << what << ": the next Return";
  };
  for (Item tool : tools) {
    SCOPED_TRACE(+tool);
    SwitchDocumentTab(app(), source, app().state().docs.currentTabIndex);
    SetEditorText(ed, QString::fromUtf8(Program(k.eol)), true);
    Menu(tool);
    check("after the command");
  }
  SwitchDocumentTab(app(), source, app().state().docs.currentTabIndex);
  SetEditorText(ed, QString::fromUtf8(Program(k.eol)), true);
  Current()->syntax = u"ATTiny"_qs;
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    Menu(Item::FormatIndentation);  // the ATTiny numbering, both ways
    check("after the ATTiny numbering");
  }
}

// DOS or UNIX line endings change the kind; an Undo (menu or key) of it
// gives the text back and with it its kind, a Redo the new one again.
TEST_P(LineEndApp, UndoAndRedoBringTheKindBackWithTheText) {
  const Kind k = GetParam();
  const QString want = k.eol == "\n" ? u"LF"_qs : u"CRLF"_qs;
  const QString other = k.eol == "\n" ? u"CRLF"_qs : u"LF"_qs;
  const Item convert = k.eol == "\n" ? Item::DosLineEndings : Item::UnixLineEndings;
  const QString original = GetEditorText(ed);
  auto typeReturn = [&] {
    s().send(S::SCI_DOCUMENTEND);
    s().send(S::SCI_NEWLINE);
    const QStringList kinds = Kinds(GetEditorText(ed));
    s().send(S::SCI_UNDO);
    return kinds;
  };
  for (bool byKey : {false, true}) {
    SCOPED_TRACE(byKey ? "by key" : "by menu");
    Menu(convert);
    ASSERT_EQ(Kinds(GetEditorText(ed)), QStringList{other});
    auto undo = [&] {
      if (byKey) QTest::keyClick(ed, Qt::Key_Z, Qt::ControlModifier);
      else Menu(Item::Undo);
    };
    undo();
    EXPECT_EQ(GetEditorText(ed), original);
    EXPECT_EQ(s().send(S::SCI_GETEOLMODE), k.mode);
    if (byKey) QTest::keyClick(ed, Qt::Key_Y, Qt::ControlModifier);
    else Menu(Item::Redo);
    EXPECT_EQ(Kinds(GetEditorText(ed)), QStringList{other});
    EXPECT_EQ(typeReturn(), QStringList{other}) << "after the redo";
    undo();
    EXPECT_EQ(typeReturn(), QStringList{want}) << "after the undo";
  }
}

// A new document takes the kind of "Line_endings_Mode", its intro text too
// (it was put in with LF whatever the mode, and a CR LF file saved with it
// mixed both); the untouched new tab is still replaced by the next file.
TEST(NewDocumentLineEnds, TheIntroTextHasTheKindOfTheMode) {
  for (int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    AppDriver d(DriverOptions{.preferences = u"[Options]\nLine_endings_Mode = "_qs + QString::number(mode) + u"\n"_qs});
    ASSERT_EQ(d.app().settings().lineEndingsMode, mode);
    EditorView* ed = CurrentEditor(d.app());
    ASSERT_NE(ed, nullptr);
    const QString text = GetEditorText(ed);
    ASSERT_FALSE(text.isEmpty()) << "the intro text";
    EXPECT_EQ(LineEndKinds(text), QStringList{mode == 1 ? u"LF"_qs : u"CRLF"_qs});
    EXPECT_EQ(ed->sci().send(S::SCI_GETEOLMODE), mode == 1 ? S::SC_EOL_LF : S::SC_EOL_CRLF);
    WriteFile(d.root() + "a.bas", "PRINT 1\n");
    const int tabs = d.app().state().docs.list.size();
    OpenDocument(d.app(), d.root() + "a.bas", false);
    d.processEvents();
    EXPECT_EQ(d.app().state().docs.list.size(), tabs) << "the unused new tab was replaced";
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, LineEndApp,
                         ::testing::Values(Kind{"LF", "\n", S::SC_EOL_LF, 0}, Kind{"CRLF", "\r\n", S::SC_EOL_CRLF, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendle::test
