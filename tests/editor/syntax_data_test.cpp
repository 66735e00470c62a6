// The default data files shipped inside the program: they seed a data
// folder, load, and agree with the MMBasic keyword facts and with each other.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <map>

#include "app_driver.h"
#include "editor/syntax_help.h"
#include "editor/syntax_load.h"
#include "editor/syntax_print.h"
#include "editor/syntax_tkn.h"
#include "platform/folders.h"
#include "qt_print.h"
#include "settings/settings.h"

namespace vendle {
namespace {

const QString kFacts = QStringLiteral(VENDLE_TEST_DATA_DIR "/editor/fixtures/syntax/mmbasic-keywords.tsv");

// One name of the keyword facts.
struct Fact {
  QString name;  // upper case, "(" dropped, a leading "_" written "."
  QString kind;
  QString variants;
  QString note;
};

std::vector<Fact> ReadFacts() {
  QFile f(kFacts);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << kFacts.toStdString();
  std::vector<Fact> facts;
  bool heading = true;
  for (const QByteArray& raw : f.readAll().split('\n')) {
    if (heading || raw.isEmpty()) {
      heading = false;
      continue;
    }
    const QList<QByteArray> cols = raw.split('\t');
    if (cols.size() < 4) continue;
    QString name = QString::fromUtf8(cols[0]).toUpper();
    if (name.endsWith('(')) name.chop(1);
    if (name.startsWith('_')) name[0] = '.';
    facts.push_back({name, QString::fromUtf8(cols[1]), QString::fromUtf8(cols[2]), QString::fromUtf8(cols[3])});
  }
  return facts;
}

QSet<QString> WordSet(const QString& list) {
  QSet<QString> out;
  for (const QString& w : list.split(' ', Qt::SkipEmptyParts)) out.insert(w);
  return out;
}

class ShippedData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    ASSERT_TRUE(SeedDataFolder(dir_->path() + "/", ":/defaults"));
    data_ = new SyntaxData;
    SyntaxLoadOptions o;
    o.removeOldFiles = true;
    LoadTokenFiles(dir_->path() + "/", o, *data_);
    LoadKeywordHelpFiles(dir_->path() + "/", *data_);
  }
  static void TearDownTestSuite() {
    delete data_;
    delete dir_;
  }
  static const SyntaxEntry& entry(const char* name) {
    const int i = FindSyntaxIndex(data_->list, QString(name));
    EXPECT_GE(i, 0);
    return data_->list.at(std::max(i, 0));
  }
  // Every word, parameter and multi-word phrase (with blanks) of a dialect.
  static QSet<QString> AllWords(const SyntaxEntry& e) {
    QSet<QString> s = WordSet(e.keywords) | WordSet(e.parameters);
    for (const QString& m : WordSet(e.multiWords)) s.insert(QString(m).replace('~', ' '));
    return s;
  }
  static QString dataPath(const char* name) { return dir_->path() + "/" + name; }

  static QTemporaryDir* dir_;
  static SyntaxData* data_;
};
QTemporaryDir* ShippedData::dir_ = nullptr;
SyntaxData* ShippedData::data_ = nullptr;

TEST_F(ShippedData, ThreeDialectsLoadAndPicomiteIsTheDefault) {
  QStringList names;
  for (const SyntaxEntry& e : data_->list) names.append(e.name);
  EXPECT_EQ(names, QStringList({"ARMmite", "ATTiny", "picomite"}));
  EXPECT_EQ(SyntaxMenuIndices(data_->list), (std::vector<int>{0, 1, 2}));
  const int pico = FindSyntaxIndex(data_->list, u"picomite");
  ASSERT_EQ(pico, 2);
  EXPECT_EQ(data_->list[pico].name, "picomite");
  EXPECT_EQ(data_->current, pico);
  EXPECT_EQ(BuildActiveKeywords(data_->currentEntry(), data_->userKeywords, {}), data_->list[pico].keywords);  // user.tkn is empty
  for (const SyntaxEntry& e : data_->list) {
    EXPECT_FALSE(e.description.isEmpty()) << e;
    EXPECT_GT(WordSet(e.keywords).size(), 30) << e;
  }
  for (const char* n : {"picomite", "ARMmite"}) {
    EXPECT_GT(WordSet(entry(n).parameters).size(), 50) << n;
    EXPECT_GT(WordSet(entry(n).multiWords).size(), 30) << n;
  }
  EXPECT_TRUE(entry("ATTiny").parameters.isEmpty());
  EXPECT_EQ(data_->userKeywords, "");
}

