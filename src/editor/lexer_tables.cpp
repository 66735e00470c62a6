// The registering operations of a lexer and its byte class table, rebuilt
// after every change so the tokenizer looks up no word per byte.
#include "editor/lexer.h"

namespace vendle {

LexerTables::LexerTables() { rebuildClasses(); }

int LexerTables::addWords(std::string_view words, std::int64_t style, std::uint64_t flags) {
  int count = 0;
  for (std::string_view w : SplitWordList(words)) {
    words_.add(w, style, flags);
    ++count;
  }
  if (count > 0) rebuildClasses();
  return count;
}

int LexerTables::addDelimited(std::string_view openers, std::string_view closer, std::uint64_t flags,
                              std::int64_t style) {
  const int count = addWords(openers, style, flags);
  if (count == 0 || closer.empty() || !(flags & WordDelimited)) return count;
  // Only a single opener has a record of its own; a list with blanks has none.
  const std::vector<std::string_view> pieces = SplitWordList(openers);
  const int index = pieces.size() == 1 ? words_.find(pieces.front()) : -1;
  if (index >= 0) words_.record(index).closeChar = closer.front();
  return count;
}

void LexerTables::removeWords(std::string_view words) {
  const std::vector<std::string_view> list = SplitWordList(words);
  if (list.empty()) words_.clear();
  else words_.remove(list);
  rebuildClasses();
}

bool LexerTables::setOperatorChars(std::string_view chars) {
  if (chars == operatorChars_) return false;
  operatorChars_.assign(chars);
  rebuildClasses();
  return true;
}

bool LexerTables::setNumberStyle(std::int64_t style) {
  if (style == numberStyle_) return false;
  numberStyle_ = style;
  return true;
}

bool LexerTables::setOptions(std::uint64_t options) {
  if (options == options_) return false;
  options_ = options;
  return true;
}

const LexerWordRecord* LexerTables::lookupWord(std::string_view word) const {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
  while (!word.empty() && blank(word.front())) word.remove_prefix(1);
  while (!word.empty() && blank(word.back())) word.remove_suffix(1);
  if (word.empty()) return nullptr;
  const int i = words_.find(word);
  return i < 0 ? nullptr : &words_.record(i);
}

void LexerTables::rebuildClasses() {
  for (int c = 0; c < 256; ++c) {
    std::uint8_t cls = 0;
    int rec = -1;
    // Bytes of multi-byte characters are word bytes: they never end a word.
    if (c < 0x80) {
      const char ch = static_cast<char>(c);
      rec = words_.find(std::string_view(&ch, 1));
      if (c == ' ' || c == '\t') cls |= kBlank;
      if (c == '\r' || c == '\n' || operatorChars_.find(ch) != std::string::npos) cls |= kDelimiter;
      if (rec >= 0 && (words_.record(rec).flags & kWordDelimiterFlags)) cls |= kDelimiter;
      if (c == '\r' || c == '\n') cls |= kLineEnd;
      // "." may start a number even as an operator.
      if ((cls & kDelimiter) && !(cls & kBlank) && rec < 0 && c != '.') cls |= kSingle;
    }
    class_[c] = cls;
    oneChar_[c] = rec;
  }
}

LexerCharInfo LexerLookupChar(const LexerTables& tables, unsigned char c) {
  const int rec = tables.oneCharRecord(c);
  LexerCharInfo info;
  info.delimiter = (tables.charClass(c) & LexerTables::kDelimiter) != 0;
  if (info.delimiter && rec >= 0) info.record = &tables.words().record(rec);
  return info;
}

}  // namespace vendle
