#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/text_lines.h"

namespace vendle {
namespace {

// Lines written as "text|end" with the end spelled as \r, \n or nothing.
QStringList Describe(const QString& text) {
  QStringList out;
  for (const TextLine& line : SplitLines(text)) {
    QString end = text.mid(line.start + line.length, line.endLength);
    end.replace(QStringLiteral("\r"), QStringLiteral("\\r")).replace(QStringLiteral("\n"), QStringLiteral("\\n"));
    out << text.mid(line.start, line.length) + u'|' + end;
  }
  return out;
}

TEST(TextLines, EveryLineEndKind) {
  struct Case {
    const char* text;
    QStringList lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a|"}},
      {"a\n", {"a|\\n"}},
      {"a\r\nb", {"a|\\r\\n", "b|"}},
      {"a\rb\r", {"a|\\r", "b|\\r"}},
      {"\n\n", {"|\\n", "|\\n"}},
      {"\r\r\n\n", {"|\\r", "|\\r\\n", "|\\n"}},
      {"x\n\ry", {"x|\\n", "|\\r", "y|"}},
      {"\r", {"|\\r"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Describe(QString::fromLatin1(c.text)), c.lines) << c.text;
}

TEST(TextLines, BytesAndCharactersAgree) {
  const QByteArray bytes = "10 PRINT \"\xc3\xa9\"\r\n20 GOTO 10\rREM end\n\n";
  const QString text = QString::fromLatin1(bytes);  // one character per byte
  EXPECT_EQ(SplitLines(QByteArrayView(bytes)), SplitLines(QStringView(text)));
  EXPECT_TRUE(EndsWithLineEnd(QByteArrayView(bytes)));
  EXPECT_FALSE(EndsWithLineEnd(QStringView(u"a\nb")));
  EXPECT_EQ(LineTexts(u"a\r\nbc\rd"), (QList<QStringView>{u"a", u"bc", u"d"}));
}

TEST(TextLines, EveryLineEndMadeOneKind) {
  EXPECT_EQ(WithLineEnds(u"a\r\nb\rc\nd", u"\n"), "a\nb\nc\nd");
  EXPECT_EQ(WithLineEnds(u"\r\r\n\n", u"\r\n"), "\r\n\r\n\r\n");
  EXPECT_EQ(WithLineEnds(QStringView(u"x\0y\n", 4), u"\r"), QStringView(u"x\0y\r", 4).toString());
  EXPECT_EQ(WithLineEnds(u"", u"\n"), "");
}

// The walker keeps the next CR and LF it found; a naive walk character by
// character is the reference, over every mix of the three line-end kinds.
TEST(TextLines, TheWalkAgreesWithACharacterByCharacterWalk) {
  auto naive = [](const QByteArray& t) {
    QList<TextLine> out;
    for (qsizetype at = 0; at < t.size();) {
      qsizetype i = at;
      while (i < t.size() && t[i] != '\n' && t[i] != '\r') ++i;
      const qsizetype end = i == t.size() ? 0 : (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ? 2 : 1;
      out.append({at, i - at, end});
      at = i + end;
    }
    return out;
  };
  std::uint32_t seed = 12345;
  auto random = [&] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  for (int round = 0; round < 3000; ++round) {
    QByteArray t;
    const int n = int(random() % 24);
    for (int i = 0; i < n; ++i) t += "ab\r\n"[random() % 4];
    const QList<TextLine> want = naive(t);
    EXPECT_EQ(SplitLines(QByteArrayView(t)), want) << t.toStdString();
    EXPECT_EQ(SplitLines(QStringView(QString::fromLatin1(t))), want) << t.toStdString();
  }
}

}  // namespace
}  // namespace vendle