TEST_F(ShippedData, AtTinyKeywordsAbbreviateAsTheDialectExpects) {
  EXPECT_EQ(data_->atTinyKeywords, entry("ATTiny").keywords);
  std::map<QString, QString> abbr;
  for (const AtTinyAbbreviation& a : data_->atTinyAbbreviations) abbr[a.keyword] = a.abbreviation;
  struct Case {
    const char* keyword;
    const char* abbreviation;  // "" for none
  };
  // PRINT must be P., which crunching turns into "?".
  const Case cases[] = {{"PRINT", "P."}, {"GOTO", "G."},     {"GOSUB", "GOS."}, {"RETURN", "R."},
                        {"PAUSE", "PA."}, {"RESTORE", "RES."}, {"REM", ""},       {"IF", ""},
                        {"END", ""},      {"PIN", ""}};
  for (const Case& c : cases) EXPECT_EQ(abbr[c.keyword], c.abbreviation) << c.keyword;
  // Every abbreviation leads back to its keyword: the first keyword starting with the prefix.
  const QStringList words = data_->atTinyKeywords.split(' ', Qt::SkipEmptyParts);
  for (const AtTinyAbbreviation& a : data_->atTinyAbbreviations) {
    const QString prefix = a.abbreviation.chopped(1);
    const auto first = std::find_if(words.begin(), words.end(),
                                    [&](const QString& w) { return w.startsWith(prefix, Qt::CaseInsensitive); });
    ASSERT_NE(first, words.end());
    EXPECT_EQ(*first, a.keyword) << a;
  }
}

TEST_F(ShippedData, EveryHelpRowHasAPageAndASyntaxLine) {
  const KeywordHelpTable& t = data_->help;
  ASSERT_GT(t.count, 300);
  ASSERT_LT(t.count, KeywordHelpTable::kRows);
  EXPECT_TRUE(t.row(1).isEmpty());  // the heading line
  const QRegularExpression safePage("^[a-z0-9_]+$");
  QSet<QString> keys;
  for (int r = 2; r < t.count; ++r) {
    const KeywordHelpRow& row = t.row(r);
    EXPECT_FALSE(row.keyword.trimmed().isEmpty()) << "row " << r;
    EXPECT_TRUE(safePage.match(row.helpPage).hasMatch()) << row;
    EXPECT_FALSE(row.syntaxLine.trimmed().isEmpty()) << row;
    EXPECT_FALSE(keys.contains(row.keyword.trimmed())) << "two rows for " << row;
    keys.insert(row.keyword.trimmed());
  }
  EXPECT_TRUE(t.row(t.count).isEmpty());  // nothing after the last line
}

TEST_F(ShippedData, EveryDialectWordFindsItsHelpRow) {
  // The help lookup's first phase: the row whose keyword + two blanks begins
  // with the normalised word + one blank, searched from row 1.
  auto findRow = [](const QString& word) {
    const QString key = NormaliseHelpKeyword(word).trimmed() + ' ';
    for (int r = 1; r <= data_->help.count; ++r)
      if ((data_->help.row(r).keyword + "  ").startsWith(key, Qt::CaseInsensitive)) return r;
    return 0;
  };
  for (const SyntaxEntry& e : data_->list) {
    QSet<QString> words = WordSet(e.keywords);
    for (const QString& m : WordSet(e.multiWords)) words.insert(QString(m).replace('~', ' '));
    for (const QString& w : words) EXPECT_GT(findRow(w), 0) << e.name.toStdString() << ": " << w.toStdString();
  }
  // The plain keyword comes before its longer phrases.
  for (const char* w : {"END", "LINE", "OPTION", "CASE", "EXIT", "ELSE"})
    EXPECT_EQ(data_->help.row(findRow(w)).keyword, w) << w;
}

