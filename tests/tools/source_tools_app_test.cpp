// The ATTiny numbering and line numbers to labels in the running program:
// the shipped ATTiny dialect, a program file opened from disk, the menu items
// posted to the app.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/editor_commands.h"
#include "platform/ids.h"
#include "program_app_fixture.h"
#include "qt_print.h"
#include "test_files.h"
#include "tools/attiny_numbering.h"
#include "tools/line_labels.h"
#include "platform/text_lines.h"
#include "editor/syntax_tkn.h"
#include "editor/ui/syntax_commands.h"
#include "shell/ui/info_window.h"
#include <algorithm>

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

const QByteArray kNumbered =
    "10 FOR I=1 TO 3\r\n20 IF I>2 THEN 50\r\n30 PRINT \"I =  \";I ' show. it\r\n40 GOSUB 60\r\n"
    "50 NEXT I\r\n60 RETURN\r\n";

class SourceToolsApp : public ProgramApp {
 protected:
  SourceToolsApp() {
    open("blink.bas", [](const QString& root) { WriteFile(root + "blink.bas", kNumbered); },
         [](const QString& data) {
           QFile::copy(QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/ATTiny.tkn"), data + "ATTiny.tkn");
         });
  }
  QString Converted(const QString& text, AtTinyForm form) {
    const SyntaxData& syntax = app().state().syntax;
    // In the document's line ends (its file's CR LF).
    return WithLineEnds(ConvertAtTinyProgram(text, form, app().settings().lineNumberStep,
                                             AtTinyDialect::From(syntax.atTinyKeywords, syntax.atTinyAbbreviations)),
                        u"\r\n");
  }

};

TEST_F(SourceToolsApp, FormatDocumentTogglesTheAtTinyFormsAndEachUndoesInOneStep) {
  ASSERT_NE(ed, nullptr);
  ASSERT_FALSE(app().state().syntax.atTinyKeywords.isEmpty()) << "the shipped dialect is loaded";
  Current()->syntax = QStringLiteral("ATTiny");
  const QString original = GetEditorText(ed);

  Menu(Item::FormatIndentation);
  const QString numbered = GetEditorText(ed);
  EXPECT_EQ(numbered, Converted(original, AtTinyForm::Numbered));
  EXPECT_TRUE(numbered.contains("  30 PRINT \"I =  \";I ' show. it\r\n")) << numbered.toStdString();
  EXPECT_TRUE(numbered.contains("  20 IF I >2 THEN 50\r\n")) << numbered.toStdString();
  EXPECT_EQ(Current()->atTinyNumbered, 1);
  EXPECT_TRUE(s().modified());

  Menu(Item::FormatIndentation);
  const QString crunched = GetEditorText(ed);
  EXPECT_EQ(crunched, Converted(numbered, AtTinyForm::Crunched));
  EXPECT_TRUE(crunched.startsWith("1 F.I=1TO3\r\n2 IFI>2T.5\r\n")) << crunched.toStdString();
  EXPECT_EQ(Current()->atTinyNumbered, 0);

  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), numbered) << "one Undo gives back the numbered form";
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), original) << "and the next one the text as it was";
  EXPECT_FALSE(s().modified());
}

TEST_F(SourceToolsApp, ReturnAfterTheNumberingTypesTheNextNumber) {
  ASSERT_NE(ed, nullptr);
  Current()->syntax = QStringLiteral("ATTiny");
  Menu(Item::FormatIndentation);
  const QString numbered = GetEditorText(ed);
  ASSERT_TRUE(numbered.endsWith("  60 RETURN\r\n")) << "the numbering keeps the document's CR LF";
  s().send(S::SCI_DOCUMENTEND);
  s().send(S::SCI_CHARLEFT);  // the end of "  60 RETURN"
  Menu(Item::ReturnKey);
  // The typed line end is the document's own; the number steps on from 60.
  EXPECT_EQ(GetEditorText(ed), numbered.left(numbered.size() - 2) + "\r\n  70 \r\n");
  EXPECT_EQ(s().currentPos(), s().length() - 2) << "the caret stands behind the number";
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), numbered) << "the line end and its number come back in one step";
}

