#include <gtest/gtest.h>

#include "documents/program_file.h"
#include "documents/recent_entry.h"
#include "qt_print.h"

namespace vendle {
namespace {

TEST(ProgramFile, TrailingBlankLinesAreTrimmedToOneLineEnd) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"PRINT 1\r\n\r\n\r\n\x1A", "PRINT 1\r\n"},
      {"PRINT 1", "PRINT 1\r\n"},
      {"a\nb\n\n\n", "a\nb\n"},  // an LF file keeps LF
      {"a\r\nb\n\n", "a\r\nb\n"},
      {"a\nb", "a\nb\n"},
      {"\tx\ny\r\n", "\tx\ny\r\n"},
      {"a  \r\n", "a  \r\n"},    // blanks stay
      {"\r\n\r\n", "\r\n"},  // only line ends: one, of their kind
      {"\n\n\n", "\n"},
      {"\x1A", "\r\n"},
      {"", "\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimTrailingBlankLines(QString::fromLatin1(c.in)), c.out) << c.in;
}

TEST(ProgramFile, TargetComment) {
  struct Case {
    const char* line;
    const char* syntax;
  };
  const Case cases[] = {
      {"'target kw\\armite", "armite"},
      {"'Target KW\\PicoMite rest", "picomite"},
      {"' target kw\\ATTiny", "attiny"},
      {"PRINT 1 kw\\x", "x"},  // the markers only move the start
      {"'target picomite", ""},
      {"", ""},
      {"'target kw\\", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTargetComment(QString::fromLatin1(c.line)), c.syntax) << c.line;
  EXPECT_EQ(ParseTargetComment(QString(120, 'x') + " kw\\late"), "") << "only the first 100 characters count";
}

TEST(ProgramFile, NamesChangeOnlyTheLastExtension) {
  EXPECT_EQ(InsertBeforeExtension("/a/prog.bas", "_Copy"), "/a/prog_Copy.bas");
  EXPECT_EQ(InsertBeforeExtension("/a/my.prog.bas", "_c"), "/a/my.prog_c.bas");
  EXPECT_EQ(InsertBeforeExtension("/a.b/prog", "_Copy"), "/a.b/prog_Copy");
  EXPECT_EQ(InsertBeforeExtension("/a/.bas", "_x"), "/a/_x.bas");
  EXPECT_EQ(SnapshotPath("/a/prog.bas", QDateTime(QDate(2026, 12, 9), QTime(14, 5))), "/a/prog_2612091405.bas");
}

TEST(RecentEntry, RoundTripAndShortForms) {
  const RecentFileEntry e{"/a/b.bas", 120, 7, "3 9", "picomite", "0 4"};
  EXPECT_EQ(e.toString(), "/a/b.bas|120|7|3 9|picomite|0 4");
  EXPECT_EQ(RecentFileEntry::Parse(e.toString()), e);
  const RecentFileEntry bare = RecentFileEntry::Parse("/a/b.bas");
  EXPECT_EQ(bare.path, "/a/b.bas");
  EXPECT_EQ(bare.caret, 0);
  EXPECT_TRUE(bare.syntax.isEmpty());
  EXPECT_EQ(RecentFileEntry::Parse("/x|abc|-5").caret, 0);
  EXPECT_EQ(RecentFileEntry::Parse("/x|abc|-5").firstVisibleLine, 0);
  EXPECT_FALSE(PathFitsEntry("/a|b.bas"));
  EXPECT_FALSE(PathFitsEntry("/a\nb.bas"));
  EXPECT_TRUE(PathFitsEntry("/a b.bas"));
}

TEST(RecentEntry, AddingPutsTheEntryFirstOnce) {
  QStringList list{"/b.bas|1|0||picomite|", "/a.bas|5|0||picomite|", "/A.bas|0|0|||"};
  AddRecentEntry(list, "/a.bas|9|0||picomite|");
  EXPECT_EQ(list, (QStringList{"/a.bas|9|0||picomite|", "/b.bas|1|0||picomite|", "/A.bas|0|0|||"}));
}

TEST(ProgramFile, EncodingIsUtf8OnlyForValidUtf8WithNonAsciiText) {
  struct Case {
    const char* what;
    QByteArray bytes;
    FileEncoding encoding;
    QString text;
  };
  const Case cases[] = {
      {"ascii", "PRINT 1\r\n", FileEncoding::Windows1252, "PRINT 1\r\n"},
      {"utf-8", "' caf\xC3\xA9 \xE2\x9C\x93\n", FileEncoding::Utf8, QString::fromUtf8("' café ✓\n")},
      {"4-byte", "' \xF0\x9F\x98\x80", FileEncoding::Utf8, QString::fromUtf8("' 😀")},
      {"bom", "\xEF\xBB\xBFPRINT 1", FileEncoding::Utf8WithBom, "PRINT 1"},
      {"a second bom is text", "\xEF\xBB\xBF\xEF\xBB\xBFx", FileEncoding::Utf8WithBom, QString(QChar(0xFEFF)) + "x"},
      {"1252 e-acute", "caf\xE9", FileEncoding::Windows1252, QString::fromUtf8("café")},
      {"cut sequence", "a\xC3", FileEncoding::Windows1252, QString::fromUtf8("aÃ")},
      {"overlong", "\xC0\xAF", FileEncoding::Windows1252, QString::fromUtf8("À¯")},
      {"surrogate", "\xED\xA0\x80", FileEncoding::Windows1252, QString::fromUtf8("í\u00A0€")},
      {"above U+10FFFF", "\xF4\x90\x80\x80", FileEncoding::Windows1252, QString()},
      {"NUL kept", QByteArray("\xC3\xA9\0x", 4), FileEncoding::Utf8, QString::fromUtf8("é") + QChar(0) + "x"},
  };
  for (const Case& c : cases) {
    const DecodedFile f = DecodeProgramFile(c.bytes);
    EXPECT_EQ(f.encoding, c.encoding) << c.what;
    if (!c.text.isNull()) { EXPECT_EQ(f.text, c.text) << c.what; }
    EXPECT_EQ(EncodeProgramFile(f.text, f.encoding), c.bytes) << c.what << ": written back byte for byte";
  }
}

TEST(ProgramFile, TheLineEndOfATextIsItsLastOne) {
  struct Case {
    const char* in;
    LineEnd end;
  };
  const Case cases[] = {{"a\r\nb\r\n", LineEnd::CrLf}, {"a\nb\n", LineEnd::Lf}, {"a\rb\r", LineEnd::Cr},
                        {"a\r\nb\n", LineEnd::Lf},     {"a\nb", LineEnd::Lf},     {"ab", LineEnd::CrLf}};
  for (const Case& c : cases) EXPECT_EQ(LastLineEnd(QString::fromLatin1(c.in), LineEnd::CrLf), c.end) << c.in;
  EXPECT_EQ(TrimTrailingBlankLines("a\rb\r\r\r"), "a\rb\r") << "a CR file stays CR";
  EXPECT_EQ(TrimTrailingBlankLines("PRINT 1", LineEnd::Lf), "PRINT 1\n") << "none: the settings' kind";
}

}  // namespace
}  // namespace vendle
