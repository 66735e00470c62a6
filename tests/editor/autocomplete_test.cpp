// Autocompletion, call tips and the syntax hint window through the running
// program: keys typed into a configured editor, the list the control shows,
// the clean-up of a chosen entry, and F12 on a word.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QTest>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editing_test_support.h"
#include "editor/completion.h"
#include "editor/lexer.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/hint_window.h"
#include "editor/ui/autocomplete.h"
#include "editor/ui/syntax_commands.h"
#include "editor/word_map.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "qt_print.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

class AutoComplete : public ::testing::Test {
 protected:
  AutoComplete() {
    // Only the words of the test, in this order.
    EditorView& ed = editor();
    LexerRemoveWords(ed, QString());
    LexerAddDelimited(ed, "'", QString(), WordToLineEnd, kStyleComment, false);
    LexerAddDelimited(ed, "\"", "\"", WordDelimited, kStyleString, false);
    LexerAddWords(ed, "PRINT PRIVATE LINE~INPUT PIN(~ PRINTER", kStyleKeyword, WordAutoComplete);
  }
  App& app() { return d.app(); }
  EditorView& editor() {
    EditorView* ed = CurrentEditor(app());
    EXPECT_NE(ed, nullptr);
    return *ed;
  }
  Sci sci() { return editor().sci(); }
  void type(const char* keys) {
    QTest::keyClicks(&editor(), QString::fromLatin1(keys));
    d.processEvents();
  }
  void key(Qt::Key k) {
    QTest::keyClick(&editor(), k);
    d.processEvents();
  }
  bool listActive() { return sci().send(S::SCI_AUTOCACTIVE) != 0; }
  // The entries of the control's list, in the order shown.
  QStringList listShown() {
    QStringList out;
    for (QListWidget* l : editor().findChildren<QListWidget*>())
      if (l->isVisible() || listActive())
        for (int i = 0; i < l->count(); ++i) out.append(l->item(i)->text());
    return out;
  }

  AppDriver d;
};

TEST_F(AutoComplete, TypingOffersTheWordsThatBeginWithTheTypedWord) {
  PutMarked(editor(), "x = 1\r\n|");
  type("pri");
  ASSERT_TRUE(listActive());
  EXPECT_EQ(listShown(), (QStringList{"PRINT", "PRIVATE", "PRINTER"}));
  // Typing on narrows the list; a word that is the only entry shows none.
  type("nter");
  EXPECT_FALSE(listActive()) << "printer is the only entry and is typed in full";
  PutMarked(editor(), "|");
  type("pr");
  EXPECT_FALSE(listActive()) << "two characters";
  type("i");
  EXPECT_TRUE(listActive());
  key(Qt::Key_Backspace);
  EXPECT_FALSE(listActive()) << "back to two characters";
}

TEST_F(AutoComplete, OnlyTheWordAtTheCaretsEndIsCompleted) {
  PutMarked(editor(), "|int x");
  type("pr");
  EXPECT_EQ(GetEditorText(&editor()), "print x");
  EXPECT_FALSE(listActive()) << "the caret is inside the word";
  PutMarked(editor(), "a$ = \"|");
  type("pri");
  EXPECT_FALSE(listActive()) << "inside a string";
}

TEST_F(AutoComplete, TheProgramsOwnEditsOpenNoList) {
  // A load, a paste and a whole-text rewrite that leave "pri" before the caret.
  SetEditorText(&editor(), QStringLiteral("x = 1\r\npri"), false);
  sci().send(S::SCI_GOTOPOS, sci().length());
  d.processEvents();
  EXPECT_FALSE(listActive());
  PutMarked(editor(), "{old}");
  QApplication::clipboard()->setText("print x\r\npri");
  d.menu(Item::Paste);
  d.processEvents();
  EXPECT_EQ(ShowMarked(editor()), "print x\r\npri|");
  EXPECT_FALSE(listActive());
}

