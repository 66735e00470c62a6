// Line numbers to labels: a numbered program becomes one without numbers,
// each jump to a line number going to a label that stands on a line of its
// own before the target line. Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringView>

namespace vendle {

// The converted program, every line ending with LF (the empty text gives
// "\n"). `prefix` + a line's number is the label made for it ("_LBL" when
// the prefix does not start a name); `keywords`
// (" w1 w2 ... ") are the words that a comment label ("'Name: ...") may not
// be. String literals, comments and the text after REM are never changed;
// in a CSUB, CFUNCTION or DEFINEFONT block a line starting with a word of
// eight hexadecimal digits is data and keeps its digits.
QString LineNumbersToLabels(QStringView text, const QString& prefix, QStringView keywords);

}  // namespace vendle
