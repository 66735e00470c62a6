// Fuzzes the syntax file reader with the ATTiny abbreviations built from
// what it read, and the keyword and hint readers on the same bytes.
#include <QByteArrayView>
#include <cstdint>
#include <cstdlib>

#include "editor/declarations.h"
#include "editor/syntax_help.h"
#include "editor/syntax_tkn.h"
#include "platform/ansi.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

// A stored word list is "" or " w1 ... wn " with single blanks.
void CheckWordList(const QString& list) {
  if (list.isEmpty()) return;
  Check(list.startsWith(u' ') && list.endsWith(u' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  const SyntaxEntry e = ParseTknFile(QStringLiteral("ATTiny"), bytes);
  CheckWordList(e.keywords);
  CheckWordList(e.parameters);
  CheckWordList(e.multiWords);
  const QString last = LastTknSection(e);
  for (const AtTinyAbbreviation& a : BuildAtTinyAbbreviations(last)) {
    Check(a.abbreviation.endsWith(u'.'));
    Check(a.keyword.startsWith(a.abbreviation.chopped(1)));
    Check(a.keyword.size() >= a.abbreviation.size() + 1);
  }
  ParseUserTkn(bytes, true);
  ActiveKeywordOptions all{true, true, true};
  CheckWordList(BuildActiveKeywords(&e, e.description, all));

  const QStringList lines = SplitTextLines(DecodeAnsi(bytes));
  KeywordHelpTable table;
  ApplyKwList(table, lines);
  ApplyUserCsv(table, lines);
  Check(table.rows.size() == KeywordHelpTable::kRows + 1);
  SyntaxList list{e};
  if (!lines.isEmpty()) ApplyHintMasks(list, lines.first());
  ParseQuickHints(lines);
  for (const QString& line : lines.mid(0, 64)) ParseDeclarationLine(line);
  return 0;
}
