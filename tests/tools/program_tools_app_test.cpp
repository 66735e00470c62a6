// Include merge, crunch, uncrunch and the clean-up commands in the running
// program: files on disk, the menu items posted to the app, the messages
// read from the scripted requesters.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/editor_view.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "program_app_fixture.h"
#include "qt_print.h"
#include "shell/ui/services.h"
#include "not_regular_files.h"
#include "test_files.h"
#include "tools/ui/rewrite_view.h"
#include "tools/cleanup.h"
#include "tools/crunch.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

const QByteArray kMain =
    "'target picomite\r\n"
    "PRINT \"main\"\r\n"
    "#INCLUDE \"lib\\one.inc\"\r\n"
    "  X = 1 ' set  it\r\n";

class ProgramToolsApp : public ProgramApp {
 protected:
  ProgramToolsApp() {
    open("src/main.bas", [this](const QString& root) {
      folder = root + "src/";
      QDir().mkpath(folder + "Lib");
      WriteFile(folder + "main.bas", kMain);
      // The nested name is looked up from the program's folder, letter case ignored.
      WriteFile(folder + "Lib/One.inc", "PRINT \"one\"\r\n'#INCLUDE \"LIB/TWO.INC\"\r\n");
      WriteFile(folder + "Lib/two.inc", "PRINT \"two\"");
    });
  }
  // The messages shown since the last call, as "title: text".
  QStringList Messages() {
    QStringList out;
    for (const Asked& a : driver->requesters().asked())
      if (a.kind == u"message") out.append(a.title + ": " + a.text);
    driver->requesters().clear();
    return out;
  }

  QString folder;
};

TEST_F(ProgramToolsApp, MergeOpensTheMergedProgramBesideTheSource) {
  ASSERT_NE(ed, nullptr);
  const int tabs = app().state().docs.list.size();
  Messages();
  Menu(Item::Merge);
  ASSERT_EQ(app().state().docs.list.size(), tabs + 1);
  const DocumentRecord* result = Current();
  EXPECT_EQ(result->path, folder + "main_Merged.bas");
  EXPECT_EQ(result->name, "main_Merged.bas");
  EditorView* out = CurrentEditor(app());
  ASSERT_NE(out, ed);
  EXPECT_EQ(GetEditorText(out),
            "'target picomite\r\nPRINT \"main\"\r\n'_'#INCLUDE \"lib\\one.inc\"\r\n"
            "PRINT \"one\"\r\n'_''#INCLUDE \"LIB/TWO.INC\"\r\nPRINT \"two\"' END INCLUDE\r\n' END INCLUDE\r\n"
            "  X = 1 ' set  it\r\n");
  EXPECT_EQ(Messages(), QStringList{"Done!: 2 files included"});
  EXPECT_TRUE(out->sci().modified()) << "an unsaved result";
  EXPECT_FALSE(QFileInfo::exists(result->path));
  EXPECT_EQ(ReadFile(path), kMain);
  EXPECT_FALSE(ed->sci().modified());
}

TEST_F(ProgramToolsApp, MergeTellsOfEachMissingFileAndOfNoneIncluded) {
  ASSERT_NE(ed, nullptr);
  SetEditorText(ed, u"A = 1\n#INCLUDE \"gone.inc\"\n#INCLUDE self.bas\n", true);
  WriteFile(folder + "self.bas", "#INCLUDE self.bas\n");
  Messages();
  Menu(Item::Merge);
  EXPECT_EQ(Messages(), (QStringList{"Oops!: Unable to find gone.inc\non line 2\n\nInclude loop: self.bas\non line 4",
                                     "Done!: 1 file included"}));
  ActivateDocumentTab(app(), 0);
  SetEditorText(ed, u"A = 1\n", true);
  Menu(Item::Merge);
  EXPECT_EQ(Messages(), QStringList{"Oops!: No files included"});
  EXPECT_EQ(GetEditorText(CurrentEditor(app())), "A = 1\r\n")
      << "the tab stays with the copied text, in the source document's line ends";
}

