// The exports of a program's coloured text: forum code (plain and in colour)
// and HTML (plain and in colour) for the clipboard, and an RTF document.
// They work on text with one lexer style per UTF-16 unit, so they are tested
// without an editor; the editor side only collects the styled lines.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vendle {

// One line's text without its line end, with the style of every UTF-16 unit
// (styles.size() == text.size()).
struct StyledLine {
  QString text;
  QByteArray styles;
};

// The keyword case modes of "Upper_Case": 0 as typed, 1 upper, 2 lower,
// 3 capitalised.
enum class ExportFlavour { Forum, ColourHtml };

// A keyword character recased. Capitalised (mode 3) is "upper after a
// non-keyword character, lower after a keyword character" for the forum and
// RTF exports, and upper for colour HTML.
QChar RecaseKeywordChar(QChar c, int previousStyle, int mode, ExportFlavour flavour);

QString ForumCode(const QList<StyledLine>& lines, int caseMode);
QString ForumColourCode(const QList<StyledLine>& lines, int caseMode);
QString PlainHtml(const QList<StyledLine>& lines);
QString ColourHtml(const QList<StyledLine>& lines, int caseMode);

// The RTF document of a styled text (line ends included: CR LF, LF and a
// lone CR each end one line). `path` is the RTF file's own path, shown in the
// page header; `fontSize` completes the font-size control word ("fs16").
// The result is plain ASCII: characters outside ASCII are written as their
// Windows-1252 byte (\'hh) or, without one, as \uN? per UTF-16 unit.
struct RtfOptions {
  QString path;
  QString fontSize = QStringLiteral("fs16");
  bool lineNumbers = false;
  int caseMode = 0;
};
QByteArray RtfDocument(const QString& text, const QByteArray& styles, const RtfOptions& options);

// The styled text of an editor as UTF-16 with one style per unit: `utf8` and
// `byteStyles` have one entry per byte; a character takes the style of its
// first byte. Invalid UTF-8 bytes decode to U+FFFD with their byte's style.
struct StyledText {
  QString text;
  QByteArray styles;
};
StyledText DecodeStyledUtf8(const QByteArray& utf8, const QByteArray& byteStyles);

}  // namespace vendle
