#include "shell/shortcut_help.h"

#include "settings/settings.h"
#include "shell/menu_model.h"
#include "shell/shortcuts.h"

namespace vendle {
namespace {

// What a key does: the text of its menu item, or a description for the keys
// without one.
QString CommandOfItem(const std::vector<MenuNode>& menus, const std::vector<MenuNode>& popup, Item item) {
  switch (item) {
    case Item::ReturnKey: return QStringLiteral("New line, indented like the line before (numbered in ATTiny programs)");
    case Item::InsertLineEnd: return QStringLiteral("New line without indentation");
    case Item::DeployKey: return QStringLiteral("Deploy: save the program and hand it to the companion program");
    case Item::RecomputeFolds: return QStringLiteral("Find the fold points of the program again");
    case Item::JoinLine: return QStringLiteral("Join the next line to this one");
    case Item::FindNext: return QStringLiteral("Find next");
    case Item::RunDefaultExternal: return QStringLiteral("Run the program in the default external program");
    case Item::SyntaxHintAtCaret: return QStringLiteral("Syntax hints of the dialect for the word at the caret");
    default: break;
  }
  const MenuNode* node = FindMenuItem(menus, +item);
  if (!node) node = FindMenuItem(popup, +item);
  if (node) return node->text.section(u'\t', 0, 0);
  return QString();
}

}  // namespace

std::vector<ShortcutHelpRow> ShortcutHelpRows() {
  const Settings settings;
  const MenuSources sources{settings, {}, {}, 0};
  const MainMenuModel model = BuildMainMenuModel(sources);
  const std::vector<MenuNode> popup = BuildEditorPopupModel(sources);
  std::vector<ShortcutHelpRow> rows;
  auto row = [&](const ShortcutRow& r) {
    rows.push_back({QString::fromLatin1(r.keys), CommandOfItem(model.menus, popup, r.item)});
  };
  for (const ShortcutRow& r : kMainShortcuts)
    if (QLatin1String(r.keys) != QLatin1String(kReturnShortcut.keys)) row(r);
  row(kReturnShortcut);
  row(kShiftReturnShortcut);
  return rows;
}

}  // namespace vendle
