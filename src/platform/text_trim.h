// The small character tests, trims and fields of program text, named for
// what they take: "spaces" are U+0020 only (the blank the tools' rules speak of),
// "spaces and tabs" both. Views in, views out: nothing is copied.
#pragma once

#include <QChar>
#include <QStringView>

namespace vendle {

constexpr bool IsSpaceOrTab(char16_t c) { return c == u' ' || c == u'\t'; }
inline bool IsSpaceOrTab(QChar c) { return IsSpaceOrTab(c.unicode()); }
constexpr bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

// "0" to "9" only (not the other digits of Unicode).
constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool IsAsciiDigit(QChar c) { return IsAsciiDigit(c.unicode()); }

// `s` without the spaces at both ends (tabs stay).
inline QStringView TrimSpaces(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && s[b] == u' ') ++b;
  while (e > b && s[e - 1] == u' ') --e;
  return s.sliced(b, e - b);
}

// `s` without the spaces and tabs at both ends.
inline QStringView TrimSpacesAndTabs(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && IsSpaceOrTab(s[b])) ++b;
  while (e > b && IsSpaceOrTab(s[e - 1])) --e;
  return s.sliced(b, e - b);
}

// `s` without the spaces and tabs at its end.
inline QStringView TrimTrailingSpacesAndTabs(QStringView s) {
  qsizetype e = s.size();
  while (e > 0 && IsSpaceOrTab(s[e - 1])) --e;
  return s.first(e);
}

// Field `index` of `s` split at single spaces ("a  b" has an empty field 1),
// empty past the last.
inline QStringView SpaceField(QStringView s, int index) {
  qsizetype at = 0;
  for (int i = 0; i < index; ++i) {
    const qsizetype space = s.indexOf(u' ', at);
    if (space < 0) return {};
    at = space + 1;
  }
  const qsizetype space = s.indexOf(u' ', at);
  return space < 0 ? s.sliced(at) : s.sliced(at, space - at);
}

}  // namespace vendle
