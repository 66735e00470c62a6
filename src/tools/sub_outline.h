// The outline of a program for the sub and function list: first line, the
// SUB, FUNCTION, CSUB, CFUNCTION and DEFINEFONT headers, the labels, the
// "'>" comments and the last line; and the search for the definition of a
// selected name. Pure; texts are UTF-16, line numbers 1-based.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace vendle {

struct SubsEntry {
  int line = 0;
  QString text;  // the trimmed source line, "First line" or "Last line"
  friend bool operator==(const SubsEntry&, const SubsEntry&) = default;
};

struct SubsOutline {
  QList<SubsEntry> entries;
  QString names;  // " name name ": the routine and label names as declared, each once
};

SubsOutline BuildSubsOutline(QStringView text);

// "     7 SUB Foo": the number right-aligned in at least 6 characters, never cut.
QString SubsItemText(const SubsEntry& entry);
// The line number an item text starts with (0 when none).
int SubsItemLine(QStringView item);

// The name a selection stands for: CR and LF removed, trimmed, one final
// "(", ":" or "'" cut off.
QString JumpWord(QStringView selection);
// The first SUB, FUNCTION, CSUB, CFUNCTION or label named `word` (ignoring
// case); none for an empty word.
std::optional<int> FindDefinitionLine(QStringView text, QStringView word);

}  // namespace vendle
