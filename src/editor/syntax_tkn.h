// Readers of the ".tkn" syntax files and "user.tkn", the choice of the files
// to read and to delete, the dialect lookup by name, the ATTiny
// abbreviations and the keyword list given to the editors. Pure functions
// over memory: file bytes are UTF-8 (a byte-order mark is dropped, CR LF and
// LF both end a line); every other text is UTF-16.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

#include "editor/syntax_data.h"

namespace vendle {

// The lines of a UTF-8 file: a leading byte-order mark dropped, split at LF,
// a CR before the LF dropped; no empty line after a final LF.
QStringList SplitUtf8Lines(QByteArrayView bytes);

// A syntax file. Line 1 is the description; every further non-blank line,
// trimmed, goes into the open section. The line "***parameters***" stores
// the open section as the keywords and opens the parameters; the line
// "***multiword***" stores it as the parameters and opens the multi-words.
// At the end the open section is stored by its number: keywords, parameters
// or multi-words. So a file with keywords and a multi-word section but no
// parameter section keeps its keywords as parameters and no keywords.
SyntaxEntry ParseTknFile(const QString& name, QByteArrayView utf8);

// The text of the section the file ended in (its keywords when it has no
// section line): the word list of the ATTiny numbering.
QString LastTknSection(const SyntaxEntry& entry);

// "user.tkn": its non-blank lines, trimmed, joined by single blanks. A line
// holding "~" (a multi-word phrase) is kept only when `multiWord` is set.
QString ParseUserTkn(QByteArrayView utf8, bool multiWord);

// Old syntax files removed at start-up when "Remove old TKN files" is on:
// a name ending with "_", beginning with "armite" or equal to "picomiteweb"
// (both ignoring case). With the setting off nothing is ever deleted.
bool IsOldSyntaxFile(const QString& name, bool removeOldFiles);

// The syntax files to look at, from the names of the files of the data
// folder: those ending in ".tkn" in any case, sorted by name ignoring case
// (then by exact name, so the order never depends on the file system), at
// most kMaxTknFiles of them.
constexpr int kMaxTknFiles = 40;
QStringList SelectTknFiles(const QStringList& fileNames);

// The name of a syntax file without its ".tkn".
QString TknBaseName(const QString& fileName);

// The index of the first entry whose name equals `name` ignoring case; the
// last entry when none does; -1 for an empty list.
int FindSyntaxIndex(const SyntaxList& list, QStringView name);

// Entries whose name ends with "_" are kept out of the Syntax menu. The list
// indices of the menu's entries, in menu order.
bool ListedInSyntaxMenu(const SyntaxEntry& entry);
std::vector<int> SyntaxMenuIndices(const SyntaxList& list);

// For every blank-separated keyword w of `keywords` longer than two
// characters, in order: the shortest prefix p of w whose first match at a
// word start (ignoring case) is w itself; the pair (w, p + ".") when that
// saves at least two characters. PRINT gives "P." when no earlier keyword
// begins with P.
std::vector<AtTinyAbbreviation> BuildAtTinyAbbreviations(QStringView keywords);

// The keyword list given to the editors: the dialect's keywords, then the
// user keywords, the parameters and the multi-words as the flags say
// (multi-words only together with the parameters). In the " w1 w2 ... "
// form; an empty list gives "". `entry` may be null (no dialect loaded):
// the user keywords alone.
struct ActiveKeywordOptions {
  bool allowUserKeywords = true;  // "Allow user keywords"
  bool includeParameters = false;  // "Show parameters in syntax list"
  bool multiWord = false;          // "Auto complete multi word"
};
QString BuildActiveKeywords(const SyntaxEntry* entry, const QString& userKeywords,
                            const ActiveKeywordOptions& options);

// Joins word lists into the " w1 w2 ... " form with single blanks.
QString JoinWordLists(const QStringList& lists);

}  // namespace vendle
