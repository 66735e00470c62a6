#include "platform/text_lines.h"

namespace vendle {

QList<TextLine> SplitLines(QStringView text) {
  QList<TextLine> lines;
  ForEachLine(text, [&](const TextLine& line) { lines.append(line); });
  return lines;
}

QList<TextLine> SplitLines(QByteArrayView text) {
  QList<TextLine> lines;
  ForEachLine(text, [&](const TextLine& line) { lines.append(line); });
  return lines;
}

QList<QStringView> LineTexts(QStringView text) {
  QList<QStringView> lines;
  ForEachLine(text, [&](const TextLine& line) { lines.append(text.mid(line.start, line.length)); });
  return lines;
}

QString WithLineEnds(QStringView text, QStringView lineEnd) {
  QString out;
  out.reserve(text.size());
  ForEachLine(text, [&](const TextLine& line) {
    out += text.mid(line.start, line.length);
    if (line.endLength > 0) out += lineEnd;
  });
  return out;
}

bool EndsWithLineEnd(QStringView text) {
  return !text.isEmpty() && (text.back() == u'\n' || text.back() == u'\r');
}

bool EndsWithLineEnd(QByteArrayView text) {
  return !text.isEmpty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace vendle
