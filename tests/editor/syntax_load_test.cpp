// Loading a data folder: which syntax files are read, deleted or skipped,
// the default syntax, and the keyword, hint and template files on disk.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "editor/syntax_load.h"
#include "platform/file_io.h"
#include "editor/syntax_print.h"
#include "editor/syntax_tkn.h"
#include "qt_print.h"

namespace vendle {
namespace {

const QString kFixture = QStringLiteral(VENDLE_TEST_DATA_DIR "/editor/fixtures/syntax/data");

class SyntaxLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folder_ = dir_.path() + "/";
  }
  // A copy of the fixture folder, since loading may delete files.
  void copyFixture() {
    QDir().mkpath(folder_ + "html2");
    for (const QString& rel : QDir(kFixture).entryList(QDir::Files))
      ASSERT_TRUE(QFile::copy(kFixture + "/" + rel, folder_ + rel)) << rel.toStdString();
    ASSERT_TRUE(QFile::copy(kFixture + "/html2/index.htm", folder_ + "html2/index.htm"));
  }
  void write(const QString& name, const QByteArray& bytes) {
    QFile f(folder_ + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QStringList names() const {
    QStringList out;
    for (const SyntaxEntry& e : data_.list) out.append(e.name);
    return out;
  }

  QTemporaryDir dir_;
  QString folder_;
  SyntaxData data_;
};

TEST_F(SyntaxLoad, ReadsTheSyntaxFilesInSortedOrder) {
  copyFixture();
  QDir().mkpath(folder_ + "folder.tkn");  // a folder is no syntax file
  SyntaxLoadOptions o;
  o.removeOldFiles = false;
  const SyntaxLoadReport r = LoadTokenFiles(folder_, o, data_);
  EXPECT_EQ(names(), QStringList({"ARMITE2", "ATTiny", "old_", "picomite", "picomiteweb", "Zeta"}));
  EXPECT_TRUE(r.deleted.isEmpty());
  ASSERT_NE(data_.currentEntry(), nullptr);
  EXPECT_EQ(data_.currentEntry()->name, "picomite");
  const SyntaxEntry& p = *data_.currentEntry();
  EXPECT_EQ(p.description, "PicoMite test dialect");
  EXPECT_EQ(p.keywords, " PRINT GOTO ");
  EXPECT_EQ(p.parameters, " DOUT ");
  EXPECT_EQ(p.multiWords, " LINE~INPUT ");
  EXPECT_EQ(data_.list.back().keywords, " ZETA ONE ");
  EXPECT_EQ(data_.userKeywords, "MySub LINE~IN");
  EXPECT_EQ(BuildActiveKeywords(&p, data_.userKeywords, {}), " PRINT GOTO MySub LINE~IN ");
  EXPECT_EQ(data_.atTinyKeywords, " PRINT PAUSE POKE GOTO GOSUB IF ");
  EXPECT_EQ(data_.atTinyAbbreviations, (std::vector<AtTinyAbbreviation>{
                                           {"PRINT", "P."}, {"PAUSE", "PA."}, {"POKE", "PO."}, {"GOTO", "G."},
                                           {"GOSUB", "GOS."}}));
}

TEST_F(SyntaxLoad, OldFilesAreDeletedOnlyWhenTheSettingIsOn) {
  copyFixture();
  SyntaxLoadOptions o;
  o.removeOldFiles = true;
  o.multiWord = false;
  o.allowUserKeywords = false;
  const SyntaxLoadReport r = LoadTokenFiles(folder_, o, data_);
  EXPECT_EQ(names(), QStringList({"ATTiny", "picomite", "Zeta"}));
  EXPECT_EQ(r.deleted.size(), 3);
  for (const char* gone : {"old_.tkn", "ARMITE2.tkn", "picomiteweb.tkn"})
    EXPECT_FALSE(QFile::exists(folder_ + gone)) << gone;
  EXPECT_TRUE(QFile::exists(folder_ + "picomite.tkn"));
  EXPECT_EQ(data_.userKeywords, "MySub");
  EXPECT_EQ(BuildActiveKeywords(data_.currentEntry(), data_.userKeywords, {false}), " PRINT GOTO ");
}

TEST_F(SyntaxLoad, AtMostFortyFilesAreLookedAtUserTknIncluded) {
  for (int i = 1; i <= 40; ++i) write(QString("d%1.tkn").arg(i, 2, 10, QChar('0')), "D\nW\n");
  write("user.tkn", "LATE\n");  // sorts 41st: never read
  LoadTokenFiles(folder_, {}, data_);
  EXPECT_EQ(data_.list.size(), 40u);
  EXPECT_EQ(data_.userKeywords, "");
  // "picomite" is not there: the last dialect is current.
  EXPECT_EQ(data_.current, 39);
}

TEST_F(SyntaxLoad, AnEmptyFolderLeavesNoDialectButUserKeywords) {
  LoadTokenFiles(folder_, {}, data_);
  EXPECT_TRUE(data_.list.empty());
  EXPECT_EQ(data_.current, -1);
  EXPECT_EQ(data_.currentEntry(), nullptr);
  EXPECT_EQ(BuildActiveKeywords(data_.currentEntry(), data_.userKeywords, {}), "");

  write("user.tkn", "MINE\n");
  LoadTokenFiles(folder_, {}, data_);
  EXPECT_EQ(data_.current, -1);
  EXPECT_EQ(BuildActiveKeywords(data_.currentEntry(), data_.userKeywords, {}), " MINE ");
  LoadTokenFiles(folder_ + "missing/", {}, data_);
  EXPECT_TRUE(data_.list.empty());
}

TEST_F(SyntaxLoad, AnUnreadableSyntaxFileIsSkipped) {
  write("a.tkn", "A\nAA\n");
  write("b.tkn", "B\nBB\n");
  ScopedFileFault fault({FileFault::Step::Read, folder_ + "a.tkn"});
  const SyntaxLoadReport r = LoadTokenFiles(folder_, {}, data_);
  EXPECT_EQ(names(), QStringList({"b"}));
  EXPECT_EQ(r.unreadable, QStringList({folder_ + "a.tkn"}));
}

TEST_F(SyntaxLoad, KeywordFilesFillTheTablesAndTheHintBits) {
  copyFixture();
  LoadTokenFiles(folder_, {}, data_);
  LoadKeywordHelpFiles(folder_, data_);
  // Six lines of kw_list.txt: rows 1 to 6, count 7.
  EXPECT_EQ(data_.help.count, 7);
  EXPECT_TRUE(data_.help.row(1).isEmpty());
  EXPECT_EQ(data_.help.row(2), (KeywordHelpRow{"PRINT", "print", "PRINT expression"}));
  EXPECT_TRUE(data_.help.row(3).isEmpty());
  EXPECT_EQ(data_.help.row(4), (KeywordHelpRow{"LEFT ", "left_str", "LEFT$(text$, n)"}));
  EXPECT_EQ(data_.help.row(5).keyword, "MALFORMED LINE WITHOUT TABS");
  // ANSI bytes: 0xC9 is É, 0x93 0x94 are curly quotes, 0x80 the euro sign.
  EXPECT_EQ(data_.help.row(6),
            (KeywordHelpRow{QString::fromUtf16(u"CAF\u00C9"), "cafe", QString::fromUtf16(u"\u201Cquoted\u201D \u20AC")}));

  ASSERT_EQ(data_.quickHints.size(), 3u);
  EXPECT_EQ(data_.quickHints[0], (QuickHint{1, "PRINT expression"}));
  EXPECT_EQ(data_.quickHints[1], (QuickHint{6, "POKE address, value"}));
  EXPECT_EQ(data_.quickHints[2], (QuickHint{0, "mask here"}));
  std::map<QString, std::uint64_t> masks;
  for (const SyntaxEntry& e : data_.list) masks[e.name] = e.hintMask;
  EXPECT_EQ(masks["picomite"], 1u);
  EXPECT_EQ(masks["Zeta"], 2u);
  EXPECT_EQ(masks["ATTiny"], 4u);
  EXPECT_EQ(masks["old_"], 0u);

  EXPECT_EQ(data_.guiElements, QStringList({"BOX startX, startY, width, height", "TEXT startX, startY, \"Label\""}));
  EXPECT_EQ(data_.helpIndexHead, "<html><frame src=\"");
  EXPECT_EQ(data_.helpIndexTail, "\"></html>\n");
}

TEST_F(SyntaxLoad, UserCsvDecidesTheRowCountUnlessItIsBlank) {
  copyFixture();
  struct Case {
    const char* label;
    QByteArray csv;
    int count;
    const char* row2;
  };
  const Case cases[] = {
      {"two lines replace rows 1 and 2", "ONE,one,\"ONE x\"\r\nTWO,two,TWO y\r\n", 3, "TWO"},
      {"an empty line keeps the row", "ONE,one,x\n\n", 3, "PRINT"},
      {"a blank file changes nothing", "\n  \n", 7, "PRINT"},
      {"an empty file changes nothing", "", 7, "PRINT"},
  };
  for (const Case& c : cases) {
    write("user.csv", c.csv);
    LoadKeywordHelpFiles(folder_, data_);
    EXPECT_EQ(data_.help.count, c.count) << c.label;
    EXPECT_EQ(data_.help.row(2).keyword, c.row2) << c.label;
  }
}

TEST_F(SyntaxLoad, MissingKeywordFilesLeaveEmptyTables) {
  LoadKeywordHelpFiles(folder_, data_);
  EXPECT_EQ(data_.help.count, 0);
  EXPECT_TRUE(data_.quickHints.empty());
  EXPECT_TRUE(data_.guiElements.isEmpty());
  EXPECT_TRUE(data_.helpIndexHead.isEmpty());
  // A binary file in place of a hint file: some hints, no crash.
  QByteArray junk;
  for (int i = 0; i < 512; ++i) junk.append(static_cast<char>((i * 37) & 0xFF));
  write("quick_hint.txt", junk);
  write("kw_list.txt", junk);
  LoadKeywordHelpFiles(folder_, data_);
  EXPECT_GT(data_.help.count, 0);
}

}  // namespace
}  // namespace vendle
