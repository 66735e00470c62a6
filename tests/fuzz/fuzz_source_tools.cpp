// Fuzzes the ATTiny numbering and crunch and line numbers to labels on any
// text: the first byte picks the step, the rest is the program.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editor/syntax_tkn.h"
#include "platform/ansi.h"
#include "platform/text_lines.h"
#include "tools/attiny_numbering.h"
#include "tools/line_labels.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

const char16_t kKeywords[] = u" PRINT INPUT IF THEN ELSE GOTO GOSUB RETURN FOR TO STEP NEXT REM END POKE SPEED RESTORE ";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const AtTinyDialect dialect = AtTinyDialect::From(kKeywords, BuildAtTinyAbbreviations(kKeywords));
  const qint64 step = static_cast<qint8>(data[0]) * 7;
  const QString text = DecodeAnsi(QByteArrayView(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
  const qsizetype lines = std::max<qsizetype>(SplitLines(text).size(), 1);

  // Every line stays a line, in both forms, and each ends with LF.
  for (AtTinyForm form : {AtTinyForm::Numbered, AtTinyForm::Crunched}) {
    const QString out = ConvertAtTinyProgram(text, form, step, dialect);
    Check(out.endsWith(u'\n'));
    Check(out.count(u'\n') == lines);
    Check(!out.contains(u'\r'));
  }
  // A text with no numbered line comes back to the byte; any other ends in LF.
  const QString labelled = LineNumbersToLabels(text, QStringLiteral("_LBL"), kKeywords);
  Check(labelled == text || labelled.endsWith(u'\n'));
  NextAtTinyLineNumber(text, step);
  return 0;
}
