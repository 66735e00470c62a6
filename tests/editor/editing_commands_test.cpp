// The Edit menu's commands through their menu items on the running program:
// text and caret before and after, the clipboard, the requesters they ask,
// and one undo step for every command that rewrites text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>
#include <vector>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "ascii_table.h"
#include "editing_test_support.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/text_access.h"
#include "editor/ui/editor_setup.h"
#include "editor/ui/editor_commands.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "qt_print.h"
#include "shell/ui/main_menu.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// Every code of the ASCII conversion with its replacement, and a few that
// have none.
// The replaced codes and some that have no replacement.
std::vector<AsciiRow> WholeAsciiTable() {
  std::vector<AsciiRow> rows = AsciiTable();
  rows.push_back({{128, 215, 233, 8230, 65279}, "?"});
  return rows;
}

// The clipboard text and its conversion: every code, each between brackets.
std::pair<QString, QString> AsciiTableTexts() {
  QString in, out;
  for (const AsciiRow& r : WholeAsciiTable())
    for (char16_t c : r.codes) {
      in += u'[' + QString(QChar(c)) + u']';
      out += u'[' + QString::fromLatin1(r.ascii) + u']';
    }
  return {in, out};
}

// The file the insert commands read: Windows-1252 bytes with typographic
// quotes (0x93, 0x94) and an e acute (0xE9), LF line ends.
const QByteArray kInsertedFile = "X = 1\nPRINT \x93" "caf\xE9\x94";

struct CommandCase {
  const char* what;
  Item item;
  const char* before;  // "|" caret, "{" "}" selection
  const char* after;   // "$ROOT" stands for the sandbox folder
  const char* clipboard = nullptr;       // set before the command when not null
  const char* clipboardAfter = nullptr;  // checked when not null
  const char* open = nullptr;            // the file chosen in the requester; null: Cancel
  std::optional<std::uint32_t> colour;   // the colour chosen (0x00BBGGRR); none: Cancel
  int insertAtEol = 1;
  int removeSmartQuotes = 0;
  int lineEnds = 0;
  const char* message = nullptr;  // the title of a message the command shows
};

const char* const kFile = "ins.bas";
const char* const kMissing = "missing.bas";
// A UTF-8 file: read as UTF-8, as a program file would be.
const char* const kUtf8File = "utf8.bas";
const QByteArray kUtf8Bytes = "PRINT \"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\"\n";