TEST_F(ShippedData, PicomiteWordsAgreeWithTheKeywordFacts) {
  const std::vector<Fact> facts = ReadFacts();
  ASSERT_GT(facts.size(), 900u);
  const SyntaxEntry& pico = entry("picomite");
  const QSet<QString> keywords = WordSet(pico.keywords);
  const QSet<QString> multi = WordSet(pico.multiWords);
  // Internal forms, comment markers and symbols are no words of the editor.
  const QSet<QString> notWords = {"SCHANGE$", "TOPBOTTOM", "~", "@", "/*", "*/", "=<", "=>"};
  QSet<QString> factWords;
  for (const Fact& f : facts) {
    for (const QString& w : f.name.split(' ')) factWords.insert(w);
    const bool symbol = !f.name.at(0).isLetterOrNumber() && f.name.at(0) != '.' && f.name != "?";
    if (f.kind == "word" || symbol || notWords.contains(f.name)) continue;
    if (f.name.contains(' '))
      EXPECT_TRUE(multi.contains(QString(f.name).replace(' ', '~'))) << f.name.toStdString();
    else
      EXPECT_TRUE(keywords.contains(f.name)) << f.kind.toStdString() << " " << f.name.toStdString();
  }
  for (const Fact& f : facts)
    if (f.kind == "word" && (f.note.startsWith("token-table keyword") || f.name.startsWith("MM."))) {
      EXPECT_TRUE(keywords.contains(f.name)) << f.name.toStdString();
    }
  // Every word of the words after commands is a line of its own (a keyword or
  // a parameter): a phrase's words are coloured one by one wherever they stand.
  // A number in a phrase ("CREATE 2") is coloured as a number.
  const QSet<QString> lines = keywords | WordSet(pico.parameters);
  // Deliberately left out, each with its reason.
  const std::map<QString, const char*> leftOut = {
      {"X", "TURTLE's SET X: SETX is a line, and X alone is the commonest variable name"},
      {"Y", "TURTLE's SET Y: SETY is a line, and Y alone is the commonest variable name"},
      {"XY", "TURTLE's SET XY: SETXY is a line, and XY alone is far more often a variable"},
  };
  for (const Fact& f : facts) {
    if (f.kind != "word") continue;
    for (const QString& part : f.name.split(' ')) {
      bool number = false;
      part.toInt(&number);
      if (leftOut.count(part)) {
        EXPECT_FALSE(lines.contains(part)) << part.toStdString() << " is left out: " << leftOut.at(part);
        continue;
      }
      EXPECT_TRUE(number || lines.contains(part)) << part.toStdString() << " of " << f.name.toStdString() << ", "
                                                  << f.note.toStdString();
    }
  }
  // The loader's directives: no table of the interpreter has them.
  const QSet<QString> loaderDirectives = {"#INCLUDE", "#DEFINE"};
  for (const QString& d : loaderDirectives) EXPECT_TRUE(keywords.contains(d)) << d.toStdString();
  // Nothing made up: every word of every section is a word of the facts, but
  // for the type names of declarations (read by DIM and LOCAL themselves) and
  // the loader's directives.
  const QSet<QString> typeNames = {"INTEGER", "FLOAT", "STRING"};
  for (const SyntaxEntry& e : data_->list)
    for (const QString& w : WordSet(e.keywords) | WordSet(e.parameters) | WordSet(e.multiWords))
      for (const QString& part : w.split('~'))
        EXPECT_TRUE(factWords.contains(part) || typeNames.contains(part) || loaderDirectives.contains(part))
            << e.name.toStdString() << ": " << part.toStdString();
}

// The commands that every build has bring their words to ARMmite too; words
// of PIO, and of commands ARMmite lacks, stay out.
TEST_F(ShippedData, ArmmiteHasTheWordsOfItsCommands) {
  const SyntaxEntry& arm = entry("ARMmite");
  const QSet<QString> keywords = WordSet(arm.keywords);
  const QSet<QString> lines = keywords | WordSet(arm.parameters);
  // The keywords with a help page, as the pages name them ("LEFT$", not "LEFT").
  QSet<QString> helpRows;
  QFile kwList(dataPath("kw_list.txt"));
  ASSERT_TRUE(kwList.open(QIODevice::ReadOnly));
  for (const QByteArray& line : kwList.readAll().split('\n')) {
    QString k = QString::fromLatin1(line.split('\t').value(0)).trimmed().toUpper();
    if (k.endsWith('(')) k.chop(1);
    helpRows.insert(k);
  }
  int checked = 0;
  for (const Fact& f : ReadFacts()) {
    if (f.kind != "word" || f.variants != "all" || !f.note.startsWith("after ")) continue;
    bool ownCommand = false;
    for (const QString& after : f.note.mid(6).section(';', 0, 0).split(',')) {
      const QString command = after.trimmed().section(' ', 0, 0);
      ownCommand = ownCommand || (command != "PIO" && keywords.contains(command));
    }
    if (!ownCommand) continue;
    ++checked;
    for (const QString& part : f.name.split(' ')) {
      // The name of a command ARMmite lacks (FRAMEBUFFER WAIT, the PIO WAIT):
      // its help page would name ARMmite for that command.
      if (helpRows.contains(part) && !keywords.contains(part)) continue;
      EXPECT_TRUE(lines.contains(part)) << part.toStdString() << " of " << f.name.toStdString() << ", "
                                        << f.note.toStdString();
    }
  }
  for (const SyntaxEntry& e : data_->list)
    for (const QString& w : WordSet(e.parameters))
      EXPECT_FALSE(helpRows.contains(w) && !WordSet(e.keywords).contains(w))
          << e.name.toStdString() << ": " << w.toStdString() << " is a command of another dialect";
  EXPECT_GT(checked, 100);
  for (const char* w : {"DEFAULT", "BASE", "EXPLICIT"}) EXPECT_TRUE(lines.contains(w)) << w;
  EXPECT_FALSE(lines.contains("ASSEMBLE")) << "a word of PIO";
  EXPECT_FALSE(lines.contains("PENUP")) << "a word of TURTLE, which not every build has";
}

