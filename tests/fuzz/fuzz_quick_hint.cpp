// Fuzzes the "quick_hint.txt" reader as start-up uses it: line 1 gives the
// dialects their hint bits, the other lines are the hints.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editor/syntax_help.h"
#include "platform/ansi.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QStringList lines =
      SplitTextLines(DecodeAnsi(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))));
  SyntaxList list;
  for (const char* name : {"picomite", "ARMmite", "ATTiny", "cmm2", "mmb4w"}) list.push_back({.name = name});
  if (!lines.isEmpty()) ApplyHintMasks(list, lines.first().trimmed());
  // A dialect gets at most one bit: that of the last name it matched.
  for (const SyntaxEntry& e : list) Check((e.hintMask & (e.hintMask - 1)) == 0);

  const std::vector<QuickHint> hints = ParseQuickHints(lines.mid(1));
  qsizetype nonEmpty = 0;
  for (qsizetype i = 1; i < lines.size(); ++i)
    if (!lines[i].trimmed().isEmpty()) ++nonEmpty;
  Check(qsizetype(hints.size()) == nonEmpty);
  for (const QuickHint& h : hints) Check(!h.text.isEmpty());
  ParseGuiElements(lines);
  return 0;
}