// 300 missing files gave 300 modal messages in a row; a pipe named as an
// include was "Unable to find".
TEST_F(ProgramToolsApp, MergeSaysEveryProblemInOneMessageAndWhyAFileIsRefused) {
  ASSERT_NE(ed, nullptr);
  ASSERT_TRUE(MakeFifo(folder + "pipe.inc"));
  QString text = "#INCLUDE \"pipe.inc\"\n";
  QString want = "Oops!: Cannot include pipe.inc: It is a pipe (FIFO), not a file.\non line 1";
  for (int i = 0; i < 300; ++i) {
    text += QString("#INCLUDE \"gone%1.inc\"\n").arg(i);
    want += QString("\n\nUnable to find gone%1.inc\non line %2").arg(i).arg(i + 2);
  }
  SetEditorText(ed, text, true);
  Messages();
  Menu(Item::Merge);
  EXPECT_EQ(Messages(), (QStringList{want, "Oops!: No files included"}));
}

// Eight levels, each including the next ten times: 10^8 files. The merge
// stops at its bound, says so, and changes nothing; the wait cursor shows.
TEST_F(ProgramToolsApp, AnIncludeBombIsStoppedWithNothingChanged) {
  ASSERT_NE(ed, nullptr);
  for (int level = 1; level <= 8; ++level) {
    QByteArray body = "PRINT \"level " + QByteArray::number(level) + "\"\r\n";
    if (level < 8)
      for (int i = 0; i < 10; ++i) body += "#INCLUDE \"bomb" + QByteArray::number(level + 1) + ".inc\"\r\n";
    WriteFile(folder + "bomb" + QString::number(level) + ".inc", body);
  }
  SetEditorText(ed, u"#INCLUDE \"bomb1.inc\"\n", true);
  const int tabs = app().state().docs.list.size();
  const int waits = WaitCursor::shown();
  Messages();
  Menu(Item::Merge);
  EXPECT_EQ(Messages(), QStringList{"Oops!: More than 10000 files would be included.\nNothing was merged."});
  EXPECT_EQ(app().state().docs.list.size(), tabs) << "no result tab";
  EXPECT_EQ(GetEditorText(ed), "#INCLUDE \"bomb1.inc\"\n");
  EXPECT_GT(WaitCursor::shown(), waits) << "no wait cursor while merging";
}

TEST_F(ProgramToolsApp, CrunchWritesTheTabAndTheCrossReferenceFile) {
  ASSERT_NE(ed, nullptr);
  QString other;
  for (const SyntaxEntry& e : app().state().syntax.list)
    if (e.name != Current()->syntax) other = e.name;
  ASSERT_FALSE(other.isEmpty()) << "the shipped syntaxes are loaded";
  Current()->syntax = other;
  const QString source = GetEditorText(ed);

  Menu(Item::Crunch);
  const DocumentRecord* result = Current();
  EXPECT_EQ(result->path, folder + "main_c.bas");
  EXPECT_EQ(result->syntax, other) << "the source's syntax";
  EditorView* out = CurrentEditor(app());
  ASSERT_NE(out, ed);
  EXPECT_EQ(GetEditorText(out), "'target picomite\r\nPRINT \"main\"\r\n#INCLUDE \"lib\\one.inc\"\r\nX=1\r\n");
  EXPECT_EQ(ReadFile(folder + "main_c.lst"), "1 1\r\n2 2\r\n3 3\r\n4 4\r\n");
  EXPECT_TRUE(out->sci().modified());
  EXPECT_EQ(GetEditorText(ed), source);

  // In LF mode the tab keeps the source's CR LF, as the cross-reference.
  app().settings().lineEndingsMode = 1;
  app().settings().preserveFirstLine = 0;
  ActivateDocumentTab(app(), 0);
  Menu(Item::Crunch);
  EXPECT_EQ(GetEditorText(CurrentEditor(app())), "PRINT \"main\"\r\n#INCLUDE \"lib\\one.inc\"\r\nX=1\r\n");
  EXPECT_EQ(ReadFile(folder + "main_c.lst"), "1 2\r\n2 3\r\n3 4\r\n");
}

TEST_F(ProgramToolsApp, ACrossReferenceFileThatCannotBeWrittenIsSaid) {
  ASSERT_NE(ed, nullptr);
  const QString list = folder + "main_c.lst";
  WriteFile(list, "old\r\n");
  Messages();
  for (const FileFault::Step step : {FileFault::Step::Write, FileFault::Step::Commit}) {
    {
      const ScopedFileFault fault({step, list, 0});
      Menu(Item::Crunch);
    }
    EXPECT_TRUE(Current()->path.endsWith("main_c.bas")) << "the tab is there";
    EXPECT_EQ(ReadFile(list), "old\r\n");
    const QStringList said = Messages();
    ASSERT_EQ(said.size(), 1) << said.join('\n').toStdString();
    EXPECT_TRUE(said[0].startsWith("Oops!: The cross-reference file could not be written:\n" + list + "\n"))
        << said[0].toStdString();
    ActivateDocumentTab(app(), 0);
  }
}

