// Crunch and every other source tool on a 50 MB program (12 MB in the
// sanitizer build; the test corpus
// over and over, CR LF) in the running program: the wait cursor stands
// whenever the program is seen at work during the command (every event it
// delivers to an editor, every text change and styling request), it is gone
// afterwards, and the memory the command takes is bounded by a small
// multiple of the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QSet>
#include <fstream>
#include <string>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/editor_view.h"
#include "platform/ids.h"
#include "program_meaning.h"
#include "shell/ui/info_window.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// What a command may take beyond what was in use, in programs: the largest
// tool takes about 12 (the text in the editor, its copies as UTF-16 and the
// result); the address sanitizer's red zones take as much again, and its
// quarantine of freed memory holds up to 256 MB more whatever the size.
// The sanitizer build runs the same paths on 12 MB: at 50 MB these tests took a
// fifth of its whole test time.
#if defined(__SANITIZE_ADDRESS__)
constexpr qsizetype kProgramBytes = qsizetype(12) << 20;
constexpr qsizetype kMostTaken = 32;
constexpr qsizetype kHeldBySanitizer = qsizetype(256) << 20;
#else
constexpr qsizetype kProgramBytes = qsizetype(50) << 20;
constexpr qsizetype kMostTaken = 16;
constexpr qsizetype kHeldBySanitizer = 0;
#endif

// The corpus as one CR LF program of about kProgramBytes, with C comments and
// letters beyond ASCII for the tools that convert them.
QByteArray LargeProgram() {
  QByteArray one;
  for (const CorpusFile& f : CorpusFiles()) one += f.text.toUtf8() + "PRINT \"caf\xC3\xA9\"\n// a C comment\n";
  one.replace("\n", "\r\n");
  QByteArray out;
  out.reserve(kProgramBytes + one.size());
  while (out.size() < kProgramBytes) out += one;
  return out;
}

// Peak and present resident memory of this process, in bytes.
qint64 StatusValue(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0) return std::stoll(line.substr(std::string(key).size())) * 1024;
  return -1;
}
bool ResetPeakMemory() {
  std::ofstream out("/proc/self/clear_refs");
  out << "5";
  return bool(out);
}

bool InAnEditor(QObject* o) {
  for (; o; o = o->parent())
    if (qobject_cast<S*>(o)) return true;  // an editor or the information window
  return false;
}

// Notes the override cursor each time the program is seen at work on a
// text.
class CursorWatch : public QObject {
 public:
  CursorWatch() {
    for (QWidget* w : QApplication::allWidgets())
      if (auto* sci = qobject_cast<S*>(w)) watch(sci);
    qApp->installEventFilter(this);
  }
  ~CursorWatch() override { qApp->removeEventFilter(this); }

  int seen = 0;
  int withoutWaitCursor = 0;
  std::string firstWithout;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (auto* sci = qobject_cast<S*>(o)) watch(sci);
    // The work on a text; not what the dispatch does after every command.
    if (!InAnEditor(o)) return false;
    std::string what = "event " + std::to_string(int(e->type())) + " to " + o->metaObject()->className();
    if (e->type() == QEvent::ChildAdded || e->type() == QEvent::ChildRemoved)
      what += std::string(" (child ") + static_cast<QChildEvent*>(e)->child()->metaObject()->className() + ")";
    if (o->parent()) what += std::string(" in ") + o->parent()->metaObject()->className();
    note(what);
    return false;
  }

 private:
  void watch(S* sci) {
    if (watched_.contains(sci)) return;
    watched_.insert(sci);
    connect(sci, &S::SCN_MODIFIED, this, [this] { note("a text change"); });
    connect(sci, &S::SCN_STYLENEEDED, this, [this] { note("a styling request"); });
  }
  void note(const std::string& what) {
    ++seen;
    const QCursor* c = QApplication::overrideCursor();
    if (c && c->shape() == Qt::WaitCursor) return;
    if (withoutWaitCursor++ == 0) firstWithout = what;
  }
  QSet<S*> watched_;
};

struct Tool {
  const char* name;
  Item item;
};

const Tool kTools[] = {
    {"FormatIndentation", Item::FormatIndentation}, {"RemoveIndents", Item::RemoveIndents},
    {"RemoveBlankLines", Item::RemoveBlankLines},   {"RemoveComments", Item::RemoveComments},
    {"ConvertCComments", Item::ConvertCComments},   {"WrapComments", Item::WrapComments},
    {"RemoveNonAscii", Item::RemoveNonAscii},       {"CleanupLabels", Item::CleanupLabels},
    {"Crunch", Item::Crunch},                       {"UnCrunch", Item::UnCrunch},
    {"Merge", Item::Merge},                         {"RemoveLineNumbers", Item::RemoveLineNumbers},
    {"VariableReport", Item::VariableReport},
};

class LargeProgramApp : public ::testing::TestWithParam<Tool> {};

TEST_P(LargeProgramApp, TheWaitCursorStandsWhileTheToolRunsAndMemoryStaysBounded) {
  const Tool& tool = GetParam();
  AppDriver d;
  const QString path = d.root() + "large.bas";
  WriteFile(path, LargeProgram());
  OpenDocument(d.app(), path, false);
  EditorView* source = CurrentEditor(d.app());
  ASSERT_GE(source->sci().length(), kProgramBytes);
  d.processEvents();
  d.requesters().clear();

  ASSERT_TRUE(ResetPeakMemory());
  const qint64 before = StatusValue("VmRSS:");
  CursorWatch watch;
  d.menu(tool.item);
  const qint64 peak = StatusValue("VmHWM:");

  EXPECT_GT(watch.seen, 0) << "the command was not seen at work";
  EXPECT_EQ(watch.withoutWaitCursor, 0) << "first seen without the wait cursor: " << watch.firstWithout << " ("
                                        << watch.withoutWaitCursor << " of " << watch.seen << ")";
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone afterwards";
  EXPECT_LE(peak - before, kMostTaken * kProgramBytes + kHeldBySanitizer) << "MB taken: " << (peak - before) / (1 << 20);
  RecordProperty("megabytes", int((peak - before) >> 20));
  // The command did its work.
  const bool newTab = CurrentEditor(d.app()) != source;
  if (tool.item == Item::VariableReport) {
    EXPECT_FALSE(InfoWindowText(d.app()).isEmpty());
  } else if (newTab) {
    EXPECT_GT(CurrentEditor(d.app())->sci().length(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Tools, LargeProgramApp, ::testing::ValuesIn(kTools),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendle::test
