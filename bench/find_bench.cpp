// Replace All and Find all in the running editor, each against a plain scan
// of the same bytes for the same text in the same run: Replace All of 10 000
// and 100 000 matches in a 5 MB program (with and without the string and
// comment skips), and Find all over 30 documents of 10 000 lines.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <cstdio>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/find_window.h"
#include "editor/ui/text_access.h"
#include "platform/ui/toolkit.h"

using namespace vendle;
using namespace vendle::test;

namespace {

constexpr qsizetype kProgramBytes = 5 << 20;

// A 5 MB program of real idioms with `matches` uses of "target%" spread over it.
QByteArray Program(int matches) {
  const QByteArray plain = "  value = value + 1 ' add one\r\n";
  const QByteArray hit = "  target% = target% + \"s\" ' t\r\n";
  const qsizetype lines = kProgramBytes / plain.size();
  const qsizetype every = std::max<qsizetype>(1, lines / (matches / 2));
  QByteArray text;
  text.reserve(kProgramBytes + 64);
  int placed = 0;
  for (qsizetype i = 0; i < lines; ++i) {
    if (placed < matches && i % every == 0) {
      text += hit;
      placed += 2;
    } else {
      text += plain;
    }
  }
  return text;
}

// The floor: counting the same text in the same bytes.
double PlainScan(const QByteArray& bytes, const QByteArray& needle, long long* count) {
  QElapsedTimer t;
  t.start();
  long long n = 0;
  for (qsizetype at = bytes.indexOf(needle); at >= 0; at = bytes.indexOf(needle, at + needle.size())) ++n;
  *count = n;
  return t.nsecsElapsed() / 1e9;
}

template <class W>
W* Control(App& app, ControlId id) {
  return qobject_cast<W*>(app.toolkit().control(+id));
}

double ReplaceAllRun(AppDriver& d, const QByteArray& program, bool skip) {
  App& app = d.app();
  EditorView* ed = CurrentEditor(app);
  SetEditorBytes(ed, program, true);
  app.settings().dontSearchInStrings = skip;
  app.settings().dontSearchInComments = skip;
  Control<QComboBox>(app, ControlId::FindText)->setEditText("target%");
  Control<QLineEdit>(app, ControlId::ReplaceText)->setText("count%");
  d.requesters().clear();
  QElapsedTimer t;
  t.start();
  ReplaceAll(app);
  const double s = t.nsecsElapsed() / 1e9;
  if (d.requesters().asked().empty()) std::printf("  (no report)\n");
  else std::printf("  %s\n", d.requesters().asked().back().text.toUtf8().constData());
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  DriverOptions options;
  options.preferences = WithSetting("", "Misc Preferences", "Maximum number of tabs", "31");
  AppDriver d(options);
  App& app = d.app();
  d.menu(Item::FindReplace);
  Control<QCheckBox>(app, ControlId::ReplaceCheck)->click();

  std::printf("Replace All in a 5 MB program, against a plain scan of the same bytes:\n");
  double perMatch[2] = {0, 0};
  const int counts[2] = {10000, 100000};
  for (int k = 0; k < 2; ++k) {
    const QByteArray program = Program(counts[k]);
    long long found = 0;
    const double floor = PlainScan(program, "target%", &found);
    for (bool skip : {false, true}) {
      const double s = ReplaceAllRun(d, program, skip);
      std::printf("  %6lld matches, skips %s: %.3f s, plain scan %.4f s, ratio %.0f\n", found, skip ? "on " : "off", s,
                  floor, s / floor);
      if (skip) perMatch[k] = s;
    }
  }
  std::printf("  10 times the matches cost %.1f times the time (skips on)\n\n", perMatch[1] / perMatch[0]);

  std::printf("Find all over 30 documents of 10 000 lines:\n");
  QByteArray doc;
  for (int i = 0; i < 10000; ++i)
    doc += i % 50 == 0 ? "  PRINT \"total:\"; total% ' count\r\n" : "  value = value + 1 ' add one\r\n";
  QByteArray all;
  for (int i = 0; i < 30; ++i) {
    const QString path = d.root() + QStringLiteral("doc%1.bas").arg(i);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(doc);
    f.close();
    OpenDocument(app, path, false);
    all += doc;
  }
  long long found = 0;
  const double floor = PlainScan(all, "total%", &found);
  Control<QComboBox>(app, ControlId::FindText)->setEditText("total%");
  QElapsedTimer t;
  t.start();
  FindAllInOpenFiles(app);
  const double s = t.nsecsElapsed() / 1e9;
  std::printf("  %d documents open\n", app.state().docs.list.size());
  std::printf("  %d rows (%lld occurrences): %.3f s, plain scan %.4f s, ratio %.0f\n",
              static_cast<int>(FindAllRowsShown(app).size()), found, s, floor, s / floor);
  return 0;
}
