// The menu model: every title, item number, text and check mark of menu 76
// and popup 295, the lists behind the Action, Syntax, Recent and External
// resources items, and the recent-list rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qt_print.h"
#include "settings/settings.h"
#include "shell/menu_model.h"

namespace vendle::test {
namespace {

// One line of a flattened menu: "path|item|text|mark". Submenus are item -1,
// separators item 0; the mark is " " (no check box), "o" (unchecked) or "x".
std::vector<std::string> Flatten(const std::vector<MenuNode>& nodes, const std::string& path) {
  std::vector<std::string> out;
  for (const MenuNode& n : nodes) {
    switch (n.kind) {
      case MenuNode::Kind::Separator: out.push_back(path + "|0||"); break;
      case MenuNode::Kind::Submenu: {
        out.push_back(path + "|-1|" + n.text.toStdString() + "|");
        auto sub = Flatten(n.children, path + "/" + n.text.toStdString());
        out.insert(out.end(), sub.begin(), sub.end());
        break;
      }
      case MenuNode::Kind::Item:
        out.push_back(path + "|" + std::to_string(n.item) + "|" + n.text.toStdString() + "|" +
                      (!n.checkable ? " " : n.checked ? "x" : "o"));
        break;
    }
  }
  return out;
}

struct Row {
  const char* path;
  int item;
  const char* text;
  const char* mark;
  std::string str() const { return std::string(path) + "|" + std::to_string(item) + "|" + text + "|" + mark; }
};

#define COLOURS(P)                                                                                       \
  {P, 133, "BLACK", " "}, {P, 134, "BLUE", " "}, {P, 135, "BROWN", " "}, {P, 136, "CERULEAN", " "},     \
      {P, 137, "COBALT", " "}, {P, 138, "CYAN", " "}, {P, 139, "FUCHSIA", " "}, {P, 140, "GREEN", " "}, \
      {P, 141, "LILAC", " "}, {P, 142, "MAGENTA", " "}, {P, 143, "MIDGREEN", " "},                       \
      {P, 144, "MYRTLE", " "}, {P, 145, "RED", " "}, {P, 146, "RUST", " "}, {P, 147, "WHITE", " "},      \
      {P, 148, "YELLOW", " "}, {P, 0, "", ""}, {P, 149, "BEIGE", " "}, {P, 150, "GOLD", " "},            \
      {P, 151, "GRAY", " "}, {P, 152, "LIGHTGRAY", " "}, {P, 153, "ORANGE", " "}, {P, 154, "PINK", " "}, \
      {P, 155, "SALMON", " "}, {P, 156, "NOTBLACK", " "}, {P, 157, "Choose colour...", " "}

// Written from the menu tables, with TableSettings() below, two syntax sets
// (current "picomite") and empty program, recent and reference lists.
const Row kMainMenu[] = {
    {"", -1, "File", ""},
    {"/File", 78, "New\tCtrl+N", " "},
    {"/File", 92, "Clone", " "},
    {"/File", 79, "Open\tCtrl+O", " "},
    {"/File", 80, "Open from Store\tAlt+O", " "},
    {"/File", -1, "Recent", ""},
    {"/File/Recent", 82, "-", " "},
    {"/File/Recent", 83, "-", " "},
    {"/File/Recent", 84, "-", " "},
    {"/File/Recent", 85, "-", " "},
    {"/File/Recent", 86, "-", " "},
    {"/File/Recent", 87, "-", " "},
    {"/File/Recent", 88, "-", " "},
    {"/File/Recent", 89, "-", " "},
    {"/File/Recent", 90, "-", " "},
    {"/File/Recent", 91, "-", " "},
    {"/File", 93, "Save\tCtrl+S", " "},
    {"/File", 94, "Snapshot", " "},
    {"/File", 95, "Save all", " "},
    {"/File", 96, "Save As...", " "},
    {"/File", 97, "Save As in Store...\tAlt+A", " "},
    {"/File", 98, "Save Selection as...", " "},
    {"/File", 99, "Save as RTF", " "},
    {"/File", 101, "Format for forum", " "},
    {"/File", 100, "Forum in Colour", " "},
    {"/File", 102, "Format as HTML", " "},
    {"/File", 103, "Format as colour HTML", " "},
    {"/File", 104, "Save new file intro", " "},
    {"/File", 105, "Revert to saved", " "},
    {"/File", 106, "Close", " "},
    {"/File", 107, "Close all", " "},
    {"/File", 108, "Print\tCtrl+P", " "},
    {"/File", 109, "Preferences", " "},
    {"/File", 113, "Exit", " "},
    {"", -1, "Edit", ""},
    {"/Edit", 114, "Undo\tCtrl+Z", " "},
    {"/Edit", 115, "Redo\tCtrl+Y", " "},
    {"/Edit", 116, "Select All\tCtrl+A", " "},
    {"/Edit", 117, "Cut\tCtrl+X", " "},
    {"/Edit", 118, "Copy\tCtrl+C", " "},
    {"/Edit", 119, "Paste\tCtrl+V", " "},
    {"/Edit", 121, "Paste as ASCII", " "},
    {"/Edit", 122, "Insert File\tCtrl+I", " "},
    {"/Edit", 123, "Insert File from store\tAlt+I", " "},
    {"/Edit", -1, "Colour picker", ""},
    COLOURS("/Edit/Colour picker"),
    {"/Edit", 126, "Find/Replace\tCtrl+F", " "},
    {"/Edit", 127, "Quick find\tF11", " "},
    {"/Edit", 128, "Prefill start of line", "o"},
    {"/Edit", 129, "Postfill end of line", "o"},
    {"/Edit", 130, "Cancel Prefill/Postfill", " "},
    {"", -1, "Program", ""},
    {"/Program", 158, "Remove program line numbers", " "},
    {"/Program", 160, "Remove blank lines", " "},
    {"/Program", 161, "Remove comments", " "},
    {"/Program", 162, "Remove indents and trailing spaces", " "},
    {"/Program", 163, "Crunch (opens new tab)", " "},
    {"/Program", 164, "UnCrunch (opens new tab)", " "},
    {"/Program", 165, "Remove non-ASCII characters", " "},
    {"/Program", 166, "Make selected lines a comment", " "},
    {"/Program", 167, "Uncomment selected lines", " "},
    {"/Program", 168, "Convert C type comments", " "},
    {"/Program", 170, "Cleanup labels", " "},
    {"/Program", 171, "Format indentation", " "},
    {"/Program", 172, "Wrap comments", " "},
    {"/Program", 198, "Save KEYWORD case", " "},
    {"/Program", 173, "Merge", " "},
    {"/Program", 174, "Display Variable report", " "},
    {"/Program", 175, "DOS line endings", "x"},
    {"/Program", 176, "UNIX line endings", "o"},
    {"", -1, "Design", ""},
    {"/Design", 183, "New layout design", " "},
    {"/Design", 184, "Incorporate layout code", " "},
    {"/Design", 185, "Refresh layout code", " "},
    {"/Design", 186, "Replace variables With numbers", " "},
    {"/Design", 187, "Extract your code", " "},
    {"/Design", -1, "Colour picker", ""},
    COLOURS("/Design/Colour picker"),
    {"", -1, "Font", ""},
    {"/Font", 179, "Small", "o"},
    {"/Font", 180, "Medium", "x"},
    {"/Font", 181, "Bigger", "o"},
    {"/Font", 182, "Biggest", "o"},
    {"", -1, "View", ""},
    {"/View", 188, "Syntax colouring", "x"},
    {"/View", 189, "Capitalize keywords", "x"},
    {"/View", 190, "Mark spaces", "o"},
    {"/View", 191, "Show line endings", "o"},
    {"/View", 192, "Indent guides", "x"},
    {"/View", 193, "Auto-indent", "x"},
    {"/View", 196, "Physical line numbers", "x"},
    {"/View", 194, "Show Column 80", "x"},
    {"/View", 199, "Fold all\tF9", " "},
    {"/View", 200, "Unfold all\tF10", " "},
    {"", -1, "BookMarks", ""},
    {"/BookMarks", 202, "Toggle bookmark", " "},
    {"/BookMarks", 203, "Goto previous bookmark", " "},
    {"/BookMarks", 204, "Goto next bookmark", " "},
    {"/BookMarks", 205, "Clear all bookmarks", " "},
    {"/BookMarks", 206, "Goto line number\tCtrl+G", " "},
    {"/BookMarks", 207, "Find Sub/Function\tF4", " "},
    {"/BookMarks", 208, "Return from Sub/Function\tF5", " "},
    {"", -1, "Action", ""},
    {"/Action", 209, "Deploy     F2", " "},
    {"/Action", -1, "Ravolt", ""},
    {"/Action", 220, "Edit list...", " "},
    {"", -1, "Syntax", ""},
    {"/Syntax", 233, "Include Parameters", "x"},
    {"/Syntax", 234, "cmm2", "o"},
    {"/Syntax", 235, "picomite", "x"},
    {"/Syntax", 275, "Set current syntax as default", " "},
    {"", -1, "Help", ""},
    {"/Help", 276, "About", " "},
    {"/Help", 277, "Syntax Help", " "},
    {"/Help", 280, "Vendle Help", " "},
    {"/Help", 282, "Keyboard shortcuts", " "},
    {"/Help", 281, "ASCII Table", " "},
    {"/Help", -1, "External resources", ""},
    {"/Help/External resources", 284, "-", " "},
    {"/Help/External resources", 285, "-", " "},
    {"/Help/External resources", 286, "-", " "},
    {"/Help/External resources", 287, "-", " "},
    {"/Help/External resources", 288, "-", " "},
    {"/Help/External resources", 289, "-", " "},
    {"/Help", 290, "Change Log", " "},
    {"/Help", 291, "Copy INF files", " "},
};

const Row kPopup[] = {
    {"", 120, "<Enter>", " "},
    {"", 114, "Undo\tCtrl+Z", " "},
    {"", 115, "Redo\tCtrl+Y", " "},
    {"", 116, "Select All\tCtrl+A", " "},
    {"", 117, "Cut\tCtrl+X", " "},
    {"", 118, "Copy\tCtrl+C", " "},
    {"", 119, "Paste\tCtrl+V", " "},
    {"", 121, "Paste as ASCII", " "},
    {"", 122, "Insert File\tCtrl+I", " "},
    {"", 124, "Insert INCLUDE directive", " "},
    {"", -1, "Colour picker", ""},
    COLOURS("/Colour picker"),
    {"", 165, "Remove non-ASCII characters", " "},
    {"", 0, "", ""},
    {"", 166, "Make selected lines a comment", " "},
    {"", 167, "Uncomment selected lines", " "},
    {"", 0, "", ""},
    {"", 172, "Wrap comments", " "},
    {"", 0, "", ""},
    {"", 128, "Prefill start of line", "o"},
    {"", 129, "Postfill end of line", "o"},
    {"", 130, "Cancel Prefill/Postfill", " "},
    {"", 0, "", ""},
    {"", 126, "Find/Replace\tCtrl+F", " "},
    {"", 127, "Quick find\tF11", " "},
    {"", 0, "", ""},
    {"", 278, "Syntax Help\tF1", " "},
    {"", 279, "Detailed Syntax Help\tShft+F1", " "},
};

template <std::size_t N>
std::vector<std::string> Lines(const Row (&rows)[N]) {
  std::vector<std::string> out;
  for (const Row& r : rows) out.push_back(r.str());
  return out;
}

void ExpectSameLines(const std::vector<std::string>& got, const std::vector<std::string>& want) {
  const std::size_t n = std::max(got.size(), want.size());
  for (std::size_t i = 0; i < n; ++i) {
    const std::string g = i < got.size() ? got[i] : "(none)";
    const std::string w = i < want.size() ? want[i] : "(none)";
    EXPECT_EQ(g, w) << "line " << i;
    if (g != w) break;  // one misplaced line shifts all that follow
  }
  EXPECT_EQ(got.size(), want.size());
}

// The settings the main table was written for, set one by one so that a
// changed default does not change the table.
Settings TableSettings() {
  Settings s;
  s.colour = 1;
  s.upperCase = 1;
  s.whiteSpaceMarkers = 0;
  s.showLineEndings = 0;
  s.showIndent = 1;
  s.autoIndent = 1;
  s.lineNumbers = 1;
  s.showColumnMarker = 1;
  s.columnMarkerAt = 80;
  s.fontSize = 12;
  s.lineEndingsMode = 0;
  s.includeParameters = 1;
  s.currentSyntaxName = "picomite";
  s.externalPrograms.clear();
  s.ravoltPrograms.clear();
  s.externalHotLink = 0;
  s.recentFiles.clear();
  for (int k = 0; k < 6; ++k) s.externalReferences[k] = QString("External Reference %1").arg(k);
  return s;
}

MainMenuModel ModelWith(const Settings& s, QStringList syntaxes = {"cmm2", "picomite"}) {
  return BuildMainMenuModel(MenuSources{s, std::move(syntaxes), {}, 0});
}

const MenuNode& Node(const MainMenuModel& m, int item) {
  const MenuNode* n = FindMenuItem(m.menus, item);
  if (!n) throw std::runtime_error("no item " + std::to_string(item));
  return *n;
}

TEST(MenuModel, MainMenuHasEveryTitleItemTextAndCheckMark) {
  const Settings s = TableSettings();
  ExpectSameLines(Flatten(ModelWith(s).menus, ""), Lines(kMainMenu));
}

TEST(MenuModel, PopupMenuHasEveryItemInOrder) {
  const Settings s = TableSettings();
  ExpectSameLines(Flatten(BuildEditorPopupModel(MenuSources{s, {}, {}, 0}), ""), Lines(kPopup));
}

TEST(MenuModel, CheckMarksFollowTheSettings) {
  struct Case {
    const char* what;
    void (*change)(Settings&);
    int item;
    bool checked;
  };
  const Case cases[] = {
      {"font 10", [](Settings& s) { s.fontSize = 10; }, 179, true},
      {"font 10 unchecks Medium", [](Settings& s) { s.fontSize = 10; }, 180, false},
      {"font 11 is taken as 12", [](Settings& s) { s.fontSize = 11; }, 180, true},
      {"font 14", [](Settings& s) { s.fontSize = 14; }, 181, true},
      {"font 16", [](Settings& s) { s.fontSize = 16; }, 182, true},
      {"LF line ends", [](Settings& s) { s.lineEndingsMode = 1; }, 176, true},
      {"LF line ends unchecks DOS", [](Settings& s) { s.lineEndingsMode = 1; }, 175, false},
      {"colour off", [](Settings& s) { s.colour = 0; }, 188, false},
      {"keyword case as typed", [](Settings& s) { s.upperCase = 0; }, 189, false},
      {"keyword case Propper", [](Settings& s) { s.upperCase = 3; }, 189, true},
      {"white space shown", [](Settings& s) { s.whiteSpaceMarkers = 1; }, 190, true},
      {"line ends shown", [](Settings& s) { s.showLineEndings = 1; }, 191, true},
      {"no indent guides", [](Settings& s) { s.showIndent = 0; }, 192, false},
      {"no auto-indent", [](Settings& s) { s.autoIndent = 0; }, 193, false},
      {"no column marker", [](Settings& s) { s.showColumnMarker = 0; }, 194, false},
      {"no line numbers", [](Settings& s) { s.lineNumbers = 0; }, 196, false},
      {"parameters not included", [](Settings& s) { s.includeParameters = 0; }, 233, false},
      {"another current syntax", [](Settings& s) { s.currentSyntaxName = "cmm2"; }, 234, true},
      {"current syntax unchecks the old", [](Settings& s) { s.currentSyntaxName = "cmm2"; }, 235, false},
      {"syntax names compare exactly", [](Settings& s) { s.currentSyntaxName = "PicoMite"; }, 235, false},
  };
  for (const Case& c : cases) {
    Settings s = TableSettings();
    c.change(s);
    EXPECT_EQ(Node(ModelWith(s), c.item).checked, c.checked) << c.what;
  }
}

TEST(MenuModel, ColumnItemNamesTheColumn) {
  Settings s = TableSettings();
  s.columnMarkerAt = 72;
  EXPECT_EQ(Node(ModelWith(s), 194).text, "Show Column 72");
}

TEST(MenuModel, PrefillModeChecksItsItemInBothMenus) {
  const Settings s = TableSettings();
  for (int mode : {1, 2}) {
    const MenuSources src{s, {}, {}, mode};
    const int on = mode == 1 ? 128 : 129, off = mode == 1 ? 129 : 128;
    const MainMenuModel m = BuildMainMenuModel(src);
    const auto popup = BuildEditorPopupModel(src);
    EXPECT_TRUE(FindMenuItem(m.menus, on)->checked) << mode;
    EXPECT_FALSE(FindMenuItem(m.menus, off)->checked) << mode;
    EXPECT_TRUE(FindMenuItem(popup, on)->checked) << mode;
    EXPECT_FALSE(FindMenuItem(popup, off)->checked) << mode;
  }
}

ExternalProgramEntry Program(const QString& text) { return {text, "/tmp", "/usr/bin/true", "", 0}; }

const MenuNode& ActionMenu(const MainMenuModel& m) { return m.menus.at(7); }

TEST(MenuModel, ActionMenuChecksTheDefaultProgramAndNamesItOnButton221) {
  Settings s = TableSettings();
  s.externalPrograms = {Program("MMEdit"), Program("Tera Term"), Program("Flash")};
  s.externalHotLink = 1;
  const MainMenuModel m = ModelWith(s);
  std::vector<std::string> got = Flatten(ActionMenu(m).children, "");
  const std::vector<std::string> want = {"|209|Deploy     F2| ", "|-1|Ravolt|",           "|210|MMEdit|o",
                                         "|211|Tera Term|x",     "|212|Flash|o",           "|220|Edit list...| "};
  EXPECT_EQ(got, want);
  EXPECT_EQ(m.runButtonTooltip, "Tera Term");
}

TEST(MenuModel, AHotLinkOutsideTheListChecksNothing) {
  for (int hotLink : {-1, 3, 9, 1000}) {
    Settings s = TableSettings();
    s.externalPrograms = {Program("A"), Program("B"), Program("C")};
    s.externalHotLink = hotLink;
    const MainMenuModel m = ModelWith(s);
    for (int item = 210; item <= 212; ++item) EXPECT_FALSE(Node(m, item).checked) << hotLink << " " << item;
    EXPECT_EQ(m.runButtonTooltip, "run in DOS") << hotLink;
  }
}

TEST(MenuModel, ProgramListsStopBeforeTheNumbersOfOtherCommands) {
  Settings s = TableSettings();
  for (int k = 0; k < 14; ++k) {
    s.externalPrograms.push_back(Program(QString("ext %1").arg(k)));
    s.ravoltPrograms.push_back(Program(QString("rav %1").arg(k)));
  }
  const MainMenuModel m = ModelWith(s);
  EXPECT_EQ(Node(m, 219).text, "ext 9");
  EXPECT_EQ(Node(m, 220).text, "Edit list...");
  EXPECT_EQ(FindMenuItem(m.menus, 221), nullptr);
  EXPECT_EQ(Node(m, 223).text, "rav 0");
  EXPECT_EQ(Node(m, 232).text, "rav 9");
  EXPECT_EQ(Node(m, 233).text, "Include Parameters");
  const MenuNode& ravolt = ActionMenu(m).children.at(1);
  EXPECT_EQ(ravolt.text, "Ravolt");
  EXPECT_EQ(ravolt.children.size(), 10u);
}

std::vector<std::string> SyntaxItems(const MainMenuModel& m) {
  std::vector<std::string> out;
  for (const MenuNode& n : m.menus.at(8).children)
    if (n.item >= 234 && n.item <= 274) out.push_back(std::to_string(n.item) + " " + n.text.toStdString());
  return out;
}

TEST(MenuModel, SyntaxMenuHidesNamesEndingWithUnderscore) {
  Settings s = TableSettings();
  s.currentSyntaxName = "X";
  const MainMenuModel m = ModelWith(s, {"A_", "X", "X_", "Y"});
  EXPECT_EQ(SyntaxItems(m), (std::vector<std::string>{"234 X", "235 Y"}));
  EXPECT_EQ(m.syntaxMenuCount, 2);
  EXPECT_TRUE(Node(m, 234).checked);
}

TEST(MenuModel, SyntaxMenuMakesNoItemPast263) {
  Settings s = TableSettings();
  QStringList names;
  for (int k = 0; k < 40; ++k) names << QString("dialect%1").arg(k, 2, 10, QChar('0'));
  s.currentSyntaxName = "dialect35";  // past the last item: nothing is checked
  const MainMenuModel m = ModelWith(s, names);
  EXPECT_EQ(m.syntaxMenuCount, 30);
  EXPECT_EQ(Node(m, 263).text, "dialect29");
  for (int item = 264; item <= 274; ++item) EXPECT_EQ(FindMenuItem(m.menus, item), nullptr) << item;
  EXPECT_EQ(m.menus.at(8).children.back().item, 275);
  EXPECT_EQ(Node(m, 275).text, "Set current syntax as default");
}

TEST(MenuModel, OnlyTheFileMenuIsTranslatedAndShortcutTextsStayAfterIt) {
  const Settings s = TableSettings();
  const MenuSources src{s, {}, [](const QString& t) { return "<" + t + ">"; }, 0};
  const MainMenuModel m = BuildMainMenuModel(src);
  EXPECT_EQ(m.menus.at(0).text, "<File>");
  EXPECT_EQ(Node(m, 78).text, "<New>\tCtrl+N");
  EXPECT_EQ(Node(m, 97).text, "<Save As in Store...>\tAlt+A");
  EXPECT_EQ(Node(m, 113).text, "<Exit>");
  EXPECT_EQ(m.menus.at(0).children.at(4).text, "<Recent>");
  EXPECT_EQ(Node(m, 82).text, "-") << "an empty Recent item is not a word to translate";
  EXPECT_EQ(m.menus.at(1).text, "Edit");
  EXPECT_EQ(Node(m, 114).text, "Undo\tCtrl+Z");
}

TEST(MenuModel, RecentAndReferenceItemsAreLabelled) {
  Settings s = TableSettings();
  const QString p80 = "/" + QString(78, 'a') + "/";
  const QString p81 = "/" + QString(79, 'b') + "/";
  s.recentFiles = {"/home/me/one.bas|3|0|0|", p80 + "|1", p81, "/x/a&b.bas"};
  s.externalReferences[2] = "/docs/manual.pdf";
  const MainMenuModel m = ModelWith(s);
  EXPECT_EQ(Node(m, 82).text, "/home/me/one.bas");
  EXPECT_EQ(Node(m, 83).text, p80) << "80 characters are shown whole";
  EXPECT_EQ(Node(m, 84).text, p81.left(10) + "..." + p81.right(65));
  EXPECT_EQ(Node(m, 85).text, "/x/a&b.bas");
  EXPECT_EQ(Node(m, 86).text, "-");
  EXPECT_EQ(Node(m, 286).text, "manual.pdf");
  EXPECT_EQ(Node(m, 284).text, "-");
}

TEST(RecentList, AddRecent) {
  struct Case {
    const char* what;
    QStringList before;
    QString entry;
    QStringList after;
  };
  const Case cases[] = {
      {"into an empty list", {}, "/a.bas|1", {"/a.bas|1"}},
      {"the same file again moves to the top, once",
       {"/b.bas|2", "/a.bas|1", "/c.bas"},
       "/a.bas|7",
       {"/a.bas|7", "/b.bas|2", "/c.bas"}},
      {"a path differing in letter case is another file", {"/A.bas"}, "/a.bas", {"/a.bas", "/A.bas"}},
      {"only the path field is compared", {"/a.bas|1|2"}, "/a.bas|9|9", {"/a.bas|9|9"}},
      {"a path that only begins alike stays", {"/a.bas2"}, "/a.bas", {"/a.bas", "/a.bas2"}},
  };
  for (const Case& c : cases) EXPECT_EQ(AddRecent(c.before, c.entry), c.after) << c.what;
}

TEST(RecentList, EntriesPastTheTenthStayWithoutALabel) {
  QStringList list;
  for (int k = 0; k < 11; ++k) list = AddRecent(list, QString("/f%1.bas").arg(k));
  list = AddRecent(list, "/f11.bas");
  ASSERT_EQ(list.size(), 12);
  EXPECT_EQ(list.last(), "/f0.bas");
  const QStringList labels = RecentItemLabels(list);
  ASSERT_EQ(labels.size(), 10);
  EXPECT_EQ(labels.first(), "/f11.bas");
  EXPECT_EQ(labels.last(), "/f2.bas");
}

}  // namespace
}  // namespace vendle::test
