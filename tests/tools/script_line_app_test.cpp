// A program for the Linux interpreter starts with "#!/usr/local/bin/mmbasic":
// that first line is a comment to the lexer and to every tool, in the
// running program.
#include <gtest/gtest.h>

#include "editor/lexer.h"
#include "program_app_fixture.h"
#include "qt_print.h"
#include "shell/ui/info_window.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

const QByteArray kScript =
    "#!/usr/local/bin/mmbasic\n"
    "Option Explicit\n"
    "Sub Main\n"
    "Local count%\n"
    "Print count%\n"
    "End Sub\n";
const QString kFirstLine = QStringLiteral("#!/usr/local/bin/mmbasic");

class ScriptLineApp : public ProgramApp {
 protected:
  ScriptLineApp() {
    open("script.bas", [](const QString& root) { WriteFile(root + "script.bas", kScript); });
  }
  QString FirstLineOf(EditorView* editor) { return GetEditorLine(editor, 0).remove(u'\n'); }
};

TEST_F(ScriptLineApp, TheLexerColoursItAsAComment) {
  ASSERT_NE(ed, nullptr);
  s().send(S::SCI_COLOURISE, 0, -1);
  for (Sci::Pos at = 0; at < kFirstLine.size(); ++at)
    EXPECT_EQ(s().send(S::SCI_GETSTYLEAT, at), kStyleComment) << "byte " << at;
  EXPECT_EQ(s().send(S::SCI_GETSTYLEAT, s().positionFromLine(3)), kStyleKeyword) << "Local on line 4 is a keyword";
  EXPECT_EQ(s().send(S::SCI_GETFOLDLEVEL, 0) & kFoldHeaderFlag, 0);
}

TEST_F(ScriptLineApp, SaveKeywordCaseAndFormatLeaveIt) {
  ASSERT_NE(ed, nullptr);
  app().settings().upperCase = 1;
  Menu(Item::SaveKeywordCase);
  EXPECT_EQ(FirstLineOf(ed), kFirstLine);
  EXPECT_TRUE(GetEditorText(ed).contains("LOCAL count%")) << "the keywords below it are recased";
  app().settings().indentLabels = 1;
  Menu(Item::FormatIndentation);
  EXPECT_EQ(FirstLineOf(ed), kFirstLine) << "an indented #! line is no longer read by the system";
}

TEST_F(ScriptLineApp, TheVariableReportListsNoNameOfIt) {
  Menu(Item::VariableReport);
  const QString report = InfoWindowText(app());
  ASSERT_TRUE(report.contains("count%")) << report.toStdString();
  for (const char* word : {"usr", "bin", "mmbasic"}) EXPECT_FALSE(report.contains(word)) << word;
}

TEST_F(ScriptLineApp, CrunchAndUnCrunchKeepItFirst) {
  app().settings().preserveFirstLine = 0;
  for (Item tool : {Item::Crunch, Item::UnCrunch}) {
    SCOPED_TRACE(+tool);
    SwitchDocumentTab(app(), 0, app().state().docs.currentTabIndex);
    Menu(tool);
    EditorView* out = CurrentEditor(app());
    ASSERT_NE(out, ed);
    EXPECT_EQ(FirstLineOf(out), kFirstLine);
  }
}

}  // namespace
}  // namespace vendle::test
