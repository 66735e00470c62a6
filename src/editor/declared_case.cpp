#include "editor/declared_case.h"

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "editor/word_map.h"

namespace vendle {

std::vector<CaseEdit> DeclaredCaseEdits(QByteArrayView text, const QStringList& spellings,
                                        QByteArrayView wordCharacters) {
  std::array<bool, 256> word{};
  for (char c : wordCharacters) word[static_cast<unsigned char>(c)] = true;
  for (int c = 0x80; c < 256; ++c) word[size_t(c)] = true;
  std::unordered_map<std::string, QByteArray> declared;
  for (const QString& s : spellings) {
    const QByteArray bytes = s.toUtf8();
    if (!bytes.isEmpty()) declared[WordKey(std::string_view(bytes.constData(), size_t(bytes.size())))] = bytes;
  }
  std::vector<CaseEdit> out;
  if (declared.empty()) return out;
  const auto isWord = [&](qsizetype i) { return word[static_cast<unsigned char>(text[i])]; };
  const auto isSuffix = [&](qsizetype i) {
    const char c = text[i];
    return (c == '$' || c == '%' || c == '!' || c == '&') && !isWord(i);
  };
  const auto note = [&](qsizetype at, qsizetype length) {
    const std::string_view use(text.data() + at, size_t(length));
    const auto it = declared.find(WordKey(use));
    if (it == declared.end() || std::string_view(it->second.constData(), size_t(it->second.size())) == use)
      return false;
    out.push_back({at, length, it->second});
    return true;
  };
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n;) {
    if (!isWord(i)) {
      ++i;
      continue;
    }
    qsizetype end = i;
    while (end < n && isWord(end)) ++end;
    // With its suffix, when no other punctuation follows it (the control's
    // whole words end where the kind of character changes).
    const bool suffixed = end < n && isSuffix(end) &&
                          (end + 1 == n || isWord(end + 1) || static_cast<unsigned char>(text[end + 1]) <= ' ');
    if (!(suffixed && note(i, end + 1 - i))) note(i, end - i);
    i = end;
  }
  return out;
}

}  // namespace vendle
