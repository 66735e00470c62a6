// Fuzzes crunch, uncrunch, the clean-up rules and the include merge on any
// text. The merge's files are pieces of the input itself, named by the
// include lines, so includes nest, repeat and loop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/ansi.h"
#include "platform/text_lines.h"
#include "tools/cleanup.h"
#include "tools/crunch.h"
#include "tools/include_merge.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const QString text = DecodeAnsi(QByteArrayView(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
  const qsizetype lines = CrunchSourceLines(text).size();

  CrunchOptions options;
  options.preserveFirstLine = (mode & 1) != 0;
  options.lineEnd = (mode & 2) ? QStringLiteral("\n") : QStringLiteral("\r\n");
  options.useSpaces = (mode & 4) != 0;
  options.tabSize = (mode >> 4) - 2;
  const CrunchResult crunched = CrunchProgram(text, options);
  // One entry per written line, in order, each from a line of the source.
  Check(crunched.text.count(options.lineEnd) == crunched.crossReference.size());
  int previous = 0;
  for (qsizetype j = 0; j < crunched.crossReference.size(); ++j) {
    Check(crunched.crossReference[j].first == j + 1);
    Check(crunched.crossReference[j].second > previous && crunched.crossReference[j].second <= lines);
    previous = crunched.crossReference[j].second;
  }
  const QString uncrunched = UnCrunchProgram(text, options);
  Check(uncrunched.count(options.lineEnd) >= lines);

  // The whole-document rules end every line with LF and keep no CR.
  for (const QString& out : {RemoveIndentsText(text), RemoveBlankLinesText(text), RemoveCommentsText(text, mode & 1)}) {
    Check(out.isEmpty() || out.endsWith(u'\n'));
    Check(!out.contains(u'\r'));
  }
  Check(RemoveBlankLinesText(RemoveBlankLinesText(text)) == RemoveBlankLinesText(text));
  Check(RemoveIndentsText(RemoveIndentsText(text)) == RemoveIndentsText(text));

  QStringList split;
  for (QStringView line : LineTexts(text)) split.append(line.toString());
  WrapOptions wrap;
  wrap.column = 22 + mode % 64;
  wrap.align = (mode & 8) != 0;
  wrap.tabSize = options.tabSize;
  wrap.useSpaces = options.useSpaces;
  wrap.lineEnd = QStringLiteral("\n");
  for (const QString& line : split) Check(WrapCommentLine(line, wrap).count(u'\n') <= line.count(u'\n') + 1);
  ConvertCStyleCommentLines(split, u"\r\n");

  // Any include name is the text from where the name stands on (a name that
  // is not in the text is missing); a budget of files keeps nested repeats
  // from growing without end.
  int budget = 300;
  const MergeResult merged = MergeIncludeFiles(text, [&](const QString& name) -> std::optional<IncludedFile> {
    const qsizetype at = text.indexOf(name);
    if (at < 0 || --budget < 0) return std::nullopt;
    return IncludedFile{name, text.sliced(at).left(4096), {}};
  });
  Check(merged.files >= 0);
  Check(merged.text.size() >= text.size());
  return 0;
}
