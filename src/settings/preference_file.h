// The INI-style text of "Vendle5.inf", "Ravolt.inf" and the language files:
// a reader over the file's bytes and a writer that builds them.
//
// Reading: bytes that begin with EF BB BF are UTF-8 (the mark is skipped),
// any other bytes are ANSI (Windows-1252). Lines end at CR LF, LF or a lone
// CR. Group and key names compare without regard to case; a key is looked up
// in the first section of its group only, and the first matching key wins.
// Names and values are UTF-16.
//
// Writing: UTF-8 with the mark and an empty first line, CR LF after every
// line, a group line just before the group's first entry and an empty line
// before every group line but the first. No text written ever holds CR or
// LF: they become blanks.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace vendle {

// Bytes on disk -> text: UTF-8 after a byte-order mark, else Windows-1252.
QString DecodePreferenceText(QByteArrayView bytes);

// Group and key names matched regardless of case: the hash ignores the case
// of ASCII letters (other names are folded first), the comparison ignores
// all case, as the hash does.
struct CaseFoldedHash {
  std::size_t operator()(QStringView name) const noexcept;
};
struct CaseFoldedEqual {
  bool operator()(QStringView a, QStringView b) const noexcept;
};

// Name -> position of its first occurrence, open addressing over the hashes.
// Built once over all the names, so it never grows: one allocation.
class FirstIndex {
 public:
  // `count` names; `hashAt(i)` is the hash of name i, asked for 0, 1, ... in
  // order; `same(i, j)` whether names i < j are one name. A later duplicate
  // is left out.
  template <class HashAt, class Same>
  void build(qsizetype count, HashAt hashAt, Same same);
  // The first position whose hash is `hash` and for which `is(i)` holds, or -1.
  template <class Is>
  qsizetype find(std::size_t hash, Is is) const;

 private:
  struct Slot {
    std::size_t hash = 0;
    qsizetype at = -1;  // -1: empty
  };
  std::size_t home(std::size_t hash) const { return std::size_t((hash * 0x9E3779B97F4A7C15ull) >> shift_); }
  std::vector<Slot> slots_;
  int shift_ = 64;
};

class PreferenceFile {
 public:
  // A key line of the file: views into the file's text, which the
  // PreferenceFile holds (copies share it, moves keep it in place).
  struct Entry {
    QStringView key;
    QStringView value;
  };

  // The first section of a group, looked up once for the many keys read
  // from it. Valid while its file lives; a missing group has no keys.
  class Group {
   public:
    Group() = default;  // no group: no keys
    bool exists() const { return section_ >= 0; }
    std::optional<QString> value(QStringView key) const;
    QString text(QStringView key, const QString& fallback) const { return value(key).value_or(fallback); }
    std::span<const Entry> entries() const;
    qsizetype keyCount() const { return qsizetype(entries().size()); }

   private:
    friend class PreferenceFile;
    Group(const PreferenceFile* file, qsizetype section) : file_(file), section_(section) {}
    const PreferenceFile* file_ = nullptr;
    qsizetype section_ = -1;
  };

  PreferenceFile() = default;  // an empty file: every lookup misses
  static PreferenceFile Parse(QByteArrayView bytes);

  Group group(QStringView name) const& { return Group(this, sectionAt(name)); }
  Group group(QStringView name) const&& = delete;

  bool hasGroup(QStringView group) const { return sectionAt(group) >= 0; }
  // The value of `key` in the first section of `group`, or nothing when the
  // group or the key is missing. A key line without "=" has the value "".
  std::optional<QString> value(QStringView group, QStringView key) const { return this->group(group).value(key); }
  QString text(QStringView group, QStringView key, const QString& fallback) const {
    return value(group, key).value_or(fallback);
  }
  // The key lines of the first section of `group`, in file order, duplicates kept.
  std::span<const Entry> entries(QStringView group) const& { return this->group(group).entries(); }
  // Not on a temporary file: the entries would not outlive it.
  std::span<const Entry> entries(QStringView group) const&& = delete;
  qsizetype keyCount(QStringView group) const { return this->group(group).keyCount(); }

 private:
  struct Section {
    QStringView name;
    qsizetype begin = 0, end = 0;  // its entries_
  };
  qsizetype sectionAt(QStringView group) const;

  QString text_;
  std::vector<Entry> entries_;
  std::vector<Section> sections_;
  FirstIndex firstSection_;  // group name -> its first section
  FirstIndex firstKey_;      // (section, key name) -> its first entry
};

class PreferenceWriter {
 public:
  PreferenceWriter();

  // Starts a group; its line is written with the group's first entry.
  void group(const QString& name);
  void comment(QStringView text);
  void key(QStringView name, QStringView value);
  void key(QStringView name, qint64 value) { key(name, QString::number(value)); }

  const QByteArray& bytes() const { return bytes_; }

 private:
  void startEntry();
  // `text` as UTF-8 with its line breaks as blanks.
  void append(QStringView text);

  QByteArray bytes_;
  QString group_;
  bool groupWritten_ = true;  // nothing to write before a group is started
  bool anyGroup_ = false;
};

bool HasLineBreak(QStringView text);

template <class HashAt, class Same>
void FirstIndex::build(qsizetype count, HashAt hashAt, Same same) {
  int bits = 1;
  while ((qsizetype(1) << bits) < 2 * count) ++bits;  // at most half full
  shift_ = 64 - bits;
  slots_.assign(std::size_t(1) << bits, Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (qsizetype i = 0; i < count; ++i) {
    const std::size_t h = hashAt(i);
    for (std::size_t k = home(h);; k = (k + 1) & mask) {
      Slot& slot = slots_[k];
      if (slot.at < 0) {
        slot = {h, i};
        break;
      }
      if (slot.hash == h && same(slot.at, i)) break;  // the first one wins
    }
  }
}

template <class Is>
qsizetype FirstIndex::find(std::size_t hash, Is is) const {
  if (slots_.empty()) return -1;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t k = home(hash);; k = (k + 1) & mask) {
    const Slot& slot = slots_[k];
    if (slot.at < 0) return -1;
    if (slot.hash == hash && is(slot.at)) return slot.at;
  }
}

}  // namespace vendle
