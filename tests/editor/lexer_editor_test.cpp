// The lexer attached to a real editor control (headless): what the control
// holds after styling equals the pure lexer's result, however the styling
// was asked for and whatever edits came between; the registering operations
// restyle when they should, and only once in a burst.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <memory>
#include <random>

#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "lexer_test_support.h"
#include "platform/dispatcher.h"

namespace vendle {
namespace {

using namespace lexer_test;
using S = QsciScintillaBase;

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

class LexerEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    view = std::make_unique<EditorView>(20, dispatcher, nullptr);
    view->resize(600, 400);
    sci().send(S::SCI_SETCODEPAGE, S::SC_CP_UTF8);
    lexer = CreateEditorLexer(*view);
    ASSERT_NE(lexer, nullptr);
    Configure(*view);
  }

  Sci sci() { return view->sci(); }

  // The test word map through the registering operations, as a syntax is applied.
  static void Configure(EditorView& v) {
    const TestWordMap m = ReadTestWordMap();
    for (const Registration& r : m.registrations)
      LexerAddDelimited(v, Q(r.words), Q(r.closer), r.flags, r.style, true);
    LexerSetOption(v, kLexerOptionOperatorChars, Q(m.operators));
    LexerSetOption(v, kLexerOptionNumberStyle, static_cast<std::int64_t>(m.numberStyle));
    LexerSetOptions(v, m.options);
  }

  void SetText(const std::string& text) {
    sci().send(S::SCI_CLEARALL);
    sci().sendPtr(S::SCI_APPENDTEXT, text.size(), text.data());
  }

  std::string Text() {
    const QByteArray b = sci().range(0, sci().length());
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
  }

  LexerOutput ReadBack() {
    LexerOutput out;
    const Sci::Pos n = sci().length();
    for (Sci::Pos i = 0; i < n; ++i) out.styles.push_back(static_cast<std::uint8_t>(sci().send(S::SCI_GETSTYLEAT, i)));
    for (Sci::Pos l = 0; l < sci().lineCount(); ++l) out.levels.push_back(int(sci().send(S::SCI_GETFOLDLEVEL, l)));
    return out;
  }

  // The control's styles and levels against one pure pass over its text.
  void ExpectEqualsPure(const char* what) {
    SCOPED_TRACE(what);
    const std::string text = Text();
    LexerOutput pure;
    LexText(lexer->tables(), text, kLexerStateInitial, pure);
    const LexerOutput got = ReadBack();
    ASSERT_EQ(got.styles.size(), pure.styles.size());
    for (std::size_t i = 0; i < pure.styles.size(); ++i)
      ASSERT_EQ(int(got.styles[i]), int(pure.styles[i])) << "byte " << i << " of " << pure.styles.size();
    ASSERT_EQ(got.levels, pure.levels);
  }

  Dispatcher dispatcher;
  std::unique_ptr<EditorView> view;
  EditorLexer* lexer = nullptr;
};

TEST_F(LexerEditor, TheEditorRunsTheContainerLexerOnce) {
  EXPECT_EQ(sci().send(S::SCI_GETLEXER), S::SCLEX_CONTAINER);
  EXPECT_EQ(CreateEditorLexer(*view), lexer);
  EXPECT_EQ(LexerOf(*view), lexer);
}

TEST_F(LexerEditor, ColouriseGivesThePureStylesAndLevels) {
  std::vector<std::pair<std::string, std::string>> texts;
  for (const char* name : {"blocks.bas", "prefix.bas", "strings_comments.bas", "numbers.bas", "last_line.bas"})
    texts.emplace_back(name, ReadFile(ExamplesDir() + name));
  texts.emplace_back("generated LF", GenerateProgram(3, 20000));
  texts.emplace_back("generated CR LF", ToCrLf(GenerateProgram(4, 20000)));
  std::string bytes = "sub a\n";
  for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);  // NUL, lone CR and bytes that are no UTF-8
  bytes += "\nend sub\n";
  texts.emplace_back("every byte", bytes);
  for (const auto& [what, text] : texts) {
    SetText(text);
    ASSERT_EQ(Text(), text) << what;
    sci().send(S::SCI_COLOURISE, 0, -1);
    ExpectEqualsPure(what.c_str());
  }
}

TEST_F(LexerEditor, ALongDocumentLexedInPiecesGivesThePureResult) {
  for (const bool crlf : {false, true}) {
    SCOPED_TRACE(crlf);
    const std::string program = GenerateProgram(9, 1'500'000);
    SetText(crlf ? ToCrLf(program) : program);
    sci().send(S::SCI_COLOURISE, 0, -1);
    ExpectEqualsPure("whole document");
    // From the middle of a block to the end.
    const Sci::Pos at = sci().positionFromLine(sci().lineCount() / 3) + 1;
    sci().sendText(S::SCI_INSERTTEXT, at, "sub x : ");
    sci().send(S::SCI_COLOURISE, at, -1);
    ExpectEqualsPure("after an edit");
  }
}