const std::vector<CommandCase>& Cases() {
  static const std::vector<CommandCase> cases = {
      // Prefill and postfill apply to the selected lines.
      {.what = "prefill puts the text at column 0 unless the line holds it",
       .item = Item::PrefillStart,
       .before = "{a\r\n  b\r\nc ' x}",
       .after = "' a\r\n|'   b\r\nc ' x",
       .clipboard = "' "},
      {.what = "prefill ignores letter case",
       .item = Item::PrefillStart,
       .before = "{Rem x\r\ny}",
       .after = "Rem x\r\n|REM y",
       .clipboard = "REM "},
      {.what = "postfill changes only the line that does not end with the text",
       .item = Item::PostfillEnd,
       .before = "{a;\r\nb}",
       .after = "a;\r\nb|;",
       .clipboard = ";"},
      {.what = "postfill tests the trimmed line",
       .item = Item::PostfillEnd,
       .before = "{x ' END  \r\ny}",
       .after = "x ' END  \r\ny|' end",
       .clipboard = "' end"},
      {.what = "a fill with line breaks reaches every selected line",
       .item = Item::PrefillStart,
       .before = "{a\r\nb}",
       .after = "X\r\na\r\n|X\r\nb",
       .clipboard = "X\r\n"},
      {.what = "no fill without a selection", .item = Item::PrefillStart, .before = "a|", .after = "a|",
       .clipboard = "' "},
      {.what = "no fill with an empty clipboard", .item = Item::PostfillEnd, .before = "{a\r\nb}", .after = "{a\r\nb}",
       .clipboard = ""},
      {.what = "cancel changes no text", .item = Item::CancelPrefill, .before = "{a\r\nb}", .after = "{a\r\nb}",
       .clipboard = "x"},

      // Join.
      {.what = "join takes the trimmed line to the end of the previous one",
       .item = Item::JoinLine,
       .before = "a = 1\r\n   + 2  |\r\nnext",
       .after = "a = 1|+ 2\r\nnext"},
      {.what = "join on the last line removes its line break",
       .item = Item::JoinLine,
       .before = "x\na\n|  b  ",
       .after = "x\na|b"},
      {.what = "join of an empty last line", .item = Item::JoinLine, .before = "a\r\n|", .after = "a|"},
      {.what = "join keeps a tab in front of the text",
       .item = Item::JoinLine,
       .before = "a\r\n\tb|",
       .after = "a|\tb"},
      {.what = "join with characters of several bytes",
       .item = Item::JoinLine,
       .before = "\u00E9\r\n  \u20AC|x",
       .after = "\u00E9|\u20ACx"},
      {.what = "join after a lone CR", .item = Item::JoinLine, .before = "a\rb|\rc", .after = "a|b\rc"},
      {.what = "join does nothing on the first line", .item = Item::JoinLine, .before = "a|\r\nb", .after = "a|\r\nb"},

      // Insert File, converted to the line-end mode.
      {.what = "insert file at the end of a line starts a new line",
       .item = Item::InsertFile,
       .before = "PRINT|",
       .after = "PRINT|\r\nX = 1\r\nPRINT \u201Ccaf\u00E9\u201D",
       .open = kFile},
      {.what = "insert file mid-line goes to the line end",
       .item = Item::InsertFile,
       .before = "PR|INT\r\nnext",
       .after = "PRINT|\r\nX = 1\r\nPRINT \u201Ccaf\u00E9\u201D\r\nnext",
       .open = kFile},
      {.what = "insert file mid-line without Insert at EOL",
       .item = Item::InsertFile,
       .before = "PR|INT",
       .after = "PR|X = 1\r\nPRINT \u201Ccaf\u00E9\u201DINT",
       .open = kFile,
       .insertAtEol = 0},
      {.what = "insert file at the start of a line",
       .item = Item::InsertFile,
       .before = "|PRINT",
       .after = "|X = 1\r\nPRINT \u201Ccaf\u00E9\u201DPRINT",
       .open = kFile},
      {.what = "insert file on an empty line puts a line break first",
       .item = Item::InsertFile,
       .before = "|",
       .after = "|\r\nX = 1\r\nPRINT \u201Ccaf\u00E9\u201D",
       .open = kFile},
      {.what = "insert a UTF-8 file",
       .item = Item::InsertFile,
       .before = "|",
       .after = "|\r\nPRINT \"Gr\u00FC\u00DFe \u20AC\"\r\n",
       .open = kUtf8File},
      {.what = "insert file with LF line ends: only the inserted text gets them",
       .item = Item::InsertFile,
       .before = "a\r\nb|",
       .after = "a\r\nb|\nX = 1\nPRINT \u201Ccaf\u00E9\u201D",
       .open = kFile,
       .lineEnds = 1},
      {.what = "insert file removes smart quotes when set",
       .item = Item::InsertFile,
       .before = "PRINT|",
       .after = "PRINT|\r\nX = 1\r\nPRINT \"caf?\"",
       .open = kFile,
       .removeSmartQuotes = 1},
      {.what = "insert file cancelled", .item = Item::InsertFile, .before = "PR|INT", .after = "PR|INT"},
      {.what = "a file that cannot be read inserts nothing",
       .item = Item::InsertFile,
       .before = "PRINT|",
       .after = "PRINT|",
       .open = kMissing,
       .message = "Oops!"},
      {.what = "insert file from store",
       .item = Item::InsertFileFromStore,
       .before = "PRINT|",
       .after = "PRINT|\r\nX = 1\r\nPRINT \u201Ccaf\u00E9\u201D",
       .open = kFile},

      // The INCLUDE directive: at the start of the caret line, ended as the
      // document's lines are.
      {.what = "include directive",
       .item = Item::InsertInclude,
       .before = "a\r\nPR|INT",
       .after = "a\r\n|'#INCLUDE \"$ROOTins.bas\"\r\nPRINT",
       .open = kFile},
      {.what = "include directive in an LF document",
       .item = Item::InsertInclude,
       .before = "a\nPR|INT",
       .after = "a\n|'#INCLUDE \"$ROOTins.bas\"\nPRINT",
       .open = kFile,
       .lineEnds = 1},
      {.what = "include directive cancelled", .item = Item::InsertInclude, .before = "PR|INT", .after = "PR|INT"},

      // The colour picker replaces the selection.
      {.what = "chosen colour",
       .item = Item::ChooseColour,
       .before = "c = {old}",
       .after = "c = RGB(153,102,51)|",
       .colour = 0x00336699u},
      {.what = "chosen black", .item = Item::ChooseColour, .before = "c = |", .after = "c = RGB(0,0,0)|", .colour = 0u},
      {.what = "colour chooser cancelled removes the selection",
       .item = Item::ChooseColour,
       .before = "c = {old}",
       .after = "c = |"},

      // Paste as ASCII.
      {.what = "paste as ASCII converts and keeps the conversion on the clipboard",
       .item = Item::PasteAsAscii,
       .before = "p = {x}",
       .after = "p = \"it's 5`\"|",
       .clipboard = "\u201Cit\u2019s 5\u00B0\u201D",
       .clipboardAfter = "\"it's 5`\""},

      // Comment and uncomment work on whole lines.
      {.what = "comment puts the apostrophe behind the leading blanks",
       .item = Item::CommentLines,
       .before = "{  a\r\n\tb\r\n\r\n'c}",
       .after = "{  'a\r\n'\tb\r\n'\r\n''c}"},
      {.what = "comment the caret line", .item = Item::CommentLines, .before = "x\r\n  y|", .after = "x\r\n  'y|"},
      {.what = "uncomment removes one apostrophe behind the leading blanks",
       .item = Item::UncommentLines,
       .before = "{  'a\r\n'\tb\r\nc\r\n ' 'd\r\n''e}",
       .after = "{  a\r\n\tb\r\nc\r\n  'd\r\n'e}"},
      {.what = "uncomment a line that is no comment", .item = Item::UncommentLines, .before = "  x|", .after = "  x|"},

      // Shift+Return: only a line end in the mode.
      {.what = "shift+return", .item = Item::InsertLineEnd, .before = "  ab|cd", .after = "  ab\r\n|cd"},
      {.what = "shift+return with LF line ends",
       .item = Item::InsertLineEnd,
       .before = "  ab|",
       .after = "  ab\n|",
       .lineEnds = 1},

      // The clipboard items.
      {.what = "cut", .item = Item::Cut, .before = "{ab}c", .after = "|c", .clipboard = "", .clipboardAfter = "ab"},
      {.what = "copy", .item = Item::Copy, .before = "{ab}c", .after = "{ab}c", .clipboard = "", .clipboardAfter = "ab"},
      {.what = "paste", .item = Item::Paste, .before = "a{b}c", .after = "axy|c", .clipboard = "xy"},
      {.what = "select all leaves the caret at the start", .item = Item::SelectAll, .before = "a|b", .after = "}ab{"},
  };
  return cases;
}

