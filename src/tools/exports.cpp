#include "tools/exports.h"

#include "platform/ansi.h"

namespace vendle {
namespace {

constexpr int kKeyword = 1;
constexpr int kNoStyle = -1;  // before the first character, and at a line start for recasing

int StyleAt(const StyledLine& line, qsizetype i) {
  return i < line.styles.size() ? static_cast<unsigned char>(line.styles[i]) : 0;
}

// The HTML escapes of both HTML exports; a blank is handled by the caller.
void AppendHtmlEscaped(QString& out, QChar c) {
  switch (c.unicode()) {
    case '&': out += QLatin1String("&amp;"); break;
    case '@': out += QLatin1String("&#64;"); break;
    case '%': out += QLatin1String("&#37;"); break;
    case '!': out += QLatin1String("&#33;"); break;
    case '$': out += QLatin1String("&#36;"); break;
    case '<': out += QLatin1String("&lt;"); break;
    case '>': out += QLatin1String("&gt;"); break;
    case '\'': out += QLatin1String("&#39;"); break;
    case '#': out += QLatin1String("&#35;"); break;
    case '\\': out += QLatin1String("&#92;"); break;
    case '/': out += QLatin1String("&#47;"); break;
    case '[': out += QLatin1String("&#91;"); break;
    case ']': out += QLatin1String("&#93;"); break;
    case '\r':
    case '\n': break;
    default: out += c;
  }
}

// A blank becomes "&nbsp;" when the piece written just before on the same
// line was a single blank, so runs of blanks alternate.
struct HtmlLine {
  bool lastPieceBlank = false;
  void put(QString& out, QChar c) {
    if (c == u' ') {
      out += lastPieceBlank ? QLatin1String("&nbsp;") : QLatin1String(" ");
      lastPieceBlank = !lastPieceBlank;
      return;
    }
    AppendHtmlEscaped(out, c);
    lastPieceBlank = false;
  }
};

enum class ForumColour { None, Black, Blue, Brown, Green, Red };

ForumColour ForumColourOf(int style) {
  switch (style) {
    case 0: case 5: case 6: case 7: case 32: return ForumColour::Black;
    case 1: return ForumColour::Blue;
    case 2: return ForumColour::Brown;
    case 3: return ForumColour::Green;
    case 4: return ForumColour::Red;
    default: return ForumColour::None;
  }
}

QLatin1String ForumSwitch(ForumColour c) {
  switch (c) {
    case ForumColour::Black: return QLatin1String("[/COLOR][COLOR=BLACK]");
    case ForumColour::Blue: return QLatin1String("[/COLOR][COLOR=BLUE]");
    case ForumColour::Brown: return QLatin1String("[/COLOR][COLOR=BROWN]");
    case ForumColour::Green: return QLatin1String("[/COLOR][COLOR=GREEN]");
    case ForumColour::Red: return QLatin1String("[/COLOR][COLOR=RED]");
    case ForumColour::None: break;
  }
  return QLatin1String();
}

// The colour HTML switch of a style; empty keeps the current colour.
QLatin1String HtmlColourOf(int style) {
  switch (style) {
    case 1: return QLatin1String("#0000FF");
    case 2: return QLatin1String("#808080");
    case 3: return QLatin1String("#00FF00");
    case 4: return QLatin1String("#FF0000");
    case 5: case 7: return QLatin1String("#FF00FF");
    case 6: return QLatin1String("#964B00");
    case 32: return QLatin1String("#000000");
    default: return QLatin1String();
  }
}

// The RTF colour-table index of a style; 0 writes nothing.
int RtfColourOf(int style) {
  switch (style) {
    case 0: case 5: case 6: case 32: return 1;
    case 1: return 4;
    case 2: return 2;
    case 3: return 5;
    case 4: return 3;
    case 7: return 6;
    default: return 0;
  }
}

QChar Recased(const StyledLine& line, qsizetype i, int mode, ExportFlavour flavour) {
  const QChar c = line.text[i];
  if (StyleAt(line, i) != kKeyword) return c;
  return RecaseKeywordChar(c, i == 0 ? kNoStyle : StyleAt(line, i - 1), mode, flavour);
}

void AppendHex2(QByteArray& out, unsigned v) {
  static const char digits[] = "0123456789abcdef";
  out += "\\'";
  out += digits[(v >> 4) & 15];
  out += digits[v & 15];
}

// One character of RTF text: the three RTF specials escaped, ASCII as it is,
// anything else as its Windows-1252 byte or as a Unicode escape.
void AppendRtfChar(QByteArray& out, QChar c) {
  const char16_t u = c.unicode();
  if (u == '\\' || u == '{' || u == '}') {
    AppendHex2(out, u);
  } else if (u < 0x80) {
    out += static_cast<char>(u);
  } else {
    QString unmappable;
    const QByteArray b = EncodeAnsi(QStringView(&c, 1), &unmappable);
    if (unmappable.isEmpty() && b.size() == 1) {
      AppendHex2(out, static_cast<unsigned char>(b[0]));
    } else {
      out += "\\u";
      out += QByteArray::number(static_cast<int>(static_cast<qint16>(u)));
      out += '?';
    }
  }
}

QByteArray RtfLineNumber(int n) {
  QByteArray s = QByteArray::number(n);
  if (s.size() < 6) s.prepend(QByteArray(6 - s.size(), ' '));
  return s + ' ';
}

}  // namespace

QChar RecaseKeywordChar(QChar c, int previousStyle, int mode, ExportFlavour flavour) {
  switch (mode) {
    case 1: return c.toUpper();
    case 2: return c.toLower();
    case 3:
      if (flavour == ExportFlavour::ColourHtml) return c.toUpper();
      return previousStyle == kKeyword ? c.toLower() : c.toUpper();
    default: return c;
  }
}

QString ForumCode(const QList<StyledLine>& lines, int caseMode) {
  QString out = QStringLiteral("[CODE]");
  for (qsizetype l = 0; l < lines.size(); ++l) {
    if (l > 0) out += u'\r';
    const StyledLine& line = lines[l];
    for (qsizetype i = 0; i < line.text.size(); ++i) out += Recased(line, i, caseMode, ExportFlavour::Forum);
  }
  out += QLatin1String("[/CODE]\r\n");
  return out;
}

QString ForumColourCode(const QList<StyledLine>& lines, int caseMode) {
  QString out = QStringLiteral("[QUOTE][FONT=Courier][COLOR=BLACK]");
  ForumColour last = ForumColour::Black;
  int previous = kNoStyle;
  for (qsizetype l = 0; l < lines.size(); ++l) {
    if (l > 0) out += u'\r';
    const StyledLine& line = lines[l];
    for (qsizetype i = 0; i < line.text.size(); ++i) {
      const int style = StyleAt(line, i);
      if (style != previous) {
        const ForumColour colour = ForumColourOf(style);
        if (colour != ForumColour::None && colour != last) {
          out += ForumSwitch(colour);
          last = colour;
        }
      }
      previous = style;
      const QChar c = Recased(line, i, caseMode, ExportFlavour::Forum);
      switch (c.unicode()) {
        case '\\': out += QLatin1String("&#92;"); break;
        case '/': out += QLatin1String("&#47;"); break;
        case '[': out += QLatin1String("&#91;"); break;
        case ']': out += QLatin1String("&#93;"); break;
        case '\n': break;
        case '\r': out += QLatin1String("&#13;&#10;"); break;
        case ' ': out += QLatin1String("&nbsp;"); break;
        default: out += c;
      }
    }
  }
  out += QLatin1String("[/COLOR][/FONT][/QUOTE]\r\n");
  return out;
}

QString PlainHtml(const QList<StyledLine>& lines) {
  QString out = QStringLiteral("<P><font face=\"Courier New\" size=\"2\">\r");
  for (qsizetype l = 0; l < lines.size(); ++l) {
    if (l > 0) out += QLatin1String("<BR>\r");
    HtmlLine html;
    for (QChar c : lines[l].text) html.put(out, c);
  }
  out += QLatin1String("</font></P>\r\n");
  return out;
}

QString ColourHtml(const QList<StyledLine>& lines, int caseMode) {
  QString out = QStringLiteral("<P><font face=\"Courier New\" size=\"2\"><font color=\"#000000\">\r");
  QLatin1String last;  // no colour counts as written yet
  for (qsizetype l = 0; l < lines.size(); ++l) {
    if (l > 0) out += QLatin1String("<BR>\r");
    const StyledLine& line = lines[l];
    HtmlLine html;
    for (qsizetype i = 0; i < line.text.size(); ++i) {
      const QLatin1String colour = HtmlColourOf(StyleAt(line, i));
      if (!colour.isEmpty() && colour != last) {
        out += QLatin1String("</font><font color=\"") + colour + QLatin1String("\">");
        last = colour;
        html.lastPieceBlank = false;
      }
      html.put(out, Recased(line, i, caseMode, ExportFlavour::ColourHtml));
    }
  }
  out += QLatin1String("</font></font></P>\r\n");
  return out;
}

QByteArray RtfDocument(const QString& text, const QByteArray& styles, const RtfOptions& options) {
  QByteArray out;
  out.reserve(text.size() * 2 + 512);
  out += "{\\rtf1\\ansi\\deff0 {\\fonttbl {\\f0\\fmodern Courier;}}\r\n";
  out += "{\\colortbl;\\red0\\green0\\blue0;\\red127\\green127\\blue127;\\red255\\green0\\blue0;"
         "\\red0\\green0\\blue255;\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green255\\blue255;}\r\n";
  out += "{\\header \\pard\\qc\\plain\\f0\\fs20\\cf1\\i { ";
  for (QChar c : options.path) AppendRtfChar(out, c);
  out += "   page \\chpgn}\\line\\par}\r\n";
  out += "\\margl720\\margr720\\margt720\\margb720\\cf1\\cb7\\";
  out += options.fontSize.toLatin1();
  out += " \r\n";

  int lastColour = 1;
  int previous = kNoStyle;
  int recasePrevious = kNoStyle;  // a line start is "no keyword before"
  bool checkColour = false;       // set after a line number, which wrote black
  int number = 1;
  if (options.lineNumbers) out += RtfLineNumber(number);
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    const int style = i < styles.size() ? static_cast<unsigned char>(styles[i]) : 0;
    if (style != previous || checkColour) {
      const int colour = RtfColourOf(style);
      if (colour != 0 && colour != lastColour) {
        out += "\\cf" + QByteArray::number(colour) + ' ';
        lastColour = colour;
      }
      checkColour = false;
    }
    previous = style;
    if (c == u'\r' || c == u'\n') {
      // CR LF is one line end; a lone CR ends a line like LF.
      if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') continue;
      out += "\r\n\\line ";
      if (options.lineNumbers) {
        if (lastColour != 1) {
          out += "\\cf1 ";
          lastColour = 1;
        }
        out += RtfLineNumber(++number);
        checkColour = true;
      } else {
        out += '\n';
      }
      recasePrevious = kNoStyle;
      continue;
    }
    const QChar shown = style == kKeyword ? RecaseKeywordChar(c, recasePrevious, options.caseMode, ExportFlavour::Forum) : c;
    recasePrevious = style;
    AppendRtfChar(out, shown);
  }
  out += "}\r\n";
  return out;
}

