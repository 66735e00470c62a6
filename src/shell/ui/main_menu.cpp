#include "shell/ui/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

#include "platform/ui/toolkit.h"
#include "settings/ui/settings_commands.h"
#include "shell/menu_model.h"
#include "shell/startup.h"
#include "shell/ui/app.h"
#include "shell/ui/main_window.h"
#include "shell/ui/toolbar.h"

namespace vendle {
namespace {

// A retired menu's actions stay registered until Qt deletes them.
constexpr const char* kRetired = "vendleRetired";

// Menu texts from data (paths, syntax and program names) are literal: no mnemonics.
QString Literal(QString text) { return text.replace(u'&', QStringLiteral("&&")); }
QString Unliteral(QString text) { return text.replace(QStringLiteral("&&"), QStringLiteral("&")); }

bool IsMenuAction(const QAction* a) { return !a->property(kRetired).toBool() && !IsToolbarAction(a); }

std::vector<QAction*> MenuActions(App& app, int item) {
  std::vector<QAction*> out;
  for (QAction* a : app.toolkit().itemActions(item))
    if (IsMenuAction(a)) out.push_back(a);
  return out;
}

MenuSources SourcesOf(App& app) {
  QStringList names;
  for (const SyntaxEntry& e : app.state().syntax.list) names.append(e.name);
  // The File menu's words pass through the interface language.
  return MenuSources{app.settings(), names, [&app](const QString& text) { return Translate(app, text); },
                     app.state().prefillMode};
}

void AddNodes(Toolkit& tk, QMenu* menu, const std::vector<MenuNode>& nodes) {
  for (const MenuNode& n : nodes) {
    switch (n.kind) {
      case MenuNode::Kind::Item: {
        QAction* a = menu->addAction(Literal(n.text));
        a->setData(n.item);
        if (n.checkable) {
          a->setCheckable(true);
          a->setChecked(n.checked);
          // Qt flips the mark before `triggered`; the handler that owns the
          // setting sets it, so undo Qt's flip first (slots run in order).
          QObject::connect(a, &QAction::triggered, a, [a] { a->setChecked(!a->isChecked()); });
        }
        tk.registerItem(n.item, a);
        break;
      }
      case MenuNode::Kind::Separator: menu->addSeparator(); break;
      case MenuNode::Kind::Submenu: AddNodes(tk, menu->addMenu(Literal(n.text)), n.children); break;
    }
  }
}

void Retire(QMenu* menu) {
  for (QAction* a : menu->actions()) {
    a->setProperty(kRetired, true);
    if (QMenu* sub = a->menu()) Retire(sub);
  }
}

// F6 runs the default external program, the one its entry's check mark
// names: the entry shows the key in its shortcut column. The key works in
// the menu alone (the window's own F6 shortcut does the rest).
void ShowRunKey(QAction* a, int item, bool checked) {
  if (item < +Item::ExternalFirst || item > +Item::ExternalLast) return;
  a->setShortcutContext(Qt::WidgetShortcut);
  a->setShortcut(checked ? QKeySequence(Qt::Key_F6) : QKeySequence());
}

}  // namespace

void BuildMainMenu(App& app) {
  MainWindow* w = app.mainWindow();
  if (!w) return;
  QMenuBar* bar = w->menuBar();
  // The rebuild may run inside a menu's own signal: retire the old menus now
  // and let Qt delete them afterwards.
  for (QAction* a : bar->actions()) {
    bar->removeAction(a);
    if (QMenu* m = a->menu()) {
      Retire(m);
      m->deleteLater();
    }
  }
  const MainMenuModel model = BuildMainMenuModel(SourcesOf(app));
  for (const MenuNode& top : model.menus) AddNodes(app.toolkit(), bar->addMenu(Literal(top.text)), top.children);
  SetItemToolTip(app, +Item::RunDefaultExternal, model.runButtonTooltip);
  for (int item = +Item::ExternalFirst; item <= +Item::ExternalLast; ++item)
    for (QAction* a : MenuActions(app, item)) ShowRunKey(a, item, a->isChecked());
}

void BuildEditorPopup(App& app) {
  MainWindow* w = app.mainWindow();
  if (!w) return;
  Toolkit& tk = app.toolkit();
  if (auto* old = qobject_cast<QMenu*>(tk.control(+MenuId::EditorPopup))) {
    Retire(old);
    tk.unregisterControl(+MenuId::EditorPopup);
    old->deleteLater();
  }
  auto* popup = new QMenu(w);
  AddNodes(tk, popup, BuildEditorPopupModel(SourcesOf(app)));
  tk.registerControl(+MenuId::EditorPopup, popup);
}

void SetItemText(App& app, int item, const QString& text) {
  for (QAction* a : MenuActions(app, item)) a->setText(Literal(text));
}

QString ItemText(App& app, int item) {
  const auto actions = MenuActions(app, item);
  return actions.empty() ? QString() : Unliteral(actions.front()->text());
}

void SetItemChecked(App& app, int item, bool checked) {
  for (QAction* a : MenuActions(app, item)) {
    a->setCheckable(true);
    a->setChecked(checked);
    ShowRunKey(a, item, checked);
  }
}

bool ItemChecked(App& app, int item) {
  const auto actions = MenuActions(app, item);
  return !actions.empty() && actions.front()->isChecked();
}

void SetItemToolTip(App& app, int item, const QString& text) {
  for (QAction* a : app.toolkit().itemActions(item))
    if (IsToolbarAction(a)) a->setToolTip(text);
}

QString ItemToolTip(App& app, int item) {
  for (QAction* a : app.toolkit().itemActions(item))
    if (IsToolbarAction(a)) return a->toolTip();
  return QString();
}

void LabelRecentItemsAtStartup(App& app) {
  const QStringList& recent = app.settings().recentFiles;
  for (int k = 0; k < recent.size() && k <= +Item::RecentLast - +Item::RecentFirst; ++k)
    SetItemText(app, +Item::RecentFirst + k, RecentLabelAtStartup(RecentEntryPath(recent[k])));
}

void LabelExternalReferenceItems(App& app) {
  const auto& refs = app.settings().externalReferences;
  for (int slot = 0; slot < 6; ++slot)
    if (auto label = ExternalReferenceLabel(refs[slot])) SetItemText(app, +Item::ExtRefFirst + slot, *label);
}

}  // namespace vendle
