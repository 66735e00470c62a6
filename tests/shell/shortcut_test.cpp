// The keyboard shortcuts of window 1, pressed as real key events: each key
// sends its item, and Tab still reaches the editor.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <QTest>
#include <QWidget>

#include "app_driver.h"
#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"

namespace vendle::test {
namespace {

struct KeyRow {
  const char* keys;
  int item;
};

// Written from the shortcut table. F9 sends 201 although the menu text names
// F9 for item 199; Ctrl+H is Find/Replace like Ctrl+F.
const KeyRow kKeys[] = {
    {"Return", 294}, {"Ctrl+O", 79},  {"Ctrl+N", 78},  {"Ctrl+S", 93},  {"Ctrl+F", 126},   {"Ctrl+H", 126},
    {"Ctrl+G", 206}, {"Ctrl+B", 202}, {"F2", 178},     {"Ctrl+Q", 112}, {"Alt+S", 94},     {"Alt+O", 80},
    {"Alt+A", 97},   {"Ctrl+P", 108}, {"Ctrl+I", 122}, {"Alt+I", 123},  {"F1", 278},       {"F3", 111},
    {"F4", 207},     {"F5", 208},     {"F6", 221},     {"F9", 201},     {"F10", 200},      {"F11", 127},
    {"F12", 131},    {"Shift+F1", 279},
};

class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_ = std::make_unique<AppDriver>();
    // Record the items the keys send, without running their commands.
    app().dispatcher().setHandler([this](const Event& e) {
      if (e.kind == EventKind::Menu) posted_.push_back(e.object);
    });
    window_ = app().toolkit().window(+WindowId::Main);
    ASSERT_NE(window_, nullptr);
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  void TearDown() override { driver_.reset(); }

  App& app() { return driver_->app(); }

  std::vector<int> posted_;
  std::unique_ptr<AppDriver> driver_;
  QWidget* window_ = nullptr;
};

TEST_F(Shortcuts, EveryKeySendsItsItem) {
  ASSERT_EQ(std::size(kKeys), 26u);
  for (const KeyRow& row : kKeys) {
    const QKeyCombination k = QKeySequence(QString::fromLatin1(row.keys))[0];
    posted_.clear();
    QTest::keyClick(window_, k.key(), k.keyboardModifiers());
    EXPECT_EQ(posted_, std::vector<int>{row.item}) << row.keys;
  }
}

TEST_F(Shortcuts, KeysWithoutAShortcutSendNothing) {
  for (const char* keys : {"F7", "F8", "Ctrl+J", "Alt+Q"}) {
    const QKeyCombination k = QKeySequence(QString::fromLatin1(keys))[0];
    posted_.clear();
    QTest::keyClick(window_, k.key(), k.keyboardModifiers());
    EXPECT_TRUE(posted_.empty()) << keys;
  }
}

TEST_F(Shortcuts, TabReachesTheEditor) {
  EditorView* ed = EditorOf(app().toolkit(), +ControlId::FirstEditor);
  ASSERT_NE(ed, nullptr);
  ed->setGeometry(5, 60, 400, 300);
  ed->show();
  ed->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([ed] { return ed->hasFocus(); }));
  const auto before = ed->sci().length();
  QTest::keyClick(ed, Qt::Key_Tab);
  EXPECT_TRUE(ed->hasFocus()) << "Tab moved the focus away";
  EXPECT_GT(ed->sci().length(), before) << "the editor did not get the Tab";
  EXPECT_TRUE(posted_.empty());
}

TEST_F(Shortcuts, KeysReachWindowOneWhileAnEditorHasTheFocus) {
  EditorView* ed = EditorOf(app().toolkit(), +ControlId::FirstEditor);
  ASSERT_NE(ed, nullptr);
  ed->setGeometry(5, 60, 400, 300);
  ed->show();
  ed->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([ed] { return ed->hasFocus(); }));
  for (const KeyRow& row : kKeys) {
    const QKeyCombination k = QKeySequence(QString::fromLatin1(row.keys))[0];
    posted_.clear();
    QTest::keyClick(ed, k.key(), k.keyboardModifiers());
    EXPECT_EQ(posted_, std::vector<int>{row.item}) << row.keys;
  }
}

}  // namespace
}  // namespace vendle::test
