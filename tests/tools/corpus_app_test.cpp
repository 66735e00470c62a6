// Every source tool on every program of the test corpus, as LF and as CR LF
// files, in the running program: the result keeps the program's meaning
// (its code tokens outside comments line by line, string literals byte for
// byte, so every label and jump stays on its line), every line end of the
// result is the document's kind, and the tools that are rules for a clean
// text change nothing when run a second time.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "app_driver.h"
#include "documents/program_file.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/editor_view.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/text_lines.h"
#include "program_meaning.h"
#include "qt_print.h"
#include "test_files.h"
#include "tools/include_merge.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

struct Kind {
  const char* folder;
  const char* eol;
  int mode;
};
const Kind kKinds[] = {{"lf/", "\n", S::SC_EOL_LF}, {"crlf/", "\r\n", S::SC_EOL_CRLF}};

// What a tool's result must mean, given the source's text and folder.
using Expected = std::function<QList<QStringList>(const QString& text, const QString& folder)>;

QList<QStringList> SameCode(const QString& text, const QString&) { return CodeTokenLines(text); }

// The merged program: each include line whose file is found (from the
// program's folder, as the merge looks it up) stands for that file's code.
QList<QStringList> MergedCode(const QString& text, const QString& folder, QStringList& chain, bool first) {
  QList<QStringList> out;
  int number = 0;
  for (QStringView line : LineTexts(text)) {
    ++number;
    if (first && number == 1 && line.startsWith(u"#!")) continue;
    const std::optional<QString> name = IncludeName(line);
    const QString file = name ? FindIncludeFile(folder, *name) : QString();
    const QString key = file.isEmpty() ? QString() : QFileInfo(file).canonicalFilePath();
    if (!key.isEmpty() && !chain.contains(key) && chain.size() < kMaxIncludeDepth) {
      const ReadResult read = ReadWholeFile(file);
      const QString included = read.ok ? DecodeProgramFile(read.bytes).text : QString();
      if (!included.isEmpty()) {
        chain.append(key);
        out += MergedCode(included, folder, chain, false);
        chain.removeLast();
        continue;
      }
    }
    const QStringList tokens = CodeTokens(line);
    if (!tokens.isEmpty()) out.append(tokens);
  }
  return out;
}

// Names in the case of their declaration: MMBasic ignores the case of
// names, not that of strings.
QList<QStringList> CaseFolded(QList<QStringList> lines) {
  for (QStringList& l : lines)
    for (QString& t : l)
      if (!t.startsWith(u'"')) t = t.toUpper();
  return lines;
}

// Where two programs' code first differs, to read in a failure.
std::string FirstDifference(const QList<QStringList>& got, const QList<QStringList>& want) {
  for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
    const QString g = i < got.size() ? got[i].join(u" ") : u"<none>"_qs;
    const QString w = i < want.size() ? want[i].join(u" ") : u"<none>"_qs;
    if (g != w) return "code line " + std::to_string(i + 1) + ":\n got: " + g.toStdString() + "\nwant: " + w.toStdString();
  }
  return "none";
}

struct Tool {
  const char* name;
  Item item;
  bool newTab;
  bool idempotent;
  Expected expected;
  bool foldCase = false;
  bool unchanged = false;  // the result is the source text itself
};

const Tool kTools[] = {
    // Both recase the uses of a declared name as declared.
    {"FormatIndentation", Item::FormatIndentation, false, true, SameCode, true},
    {"RemoveIndents", Item::RemoveIndents, false, true, SameCode},
    {"RemoveBlankLines", Item::RemoveBlankLines, false, true, SameCode},
    {"RemoveComments", Item::RemoveComments, false, true, SameCode},
    {"ConvertCComments", Item::ConvertCComments, false, true, SameCode},
    {"WrapComments", Item::WrapComments, false, false, SameCode},
    {"RemoveNonAscii", Item::RemoveNonAscii, false, true, SameCode},
    {"CleanupLabels", Item::CleanupLabels, false, true, SameCode, true},
    {"Crunch", Item::Crunch, true, true, SameCode},
    {"UnCrunch", Item::UnCrunch, true, false, SameCode},
    {"Merge", Item::Merge, true, false,
     [](const QString& text, const QString& folder) {
       QStringList chain;
       return MergedCode(text, folder, chain, true);
     }},
    // The corpus has no line numbers: nothing to convert.
    {"RemoveLineNumbers", Item::RemoveLineNumbers, true, true, SameCode, false, true},
};

