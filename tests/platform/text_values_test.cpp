#include <gtest/gtest.h>

#include <QString>

#include "platform/text_values.h"

namespace vendle {
namespace {

TEST(TextValues, AtolAndVal) {
  struct Case {
    const char* text;
    qint64 atol;
    qint64 val;
  };
  const Case cases[] = {
      {"42", 42, 42},         {"  \t-7x", -7, -7},    {"+3", 3, 3},          {"", 0, 0},
      {"abc", 0, 0},          {"$FF0000", 0, 0xFF0000}, {"$ff", 0, 255},     {"%101", 0, 5},
      {"-$10", 0, -16},       {"12.5", 12, 12},       {"$", 0, 0},           {"%2", 0, 0},
      {"99999999999999999999", 9223372036854775807LL, 9223372036854775807LL},
      {"-99999999999999999999", -9223372036854775807LL - 1, -9223372036854775807LL - 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseAtol(QString::fromLatin1(c.text)), c.atol) << c.text;
    EXPECT_EQ(ParseVal(QString::fromLatin1(c.text)), c.val) << c.text;
  }
}

}  // namespace
}  // namespace vendle
