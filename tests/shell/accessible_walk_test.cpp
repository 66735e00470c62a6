// What a screen reader finds in every window of the running program: the
// tree of accessible interfaces that the desktop's accessibility bus is
// given, walked as it walks it. Every control has a role and a name, every
// window is a window with its title, and the tab bar has its page tabs.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app_driver.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/editor_view.h"
#include "platform/ids.h"
#include "platform/ui/qt_requesters.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/services.h"

namespace vendle::test {
namespace {

// Roles whose objects a screen reader announces by their name.
bool Announced(QAccessible::Role r) {
  switch (r) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::ButtonMenu:
    case QAccessible::MenuItem:
    case QAccessible::ToolBar:
    case QAccessible::Window:
    case QAccessible::Dialog:
    case QAccessible::StaticText:
    case QAccessible::Table:
    case QAccessible::Document:
    case QAccessible::Canvas:
    case QAccessible::Graphic:
      return true;
    default:
      return false;
  }
}

struct Walk {
  QStringList unnamed;  // "role at path" of every announced object without a name
  QStringList named;    // "role: name" of every object
  int pageTabs = 0;
  int selectedTabs = 0;
};

QString Describe(QAccessibleInterface* i) {
  return QStringLiteral("%1 %2 (%3)")
      .arg(int(i->role()), 0, 16)
      .arg(i->object() ? QString::fromLatin1(i->object()->metaObject()->className()) : QStringLiteral("item"))
      .arg(i->object() ? i->object()->objectName() : QString());
}

void WalkTree(QAccessibleInterface* i, Walk& w, int depth = 0) {
  if (!i || !i->isValid() || depth > 40) return;
  const QAccessible::State st = i->state();
  if (st.invisible && i->role() != QAccessible::PageTab && i->role() != QAccessible::ListItem) return;
  const QString name = i->text(QAccessible::Name).trimmed();
  if (Announced(i->role()) && (name.isEmpty() || name == u"...")) w.unnamed << Describe(i);
  w.named << QStringLiteral("%1: %2").arg(int(i->role()), 0, 16).arg(name);
  if (i->role() == QAccessible::PageTab) {
    ++w.pageTabs;
    if (st.selected) ++w.selectedTabs;
  }
  // A list's entries are many and alike: the first few stand for all.
  const int n = i->role() == QAccessible::List ? std::min(i->childCount(), 5) : i->childCount();
  for (int c = 0; c < n; ++c) WalkTree(i->child(c), w, depth + 1);
}

Walk WalkWindow(QWidget* window) {
  Walk w;
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(window);
  EXPECT_NE(i, nullptr);
  if (!i) return w;
  EXPECT_TRUE(i->role() == QAccessible::Window || i->role() == QAccessible::Dialog ||
              i->role() == QAccessible::AlertMessage)
      << window->windowTitle().toStdString() << " has the role " << int(i->role());
  EXPECT_EQ(i->text(QAccessible::Name), window->windowTitle());
  WalkTree(i, w);
  return w;
}

class AccessibleWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(d.waitFor([this] { return CurrentEditor(d.app()) && CurrentEditor(d.app())->isVisible(); }));
    SetEditorText(CurrentEditor(d.app()), QStringLiteral("SUB Alpha\r\n  PRINT x\r\nEND SUB\r\nx = 1\r\n"), true);
  }
  QWidget* open(Item item, WindowId id) {
    d.menu(item);
    d.processEvents();
    QWidget* w = d.app().toolkit().window(+id);
    EXPECT_NE(w, nullptr) << +id;
    return w;
  }
  void expectAllNamed(QWidget* w) {
    if (!w) return;
    const Walk walk = WalkWindow(w);
    EXPECT_TRUE(walk.unnamed.isEmpty()) << w->windowTitle().toStdString() << ": "
                                        << walk.unnamed.join(QStringLiteral(", ")).toStdString();
  }
  AppDriver d;
};

TEST_F(AccessibleWalk, TheMainWindowNamesEveryControlAndItsPageTabs) {
  d.menu(Item::New);
  d.processEvents();
  QWidget* main = d.app().toolkit().window(+WindowId::Main);
  ASSERT_NE(main, nullptr);
  const Walk walk = WalkWindow(main);
  EXPECT_TRUE(walk.unnamed.isEmpty()) << walk.unnamed.join(QStringLiteral(", ")).toStdString();
  EXPECT_EQ(walk.pageTabs, 2);
  EXPECT_EQ(walk.selectedTabs, 1);
  // The editor is named after its document.
  QAccessibleInterface* ed = QAccessible::queryAccessibleInterface(CurrentEditor(d.app()));
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(ed->role(), QAccessible::EditableText);
  EXPECT_FALSE(ed->text(QAccessible::Name).isEmpty());
}

TEST_F(AccessibleWalk, EveryToolWindowNamesEveryControl) {
  QWidget* find = open(Item::FindReplace, WindowId::FindReplace);
  ASSERT_NE(find, nullptr);
  expectAllNamed(find);
  // The search box keeps its name whatever is typed into it.
  auto* box = qobject_cast<QComboBox*>(d.app().toolkit().control(+ControlId::FindText));
  ASSERT_NE(box, nullptr);
  box->setEditText(QStringLiteral("Alpha"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), QStringLiteral("Search for:"));
  d.post(Event::Control(+ControlId::FindAllButton, 0, +WindowId::FindReplace));
  d.processEvents();
  expectAllNamed(d.app().toolkit().window(+WindowId::FindAll));
  expectAllNamed(open(Item::FindSubFunction, WindowId::SubList));
  expectAllNamed(open(Item::VariableReport, WindowId::InfoText));
  expectAllNamed(open(Item::VendleHelp, WindowId::HelpViewer));
  QWidget* settings = open(Item::Preferences, WindowId::Settings);
  ASSERT_NE(settings, nullptr);
  // Every page of the settings window, each shown in turn.
  auto* pages = settings->findChild<QTabWidget*>();
  ASSERT_NE(pages, nullptr);
  for (int p = 0; p < pages->count(); ++p) {
    pages->setCurrentIndex(p);
    d.processEvents();
    expectAllNamed(settings);
  }
}

TEST_F(AccessibleWalk, MessageBoxesNameEveryControl) {
  QtRequesters qt([this] { return d.app().toolkit().window(+WindowId::Main); });
  Walk walk;
  bool walked = false;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      walk = WalkWindow(box);
      walked = true;
      box->reject();
    }
  });
  qt.ask(QStringLiteral("File changed"), QStringLiteral("Save the changes?"), Buttons::YesNoCancel);
  ASSERT_TRUE(walked);
  EXPECT_TRUE(walk.unnamed.isEmpty()) << walk.unnamed.join(QStringLiteral(", ")).toStdString();
}

}  // namespace
}  // namespace vendle::test
