// The rules of the help on plain text: addresses, keys, the table lookup and
// the kinds of external references.
#include <gtest/gtest.h>

#include <QUrl>

#include "editor/syntax_help.h"
#include "links/help.h"
#include "links/help_pages.h"

namespace vendle {
namespace {

TEST(Help, AddressesOpenTheirFile) {
  struct Case {
    const char* path;
    const char* address;
  };
  const Case cases[] = {
      {"/d/html/index.htm", "file:///d/html/index.htm"},
      {"/d/my help/a b.htm", "file:///d/my%20help/a%20b.htm"},
      {"/d/C#/100%/x?.htm", "file:///d/C%23/100%25/x%3F.htm"},
      {"/d/caf\xc3\xa9/+.htm", "file:///d/caf%C3%A9/%2B.htm"},
      {"/d/!$&'()*,-.:;=@_~/x.htm", "file:///d/!$&'()*,-.:;=@_~/x.htm"},
      {"/d/back\\slash.htm", "file:///d/back%5Cslash.htm"},
  };
  for (const Case& c : cases) {
    const QString path = QString::fromUtf8(c.path);
    const QString address = HelpAddress(path);
    EXPECT_EQ(address, QString::fromLatin1(c.address)) << c.path;
    EXPECT_EQ(QUrl(address).toLocalFile(), path) << c.path;
  }
}

TEST(Help, PickedWordsAndKeys) {
  struct Case {
    const char* picked;
    const char* key;
  };
  const Case cases[] = {
      {"MID$(", "MID "},          {"Line  input", "LINE INPUT"},
      {"PRINT\r\n", "PRINT"},     {"PRINT\r", "PRINT"},
      {"PRINT \n", "PRINT"},      {" setpin", "SETPIN"},
      {"a\r\nb", "A B"},          {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HelpKeyOf(TrimPickedWord(QString::fromLatin1(c.picked))), QString::fromLatin1(c.key)) << c.picked;
  // Only one blank and one line end are trimmed; the rest become blanks of the key.
  EXPECT_EQ(TrimPickedWord(QStringLiteral("X  \r\n")), QStringLiteral("X "));
}

KeywordHelpTable Table(const QStringList& keywords) {
  KeywordHelpTable t;
  int r = 0;
  for (const QString& k : keywords) {
    ++r;
    t.rows[r] = {NormaliseHelpKeyword(k), QStringLiteral("p%1").arg(r), QStringLiteral("syntax %1").arg(r)};
  }
  t.count = r;
  return t;
}

TEST(Help, LookupPhases) {
  const KeywordHelpTable t = Table({"INPUT", "LINE", "MID$(", "OPTION EXPLICIT", "PRINT", "LINE INPUT"});
  struct Case {
    const char* key;
    int row;
  };
  const Case cases[] = {
      {"PRINT", 5},
      {"print", 5},             // letter case is ignored
      {"MID ", 3},              // from MID$(
      {"LINE INPUT", 6},        // phase 1 finds the last row; later phases do not run
      {"OPTION", 4},            // a key that is the first word of a row
      {"EXPLICIT", 0},          // no blank: only phase 1
      {"FOO INPUT", 1},         // phase 3: a row that begins with the second word
      {"OPTION FOO", 4},        // phase 4: the first word
      {"FOO BAR", 0},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(LookupHelpRow(t, QString::fromLatin1(c.key)), c.row) << c.key;

  // Phase 2: the key inside a row's keyword.
  const KeywordHelpTable u = Table({"GUI BUTTON", "A GUI BUTTON B"});
  EXPECT_EQ(LookupHelpRow(u, QStringLiteral("GUI BUTTON")), 1);
  EXPECT_EQ(LookupHelpRow(u, QStringLiteral("BUTTON B")), 2);
  // Rows past the count are not looked at.
  KeywordHelpTable v = Table({"PRINT", "LIST"});
  v.count = 1;
  EXPECT_EQ(LookupHelpRow(v, QStringLiteral("LIST")), 0);
}

TEST(Help, ReferenceKinds) {
  struct Case {
    const char* text;
    ReferenceKind kind;
  };
  const Case cases[] = {
      {"External Reference 3", ReferenceKind::Unset},
      {"", ReferenceKind::Unset},
      {"https://example.org/manual.pdf", ReferenceKind::Http},
      {"HTTP://example.org", ReferenceKind::Http},
      {"/home/u/notes.TXT", ReferenceKind::InfoFile},
      {"/home/u/demo.bas", ReferenceKind::InfoFile},
      {"/home/u/manual.pdf", ReferenceKind::Desktop},
      {"/home/u/readme", ReferenceKind::Desktop},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyReference(QString::fromLatin1(c.text)), c.kind) << c.text;
}

TEST(Help, KeywordGroups) {
  struct Case {
    const char* keyword;
    const char* syntax;
    KeywordGroup group;
  };
  const Case cases[] = {
      {"PRINT", "PRINT x", KeywordGroup::Commands},
      {"ABS(", "ABS(x)", KeywordGroup::Functions},
      {"INKEY$", "INKEY$", KeywordGroup::Functions},
      {"<=", "a <= b", KeywordGroup::Operators},
      {"XOR", "a XOR b", KeywordGroup::Operators},
      {"OPTION BASE", "OPTION BASE 0 | 1", KeywordGroup::Options},
      {"MM.INFO(", "MM.INFO(item)", KeywordGroup::MmNames},
      {".WRAP", ".WRAP", KeywordGroup::Pio},
      {"JMP", "JMP target   (PIO assembler)", KeywordGroup::Pio},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GroupOfKeyword(QString::fromLatin1(c.keyword), QString::fromLatin1(c.syntax)), c.group) << c.keyword;
}

}  // namespace
}  // namespace vendle
