// Styling of programs large enough to be lexed in pieces, through editors
// the running program set up (automatic folding on change, wrapping as the
// settings say): SUB headers at every line around the piece edges, Fold all
// and Unfold all, requests of every size as painting and scrolling make
// them. Nothing aborts, and every fold level is the pure lexer's.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/lexer.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/text_access.h"
#include "platform/ids.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// Lines of real programs, of every kind of token and block.
const char* const kFiller[] = {
    "  LOCAL counter = &HFF + .5 * 1.5E3",
    "  PRINT \"total:\"; total$ ' a comment",
    "FUNCTION Area(r) AS FLOAT",
    "  IF r > 0 THEN Area = 3.14 * r ^ 2",
    "END FUNCTION",
    "DO",
    "  counter = counter + 1 : IF counter > 10 THEN EXIT DO",
    "LOOP UNTIL counter >= 100",
    "FOR i = 1 TO 10 STEP 2",
    "NEXT i",
    "' only a comment, sub in it",
    "print \"unclosed string",
    "SUB MySub(a, b$)",
    "END SUB",
    "sub a : sub b",
    "end sub : end sub",
    "CSUB Blob INTEGER",
    "  00000000 'hex words",
    "END CSUB",
    "",
    "x = y",
    "wörd = \"ünï\" ' ça",
    "end if : sub inner",
    "\t\tgoto 100",
    "Pin(GP2) = 1 : SETPIN GP3, DOUT",
};

// A line of exactly `width` bytes with its line end: `text` padded with blanks.
std::string Padded(std::string text, std::size_t width, const std::string& eol) {
  text.resize(width - eol.size(), ' ');
  return text + eol;
}

// A program of at least `minBytes` whose whole-text pass ends a piece inside
// line 3 of a block of fixed-width lines at every piece edge; the block puts a
// SUB header `shift` lines from that line (-3..+3), with one body line and its
// END SUB.
std::string EdgeProgram(unsigned seed, std::size_t minBytes, int shift, const std::string& eol) {
  constexpr std::size_t kWidth = 24;
  constexpr int kBlockLines = 10;
  std::mt19937 rng(seed);
  std::string out;
  std::size_t edge = kLexerPieceBytes;
  int edges = 0;
  while (out.size() < minBytes) {
    if (out.size() + 400 < edge) {
      out += kFiller[rng() % std::size(kFiller)];
      out += eol;
      continue;
    }
    // A comment line up to the block, so that the edge byte falls in its line 3.
    const std::size_t padTo = edge - 3 * kWidth - kWidth / 2;
    out += Padded("'", padTo - out.size(), eol);
    const int header = 3 + shift;
    for (int i = 0; i < kBlockLines; ++i) {
      const int k = i - header;
      const std::string text = k == 0   ? "SUB Edge" + std::to_string(edges) + "(a)"
                               : k == 1 ? "  PRINT a"
                               : k == 2 ? "END SUB"
                                        : "x = " + std::to_string(i);
      out += Padded(text, kWidth, eol);
      if (i == 3) edge = out.size() + kLexerPieceBytes;  // the next piece starts after this line
    }
    ++edges;
  }
  return out;
}

class StylingReentry : public ::testing::Test {
 protected:
  static DriverOptions Options(bool wrap) {
    DriverOptions o;
    o.preferences = WithSetting(QString(), "Options", "Word Wrap", wrap ? "1" : "0");
    return o;
  }

  void Start(bool wrap) {
    d = std::make_unique<AppDriver>(Options(wrap));
    ed = CurrentEditor(d->app());
    ASSERT_NE(ed, nullptr) << "the program starts with a document";
    ASSERT_NE(LexerOf(*ed), nullptr);
  }

  Sci s() { return ed->sci(); }

  // The levels of lines [0, lines) against one pure pass over the text.
  // The text goes in, and its levels from one pure pass are kept.
  void Put(const std::string& text) {
    SetEditorBytes(ed, QByteArray(text.data(), static_cast<qsizetype>(text.size())), true);
    ASSERT_EQ(s().length(), static_cast<Sci::Pos>(text.size()));
    LexText(LexerOf(*ed)->tables(), text, kLexerStateInitial, pure);
    ASSERT_EQ(static_cast<long long>(pure.levels.size()), s().lineCount());
  }

