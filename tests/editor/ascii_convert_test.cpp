#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "editor/ascii_convert.h"
#include "ascii_table.h"
#include "qt_print.h"

namespace vendle {
namespace {

using test::AsciiRow;
using test::AsciiTable;

TEST(ConvertToAscii, EveryTableEntryGivesItsReplacement) {
  for (const AsciiRow& r : AsciiTable())
    for (char16_t c : r.codes)
      EXPECT_EQ(ConvertToAscii(QString(QChar(c))), QString::fromLatin1(r.ascii)) << "code " << int(c);
}

TEST(ConvertToAscii, EveryOtherCodeFrom128UpBecomesAQuestionMark) {
  std::set<char16_t> listed;
  for (const AsciiRow& r : AsciiTable()) listed.insert(r.codes.begin(), r.codes.end());
  int wrong = 0;
  for (int c = 128; c <= 0xFFFF; ++c) {
    if (listed.count(static_cast<char16_t>(c))) continue;
    if (ConvertToAscii(QString(QChar(static_cast<char16_t>(c)))) != u"?" && ++wrong <= 5)
      ADD_FAILURE() << "code " << c << " gives " << ConvertToAscii(QString(QChar(static_cast<char16_t>(c)))).toStdString();
  }
  EXPECT_EQ(wrong, 0);
}

TEST(ConvertToAscii, AsciiStaysAndMixedTextIsConvertedInPlace) {
  QString ascii;
  for (int c = 0; c < 128; ++c) ascii.append(QChar(c));  // NUL and the controls included
  EXPECT_EQ(ConvertToAscii(ascii), ascii);

  struct Case {
    QString in;
    QString out;
  };
  const Case cases[] = {
      {QString::fromUtf8("PRINT \u201CHello\u201D"), "PRINT \"Hello\""},
      {QString::fromUtf8("T = 25\u00B0C \u00D7 2"), "T = 25`C ? 2"},
      {QString::fromUtf8("R = 4k7\u2126 \u00B15%"), "R = 4k7ohm +-5%"},
      {QString::fromUtf8("\u20AC9 \u2013 it\u2019s"), "euro9 - it's"},
      {QString::fromUtf8("\U0001F600!"), "?" "?!"},  // a surrogate pair: two units
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ConvertToAscii(c.in), c.out) << c.in.toStdString();
}

}  // namespace
}  // namespace vendle
