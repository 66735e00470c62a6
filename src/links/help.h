// The rules of the help: page addresses, the key of a word and its row in
// the keyword help table, the generated index pages, and what an external
// reference is. Pure functions over texts; the viewer is in ui/.
#pragma once

#include <QString>
#include <QStringView>

#include "editor/syntax_data.h"

namespace vendle {

// "file://" + the path, percent-encoded: ASCII letters, digits and
// ! $ & ' ( ) * , - . / : ; = @ _ ~ stay, every other UTF-8 byte is %XX
// (upper case). "#" and "?" are encoded too, so a folder named "C#" stays a
// folder and never becomes a fragment.
QString HelpAddress(const QString& path);

// The word as picked up from the editor with its line ends and its last
// blank removed: a trailing CR LF, else one CR or LF; then one blank.
QString TrimPickedWord(QString word);

// The lookup key of a word: upper case; "(", "$", blank, CR and LF each
// become one blank, none at the start and never two in a row ("MID$(" gives
// "MID ", "Line  input" gives "LINE INPUT").
QString HelpKeyOf(QStringView word);

// The row of the table for a key (rows 1..table.count, letter case ignored,
// the first match of a phase ends the lookup), or 0:
// 1. a row whose keyword + "  " begins with key + " ";
// and, only for a key holding a blank,
// 2. a row whose keyword + "  " holds key + " ";
// 3. a row whose keyword + "  " begins with the key's second word + " ";
// 4. the same with the key's first word.
int LookupHelpRow(const KeywordHelpTable& table, const QString& key);

// A page generated from the index template: the index with `page` in the
// place of its "intro.htm".
inline QString GeneratedHelpPage(const QString& head, const QString& page, const QString& tail) {
  return head + page + tail;
}

// What an external reference slot holds.
enum class ReferenceKind { Unset, Http, InfoFile, Desktop };
ReferenceKind ClassifyReference(const QString& text);

}  // namespace vendle
