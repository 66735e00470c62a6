// The ATTiny toggle (both directions) and line numbers to labels on numbered
// programs of 1 MB and 10 MB with a jump on every third line, each against
// the floor of splitting the same text into lines in the same run. The
// conversions should grow with the text: 10 MB at about 10 times 1 MB.
#include <QString>
#include <cstdio>
#include <functional>

#include "bench_timing.h"
#include "editor/syntax_tkn.h"
#include "platform/text_lines.h"
#include "tools/attiny_numbering.h"
#include "tools/line_labels.h"

using namespace vendle;

namespace {

const char16_t kKeywords[] =
    u" PRINT INPUT IF THEN ELSE GOTO GOSUB RETURN FOR TO STEP NEXT LET REM END PAUSE POKE PEEK SETPIN PIN PWM "
    u"ADC AND DO LOOP WHILE UNTIL OR NOT RESTORE DATA READ SETTICK ";

// Numbered lines 10, 20, ...; every third line jumps to a line some way
// back or ahead, the others hold strings, comments and arithmetic.
QString Program(qsizetype bytes) {
  QString t;
  t.reserve(bytes + 64);
  for (qint64 n = 1; t.size() < bytes; ++n) {
    const qint64 number = n * 10;
    switch (n % 3) {
      case 0:
        t += QStringLiteral("%1 IF A>%2 THEN %3 ELSE %4\r\n").arg(number).arg(n % 7).arg(((n * 7) % (n + 5)) * 10 + 10)
                 .arg(number + 10);
        break;
      case 1:
        t += QStringLiteral("%1 PRINT \"Value. = ;\";A ' show it\r\n").arg(number);
        break;
      default:
        t += QStringLiteral("%1 FOR I=1 TO 10 STEP 2:A=A+I*2:NEXT I\r\n").arg(number);
        break;
    }
  }
  return t;
}

double Ms(const std::function<void()>& f) { return bench::BestMs(f); }

}  // namespace

int main() {
  const AtTinyDialect dialect = AtTinyDialect::From(kKeywords, BuildAtTinyAbbreviations(kKeywords));
  std::printf("%-6s %9s %10s %8s %10s %8s %10s %8s\n", "size", "split ms", "number ms", "ratio", "crunch ms",
              "ratio", "labels ms", "ratio");
  double first[3] = {0, 0, 0};
  for (int mb : {1, 10}) {
    const QString program = Program(qsizetype(mb) * 1024 * 1024);
    qsizetype lines = 0;
    const double split = Ms([&] { lines = SplitLines(program).size(); });
    QString numbered, crunched, labelled;
    const double number = Ms([&] { numbered = ConvertAtTinyProgram(program, AtTinyForm::Numbered, 10, dialect); });
    const double crunch = Ms([&] { crunched = ConvertAtTinyProgram(numbered, AtTinyForm::Crunched, 10, dialect); });
    const double labels = Ms([&] { labelled = LineNumbersToLabels(program, QStringLiteral("_LBL"), kKeywords); });
    std::printf("%3d MB %9.1f %10.1f %8.1f %10.1f %8.1f %10.1f %8.1f   (%lld lines)\n", mb, split, number,
                number / split, crunch, crunch / split, labels, labels / split, static_cast<long long>(lines));
    if (mb == 1) {
      first[0] = number;
      first[1] = crunch;
      first[2] = labels;
    } else {
      std::printf("10 MB / 1 MB: number %.1f, crunch %.1f, labels %.1f\n", number / first[0], crunch / first[1],
                  labels / first[2]);
    }
    // The round trip keeps every line: a wrong result would make the times meaningless.
    if (ConvertAtTinyProgram(crunched, AtTinyForm::Numbered, 10, dialect) != numbered)
      std::printf("round trip differs at %d MB\n", mb);
  }
  return 0;
}