TEST_F(AutoComplete, AChosenEntryIsCleanedUp) {
  struct Case {
    const char* typed;
    const char* entry;
    const char* after;
  };
  const Case cases[] = {
      {"lin", "LINE~INPUT", "LINE INPUT| a$"},
      {"pin", "PIN(~", "PIN(| a$"},
      {"pri", "PRINT", "PRINT| a$"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    PutMarked(editor(), "| a$");
    type(c.typed);
    ASSERT_TRUE(listActive());
    sci().sendText(S::SCI_AUTOCSELECT, 0, c.entry);
    sci().send(S::SCI_AUTOCCOMPLETE);
    d.processEvents();
    EXPECT_EQ(ShowMarked(editor()), c.after);
  }
}

TEST_F(AutoComplete, ACallTipClosesAtTheNextTypedCharacter) {
  PutMarked(editor(), "print|");
  sci().sendText(S::SCI_CALLTIPSHOW, 0, "PRINT expression [[,;] expression] ...");
  ASSERT_TRUE(sci().send(S::SCI_CALLTIPACTIVE));
  type(" ");
  EXPECT_FALSE(sci().send(S::SCI_CALLTIPACTIVE));
}

TEST(SyntaxHint, F12OnAWordListsTheHintsOfTheDocumentsDialect) {
  AppDriver d;
  App& app = d.app();
  const SyntaxData& syntax = app.state().syntax;
  const int pico = FindSyntaxIndexFor(app, "picomite");
  const int tiny = FindSyntaxIndexFor(app, "ATTiny");
  ASSERT_NE(pico, tiny);
  const QStringList picoHints = FilterHints(syntax.quickHints, syntax.list[pico].hintMask, "set");
  const QStringList tinyHints = FilterHints(syntax.quickHints, syntax.list[tiny].hintMask, "set");
  ASSERT_FALSE(picoHints.isEmpty());
  ASSERT_NE(picoHints, tinyHints) << "the dialects have different hints";

  // Two documents: the first picomite, the second (applied last) ATTiny.
  WriteFile(d.root() + "a.bas", "SETPIN GP0, DOUT\r\n");
  WriteFile(d.root() + "b.bas", "10 PRINT 1\r\n");
  OpenDocument(app, d.root() + "a.bas", false);
  OpenDocument(app, d.root() + "b.bas", false);
  Documents& docs = app.state().docs;
  ApplySyntax(app, tiny, QString(), QString(), false);
  ASSERT_EQ(docs.list.current()->syntax, "ATTiny");
  const int first = docs.list.size() - 2;
  SwitchDocumentTab(app, first, docs.currentTabIndex);
  app.tabStrip().select(first);
  ASSERT_EQ(docs.list.at(first).syntax, "picomite");

  EditorView* ed = CurrentEditor(app);
  ed->sci().send(S::SCI_GOTOPOS, 3);  // inside "SETPIN"
  d.menu(Item::SyntaxHintAtCaret);
  QWidget* w = app.toolkit().window(+WindowId::SyntaxHints);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Syntax hint:");
  EXPECT_EQ(HintRowsShown(app), picoHints);
  EXPECT_EQ(GetSelectedText(ed), "SETPIN") << "the word stays selected";

  // A click on a hint replaces the selection; the window stays.
  auto* list = qobject_cast<QListWidget*>(app.toolkit().control(+ControlId::HintList));
  list->setCurrentRow(0);
  d.post(Event::Control(+ControlId::HintList, 0, +WindowId::SyntaxHints));
  EXPECT_EQ(GetEditorLine(ed, 0), picoHints[0] + " GP0, DOUT");
  EXPECT_TRUE(app.toolkit().windowExists(+WindowId::SyntaxHints));

  // "?" lists the GUI element lines; one goes in with the document's line end.
  ed->sci().send(S::SCI_SETEOLMODE, S::SC_EOL_LF);
  PutMarked(*ed, "a\n|b");
  ShowSyntaxHint(app, "?", false);
  EXPECT_EQ(HintRowsShown(app), syntax.guiElements);
  ASSERT_FALSE(syntax.guiElements.isEmpty());
  list->setCurrentRow(0);
  d.post(Event::Control(+ControlId::HintList, 0, +WindowId::SyntaxHints));
  EXPECT_EQ(GetEditorText(ed), "a\n" + syntax.guiElements[0] + "\nb");

  // On an MM. name the word keeps the two characters before the dot.
  PutMarked(*ed, "x = MM.IN|FO(a)");
  d.menu(Item::SyntaxHintAtCaret);
  EXPECT_EQ(GetSelectedText(ed), "MM.INFO");
  d.post(Event::OfKind(EventKind::Close, +WindowId::SyntaxHints));
  d.processEvents();
  EXPECT_FALSE(app.toolkit().windowExists(+WindowId::SyntaxHints));
}

}  // namespace
}  // namespace vendle::test