class EditingCommands : public ::testing::Test {
 protected:
  EditingCommands() {
    QFile f(d.root() + kFile);
    f.open(QIODevice::WriteOnly);
    f.write(kInsertedFile);
    QFile u(d.root() + kUtf8File);
    u.open(QIODevice::WriteOnly);
    u.write(kUtf8Bytes);
  }
  App& app() { return d.app(); }
  EditorView& editor() {
    EditorView* ed = CurrentEditor(app());
    EXPECT_NE(ed, nullptr) << "the program starts with a document";
    return *ed;
  }
  QString Expanded(const char* text) { return QString::fromUtf8(text).replace("$ROOT", d.root()); }

  AppDriver d;
};

TEST_F(EditingCommands, EachItemGivesItsTextAndCaretInOneUndoStep) {
  EditorView& ed = editor();
  for (const CommandCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    Settings& st = app().settings();
    st.insertAtEol = c.insertAtEol;
    st.removeSmartQuotes = c.removeSmartQuotes;
    st.lineEndingsMode = c.lineEnds;
    // As a document read from a file with such line ends.
    ed.sci().send(QsciScintillaBase::SCI_SETEOLMODE,
                  c.lineEnds == 1 ? QsciScintillaBase::SC_EOL_LF : QsciScintillaBase::SC_EOL_CRLF);
    if (c.clipboard) QApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
    d.requesters().clear();
    if (c.item == Item::InsertFile || c.item == Item::InsertFileFromStore || c.item == Item::InsertInclude)
      d.requesters().answerText(c.open ? std::optional<QString>(d.root() + c.open) : std::nullopt);
    if (c.item == Item::ChooseColour) d.requesters().answerColour(c.colour);
    const QString before = QString::fromUtf8(c.before);
    PutMarked(ed, before);

    d.post(Event::Menu(c.item));

    EXPECT_EQ(ShowMarked(ed), Expanded(c.after));
    if (c.clipboardAfter) {
      EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(c.clipboardAfter));
    }
    EXPECT_EQ(d.requesters().pendingReplies(), 0u) << "the command asked what it should";
    QStringList messages;
    for (const Asked& a : d.requesters().asked())
      if (a.kind == "message") messages.append(a.title);
    EXPECT_EQ(messages, c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
    if (GetEditorText(&ed) != ParseMarked(before).text) {
      ed.sci().send(S::SCI_UNDO);
      EXPECT_EQ(GetEditorText(&ed), ParseMarked(before).text) << "one undo step";
      EXPECT_FALSE(ed.sci().send(S::SCI_CANUNDO));
    }
  }
  PrefillCommand(app(), +Item::CancelPrefill);
}