TEST_F(ProgramToolsApp, WithTooManyTabsNoFileIsTouched) {
  ASSERT_NE(ed, nullptr);
  const QString list = folder + "main_c.lst";
  WriteFile(list, "old\r\n");
  while (NewDocument(app()) >= 0) {
  }
  ActivateDocumentTab(app(), 0);
  const int tabs = app().state().docs.list.size();
  Messages();
  for (Item item : {Item::Crunch, Item::UnCrunch, Item::Merge}) Menu(item);
  EXPECT_EQ(app().state().docs.list.size(), tabs);
  EXPECT_EQ(Messages(), QStringList(3, "Oops!: Too many tabs open.")) << "and no merge message";
  EXPECT_EQ(ReadFile(list), "old\r\n");
  EXPECT_EQ(ReadFile(path), kMain);
}

TEST_F(ProgramToolsApp, UnCrunchOpensAReadableCopy) {
  ASSERT_NE(ed, nullptr);
  app().settings().preserveFirstLine = 0;
  SetEditorText(ed, u"A=B+1:PRINT\"x \"\r\nSUB S(n)\r\nEND SUB\r\n", true);
  Menu(Item::UnCrunch);
  EXPECT_EQ(Current()->path, folder + "main_uc.bas");
  EXPECT_EQ(GetEditorText(CurrentEditor(app())), "A = B + 1:PRINT \"x \"\r\n\r\nSUB S( n )\r\nEND SUB\r\n\r\n");
}

struct CleanupCase {
  const char* what;
  Item item;
  const char* text;
  const char* expected;
};

TEST_F(ProgramToolsApp, EachCleanupCommandIsOneUndoStep) {
  ASSERT_NE(ed, nullptr);
  const char* program = "'target picomite\r\n  A = 1   ' one\r\n\r\n  /* a\r\n\tb */\r\nPRINT \"\xC2\xB1\"\r\n";
  const CleanupCase cases[] = {
      {"Remove indents", Item::RemoveIndents, program,
       "'target picomite\r\nA = 1   ' one\r\n\r\n/* a\r\nb */\r\nPRINT \"\xC2\xB1\"\r\n"},
      {"Remove blank lines", Item::RemoveBlankLines, program,
       "'target picomite\r\n  A = 1   ' one\r\n  /* a\r\n\tb */\r\nPRINT \"\xC2\xB1\"\r\n"},
      {"Remove comments", Item::RemoveComments, program,
       "'target picomite\r\n  A = 1   \r\n\r\n  /* a\r\n\tb */\r\nPRINT \"\xC2\xB1\"\r\n"},
      {"Convert C type comments", Item::ConvertCComments, program,
       "'target picomite\r\n  A = 1   ' one\r\n\r\n' /* a\r\n' \tb */\r\nPRINT \"\xC2\xB1\"\r\n"},
      {"Remove non-ASCII characters", Item::RemoveNonAscii, program,
       "'target picomite\r\n  A = 1   ' one\r\n\r\n  /* a\r\n\tb */\r\nPRINT \"+-\"\r\n"},
      {"Wrap comments", Item::WrapComments,
       "A = 1 ' aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn oooo pppp qqqq\r\nB\r\n",
       "A = 1 ' aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn \r\n      ' oooo pppp "
       "qqqq\r\nB\r\n"},
      {"Convert C type comments without a final line end", Item::ConvertCComments, "/* a\r\nb */", "' /* a\r\n' b */"},
      {"Wrap comments without a final line end", Item::WrapComments,
       "B\r\nA = 1 ' aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn oooo pppp qqqq",
       "B\r\nA = 1 ' aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn \r\n      ' oooo pppp qqqq"},
  };
  for (const CleanupCase& c : cases) {
    const QString before = QString::fromUtf8(c.text);
    SetEditorText(ed, before, true);
    s().send(S::SCI_GOTOLINE, 2);
    Menu(c.item);
    EXPECT_EQ(GetEditorText(ed), QString::fromUtf8(c.expected)) << c.what;
    EXPECT_TRUE(s().modified()) << c.what;
    const bool range = c.item == Item::WrapComments || c.item == Item::ConvertCComments;
    EXPECT_EQ(s().lineFromPosition(s().currentPos()), range ? 0 : 2)
        << c.what << ": the caret stays on its line (a range command goes to the range's first line)";
    s().send(S::SCI_UNDO);
    EXPECT_EQ(GetEditorText(ed), before) << c.what << ": one Undo gives the text back";
    EXPECT_FALSE(s().modified()) << c.what;
  }
}

