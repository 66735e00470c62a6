#include "platform/ansi.h"

#include <QLatin1StringView>
#include <array>

namespace vendle {
namespace {

// 0x80..0x9F of Windows-1252; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

// UTF-16 unit -> byte, or -1 when 1252 has no byte for it.
int UnicodeToAnsi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return 0x80 + i;
  return -1;
}

}  // namespace

char16_t AnsiToUnicode(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b); }

QString DecodeAnsi(QByteArrayView bytes) {
  // ASCII (most files) through the library's vector code.
  if (QtPrivate::isAscii(QLatin1StringView(bytes.data(), bytes.size()))) return QString::fromLatin1(bytes);
  QString out(bytes.size(), Qt::Uninitialized);
  QChar* d = out.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) d[i] = QChar(AnsiToUnicode(static_cast<unsigned char>(bytes[i])));
  return out;
}

QByteArray EncodeAnsi(QStringView text, QString* unmappable) {
  QByteArray out(text.size(), Qt::Uninitialized);
  char* d = out.data();
  qsizetype n = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80) {  // the common case first
      d[n++] = static_cast<char>(c);
      continue;
    }
    const int b = UnicodeToAnsi(c);
    if (b >= 0) {
      d[n++] = static_cast<char>(b);
      continue;
    }
    // One '?' per character, a surrogate pair included.
    QString ch{QChar(c)};
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ch.append(text[++i]);
    d[n++] = '?';
    if (unmappable && !unmappable->contains(ch)) unmappable->append(ch);
  }
  out.truncate(n);
  return out;
}

bool IsAnsiEncodable(QStringView text) {
  for (QChar c : text)
    if (UnicodeToAnsi(c.unicode()) < 0) return false;
  return true;
}

}  // namespace vendle
