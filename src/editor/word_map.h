// The word map of one editor's lexer: the registered words in the order of
// their first registration, found by their lower-case form. Words, keys and
// the close character are UTF-8 bytes as the editor control holds them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vendle {

// Flags of a registered word; a registration ORs its flags into the old ones.
enum LexerWordFlag : std::uint64_t {
  WordDelimited = 0x1,        // the one-character word opens a token that runs to its CloseChar
  WordToLineEnd = 0x2,        // the one-character word opens a token that runs to the line end
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

// The hash of a key (FNV-1a), in a form the lexer can compute byte by byte.
inline constexpr std::uint32_t kWordHashSeed = 2166136261u;
inline constexpr std::uint32_t WordHashStep(std::uint32_t h, unsigned char c) { return (h ^ c) * 16777619u; }
std::uint32_t WordHash(std::string_view key);

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

  // The record index of a key already in lower case with its hash, or -1.
  int find(std::string_view key, std::uint32_t hash) const {
    for (std::uint32_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& s = slots_[i];
      if (s.index < 0) return -1;
      if (s.hash == hash && keys_[s.index] == key) return s.index;
    }
  }
  int find(std::string_view word) const;  // any case

  const std::vector<LexerWordRecord>& records() const { return records_; }
  LexerWordRecord& record(int index) { return records_[index]; }
  const LexerWordRecord& record(int index) const { return records_[index]; }
  std::size_t size() const { return records_.size(); }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::int32_t index = -1;
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
