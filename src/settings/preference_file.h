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
#include <unordered_map>
#include <utility>
#include <vector>

namespace vendle {

// Bytes on disk -> text: UTF-8 after a byte-order mark, else Windows-1252.
QString DecodePreferenceText(QByteArrayView bytes);

// Group and key names as keys of a map, matched regardless of case without
// folding a copy of the name for every lookup (a name given as a view is
// found directly).
struct CaseFoldedHash {
  using is_transparent = void;
  std::size_t operator()(QStringView name) const noexcept;
};
struct CaseFoldedEqual {
  using is_transparent = void;
  bool operator()(QStringView a, QStringView b) const noexcept;
};
using CaseFoldedIndex = std::unordered_map<QString, qsizetype, CaseFoldedHash, CaseFoldedEqual>;

class PreferenceFile {
 public:
  PreferenceFile() = default;  // an empty file: every lookup misses
  static PreferenceFile Parse(QByteArrayView bytes);

  bool hasGroup(QStringView group) const;
  // The value of `key` in the first section of `group`, or nothing when the
  // group or the key is missing. A key line without "=" has the value "".
  std::optional<QString> value(QStringView group, QStringView key) const;
  QString text(QStringView group, QStringView key, const QString& fallback) const {
    return value(group, key).value_or(fallback);
  }
  // The key lines of the first section of `group`, in file order, duplicates kept.
  const std::vector<std::pair<QString, QString>>& entries(QStringView group) const&;
  // Not on a temporary file: the entries would not outlive it.
  const std::vector<std::pair<QString, QString>>& entries(QStringView group) const&& = delete;
  qsizetype keyCount(QStringView group) const { return qsizetype(entries(group).size()); }

 private:
  struct Section {
    std::vector<std::pair<QString, QString>> entries;
    CaseFoldedIndex firstIndex;  // key -> its first entry
  };
  const Section* section(QStringView group) const;

  std::vector<Section> sections_;
  CaseFoldedIndex firstSection_;  // group name -> its first section
};

class PreferenceWriter {
 public:
  PreferenceWriter();

  // Starts a group; its line is written with the group's first entry.
  void group(const QString& name);
  void comment(const QString& text);
  void key(const QString& name, const QString& value);
  void key(const QString& name, qint64 value) { key(name, QString::number(value)); }

  const QByteArray& bytes() const { return bytes_; }

 private:
  void startEntry();
  void line(const QString& text);

  QByteArray bytes_;
  QString group_;
  bool groupWritten_ = true;  // nothing to write before a group is started
  bool anyGroup_ = false;
};

// `text` with every CR and LF replaced by a blank.
QString WithoutLineBreaks(QString text);
bool HasLineBreak(QStringView text);

}  // namespace vendle
