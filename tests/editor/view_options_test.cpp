#include "editor/ui/view_options.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QTest>
#include <memory>
#include <vector>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_setup.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/editor_commands.h"
#include "editor/view_appearance.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "qt_print.h"
#include "shell/ui/main_menu.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

// ---- The pure rules ------------------------------------------------------

TEST(ViewAppearance, WordStylesFollowTheColoursOrTurnBlack) {
  ColourSettings c = DefaultColours();
  auto set = [&](ColourSlot s, std::uint32_t v) { c[static_cast<int>(s)] = v; };
  set(ColourSlot::Keyword, 0x000011);
  set(ColourSlot::Comment, 0x000022);
  set(ColourSlot::String, 0x000033);
  set(ColourSlot::Number, kUnsetColour);
  set(ColourSlot::UserVariables, 0x000055);
  set(ColourSlot::UserSub, 0x000066);
  // The slots the editor does not use must not leak into a style.
  set(ColourSlot::Identifier, 0xABCDEF);
  set(ColourSlot::Handle, 0xABCDEF);
  set(ColourSlot::Unused, 0xABCDEF);

  const std::vector<WordStyleLook> coloured = {
      {1, 0x000011, true, false}, {2, 0x000022, false, true},     {3, 0x000033, false, false},
      {4, std::nullopt, false, false},  // "not set": the default fore colour stays
      {5, 0x000055, false, false},      {6, 0x000066, true, false}, {7, 0x000066, false, false},
  };
  EXPECT_EQ(WordStyleLooks(c, true), coloured);

  const std::vector<WordStyleLook> black = {
      {1, 0, true, false},  {2, 0, false, true},  {3, 0, false, false}, {4, 0, false, false},
      {5, 0, false, false}, {6, 0, false, false}, {7, 0, false, false},
  };
  EXPECT_EQ(WordStyleLooks(c, false), black);
}

TEST(ViewAppearance, FontSizesAndKeywordCaseTexts) {
  struct SizeCase {
    int size;
    FontSizeChoice choice;
  };
  const SizeCase sizes[] = {{10, {10, 179}}, {12, {12, 180}}, {14, {14, 181}}, {16, {16, 182}},
                            {11, {12, 180}}, {0, {12, 180}},  {-1, {12, 180}}, {72, {12, 180}}};
  for (const SizeCase& c : sizes) EXPECT_EQ(ChooseFontSize(c.size), c.choice) << c.size;
  for (int item = 179; item <= 182; ++item) EXPECT_EQ(ChooseFontSize(FontSizeForItem(item)).item, item);

  struct CaseText {
    int mode;
    const char* text;
  };
  const CaseText texts[] = {{0, "Keyword Case (none)"},  {1, "Keyword Case (UPPER)"}, {2, "Keyword Case (lower)"},
                            {3, "Keyword Case (Propper)"}, {4, "Keyword Case (none)"},  {-1, "Keyword Case (none)"}};
  for (const CaseText& c : texts) EXPECT_EQ(KeywordCaseItemText(c.mode), c.text) << c.mode;
  EXPECT_EQ(EolModeOf(0), S::SC_EOL_CRLF);
  EXPECT_EQ(EolModeOf(1), S::SC_EOL_LF);
  EXPECT_EQ(EolModeOf(7), S::SC_EOL_CRLF);
}

// Styles as "k" (keyword, style 1) and "." (anything else), one per byte.
QByteArray Styles(const char* marks) {
  QByteArray out;
  for (const char* p = marks; *p; ++p) out.append(*p == 'k' ? char(1) : char(0));
  return out;
}

