#include "editor/completion.h"

#include <algorithm>

#include "editor/word_map.h"

namespace vendle {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view word, std::string_view head) {
  if (word.size() < head.size()) return false;
  for (std::size_t i = 0; i < head.size(); ++i)
    if (AsciiLower(word[i]) != AsciiLower(head[i])) return false;
  return true;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) { return a.size() == b.size() && StartsWithIgnoringCase(a, b); }

}  // namespace

std::optional<TypedWord> TypedWordAt(const LexerTables& tables, std::string_view line, std::size_t caret) {
  // The line end is no part of any word.
  std::size_t n = line.size();
  while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) --n;
  line = line.substr(0, n);
  if (line.empty() || caret > line.size()) return std::nullopt;
  LexerPrefix prefix = LexerPrefix::None;
  std::size_t at = 0;
  while (at < line.size()) {
    const LexerToken t = LexerScanToken(tables, line.substr(at), prefix);
    const std::size_t length = std::max<std::size_t>(t.length, 1);
    if (at + length >= caret) return TypedWord{at, length, at + length == caret};
    at += length;
  }
  return std::nullopt;
}

std::optional<std::string> CompletionList(const std::vector<LexerWordRecord>& records, std::string_view typed) {
  if (typed.size() < static_cast<std::size_t>(kAutoCompleteMinLength)) return std::nullopt;
  std::string list;
  for (const LexerWordRecord& r : records) {
    if (!(r.flags & WordAutoComplete) || !StartsWithIgnoringCase(r.word, typed)) continue;
    if (!list.empty()) list += ' ';
    list += r.word;
  }
  if (list.empty() || EqualIgnoringCase(list, typed)) return std::nullopt;
  return list;
}

QString CleanCompletion(const QString& entry) {
  QString text = entry;
  if (text.startsWith(u'~')) text.remove(0, 1);
  text.replace(QStringLiteral("(~"), QStringLiteral("("));
  text.replace(u'~', u' ');
  return text;
}

HintRequest HintWordOf(const QString& raw) {
  QString word = raw.trimmed().toLower();
  word.remove(u'\r');
  word.remove(u'\n');
  word.truncate(3);
  const bool listAll = word.startsWith(u'?') || word.startsWith(u'/');
  return {word, listAll};
}

QStringList FilterHints(const std::vector<QuickHint>& hints, std::uint64_t hintMask, const QString& word) {
  QStringList out;
  for (const QuickHint& h : hints) {
    if (hintMask != 0 && (h.mask & hintMask) == 0) continue;
    const bool match = word.isEmpty() || h.text.left(word.size()).toLower() == word ||
                       (word == QLatin1String("gui") && h.text.startsWith(QLatin1String("TEXT")));
    if (match) out.append(h.text);
  }
  return out;
}

ByteRange HintSelection(std::string_view line, std::intptr_t lineStart, std::intptr_t s, std::intptr_t e) {
  const std::intptr_t lineEnd = lineStart + static_cast<std::intptr_t>(line.size());
  s = std::clamp(s, lineStart, lineEnd);
  e = std::clamp(e, s, lineEnd);
  // The dot is looked for from one character before the word on.
  const std::intptr_t from = std::max(s - 1, lineStart);
  const std::size_t dot = line.substr(static_cast<std::size_t>(from - lineStart),
                                      static_cast<std::size_t>(e - from)).find('.');
  if (dot == std::string_view::npos) return {s, e};
  const std::intptr_t dotPos = from + static_cast<std::intptr_t>(dot);
  return {std::max(dotPos - 2, lineStart), e};
}

QString HintInsertText(const QString& item, bool guiLines, const QString& eol) { return guiLines ? item + eol : item; }

}  // namespace vendle
