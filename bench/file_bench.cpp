// Opening (to a shown, styled document) and saving MMBasic programs of 1 MB
// and 10 MB through the running application, against the floor of reading
// and writing the same bytes with plain file calls in the same run. Each
// size twice: one sub repeated, and every sub with its own name (the names
// a program declares are collected on opening).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "app_driver.h"
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

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
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

    const double size = bytes.size() / 1048576.0;
    std::printf("%-8s %12.1f %12.1f %12.1f %12.1f %12.1f\n",
                (QByteArray::number(mb) + (distinct ? " MB *" : " MB")).constData(), openMs, size / (openMs / 1000),
                saveMs, size / (saveMs / 1000), floorMs);
    std::printf("         open/floor %.1fx, save/floor %.1fx\n", openMs / floorMs, saveMs / floorMs);
  }
  return 0;
}
