// Golden tests of the lexer: every examples/*.bas is styled and folded with
// the test word map and compared with its .styled and .folded files. On a
// mismatch the result is written beside them as .styled.new / .folded.new.
// Each example is also lexed line by line and with CR LF line ends, which
// must give the same result.
#include <gtest/gtest.h>

#include <QDir>

#include "lexer_test_support.h"
#include "test_files.h"

namespace vendle {
namespace {

using namespace lexer_test;

struct Lexed {
  LexerOutput out;
  std::string styled;
  std::string folded;
};

Lexed LexWhole(const LexerTables& t, const std::string& text) {
  Lexed l;
  LexText(t, text, kLexerStateInitial, l.out);
  l.styled = StyledNotation(text, l.out.styles);
  l.folded = FoldedNotation(text, l.out.levels);
  return l;
}

// Each line on its own, fed the state the line before ended in.
LexerOutput LexLineByLine(const LexerTables& t, const std::string& text) {
  LexerOutput all;
  LexerState state = kLexerStateInitial;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t len = LexerLineLength(std::string_view(text).substr(pos));
    std::vector<std::uint8_t> styles(len);
    const LexerLine line = LexLine(t, std::string_view(text).substr(pos, len), state, styles.data());
    all.styles.insert(all.styles.end(), styles.begin(), styles.end());
    all.levels.push_back(line.level);
    all.ends.push_back(line.end);
    state = line.end;
    const bool lineEnd = len > 0 && (text[pos + len - 1] == '\n' || text[pos + len - 1] == '\r');
    pos += len;
    if (!lineEnd) break;
  }
  return all;
}

// The styles of a CR LF text with the style of each CR dropped, so they line
// up with the LF text.
std::vector<std::uint8_t> WithoutCr(const std::string& crlf, const std::vector<std::uint8_t>& styles) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < crlf.size(); ++i)
    if (crlf[i] != '\r') out.push_back(styles[i]);
  return out;
}

void ExpectGolden(const std::string& path, const std::string& actual) {
  test::ExpectGolden(QString::fromStdString(path), QByteArray::fromStdString(actual));
}

TEST(LexerGolden, EveryExampleMatchesItsStyledAndFoldedFiles) {
  const LexerTables tables = TestTables();
  ASSERT_GT(tables.words().size(), 0u) << "the test word map is missing";
  const QStringList names = QDir(QString::fromStdString(ExamplesDir())).entryList({"*.bas"}, QDir::Files, QDir::Name);
  ASSERT_GE(names.size(), 8);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const std::string base = ExamplesDir() + name.toStdString();
    const std::string text = ReadFile(base);
    ASSERT_EQ(text.find('\r'), std::string::npos) << "examples are kept with LF line ends";
    const Lexed whole = LexWhole(tables, text);
    ExpectGolden(base + ".styled", whole.styled);
    ExpectGolden(base + ".folded", whole.folded);

    const LexerOutput byLine = LexLineByLine(tables, text);
    EXPECT_EQ(byLine.styles, whole.out.styles);
    EXPECT_EQ(byLine.levels, whole.out.levels);

    const std::string crlf = ToCrLf(text);
    LexerOutput withCr;
    LexText(tables, crlf, kLexerStateInitial, withCr);
    EXPECT_EQ(WithoutCr(crlf, withCr.styles), whole.out.styles);
    EXPECT_EQ(withCr.levels, whole.out.levels);
  }
}

}  // namespace
}  // namespace vendle
