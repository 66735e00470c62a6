// Menu 76 and popup 295 as built on the running main window: they show the
// model, every entry posts its item, the check marks stay with the settings'
// owners, texts are literal, and a rebuild keeps the Recent and External
// resources labels.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <functional>
#include <string>
#include <vector>

#include "app_driver.h"
#include "platform/ui/toolkit.h"
#include "shell/menu_model.h"
#include "shell/shortcuts.h"
#include "shell/ui/main_menu.h"
#include "shell/ui/main_window.h"
#include "shell/ui/main_window_commands.h"

namespace vendle::test {
namespace {

// "title/…|item|text|mark" for every entry, as in the model test.
void Walk(const QList<QAction*>& actions, const std::string& path, std::vector<std::string>& out) {
  for (QAction* a : actions) {
    if (a->isSeparator()) {
      out.push_back(path + "|0||");
    } else if (QMenu* m = a->menu()) {
      out.push_back(path + "|-1|" + a->text().toStdString() + "|");
      Walk(m->actions(), path + "/" + a->text().toStdString(), out);
    } else {
      out.push_back(path + "|" + std::to_string(a->data().toInt()) + "|" + a->text().toStdString() + "|" +
                    (!a->isCheckable() ? " " : a->isChecked() ? "x" : "o"));
    }
  }
}

void WalkModel(const std::vector<MenuNode>& nodes, const std::string& path, std::vector<std::string>& out) {
  for (const MenuNode& n : nodes) {
    // The Qt texts double "&" so that it shows as itself.
    const std::string text = QString(n.text).replace("&", "&&").toStdString();
    switch (n.kind) {
      case MenuNode::Kind::Separator: out.push_back(path + "|0||"); break;
      case MenuNode::Kind::Submenu:
        out.push_back(path + "|-1|" + text + "|");
        WalkModel(n.children, path + "/" + text, out);
        break;
      case MenuNode::Kind::Item:
        out.push_back(path + "|" + std::to_string(n.item) + "|" + text + "|" +
                      (!n.checkable ? " " : n.checked ? "x" : "o"));
        break;
    }
  }
}

std::vector<std::string> BuiltMenuBar(App& app) {
  std::vector<std::string> out;
  Walk(app.mainWindow()->menuBar()->actions(), "", out);
  return out;
}

MenuSources SourcesOf(App& app) {
  QStringList names;
  for (const SyntaxEntry& e : app.state().syntax.list) names << e.name;
  return MenuSources{app.settings(), names, {}, 0};
}

std::vector<std::string> ModelLines(App& app) {
  std::vector<std::string> out;
  WalkModel(BuildMainMenuModel(SourcesOf(app)).menus, "", out);
  return out;
}

QMenu* Popup(App& app) { return qobject_cast<QMenu*>(app.toolkit().control(+MenuId::EditorPopup)); }

// Lets Qt delete what was handed to deleteLater (the retired menus).
void DeleteRetired() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QAction* MenuAction(App& app, int item) {
  DeleteRetired();
  for (QAction* a : app.toolkit().itemActions(item))
    if (a->parent() && qobject_cast<QMenu*>(a->parent()) && a->parent() != Popup(app)) return a;
  return nullptr;
}

void ExpectSameLines(const std::vector<std::string>& got, const std::vector<std::string>& want) {
  for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
    const std::string g = i < got.size() ? got[i] : "(none)";
    const std::string w = i < want.size() ? want[i] : "(none)";
    ASSERT_EQ(g, w) << "line " << i;
  }
}

TEST(MainMenu, ShowsTheModelOnWindowOne) {
  AppDriver d;
  // Start-up has relabelled some items since (keyword case, Recent); build afresh.
  BuildMainMenu(d.app());
  DeleteRetired();
  ExpectSameLines(BuiltMenuBar(d.app()), ModelLines(d.app()));
  EXPECT_EQ(d.app().mainWindow()->menuBar()->actions().size(), 10);
}

TEST(MainMenu, PopupShowsTheModel) {
  AppDriver d;
  ASSERT_NE(Popup(d.app()), nullptr);
  std::vector<std::string> got, want;
  Walk(Popup(d.app())->actions(), "", got);
  WalkModel(BuildEditorPopupModel(SourcesOf(d.app())), "", want);
  EXPECT_EQ(got, want);
}

TEST(MainMenu, RightClickShowsThePopup) {
  AppDriver d;
  ASSERT_NE(Popup(d.app()), nullptr);
  EXPECT_FALSE(Popup(d.app())->isVisible());
  Event e = Event::OfKind(EventKind::RightClick);
  e.x = 300;
  e.y = 200;
  d.post(e);
  EXPECT_TRUE(Popup(d.app())->isVisible());
  Popup(d.app())->hide();
}

// Every key of the main window that works is shown in the shortcut column
// of a main-menu entry (Return is the editor's own; F6 stands beside the
// external program the Action menu checks, the one it runs). The menu's
// key names stand: "Shft+F1".
TEST(MainMenu, EveryWorkingShortcutIsShownInTheMainMenu) {
  DriverOptions o;
  o.preferences = QStringLiteral("[External programs]\r\nExternal hot link = 0\r\n");
  AppDriver d(o);
  DeleteRetired();
  QStringList shown;
  std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
    for (QAction* a : actions) {
      if (a->menu()) walk(a->menu()->actions());
      const QString keys = a->text().section(u'\t', 1);
      for (const QString& k : keys.split(QStringLiteral(", "), Qt::SkipEmptyParts)) shown << k.trimmed();
      if (!a->shortcut().isEmpty()) shown << a->shortcut().toString();
    }
  };
  walk(d.app().mainWindow()->menuBar()->actions());
  for (const ShortcutRow& row : kMainShortcuts) {
    QString key = QString::fromLatin1(row.keys);
    if (key == u"Return") continue;
    if (key == u"Shift+F1") key = QStringLiteral("Shft+F1");
    EXPECT_TRUE(shown.contains(key)) << row.keys;
  }
  EXPECT_FALSE(shown.contains(QStringLiteral("Deploy     F2")));
}

