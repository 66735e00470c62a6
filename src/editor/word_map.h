// The word map of one editor's lexer: the registered words in the order of
// their first registration, found by their lower-case form. Words, keys and
// the close character are UTF-8 bytes as the editor control holds them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace vendle {

// Flags of a registered word; a registration ORs its flags into the old ones.
enum LexerWordFlag : std::uint64_t {
  WordDelimited = 0x1,        // the one-character word opens a token that runs to its CloseChar
  WordToLineEnd = 0x2,        // the word opens a token that runs to the line end
  WordOpensFold = 0x100000,   // the word opens a fold block
  WordClosesFold = 0x400000,  // the word closes a fold block when "end" precedes it on the line
  WordAutoComplete = 0x800000,
};
// A one-character word with any of these flags ends words and forms tokens
// of its own (in practice the comment and string openers).
inline constexpr std::uint64_t kWordDelimiterFlags = 0xFFFFF;

struct LexerWordRecord {
  std::string word;  // as written at the last registration
  std::int64_t style = 32;
  std::uint64_t flags = 0;
  char closeChar = 0;  // closes a WordDelimited token; 0 never closes one
};

// The key a word is found by: the lower case of its characters. ASCII goes a
// fast way; other valid UTF-8 through Unicode lower case; bytes that are not
// valid UTF-8 are kept as they are, so distinct words keep distinct keys.
std::string WordKey(std::string_view word);

// A key's first eight bytes as one number (in memory order, zero-padded),
// and the hash of a key made from that head, the bytes after it and the
// length; the lexer builds both from the text without copying the word.
inline std::uint64_t KeyHead(std::string_view key) {
  std::uint64_t head = 0;
  if (!key.empty()) std::memcpy(&head, key.data(), std::min<std::size_t>(key.size(), 8));
  return head;
}
inline std::uint32_t KeyHash(std::uint64_t head, const char* rest, std::size_t restLength, std::size_t length) {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  std::uint64_t h = (head ^ length) * kMul;
  for (std::size_t i = 0; i < restLength; ++i) h = (h ^ static_cast<unsigned char>(rest[i])) * kMul;
  return static_cast<std::uint32_t>(h >> 32) ^ static_cast<std::uint32_t>(h);
}
inline std::uint32_t WordHash(std::string_view key) {
  return KeyHash(KeyHead(key), key.data() + std::min<std::size_t>(key.size(), 8),
                 key.size() > 8 ? key.size() - 8 : 0, key.size());
}

class WordMap {
 public:
  WordMap();

  // Registers one word: finds the record of its key or appends a new one,
  // then sets Word and Style and ORs the flags. Returns the record's index,
  // -1 for an empty word.
  int add(std::string_view word, std::int64_t style, std::uint64_t flags);
  // Removes the records of the given words; unknown words are passed over.
  void remove(const std::vector<std::string_view>& words);
  void clear();

  // The record index of a key already in lower case, with its hash, or -1.
  int find(std::string_view key, std::uint32_t hash) const { return find(key, hash, KeyHead(key)); }
  // The same with the key's head given; only the bytes after the head are read from `key`.
  int find(std::string_view key, std::uint32_t hash, std::uint64_t head) const {
    for (std::uint32_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& s = slots_[i];
      if (s.index < 0) return -1;
      if (s.hash == hash && s.head == head && s.length == key.size() &&
          (key.size() <= 8 || std::memcmp(keys_[s.index].data() + 8, key.data() + 8, key.size() - 8) == 0))
        return s.index;
    }
  }
  int find(std::string_view word) const;  // any case

  const std::vector<LexerWordRecord>& records() const { return records_; }
  LexerWordRecord& record(int index) { return records_[index]; }
  const LexerWordRecord& record(int index) const { return records_[index]; }
  std::size_t size() const { return records_.size(); }

 private:
  struct Slot {
    std::uint64_t head = 0;
    std::uint32_t hash = 0;
    std::int32_t index = -1;
    std::size_t length = 0;
  };
  void insertSlot(std::uint32_t hash, int index);
  void rebuildSlots();

  std::vector<LexerWordRecord> records_;
  std::vector<std::string> keys_;        // parallel to records_
  std::vector<std::uint32_t> hashes_;    // parallel to records_
  std::vector<Slot> slots_;              // open addressing, at most half full
  std::uint32_t mask_ = 0;
};

// The pieces of a word list: trimmed, cut at every blank, empty pieces left out.
std::vector<std::string_view> SplitWordList(std::string_view words);

}  // namespace vendle
