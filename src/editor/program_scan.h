// One pass over an opened program's UTF-8 bytes (the editor's encoding):
// strips the in-text markers and collects the user names, with the same
// results as StripMarkers followed by DeclaredVariablesText on the stripped
// text. Most lines are passed over on their bytes; only lines that carry a
// marker, a label, a routine header or a declaration are decoded.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace vendle {

struct ScannedProgram {
  QByteArray text;          // the UTF-8 text without markers
  QList<int> bookmarks;     // 0-based lines that carried " '>>>"
  QList<int> foldedLines;   // 1-based header lines that carried " 'FoldHere"
  QString names;            // " label sub func ", as StripMarkers gives them
  QString variables;        // " a b$ ", as DeclaredVariablesText gives them
};

ScannedProgram ScanProgramText(const QByteArray& utf8);

}  // namespace vendle
