// The case edits of "every use takes the case of its declaration", found in
// one pass: whole words only, type suffixes, the later of two spellings.
#include <gtest/gtest.h>

#include "editor/declared_case.h"
#include "settings/settings.h"

namespace vendle {
namespace {

// The text with the edits made.
QByteArray Edited(const QByteArray& text, const QStringList& spellings, const QByteArray& wordCharacters) {
  QByteArray out = text;
  const std::vector<CaseEdit> edits = DeclaredCaseEdits(text, spellings, wordCharacters);
  for (auto it = edits.rbegin(); it != edits.rend(); ++it) out.replace(it->at, it->length, it->spelling);
  return out;
}

TEST(DeclaredCaseEdits, WholeWordsTakeTheDeclaredCase) {
  const QByteArray program = Settings{}.validWordCharacters.toUtf8();  // "$" "%" "!" are word characters
  const QByteArray plain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
  const struct {
    const char* what;
    QByteArray text;
    QStringList spellings;
    QByteArray words;
    QByteArray want;
  } cases[] = {
      {"uses in any case", "printx = PRINTX + 1:PrintX", {"PrintX"}, program, "PrintX = PrintX + 1:PrintX"},
      {"only whole words", "printxy = xprintx + printx", {"PrintX"}, program, "printxy = xprintx + PrintX"},
      {"a suffix is part of the word", "b$ = b + b%", {"B$", "B"}, program, "B$ = B + b%"},
      {"a suffix that is no word character", "b$ = b$+1 + b", {"B$"}, plain, "B$ = b$+1 + b"},
      {"the later spelling counts", "count = 1", {"Count", "COUNT"}, program, "COUNT = 1"},
      {"letters beyond ASCII", "caf\xC3\xA9 = CAF\xC3\x89", {"Caf\xC3\xA9"}, program, "Caf\xC3\xA9 = Caf\xC3\xA9"},
      {"no names", "x = 1", {}, program, "x = 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Edited(c.text, c.spellings, c.words), c.want) << c.what;
  // Uses already as declared are no edits.
  EXPECT_TRUE(DeclaredCaseEdits("PrintX PrintX", {"PrintX"}, program).empty());
}

}  // namespace
}  // namespace vendle
