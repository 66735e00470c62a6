// "Maximum number of tabs" decides how many documents can be open at once,
// above and below the default of 15.
#include <gtest/gtest.h>

#include "app_driver.h"
#include "documents/ui/document_commands.h"

namespace vendle::test {
namespace {

TEST(TabLimit, TheSettingDecidesHowManyDocumentsOpen) {
  for (int limit : {5, 15, 30}) {
    SCOPED_TRACE(limit);
    DriverOptions o;
    o.preferences = WithSetting("", "Misc Preferences", "Maximum number of tabs", QString::number(limit));
    AppDriver d(o);
    for (int i = 0; i < limit + 3; ++i) NewDocument(d.app());
    EXPECT_EQ(d.app().state().docs.list.size(), limit);
    d.requesters().clear();
  }
}

}  // namespace
}  // namespace vendle::test
