// The ".tkn" reader, the file selection and deletion rule, the dialect
// lookup, the ATTiny abbreviations and the active keyword list.
#include <gtest/gtest.h>

#include "editor/syntax_tkn.h"
#include "editor/syntax_print.h"
#include "qt_print.h"

namespace vendle {
namespace {

TEST(SyntaxTkn, SectionsAreStoredByTheMarkerThatOpenedThem) {
  struct Case {
    const char* label;
    const char* file;
    const char* keywords;
    const char* parameters;
    const char* multiWords;
  };
  const Case cases[] = {
      {"keywords only", "Desc\nPRINT\nINPUT\n", " PRINT INPUT ", "", ""},
      {"parameters", "Desc\nPRINT\n***parameters***\nDOUT\n", " PRINT ", " DOUT ", ""},
      {"all three", "Desc\nPRINT\n***parameters***\nDOUT\n***multiword***\nLINE~INPUT\n", " PRINT ", " DOUT ",
       " LINE~INPUT "},
      // The keywords end up as parameters when only the multi-word marker is there.
      {"multiword only", "Desc\nPRINT\nINPUT\n***multiword***\nEND~SUB\n", "", " PRINT INPUT ", " END~SUB "},
      {"markers trimmed, CR LF", "Desc\r\nPRINT\r\n  ***parameters***  \r\nDOUT\r\n", " PRINT ", " DOUT ", ""},
      {"marker case matters", "Desc\nPRINT\n***Parameters***\n", " PRINT ***Parameters*** ", "", ""},
      {"blank and padded lines", "Desc\n\n   \n  PRINT  \n\tGOTO\t\n", " PRINT GOTO ", "", ""},
      {"empty last section", "Desc\nPRINT\n***parameters***\n", " PRINT ", " ", ""},
      {"description only", "Desc", " ", "", ""},
      {"no final line end", "Desc\nPRINT", " PRINT ", "", ""},
  };
  for (const Case& c : cases) {
    const SyntaxEntry e = ParseTknFile("x", QByteArray(c.file));
    EXPECT_EQ(e.description, "Desc") << c.label;
    EXPECT_EQ(e.keywords, c.keywords) << c.label;
    EXPECT_EQ(e.parameters, c.parameters) << c.label;
    EXPECT_EQ(e.multiWords, c.multiWords) << c.label;
  }
}

TEST(SyntaxTkn, LastSectionIsTheOneTheFileEndsIn) {
  struct Case {
    const char* file;
    const char* last;
  };
  const Case cases[] = {
      {"D\nA\nB\n", " A B "},
      {"D\nA\n***parameters***\nP\n", " P "},
      {"D\nA\n***parameters***\nP\n***multiword***\nM\n", " M "},
      {"D\nA\n***multiword***\nM\n", " M "},
      {"D\nA\n***multiword***\nM\n***parameters***\nP\n", " P "},
      {"D\nA\n***parameters***\n", " "},
  };
  for (const Case& c : cases) EXPECT_EQ(LastTknSection(ParseTknFile("x", QByteArray(c.file))), c.last) << c.file;
}

TEST(SyntaxTkn, HostileBytesGiveAnEntryNotACrash) {
  const QByteArray bom = "\xEF\xBB\xBFPicoMite \xC3\xA9\nPRINT\n";
  EXPECT_EQ(ParseTknFile("p", bom).description, QString::fromUtf8("PicoMite \xC3\xA9"));
  // Invalid UTF-8 and a NUL byte still load.
  const SyntaxEntry bad = ParseTknFile("b", QByteArray("D\n\xFF\xFE\x00X\n", 7));
  EXPECT_EQ(bad.description, "D");
  EXPECT_FALSE(bad.keywords.isEmpty());
  EXPECT_EQ(ParseTknFile("e", QByteArray()), SyntaxEntry{.name = "e"});
}

TEST(SyntaxTkn, UserKeywordsDropMultiWordLinesUnlessAllowed) {
  const QByteArray file = "\xEF\xBB\xBFMYSUB\r\n\r\n  Other  \nLINE~IN\nlast";
  EXPECT_EQ(ParseUserTkn(file, false), "MYSUB Other last");
  EXPECT_EQ(ParseUserTkn(file, true), "MYSUB Other LINE~IN last");
  EXPECT_EQ(ParseUserTkn(QByteArray(), true), "");
}

TEST(SyntaxTkn, OldFilesAreDeletedOnlyWithTheSetting) {
  struct Case {
    const char* name;
    bool old;
  };
  const Case cases[] = {
      {"picomite_", true}, {"_", true},          {"armite", true},   {"ARMITE2", true},   {"ArmiteF4", true},
      {"picomiteweb", true}, {"PicoMiteWeb", true}, {"picomite", false}, {"ARMmite", false}, {"picomiteweb2", false},
      {"armit", false},    {"user", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsOldSyntaxFile(c.name, true), c.old) << c.name;
    EXPECT_FALSE(IsOldSyntaxFile(c.name, false)) << c.name;
  }
}

TEST(SyntaxTkn, FilesAreSelectedSortedIgnoringCaseAndCapped) {
  const QStringList listed = {"b.tkn", "A.TKN", "notes.txt", "a.tkn", ".tkn", "c.Tkn", "tkn", "user.tkn"};
  EXPECT_EQ(SelectTknFiles(listed), QStringList({"A.TKN", "a.tkn", "b.tkn", "c.Tkn", "user.tkn"}));
  QStringList many;
  for (int i = 41; i >= 1; --i) many.append(QString("f%1.tkn").arg(i, 2, 10, QChar('0')));
  const QStringList picked = SelectTknFiles(many);
  ASSERT_EQ(picked.size(), kMaxTknFiles);
  EXPECT_EQ(picked.first(), "f01.tkn");
  EXPECT_EQ(picked.last(), "f40.tkn");  // the 41st is never read
  EXPECT_EQ(TknBaseName("ATTiny.TKN"), "ATTiny");
  EXPECT_EQ(TknBaseName("my.dialect.tkn"), "my.dialect");
}

TEST(SyntaxTkn, FindSyntaxIndexFallsBackToTheLastEntry) {
  SyntaxList list;
  for (const char* n : {"ARMmite", "ATTiny", "picomite", "PICOMITE"}) list.push_back({.name = n});
  struct Case {
    const char* name;
    int index;
  };
  const Case cases[] = {{"armmite", 0}, {"ATTiny", 1}, {"PicoMite", 2}, {"nothing", 3}, {"", 3}};
  for (const Case& c : cases) EXPECT_EQ(FindSyntaxIndex(list, QString(c.name)), c.index) << c.name;
  EXPECT_EQ(FindSyntaxIndex(SyntaxList{}, u"picomite"), -1);
}

TEST(SyntaxTkn, NamesEndingInUnderscoreStayOutOfTheMenu) {
  SyntaxList list;
  for (const char* n : {"a", "b_", "c"}) list.push_back({.name = n});
  EXPECT_EQ(SyntaxMenuIndices(list), (std::vector<int>{0, 2}));
}

TEST(SyntaxTkn, AtTinyAbbreviationsAreTheShortestUniquePrefixes) {
  using A = AtTinyAbbreviation;
  struct Case {
    const char* keywords;
    std::vector<A> expected;
  };
  const Case cases[] = {
      {" PRINT PAUSE POKE ", {{"PRINT", "P."}, {"PAUSE", "PA."}, {"POKE", "PO."}}},
      // GOTO takes "G" and "GO"; GOSUB needs "GOS", which saves two characters.
      {" GOTO GOSUB ", {{"GOTO", "G."}, {"GOSUB", "GOS."}}},
      // A saving of one character gives no pair: PIN after PRINT needs "PI".
      {" PRINT PIN ", {{"PRINT", "P."}}},
      // Two-character words and a word found under another spelling get none.
      {" IF TO Print PRINT ", {{"Print", "P."}}},
      // Matching ignores case; a repeated keyword is its own first match.
      {" print PAUSE print ", {{"print", "p."}, {"PAUSE", "PA."}, {"print", "p."}}},
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildAtTinyAbbreviations(QString(c.keywords)), c.expected) << c.keywords;
}

// The abbreviations by their definition, searched in the keyword text: for
// p = the first 1, 2, ... letters of w, the word that starts after the first
// " " + p (ignoring case) must be w itself.
std::vector<AtTinyAbbreviation> AbbreviationsByDefinition(const QString& keywords) {
  const QString k = u' ' + keywords + u' ';
  std::vector<AtTinyAbbreviation> out;
  for (const QString& w : keywords.split(u' ', Qt::SkipEmptyParts)) {
    if (w.size() <= 2) continue;
    for (qsizetype j = 1; j <= w.size(); ++j) {
      const QString p = w.left(j);
      const qsizetype at = k.indexOf(u' ' + p, 0, Qt::CaseInsensitive);
      const QString found = k.mid(at + 1, k.indexOf(u' ', at + 1) - at - 1);
      if (found != w) continue;
      if (w.size() - j >= 2) out.push_back({w, p + u'.'});
      break;
    }
  }
  return out;
}

TEST(SyntaxTkn, AtTinyAbbreviationsMatchTheirDefinitionOnLargeMixedLists) {
  // Words from a small alphabet share long prefixes, differ in case and
  // repeat; accented capitals fold one letter at a time.
  const QString letters = QStringLiteral("ABab\u00C9\u00E9");
  quint32 seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
  for (int round = 0; round < 40; ++round) {
    QStringList words;
    const int count = 1 + int(next() % 300);
    for (int i = 0; i < count; ++i) {
      QString w;
      const int len = 1 + int(next() % 7);
      for (int c = 0; c < len; ++c) w += letters.at(next() % letters.size());
      words.append(w);
    }
    const QString keywords = words.join(u' ');
    ASSERT_EQ(BuildAtTinyAbbreviations(keywords), AbbreviationsByDefinition(keywords)) << keywords.toStdString();
  }
}

TEST(SyntaxTkn, ActiveKeywordsFollowTheFlags) {
  const SyntaxEntry e{.name = "d", .keywords = " PRINT ", .parameters = " DOUT ", .multiWords = " LINE~INPUT "};
  struct Case {
    bool user, params, multi;
    const char* expected;
  };
  const Case cases[] = {
      {false, false, false, " PRINT "},
      {true, false, false, " PRINT MINE YOURS "},
      {true, true, false, " PRINT MINE YOURS DOUT "},
      {true, true, true, " PRINT MINE YOURS DOUT LINE~INPUT "},
      {false, false, true, " PRINT "},  // multi-words only come with the parameters
  };
  for (const Case& c : cases)
    EXPECT_EQ(BuildActiveKeywords(&e, "MINE  YOURS", {c.user, c.params, c.multi}), c.expected)
        << c.user << c.params << c.multi;
  // No dialect: the user keywords keep the editor's word list going.
  EXPECT_EQ(BuildActiveKeywords(nullptr, "MINE", {true, true, true}), " MINE ");
  EXPECT_EQ(BuildActiveKeywords(nullptr, "", {true, true, true}), "");
}

}  // namespace
}  // namespace vendle
