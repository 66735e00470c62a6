// Crunch and uncrunch: a program made as small as it can be for a board with
// little memory (no comments, indentation, empty lines or blanks it does
// not need), and a crunched program made readable again. Pure; texts are
// UTF-16.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

namespace vendle {

// The lines both commands read: CR LF, LF and a lone CR each end one, and
// a final line end is followed by one more, empty, line (so the empty text
// is one empty line).
QList<QStringView> CrunchSourceLines(QStringView text);

// One line crunched: blanks only where two words meet (and a few places
// that keep the meaning), strings as written, the comment dropped; trimmed.
// `line` holds no tab outside its strings.
QString CrunchLine(QStringView line);

// One line uncrunched: blanks around operators, before a separating ":"
// and before a string; strings and the comment as written; trimmed.
QString UnCrunchLine(QStringView line);

struct CrunchOptions {
  bool preserveFirstLine = true;  // the first line is only trimmed (crunch: tabs outside strings made blanks)
  QString lineEnd = QStringLiteral("\r\n");
  int tabSize = 2;  // uncrunch indentation, as the editor's
  bool useSpaces = true;
};

struct CrunchResult {
  QString text;  // every line followed by the line end
  // For each line of `text`: its number and the number of the source line
  // it came from, both 1-based.
  QList<std::pair<int, int>> crossReference;
};

// Tabs outside strings become blanks; lines starting with "#" stay; the lines that end up
// empty (blank or comment-only) are dropped.
CrunchResult CrunchProgram(QStringView text, const CrunchOptions& options);

// The cross-reference file: "j i" and CR LF for each entry.
QByteArray CrossReferenceBytes(const QList<std::pair<int, int>>& crossReference);

// Each line keeps the indentation of its leading blanks (a line of blanks
// that of the line before); lines starting with "#" stay; a SUB, FUNCTION,
// CSUB, CFUNCTION or DEFINEFONT line after a line that is not empty gets an
// empty line before it.
QString UnCrunchProgram(QStringView text, const CrunchOptions& options);

}  // namespace vendle