TEST(MainMenu, EveryEntryPostsItsItem) {
  std::vector<int> posted;  // outlives the driver and its handler
  AppDriver d;
  App& app = d.app();
  app.dispatcher().setHandler([&](const Event& e) {
    if (e.kind == EventKind::Menu) posted.push_back(e.object);
  });
  std::vector<QAction*> entries;
  std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& list) {
    for (QAction* a : list) {
      if (a->menu()) collect(a->menu()->actions());
      else if (!a->isSeparator()) entries.push_back(a);
    }
  };
  collect(app.mainWindow()->menuBar()->actions());
  collect(Popup(app)->actions());
  ASSERT_GT(entries.size(), 150u);
  for (QAction* a : entries) {
    posted.clear();
    a->trigger();
    EXPECT_EQ(posted, std::vector<int>{a->data().toInt()}) << a->text().toStdString();
  }
}

TEST(MainMenu, TriggeringACheckedEntryLeavesTheMarkToItsOwner) {
  AppDriver d;
  App& app = d.app();
  app.dispatcher().setHandler([](const Event&) {});  // no owner acts
  for (int item : {+Item::MarkSpaces, +Item::FontMedium, +Item::DosLineEndings, +Item::IncludeParameters}) {
    QAction* a = MenuAction(app, item);
    ASSERT_NE(a, nullptr) << item;
    const bool before = a->isChecked();
    a->trigger();
    EXPECT_EQ(a->isChecked(), before) << item;
  }
}

TEST(MainMenu, TextsWithAmpersandsAreShownLiterally) {
  AppDriver d;
  App& app = d.app();
  app.settings().externalPrograms = {{"R&D tool", "/tmp", "/bin/true", "", 0}};
  app.settings().externalHotLink = 0;
  app.state().syntax.list.push_back(SyntaxEntry{"A&B"});
  BuildMainMenu(app);
  EXPECT_EQ(MenuAction(app, 210)->text(), "R&&D tool");
  EXPECT_EQ(ItemText(app, 210), "R&D tool");
  EXPECT_EQ(ItemToolTip(app, +Item::RunDefaultExternal), "R&D tool");
  SetItemText(app, +Item::RecentFirst, "/home/me/Tom & Jerry.bas");
  EXPECT_EQ(MenuAction(app, +Item::RecentFirst)->text(), "/home/me/Tom && Jerry.bas");
  EXPECT_EQ(ItemText(app, +Item::RecentFirst), "/home/me/Tom & Jerry.bas");
  bool found = false;
  for (int item = 234; item <= 263; ++item)
    if (ItemText(app, item) == "A&B") found = true;
  EXPECT_TRUE(found);
}