  // The levels of lines [0, lines) against the pure pass.
  void ExpectPureLevels(long long lines, const std::string& what) {
    SCOPED_TRACE(what);
    for (long long line = 0; line < lines; ++line) {
      const int got = static_cast<int>(s().send(S::SCI_GETFOLDLEVEL, line));
      if (got != pure.levels[static_cast<std::size_t>(line)])
        FAIL() << "line " << line << " of " << s().lineCount() << ": level " << got << ", pure "
               << pure.levels[static_cast<std::size_t>(line)];
    }
  }
  void ExpectAllPure(const std::string& what) {
    ASSERT_EQ(s().send(S::SCI_GETENDSTYLED), s().length()) << what << ": styled to the end";
    ExpectPureLevels(s().lineCount(), what);
  }

  std::unique_ptr<AppDriver> d;
  EditorView* ed = nullptr;
  LexerOutput pure;
};

TEST_F(StylingReentry, FoldAllAndUnfoldAllWithAHeaderAtEveryLineAroundThePieceEdges) {
  for (const bool wrap : {false, true}) {
    Start(wrap);
    for (const std::string eol : {"\n", "\r\n", "\r"}) {
      for (int shift = -3; shift <= 3; ++shift) {
        const std::string what = std::string(wrap ? "wrap" : "no wrap") + ", eol " + std::to_string(eol.size()) +
                                 (eol == "\r" ? " CR" : "") + ", header " + std::to_string(shift) + " from the edge";
        Put(EdgeProgram(static_cast<unsigned>(shift + 10), 330 * 1024, shift, eol));
        d->menu(Item::FoldAll);
        ExpectAllPure(what + ", folded");
        EXPECT_FALSE(s().send(S::SCI_GETALLLINESVISIBLE));
        d->menu(Item::UnfoldAll);
        ExpectAllPure(what + ", unfolded");
        EXPECT_TRUE(s().send(S::SCI_GETALLLINESVISIBLE)) << what;
        d->menu(Item::UnfoldAll);  // folds all again
        d->menu(Item::UnfoldAll);
        EXPECT_TRUE(s().send(S::SCI_GETALLLINESVISIBLE)) << what;
      }
    }
    d.reset();
  }
}


// Thirty programs from 300 KB to 10 MB in ten groups, each styled by requests
// of random size from random places (as painting and scrolling make them),
// with Fold all and Unfold all between; after every step the lines styled so
// far carry the pure lexer's levels.
class StylingStress : public StylingReentry, public ::testing::WithParamInterface<int> {};

TEST_P(StylingStress, RandomRequestsAndFoldAllGiveThePureLevels) {
  Start(false);
  const int group = GetParam();
  for (int k = 0; k < 3; ++k) {
    const int n = group * 3 + k;  // 0..29
    const unsigned seed = 100 + static_cast<unsigned>(n);
    std::mt19937 rng(seed);
    // Sizes spread evenly on a log scale.
    const double size = 300.0 * 1024 * std::pow(10.0 * 1024 * 1024 / (300.0 * 1024), n / 29.0);
    const std::string eol = n % 3 == 0 ? "\n" : n % 3 == 1 ? "\r\n" : "\r";
    const int shift = static_cast<int>(rng() % 7) - 3;
    const std::string what = "program " + std::to_string(n) + " of " + std::to_string(static_cast<long>(size)) + " bytes";
    SCOPED_TRACE(what);
    Put(EdgeProgram(seed, static_cast<std::size_t>(size), shift, eol));
    for (int step = 0; step < 12; ++step) {
      const Sci::Pos length = s().length();
      switch (rng() % 4) {
        case 0:
          d->menu(Item::FoldAll);
          break;
        case 1:
          d->menu(Item::UnfoldAll);
          break;
        default: {
          // From somewhere before the styled end, up to 1 byte .. 4 MB further.
          const Sci::Pos endStyled = s().send(S::SCI_GETENDSTYLED);
          const Sci::Pos from = rng() % 2 ? endStyled : static_cast<Sci::Pos>(rng() % (endStyled + 1));
          const Sci::Pos reach = static_cast<Sci::Pos>(std::pow(2.0, static_cast<double>(rng() % 23)));
          s().send(S::SCI_COLOURISE, from, std::min<Sci::Pos>(length, from + reach));
        }
      }
      ExpectPureLevels(s().lineFromPosition(s().send(S::SCI_GETENDSTYLED)), "step " + std::to_string(step));
    }
    s().send(S::SCI_COLOURISE, s().send(S::SCI_GETENDSTYLED), -1);
    ExpectAllPure("at the end");
  }
}

INSTANTIATE_TEST_SUITE_P(Programs, StylingStress, ::testing::Range(0, 10));

}  // namespace
}  // namespace vendle::test