// A program without C comments, the whole document or a selection: nothing
// to convert, so no line changes, no undo step, no "Not saved".
TEST_F(ProgramToolsApp, ConvertCTypeCommentsLeavesEveryOtherLineAsItIs) {
  ASSERT_NE(ed, nullptr);
  const QString program = QStringLiteral("Sub Main\r\n  If a Then\r\n\tPrint a ' x / y\r\n  EndIf  \r\nEnd Sub\r\n");
  for (bool selection : {false, true}) {
    SetEditorText(ed, program, true);
    if (selection) s().send(S::SCI_SETSEL, s().positionFromLine(1), s().positionFromLine(3) + 2);
    Menu(Item::ConvertCComments);
    EXPECT_EQ(GetEditorText(ed), program) << selection;
    EXPECT_FALSE(s().modified()) << selection;
    EXPECT_FALSE(s().send(S::SCI_CANUNDO)) << selection;
  }
}

TEST_F(ProgramToolsApp, CleanupCommandsKeepTheFoldsAndTheFirstVisibleLine) {
  ASSERT_NE(ed, nullptr);
  QString program;
  for (int n = 0; n < 100; ++n) program += QStringLiteral("SUB P%1\r\n  A = %1 ' note\r\nEND SUB\r\n").arg(n);
  const QList<int> headers = {4, 61, 91};  // 1-based
  for (Item item : {Item::RemoveComments, Item::WrapComments, Item::RemoveNonAscii}) {
    // A last line that each command changes: a long comment with a non-ASCII character.
    const QString before = program + QStringLiteral("X = 1 ' \u00B1") + QString(90, u'x');
    SetEditorText(ed, before, true);
    s().send(S::SCI_COLOURISE, 0, -1);
    for (int line1 : headers) s().send(S::SCI_FOLDLINE, line1 - 1, S::SC_FOLDACTION_CONTRACT);
    ASSERT_EQ(CollapsedHeaders(*ed), headers);
    s().send(S::SCI_GOTOLINE, 250);
    s().send(S::SCI_SETFIRSTVISIBLELINE, s().send(S::SCI_VISIBLEFROMDOCLINE, 80));
    s().send(S::SCI_GOTOLINE, 85);
    Menu(item);
    EXPECT_NE(GetEditorText(ed), before) << int(item);
    EXPECT_EQ(CollapsedHeaders(*ed), headers) << int(item);
    EXPECT_EQ(s().send(S::SCI_DOCLINEFROMVISIBLE, s().send(S::SCI_GETFIRSTVISIBLELINE)), 80) << int(item);
  }
}

TEST_F(ProgramToolsApp, RangeCommandsAndNonAsciiWorkOnTheSelectionOnly) {
  ASSERT_NE(ed, nullptr);
  const QString text = QStringLiteral("// one\r\n// two \u00B1\r\n// three \u00B1\r\n");
  SetEditorText(ed, text, true);
  // From inside line 1 to the start of line 2: lines 1 and 2.
  const Sci::Pos line1 = s().positionFromLine(1);
  s().send(S::SCI_SETSEL, line1 + 3, s().positionFromLine(2));
  Menu(Item::ConvertCComments);
  EXPECT_EQ(GetEditorText(ed), QStringLiteral("// one\r\n' // two \u00B1\r\n' // three \u00B1\r\n"));
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), text);

  // The selection "two \u00B1" only.
  s().send(S::SCI_SETSEL, line1 + 3, s().lineEndPosition(1));
  Menu(Item::RemoveNonAscii);
  EXPECT_EQ(GetEditorText(ed), QStringLiteral("// one\r\n// two +-\r\n// three \u00B1\r\n"));
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), text);
}

}  // namespace
}  // namespace vendle::test
