#include <gtest/gtest.h>

#include "settings/settings.h"
#include "shell/startup.h"

namespace vendle {
namespace {

using enum StartStep;

TEST(Startup, CommandLineFilesAreJoinedByLineFeeds) {
  EXPECT_EQ(JoinCommandLineFiles({"a.bas", "b.bas"}), "a.bas\nb.bas");
  EXPECT_EQ(JoinCommandLineFiles({}), "");
}

TEST(Startup, HandOverFilesAreAbsoluteAndLineBreaksAreSkipped) {
  QStringList skipped;
  EXPECT_EQ(HandOverFiles({"a.bas", "sub/b.bas", "/abs/c.bas", "bad\nname", "bad\rname"}, "/work", &skipped),
            (QStringList{"/work/a.bas", "/work/sub/b.bas", "/abs/c.bas"}));
  EXPECT_EQ(skipped, (QStringList{"bad\nname", "bad\rname"}));
}

TEST(Startup, FirstDocumentsForEveryCombination) {
  struct Case {
    bool files;
    bool restore;
    int blank;
    int fileCount;
    std::vector<StartStep> plan;
  };
  const Case cases[] = {
      // Command-line files: the previous documents first when they are restored.
      {true, true, 0, 0, {PreviousFiles, CommandLineFiles}},
      {true, true, 1, 3, {PreviousFiles, CommandLineFiles}},
      {true, false, 0, 3, {CommandLineFiles}},
      {true, false, 1, 0, {CommandLineFiles}},
      // No files: a blank file wins, else the previous documents when there were any.
      {false, true, 1, 3, {NewDocument}},
      {false, false, 1, 0, {NewDocument}},
      {false, true, 0, 3, {PreviousFiles}},
      {false, false, 0, 3, {PreviousFiles}},
      {false, true, 0, 0, {NewDocument}},
      {false, false, 0, 0, {NewDocument}},
      {false, false, 2, 0, {NewDocument}},  // only 1 means "open blank"
      {false, false, 2, 1, {PreviousFiles}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlanFirstDocuments(c.files, c.restore, c.blank, c.fileCount), c.plan)
        << c.files << c.restore << c.blank << c.fileCount;
}

TEST(Startup, ChangeLogOpensOnlyWhenNewer) {
  EXPECT_FALSE(DecideChangeLog(1000, 1000).open) << "an equal date opens nothing";
  EXPECT_FALSE(DecideChangeLog(1000, 999).open);
  EXPECT_FALSE(DecideChangeLog(1000, std::nullopt).open) << "a missing file opens nothing";
  const ChangeLogDecision d = DecideChangeLog(1, 1700000000);
  EXPECT_TRUE(d.open);
  EXPECT_EQ(d.stored, 1700000000);
}

TEST(Startup, BuildDates) {
  Settings s;
  s.buildDate = "2024/01/01 10:00:00";
  UpdateBuildDates(s, "2026/12/10 09:00:00");
  EXPECT_EQ(s.lastBuildDate, "2024/01/01 10:00:00");
  EXPECT_EQ(s.buildDate, "2026/12/10 09:00:00");
  UpdateBuildDates(s, "2026/12/10 09:00:00");
  EXPECT_EQ(s.lastBuildDate, "2024/01/01 10:00:00") << "the same build changes nothing";
}

TEST(Startup, RecentLabelsAndExternalReferences) {
  const QString p80 = QString(80, 'x');
  const QString p81 = "0123456789" + QString(6, 'm') + QString(65, 'e');
  EXPECT_EQ(RecentLabelAtStartup(p80), p80);
  EXPECT_EQ(RecentLabelAtStartup(p81), "0123456789 ... " + QString(65, 'e'));
  EXPECT_EQ(RecentLabel(p81), "0123456789..." + QString(65, 'e'));
  EXPECT_EQ(RecentLabelAtStartup(p81).size(), 80);
  EXPECT_EQ(RecentEntryPath("/a/b.bas|12|0||picomite|"), "/a/b.bas");

  EXPECT_FALSE(ExternalReferenceLabel("External Reference 3"));
  EXPECT_EQ(ExternalReferenceLabel("/docs/manual.pdf"), "manual.pdf");
  EXPECT_EQ(ExternalReferenceLabel("https://example.org/"), "https://example.org/");
}

}  // namespace
}  // namespace vendle