StyledText DecodeStyledUtf8(const QByteArray& utf8, const QByteArray& byteStyles) {
  StyledText r;
  r.text.reserve(utf8.size());
  r.styles.reserve(utf8.size());
  const qsizetype n = utf8.size();
  auto styleOf = [&](qsizetype i) { return i < byteStyles.size() ? byteStyles[i] : char(0); };
  for (qsizetype i = 0; i < n;) {
    const unsigned char b = static_cast<unsigned char>(utf8[i]);
    int len = 1;
    char32_t cp = b;
    if (b >= 0xC2 && b <= 0xDF) { len = 2; cp = b & 0x1F; }
    else if (b >= 0xE0 && b <= 0xEF) { len = 3; cp = b & 0x0F; }
    else if (b >= 0xF0 && b <= 0xF4) { len = 4; cp = b & 0x07; }
    else if (b >= 0x80) { len = 0; }  // a stray continuation or invalid lead byte
    bool ok = len > 0 && i + len <= n;
    for (int k = 1; ok && k < len; ++k) {
      const unsigned char cb = static_cast<unsigned char>(utf8[i + k]);
      if ((cb & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (cb & 0x3F);
    }
    if (ok && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
      ok = false;
    const char style = styleOf(i);
    if (!ok) {
      r.text += QChar(0xFFFD);
      r.styles += style;
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      r.text += QChar(QChar::highSurrogate(cp));
      r.text += QChar(QChar::lowSurrogate(cp));
      r.styles += style;
      r.styles += style;
    } else {
      r.text += QChar(static_cast<char16_t>(cp));
      r.styles += style;
    }
    i += len;
  }
  return r;
}

}  // namespace vendle