TEST(ViewAppearance, RecasingChangesOnlyAsciiLettersOfKeywords) {
  struct Case {
    const char* text;
    const char* styles;
    int mode;
    const char* out;
  };
  const Case cases[] = {
      {"print x", "kkkkk..", 1, "PRINT x"},
      {"PRINT x", "kkkkk..", 2, "print x"},
      {"pRINT x", "kkkkk..", 3, "Print x"},
      {"pRINT x", "kkkkk..", 0, "pRINT x"},
      {"mm.info", "kkkkkkk", 3, "Mm.info"},           // the first byte of the run only
      {"if a then", "kk.k.kkkk", 3, "If A Then"},     // each run starts anew
      {"#include", "kkkkkkkk", 1, "#INCLUDE"},
      {"print\"prInt\"", "kkkkk.......", 1, "PRINT\"prInt\""},  // a string stays
      {"pr\xC3\xA4nt", "kkkkkk", 1, "PR\xC3\xA4NT"},  // UTF-8 bytes untouched
      {"\xC3\xA4pr", "kkkk", 3, "\xC3\xA4pr"},
      {"a1_b", "kkkk", 1, "A1_B"},
      {"print", "kk", 1, "PRint"},  // bytes without a style stay
  };
  for (const Case& c : cases) {
    const QByteArray out = RecaseKeywords(c.text, Styles(c.styles), c.mode);
    EXPECT_EQ(out, QByteArray(c.out)) << c.text << " mode " << c.mode;
    EXPECT_EQ(out.size(), qstrlen(c.text));
  }
}

