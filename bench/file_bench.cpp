// Opening (to a shown, styled document) and saving MMBasic programs of 1 MB
// and 10 MB through the running application, against the floor of reading
// and writing the same bytes with plain file calls in the same run. Each
// size twice: one sub repeated, and every sub with its own name (the names
// a program declares are collected on opening). Then programs made from the
// corpus (100 KB, 1 MB, 10 MB, and 10 MB of small subs) opened to shown and
// styled, against the floor of reading and decoding the same file as the
// editor does, in the same run: the median of `runs` opens in fresh editors.
//
//   file_bench [runs]        (default 5)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include <algorithm>
#include <vector>

#include "app_driver.h"
#include "corpus_programs.h"
#include "documents/program_file.h"
#include "platform/file_io.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"

using namespace vendle;
using namespace vendle::test;

namespace {

QByteArray Program(qsizetype bytes, bool distinctNames) {
  static const char* kLines[] = {
      "SUB Show(count%, label$)\r\n", "  LOCAL i% = 0, total = 1.5E3 ' running sum\r\n",
      "  FOR i% = 1 TO count%\r\n",   "    PRINT label$; \" \"; i% * &H10; total\r\n",
      "  NEXT i%\r\n",                 "END SUB\r\n",
      "DIM names$(10) LENGTH 20\r\n", "IF x > 3 THEN PRINT \"big\" ELSE PRINT \"small\"\r\n",
  };
  QByteArray out;
  out.reserve(bytes + 100);
  for (int i = 0; out.size() < bytes; ++i) {
    if (distinctNames && i % 8 == 0) out += "SUB Show" + QByteArray::number(i / 8) + "(count%, label$)\r\n";
    else out += kLines[i % 8];
  }
  return out;
}

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// "min median max" of the values.
QByteArray Spread(std::vector<double> v, const char* format) {
  std::sort(v.begin(), v.end());
  QByteArray out;
  char buf[32];
  for (double x : {v.front(), v[v.size() / 2], v.back()}) {
    std::snprintf(buf, sizeof buf, format, x);
    out += buf;
    out += ' ';
  }
  return out.trimmed();
}

long long SubCount(const QByteArray& program) {
  long long n = 0;
  for (const QByteArray& line : program.split('\n'))
    if (line.trimmed().toLower().startsWith("sub ")) ++n;
  return n;
}

// Opens the corpus programs; each open in a fresh editor, the floor in the
// same run just before it.
void CorpusRows(int runs) {
  struct Row {
    const char* name;
    QByteArray bytes;
  };
  const Row rows[] = {{"100 KB", CorpusProgram(100 << 10)},
                      {"1 MB", CorpusProgram(1 << 20)},
                      {"10 MB", CorpusProgram(10 << 20)},
                      {"10 MB subs", ManySubsProgram(10 << 20)}};
  if (rows[0].bytes.isEmpty()) {
    std::printf("(no corpus: the corpus rows are left out)\n");
    return;
  }
  std::printf("\n* programs of the corpus, %d runs (min median max): open to shown and styled, and its ratio to\n"
              "  reading and decoding the file in the same run\n",
              runs);
  std::printf("%-11s %6s  %-24s %-20s %s\n", "program", "subs", "open ms", "read+decode ms", "ratio");
  for (const Row& row : rows) {
    std::vector<double> open, floor, ratio;
    for (int run = 0; run < runs; ++run) {
      AppDriver d;
      const QString path = d.root() + "big.bas";
      {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(row.bytes);
      }
      QElapsedTimer fl;
      fl.start();
      {
        const ReadResult r = ReadWholeFile(path);
        const DecodedFile decoded = DecodeProgramFile(r.bytes);
        if (decoded.text.isEmpty()) std::printf("nothing read\n");
      }
      floor.push_back(Ms(fl));
      QElapsedTimer t;
      t.start();
      OpenDocument(d.app(), path, false);
      EditorView* ed = CurrentEditor(d.app());
      ed->repaint();
      QCoreApplication::processEvents();
      open.push_back(Ms(t));
      ratio.push_back(open.back() / floor.back());
    }
    std::printf("%-11s %6lld  %-24s %-20s %s\n", row.name, SubCount(row.bytes), Spread(open, "%.1f").constData(),
                Spread(floor, "%.1f").constData(), Spread(ratio, "%.2f").constData());
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  std::printf("* every sub with its own name\n");
  std::printf("%-8s %12s %12s %12s %12s %12s\n", "size", "open ms", "open MB/s", "save ms", "save MB/s",
              "read+write floor ms");
  for (const auto& [mb, distinct] : {std::pair{1, false}, {10, false}, {1, true}, {10, true}}) {
    AppDriver d;
    const QByteArray bytes = Program(qsizetype(mb) << 20, distinct);
    const QString path = d.root() + "big.bas";
    {
      QFile f(path);
      f.open(QIODevice::WriteOnly);
      f.write(bytes);
    }
    // The floor: the bytes read and written back with plain file calls.
    QElapsedTimer floor;
    floor.start();
    {
      QFile in(path);
      in.open(QIODevice::ReadOnly);
      const QByteArray again = in.readAll();
      QFile out(d.root() + "copy.bas");
      out.open(QIODevice::WriteOnly);
      out.write(again);
    }
    const double floorMs = Ms(floor);

    QElapsedTimer open;
    open.start();
    OpenDocument(d.app(), path, false);
    EditorView* ed = CurrentEditor(d.app());
    ed->repaint();  // shown and styled where it is seen
    QCoreApplication::processEvents();
    const double openMs = Ms(open);

    ed->sci().sendText(QsciScintillaBase::SCI_ADDTEXT, 1, "'");
    QElapsedTimer save;
    save.start();
    SaveCurrentDocument(d.app());
    const double saveMs = Ms(save);
    // A second save of the same document: the memory it needs is there now.
    ed->sci().sendText(QsciScintillaBase::SCI_ADDTEXT, 1, "'");
    save.restart();
    SaveCurrentDocument(d.app());
    const double againMs = Ms(save);

    const double size = bytes.size() / 1048576.0;
    std::printf("%-8s %12.1f %12.1f %12.1f %12.1f %12.1f\n",
                (QByteArray::number(mb) + (distinct ? " MB *" : " MB")).constData(), openMs, size / (openMs / 1000),
                saveMs, size / (saveMs / 1000), floorMs);
    std::printf("         open/floor %.1fx, save/floor %.1fx, second save %.1f ms (%.1fx)\n", openMs / floorMs,
                saveMs / floorMs, againMs, againMs / floorMs);
  }
  CorpusRows(runs);
  return 0;
}
