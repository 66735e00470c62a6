// The one way to walk the lines of a text: CR LF, LF and a lone CR each end
// a line. The empty text has no lines, and a final line end opens no further
// (empty) line, so "a\nb" and "a\nb\n" both have two lines; a caller that
// cares about the final line end asks `EndsWithLineEnd`.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <type_traits>

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

// Walks the lines of a QStringView or a QByteArrayView. The next CR and the
// next LF are found by the library's vectorised search and kept until the
// walk passes them: a text of one line-end kind costs one search per line,
// not a comparison per character.
template <class View>
class LineWalker {
 public:
  explicit LineWalker(View text) : text_(text) {}
  bool done() const { return at_ >= text_.size(); }
  // The next line; only while !done().
  TextLine next() {
    const qsizetype n = text_.size();
    if (nextCr_ < at_ && (nextCr_ = text_.indexOf(kCr, at_)) < 0) nextCr_ = n;
    if (nextLf_ < at_ && (nextLf_ = text_.indexOf(kLf, at_)) < 0) nextLf_ = n;
    const qsizetype i = nextCr_ < nextLf_ ? nextCr_ : nextLf_;
    const qsizetype end = i == n ? 0 : (i == nextCr_ && nextLf_ == i + 1 && nextLf_ < n) ? 2 : 1;
    const TextLine line{at_, i - at_, end};
    at_ = line.next();
    return line;
  }

 private:
  using Char = std::conditional_t<std::is_same_v<View, QStringView>, char16_t, char>;
  static constexpr Char kCr = '\r';
  static constexpr Char kLf = '\n';
  View text_;
  qsizetype at_ = 0;
  qsizetype nextCr_ = -1, nextLf_ = -1;
};

// Calls f(const TextLine&) for every line, in order.
template <class F>
void ForEachLine(QStringView text, F&& f) {
  for (LineWalker<QStringView> w(text); !w.done();) f(w.next());
}
template <class F>
void ForEachLine(QByteArrayView text, F&& f) {
  for (LineWalker<QByteArrayView> w(text); !w.done();) f(w.next());
}

QList<TextLine> SplitLines(QStringView text);
QList<TextLine> SplitLines(QByteArrayView text);

// The lines' own texts (without their line ends).
QList<QStringView> LineTexts(QStringView text);

// `text` with each of its line ends (CR LF, LF, a lone CR) made `lineEnd`.
QString WithLineEnds(QStringView text, QStringView lineEnd);

bool EndsWithLineEnd(QStringView text);
bool EndsWithLineEnd(QByteArrayView text);

}  // namespace vendle
