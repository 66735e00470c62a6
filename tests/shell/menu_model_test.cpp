// The menu model: every title, item number, text and check mark of the main
// menu and the editor popup (golden files in shell/golden/), the lists behind
// the Action, Syntax, Recent and External resources items, and the
// recent-list rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qt_print.h"
#include "settings/settings.h"
#include "shell/menu_model.h"
#include "test_files.h"

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

// The settings the golden main menu was written for, set one by one so that
// a changed default does not change it.
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

// The flattened menu as a golden file's text, a tab shown as "\t".
QByteArray GoldenText(const std::vector<std::string>& lines) {
  QByteArray out;
  for (const std::string& l : lines) out += QByteArray::fromStdString(l).replace('\t', "\\t") + '\n';
  return out;
}

const QString kGoldenDir = QStringLiteral(VENDLE_TEST_DATA_DIR "/shell/golden/");

TEST(MenuModel, MainMenuHasEveryTitleItemTextAndCheckMark) {
  const Settings s = TableSettings();
  ExpectGolden(kGoldenDir + "main_menu.txt", GoldenText(Flatten(ModelWith(s).menus, "")));
}

TEST(MenuModel, PopupMenuHasEveryItemInOrder) {
  const Settings s = TableSettings();
  ExpectGolden(kGoldenDir + "popup_menu.txt", GoldenText(Flatten(BuildEditorPopupModel(MenuSources{s, {}, {}, 0}), "")));
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
  const std::vector<std::string> want = {"|209|Deploy\tF2| ", "|-1|Ravolt|",           "|210|MMEdit|o",
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
