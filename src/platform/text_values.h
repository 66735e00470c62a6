// Reading numbers and words out of text the way the stored formats and
// the program tools expect.
#pragma once

#include <QStringView>
#include <initializer_list>

namespace vendle {

// Like the C library's atol: leading blanks and tabs, an optional sign,
// decimal digits up to the first other character; no digits gives 0.
// Values beyond 64 bits saturate.
qint64 ParseAtol(QStringView text);

// The integer parser of the stored colour and command values: leading blanks
// and tabs, an optional sign, then "$" and hexadecimal digits, "%" and binary
// digits, or decimal digits, up to the first other character; nothing
// usable gives 0. Values beyond 64 bits saturate.
qint64 ParseVal(QStringView text);

// Whether `word` is one of `words`, letter case ignored.
bool IsOneOf(QStringView word, std::initializer_list<QStringView> words);
// Whether `word` is one of `words` exactly, code unit for code unit (a
// lower-cased word against lower-case names: no case folding, so "\u017Fub"
// is no "sub").
inline bool IsExactlyOneOf(QStringView word, std::initializer_list<QStringView> words) {
  for (QStringView w : words)
    if (word == w) return true;
  return false;
}

}  // namespace vendle