TEST_F(EditingCommands, EveryColourItemWritesItsConstant) {
  const char* const names[] = {"BLACK", "BLUE",   "BROWN", "CERULEAN", "COBALT",   "_CYAN",  "FUCHSIA", "GREEN",
                               "LILAC", "MAGENTA", "MIDGREEN", "MYRTLE", "RED",     "RUST",   "WHITE",   "YELLOW",
                               "BEIGE", "GOLD",   "GRAY",  "LIGHTGRAY", "ORANGE",  "PINK",   "SALMON",  "NOTBLACK"};
  ASSERT_EQ(std::size(names), std::size_t(+Item::ChooseColour - +Item::ColourFirst));
  EditorView& ed = editor();
  for (int item = +Item::ColourFirst; item < +Item::ChooseColour; ++item) {
    const QString expected = QStringLiteral("c = RGB(%1)|").arg(QLatin1String(names[item - +Item::ColourFirst]));
    PutMarked(ed, "c = {old}");
    d.post(Event::Menu(item));
    EXPECT_EQ(ShowMarked(ed), expected) << item;
  }
  EXPECT_TRUE(d.requesters().asked().empty());
}

TEST_F(EditingCommands, PasteAsAsciiConvertsTheWholeTable) {
  const auto [in, out] = AsciiTableTexts();
  QApplication::clipboard()->setText(in);
  EditorView& ed = editor();
  PutMarked(ed, "a|b");
  d.post(Event::Menu(Item::PasteAsAscii));
  EXPECT_EQ(ShowMarked(ed), u'a' + out + QStringLiteral("|b"));
  EXPECT_EQ(QApplication::clipboard()->text(), out);
}