TEST(MainMenu, ActionMenuOfThreeProgramsWithHotLinkOne) {
  AppDriver d;
  App& app = d.app();
  app.settings().externalPrograms = {
      {"MMEdit", "", "/bin/true", "", 0}, {"Tera Term", "", "/bin/true", "", 0}, {"Flash", "", "/bin/true", "", 0}};
  app.settings().externalHotLink = 1;
  BuildMainMenu(app);
  EXPECT_EQ(ItemText(app, 210), "MMEdit");
  EXPECT_EQ(ItemText(app, 211), "Tera Term");
  EXPECT_EQ(ItemText(app, 212), "Flash");
  EXPECT_EQ(MenuAction(app, 213), nullptr);
  EXPECT_FALSE(ItemChecked(app, 210));
  EXPECT_TRUE(ItemChecked(app, 211));
  EXPECT_FALSE(ItemChecked(app, 212));
  EXPECT_EQ(ItemToolTip(app, +Item::RunDefaultExternal), "Tera Term");
}

TEST(MainMenu, ARebuildKeepsTheRecentAndReferenceLabelsAndMakesNoDuplicates) {
  AppDriver d;
  App& app = d.app();
  app.settings().externalReferences[1] = "/docs/Manual.pdf";
  AddRecentFile(app, "/work/first.bas|1|0|0|");
  AddRecentFile(app, "/work/second.bas|1|0|0|");
  BuildMainMenu(app);
  EXPECT_EQ(ItemText(app, 82), "/work/second.bas");
  EXPECT_EQ(ItemText(app, 83), "/work/first.bas");
  EXPECT_EQ(ItemText(app, 84), "-");
  EXPECT_EQ(ItemText(app, 285), "Manual.pdf");
  DeleteRetired();
  EXPECT_EQ(app.mainWindow()->menuBar()->actions().size(), 10);
  ExpectSameLines(BuiltMenuBar(app), ModelLines(app));
  for (int item : {78, 82, 114, 290}) {
    int menuEntries = 0;
    for (QAction* a : app.toolkit().itemActions(item))
      if (a->parent() != static_cast<QObject*>(app.mainWindow()->toolbar()) && a->parent() != Popup(app)) ++menuEntries;
    EXPECT_EQ(menuEntries, 1) << item;
  }
}

TEST(MainMenu, RecentLabelsOfEightyAndEightyOneCharacters) {
  AppDriver d;
  App& app = d.app();
  const QString p80 = "/" + QString(78, 'a') + "/";
  const QString p81 = "/" + QString(79, 'b') + "/";
  const QString shortened = p81.left(10) + "..." + p81.right(65);
  const QString atStartup = p81.left(10) + " ... " + p81.right(65);
  AddRecentFile(app, p80 + "|1|0|0|");
  AddRecentFile(app, p81 + "|1|0|0|");
  EXPECT_EQ(ItemText(app, 82), shortened);
  EXPECT_EQ(ItemText(app, 83), p80);
  LabelRecentItemsAtStartup(app);
  EXPECT_EQ(ItemText(app, 82), atStartup);
  EXPECT_EQ(ItemText(app, 83), p80);
}

TEST(MainMenu, AddRecentFileKeepsOneEntryPerPathAndEveryEntryPastTen) {
  AppDriver d;
  App& app = d.app();
  app.settings().recentFiles.clear();
  for (int k = 0; k < 12; ++k) AddRecentFile(app, QString("/f%1.bas|1").arg(k));
  AddRecentFile(app, "/f5.bas|2");
  const QStringList& list = app.settings().recentFiles;
  EXPECT_EQ(list.size(), 12);
  EXPECT_EQ(list.first(), "/f5.bas|2");
  EXPECT_EQ(list.count("/f5.bas|1"), 0);
  EXPECT_EQ(ItemText(app, 82), "/f5.bas");
  EXPECT_EQ(ItemText(app, 83), "/f11.bas");
  EXPECT_EQ(ItemText(app, 91), "/f2.bas");
}

}  // namespace
}  // namespace vendle::test
