// The one way to walk the lines of a text: CR LF, LF and a lone CR each end
// a line. The empty text has no lines, and a final line end opens no further
// (empty) line, so "a\nb" and "a\nb\n" both have two lines; a caller that
// cares about the final line end asks `EndsWithLineEnd`.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QStringView>

namespace vendle {

// A line as positions in its text: [start, start + length) is the line's own
// text, followed by endLength (0, 1 or 2) characters of line end.
struct TextLine {
  qsizetype start = 0;
  qsizetype length = 0;
  qsizetype endLength = 0;
  qsizetype next() const { return start + length + endLength; }
  friend bool operator==(const TextLine&, const TextLine&) = default;
};

// The line that starts at `from` (from < size).
template <class Char>
TextLine LineAt(const Char* data, qsizetype size, qsizetype from) {
  qsizetype i = from;
  while (i < size && data[i] != Char('\n') && data[i] != Char('\r')) ++i;
  qsizetype end = 0;
  if (i < size) end = (data[i] == Char('\r') && i + 1 < size && data[i + 1] == Char('\n')) ? 2 : 1;
  return {from, i - from, end};
}

// Calls f(const TextLine&) for every line, in order.
template <class F>
void ForEachLine(QStringView text, F&& f) {
  for (qsizetype at = 0; at < text.size();) {
    const TextLine line = LineAt(text.data(), text.size(), at);
    f(line);
    at = line.next();
  }
}
template <class F>
void ForEachLine(QByteArrayView text, F&& f) {
  for (qsizetype at = 0; at < text.size();) {
    const TextLine line = LineAt(text.data(), text.size(), at);
    f(line);
    at = line.next();
  }
}

QList<TextLine> SplitLines(QStringView text);
QList<TextLine> SplitLines(QByteArrayView text);

// The lines' own texts (without their line ends).
QList<QStringView> LineTexts(QStringView text);

bool EndsWithLineEnd(QStringView text);
bool EndsWithLineEnd(QByteArrayView text);

}  // namespace vendle
