#include "editor/ascii_convert.h"

namespace vendle {

QStringView AsciiReplacementOf(char16_t c) {
  switch (c) {
    case 132: case 147: case 8220: case 8221: case 8222: case 8223:
      return u"\"";
    case 145: case 146: case 8216: case 8217:
      return u"'";
    case 160: case 12288: case 65533:
      return u" ";
    case 163: case 65505:
      return u"UKP";
    case 174:
      return u"(R)";
    case 176: case 61616:
      return u"`";
    case 177: case 61617:
      return u"+-";
    case 181: case 956: case 61549:
      return u"u";
    case 937: case 8486:
      return u"ohm";
    case 61485:
      return u"-";
    case 8224: case 61550:
      return u"*";
    case 8226:
      return u":";
    case 8364:
      return u"euro";
    case 8451:
      return u"`C";
    case 8457:
      return u"`F";
    case 8482:
      return u"(TM)";
    case 61620:
      return u"x";
    case 61667:
      return u"(C)";
    case 61669:
      return u"sigma";
    default:
      break;
  }
  if (c >= 8192 && c <= 8202) return u" ";  // the typographic spaces
  if (c >= 8208 && c <= 8212) return u"-";  // hyphens and dashes
  return u"?";
}

QString ConvertToAscii(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (QChar ch : text) {
    const char16_t c = ch.unicode();
    if (c < 128)
      out.append(ch);
    else
      out.append(AsciiReplacementOf(c));
  }
  return out;
}

}  // namespace vendle
