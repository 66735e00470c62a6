// The Return key on the running program's editor: the line end, the
// indentation or ATTiny number and the fill it types, the caret behind them,
// and the names the finished line registers in the document and the lexer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editing_test_support.h"
#include "editor/lexer.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/view_options.h"
#include "platform/ids.h"
#include "qt_print.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

struct ReturnCase {
  const char* what;
  const char* before;  // "|" caret, "{" "}" selection
  const char* after;
  const char* subsBefore = " ";
  const char* varsBefore = " ";
  const char* subsAfter = " ";
  const char* varsAfter = " ";
  // Settings of the case.
  int autoIndent = 1;
  int useSpaces = 1;
  int tabSize = 2;
  int lineEnds = 0;
  const char* syntax = "picomite";
  int prefill = 0;
  const char* clipboard = "";
};

const ReturnCase kCases[] = {
    {"a sub with parameters", "SUB Blink(pin, rate)|", "SUB Blink(pin, rate)\r\n|", " ", " ", " Blink ",
     " pin rate "},
    {"parameters with types and a default-less list", "  FUNCTION Area(w AS FLOAT, h!) AS FLOAT|",
     "  FUNCTION Area(w AS FLOAT, h!) AS FLOAT\r\n  |", " ", " ", " Area ", " w h! "},
    {"a DIM list with types, arrays and values", "DIM a AS INTEGER, b$(10), c = 5|",
     "DIM a AS INTEGER, b$(10), c = 5\r\n|", " ", " ", " ", " a b$ c "},
    {"a label registers nothing", "loop:|", "loop:\r\n|"},
    {"a label before a DIM registers nothing", "start: DIM x|", "start: DIM x\r\n|"},
    // The name inside the keyword ("SUB s"), the comma inside brackets and
    // an empty name registered wrong names.
    {"a name that is also in its keyword", "SUB s(x)|", "SUB s(x)\r\n|", " ", " ", " s ", " x "},
    {"a name inside FUNCTION", "FUNCTION fun(a)|", "FUNCTION fun(a)\r\n|", " ", " ", " fun ", " a "},
    {"commas inside brackets", "DIM m(10,20), n(2, 3)|", "DIM m(10,20), n(2, 3)\r\n|", " ", " ", " ", " m n "},
    {"a sub without a name", "SUB|", "SUB\r\n|"},
    {"a sub with only parameters", "SUB (q)|", "SUB (q)\r\n|", " ", " ", " ", " q "},
    {"strings and comments hide commas", "LOCAL x$ = \"a,b\" ' c,d|", "LOCAL x$ = \"a,b\" ' c,d\r\n|", " ", " ",
     " ", " x$ "},
    {"CONST and STATIC", "const k = 3, j = k * 2|", "const k = 3, j = k * 2\r\n|", " ", " ", " ", " k j "},
    {"known names are not added again, in any case", "SUB blink(PIN, speed)|", "SUB blink(PIN, speed)\r\n|",
     " Blink ", " pin rate ", " Blink ", " pin rate speed "},
    {"a name list is read as whole names", "DIM ab, c|", "DIM ab, c\r\n|", " ", " cab xc ", " ", " cab xc ab c "},
    {"a list without blanks at its ends", "DIM a, b|", "DIM a, b\r\n|", "", "a", "", "a b "},
    {"one name twice on a line", "DIM q, Q|", "DIM q, Q\r\n|", " ", " ", " ", " q "},
    {"a plain statement", "PRINT a, b|", "PRINT a, b\r\n|"},
    {"the line is split at the caret", "DIM a|, b", "DIM a\r\n|, b", " ", " ", " ", " a "},
    {"a selection is replaced first", "DIM v{, w}", "DIM v\r\n|", " ", " ", " ", " v "},
    {"indentation with blanks", "    x = 1|", "    x = 1\r\n    |"},
    {"indentation with tabs and blanks", "\t\t x = 1|", "\t\t x = 1\r\n\t\t |", " ", " ", " ", " ", 1, 0, 2},
    {"a tab size of 0 counts as 1", "\t\tx|", "\t\tx\r\n\t\t|", " ", " ", " ", " ", 1, 0, 0},
    {"no auto-indent", "    x = 1|", "    x = 1\r\n|", " ", " ", " ", " ", 0},
    {"LF line ends", "  DIM r|", "  DIM r\n  |", " ", " ", " ", " r ", 1, 1, 2, 1},
    {"in the middle of the text", "a\r\n  b|\r\nc", "a\r\n  b\r\n  |\r\nc"},
    {"prefill goes after the indentation", "  x|", "  x\r\n  ' |", " ", " ", " ", " ", 1, 1, 2, 0, "picomite", 1,
     "' "},
    {"postfill goes to the finished line", "  a = 1|", "  a = 1;\r\n  |", " ", " ", " ", " ", 1, 1, 2, 0,
     "picomite", 2, ";"},
    {"postfill is counted in the finished line", "DIM p|", "DIM p, t\r\n|", " ", " ", " ", " p t ", 1, 1, 2, 0,
     "picomite", 2, ", t"},
    // ATTiny: a number instead of indentation and fill, no names.
    {"ATTiny at the end numbers in steps", "  10 DIM q|", "  10 DIM q\r\n  20 |", " ", " ", " ", " ", 1, 1, 2, 0,
     "ATTiny"},
    {"ATTiny on a line without a number", "DIM q|", "DIM q\r\n  10 |", " ", " ", " ", " ", 1, 1, 2, 0, "ATTiny"},
    {"ATTiny inside the program counts on by one", "10 A=1|\r\n20 B=2\r\n30 C=3\r\n",
     "10 A=1\r\n  11 |\r\n20 B=2\r\n30 C=3\r\n", " ", " ", " ", " ", 1, 1, 2, 0, "ATTiny"},
    {"ATTiny keeps the postfill and drops the prefill", "10 A=1|", "10 A=1:\r\n  20 |", " ", " ", " ", " ", 1, 1,
     2, 0, "ATTiny", 2, ":"},
    {"ATTiny with a prefill set", "10 A=1|", "10 A=1\r\n  20 |", " ", " ", " ", " ", 1, 1, 2, 0, "ATTiny", 1, "X"},
    {"ATTiny numbers of five digits are not cut", "99990 END|", "99990 END\r\n100000 |", " ", " ", " ", " ", 1, 1,
     2, 0, "ATTiny"},
    {"the syntax name ATTiny is compared exactly", "DIM q|", "DIM q\r\n|", " ", " ", " ", " q ", 1, 1, 2, 0,
     "attiny"},
};

