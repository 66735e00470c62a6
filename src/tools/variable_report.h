// The variable report: every routine and variable of an MMBasic program with
// the lines that refer to it, the routine counts, and the lines that look
// wrong (unpaired brackets and quotes, escape sequences, long lines). Pure;
// texts are UTF-16.
#pragma once

#include <QString>
#include <QStringView>
#include <functional>

namespace vendle {

struct ReportOptions {
  QString wordCharacters;  // "Valid word characters"; "$&%!#" are added
  QString keywords;        // the current syntax's keywords, blank-separated
  // The milliseconds the report took, asked for once the report is built.
  std::function<qint64()> elapsedMs;
};

QString VariableReportText(QStringView text, const ReportOptions& options);

// " function cfunction sub csub ": the first word, ignoring case.
bool IsSubOrFunctionStart(QStringView line);
// "end " and the second or third field one of the four or "definefont".
bool IsSubOrFunctionEnd(QStringView line);
// The first non-empty field from the 2nd to the 19th, cut before its "(".
QString RoutineNameOf(QStringView line);

}  // namespace vendle