TEST_F(LexerEditor, RandomRequestsAndEditsEndEqualToAFreshFullPass) {
  static const char* kInserts[] = {"sub x\n", "end sub\n", "\"", "'", "\r\n", "\n", "x", "end ", " : sub y",
                                   "[", "]", "1.5E3", "\r", "function f\r\nend function\r\n"};
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    SetText(seed % 2 ? GenerateProgram(seed, 6000) : ToCrLf(GenerateProgram(seed, 6000)));
    for (int step = 0; step < 150; ++step) {
      const Sci::Pos len = sci().length();
      const Sci::Pos at = len ? Sci::Pos(rng() % len) : 0;
      switch (rng() % 3) {
        case 0: {  // a request up to some position, maybe mid-line, as painting makes
          sci().send(S::SCI_COLOURISE, at, std::min<Sci::Pos>(len, at + Sci::Pos(rng() % 400)));
          break;
        }
        case 1: {
          const char* ins = kInserts[rng() % std::size(kInserts)];
          sci().sendText(S::SCI_INSERTTEXT, at, ins);
          break;
        }
        default:
          sci().send(S::SCI_DELETERANGE, at, std::min<Sci::Pos>(len - at, Sci::Pos(rng() % 40)));
      }
    }
    sci().send(S::SCI_COLOURISE, sci().send(S::SCI_GETENDSTYLED), -1);
    ExpectEqualsPure("after random edits");
  }
}

TEST_F(LexerEditor, TheLastLineStyledIsTheDocumentLineOfTheRequestEvenBelowFoldsAndWrapped) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "sub s" + std::to_string(i) + "\n  print 1\n  print 2\nend sub\n";
  SetText(text);
  sci().send(S::SCI_SETWRAPMODE, S::SC_WRAP_WORD);
  sci().send(S::SCI_COLOURISE, 0, -1);
  sci().send(S::SCI_FOLDALL, S::SC_FOLDACTION_CONTRACT);
  ASSERT_LT(sci().send(S::SCI_VISIBLEFROMDOCLINE, 1500), 500);  // folds above line 1500

  const Sci::Pos edit = sci().positionFromLine(1500) + 2;
  sci().sendText(S::SCI_INSERTTEXT, edit, "x");
  lexer->resetStats();
  sci().send(S::SCI_COLOURISE, edit, sci().positionFromLine(1510));
  EXPECT_GE(sci().send(S::SCI_GETENDSTYLED), sci().positionFromLine(1510));
  EXPECT_LE(lexer->stats().lines, 12);
  sci().send(S::SCI_COLOURISE, sci().send(S::SCI_GETENDSTYLED), -1);
  ExpectEqualsPure("folded and wrapped");
}

TEST_F(LexerEditor, RegistrationsRestyleExistingUsesAndABurstRestylesOnce) {
  SetText("alpha beta gamma\nalpha\n");
  sci().send(S::SCI_COLOURISE, 0, -1);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 0), kStyleDefault);

  lexer->resetStats();
  EXPECT_EQ(LexerAddWords(*view, "alpha", kStyleUserVariable, 0), 1);
  EXPECT_EQ(lexer->stats().passes, 0);  // no restyle asked for
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 0), kStyleDefault);

  {
    LexerBurst burst(*view);
    LexerAddWordsAndRestyle(*view, "alpha", kStyleUserVariable, 0, true);
    LexerAddWordsAndRestyle(*view, "beta", kStyleUserSub, 0, true);
    {
      LexerBurst inner(*view);
      LexerAddWordsAndRestyle(*view, "gamma", kStyleUserSub, 0, true);
    }
    EXPECT_EQ(lexer->stats().passes, 0);
  }
  EXPECT_EQ(lexer->stats().passes, 1);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 0), kStyleUserVariable);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 6), kStyleUserSub);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 11), kStyleUserSub);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 17), kStyleUserVariable);

  lexer->resetStats();
  LexerAddWordsAndRestyle(*view, "delta", 1, 0, true);
  LexerAddWordsAndRestyle(*view, "epsilon", 1, 0, true);
  LexerAddWordsAndRestyle(*view, "   ", 1, 0, true);  // nothing added, no restyle
  EXPECT_EQ(lexer->stats().passes, 2);

  lexer->resetStats();
  LexerRemoveWords(*view, "beta");
  EXPECT_EQ(LexerLookupWord(*view, "BETA"), nullptr);
  EXPECT_EQ(lexer->stats().passes, 0);
  LexerRestyle(*view);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 6), kStyleDefault);
}

