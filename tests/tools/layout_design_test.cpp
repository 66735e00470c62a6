// The layout designer's text rules on small layout programs of the tests' own.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "platform/text_lines.h"
#include "qt_print.h"
#include "tools/layout_design.h"

namespace vendle::test {
namespace {

const QString kWords = QStringLiteral("GUI TEXT BOX LOAD RBOX CIRC LINE");

// `text` with the rewrites and `block` put where the commands put them:
// over line `line`'s content, or (with `withEnd`) over the line and its end;
// at the end of the text for line -1.
QString Apply(const QString& text, const QList<LineRewrite>& rewrites, int line, bool withEnd, const QString& block) {
  const QList<TextLine> lines = SplitLines(text);
  QString out;
  for (int i = 0; i < lines.size(); ++i) {
    const TextLine& l = lines[i];
    QString content = text.mid(l.start, l.length);
    const QString end = text.mid(l.start + l.length, l.endLength);
    for (const LineRewrite& r : rewrites)
      if (r.line == i) content = r.text;
    if (i == line) {
      out += block;
      if (!withEnd) out += end;
    } else {
      out += content + end;
    }
  }
  if (line < 0) out += block;
  return out;
}

TEST(LayoutDesign, ElementLines) {
  struct Case {
    const char* trimmed;
    const char* words;
    bool element;
  };
  const Case cases[] = {
      {"BOX startX, startY, width, height", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},
      {"CIRCLE centerX, centerY, radius", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},
      {"circle 1, 2, 3", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},
      {"GUI BUTTON #ref", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},
      {"LOAD IMAGE \"a.bmp\", startX, startY", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},
      {"T", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},  // short lines match a word's start
      {"BO", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},
      {"LINE INPUT a$", "GUI TEXT BOX LOAD RBOX CIRC LINE", true},
      {"BOXES", "GUI TEXT BOX LOAD RBOX CIRC LINE", false},
      {"GOSUB draw", "GUI TEXT BOX LOAD RBOX CIRC LINE", false},
      {"' BOX startX", "GUI TEXT BOX LOAD RBOX CIRC LINE", false},
      {"PRINT width", "GUI TEXT BOX LOAD RBOX CIRC LINE", false},
      {"", "GUI TEXT BOX LOAD RBOX CIRC LINE", false},
      {"PIXEL startX", "PIXEL", true},
      {"BOX startX", "pixel box", true},  // the setting in any case
      {"BOX startX", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsElementLine(QString::fromUtf8(c.trimmed), QString::fromUtf8(c.words)), c.element)
        << c.trimmed << " / " << c.words;
}

TEST(LayoutDesign, PlaceholderWordsBecomeReferences) {
  struct Case {
    const char* line;
    int element;
    const char* converted;
  };
  const Case cases[] = {
      {"BOX startX, startY, width, height, 1, RGB(white)", 2,
       "BOX cpos(2,1), cpos(2,2), cpos(2,3), cpos(2,4), 1, RGB(white)"},
      {"CIRCLE centerX, centerY, radius, 1, aspect, RGB(red)", 1,
       "CIRCLE cpos(1,1), cpos(1,2), cpos(1,4), 1, cpos(1,3)/10, RGB(red)"},
      {"GUI CHECKBOX #REF, \"On\", STARTX, StartY, SIZE", 3, "GUI CHECKBOX #3, \"On\", cpos(3,1), cpos(3,2), cpos(3,4)"},
      {"RBOX [startX], [startY], width, height, [round]", 1, "RBOX cpos(1,1), cpos(1,2), cpos(1,3), cpos(1,4), cpos(1,5)"},
      {"TEXT startX, startY, \"Hi\", \"LT\", 1, scale", 12, "TEXT cpos(12,1), cpos(12,2), \"Hi\", \"LT\", 1, cpos(12,5)"},
      {"LINE startX, startY, startX + width, startY + height", 4,
       "LINE cpos(4,1), cpos(4,2), cpos(4,1) + cpos(4,3), cpos(4,2) + cpos(4,4)"},
      {"  GUI LED #ref, \"x\", centerX, centerY, radius ", 5, "  GUI LED #5, \"x\", cpos(5,1), cpos(5,2), cpos(5,4) "},
      // Wherever the word stands, strings and names too.
      {"TEXT startX, startY, \"Resize\"", 1, "TEXT cpos(1,1), cpos(1,2), \"Recpos(1,4)\""},
      {"BOX cpos(1,1), 10, 20, 30", 1, "BOX cpos(1,1), 10, 20, 30"},
  };
  for (const Case& c : cases) {
    const QString line = QString::fromUtf8(c.line);
    EXPECT_EQ(ConvertElementLine(line, c.element), QString::fromUtf8(c.converted)) << c.line;
    EXPECT_EQ(HoldsPlaceholderWord(line), line != ConvertElementLine(line, c.element)) << c.line;
  }
  EXPECT_FALSE(HoldsPlaceholderWord(u"BOX cpos(1,1), cpos(1,2) ' #1"));
  EXPECT_TRUE(HoldsPlaceholderWord(u"GUI LED #ref, \"x\", centerX"));
}

const QString kLoop = QStringLiteral("' loop\r\n'LOOP_CONTROL\r\nLOOP");
const QString kRows3 = QStringLiteral(
    "position_data:\r\nDATA 100, 100, 70, 20, 1\r\nDATA 100, 100, 70, 20, 1\r\nDATA 100, 100, 70, 20, 1\r\n"
    "DATA -1, -1, -1, -1, -1\r\n");

TEST(LayoutDesign, IncorporateNumbersThreeElementsAndWritesTheirRows) {
  const QString text = QStringLiteral(
      "BOX startX, startY\r\n"  // before the section: no element
      "'RUN_ONCE\r\nDO\r\n'GUI_ELEMENTS\r\n"
      "  BOX startX, startY, width, height\r\n"
      "' BOX startX\r\n\r\n"
      "TEXT startX, startY, \"Hi\", \"LT\", 1, scale\r\n"
      "CIRCLE centerX, centerY, radius, 1, aspect\r\n"
      "'LOOP_CONTROL\r\n"
      "BOX startX\r\n"  // after it: no element
      "'USER_DATA\r\n");
  const IncorporatePlan plan = PlanIncorporate(text, kLoop, kWords);
  EXPECT_EQ(plan.elements, 3);
  EXPECT_EQ(plan.loopControlLine, 9);
  EXPECT_EQ(plan.block, kLoop + "\r\n" + kRows3);
  EXPECT_EQ(Apply(text, plan.rewrites, plan.loopControlLine, false, plan.block),
            "BOX startX, startY\r\n'RUN_ONCE\r\nDO\r\n'GUI_ELEMENTS\r\n"
            "  BOX cpos(1,1), cpos(1,2), cpos(1,3), cpos(1,4)\r\n"
            "' BOX startX\r\n\r\n"
            "TEXT cpos(2,1), cpos(2,2), \"Hi\", \"LT\", 1, cpos(2,5)\r\n"
            "CIRCLE cpos(3,1), cpos(3,2), cpos(3,4), 1, cpos(3,3)/10\r\n" +
                kLoop + "\r\n" + kRows3 + "\r\nBOX startX\r\n'USER_DATA\r\n");
}

TEST(LayoutDesign, IncorporateWithoutLoopControlAddsTheBlockAtTheEnd) {
  struct Case {
    const char* text;
    const char* before;  // what goes in front of the block
  };
  const Case cases[] = {
      {"'GUI_ELEMENTS\nBOX startX", "\r\n"},
      {"'GUI_ELEMENTS\nBOX startX\n", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    const IncorporatePlan plan = PlanIncorporate(text, u"", kWords);
    EXPECT_EQ(plan.loopControlLine, -1) << c.text;
    const QString rows = plan.elements ? "DATA 100, 100, 70, 20, 1\r\n" : "";
    EXPECT_EQ(plan.block, c.before + QStringLiteral("\r\nposition_data:\r\n") + rows + "DATA -1, -1, -1, -1, -1\r\n")
        << c.text;
  }
}

TEST(LayoutDesign, RefreshAddsRowsForTheNewElementsBeforeTheTerminator) {
  const QString text = QStringLiteral(
      "'GUI_ELEMENTS\r\n"
      "  BOX cpos(1,1), cpos(1,2), cpos(1,3), cpos(1,4)\r\n"
      "  TEXT cpos(2,1), cpos(2,2), \"Hi\"\r\n"
      "\tRBOX startX, startY, width, height, round\r\n"
      "  GUI LED #ref, \"x\", centerX, centerY, radius\r\n"
      "  GUI DELETE #ref\r\n"
      "' loop\r\n'LOOP_CONTROL\r\nLOOP\r\n"
      "position_data:\r\nDATA 10, 20, 70, 20, 1\r\nDATA 30, 40, 70, 20, 1\r\ndata -1, -1, -1, -1, -1 ' end\r\n"
      "'USER_DATA\r\n");
  const RefreshPlan plan = PlanRefresh(text, kWords);
  ASSERT_TRUE(plan.refusal.isEmpty()) << plan.refusal.toStdString();
  EXPECT_EQ(plan.newRows, 2) << "the LED, given by centre and radius, gets its row too";
  EXPECT_EQ(plan.terminatorLine, 12);
  EXPECT_EQ(plan.rewrites, (QList<LineRewrite>{{3, "\tRBOX cpos(3,1), cpos(3,2), cpos(3,3), cpos(3,4), cpos(3,5)"},
                                               {4, "  GUI LED #4, \"x\", cpos(4,1), cpos(4,2), cpos(4,4)"},
                                               {5, "  GUI DELETE #5"}}))
      << "old lines stay, new ones keep their leading whitespace; no placeholder word, no row";
  EXPECT_EQ(Apply(text, plan.rewrites, plan.terminatorLine, true, plan.block),
            "'GUI_ELEMENTS\r\n"
            "  BOX cpos(1,1), cpos(1,2), cpos(1,3), cpos(1,4)\r\n"
            "  TEXT cpos(2,1), cpos(2,2), \"Hi\"\r\n"
            "\tRBOX cpos(3,1), cpos(3,2), cpos(3,3), cpos(3,4), cpos(3,5)\r\n"
            "  GUI LED #4, \"x\", cpos(4,1), cpos(4,2), cpos(4,4)\r\n"
            "  GUI DELETE #5\r\n"
            "' loop\r\n'LOOP_CONTROL\r\nLOOP\r\n"
            "position_data:\r\nDATA 10, 20, 70, 20, 1\r\nDATA 30, 40, 70, 20, 1\r\n"
            "DATA 100,100, 70, 20, 1\r\nDATA 100,100, 70, 20, 1\r\nDATA -1, -1, -1, -1, -1\r\n"
            "'USER_DATA\r\n");
}

TEST(LayoutDesign, RefreshWithoutLoopControlOrTerminatorChangesNothing) {
  struct Case {
    const char* text;
    const char* reason;
  };
  const Case cases[] = {
      {"'GUI_ELEMENTS\nBOX startX\nDATA -1, -1, -1, -1, -1\n", "'LOOP_CONTROL"},
      {"'GUI_ELEMENTS\nBOX startX\n'LOOP_CONTROL\nDATA 1, 2, 3, 4, 5\n", "DATA -1, -1, -1, -1, -1"},
      {"'GUI_ELEMENTS\nDATA -1, -1, -1, -1, -1\nBOX startX\n'LOOP_CONTROL\n", "DATA -1, -1, -1, -1, -1"},
      {"", "'LOOP_CONTROL"},
  };
  for (const Case& c : cases) {
    const RefreshPlan plan = PlanRefresh(QString::fromUtf8(c.text), kWords);
    EXPECT_TRUE(plan.refusal.contains(QString::fromUtf8(c.reason))) << c.text << " -> " << plan.refusal.toStdString();
    EXPECT_TRUE(plan.rewrites.isEmpty()) << c.text;
    EXPECT_EQ(plan.newRows, 0) << c.text;
  }
}

TEST(LayoutDesign, PositionValuesComeFromTheDataLinesOnly) {
  struct Case {
    const char* table;
    QStringList values;
  };
  const Case cases[] = {
      {"DATA 1, 2,3 , 4, 5\r\nDATA -1, -1, -1, -1, -1\r\n", {"1", "2", "3", "4", "5", "-1", "-1", "-1", "-1", "-1"}},
      {"' the buttons\r\n  data 1,2 ' x and y\r\n\r\nDaTa 3\r\n", {"1", "2", "3"}},
      {"DATA 1, \"a, 'b\", 2 ' c, d\n", {"1", "\"a, 'b\"", "2"}},
      {"DATA 1,,3\n", {"1", "", "3"}},
      {"PRINT 1, 2\n", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PositionValues(QString::fromUtf8(c.table)), c.values) << c.table;
}

TEST(LayoutDesign, ReferencesBecomeTheirValues) {
  const QStringList twoRows = {"10", "20", "30", "40", "50", "60", "70", "80", "90", "95"};
  QStringList elevenRows;
  for (int i = 1; i <= 55; ++i) elevenRows << QString::number(i);
  struct Case {
    const char* what;
    const char* region;
    QStringList values;
    const char* flattened;
  };
  const Case cases[] = {
      {"aspect keeps its /10", "CIRCLE cpos(2,1), cpos(2,2), cpos(2,4), 1, cpos(2,3)/10", twoRows,
       "CIRCLE 60, 70, 90, 1, 80/10"},
      {"cpos(1,1) is not part of cpos(11,1)", "BOX cpos(1,1), cpos(11,1)", twoRows, "BOX 10, cpos(11,1)"},
      {"row 11", "BOX cpos(1,1), cpos(11,1)", elevenRows, "BOX 1, 51"},
      {"the loop stops at -1", "a cpos(1,5) b cpos(3,1)", {"1", "2", "3", "4", "5", "-1", "9", "9", "9", "9", "9"},
       "a 5 b cpos(3,1)"},
      {"and at the end of the values", "cpos(2,1) cpos(2,2) cpos(2,3)", {"1", "2", "3", "4", "5", "6", "7"},
       "6 7 cpos(2,3)"},
      {"a field without a value stays", "cpos(1,1) cpos(1,2) cpos(1,3)", {"1", "", "3"}, "1 cpos(1,2) 3"},
      {"no values", "cpos(1,1)", {}, "cpos(1,1)"},
      {"only references written exactly", "cpos(01,1) cpos(1, 2) cpos(1,6) cpos(0,1) Cpos(1,1) cpos(1,3",
       twoRows, "cpos(01,1) cpos(1, 2) cpos(1,6) cpos(0,1) Cpos(1,1) cpos(1,3"},
      {"a value is put in as it is", "cpos(1,1)+cpos(1,2)", {"cpos(1,2)", "7"}, "cpos(1,2)+7"},
      {"next to each other", "cpos(1,1)cpos(1,2)cpos(", twoRows, "1020cpos("},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplacePositionReferences(QString::fromUtf8(c.region), c.values), QString::fromUtf8(c.flattened))
        << c.what;
}

TEST(LayoutDesign, FlatteningReplacesTheReferencesOfTheElementSection) {
  struct Case {
    const char* what;
    const char* text;
    LineSpan region;
    const char* flattened;
  };
  const Case cases[] = {
      {"a design with a comment in its table",
       "X = cpos(1,1)\r\n'GUI_ELEMENTS\r\nBOX cpos(1,1), cpos(2,3)/10\r\n'LOOP_CONTROL\r\nLOOP\r\nposition_data:\r\n"
       "DATA 5, 6, 7, 8, 9 ' first\r\n' second:\r\nDATA 10, 11, 12, 13, 14\r\nDATA -1, -1, -1, -1, -1\r\n'USER_DATA\r\n"
       "DATA 99, 99\r\n",
       {1, 3}, "'GUI_ELEMENTS\r\nBOX 5, 12/10\r\n"},
      {"markers in any case, the last table", "'gui_elements\nBOX cpos(1,1)\n'loop_control\nPosition_Data:\nDATA 1\n"
       "POSITION_DATA:\nDATA 2\n'user_data\n",
       {0, 2}, "'gui_elements\nBOX 2\n"},
      {"no markers: the whole text, without a table", "BOX cpos(1,1)\n", {0, 1}, "BOX cpos(1,1)\n"},
      {"a table without 'USER_DATA runs to the end", "BOX cpos(1,2)\nposition_data:\nDATA 1, 2\n", {0, 3},
       "BOX 2\nposition_data:\nDATA 1, 2\n"},
      {"'USER_DATA before the table: no values", "'USER_DATA\nBOX cpos(1,1)\nposition_data:\nDATA 1\n", {0, 4},
       "'USER_DATA\nBOX cpos(1,1)\nposition_data:\nDATA 1\n"},
      {"'LOOP_CONTROL before 'GUI_ELEMENTS: an empty region", "'LOOP_CONTROL\n'GUI_ELEMENTS\nBOX cpos(1,1)\n", {1, 1},
       ""},
  };
  for (const Case& c : cases) {
    const FlattenPlan plan = PlanFlatten(QString::fromUtf8(c.text));
    EXPECT_EQ(plan.region, c.region) << c.what;
    EXPECT_EQ(plan.text, QString::fromUtf8(c.flattened)) << c.what;
  }
}

TEST(LayoutDesign, ExtractTakesTheUserCodeWithTheDoLinesBlanked) {
  struct Case {
    const char* what;
    const char* text;
    LineSpan span;
    const char* extracted;
  };
  const Case cases[] = {
      {"DO with 0 to 2 blanks goes, 3 stay",
       "'RUN_ONCE\r\nCLS\r\nDO\r\n DO\r\n  DO\r\n   DO\r\nBOX 1\r\n' above\r\n'LOOP_CONTROL\r\nLOOP\r\n", {1, 7},
       "CLS\r\n\r\n\r\n\r\n   DO\r\nBOX 1\r\n"},
      {"DO DO: the second stays", "'RUN_ONCE\r\nCLS\r\nDO\r\nDO\r\nx\r\n'LOOP_CONTROL\r\n", {1, 4}, "CLS\r\n\r\nDO\r\n"},
      {"the last 'RUN_ONCE, the first 'LOOP_CONTROL, any case",
       "'RUN_ONCE\r\na\r\n' 'run_once\r\nb\r\nc\r\n'Loop_Control\r\nd\r\n'LOOP_CONTROL\r\n", {3, 4}, "b\r\n"},
      {"without 'RUN_ONCE from the start: a first DO stays", "DO\r\nDO\r\nx\r\n  DO\r\ny\r\n'LOOP_CONTROL\r\n", {0, 4},
       "DO\r\n\r\nx\r\n\r\n"},
      {"without 'LOOP_CONTROL to the end", "'RUN_ONCE\r\na\r\nDO\r\nb", {1, 4}, "a\r\n\r\nb"},
      {"'LOOP_CONTROL before 'RUN_ONCE: nothing", "x\r\n'LOOP_CONTROL\r\n'RUN_ONCE\r\na\r\n", {3, 3}, ""},
      {"'LOOP_CONTROL right below 'RUN_ONCE: nothing", "'RUN_ONCE\r\n'LOOP_CONTROL\r\na\r\n", {1, 1}, ""},
      {"LF lines keep their DO", "'RUN_ONCE\na\nDO\nb\nc\n'LOOP_CONTROL\n", {1, 4}, "a\nDO\nb\n"},
      {"do in lower case stays", "'RUN_ONCE\r\na\r\ndo\r\nb\r\nc\r\n'LOOP_CONTROL\r\n", {1, 4}, "a\r\ndo\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    const ExtractPlan plan = PlanExtract(QString::fromUtf8(c.text));
    EXPECT_EQ(plan.span, c.span) << c.what;
    EXPECT_EQ(plan.text, QString::fromUtf8(c.extracted)) << c.what;
  }
}

TEST(LayoutDesign, NewDesignTextStartsWithAnEmptyLineAndPutsTheCaretBelowTheMarker) {
  struct Case {
    QStringList lines;
    const char* text;
    int caret;
  };
  const Case cases[] = {
      {{"' new", "DO", "'GUI_ELEMENTS", "' here:", "", "'LOOP_CONTROL"},
       "\r\n' new\r\nDO\r\n'GUI_ELEMENTS\r\n' here:\r\n\r\n'LOOP_CONTROL", 5},
      {{"'GUI_ELEMENTS", "x", "  'GUI_ELEMENTS"}, "\r\n'GUI_ELEMENTS\r\nx\r\n  'GUI_ELEMENTS", 3},
      {{"' no marker", "x"}, "\r\n' no marker\r\nx", 0},
      {{"'gui_elements"}, "\r\n'gui_elements", 0},
      {{}, "", 0},
  };
  for (const Case& c : cases) {
    const NewDesign d = NewDesignText(c.lines);
    EXPECT_EQ(d.text, QString::fromUtf8(c.text));
    EXPECT_EQ(d.caretLine, c.caret) << c.text;
  }
  EXPECT_EQ(JoinWithCrLf({"a", "b", ""}), "a\r\nb\r\n");
}

QStringList ShippedLines(const char* name) {
  QFile f(QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/") + name);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > 0 && c < 0x7F; })) << name;
  const QString text = QString::fromLatin1(bytes);
  QStringList lines;
  for (const QStringView l : LineTexts(text)) lines << l.toString();
  return lines;
}

// The lines of `lines` that hold `marker` in any case.
QList<int> LinesHolding(const QStringList& lines, QStringView marker) {
  QList<int> found;
  for (int i = 0; i < lines.size(); ++i)
    if (lines[i].contains(marker, Qt::CaseInsensitive)) found << i;
  return found;
}

TEST(ShippedDesignerFiles, TheTemplateHasEachMarkerOnceInOrderAndShippedElementLines) {
  const QStringList design = ShippedLines("newdesign.txt");
  QList<int> at;
  for (QStringView marker : {kRunOnceMarker, kGuiElementsMarker, kLoopControlMarker, kUserDataMarker}) {
    const QList<int> found = LinesHolding(design, marker);
    ASSERT_EQ(found.size(), 1) << marker.toString().toStdString();
    EXPECT_EQ(design[found[0]], marker) << "a line of its own";
    at << found[0];
  }
  EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
  EXPECT_TRUE(LinesHolding(design, kPositionDataLabel).isEmpty());
  // The caret of a new design stands where incorporate goes to: line 22.
  EXPECT_EQ(NewDesignText(design).caretLine, 22);

  const QStringList elements = ShippedLines("gui_elements.txt");
  int count = 0;
  for (int i = at[1] + 1; i < at[2]; ++i) {
    if (!IsElementLine(design[i].trimmed(), u"GUI TEXT BOX LOAD RBOX CIRC LINE")) continue;
    ++count;
    EXPECT_TRUE(elements.contains(design[i])) << design[i].toStdString();
  }
  EXPECT_GE(count, 2);
  EXPECT_EQ(NewDesignText(design).caretLine, at[1] + 3) << "the first element line";
}

TEST(ShippedDesignerFiles, TheDesignLoopKeepsTheLoopControlLineAndReadsTheTable) {
  const QStringList loop = ShippedLines("designloop.txt");
  ASSERT_GE(loop.size(), 2);
  EXPECT_EQ(LinesHolding(loop, kLoopControlMarker), QList<int>{1}) << "below one line that extract leaves out";
  EXPECT_EQ(loop[1], kLoopControlMarker);
  for (QStringView marker : {kRunOnceMarker, kGuiElementsMarker, kUserDataMarker, kPositionDataLabel})
    EXPECT_TRUE(LinesHolding(loop, marker).isEmpty()) << marker.toString().toStdString();
  EXPECT_TRUE(loop.contains(QStringLiteral("RESTORE position_data")));
  // Nothing of it is taken for a terminator row by refresh.
  for (const QString& l : loop) EXPECT_FALSE(l.trimmed().startsWith(kTerminatorRow, Qt::CaseInsensitive));
}

}  // namespace
}  // namespace vendle::test
