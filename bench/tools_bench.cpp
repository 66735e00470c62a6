// How fast the formatter and the variable report run on a 1 MB and a 10 MB
// program, each as a ratio to splitting the same text into lines with the
// shared splitter in the same run, and how the 10 MB time grows against
// the 1 MB time (about 10 for linear work). The same for programs made from
// the corpus (real code, every routine with its own name).
//
//   tools_bench [repetitions]        (default 3; the median is reported)
#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "corpus_programs.h"
#include "platform/text_lines.h"
#include "settings/settings.h"
#include "tools/formatter.h"
#include "tools/variable_report.h"

using namespace vendle;

namespace {

// An unindented program of about `bytes` bytes: subs with locals, loops and
// conditions, globals used everywhere, labels, strings and comments, so the
// number of names grows with the size.
QString Program(qsizetype bytes) {
  QString t = QStringLiteral("' generated\r\nOPTION EXPLICIT\r\nDIM INTEGER total, count\r\n");
  for (int n = 0; t.size() < bytes; ++n) {
    t += QStringLiteral(
             "SUB Part%1(a, b)\r\nLOCAL i, s$\r\nFOR i = 1 TO a\r\nIF i MOD 2 = 0 THEN\r\n"
             "total = total + i : PRINT \"even\\n\"; i\r\nELSE\r\ns$ = s$ + STR$(v%1) ' odd\r\nENDIF\r\nNEXT i\r\n"
             "DO WHILE b > 0\r\nb = b - 1 : count = count + 1\r\nLOOP\r\nEND SUB\r\nlabel%1:\r\n"
             "Part%1 v%1, 12\r\n")
             .arg(n);
  }
  return t;
}

double MedianMs(int reps, const std::function<void()>& f) {
  std::vector<double> times;
  for (int r = 0; r < reps; ++r) {
    QElapsedTimer t;
    t.start();
    f();
    times.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Times {
  double split, format, report;
};

Times Measure(const QString& text, int reps) {
  const QString keywords = QStringLiteral(
      "PRINT DIM LOCAL CONST SUB END FUNCTION IF THEN ELSE ENDIF FOR TO NEXT DO LOOP WHILE OPTION EXPLICIT "
      "INTEGER MOD STR$");
  ReportOptions ro{Settings().validWordCharacters, keywords, [] { return qint64(0); }};
  FormatOptions fo;
  volatile qsizetype sink = 0;
  Times t{};
  t.split = MedianMs(reps, [&] { sink = sink + SplitLines(text).size(); });
  t.format = MedianMs(reps, [&] { sink = sink + FormatIndentationText(text, fo).size(); });
  t.report = MedianMs(reps, [&] { sink = sink + VariableReportText(text, ro).size(); });
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int reps = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
  const QString small = Program(1 << 20), big = Program(10 << 20);
  const Times a = Measure(small, reps), b = Measure(big, reps);
  std::printf("text          split ms   format ms (ratio)   report ms (ratio)\n");
  for (const auto& [name, t] : {std::pair{"1 MB ", a}, std::pair{"10 MB", b}})
    std::printf("%s    %9.2f   %9.1f (%6.1f)   %9.1f (%6.1f)\n", name, t.split, t.format, t.format / t.split,
                t.report, t.report / t.split);
  std::printf("10 MB / 1 MB: split %.1f, format %.1f, report %.1f\n", b.split / a.split, b.format / a.format,
              b.report / a.report);
  const QString realSmall = QString::fromLatin1(vendle::test::CorpusProgram(1 << 20));
  if (realSmall.isEmpty()) return 0;
  const QString realBig = QString::fromLatin1(vendle::test::CorpusProgram(10 << 20));
  const Times c = Measure(realSmall, reps), e = Measure(realBig, reps);
  std::printf("corpus text   split ms   format ms (ratio)   report ms (ratio)\n");
  for (const auto& [name, t] : {std::pair{"1 MB ", c}, std::pair{"10 MB", e}})
    std::printf("%s    %9.2f   %9.1f (%6.1f)   %9.1f (%6.1f)\n", name, t.split, t.format, t.format / t.split,
                t.report, t.report / t.split);
  return 0;
}