TEST_F(EditingCommands, PrefillAndPostfillCheckTheirItemsAndStayForReturn) {
  struct Step {
    Item item;
    int mode;
  };
  const Step steps[] = {{Item::PrefillStart, 1}, {Item::PostfillEnd, 2}, {Item::CancelPrefill, 0},
                        {Item::PostfillEnd, 2}, {Item::PrefillStart, 1}, {Item::CancelPrefill, 0}};
  QApplication::clipboard()->setText(QString());
  for (const Step& s : steps) {
    d.post(Event::Menu(s.item));
    EXPECT_EQ(app().state().prefillMode, s.mode) << +s.item;
    EXPECT_EQ(ItemChecked(app(), +Item::PrefillStart), s.mode == 1) << +s.item;
    EXPECT_EQ(ItemChecked(app(), +Item::PostfillEnd), s.mode == 2) << +s.item;
  }
  // Menu 76 and the popup show the same marks.
  d.post(Event::Menu(Item::PostfillEnd));
  BuildEditorPopup(app());
  BuildMainMenu(app());
  EXPECT_TRUE(ItemChecked(app(), +Item::PostfillEnd)) << "a rebuilt menu keeps the mode's mark";
  d.post(Event::Menu(Item::CancelPrefill));
}

TEST_F(EditingCommands, InsertFileAsksInTheFileFolderOrTheStoreFolder) {
  struct Case {
    bool fromStore;
    const char* store;  // "Store folder" before ("$ROOT" for the sandbox)
    bool shift;
    const char* asksIn;      // the requester's folder; "$FILE" for the file folder
    const char* storeAfter;  // "Store folder" after
  };
  const Case cases[] = {
      {false, "$ROOTstore", false, "$FILE", "$ROOTstore"},
      {false, "$ROOTstore", true, "$FILE", "$ROOTstore"},  // Shift counts only for the store item
      {true, "$ROOTstore", false, "$ROOTstore/", "$ROOTstore"},
      {true, "", false, "$FILE", ""},
      {true, "$ROOTstore", true, "$ROOTstore/", "$ROOT"},
  };
  EditorView& ed = editor();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.store) + (c.fromStore ? " store" : " file") + (c.shift ? " shift" : ""));
    auto expand = [&](const char* s) {
      return QString::fromUtf8(s).replace("$ROOT", d.root()).replace("$FILE", app().folders().file);
    };
    app().settings().storeFolder = expand(c.store);
    d.requesters().clear();
    d.requesters().answerText(d.root() + kFile);
    PutMarked(ed, "|");
    InsertFileCommand(app(), c.fromStore, c.shift);
    ASSERT_FALSE(d.requesters().asked().empty());
    const Asked& open = d.requesters().asked().front();
    EXPECT_EQ(open.kind, "open");
    EXPECT_EQ(open.title, "Open");
    EXPECT_EQ(open.text, expand(c.asksIn));
    EXPECT_EQ(app().settings().storeFolder, expand(c.storeAfter));
    const bool told = d.requesters().asked().size() == 2 && d.requesters().asked()[1].title == "Include folder set to" &&
                      d.requesters().asked()[1].text == expand(c.storeAfter);
    EXPECT_EQ(told, c.fromStore && c.shift);
    EXPECT_EQ(GetEditorText(&ed), QString::fromUtf8("\r\nX = 1\r\nPRINT \u201Ccaf\u00E9\u201D"));
  }
}

// A program whose lines end in every way: Insert File gives the inserted
// text the document's line ends and leaves every other line as it was.
TEST_F(EditingCommands, InsertFileChangesNoLineEndOfTheDocument) {
  const QString path = d.root() + "mixed.bas";
  WriteFile(path, "A = 1\r\nB = 2\rC = 3\n");  // the last line end, LF, is the document's
  WriteFile(d.root() + "part.bas", "X\r\nY\rZ");
  OpenDocument(app(), path, false);
  editor().sci().send(S::SCI_GOTOPOS, 5);  // the end of "A = 1"
  d.requesters().answerText(d.root() + "part.bas");
  d.post(Event::Menu(Item::InsertFile));
  d.post(Event::Menu(Item::Save));
  EXPECT_EQ(ReadFile(path), "A = 1\nX\nY\nZ\r\nB = 2\rC = 3\n");
}