class CorpusApp : public ::testing::TestWithParam<Tool> {
 protected:
  void SetUp() override {
    files_ = CorpusFiles();
    ASSERT_GE(files_.size(), 50) << CorpusFolder().toStdString();
    DriverOptions options;
    options.start = false;
    driver_ = std::make_unique<AppDriver>(options);
    for (const Kind& k : kKinds)
      for (const CorpusFile& f : files_) {
        const QString path = driver_->root() + k.folder + f.name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        WriteFile(path, WithLineEnds(f.text, QString::fromLatin1(k.eol)).toUtf8());
      }
    driver_->start();
  }
  App& app() { return driver_->app(); }
  void Menu(Item item) {
    driver_->menu(item);
    driver_->processEvents();
  }
  // Runs the tool on the current document; the editor holding the result.
  EditorView* Run(const Tool& tool) {
    EditorView* before = CurrentEditor(app());
    driver_->requesters().clear();
    Menu(tool.item);
    EditorView* after = CurrentEditor(app());
    EXPECT_EQ(after != before, tool.newTab) << "a new tab only for the tools that open one";
    return after;
  }
  void CloseNewTabs(int keep) {
    while (app().state().docs.list.size() > keep) CloseDocumentTab(app(), app().state().docs.list.size() - 1);
  }

  QList<CorpusFile> files_;
  std::unique_ptr<AppDriver> driver_;
};

TEST_P(CorpusApp, TheToolKeepsTheProgramAndItsLineEnds) {
  const Tool& tool = GetParam();
  int runs = 0;
  for (const Kind& k : kKinds) {
    for (const CorpusFile& f : files_) {
      SCOPED_TRACE(std::string(k.folder) + f.name.toStdString());
      const QString path = driver_->root() + k.folder + f.name;
      const int tabs = app().state().docs.list.size();
      OpenDocument(app(), path, false);
      EditorView* source = CurrentEditor(app());
      ASSERT_NE(source, nullptr);
      ASSERT_EQ(source->sci().send(S::SCI_GETEOLMODE), k.mode);
      const QString text = GetEditorText(source);
      const QString folder = QFileInfo(path).absolutePath() + u'/';

      EditorView* out = Run(tool);
      ASSERT_NE(out, nullptr);
      const QString result = GetEditorText(out);
      ++runs;
      QList<QStringList> got = CodeTokenLines(result), want = tool.expected(text, folder);
      if (tool.foldCase) {
        got = CaseFolded(got);
        want = CaseFolded(want);
      }
      EXPECT_TRUE(got == want) << "the program's code, " << FirstDifference(got, want);
      EXPECT_EQ(LineEndKinds(result), QStringList{k.mode == S::SC_EOL_LF ? u"LF"_qs : u"CRLF"_qs});
      EXPECT_EQ(out->sci().send(S::SCI_GETEOLMODE), k.mode) << "new lines keep the kind";
      if (tool.unchanged) {
        EXPECT_EQ(result, text);
      }
      if (tool.idempotent) {
        Run(tool);
        EXPECT_EQ(GetEditorText(CurrentEditor(app())), result) << "a second run changes nothing";
      }
      CloseNewTabs(tabs);
      if (HasFailure()) return;
    }
  }
  EXPECT_EQ(runs, 2 * files_.size());
  RecordProperty("files", runs);
}

INSTANTIATE_TEST_SUITE_P(Tools, CorpusApp, ::testing::ValuesIn(kTools),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendle::test
