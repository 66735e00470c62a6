// Line numbers to labels: a numbered program becomes one without numbers,
// each jump to a line number going to a label that stands on a line of its
// own before the target line. Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringView>

namespace vendle {

// The converted program, every line ending with LF; a text in which no line
// carries a number comes back unchanged. `prefix` + a line's number is the
// label made for it ("_LBL" when the prefix does not start a name). A
// numbered line holding "'Name: ..." is jumped to under Name when Name is a
// label name (a letter, then letters, digits, "_" or "."), none of
// `keywords` (" w1 w2 ... ") and no label of another line. String literals, comments and the text after REM are never changed;
// in a CSUB, CFUNCTION or DEFINEFONT block a line starting with a word of
// eight hexadecimal digits is data and keeps its digits.
QString LineNumbersToLabels(QStringView text, const QString& prefix, QStringView keywords);

}  // namespace vendle
