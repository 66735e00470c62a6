#include <gtest/gtest.h>

#include "platform/requesters.h"

namespace vendle {
namespace {

TEST(Requesters, PatternListsBecomeQtFilters) {
  struct Case {
    const char* patterns;
    QStringList expected;
  };
  const Case cases[] = {
      {"Basic (*.bas)|*.bas|All files (*.*)|*.*", {"Basic (*.bas)", "All files (*)"}},
      {"Basic (*.bas *.inc)|*.bas;*.inc|Text (*.txt)|*.txt", {"Basic (*.bas *.inc)", "Text (*.txt)"}},
      {"*.*", {"*"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ConvertPatternList(c.patterns), c.expected) << c.patterns;
}

}  // namespace
}  // namespace vendle
