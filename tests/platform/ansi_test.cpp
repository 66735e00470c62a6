#include <gtest/gtest.h>

#include "platform/ansi.h"

namespace vendle {
namespace {

TEST(Ansi, EveryByteRoundTrips) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  const QString text = DecodeAnsi(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(EncodeAnsi(text), all);
}

TEST(Ansi, DecodesTheWindows1252Block) {
  struct Case {
    unsigned char byte;
    char16_t expected;
  };
  const Case cases[] = {
      {0x80, u'\u20AC'}, {0x85, u'\u2026'}, {0x91, u'\u2018'}, {0x93, u'\u201C'}, {0x94, u'\u201D'},
      {0x96, u'\u2013'}, {0x9F, u'\u0178'}, {0x81, u'\u0081'}, {0x9D, u'\u009D'}, {0xE9, u'\u00E9'},
      {0x00, u'\0'},     {0x41, u'A'},
  };
  for (const Case& c : cases) {
    const QString s = DecodeAnsi(QByteArray(1, static_cast<char>(c.byte)));
    EXPECT_EQ(s.at(0).unicode(), c.expected) << "byte " << int(c.byte);
  }
}

TEST(Ansi, UnmappableCharactersBecomeQuestionMarksAndAreNamedOnce) {
  QString bad;
  // U+0080 is a C1 control that 1252 stores as the euro sign's byte: not storable.
  const QString text = QString::fromUtf16(u"a\u4E2D\u0080b\u4E2D") + QString::fromUcs4(U"\U0001F600");
  EXPECT_EQ(EncodeAnsi(text, &bad), QByteArray("a??b??"));
  EXPECT_EQ(bad, QString::fromUtf16(u"\u4E2D\u0080") + QString::fromUcs4(U"\U0001F600"));
  EXPECT_FALSE(IsAnsiEncodable(text));
  EXPECT_TRUE(IsAnsiEncodable(QString::fromUtf16(u"\u20AC caf\u00E9")));
}

}  // namespace
}  // namespace vendle
