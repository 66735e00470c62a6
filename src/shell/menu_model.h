// The main menu (MenuId::Main) and the editor popup menu (MenuId::EditorPopup) as data: every
// title, item number, text and check mark, computed from the settings and
// the program's lists. The Qt menus are made from this model. Texts are
// UTF-16 and literal ("&" is no mnemonic); a "\t" separates the shortcut
// text shown at the right.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vendle {

struct Settings;

struct MenuNode {
  enum class Kind { Item, Separator, Submenu };
  Kind kind = Kind::Item;
  int item = 0;  // items only
  QString text;  // item text or submenu title
  bool checkable = false;
  bool checked = false;
  std::vector<MenuNode> children;  // submenus only
};

// What the menus are made from.
struct MenuSources {
  const Settings& settings;
  // Names of the syntax sets, in list order; a name ending in "_" gets no item.
  QStringList syntaxNames;
  // The interface language's translation of a File menu text; none keeps it.
  std::function<QString(const QString&)> translate;
  int prefillMode = 0;  // 1 checks Item::PrefillStart, 2 Item::PostfillEnd
};

struct MainMenuModel {
  std::vector<MenuNode> menus;  // the ten titles, each a submenu
  QString runButtonTooltip;     // toolbar Item::RunDefaultExternal
  int syntaxMenuCount = 0;      // syntax items made, from Item::SyntaxFirst on
};

// The whole of MenuId::Main. The Recent items are labelled from the recent list
// (the "..." form of RecentLabel) and the External resources items from the
// external references, "-" where there is nothing. External programs and the
// sibling tool's programs get at most ten items each and syntax sets at most
// thirty (Item::SyntaxFirst to Item::SyntaxLast): the numbers after them belong to other commands.
MainMenuModel BuildMainMenuModel(const MenuSources& sources);

// MenuId::EditorPopup.
std::vector<MenuNode> BuildEditorPopupModel(const MenuSources& sources);

// The first node for `item` anywhere below `nodes`, or null.
const MenuNode* FindMenuItem(const std::vector<MenuNode>& nodes, int item);

// The recent list after saving or closing `entry` (a RecentFileEntry line):
// it comes first, and every later entry with the same path (compared
// exactly, letter case counting) is removed. The list is not cut to ten.
QStringList AddRecent(const QStringList& list, const QString& entry);

// Labels of the Recent Item::RecentFirst + index for the first ten entries.
QStringList RecentItemLabels(const QStringList& list);

}  // namespace vendle
