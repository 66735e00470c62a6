// The Design menu in the running program, with the shipped designer files
// and GUI element list seeded into the sandbox's data folder: a new design,
// elements added from the hint window, incorporate (and the formatter),
// refresh, the copy with numbers, the extracted code, and the refusals.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QListWidget>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/hint_window.h"
#include "platform/event.h"
#include "platform/ids.h"
#include "platform/text_lines.h"
#include "platform/ui/toolkit.h"
#include "qt_print.h"
#include "shell/ui/services.h"
#include "not_regular_files.h"
#include "test_files.h"
#include "tools/formatter.h"
#include "tools/layout_design.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

QStringList ShippedLines(const char* name) {
  const QString text = QString::fromLatin1(ReadFile(QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/") + name));
  QStringList lines;
  for (const QStringView l : LineTexts(text)) lines << l.toString();
  return lines;
}

// The element lines between the markers, by line number, trimmed.
QList<QPair<int, QString>> ElementLines(const QString& text, const QString& words) {
  QList<QPair<int, QString>> out;
  bool in = false;
  int n = 0;
  for (const QStringView l : LineTexts(text)) {
    const QString t = l.trimmed().toString();
    if (t.contains(kLoopControlMarker)) break;
    if (t.contains(kGuiElementsMarker)) in = true;
    else if (in && IsElementLine(t, words)) out.append({++n, t});
  }
  return out;
}

// The trimmed lines after the last "position_data:" line up to 'USER_DATA.
QStringList TableRows(const QString& text) {
  QStringList rows;
  bool in = false;
  for (const QStringView l : LineTexts(text)) {
    const QString t = l.trimmed().toString();
    if (t.contains(kUserDataMarker)) break;
    if (t.contains(kPositionDataLabel)) {
      in = true;
      rows.clear();
    } else if (in) {
      rows << t;
    }
  }
  return rows;
}

class LayoutApp : public ::testing::Test {
 protected:
  App& app() { return d.app(); }
  Documents& docs() { return app().state().docs; }
  EditorView* ed() { return CurrentEditor(app()); }
  Sci::Pos caretLine() { return ed()->sci().lineFromPosition(ed()->sci().currentPos()); }
  void Menu(Item item) {
    d.menu(item);
    d.processEvents();
  }
  // A click on the GUI element line of the hint window that starts with `start`.
  void ClickElement(const QString& start) {
    auto* list = qobject_cast<QListWidget*>(app().toolkit().control(+ControlId::HintList));
    ASSERT_NE(list, nullptr);
    const QStringList& lines = app().state().syntax.guiElements;
    int row = -1;
    for (int i = 0; i < lines.size() && row < 0; ++i)
      if (lines[i].startsWith(start)) row = i;
    ASSERT_GE(row, 0) << start.toStdString();
    list->setCurrentRow(row);
    d.post(Event::Control(+ControlId::HintList, 0, +WindowId::SyntaxHints));
  }
  FormatOptions Formatting() {
    FormatOptions o;
    o.indentLabels = app().settings().indentLabels;
    o.indentComments = app().settings().indentComments;
    o.tabSize = app().settings().tabSize;
    o.useSpaces = app().settings().useSpacesForTabs != 0;
    return o;
  }

  AppDriver d;
};

TEST_F(LayoutApp, NewDesignOpensTheTemplateWithTheCaretBelowTheMarkerAndTheElementList) {
  const int tabs = docs().list.size();
  Menu(Item::NewLayoutDesign);
  ASSERT_EQ(docs().list.size(), tabs + 1);
  EXPECT_EQ(docs().list.current()->name, "untitled.bas");
  EXPECT_EQ(docs().list.current()->path, app().folders().file + "untitled.bas");
  const NewDesign design = NewDesignText(ShippedLines("newdesign.txt"));
  ASSERT_TRUE(design.text.contains("'GUI_ELEMENTS")) << "the template is seeded";
  EXPECT_EQ(GetEditorText(ed()), design.text);
  EXPECT_EQ(caretLine(), design.caretLine);
  EXPECT_EQ(GetEditorLine(ed(), caretLine() - 2), "'GUI_ELEMENTS") << "the second line below the marker";
  EXPECT_TRUE(app().toolkit().windowExists(+WindowId::SyntaxHints));
  EXPECT_EQ(HintRowsShown(app()), app().state().syntax.guiElements);
  EXPECT_FALSE(HintRowsShown(app()).isEmpty());
}

TEST_F(LayoutApp, ADesignFromTheTemplateToTheExtractedCode) {
  const QString words = app().settings().guiDesignWords;
  Menu(Item::NewLayoutDesign);
  EditorView* design = ed();
  // A LED (centre and radius) goes in at the caret, above the template's lines.
  ClickElement("GUI LED");
  const QString drafted = GetEditorText(design);
  ASSERT_EQ(ElementLines(drafted, words).size(), 3);

  Menu(Item::IncorporateLayoutCode);
  const QString incorporated = GetEditorText(design);
  const QList<QPair<int, QString>> elements = ElementLines(incorporated, words);
  ASSERT_EQ(elements.size(), 3);
  for (const auto& [n, line] : elements) {
    EXPECT_TRUE(line.contains(QStringLiteral("cpos(%1,1), cpos(%1,2)").arg(n))) << line.toStdString();
    EXPECT_FALSE(HoldsPlaceholderWord(line)) << line.toStdString();
  }
  EXPECT_TRUE(elements[0].second.startsWith("GUI LED #1,")) << elements[0].second.toStdString();
  EXPECT_EQ(TableRows(incorporated), (QStringList{"DATA 100, 100, 70, 20, 1", "DATA 100, 100, 70, 20, 1",
                                                  "DATA 100, 100, 70, 20, 1", "DATA -1, -1, -1, -1, -1", ""}));
  EXPECT_EQ(incorporated, FormatIndentationText(incorporated, Formatting())) << "the formatter has run";
  EXPECT_TRUE(incorporated.contains("\r\n  DO\r\n    'GUI_ELEMENTS\r\n")) << incorporated.toStdString();
  EXPECT_TRUE(incorporated.contains("RESTORE position_data")) << "the design loop is in";
  EXPECT_EQ(incorporated.count(kLoopControlMarker), 1);
  EXPECT_EQ(caretLine(), 22);
  EXPECT_TRUE(incorporated.endsWith("  'USER_DATA\r\n  ' your DATA lines, SUBs and FUNCTIONs:\r\n"))
      << "every block of the design loop is closed";
  design->sci().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(design), drafted) << "one Undo takes it all back";
  design->sci().send(S::SCI_REDO);
  EXPECT_EQ(GetEditorText(design), incorporated);
  Menu(Item::RefreshLayoutCode);
  EXPECT_EQ(GetEditorText(design), incorporated) << "nothing new, nothing changed";
  EXPECT_EQ(StatusFieldText(app(), StatusField::Path), "Refresh layout code: no new element lines.");

  // A circle added later gets its references and a row behind the old ones.
  const int below = static_cast<int>(incorporated.left(incorporated.indexOf("' the design loop")).count('\n'));
  design->sci().send(S::SCI_GOTOLINE, below);
  ClickElement("CIRCLE");
  Menu(Item::RefreshLayoutCode);
  const QString refreshed = GetEditorText(design);
  const QList<QPair<int, QString>> four = ElementLines(refreshed, words);
  ASSERT_EQ(four.size(), 4);
  EXPECT_TRUE(four[3].second.startsWith("CIRCLE cpos(4,1), cpos(4,2), cpos(4,4), 1, cpos(4,3)/10"))
      << four[3].second.toStdString();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(four[i], elements[i]);
  EXPECT_EQ(TableRows(refreshed), (QStringList{"DATA 100, 100, 70, 20, 1", "DATA 100, 100, 70, 20, 1",
                                               "DATA 100, 100, 70, 20, 1", "DATA 100,100, 70, 20, 1",
                                               "DATA -1, -1, -1, -1, -1", ""}));

  // The copy with numbers, in a tab of its own.
  Menu(Item::ReplaceVariablesWithNumbers);
  EXPECT_EQ(GetEditorText(design), refreshed) << "the design stays";
  EXPECT_EQ(docs().list.current()->name, "gui_design.bas");
  const QString flattened = GetEditorText(ed());
  qsizetype references = 0;
  for (const auto& element : four) references += element.second.count("cpos(");
  EXPECT_EQ(flattened.count("cpos("), refreshed.count("cpos(") - references) << "the element lines have none left";
  EXPECT_TRUE(flattened.contains("GUI LED #1, \"Caption\", 100, 100, 20, RGB(red)")) << flattened.toStdString();
  EXPECT_TRUE(flattened.contains("CIRCLE 100, 100, 20, 1, 70/10, RGB(white), RGB(red)"));

  // The user's code from that copy, without the design loop.
  Menu(Item::ExtractYourCode);
  EXPECT_EQ(docs().list.current()->name, "untitled.bas");
  const QString extracted = GetEditorText(ed());
  EXPECT_EQ(extracted, PlanExtract(flattened).text);
  EXPECT_TRUE(extracted.startsWith("  ' your start-up code:\r\n  CLS RGB(black)\r\n\r\n\r\n    'GUI_ELEMENTS\r\n"))
      << extracted.toStdString();
  EXPECT_TRUE(extracted.contains("BOX 100, 100, 70, 20, 1, RGB(white), RGB(blue)"));
  for (const char* designOnly : {"GOSUB read_positions", "'LOOP_CONTROL", "cpos(", "design loop", "LOOP\r\n"})
    EXPECT_FALSE(extracted.contains(designOnly)) << designOnly;
}

TEST_F(LayoutApp, RefreshWithoutTerminatorSaysWhyAndChangesNothing) {
  EditorView* e = ed();
  const QString text = QStringLiteral("'GUI_ELEMENTS\r\nBOX startX, startY\r\n'LOOP_CONTROL\r\nLOOP\r\n");
  SetEditorText(e, text, true);
  Menu(Item::RefreshLayoutCode);
  EXPECT_EQ(GetEditorText(e), text);
  EXPECT_FALSE(e->sci().modified());
  EXPECT_EQ(StatusFieldText(app(), StatusField::Path), PlanRefresh(text, app().settings().guiDesignWords).refusal);
  EXPECT_TRUE(StatusFieldText(app(), StatusField::Path).contains("nothing changed"));
}

TEST_F(LayoutApp, WithoutAFreeTabTheSourceStaysAsItWas) {
  const QString text = QStringLiteral(
      "'RUN_ONCE\r\nDO\r\n'GUI_ELEMENTS\r\nBOX cpos(1,1), cpos(1,2)\r\n'LOOP_CONTROL\r\nLOOP\r\nposition_data:\r\n"
      "DATA 5, 6, 7, 8, 9\r\nDATA -1, -1, -1, -1, -1\r\n'USER_DATA\r\n");
  while (docs().list.size() < app().settings().maxTabs) ASSERT_GE(CreateDocumentTab(app(), d.root() + "f.bas"), 0);
  EditorView* source = ed();
  SetEditorText(source, text, true);
  const int tabs = docs().list.size();
  for (Item item : {Item::NewLayoutDesign, Item::ReplaceVariablesWithNumbers, Item::ExtractYourCode}) {
    const std::size_t asked = d.requesters().asked().size();
    Menu(item);
    EXPECT_EQ(docs().list.size(), tabs) << +item;
    ASSERT_EQ(d.requesters().asked().size(), asked + 1) << +item;
    EXPECT_EQ(d.requesters().asked().back().text, "Too many tabs open.");
    EXPECT_EQ(ed(), source) << +item;
    EXPECT_EQ(GetEditorText(source), text) << +item;
    EXPECT_FALSE(source->sci().modified()) << +item;
  }
}


// The designer files are the user's to edit: each hostile content is taken
// through the whole Design menu without a crash or a hang, the program the
// design goes into comes back with one Undo, and a file that is there but
// not read is said with its path and why, and changes nothing.
TEST(LayoutHostileFiles, DesignerFilesOfAnyContentNeitherCrashNorLoseTheProgram) {
  QByteArray binary;
  for (int i = 0; i < 64 * 1024; ++i) binary += char(i * 7 % 256);
  QByteArray markers;
  for (int i = 0; i < 5000; ++i)
    markers += "'GUI_ELEMENTS\r\nBOX x, y, w, h\r\n'LOOP_CONTROL\r\nposition_data:\r\nDATA 1,2,3,4,5\r\n'USER_DATA\r\n";
  QByteArray crOnly = markers;
  crOnly.replace("\r\n", "\r");
  const struct {
    const char* what;
    QByteArray bytes;            // written to both files
    bool (*make)(const QString&);  // or made as something else
    const char* why = nullptr;   // the reason said; none when the file is read
  } cases[] = {
      {"empty", "", nullptr},
      {"binary with zero bytes", binary, nullptr},
      {"thousands of markers", markers, nullptr},
      {"CR line ends only", crOnly, nullptr},
      {"one line of 256 KB", QByteArray(256 << 10, 'x'), nullptr},
      {"over the size limit", QByteArray(100 << 20, '\n'), nullptr, "larger than 1 MB"},
      {"a FIFO", {}, MakeFifo, "not a file"},
      {"a link to /dev/zero", {}, LinkToZero, "not a file"},
      {"a folder", {}, MakeFolder, "not a file"},
  };
  const QString program = "'RUN_ONCE\r\nDO\r\n'GUI_ELEMENTS\r\nBOX 1, 2, 3, 4\r\n'LOOP_CONTROL\r\nLOOP\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AppDriver d;
    App& app = d.app();
    for (const char* name : {"newdesign.txt", "designloop.txt"}) {
      const QString path = d.dataFolder() + name;
      QFile::remove(path);
      if (c.make) {
        ASSERT_TRUE(c.make(path));
      } else {
        WriteFile(path, c.bytes);
      }
    }
    const int tabs = app.state().docs.list.size();
    d.menu(Item::NewLayoutDesign);
    d.processEvents();
    if (c.why) {
      EXPECT_EQ(app.state().docs.list.size(), tabs) << "no design without its template";
      ASSERT_FALSE(d.requesters().asked().empty());
      EXPECT_TRUE(d.requesters().asked().back().text.contains(d.dataFolder() + "newdesign.txt"));
      EXPECT_TRUE(d.requesters().asked().back().text.contains(c.why)) << d.requesters().asked().back().text.toStdString();
    } else {
      EXPECT_EQ(app.state().docs.list.size(), tabs + 1) << "the design opens";
    }
    // A program of the user's, through the rest of the menu.
    EditorView* ed = CurrentEditor(app);
    SetEditorText(ed, program, true);
    for (Item item : {Item::IncorporateLayoutCode, Item::RefreshLayoutCode}) {
      d.menu(item);
      d.processEvents();
    }
    EXPECT_EQ(CurrentEditor(app), ed);
    if (c.why) {
      EXPECT_EQ(GetEditorText(ed), program) << "nothing incorporated without the loop";
      EXPECT_TRUE(d.requesters().asked().back().text.contains(d.dataFolder() + "designloop.txt"));
    }
    while (ed->sci().send(S::SCI_CANUNDO)) ed->sci().send(S::SCI_UNDO);
    EXPECT_EQ(GetEditorText(ed), program) << "Undo gives the program back";
    EXPECT_FALSE(app.loopEnded());
  }
}

}  // namespace
}  // namespace vendle::test