TEST_F(SourceToolsApp, RemoveProgramLineNumbersOpensAModifiedResultTabAndLeavesTheSource) {
  ASSERT_NE(ed, nullptr);
  const QString source = GetEditorText(ed);
  const int tabs = app().state().docs.list.size();

  Menu(Item::RemoveLineNumbers);
  ASSERT_EQ(app().state().docs.list.size(), tabs + 1) << "one new tab";
  const DocumentRecord* result = Current();
  EXPECT_EQ(QFileInfo(result->path).fileName(), "blink_NoLN.bas");
  EXPECT_EQ(QFileInfo(result->path).absolutePath(), QFileInfo(path).absolutePath()) << "beside the source";
  EXPECT_FALSE(QFileInfo::exists(result->path)) << "nothing is written";
  EditorView* out = CurrentEditor(app());
  ASSERT_NE(out, nullptr);
  ASSERT_NE(out, ed);
  const QString text = GetEditorText(out);
  const QString labelled =
      LineNumbersToLabels(source, app().settings().labelPrefix, DocumentKeywords(app(), app().state().docs.currentTabIndex - 1));
  EXPECT_EQ(text, WithLineEnds(labelled, u"\r\n")) << "in the source's line ends";
  EXPECT_TRUE(text.contains("IF I>2 THEN GOTO _LBL50\r\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("_LBL60:\r\nRETURN\r\n")) << text.toStdString();
  EXPECT_TRUE(out->sci().modified()) << "closing the unsaved result asks";

  EXPECT_EQ(GetEditorText(ed), source) << "the source keeps its text";
  EXPECT_FALSE(ed->sci().modified());
  EXPECT_EQ(ReadFile(path), kNumbered);
}

// Two programs of two dialects: the commands read the keywords of the
// document they work on, whichever dialect was applied to an editor last.
class TwoDialectsApp : public ProgramApp {
 protected:
  TwoDialectsApp() {
    open("pico.bas", [](const QString& root) {
      WriteFile(root + "pico.bas", "10 'Dout: the pin\r\n20 SETPIN 2, DOUT\r\n30 GOTO 10\r\n");
      WriteFile(root + "tiny.bas", "10 PRINT 1\r\n");
    });
    pico = app().state().docs.currentTabIndex;
    OpenDocument(app(), driver->root() + "tiny.bas", false);
    const int attiny = FindSyntaxIndexFor(app(), QStringLiteral("ATTiny"));
    EXPECT_GE(attiny, 0) << "the shipped dialects are loaded";
    Menu(static_cast<Item>(+Item::SyntaxFirst + SyntaxMenuIndexOf(attiny)));
    EXPECT_EQ(Current()->syntax, "ATTiny");
    SwitchDocumentTab(app(), pico, app().state().docs.currentTabIndex);
    EXPECT_EQ(Current()->syntax, "picomite");
  }
  int SyntaxMenuIndexOf(int index) {
    const std::vector<int> menu = SyntaxMenuIndices(app().state().syntax.list);
    return static_cast<int>(std::find(menu.begin(), menu.end(), index) - menu.begin());
  }
  int pico = -1;
};

TEST_F(TwoDialectsApp, TheVariableReportKnowsTheShownDocumentsKeywords) {
  Menu(Item::VariableReport);
  const QString shown = InfoWindowText(app());
  ASSERT_FALSE(shown.isEmpty());
  EXPECT_FALSE(shown.contains(u"DOUT", Qt::CaseInsensitive)) << "DOUT is a picomite keyword: " << shown.toStdString();
  EXPECT_FALSE(shown.contains(u"SETPIN", Qt::CaseInsensitive)) << shown.toStdString();
}

TEST_F(TwoDialectsApp, RemoveLineNumbersKnowsTheShownDocumentsKeywords) {
  Menu(Item::RemoveLineNumbers);
  const QString text = GetEditorText(CurrentEditor(app()));
  // Dout is a picomite keyword: no label of that name.
  EXPECT_TRUE(text.startsWith("_LBL10: 'Dout: the pin")) << text.toStdString();
}

}  // namespace
}  // namespace vendle::test
