// Command templates of the external programs: which token each field of each
// list takes, the quote rules, and file names that must arrive as exactly
// one argument whatever they contain.
#include <gtest/gtest.h>

#include "links/command_template.h"
#include "links/external_program.h"
#include "qt_print.h"

namespace vendle {

void PrintTo(const ProcessStart& s, std::ostream* os) {
  *os << "{" << s.program.toStdString() << " ";
  ::PrintTo(s.arguments, os);
  *os << " in " << s.workingFolder.toStdString() << "}";
}

namespace {

enum class Field { Folder, Program, Parameters };

const RunValues kValues{QStringLiteral("/p/a.bas"), QStringLiteral("/e/"), QStringLiteral("/r/")};
// The stored program field whose folder part "%extpath%" stands for.
const QString kProgramForExtPath = QStringLiteral("/x/y/prog");

ExternalProgramEntry EntryWith(Field field, const QString& text) {
  ExternalProgramEntry e{QStringLiteral("T"), QStringLiteral("f"), kProgramForExtPath, QStringLiteral("p"), 0};
  switch (field) {
    case Field::Folder: e.folder = text; break;
    case Field::Program: e.program = text; break;
    case Field::Parameters: e.parameters = text; break;
  }
  return e;
}

const ParsedTemplate& FieldOf(const ExpandedEntry& x, Field field) {
  switch (field) {
    case Field::Folder: return x.folder;
    case Field::Program: return x.program;
    case Field::Parameters: return x.parameters;
  }
  return x.parameters;
}

struct TokenCase {
  const char* token;
  const char* value;  // what it becomes where it is taken
};
const TokenCase kTokenCases[] = {
    {"%q%", "\""},        {"%bas%", "/p/a.bas"}, {"%basshort%", "a.bas"}, {"%baspath%", "/p/"},
    {"%vdlpath%", "/e/"}, {"%extpath%", "/x/y/"}, {"%RVTpath%", "/r/"},
};

// Which field of which list takes which token: true where it is replaced.
struct Takes {
  ProgramList list;
  Field field;
  bool q, bas, basshort, baspath, vdlpath, extpath, rvtpath;
};
const Takes kTakes[] = {
    {ProgramList::Own, Field::Folder, true, false, false, true, false, true, false},
    {ProgramList::Own, Field::Program, true, true, true, true, true, false, false},
    {ProgramList::Own, Field::Parameters, true, true, true, true, true, false, false},
    {ProgramList::Ravolt, Field::Folder, true, false, false, true, false, false, true},
    {ProgramList::Ravolt, Field::Program, true, true, true, true, true, false, true},
    {ProgramList::Ravolt, Field::Parameters, true, true, true, true, true, false, false},
    {ProgramList::Preview, Field::Folder, true, false, false, true, false, true, false},
    {ProgramList::Preview, Field::Program, true, true, true, true, true, false, false},
    {ProgramList::Preview, Field::Parameters, true, true, true, true, true, false, false},
};

QString CaseVariant(const QString& token, int variant) {
  if (variant == 1) return token.toUpper();
  if (variant == 2) {  // mixed: every other letter upper case
    QString t = token.toLower();
    for (qsizetype i = 0; i < t.size(); i += 2) t[i] = t[i].toUpper();
    return t;
  }
  return token;
}

TEST(CommandTemplate, EachFieldTakesItsTokensInAnyCaseAndLeavesTheOthers) {
  for (const Takes& row : kTakes) {
    const bool takes[] = {row.q, row.bas, row.basshort, row.baspath, row.vdlpath, row.extpath, row.rvtpath};
    for (int t = 0; t < 7; ++t) {
      for (int variant = 0; variant < 3; ++variant) {
        const QString written = CaseVariant(QString::fromLatin1(kTokenCases[t].token), variant);
        const QString tmpl = "<" + written + ">";
        const ExpandedEntry x = ExpandEntry(EntryWith(row.field, tmpl), row.list, kValues);
        const QString expected = takes[t] ? "<" + QString::fromLatin1(kTokenCases[t].value) + ">" : tmpl;
        EXPECT_EQ(TemplateDisplayText(FieldOf(x, row.field)), expected)
            << "list " << int(row.list) << " field " << int(row.field) << " template " << tmpl.toStdString();
      }
    }
  }
}

TEST(CommandTemplate, UnknownTokensAndLonePercentSignsStay) {
  struct Row {
    const char* tmpl;
    QStringList args;
  };
  const Row rows[] = {
      {"%foo% %BAS", {"%foo%", "%BAS"}},
      {"100% %", {"100%", "%"}},
      {"%%bas%", {"%/p/a.bas"}},
      {"%bas%%", {"/p/a.bas%"}},
      {"%ba%s%", {"%ba%s%"}},
      {"%basshort%%bas%", {"a.bas/p/a.bas"}},
      {"%q%", {""}},
  };
  for (const Row& r : rows) {
    const ExpandedEntry x = ExpandEntry(EntryWith(Field::Parameters, r.tmpl), ProgramList::Own, kValues);
    EXPECT_EQ(TemplateArguments(x.parameters), r.args) << r.tmpl;
  }
}

TEST(CommandTemplate, QuoteRulesBelongToTheTemplate) {
  struct Row {
    const char* tmpl;
    QStringList args;
  };
  const Row rows[] = {
      // A field starting with "'" quotes with apostrophes...
      {"'%bas%' '-x y'", {"/p/a.bas", "-x y"}},
      // ...one that does not keeps them as characters.
      {"-x 'a b'", {"-x", "'a", "b'"}},
      {"%q%a b%q% c", {"a b", "c"}},
      {"\"a b\" c", {"a b", "c"}},
      {"--file=%q%%bas%%q%", {"--file=/p/a.bas"}},
      {"a\t b  c", {"a", "b", "c"}},
      {"%q%%q% x", {"", "x"}},
      {"%q%unclosed b", {"unclosed b"}},
      {"   ", {}},
  };
  for (const Row& r : rows) {
    // The preview takes the field as typed, so blanks around it are kept.
    const ExpandedEntry x = ExpandEntry(EntryWith(Field::Parameters, r.tmpl), ProgramList::Preview, kValues);
    EXPECT_EQ(TemplateArguments(x.parameters), r.args) << r.tmpl;
  }
}

// File names chosen to break a command line: each must stay one argument,
// unchanged, whatever template carries it.
const char* const kHostileNames[] = {
    "it's.bas",     "a \"b\".bas",  "two  blanks .bas", "x%q%.bas", "%bas%.bas", "%BASPATH%",
    "$(touch x).bas", "`id`.bas",   "a;rm -rf b.bas",   "a&b.bas",  "a|b.bas",   "-rf.bas",
    "tab\there.bas", "'.bas",      "\".bas",           "%vdlpath%%q%'.bas",
};

TEST(CommandTemplate, HostileFileNamesArriveAsExactlyOneArgument) {
  struct Tmpl {
    const char* text;
    QStringList (*expected)(const QString& path, const QString& name);
  };
  const Tmpl templates[] = {
      {"'%bas%'", [](const QString& p, const QString&) { return QStringList{p}; }},
      {"%q%%bas%%q%", [](const QString& p, const QString&) { return QStringList{p}; }},
      {"%bas%", [](const QString& p, const QString&) { return QStringList{p}; }},
      {"-v %bas% -w", [](const QString& p, const QString&) { return QStringList{"-v", p, "-w"}; }},
      {"'%basshort%' '%baspath%'", [](const QString&, const QString& n) { return QStringList{n, "/h/Bob's dir/"}; }},
      {"--name=%basshort%", [](const QString&, const QString& n) { return QStringList{"--name=" + n}; }},
  };
  for (const char* name : kHostileNames) {
    const QString n = QString::fromUtf8(name);
    const QString path = "/h/Bob's dir/" + n;
    const RunValues values{path, QStringLiteral("/e/"), QStringLiteral("/r/")};
    for (const Tmpl& t : templates) {
      const ExpandedEntry x = ExpandEntry(EntryWith(Field::Parameters, t.text), ProgramList::Own, values);
      EXPECT_EQ(TemplateArguments(x.parameters), t.expected(path, n)) << name << " in " << t.text;
    }
    // The folder and the program are single values.
    ExternalProgramEntry e{QStringLiteral("T"), QStringLiteral("'%baspath%'"), QStringLiteral("'%bas%'"),
                           QString(), 0};
    const StartCommand c = BuildStart(ExpandEntry(e, ProgramList::Own, values), QString(), QStringLiteral("/e/"));
    EXPECT_EQ(c.program, path) << name;
    EXPECT_EQ(c.workingFolder, QStringLiteral("/h/Bob's dir/")) << name;
    EXPECT_TRUE(c.arguments.isEmpty()) << name;
  }
}

TEST(CommandTemplate, ExtPathIsTheStoredProgramFieldsFolder) {
  struct Row {
    const char* program;
    const char* folder;
    const char* expected;  // the working folder
  };
  const Row rows[] = {
      {"'/opt/mm/mmbasic'", "%extpath%", "/opt/mm/"},
      {"'C:\\Apps\\MMB4W\\MMBasic.exe'", "%extpath%", "C:\\Apps\\MMB4W\\"},
      {"'%vdlpath%MMBasic.exe'", "%extpath%", ""},  // no folder in the stored text
      {"%q%/opt/my apps/x%q%", "%EXTPATH%", "/opt/my apps/"},
      {"%baspath%tools/run", "%extpath%", "/p/tools/"},
      {"  /opt/t/x  ", "%extpath%sub", "/opt/t/sub"},  // taken after the blanks are removed
  };
  for (const Row& r : rows) {
    const ExternalProgramEntry e{QStringLiteral("T"), r.folder, r.program, QString(), 0};
    const StartCommand c = BuildStart(ExpandEntry(e, ProgramList::Own, kValues), QString(), QStringLiteral("/e/"));
    EXPECT_EQ(c.workingFolder, QString::fromUtf8(r.expected)) << r.program;
  }
}

TEST(CommandTemplate, AnEmptyFolderBecomesTheProgramFilesFolder) {
  for (const char* folder : {"", "   "}) {
    const ExternalProgramEntry e{QStringLiteral("T"), folder, QStringLiteral("/bin/true"), QString(), 0};
    const ExpandedEntry x = ExpandEntry(e, ProgramList::Own, kValues);
    EXPECT_EQ(TemplateDisplayText(x.folder), QStringLiteral("\"/p/\""));
    EXPECT_EQ(BuildStart(x, QString(), QStringLiteral("/e/")).workingFolder, QStringLiteral("/p/"));
  }
}

TEST(CommandTemplate, StartsDirectlyOrThroughTheBatchScript) {
  const ExternalProgramEntry runInDos{QStringLiteral("Run in DOS"), QStringLiteral("'%baspath%'"),
                                      QStringLiteral("'%vdlpath%MMBasic.exe'"), QStringLiteral("'%bas%'"), 1};
  const ExternalProgramEntry ravolt{QStringLiteral("R"), QStringLiteral("%RVTpath%"),
                                    QStringLiteral("%q%%RVTpath%load er%q%"), QStringLiteral("-p %q%%bas%%q%"), 7};
  struct Row {
    ExternalProgramEntry entry;
    ProgramList list;
    qint64 batch;
    const char* scriptName;
    StartCommand expected;
  };
  const Row rows[] = {
      {runInDos, ProgramList::Own, 1, "runhere1.sh",
       {"/bin/sh", {"/e/runhere1.sh", "/p/", "/e/MMBasic.exe", "/p/a.bas"}, "/e/"}},
      {runInDos, ProgramList::Own, 12, "runhere12.sh",
       {"/bin/sh", {"/e/runhere12.sh", "/p/", "/e/MMBasic.exe", "/p/a.bas"}, "/e/"}},
      {runInDos, ProgramList::Own, 0, "", {"/e/MMBasic.exe", {"/p/a.bas"}, "/p/"}},
      {runInDos, ProgramList::Own, -1, "", {"/e/MMBasic.exe", {"/p/a.bas"}, "/p/"}},
      {ravolt, ProgramList::Ravolt, 7, "runhere.sh",
       {"/bin/sh", {"/e/runhere.sh", "/r/", "/r/load er", "-p", "/p/a.bas"}, "/e/"}},
      {ravolt, ProgramList::Ravolt, 0, "", {"/r/load er", {"-p", "/p/a.bas"}, "/r/"}},
  };
  for (const Row& r : rows) {
    ExternalProgramEntry e = r.entry;
    e.batch = r.batch;
    const QString name = BatchScriptName(r.list, e.batch);
    EXPECT_EQ(name, QString::fromLatin1(r.scriptName));
    const QString script = name.isEmpty() ? QString() : "/e/" + name;
    EXPECT_EQ(BuildStart(ExpandEntry(e, r.list, kValues), script, QStringLiteral("/e/")), r.expected)
        << e.menuText.toStdString() << " batch " << r.batch;
  }
}

TEST(CommandTemplate, PreviewShowsTheFieldsAsTyped) {
  const ExternalProgramEntry typed{QStringLiteral("T"), QStringLiteral(" '%baspath%'"),
                                   QStringLiteral("'%vdlpath%MMBasic.exe'"), QStringLiteral("'%bas%' %x% "), 0};
  const ExpandedEntry x = ExpandEntry(typed, ProgramList::Preview, kValues);
  EXPECT_EQ(PreviewText(x, 0), QStringLiteral("Starting folder:\n '/p/'\nExternal program:\n\"/e/MMBasic.exe\"\n"
                                              "Parameters:\n\"/p/a.bas\" %x% "));
  EXPECT_EQ(PreviewText(x, 3), QStringLiteral("CD  '/p/'\n\"/e/MMBasic.exe\" \"/p/a.bas\" %x% "));
}

TEST(ExternalProgram, ProgramNotSet) {
  for (const char* p : {"", "  ", "Not set", " Not set "}) EXPECT_TRUE(ProgramNotSet(p)) << p;
  for (const char* p : {"not set", "Not settled", "x"}) EXPECT_FALSE(ProgramNotSet(p)) << p;
}

TEST(ExternalProgram, PathParts) {
  struct Row {
    const char* path;
    const char* folder;
    const char* file;
  };
  const Row rows[] = {
      {"/p/a.bas", "/p/", "a.bas"},       {"C:\\P\\a.bas", "C:\\P\\", "a.bas"}, {"\"/p/q/a.bas", "/p/q/", "a.bas"},
      {"a.bas", "", "a.bas"},             {"/p/", "/p/", ""},                    {"\"a.bas", "", "a.bas"},
      {"/p\\mixed/a b.bas", "/p\\mixed/", "a b.bas"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(PathFolderPart(r.path), QString::fromUtf8(r.folder)) << r.path;
    EXPECT_EQ(PathFilePart(r.path), QString::fromUtf8(r.file)) << r.path;
  }
}

TEST(ExternalProgram, PreparationOfTheFileHandedOver) {
  struct Row {
    bool untitled, modified, onDisk;
    Preparation expected;
  };
  const Row rows[] = {
      {true, false, false, Preparation::WriteCopy}, {true, true, true, Preparation::WriteCopy},
      {false, true, true, Preparation::Save},       {false, false, false, Preparation::Save},
      {false, false, true, Preparation::UsePath},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ChoosePreparation(r.untitled, r.modified, r.onDisk), r.expected)
        << r.untitled << r.modified << r.onDisk;
}

TEST(ExternalProgram, TemporaryCopyNeverTakesAFileTheEditorDidNotWrite) {
  const QString usual = QStringLiteral("/f/untitled.bas");
  const QString own = QStringLiteral("/d/run/untitled.bas");
  EXPECT_EQ(TemporaryCopyPath("/f/", "/d/run/", {}, false), usual);
  EXPECT_EQ(TemporaryCopyPath("/f/", "/d/run/", {usual}, true), usual);  // ours from an earlier run
  EXPECT_EQ(TemporaryCopyPath("/f/", "/d/run/", {}, true), own);         // the user's own file
  EXPECT_EQ(TemporaryCopyPath("/f/", "/d/run/", {"/g/untitled.bas"}, true), own);

  QStringList list;
  for (int i = 0; i < 3; ++i) ListTemporaryFile(list, usual);
  ListTemporaryFile(list, own);
  EXPECT_EQ(list, (QStringList{usual, own}));
}

TEST(ExternalProgram, BatchScriptIsTakenFromTheFirstFolderThatHasIt) {
  const auto has = [](std::initializer_list<const char*> files) {
    QStringList l;
    for (const char* f : files) l << f;
    return [l](const QString& p) { return l.contains(p); };
  };
  const QStringList folders{"/prog/", "/data/"};
  EXPECT_EQ(FindBatchScript("runhere1.sh", folders, has({"/prog/runhere1.sh", "/data/runhere1.sh"})),
            QStringLiteral("/prog/runhere1.sh"));
  EXPECT_EQ(FindBatchScript("runhere1.sh", folders, has({"/data/runhere1.sh"})), QStringLiteral("/data/runhere1.sh"));
  EXPECT_EQ(FindBatchScript("runhere1.sh", folders, has({"/data/runhere2.sh"})), QString());
  EXPECT_EQ(FindBatchScript("", folders, has({"/prog/"})), QString());
}

}  // namespace
}  // namespace vendle
