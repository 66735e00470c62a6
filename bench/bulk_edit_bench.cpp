// Commands that edit every line of a program in the running editor: comment
// and uncomment all lines, Prefill start of line, Save KEYWORD case, each
// against setting the same text into the editor, for programs of 10 000 and
// 100 000 lines. Ten times the lines should cost about ten times the time.
#include <QApplication>
#include <QClipboard>
#include <cstdio>

#include "app_driver.h"
#include "bench_timing.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/editor_view.h"
#include "platform/ids.h"

using namespace vendle;
using namespace vendle::test;

namespace {

QByteArray Program(int lines) {
  QByteArray text;
  for (int i = 0; i < lines; ++i) text += "  print \"line " + QByteArray::number(i) + "\" : x = x + 1 ' print it\r\n";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  AppDriver d;
  App& app = d.app();
  QApplication::clipboard()->setText("' ");
  std::printf("lines     set text ms   comment (ratio)   uncomment (ratio)   prefill (ratio)   keyword case (ratio)\n");
  double last[4] = {0, 0, 0, 0};
  double first[4] = {0, 0, 0, 0};
  for (int lines : {10000, 100000}) {
    const QByteArray program = Program(lines);
    EditorView* ed = CurrentEditor(app);
    const double set = bench::BestMs([&] { SetEditorBytes(ed, program, true); });
    auto run = [&](const std::function<void()>& command) {
      return bench::BestMs([&] {
        SetEditorBytes(ed, program, true);
        ed->sci().send(QsciScintillaBase::SCI_SELECTALL);
        command();
      }) - set;
    };
    const double times[4] = {
        run([&] { d.menu(Item::CommentLines); }),
        run([&] {
          d.menu(Item::CommentLines);
          d.menu(Item::UncommentLines);
        }),
        run([&] { d.menu(Item::PrefillStart); }),
        run([&] {
          app.settings().upperCase = 1;
          d.menu(Item::SaveKeywordCase);
        }),
    };
    std::printf("%6d   %9.1f   ", lines, set);
    for (double t : times) std::printf("%9.1f (%5.1f)   ", t, t / set);
    std::printf("\n");
    for (int k = 0; k < 4; ++k) (lines == 10000 ? first : last)[k] = times[k];
    d.menu(Item::CancelPrefill);
  }
  std::printf("100 000 / 10 000 lines: comment %.1f, uncomment %.1f, prefill %.1f, keyword case %.1f\n",
              last[0] / first[0], last[1] / first[1], last[2] / first[2], last[3] / first[3]);
  return 0;
}
