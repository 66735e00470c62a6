// The help pages that are made from the program's own data rather than
// written by hand: a page for every help page name of the keyword list, the
// MMBasic syntax index, the ASCII table and the keyboard shortcuts (from the
// program's shortcut table, handed in by the shell, so the page can never
// disagree with the keys).
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

#include "editor/syntax_data.h"

namespace vendle {

// One row of the keyboard shortcuts page: the keys and what they do.
struct ShortcutHelpRow {
  QString keys;
  QString command;
};

struct HelpPageSources {
  QStringList kwListLines;            // "kw_list.txt", decoded, heading included
  SyntaxList dialects;                // the shipped ".tkn" files
  QMap<QString, QString> descriptions;  // help page name -> our short description
  std::vector<ShortcutHelpRow> shortcuts;  // the shell's keys, in the page's order (ShortcutHelpRows)
};

// "page TAB text" lines; "#" lines and empty lines are skipped.
QMap<QString, QString> ParseHelpDescriptions(const QString& text);

// Relative path ("html/abs.htm", "html/index.htm", "html2/ASCIIcodes.htm",
// "html2/kboard_scut.htm") -> the page, UTF-8.
QMap<QString, QByteArray> GenerateHelpPages(const HelpPageSources& sources);

// The index groups of a keyword, in their order on the index.
enum class KeywordGroup { Commands, Functions, Operators, Options, MmNames, Pio };
KeywordGroup GroupOfKeyword(const QString& keyword, const QString& syntax);

}  // namespace vendle
