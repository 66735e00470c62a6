// The line number Return types in an ATTiny program, until the ATTiny
// numbering brings its own.
#include <algorithm>

#include "editor/editing_lines.h"
#include "editor/ui/return_key.h"
#include "platform/text_values.h"

namespace vendle {

QString NextLineNumberText(App&, const QString& line, int step) {
  const QString trimmed = TrimBlanks(line);
  const qsizetype blank = trimmed.indexOf(u' ');
  const qint64 n = ParseVal(blank < 0 ? QStringView(trimmed) : QStringView(trimmed).left(blank));
  const double by = step == 0 ? 1.0 : static_cast<double>(step);
  // The arithmetic of the numbering runs in single precision.
  const float quotient = static_cast<float>(static_cast<double>(n) / by);
  const double next = std::clamp<double>(static_cast<float>(static_cast<double>(quotient) * by + by), -1e15, 1e15);
  return QString::number(static_cast<qint64>(next)).rightJustified(4, u' ') + u' ';
}

}  // namespace vendle