TEST_F(EditingCommands, AFileThatFailsToReadInsertsNothing) {
  EditorView& ed = editor();
  SetFileFault({FileFault::Step::Read, d.root() + kFile});
  d.requesters().answerText(d.root() + kFile);
  PutMarked(ed, "PRINT|");
  d.post(Event::Menu(Item::InsertFile));
  ClearFileFault();
  EXPECT_EQ(ShowMarked(ed), "PRINT|");
  EXPECT_FALSE(ed.sci().send(S::SCI_CANUNDO));
  ASSERT_EQ(d.requesters().asked().size(), 2u);
  EXPECT_EQ(d.requesters().asked()[1].title, "Oops!");
  EXPECT_TRUE(d.requesters().asked()[1].text.contains(d.root() + kFile));
}

TEST_F(EditingCommands, CommandsWorkOnTheSelectedTabsDocument) {
  EditorView& first = editor();
  PutMarked(first, "a\r\nb|");
  ASSERT_GE(NewDocument(app()), 0);
  EditorView& second = editor();
  ASSERT_NE(&first, &second);
  PutMarked(second, "x\r\ny|");
  // The record list points elsewhere; the tab bar's selection decides.
  app().state().docs.list.setCurrent(0);
  d.post(Event::Menu(Item::JoinLine));
  EXPECT_EQ(ShowMarked(second), "x|y");
  EXPECT_EQ(GetEditorText(&first), "a\r\nb");
}

}  // namespace
}  // namespace vendle::test

namespace vendle::test {
namespace {

// Commands that edit many lines make their edits without the control's change
// notifications; each edited line must still carry its change mark, and only
// those lines.
TEST(BulkEdits, EveryEditedLineAndOnlyItCarriesItsChangeMark) {
  AppDriver d;
  App& app = d.app();
  struct Case {
    const char* what;
    Item item;
    std::vector<int> changed;  // the lines that must carry the mark
  };
  const Case cases[] = {
      {"comment lines 1 to 3", Item::CommentLines, {1, 2, 3}},
      {"prefill lines 1 to 3", Item::PrefillStart, {1, 2, 3}},
      {"keyword case", Item::SaveKeywordCase, {0, 2, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditorView* ed = CurrentEditor(app);
    ASSERT_NE(ed, nullptr);
    SetChangeMarking(*ed, true, 1);
    SetEditorText(ed, u"print 1\r\nx = 2\r\nprint 3\r\ny = 4\r\nprint 5\r\n", true);
    ClearChangeMarks(*ed);
    Sci s = ed->sci();
    s.send(QsciScintillaBase::SCI_SETSEL, s.positionFromLine(1), s.positionFromLine(3) + 2);
    QApplication::clipboard()->setText("' ");
    app.settings().upperCase = 1;
    d.post(Event::Menu(c.item));
    if (c.item == Item::PrefillStart) d.post(Event::Menu(Item::CancelPrefill));
    for (int line = 0; line < 5; ++line) {
      const bool marked = (s.send(QsciScintillaBase::SCI_MARKERGET, line) >> kChangeMarker) & 1;
      const bool want = std::find(c.changed.begin(), c.changed.end(), line) != c.changed.end();
      EXPECT_EQ(marked, want) << "line " << line << ": " << GetEditorText(ed).toStdString();
    }
    s.send(QsciScintillaBase::SCI_UNDO);
    EXPECT_EQ(GetEditorText(ed), "print 1\r\nx = 2\r\nprint 3\r\ny = 4\r\nprint 5\r\n") << "one undo step";
  }
}

}  // namespace
}  // namespace vendle::test
