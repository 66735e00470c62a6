#include "platform/text_values.h"

#include <limits>

namespace vendle {
namespace {

int DigitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  int v = -1;
  if (u >= '0' && u <= '9') v = u - '0';
  else if (u >= 'a' && u <= 'f') v = u - 'a' + 10;
  else if (u >= 'A' && u <= 'F') v = u - 'A' + 10;
  return v >= 0 && v < base ? v : -1;
}

qint64 ParseDigits(QStringView t, qsizetype i, int base, bool negative) {
  // Accumulate as unsigned so that overflow is detected, then saturate.
  const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                 : quint64(std::numeric_limits<qint64>::max());
  quint64 v = 0;
  bool saturated = false;
  for (; i < t.size(); ++i) {
    const int d = DigitValue(t[i], base);
    if (d < 0) break;
    if (!saturated) {
      if (v > (limit - d) / base) {
        v = limit;
        saturated = true;
      } else {
        v = v * base + d;
      }
    }
  }
  if (negative) return v == limit ? std::numeric_limits<qint64>::min() : -qint64(v);
  return qint64(v);
}

qsizetype SkipBlanks(QStringView t) {
  qsizetype i = 0;
  while (i < t.size() && (t[i] == u' ' || t[i] == u'\t')) ++i;
  return i;
}

}  // namespace

qint64 ParseAtol(QStringView t) {
  qsizetype i = SkipBlanks(t);
  bool neg = false;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) neg = t[i++] == u'-';
  return ParseDigits(t, i, 10, neg);
}

qint64 ParseVal(QStringView t) {
  qsizetype i = SkipBlanks(t);
  bool neg = false;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) neg = t[i++] == u'-';
  int base = 10;
  if (i < t.size() && t[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < t.size() && t[i] == u'%') {
    base = 2;
    ++i;
  }
  return ParseDigits(t, i, base, neg);
}

bool IsOneOf(QStringView word, std::initializer_list<QStringView> words) {
  for (QStringView w : words)
    if (word.compare(w, Qt::CaseInsensitive) == 0) return true;
  return false;
}

}  // namespace vendle