TEST(ReturnKey, TypesTheLineEndAndRegistersTheNamesOfTheFinishedLine) {
  AppDriver d;
  App& app = d.app();
  EditorView* ed = CurrentEditor(app);
  ASSERT_NE(ed, nullptr);
  EditorLexer* lexer = LexerOf(*ed);
  ASSERT_NE(lexer, nullptr);
  for (const ReturnCase& c : kCases) {
    SCOPED_TRACE(c.what);
    DocumentRecord& doc = *app.state().docs.list.current();
    Settings& st = app.settings();
    st.autoIndent = c.autoIndent;
    st.useSpacesForTabs = c.useSpaces;
    st.tabSize = c.tabSize;
    st.lineEndingsMode = c.lineEnds;
    // As a document read from a file with such line ends.
    ed->sci().send(QsciScintillaBase::SCI_SETEOLMODE,
                   c.lineEnds == 1 ? QsciScintillaBase::SC_EOL_LF : QsciScintillaBase::SC_EOL_CRLF);
    st.lineNumberStep = 10;
    SetEditorTabs(app, *ed);
    app.state().prefillMode = c.prefill;
    QApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
    doc.syntax = QString::fromUtf8(c.syntax);
    doc.userSubNames = QString::fromUtf8(c.subsBefore);
    doc.userVariableNames = QString::fromUtf8(c.varsBefore);
    LexerRemoveWords(*ed, QString());
    const QString before = QString::fromUtf8(c.before);
    PutMarked(*ed, before);
    lexer->resetStats();

    d.post(Event::Menu(Item::ReturnKey));

    EXPECT_EQ(ShowMarked(*ed), QString::fromUtf8(c.after));
    EXPECT_EQ(doc.userSubNames, QString::fromUtf8(c.subsAfter));
    EXPECT_EQ(doc.userVariableNames, QString::fromUtf8(c.varsAfter));
    // Each new name is in the word map with its style and for autocompletion.
    const bool added = doc.userSubNames != c.subsBefore || doc.userVariableNames != c.varsBefore;
    auto expectWords = [&](const QString& after, const QString& before, int style) {
      for (const QString& w : after.split(u' ', Qt::SkipEmptyParts)) {
        if (before.split(u' ').contains(w)) continue;
        const LexerWordRecord* r = LexerLookupWord(*ed, w);
        ASSERT_NE(r, nullptr) << w.toStdString();
        EXPECT_EQ(r->style, style) << w.toStdString();
        EXPECT_TRUE(r->flags & WordAutoComplete) << w.toStdString();
      }
    };
    expectWords(doc.userSubNames, QString::fromUtf8(c.subsBefore), kStyleUserSub);
    expectWords(doc.userVariableNames, QString::fromUtf8(c.varsBefore), kStyleUserVariable);
    // All names of one Return come with one restyle, and none without names.
    EXPECT_EQ(lexer->stats().passes, added ? 1 : 0);

    // What Return typed goes with one undo.
    ed->sci().send(S::SCI_UNDO);
    EXPECT_EQ(GetEditorText(ed), ParseMarked(before).text);
    EXPECT_FALSE(ed->sci().send(S::SCI_CANUNDO));
  }
  app.state().prefillMode = 0;
}

// An unnumbered line counts as 0, a step below 1 as 10.
TEST(ReturnKey, ReturnAfterTheLastNumberedLineFollowsTheStepSetting) {
  struct StepCase {
    int step;
    const char* line;
    const char* number;
  };
  const StepCase steps[] = {{5, "15 PRINT", "  20 "}, {1, "7", "   8 "}, {20, "  $10 GOTO 5", "  20 "},
                            {0, "3 X", "  13 "}};
  AppDriver d;
  App& app = d.app();
  EditorView* ed = CurrentEditor(app);
  ASSERT_NE(ed, nullptr);
  app.state().docs.list.current()->syntax = QStringLiteral("ATTiny");
  app.settings().lineEndingsMode = 1;
  for (const StepCase& c : steps) {
    SCOPED_TRACE(c.line);
    app.settings().lineNumberStep = c.step;
    PutMarked(*ed, QString::fromUtf8(c.line) + u'|');
    d.post(Event::Menu(Item::ReturnKey));
    EXPECT_EQ(GetEditorLine(ed, 1), QString::fromUtf8(c.number));
  }
}

}  // namespace
}  // namespace vendle::test