TEST_F(LexerEditor, OptionChangesRestyleOnlyWhenTheyChangeSomething) {
  SetText("a+b 5\nsub x\n");
  sci().send(S::SCI_COLOURISE, 0, -1);
  struct Step {
    const char* what;
    std::function<void()> change;
    bool restyles;
  };
  const Step steps[] = {
      {"same operators", [&] { LexerSetOption(*view, 1, Q(ReadTestWordMap().operators)); }, false},
      {"other operators", [&] { LexerSetOption(*view, 1, QString("-")); }, true},
      {"same number style", [&] { LexerSetOption(*view, 2, std::int64_t{4}); }, false},
      {"number style as text", [&] { LexerSetOption(*view, 3, QString(" 6 ")); }, true},
      {"number style not a number", [&] { LexerSetOption(*view, 2, QString("x")); }, false},
      {"autocompletion bit", [&] { LexerSetOptions(*view, kLexOptionsConfigured & ~LexAutoComplete); }, false},
      {"fold bit", [&] { LexerSetOptions(*view, LexColour); }, true},
      {"colour bit", [&] { LexerSetOptions(*view, 0); }, true},
      {"configured", [&] { LexerSetOptions(*view, kLexOptionsConfigured); }, true},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    lexer->resetStats();
    s.change();
    EXPECT_EQ(lexer->stats().passes, s.restyles ? 1 : 0);
    ExpectEqualsPure(s.what);
  }
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 4), 6);  // the number style

  LexerSetOptions(*view, LexColour);
  for (Sci::Pos l = 0; l < sci().lineCount(); ++l) EXPECT_EQ(sci().send(S::SCI_GETFOLDLEVEL, l), 0);
}

TEST_F(LexerEditor, ResetKeepsTheWordMapAndDropsTheOptions) {
  SetText("print 1+2\n");
  LexerReset(*view);
  EXPECT_EQ(LexerOptions(*view), kLexOptionsInitial);
  EXPECT_EQ(lexer->tables().operatorChars(), "");
  EXPECT_EQ(lexer->tables().numberStyle(), kStyleDefault);
  ASSERT_NE(LexerLookupWord(*view, "Print"), nullptr);
  EXPECT_EQ(LexerLookupWord(*view, "Print")->word, "PRINT");
  sci().send(S::SCI_COLOURISE, 0, -1);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 0), kStyleKeyword);
  EXPECT_EQ(sci().send(S::SCI_GETSTYLEAT, 6), kStyleDefault);  // "1+2" is one word now
}

TEST_F(LexerEditor, AnEditorWithoutALexerIsLeftAlone) {
  EditorView bare(21, dispatcher, nullptr);
  EXPECT_EQ(LexerOf(bare), nullptr);
  EXPECT_EQ(LexerAddWords(bare, "print", 1, 0), 0);
  EXPECT_EQ(LexerAddDelimited(bare, "\"", "\"", WordDelimited, 3, true), 0);
  LexerRemoveWords(bare, "");
  LexerSetOption(bare, 1, QString("+"));
  LexerSetOptions(bare, 7);
  LexerReset(bare);
  StyleLines(bare, 0, -1);
  EXPECT_EQ(LexerLookupWord(bare, "print"), nullptr);
  EXPECT_EQ(LexerOptions(bare), 0u);
  { LexerBurst burst(bare); }
}

TEST_F(LexerEditor, TypingAndDeletingCallTheAutocompletionOnlyWhenItIsOn) {
  int calls = 0;
  lexer->setCallTipHook([&] { ++calls; });
  SetText("print\n");
  QApplication::processEvents();
  calls = 0;
  auto type = [&](char c) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(view.get(), &press);
  };
  type('a');
  EXPECT_EQ(calls, 1);

  sci().send(S::SCI_DELETERANGE, 0, 1);
  EXPECT_EQ(calls, 1);  // never from inside the change notification
  QApplication::processEvents();
  EXPECT_EQ(calls, 2);

  lexer->setProgrammaticEdit(true);
  sci().send(S::SCI_DELETERANGE, 0, 1);
  lexer->setProgrammaticEdit(false);
  QApplication::processEvents();
  EXPECT_EQ(calls, 2);

  LexerSetOptions(*view, kLexOptionsInitial);
  type('b');
  sci().send(S::SCI_DELETERANGE, 0, 1);
  QApplication::processEvents();
  EXPECT_EQ(calls, 2);
}

TEST_F(LexerEditor, AnEditInsideAFoldedBlockShowsTheBlock) {
  SetText("sub a\n  x = 1\n  y = 2\nend sub\nprint\n");
  sci().send(S::SCI_COLOURISE, 0, -1);
  sci().send(S::SCI_FOLDLINE, 0, S::SC_FOLDACTION_CONTRACT);
  ASSERT_EQ(sci().send(S::SCI_GETLINEVISIBLE, 2), 0);
  sci().sendText(S::SCI_INSERTTEXT, sci().positionFromLine(2) + 3, "z\n");
  EXPECT_EQ(sci().send(S::SCI_GETLINEVISIBLE, 2), 1);
  EXPECT_EQ(sci().send(S::SCI_GETLINEVISIBLE, 3), 1);
}

}  // namespace
}  // namespace vendle