TEST_F(ShippedData, SmallerDialectsAreSubsetsOfPicomite) {
  const std::vector<Fact> facts = ReadFacts();
  const QSet<QString> pico = AllWords(entry("picomite"));
  QSet<QString> everyBuild;  // names every PicoMite build has
  for (const Fact& f : facts)
    if (f.variants == "all") everyBuild.insert(f.name);
  for (const char* d : {"ARMmite", "ATTiny"})
    for (const QString& w : AllWords(entry(d))) EXPECT_TRUE(pico.contains(w)) << d << ": " << w.toStdString();
  for (const QString& w : WordSet(entry("ARMmite").keywords)) {
    const bool firstOfPhrase = std::any_of(everyBuild.begin(), everyBuild.end(),
                                           [&](const QString& n) { return n.startsWith(w + ' '); });
    EXPECT_TRUE(everyBuild.contains(w) || firstOfPhrase) << w.toStdString();
  }
  EXPECT_FALSE(WordSet(entry("ARMmite").keywords).contains("PIO"));
}

TEST_F(ShippedData, HintsBelongToTheDialectsTheirMaskNames) {
  EXPECT_EQ(entry("picomite").hintMask, 1u);
  EXPECT_EQ(entry("ARMmite").hintMask, 2u);
  EXPECT_EQ(entry("ATTiny").hintMask, 4u);
  ASSERT_GT(data_->quickHints.size(), 300u);
  const SyntaxEntry* byBit[3] = {&entry("picomite"), &entry("ARMmite"), &entry("ATTiny")};
  for (const QuickHint& h : data_->quickHints) {
    EXPECT_TRUE(h.mask > 0 && h.mask < 8) << h;
    const QString first = h.text.section(QRegularExpression("[ (]"), 0, 0).toUpper();
    for (int bit = 0; bit < 3; ++bit) {
      if (!(h.mask & (1u << bit))) continue;
      const SyntaxEntry& e = *byBit[bit];
      const bool known = WordSet(e.keywords).contains(first) || WordSet(e.parameters).contains(first);
      EXPECT_TRUE(known) << e.name.toStdString() << ": " << h;
    }
  }
}

TEST_F(ShippedData, GuiElementsAreElementLinesOfTheDesigner) {
  ASSERT_GE(data_->guiElements.size(), 10);
  const QString designWords = ' ' + Settings().guiDesignWords + ' ';
  for (const QString& line : data_->guiElements) {
    const QString start = ' ' + line.left(4).toUpper();
    EXPECT_TRUE(designWords.contains(start)) << line.toStdString();
    EXPECT_TRUE(line.contains("startX") || line.contains("centerX")) << line.toStdString();
  }
}

TEST_F(ShippedData, FilesArePlainAscii) {
  // Then the UTF-8 and ANSI readers see the same text.
  for (const char* f : {"picomite.tkn", "ARMmite.tkn", "ATTiny.tkn", "kw_list.txt", "quick_hint.txt",
                        "gui_elements.txt", "user.tkn", "user.csv"}) {
    QFile file(dataPath(f));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << f;
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > 0 && c < 0x7F; })) << f;
  }
}

TEST(ShippedDataAtStart, TheApplicationLoadsTheSeededFiles) {
  test::AppDriver d;
  const SyntaxData& s = d.app().state().syntax;
  ASSERT_EQ(s.list.size(), 3u);
  ASSERT_NE(s.currentEntry(), nullptr);
  EXPECT_EQ(s.currentEntry()->name, "picomite");
  EXPECT_EQ(d.app().settings().currentSyntaxName, "picomite");
  EXPECT_GT(s.help.count, 300);
  EXPECT_FALSE(s.quickHints.empty());
  EXPECT_FALSE(s.guiElements.isEmpty());
  EXPECT_FALSE(s.atTinyAbbreviations.empty());
}

}  // namespace
}  // namespace vendle
