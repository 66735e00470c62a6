// Include merge on plain text, the files coming from a table of the test's
// own, and the lookup of include names on disk.
#include <gtest/gtest.h>

#include <QDir>
#include <QMap>
#include <QTemporaryDir>

#include "qt_print.h"
#include "test_files.h"
#include "tools/include_merge.h"

namespace vendle::test {
namespace {

using Files = QMap<QString, QString>;

// Files by exact name; the name is the key, so a name met again is a loop.
MergeResult Merge(const QString& text, const Files& files) {
  return MergeIncludeFiles(text, [&](const QString& name) -> std::optional<IncludedFile> {
    if (!files.contains(name)) return std::nullopt;
    return IncludedFile{name, files.value(name), {}};
  });
}

TEST(IncludeName, TheThreeMarkersInAnyCase) {
  struct Case {
    const char* line;
    std::optional<QString> name;
  } cases[] = {
      {"  '$include: \"lib.inc\"  ", QStringLiteral("lib.inc")},
      {"'#INCLUDE \"C:\\lib\\x.inc\"", QStringLiteral("C:\\lib\\x.inc")},
      {"#Include lib/x.inc", QStringLiteral("lib/x.inc")},
      {"#INCLUDE\"a b.inc\"", QStringLiteral("a b.inc")},
      {"#INCLUDE \"\"", std::nullopt},
      {"'#INCLUDE", std::nullopt},
      {"PRINT \"#INCLUDE x\"", std::nullopt},
      {"' #INCLUDE x", std::nullopt},
      {"#INCLUDE \"lib.inc\" ' the library", QStringLiteral("lib.inc")},
      {"'#INCLUDE \"a b.inc\"   ' why", QStringLiteral("a b.inc")},
      {"#INCLUDE \"open.inc", QStringLiteral("open.inc")},
  };
  for (const Case& c : cases) EXPECT_EQ(IncludeName(QString::fromUtf8(c.line)), c.name) << c.line;
}

struct MergeCase {
  const char* what;
  const char* text;
  Files files;
  const char* merged;
  int count;
  QStringList problems;
};

TEST(MergeIncludeFiles, Table) {
  const MergeCase cases[] = {
      {"nested includes in order",
       "A\r\n#INCLUDE \"a.inc\"\r\nB\r\n",
       {{"a.inc", "a1\r\n'#INCLUDE \"b.inc\"\r\na2\r\n"}, {"b.inc", "b1\n"}},
       "A\r\n'_'#INCLUDE \"a.inc\"\r\na1\r\n'_''#INCLUDE \"b.inc\"\r\nb1\n' END INCLUDE\na2\r\n' END INCLUDE\nB\r\n",
       2,
       {}},
      {"a missing file gives its line in the merged text",
       "'$INCLUDE: \"a.inc\"\nx = 1\n#include x.inc\n",
       {{"a.inc", "a1\na2\n"}},
       "'_''$INCLUDE: \"a.inc\"\na1\na2\n' END INCLUDE\nx = 1\n#include x.inc\n",
       1,
       {"Unable to find x.inc\non line 6"}},
      {"an empty file is neither merged nor counted",
       "#INCLUDE e.inc\nA\n",
       {{"e.inc", ""}},
       "#INCLUDE e.inc\nA\n",
       0,
       {}},
      {"a file without a final line end ends on the END INCLUDE line",
       "#INCLUDE f.inc\nA\n",
       {{"f.inc", "f1\nf2"}},
       "'_'#INCLUDE f.inc\nf1\nf2' END INCLUDE\nA\n",
       1,
       {}},
      {"an include on the last line gets its text after it",
       "A\n#INCLUDE a.inc",
       {{"a.inc", "a1\n"}},
       "A\n'_'#INCLUDE a.inc\na1\n' END INCLUDE\n",
       1,
       {}},
      {"an include on a file's last line too",
       "#INCLUDE a.inc\n",
       {{"a.inc", "a1\n#INCLUDE b.inc"}, {"b.inc", "b1\n"}},
       "'_'#INCLUDE a.inc\na1\n'_'#INCLUDE b.inc\nb1\n' END INCLUDE\n' END INCLUDE\n",
       2,
       {}},
      {"a file that includes itself",
       "#INCLUDE s.inc\nA\n",
       {{"s.inc", "s1\n#INCLUDE s.inc\n"}},
       "'_'#INCLUDE s.inc\ns1\n#INCLUDE s.inc\n' END INCLUDE\nA\n",
       1,
       {"Include loop: s.inc\non line 3"}},
      {"two files that include each other",
       "#INCLUDE a.inc\n",
       {{"a.inc", "#INCLUDE b.inc\n"}, {"b.inc", "#INCLUDE a.inc\n"}},
       "'_'#INCLUDE a.inc\n'_'#INCLUDE b.inc\n#INCLUDE a.inc\n' END INCLUDE\n' END INCLUDE\n",
       2,
       {"Include loop: a.inc\non line 3"}},
      {"the same file twice without a loop is merged twice",
       "#INCLUDE a.inc\n#INCLUDE a.inc\n",
       {{"a.inc", "a1\n"}},
       "'_'#INCLUDE a.inc\na1\n' END INCLUDE\n'_'#INCLUDE a.inc\na1\n' END INCLUDE\n",
       2,
       {}},
      {"no include at all", "A\nB", {}, "A\nB", 0, {}},
      {"the empty text", "", {}, "", 0, {}},
  };
  for (const MergeCase& c : cases) {
    const MergeResult r = Merge(QString::fromUtf8(c.text), c.files);
    EXPECT_EQ(r.text, QString::fromUtf8(c.merged)) << c.what;
    EXPECT_EQ(r.files, c.count) << c.what;
    EXPECT_EQ(r.problems, c.problems) << c.what;
  }
}

TEST(MergeIncludeFiles, IncludesNestSixteenDeep) {
  // f1 includes f2 ... f16 includes f17: f17 would be the seventeenth level.
  Files files;
  for (int n = 1; n <= 17; ++n) files.insert(QStringLiteral("f%1").arg(n), QStringLiteral("#INCLUDE f%1\n").arg(n + 1));
  const MergeResult r = Merge(QStringLiteral("#INCLUDE f1\n"), files);
  EXPECT_EQ(r.files, kMaxIncludeDepth);
  EXPECT_EQ(r.problems, QStringList{"Include loop: f17\non line 17"});
  EXPECT_EQ(r.text.count(u"' END INCLUDE"), 16);
  EXPECT_TRUE(r.text.contains(u"'_'#INCLUDE f16\n#INCLUDE f17\n' END INCLUDE\n")) << r.text.toStdString();
}

// Each bound stops the whole merge, with no text and no problems left over.
TEST(MergeIncludeFiles, BoundsStopTheMergeAndSayWhich) {
  Files files{{"big", QString(600, u'x') + "\n"}, {"small", "A = 1\n#INCLUDE gone\n"}};
  const auto merge = [&](const QString& text, MergeLimits limits) {
    return MergeIncludeFiles(text, [&](const QString& name) -> std::optional<IncludedFile> {
      if (!files.contains(name)) return std::nullopt;
      return IncludedFile{name, files.value(name), {}};
    }, limits);
  };
  const struct {
    const char* what;
    QString text;
    MergeLimits limits;
    QString stopped;
  } cases[] = {
      {"within both", "#INCLUDE big\n#INCLUDE small\n", {2000, 2}, ""},
      {"the size", "#INCLUDE big\n#INCLUDE big\n", {1000, 10},
       "The merged program would be larger than 0 MB.\nNothing was merged."},
      {"the count", "#INCLUDE small\n#INCLUDE small\n#INCLUDE small\n", {1000, 2},
       "More than 2 files would be included.\nNothing was merged."},
      // "'_'#INCLUDE big\n", the file's 601 and "' END INCLUDE\n": 631 in all.
      {"the size to the character", "#INCLUDE big\n", {631, 10}, ""},
      {"the size by the end line", "#INCLUDE big\n", {630, 10},
       "The merged program would be larger than 0 MB.\nNothing was merged."},
  };
  for (const auto& c : cases) {
    const MergeResult r = merge(c.text, c.limits);
    EXPECT_EQ(r.stopped, c.stopped) << c.what;
    if (c.stopped.isEmpty()) {
      EXPECT_LE(r.text.size(), c.limits.characters) << c.what;
      continue;
    }
    EXPECT_TRUE(r.text.isEmpty()) << c.what;
    EXPECT_TRUE(r.problems.isEmpty()) << c.what;
  }
  const MergeResult refused = MergeIncludeFiles(u"#INCLUDE p\n", [](const QString& name) -> std::optional<IncludedFile> {
    return IncludedFile{name, {}, "It is a pipe (FIFO), not a file."};
  });
  EXPECT_EQ(refused.problems, QStringList{"Cannot include p: It is a pipe (FIFO), not a file.\non line 1"});
  EXPECT_EQ(refused.text, "#INCLUDE p\n");
}

TEST(MergeReportOf, CountsTheFiles) {
  EXPECT_EQ(MergeReportOf(0).title, "Oops!");
  EXPECT_EQ(MergeReportOf(0).text, "No files included");
  EXPECT_EQ(MergeReportOf(1).title, "Done!");
  EXPECT_EQ(MergeReportOf(1).text, "1 file included");
  EXPECT_EQ(MergeReportOf(3).title, "Done!");
  EXPECT_EQ(MergeReportOf(3).text, "3 files included");
}

TEST(FindIncludeFile, FolderThenLetterCaseThenAbsolute) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString root = dir.path() + "/";
  ASSERT_TRUE(QDir(root).mkpath("Lib/Sub"));
  ASSERT_TRUE(QDir(root).mkpath("folder.inc"));
  WriteFile(root + "Lib/Sub/Util.INC", "x\n");
  WriteFile(root + "a.inc", "a\n");
  WriteFile(root + "A.INC", "A\n");
  struct Case {
    const char* name;
    QString found;
  } cases[] = {
      {"a.inc", root + "a.inc"},
      {"A.INC", root + "A.INC"},
      {"Lib\\Sub\\Util.INC", root + "Lib/Sub/Util.INC"},
      {"lib/sub/util.inc", root + "Lib/Sub/Util.INC"},
      {"LIB\\SUB\\UTIL.inc", root + "Lib/Sub/Util.INC"},
      {"./lib/../Lib/sub/util.inc", root + "./Lib/../Lib/Sub/Util.INC"},
      {"missing.inc", ""},
      {"lib/missing.inc", ""},
      {"folder.inc", ""},
      {"C:\\lib\\a.inc", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FindIncludeFile(root, QString::fromUtf8(c.name)), c.found) << c.name;
  EXPECT_EQ(FindIncludeFile("/nowhere/", root + "a.inc"), root + "a.inc") << "an absolute name as given";
  EXPECT_EQ(FindIncludeFile(root, root + "lib/Sub/Util.INC"), "") << "an absolute name is taken as written";
}

}  // namespace
}  // namespace vendle::test
