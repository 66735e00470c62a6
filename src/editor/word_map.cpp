#include "editor/word_map.h"

#include <QString>

#include <algorithm>

namespace vendle {

std::string WordKey(std::string_view word) {
  std::string key(word);
  bool ascii = true;
  for (char& c : key) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) ascii = false;
    else if (b >= 'A' && b <= 'Z') c = static_cast<char>(b + 32);
  }
  if (ascii) return key;
  const QString text = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
  const QByteArray back = text.toUtf8();
  if (std::string_view(back.constData(), static_cast<std::size_t>(back.size())) != word) return key;  // not valid UTF-8
  const QByteArray lower = text.toLower().toUtf8();
  return std::string(lower.constData(), static_cast<std::size_t>(lower.size()));
}

std::vector<std::string_view> SplitWordList(std::string_view words) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
  while (!words.empty() && blank(words.front())) words.remove_prefix(1);
  while (!words.empty() && blank(words.back())) words.remove_suffix(1);
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (start <= words.size()) {
    std::size_t end = words.find(' ', start);
    if (end == std::string_view::npos) end = words.size();
    if (end > start) out.push_back(words.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

WordMap::WordMap() { rebuildSlots(); }

int WordMap::find(std::string_view word) const {
  const std::string key = WordKey(word);
  return find(key, WordHash(key));
}

int WordMap::add(std::string_view word, std::int64_t style, std::uint64_t flags) {
  if (word.empty()) return -1;
  std::string key = WordKey(word);
  const std::uint32_t hash = WordHash(key);
  int index = find(key, hash);
  if (index < 0) {
    index = static_cast<int>(records_.size());
    records_.push_back({});
    keys_.push_back(std::move(key));
    hashes_.push_back(hash);
    if ((records_.size() + 1) * 2 > slots_.size()) rebuildSlots();
    else insertSlot(hash, index);
  }
  LexerWordRecord& r = records_[index];
  r.word.assign(word);
  r.style = style;
  r.flags |= flags;
  return index;
}

void WordMap::remove(const std::vector<std::string_view>& words) {
  std::vector<bool> gone(records_.size(), false);
  bool any = false;
  for (std::string_view w : words) {
    const int i = find(w);
    if (i >= 0) gone[i] = any = true;
  }
  if (!any) return;
  std::size_t to = 0;
  for (std::size_t from = 0; from < records_.size(); ++from) {
    if (gone[from]) continue;
    if (to != from) {
      records_[to] = std::move(records_[from]);
      keys_[to] = std::move(keys_[from]);
      hashes_[to] = hashes_[from];
    }
    ++to;
  }
  records_.resize(to);
  keys_.resize(to);
  hashes_.resize(to);
  rebuildSlots();
}

void WordMap::clear() {
  records_.clear();
  keys_.clear();
  hashes_.clear();
  rebuildSlots();
}

void WordMap::insertSlot(std::uint32_t hash, int index) {
  std::uint32_t i = hash & mask_;
  while (slots_[i].index >= 0) i = (i + 1) & mask_;
  slots_[i] = Slot{KeyHead(keys_[index]), hash, static_cast<std::int32_t>(index), keys_[index].size()};
}

void WordMap::rebuildSlots() {
  std::size_t n = 512;
  while (n < (records_.size() + 1) * 4) n *= 2;
  slots_.assign(n, Slot{});
  mask_ = static_cast<std::uint32_t>(n - 1);
  for (std::size_t i = 0; i < records_.size(); ++i) insertSlot(hashes_[i], static_cast<int>(i));
}

}  // namespace vendle
