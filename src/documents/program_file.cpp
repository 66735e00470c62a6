#include "documents/program_file.h"

#include <QStringDecoder>

#include <algorithm>

#include "platform/ansi.h"
#include "platform/paths.h"

namespace vendle {

bool IsValidUtf8(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n;) {
    const unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int more = 0;
    char32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) more = 1, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) more = 2, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) more = 3, cp = c & 0x07;
    else return false;
    if (i + more >= n) return false;  // cut at the end
    for (int k = 1; k <= more; ++k) {
      const unsigned char t = p[i + k];
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF))) return false;
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    i += more + 1;
  }
  return true;
}

namespace {

// UTF-8 to text keeping a byte-order mark at the start of the bytes as a
// character: the one that marks the file is taken off before, and a second
// one is the file's own text.
QString Utf8Text(QByteArrayView bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decoder(bytes);
}

}  // namespace

DecodedFile DecodeProgramFile(QByteArrayView bytes) {
  static constexpr char kBom[] = "\xEF\xBB\xBF";
  DecodedFile f;
  if (bytes.startsWith(QByteArrayView(kBom, 3)) && IsValidUtf8(bytes.sliced(3))) {
    f.encoding = FileEncoding::Utf8WithBom;
    f.text = Utf8Text(bytes.sliced(3));
    return f;
  }
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
  if (!ascii && IsValidUtf8(bytes)) {
    f.encoding = FileEncoding::Utf8;
    f.text = Utf8Text(bytes);
    return f;
  }
  f.text = DecodeAnsi(bytes);
  return f;
}

DecodedBytes DecodeProgramBytes(const QByteArray& bytes) {
  static constexpr char kBom[] = "\xEF\xBB\xBF";
  DecodedBytes f;
  const QByteArrayView view(bytes);
  if (view.startsWith(QByteArrayView(kBom, 3)) && IsValidUtf8(view.sliced(3))) {
    f.encoding = FileEncoding::Utf8WithBom;
    f.utf8 = bytes.mid(3);
    return f;
  }
  const bool ascii = QtPrivate::isAscii(QLatin1StringView(bytes.constData(), bytes.size()));
  if (ascii) {
    f.utf8 = bytes;
    return f;
  }
  if (IsValidUtf8(view)) {
    f.encoding = FileEncoding::Utf8;
    f.utf8 = bytes;
    return f;
  }
  f.utf8 = DecodeAnsi(view).toUtf8();
  return f;
}

QByteArray EncodeProgramFile(QStringView text, FileEncoding encoding, QString* unstorable) {
  switch (encoding) {
    case FileEncoding::Utf8: return text.toUtf8();
    case FileEncoding::Utf8WithBom: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case FileEncoding::Windows1252: break;
  }
  return EncodeAnsi(text, unstorable);
}

LineEnd LastLineEnd(QStringView text, LineEnd otherwise) {
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    if (text[i] == u'\r') return LineEnd::Cr;
    if (text[i] == u'\n') return i > 0 && text[i - 1] == u'\r' ? LineEnd::CrLf : LineEnd::Lf;
  }
  return otherwise;
}

LineEnd LastLineEndOfBytes(QByteArrayView utf8, LineEnd otherwise) {
  for (qsizetype i = utf8.size() - 1; i >= 0; --i) {
    if (utf8[i] == '\r') return LineEnd::Cr;
    if (utf8[i] == '\n') return i > 0 && utf8[i - 1] == '\r' ? LineEnd::CrLf : LineEnd::Lf;
  }
  return otherwise;
}

QString LineEndText(LineEnd end) {
  switch (end) {
    case LineEnd::Lf: return QStringLiteral("\n");
    case LineEnd::Cr: return QStringLiteral("\r");
    case LineEnd::CrLf: break;
  }
  return QStringLiteral("\r\n");
}

QString TrimTrailingBlankLines(const QString& text, LineEnd otherwise) {
  // A text of nothing but line ends (and chr(26)) becomes one line end: its
  // first character kept would be a lone CR before a CR LF.
  qsizetype end = text.size();
  while (end > 0) {
    const QChar c = text[end - 1];
    if (c != u'\r' && c != u'\n' && c != QChar(26)) break;
    --end;
  }
  return text.left(end) + LineEndText(LastLineEnd(text, otherwise));
}

QByteArray TrimTrailingBlankBytes(const QByteArray& utf8, LineEnd otherwise) {
  qsizetype end = utf8.size();
  while (end > 0) {
    const char c = utf8[end - 1];
    if (c != '\r' && c != '\n' && c != char(26)) break;
    --end;
  }
  const LineEnd kind = LastLineEndOfBytes(utf8, otherwise);
  const QByteArray lineEnd = kind == LineEnd::CrLf ? QByteArray("\r\n") : kind == LineEnd::Lf ? "\n" : "\r";
  if (utf8.size() == end + lineEnd.size() && utf8.endsWith(lineEnd)) return utf8;
  return utf8.left(end) + lineEnd;
}

QString ParseTargetComment(const QString& firstLine) {
  QString s = firstLine.left(100).trimmed().toLower();
  s.remove(u'\r');
  qsizetype at = s.indexOf(QStringLiteral("'target"));
  if (at >= 0) s = s.mid(at);
  at = s.indexOf(QStringLiteral("' target"));
  if (at >= 0) s = s.mid(at);
  at = s.indexOf(QStringLiteral(" kw\\"));
  if (at < 0) return QString();
  QString word = s.mid(at + 1);
  const qsizetype blank = word.indexOf(u' ');
  if (blank >= 0) word = word.left(blank);
  return word.section(u'\\', 1, 1);
}

QString InsertBeforeExtension(const QString& path, const QString& suffix) {
  const qsizetype nameStart = path.size() - FileNamePart(path).size();
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot < nameStart || dot < 0) return path + suffix;
  return path.left(dot) + suffix + path.mid(dot);
}

QString SnapshotPath(const QString& path, const QDateTime& when) {
  return InsertBeforeExtension(path, u'_' + when.toString(QStringLiteral("yyMMddHHmm")));
}

QString FirstLine(const QString& text) {
  QString line = text.section(u'\n', 0, 0);
  line.remove(u'\r');
  return line;
}

QString FirstLineOfBytes(QByteArrayView utf8) {
  const qsizetype lf = utf8.indexOf('\n');
  QString line = QString::fromUtf8(lf < 0 ? utf8 : utf8.first(lf));
  line.remove(u'\r');
  return line;
}

}  // namespace vendle