TEST(ViewAppearance, DifferingRunsAreMaximal) {
  struct Case {
    const char* a;
    const char* b;
    std::vector<ByteRun> runs;
  };
  const Case cases[] = {
      {"abc", "abc", {}},
      {"print x print", "PRINT x PRINT", {{0, 5}, {8, 13}}},
      {"ab", "Ab", {{0, 1}}},
      {"ab", "aB", {{1, 2}}},
      {"", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(DifferingRuns(c.a, c.b), c.runs) << c.a;
}

// ---- Through the running program -----------------------------------------

// The whole program, headless, with menu actions for the items whose menu
// may not be built yet, so that check marks and texts can be read.
class ViewOptions : public ::testing::Test {
 protected:
  ViewOptions() {
    for (int item : {175, 176, 179, 180, 181, 182, 188, 189, 190, 191, 192, 193, 194, 196, 198}) {
      if (app().toolkit().item(item)) continue;
      actions.push_back(std::make_unique<QAction>());
      app().toolkit().registerItem(item, actions.back().get());
    }
  }
  App& app() { return driver.app(); }
  Settings& settings() { return app().settings(); }
  EditorView& current() {
    EditorView* ed = CurrentEditor(app());
    EXPECT_NE(ed, nullptr) << "the program starts with a document";
    return ed ? *ed : *EditorOf(app().toolkit(), +ControlId::FirstEditor);
  }
  // Every editor of the pool.
  std::vector<EditorView*> editors() {
    std::vector<EditorView*> out;
    for (int c = +ControlId::FirstEditor; c <= +ControlId::FirstEditor + settings().maxTabs; ++c)
      if (EditorView* ed = EditorOf(app().toolkit(), c)) out.push_back(ed);
    return out;
  }
  EditorView& other() {
    for (EditorView* ed : editors())
      if (ed != &current()) return *ed;
    return current();
  }
  bool checked(Item item) { return ItemChecked(app(), +item); }

  test::AppDriver driver;
  std::vector<std::unique_ptr<QAction>> actions;
};

TEST_F(ViewOptions, AppearanceSettingsReachTheEditor) {
  Settings& st = settings();
  // A distinct colour per slot, so that a slot mixed up with another shows.
  for (int slot = 0; slot < 21; ++slot) st.colours[slot] = 0x010101u * static_cast<std::uint32_t>(slot + 1) + 0x100000u;
  auto colour = [&](ColourSlot s) { return static_cast<Sci::Pos>(st.colours[static_cast<int>(s)]); };
  st.colour = 1;
  st.upperCase = 3;
  st.whiteSpaceMarkersSize = 4;
  st.tabSize = 3;
  st.useSpacesForTabs = 0;
  st.wordWrap = 2;
  st.showIndent = 1;
  st.showColumnMarker = 1;
  st.columnMarkerAt = 72;
  st.lineNumbers = 1;
  st.lineEndingsMode = 1;
  st.showLineEndings = 1;
  st.whiteSpaceMarkers = 1;
  st.fontSize = 14;
  EditorView& ed = current();
  ApplyEditorSettings(app(), ed);

  struct Row {
    const char* setting;
    unsigned msg;
    std::uintptr_t w;
    Sci::Pos value;
  };
  const Row rows[] = {
      {"Default_back", S::SCI_STYLEGETBACK, S::STYLE_DEFAULT, colour(ColourSlot::DefaultBack)},
      {"Default_fore", S::SCI_STYLEGETFORE, S::STYLE_DEFAULT, colour(ColourSlot::DefaultFore)},
      {"Default_back on style 0", S::SCI_STYLEGETBACK, 0, colour(ColourSlot::DefaultBack)},
      {"Default_fore on style 0", S::SCI_STYLEGETFORE, 0, colour(ColourSlot::DefaultFore)},
      {"Default_back on style 1", S::SCI_STYLEGETBACK, 1, colour(ColourSlot::DefaultBack)},
      {"Margin", S::SCI_STYLEGETBACK, S::STYLE_LINENUMBER, colour(ColourSlot::Margin)},
      {"LineNumber", S::SCI_STYLEGETFORE, S::STYLE_LINENUMBER, colour(ColourSlot::LineNumber)},
      {"Caret_back", S::SCI_GETCARETLINEBACK, 0, colour(ColourSlot::CaretBack)},
      {"Caret_back shown", S::SCI_GETCARETLINEVISIBLE, 0, 1},
      {"Caret", S::SCI_GETCARETFORE, 0, colour(ColourSlot::Caret)},
      {"CallTip_back", S::SCI_STYLEGETBACK, S::STYLE_CALLTIP, colour(ColourSlot::CallTipBack)},
      {"CallTip", S::SCI_STYLEGETFORE, S::STYLE_CALLTIP, colour(ColourSlot::CallTip)},
      {"indentation guide", S::SCI_STYLEGETBACK, S::STYLE_INDENTGUIDE, 0xCBCBCB},
      {"Keyword", S::SCI_STYLEGETFORE, 1, colour(ColourSlot::Keyword)},
      {"Keyword bold", S::SCI_STYLEGETBOLD, 1, 1},
      {"Comment", S::SCI_STYLEGETFORE, 2, colour(ColourSlot::Comment)},
      {"Comment italic", S::SCI_STYLEGETITALIC, 2, 1},
      {"String", S::SCI_STYLEGETFORE, 3, colour(ColourSlot::String)},
      {"Number", S::SCI_STYLEGETFORE, 4, colour(ColourSlot::Number)},
      {"User variables", S::SCI_STYLEGETFORE, 5, colour(ColourSlot::UserVariables)},
      {"User sub/function", S::SCI_STYLEGETFORE, 6, colour(ColourSlot::UserSub)},
      {"User sub/function bold", S::SCI_STYLEGETBOLD, 6, 1},
      {"User sub/function on style 7", S::SCI_STYLEGETFORE, 7, colour(ColourSlot::UserSub)},
      {"style 7 not bold", S::SCI_STYLEGETBOLD, 7, 0},
      {"Upper_Case", S::SCI_STYLEGETCASE, 1, S::SC_CASE_CAMEL},
      {"WhiteSpace_Markers_Size", S::SCI_GETWHITESPACESIZE, 0, 4},
      {"bookmark margin", S::SCI_GETMARGINWIDTHN, 1, 20},
      {"bookmark symbol", S::SCI_MARKERSYMBOLDEFINED, 0, S::SC_MARK_ARROWS},
      {"Tabsize", S::SCI_GETTABWIDTH, 0, 3},
      {"Tabsize as indent", S::SCI_GETINDENT, 0, 3},
      {"Use spaces for tabs", S::SCI_GETUSETABS, 0, 1},
      {"backspace unindents", S::SCI_GETBACKSPACEUNINDENTS, 0, 1},
      {"Font size", S::SCI_STYLEGETSIZE, S::STYLE_DEFAULT, 14},
      {"Font size on style 1", S::SCI_STYLEGETSIZE, 1, 14},
      {"Word Wrap", S::SCI_GETWRAPMODE, 0, S::SC_WRAP_CHAR},
      {"wrap marks", S::SCI_GETWRAPVISUALFLAGS, 0, 3},
      {"Show_indent", S::SCI_GETINDENTATIONGUIDES, 0, S::SC_IV_REAL},
      {"Show column marker", S::SCI_GETEDGEMODE, 0, S::EDGE_LINE},
      {"Column marker at", S::SCI_GETEDGECOLUMN, 0, 72},
      {"Line_numbers", S::SCI_GETMARGINTYPEN, 0, S::SC_MARGIN_NUMBER},
      // A document with text keeps its own line ends (a new one had CR LF).
      {"Line_endings_Mode", S::SCI_GETEOLMODE, 0, S::SC_EOL_CRLF},
      {"Show_line_endings", S::SCI_GETVIEWEOL, 0, 1},
      {"WhiteSpace_Markers", S::SCI_GETVIEWWS, 0, S::SCWS_VISIBLEAFTERINDENT},
  };
  for (const Row& r : rows) EXPECT_EQ(ed.sci().send(r.msg, r.w), r.value) << r.setting;
  EXPECT_GT(ed.sci().send(S::SCI_GETMARGINWIDTHN, 0), 10) << "room for four digits";

  struct CheckRow {
    Item item;
    bool on;
  };
  const CheckRow checks[] = {{Item::SyntaxColouring, true}, {Item::CapitalizeKeywords, true},
                             {Item::MarkSpaces, true},      {Item::ShowLineEndings, true},
                             {Item::IndentGuides, true},    {Item::AutoIndent, st.autoIndent != 0},
                             {Item::ShowColumn, true},      {Item::PhysicalLineNumbers, true},
                             {Item::DosLineEndings, false}, {Item::UnixLineEndings, true}};
  for (const CheckRow& c : checks) EXPECT_EQ(checked(c.item), c.on) << +c.item;
  EXPECT_EQ(ItemText(app(), +Item::CapitalizeKeywords), "Keyword Case (Propper)");
}

TEST_F(ViewOptions, ColourOffCaretLineOffAndUnsetColours) {
  Settings& st = settings();
  st.colours[static_cast<int>(ColourSlot::CaretBack)] = kUnsetColour;
  st.colours[static_cast<int>(ColourSlot::DefaultFore)] = 0x123456;
  st.colours[static_cast<int>(ColourSlot::Keyword)] = kUnsetColour;
  st.colour = 1;
  EditorView& ed = current();
  ApplyEditorColours(app(), ed);
  EXPECT_EQ(ed.sci().send(S::SCI_GETCARETLINEVISIBLE), 0) << "a caret line of -1 is not highlighted";
  EXPECT_EQ(ed.sci().send(S::SCI_STYLEGETFORE, 1), 0x123456) << "an unset keyword colour keeps the default";
  EXPECT_EQ(ed.sci().send(S::SCI_STYLEGETBOLD, 1), 1);

  st.colour = 0;
  ApplyEditorColours(app(), ed);
  for (int style = 1; style <= 7; ++style) EXPECT_EQ(ed.sci().send(S::SCI_STYLEGETFORE, style), 0) << style;
  EXPECT_EQ(ed.sci().send(S::SCI_STYLEGETBOLD, 1), 1) << "keywords stay bold";
  EXPECT_EQ(ed.sci().send(S::SCI_STYLEGETITALIC, 2), 1) << "comments stay italic";
  EXPECT_EQ(ed.sci().send(S::SCI_STYLEGETBOLD, 6), 0);
}

TEST_F(ViewOptions, TabSizesBelowOneCountAsOne) {
  struct Case {
    int tabSize;
    int useSpaces;
    Sci::Pos width, useTabs;
    const char* indent3;  // the indentation to column 3
  };
  const Case cases[] = {{4, 1, 4, 0, "   "}, {8, 0, 8, 1, "   "}, {2, 0, 2, 1, "\t "}, {0, 0, 1, 1, "\t\t\t"},
                        {-3, 1, 1, 0, "   "}};
  EditorView& ed = current();
  for (const Case& c : cases) {
    settings().tabSize = c.tabSize;
    settings().useSpacesForTabs = c.useSpaces;
    SetEditorTabs(app(), ed);
    EXPECT_EQ(ed.sci().send(S::SCI_GETTABWIDTH), c.width) << c.tabSize;
    EXPECT_EQ(ed.sci().send(S::SCI_GETINDENT), c.width) << c.tabSize;
    EXPECT_EQ(ed.sci().send(S::SCI_GETUSETABS), c.useTabs) << c.tabSize;
    EXPECT_EQ(MakeIndentToColumn(app(), 3), c.indent3) << c.tabSize;
  }
}

TEST_F(ViewOptions, AMissingFontFamilyIsReplacedButTheSettingStays) {
  settings().fontName = "No Such Family 9";
  SetEditorFont(app(), current());
  char name[256] = {};
  current().sci().sendPtr(S::SCI_STYLEGETFONT, S::STYLE_DEFAULT, name);
  EXPECT_NE(QString::fromUtf8(name), "No Such Family 9");
  EXPECT_TRUE(QFontDatabase::hasFamily(QString::fromUtf8(name))) << name;
  EXPECT_TRUE(QFontDatabase::isFixedPitch(QString::fromUtf8(name))) << name;
  EXPECT_EQ(settings().fontName, "No Such Family 9");
}

// A line is tall enough for the lowest ink of its font: underscores and
// descenders are not cut by the next line, whatever font and size is used,
// the fallback family included.
TEST_F(ViewOptions, LinesHaveRoomForUnderscoresAndDescenders) {
  for (const char* family : {"DejaVu Sans Mono", "No Such Family 9", "Liberation Mono", "Courier New"}) {
    for (int size : {8, 10, 12, 14, 16, 24}) {
      settings().fontName = family;
      settings().fontSize = size;
      SetEditorFont(app(), current());
      char name[256] = {};
      current().sci().sendPtr(S::SCI_STYLEGETFONT, S::STYLE_DEFAULT, name);
      QFont font(QString::fromUtf8(name));
      font.setPointSize(size);
      const QFontMetrics fm(font);
      const int lowest = fm.tightBoundingRect(QStringLiteral("_gjpqy|")).bottom();
      const int height = static_cast<int>(current().sci().send(S::SCI_TEXTHEIGHT, 0));
      EXPECT_GE(height, fm.ascent() + lowest + 1) << family << " " << size << ": ascent " << fm.ascent()
                                                  << " descent " << fm.descent() << " lowest " << lowest;
    }
  }
}

TEST_F(ViewOptions, FontSizeItemsCheckOneItemAndSizeTheCurrentEditor) {
  struct Case {
    Item item;
    int size;
  };
  const Case cases[] = {{Item::FontSmall, 10}, {Item::FontMedium, 12}, {Item::FontBigger, 14}, {Item::FontBiggest, 16}};
  for (const Case& c : cases) {
    driver.menu(c.item);
    EXPECT_EQ(settings().fontSize, c.size);
    EXPECT_EQ(current().sci().send(S::SCI_STYLEGETSIZE, S::STYLE_DEFAULT), c.size);
    EXPECT_EQ(current().sci().send(S::SCI_STYLEGETSIZE, 4), c.size) << "every style follows";
    for (int item = +Item::FontSmall; item <= +Item::FontBiggest; ++item)
      EXPECT_EQ(ItemChecked(app(), item), item == +c.item) << "size " << c.size << " item " << item;
    ASSERT_NE(app().toolkit().font(+FontId::Editor), nullptr);
  }
  SetEditorFontSize(app(), 11);
  EXPECT_EQ(settings().fontSize, 12);
  EXPECT_TRUE(checked(Item::FontMedium));
  EXPECT_FALSE(checked(Item::FontBiggest));
}

TEST_F(ViewOptions, ViewTogglesReachEveryEditorAndLeaveTheCurrentDocument) {
  struct Case {
    Item item;
    int Settings::*field;
    unsigned msg;
    Sci::Pos off, on;
  };
  const Case cases[] = {
      {Item::MarkSpaces, &Settings::whiteSpaceMarkers, S::SCI_GETVIEWWS, 0, S::SCWS_VISIBLEAFTERINDENT},
      {Item::ShowLineEndings, &Settings::showLineEndings, S::SCI_GETVIEWEOL, 0, 1},
      {Item::IndentGuides, &Settings::showIndent, S::SCI_GETINDENTATIONGUIDES, S::SC_IV_NONE, S::SC_IV_REAL},
      {Item::ShowColumn, &Settings::showColumnMarker, S::SCI_GETEDGEMODE, S::EDGE_NONE, S::EDGE_LINE},
  };
  const int currentDoc = app().state().docs.list.currentIndex();
  const std::vector<EditorView*> all = editors();
  ASSERT_GE(all.size(), 3u);
  for (const Case& c : cases) {
    for (int round = 0; round < 2; ++round) {
      const bool on = settings().*c.field == 0;  // what the toggle turns it to
      ViewToggle(app(), +c.item);
      EXPECT_EQ(settings().*c.field, on ? 1 : 0) << +c.item;
      EXPECT_EQ(checked(c.item), on) << +c.item;
      for (EditorView* ed : all) EXPECT_EQ(ed->sci().send(c.msg), on ? c.on : c.off) << +c.item << " " << ed->control();
    }
  }
  EXPECT_EQ(app().state().docs.list.currentIndex(), currentDoc);

  // Syntax colouring recolours every editor.
  settings().colour = 1;
  settings().colours[static_cast<int>(ColourSlot::Keyword)] = 0x3344AA;
  ViewToggle(app(), +Item::SyntaxColouring);
  EXPECT_FALSE(checked(Item::SyntaxColouring));
  for (EditorView* ed : all) EXPECT_EQ(ed->sci().send(S::SCI_STYLEGETFORE, 1), 0) << ed->control();
  ViewToggle(app(), +Item::SyntaxColouring);
  EXPECT_TRUE(checked(Item::SyntaxColouring));
  for (EditorView* ed : all) EXPECT_EQ(ed->sci().send(S::SCI_STYLEGETFORE, 1), 0x3344AA) << ed->control();

  // Auto-indent is a flag and a check mark only.
  const int autoIndent = settings().autoIndent;
  ViewToggle(app(), +Item::AutoIndent);
  EXPECT_EQ(settings().autoIndent, autoIndent ? 0 : 1);
  EXPECT_EQ(checked(Item::AutoIndent), autoIndent == 0);
}

TEST_F(ViewOptions, LineNumbersChangeOnlyTheCurrentEditor) {
  settings().lineNumbers = 1;
  ApplyEditorSettings(app(), current());
  ApplyEditorSettings(app(), other());
  const Sci::Pos width = current().sci().send(S::SCI_GETMARGINWIDTHN, 0);
  ASSERT_GT(width, 10);

  driver.menu(Item::PhysicalLineNumbers);
  EXPECT_EQ(settings().lineNumbers, 0);
  EXPECT_FALSE(checked(Item::PhysicalLineNumbers));
  EXPECT_EQ(current().sci().send(S::SCI_GETMARGINWIDTHN, 0), 0);
  EXPECT_EQ(current().sci().send(S::SCI_GETMARGINTYPEN, 0), S::SC_MARGIN_SYMBOL);
  EXPECT_EQ(other().sci().send(S::SCI_GETMARGINWIDTHN, 0), width) << "other editors keep their margin";

  driver.menu(Item::PhysicalLineNumbers);
  EXPECT_EQ(current().sci().send(S::SCI_GETMARGINWIDTHN, 0), width);
  EXPECT_TRUE(checked(Item::PhysicalLineNumbers));
}

// The margin shows the largest line number whole, in the margin's own
// font, and follows the line count as lines come and go.
TEST_F(ViewOptions, TheLineNumberMarginFitsTheLargestLineNumber) {
  settings().lineNumbers = 1;
  const QString path = driver.root() + "long.bas";
  QByteArray program;
  program.reserve(180001 * 8);
  for (int i = 0; i < 180001; ++i) program += "x = 1\r\n";
  program.chop(2);
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(program);
  }
  OpenDocument(app(), path, false);
  EditorView& ed = current();
  const Sci s = ed.sci();
  ASSERT_GE(s.lineCount(), 180001);
  auto digitsWidth = [&](const char* digits) {
    return s.sendText(S::SCI_TEXTWIDTH, S::STYLE_LINENUMBER, digits);
  };
  auto margin = [&] {
    driver.processEvents();
    return s.send(S::SCI_GETMARGINWIDTHN, 0);
  };
  EXPECT_GT(margin(), digitsWidth("180001")) << "line 180001 shows whole";
  // Down to 42 lines: two digits.
  s.send(S::SCI_DELETERANGE, s.positionFromLine(41), s.length() - s.positionFromLine(41));
  ASSERT_EQ(s.lineCount(), 42);
  EXPECT_GT(margin(), digitsWidth("42"));
  EXPECT_LT(margin(), digitsWidth("180001"));
  const Sci::Pos twoDigits = margin();
  // Typing lines past 99 widens it again.
  s.send(S::SCI_DOCUMENTEND);
  for (int i = 0; i < 60; ++i) QTest::keyClick(&ed, Qt::Key_Return);
  ASSERT_GT(s.lineCount(), 100);
  EXPECT_GT(margin(), twoDigits);
  EXPECT_GT(margin(), digitsWidth("102"));
  // A bigger editor font is measured in the margin's font too.
  driver.menu(Item::FontBiggest);
  EXPECT_GT(margin(), digitsWidth("102"));
}

TEST_F(ViewOptions, KeywordCaseCyclesOnEveryEditorWithoutTouchingTheText) {
  SetEditorText(&current(), u"print x", true);
  settings().upperCase = 0;
  struct Step {
    int mode;
    const char* text;
    bool on;
  };
  const Step steps[] = {{1, "Keyword Case (UPPER)", true},
                        {2, "Keyword Case (lower)", true},
                        {3, "Keyword Case (Propper)", true},
                        {0, "Keyword Case (none)", false}};
  for (const Step& s : steps) {
    driver.menu(Item::CapitalizeKeywords);
    EXPECT_EQ(settings().upperCase, s.mode);
    EXPECT_EQ(ItemText(app(), +Item::CapitalizeKeywords), s.text);
    EXPECT_EQ(checked(Item::CapitalizeKeywords), s.on);
    for (EditorView* ed : editors()) EXPECT_EQ(ed->sci().send(S::SCI_STYLEGETCASE, 1), s.mode) << ed->control();
  }
  EXPECT_EQ(GetEditorText(&current()), "print x");
}

// The styles the case is read from exist only where the lexer has run: a
// program far longer than the view is recased to its last line.
TEST_F(ViewOptions, SaveKeywordCaseRecasesTextThatWasNeverShown) {
  QString text;
  for (int i = 0; i < 20000; ++i) text += QString("print \"line %1\" : x = x + 1 ' print it\r\n").arg(i);
  SetEditorText(&current(), text, true);
  settings().upperCase = 1;
  driver.menu(Item::SaveKeywordCase);
  const QString out = GetEditorText(&current());
  ASSERT_EQ(out.size(), text.size());
  EXPECT_TRUE(out.startsWith("PRINT \"line 0\" : x = x + 1 ' print it\r\n")) << out.left(60).toStdString();
  EXPECT_TRUE(out.endsWith("PRINT \"line 19999\" : x = x + 1 ' print it\r\n")) << out.right(60).toStdString();
  EXPECT_FALSE(out.contains("print \"")) << "a keyword past the shown lines kept its case";
}

TEST_F(ViewOptions, LineEndModeConvertsTheCurrentDocumentAtOnce) {
  SetEditorText(&current(), u"a\r\nb\nc\r\n", true);
  SetEditorText(&other(), u"x\r\n", true);
  driver.menu(Item::UnixLineEndings);
  EXPECT_EQ(settings().lineEndingsMode, 1);
  EXPECT_EQ(GetEditorText(&current()), "a\nb\nc\n");
  EXPECT_EQ(current().sci().send(S::SCI_GETEOLMODE), S::SC_EOL_LF);
  EXPECT_EQ(GetEditorText(&other()), "x\r\n") << "only the current document";
  EXPECT_TRUE(checked(Item::UnixLineEndings));
  EXPECT_FALSE(checked(Item::DosLineEndings));

  driver.menu(Item::DosLineEndings);
  EXPECT_EQ(settings().lineEndingsMode, 0);
  EXPECT_EQ(GetEditorText(&current()), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(current().sci().send(S::SCI_GETEOLMODE), S::SC_EOL_CRLF);
  EXPECT_TRUE(checked(Item::DosLineEndings));
  EXPECT_FALSE(checked(Item::UnixLineEndings));
}

TEST_F(ViewOptions, ParkedEditorsHaveWrappingOffUntilShown) {
  settings().wordWrap = S::SC_WRAP_WORD;
  EditorView& ed = other();
  ASSERT_TRUE(ed.isHidden());
  ApplyEditorSettings(app(), ed);
  EXPECT_EQ(ed.sci().send(S::SCI_GETWRAPMODE), S::SC_WRAP_NONE);
  PrepareShownEditor(app(), ed);
  EXPECT_EQ(ed.sci().send(S::SCI_GETWRAPMODE), S::SC_WRAP_WORD);
  PrepareParkedEditor(app(), ed);
  EXPECT_EQ(ed.sci().send(S::SCI_GETWRAPMODE), S::SC_WRAP_NONE);
}

TEST_F(ViewOptions, TextAccessByControlNumberChecksForAnEditor) {
  SetEditorText(app(), +ControlId::StatusBar, u"x", true);
  EXPECT_EQ(GetEditorText(app(), +ControlId::StatusBar), "");
  EXPECT_EQ(GetEditorLine(app(), 9999, 0), "");
  const int control = current().control();
  SetEditorText(app(), control, u"a\nb", true);
  EXPECT_EQ(GetEditorLine(app(), control, 1), "b");
}

// ---- Writing the keyword case into the text -------------------------------

// An editor nobody styles: the test gives the styles and folds itself.
class KeywordCaseWrite : public ::testing::Test {
 protected:
  KeywordCaseWrite() : ed(20, dispatcher, nullptr) {
    SetUpEditorControl(ed, 1);
    ed.resize(400, 300);
  }
  Sci s() { return ed.sci(); }
  // Text with its styles ("k" keyword, "." other, one mark per byte) and a
  // fold header on line 0 whose body is lines 1 and 2.
  void load(const char* text, const char* marks) {
    SetEditorText(&ed, QString::fromUtf8(text), true);
    const QByteArray styles = Styles(marks);
    ASSERT_EQ(styles.size(), s().length());
    s().send(S::SCI_STARTSTYLING, 0, 0);
    s().sendPtr(S::SCI_SETSTYLINGEX, styles.size(), styles.constData());
    s().send(S::SCI_SETFOLDLEVEL, 0, S::SC_FOLDLEVELBASE | S::SC_FOLDLEVELHEADERFLAG);
    for (int line = 1; line < s().lineCount(); ++line) s().send(S::SCI_SETFOLDLEVEL, line, S::SC_FOLDLEVELBASE + 1);
  }

  Dispatcher dispatcher;
  EditorView ed;
};

TEST_F(KeywordCaseWrite, OnlyDifferingLettersChangeAndMarkersFoldsAndUndoSurvive) {
  const char* text = "sub Go\nprint \"print\" 'print\n? \xC3\xA4 x\n";
  const char* marks = "kkk....kkkkk.......................";
  load(text, marks);
  s().send(S::SCI_MARKERADD, 1, 0);  // a bookmark on the print line
  s().send(S::SCI_FOLDLINE, 0, S::SC_FOLDACTION_CONTRACT);
  s().send(S::SCI_SETSEL, 9, 10);
  s().send(S::SCI_EMPTYUNDOBUFFER);

  ASSERT_TRUE(WriteKeywordCase(ed, 3));
  EXPECT_EQ(GetEditorBytes(&ed), QByteArray("Sub Go\nPrint \"print\" 'print\n? \xC3\xA4 x\n"));
  EXPECT_EQ(s().send(S::SCI_MARKERGET, 1) & 1, 1) << "the bookmark stays on its line";
  EXPECT_EQ(s().send(S::SCI_MARKERNEXT, 0, 1), 1);
  EXPECT_EQ(s().send(S::SCI_GETFOLDEXPANDED, 0), 0) << "the fold stays closed";
  EXPECT_EQ(s().send(S::SCI_GETLINEVISIBLE, 1), 0);
  EXPECT_EQ(s().send(S::SCI_GETANCHOR), 9);
  EXPECT_EQ(s().currentPos(), 10);

  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorBytes(&ed), QByteArray(text)) << "one undo step gives the old text back";
  EXPECT_FALSE(s().send(S::SCI_CANUNDO));
  EXPECT_EQ(s().send(S::SCI_MARKERGET, 1) & 1, 1);
}

TEST_F(KeywordCaseWrite, EachModeWritesItsCaseAndModeZeroChangesNothing) {
  struct Case {
    int mode;
    const char* out;
    bool changed;
  };
  const Case cases[] = {
      {0, "pRInt x\n", false},
      {1, "PRINT x\n", true},
      {2, "print x\n", true},
      {3, "Print x\n", true},
  };
  for (const Case& c : cases) {
    load("pRInt x\n", "kkkkk...");
    s().send(S::SCI_EMPTYUNDOBUFFER);
    EXPECT_EQ(WriteKeywordCase(ed, c.mode), c.changed) << c.mode;
    EXPECT_EQ(GetEditorBytes(&ed), QByteArray(c.out)) << c.mode;
    EXPECT_EQ(s().modified(), c.changed) << c.mode;
  }
  load("PRINT x\n", "kkkkk...");
  s().send(S::SCI_EMPTYUNDOBUFFER);
  EXPECT_FALSE(WriteKeywordCase(ed, 1)) << "nothing differs: no undo step, still unmodified";
  EXPECT_FALSE(s().send(S::SCI_CANUNDO));
}

}  // namespace
}  // namespace vendle
