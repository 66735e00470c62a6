// The reader and writer of the preference-file text.
#include "settings/preference_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "qt_print.h"

namespace vendle {
namespace {

struct ReaderCase {
  const char* name;
  QByteArray bytes;
  const char* group;
  const char* key;
  std::optional<QString> value;
};

TEST(PreferenceFile, Lookups) {
  const ReaderCase cases[] = {
      {"exact", "[Windows]\r\nMainX = 50\r\n", "Windows", "MainX", "50"},
      {"key in another case", "[Windows]\r\nmainx = 50\r\n", "Windows", "MainX", "50"},
      {"group in another case", "[WINDOWS]\r\nMainX = 50\r\n", "windows", "MainX", "50"},
      {"first match wins", "[A]\r\nk = 1\r\nK = 2\r\n", "A", "k", "1"},
      {"non-ASCII key in another case", "\xEF\xBB\xBF[A]\r\n\xC3\x84rger = 1\r\n", "A", "\xC3\xA4RGER", "1"},
      {"keys differing in a sign are two keys", "[A]\r\nk@ = 1\r\nk` = 2\r\nk[ = 3\r\n", "A", "K`", "2"},
      {"no key of another sign is found", "[A]\r\nk@ = 1\r\n", "A", "k`", std::nullopt},
      {"a long key in another case", "[A]\r\nRecent File Number Seventeen = x\r\n", "A", "recent file number SEVENTEEN", "x"},
      {"a sign that folds to ASCII", "\xEF\xBB\xBF[A]\r\n\xE2\x84\xAA = 1\r\n", "A", "k", "1"},
      {"non-ASCII group in another case", "\xEF\xBB\xBF[\xC3\x9C]\r\nk = 1\r\n", "\xC3\xBC", "k", "1"},
      {"second section of a group ignored", "[A]\r\nk = 1\r\n[B]\r\n[a]\r\nj = 2\r\n", "A", "j", std::nullopt},
      {"first section used when the second repeats the key", "[A]\r\nk = 1\r\n[A]\r\nk = 2\r\n", "A", "k", "1"},
      {"lookup stops at the next group", "[A]\r\n[B]\r\nk = 1\r\n", "A", "k", std::nullopt},
      {"missing key", "[A]\r\nk = 1\r\n", "A", "j", std::nullopt},
      {"missing group", "[A]\r\nk = 1\r\n", "B", "k", std::nullopt},
      {"empty value is present", "[A]\r\nk =\r\n", "A", "k", ""},
      {"key without =", "[A]\r\nflag\r\n", "A", "flag", ""},
      {"blanks and tabs around key and value", "  \t[A]\r\n \tk \t=\t v  w \t\r\n", "A", "k", "v  w"},
      {"value keeps further =", "[A]\r\nk = a = b\r\n", "A", "k", "a = b"},
      {"no inline comments", "[A]\r\nk = 12 ; x\r\n", "A", "k", "12 ; x"},
      {"comment lines ignored", "[A]\r\n; k = 1\r\n  ;k = 3\r\nk = 2\r\n", "A", "k", "2"},
      {"group name runs to ]", "[A] rest = 1\r\nk = 1\r\n", "A", "k", "1"},
      {"group name runs to the line end", "[A\r\nk = 1\r\n", "A", "k", "1"},
      {"group name not trimmed", "[ A ]\r\nk = 1\r\n", "A", "k", std::nullopt},
      {"keys before the first group unreachable", "k = 1\r\n[A]\r\n", "A", "k", std::nullopt},
      {"LF line ends", "[A]\nk = 1\nj = 2\n", "A", "j", "2"},
      {"lone CR line ends", "[A]\rk = 1\rj = 2\r", "A", "j", "2"},
      {"CR never stays in a value", "[A]\r\nk = 1\r\r\n", "A", "k", "1"},
      {"mixed line ends", "[A]\r\nk = 1\nj = 2\rm = 3", "A", "m", "3"},
      {"BOM: UTF-8", "\xEF\xBB\xBF\r\n[A]\r\nk = Gr\xC3\xBC\xC3\x9F" "e\r\n", "A", "k", QString::fromUtf8("Grüße")},
      {"no BOM: Windows-1252", "[A]\r\nk = caf\xE9 \x93q\x94\r\n", "A", "k", QString::fromUtf8("café “q”")},
      {"no BOM: UTF-8 bytes read as 1252", "[A]\r\nk = \xC3\xA9\r\n", "A", "k", QString::fromUtf8("Ã©")},
      {"BOM only at the very start", "\r\n\xEF\xBB\xBF[A]\r\nk = 1\r\n", "A", "k", std::nullopt},
      {"broken UTF-8 after a BOM", "\xEF\xBB\xBF[A]\r\nk = \xFF\xFEx\r\n", "A", "k", QString::fromUtf8("\xEF\xBF\xBD\xEF\xBF\xBDx")},
      {"NUL bytes are text", QByteArray("[A]\r\nk = a\0b\r\n", 14), "A", "k", QString::fromUtf8("a\0b", 3)},
  };
  for (const ReaderCase& c : cases) {
    const PreferenceFile f = PreferenceFile::Parse(c.bytes);
    EXPECT_EQ(f.value(QString::fromUtf8(c.group), QString::fromUtf8(c.key)), c.value) << c.name;
  }
}

TEST(PreferenceFile, EntriesOfAGroupInFileOrderWithDuplicates) {
  const PreferenceFile f = PreferenceFile::Parse("[L]\r\nb = 2\r\na = 1\r\nb = 3\r\n[M]\r\n[l]\r\nc = 4\r\n");
  const std::vector<std::pair<QString, QString>> want = {{"b", "2"}, {"a", "1"}, {"b", "3"}};
  std::vector<std::pair<QString, QString>> got;
  for (const auto& [k, v] : f.entries(u"l")) got.emplace_back(k.toString(), v.toString());
  EXPECT_EQ(got, want);
  EXPECT_EQ(f.keyCount(u"M"), 0);
  EXPECT_TRUE(f.hasGroup(u"M"));
  EXPECT_FALSE(f.hasGroup(u"N"));
  EXPECT_TRUE(f.entries(u"N").empty());
}

// Random files of few names in mixed case, repeated groups and keys, every
// line-end kind: each lookup agrees with a plain reading of the rules (the
// first section of a group, the first key in it, case ignored).
TEST(PreferenceFile, LookupsAgreeWithAPlainReadingOfTheRules) {
  const QStringList names = {"a", "A", "b", "Ab", "aB", "k1", "K1", "\u00e9", "\u00c9", ""};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  std::uint32_t seed = 99;
  auto random = [&](std::uint32_t n) { return ((seed = seed * 1664525u + 1013904223u) >> 8) % n; };
  for (int round = 0; round < 300; ++round) {
    struct Line {
      int group;  // -1: a key line
      QString name, value;
    };
    std::vector<Line> lines;
    QByteArray bytes = "\xEF\xBB\xBF";
    const int count = int(random(40));
    for (int i = 0; i < count; ++i) {
      const QString name = names[random(std::uint32_t(names.size()))];
      const bool group = random(4) == 0;
      const QString value = QString::number(i);
      lines.push_back({group ? 1 : -1, name, value});
      bytes += (group ? "[" + name + "]" : name + " = " + value).toUtf8() + ends[random(3)];
      if (random(5) == 0) bytes += "; note\n";
    }
    const PreferenceFile f = PreferenceFile::Parse(bytes);
    for (const QString& g : names) {
      for (const QString& k : names) {
        std::optional<QString> want;
        bool inFirst = false, seenGroup = false;
        for (const Line& l : lines) {
          if (l.group >= 0) {
            if (inFirst) break;  // the first section has ended
            if (!seenGroup && l.name.compare(g, Qt::CaseInsensitive) == 0) inFirst = seenGroup = true;
          } else if (inFirst && l.name.compare(k, Qt::CaseInsensitive) == 0) {
            want = l.value;
            break;
          }
        }
        ASSERT_EQ(f.value(g, k), want) << bytes.toStdString() << " [" << g.toStdString() << "] " << k.toStdString();
        ASSERT_EQ(f.group(g).value(k), want);
      }
    }
  }
}

TEST(PreferenceFile, EmptyAndBinaryInputsGiveNoValues) {
  QByteArray binary;
  for (int i = 0; i < 4096; ++i) binary += char((i * 7919 + 13) & 0xFF);
  for (const QByteArray& bytes : {QByteArray(), QByteArray("\xEF\xBB\xBF"), QByteArray("["), QByteArray("=\r\n="),
                                  QByteArray(3000, '['), binary}) {
    const PreferenceFile f = PreferenceFile::Parse(bytes);
    EXPECT_FALSE(f.value(u"Windows", u"MainX").has_value());
  }
}

TEST(PreferenceWriter, WritesTheFileSyntax) {
  PreferenceWriter w;
  w.group(QStringLiteral("Empty"));  // nothing written: no group line
  w.group(QStringLiteral("A"));
  w.comment(QStringLiteral("note"));
  w.key(QStringLiteral("k"), QStringLiteral("v"));
  w.key(QStringLiteral("k"), QString());  // duplicates and empty values as they come
  w.group(QStringLiteral("B"));
  w.key(QStringLiteral("n"), qint64(-5));
  w.key(QStringLiteral("t"), QString::fromUtf8("é"));
  EXPECT_EQ(w.bytes(), QByteArray("\xEF\xBB\xBF\r\n[A]\r\n; note\r\nk = v\r\nk = \r\n\r\n[B]\r\nn = -5\r\nt = \xC3\xA9\r\n"));
}

TEST(PreferenceWriter, NothingWrittenHoldsALineBreak) {
  PreferenceWriter w;
  w.group(QStringLiteral("A"));
  w.comment(QStringLiteral("c\rd"));
  w.key(QStringLiteral("k\n"), QStringLiteral("v\r\nw = 1\n[X]"));
  EXPECT_EQ(w.bytes(), QByteArray("\xEF\xBB\xBF\r\n[A]\r\n; c d\r\nk  = v  w = 1 [X]\r\n"));
  EXPECT_EQ(PreferenceFile::Parse(w.bytes()).value(u"A", u"k"), QStringLiteral("v  w = 1 [X]"));
}

TEST(PreferenceWriter, AnEmptyWriterIsTheMarkAndTheEmptyFirstLine) {
  EXPECT_EQ(PreferenceWriter().bytes(), QByteArray("\xEF\xBB\xBF\r\n"));
}

}  // namespace
}  // namespace vendle
