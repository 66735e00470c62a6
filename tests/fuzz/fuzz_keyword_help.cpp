// Fuzzes the readers of "kw_list.txt" and "user.csv" as start-up uses them:
// the ANSI bytes split into lines, the keyword list read into the help
// table, the user list over it, and the row count. The first byte chooses
// which of the two files the rest is (both, one over the other, or alone).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editor/syntax_help.h"
#include "platform/ansi.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

// Only rows 1..lines can have been filled.
void CheckTable(const KeywordHelpTable& t, qsizetype lines) {
  Check(t.rows.size() == KeywordHelpTable::kRows + 1);
  Check(t.count >= 0 && t.count <= KeywordHelpTable::kRows);
  // A stored keyword is normalised: upper case, no "(" or "$", no double blank.
  for (qsizetype i = 0; i <= std::min<qsizetype>(lines, KeywordHelpTable::kRows); ++i) {
    const KeywordHelpRow& r = t.rows[std::size_t(i)];
    Check(!r.keyword.contains(u'(') && !r.keyword.contains(u'$') && !r.keyword.contains(QStringLiteral("  ")));
    Check(r.keyword == NormaliseHelpKeyword(r.keyword));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int mode = data[0] % 3;
  const QStringList lines =
      SplitTextLines(DecodeAnsi(QByteArrayView(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1))));
  for (const QString& l : lines) Check(!l.contains(u'\n'));

  KeywordHelpTable table;
  int kw = -1, csv = -1;
  if (mode != 1) {
    kw = ApplyKwList(table, lines);
    Check(kw == int(lines.size()));
  }
  if (mode != 0) {
    csv = ApplyUserCsv(table, lines);
    Check(csv == int(lines.size()));
  }
  table.count = KeywordHelpCount(kw, csv);
  CheckTable(table, lines.size());
  Check(table.row(-1).keyword.isEmpty() && table.row(KeywordHelpTable::kRows + 1).keyword.isEmpty());
  return 0;
}
