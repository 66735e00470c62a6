#include "settings/preference_file.h"

#include <QStringEncoder>
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/ansi.h"
#include "platform/text_lines.h"
#include "platform/text_trim.h"

namespace vendle {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// A hash that ignores the case of ASCII letters: every unit gets the 0x20
// bit, which only makes a few other names share a hash (the comparison tells
// them apart). Four units at a time; `ascii` tells whether all were ASCII.
std::size_t CaselessUnitsHash(QStringView s, bool* ascii) {
  constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t h = 14695981039346656037ull;
  std::uint64_t high = 0;
  const char16_t* p = s.utf16();
  const qsizetype n = s.size();
  qsizetype i = 0;
  for (; i + 4 <= n; i += 4) {
    std::uint64_t w;
    std::memcpy(&w, p + i, sizeof w);
    high |= w;
    h = (h ^ (w | 0x0020002000200020ull)) * kPrime;
    h ^= h >> 29;
  }
  for (; i < n; ++i) {
    high |= p[i];
    h = (h ^ (p[i] | 0x20u)) * kPrime;
  }
  *ascii = (high & 0xFF80FF80FF80FF80ull) == 0;
  return static_cast<std::size_t>(h);
}

}  // namespace

// Names that are ASCII (nearly all) are hashed as they stand; any other is
// folded first, as the comparison folds it.
std::size_t CaseFoldedHash::operator()(QStringView name) const noexcept {
  bool ascii = true;
  const std::size_t h = CaselessUnitsHash(name, &ascii);
  return ascii ? h : CaselessUnitsHash(name.toString().toCaseFolded(), &ascii);
}

bool CaseFoldedEqual::operator()(QStringView a, QStringView b) const noexcept {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString DecodePreferenceText(QByteArrayView bytes) {
  if (bytes.startsWith(QByteArrayView(kBom, 3))) return QString::fromUtf8(bytes.sliced(3));
  return DecodeAnsi(bytes);
}

namespace {

// The key index mixes the section into the key's hash.
std::size_t KeyHash(qsizetype section, QStringView key) {
  return CaseFoldedHash{}(key) ^ (std::size_t(section) * 0xC2B2AE3D27D4EB4Full);
}

}  // namespace

PreferenceFile PreferenceFile::Parse(QByteArrayView bytes) {
  PreferenceFile f;
  f.text_ = DecodePreferenceText(bytes);
  const QStringView all(f.text_);
  ForEachLine(all, [&](const TextLine& at) {
    QStringView line = all.sliced(at.start, at.length);
    qsizetype i = 0;
    while (i < line.size() && IsSpaceOrTab(line[i])) ++i;
    line = line.sliced(i);
    if (line.isEmpty() || line.front() == u';') return;
    if (line.front() == u'[') {
      const qsizetype close = line.indexOf(u']');
      const qsizetype first = qsizetype(f.entries_.size());
      f.sections_.push_back({close < 0 ? line.sliced(1) : line.sliced(1, close - 1), first, first});
      return;
    }
    if (f.sections_.empty()) return;  // key lines before the first group belong to none
    const qsizetype eq = line.indexOf(u'=');
    f.entries_.push_back({TrimTrailingSpacesAndTabs(eq < 0 ? line : line.first(eq)),
                          eq < 0 ? QStringView() : TrimSpacesAndTabs(line.sliced(eq + 1))});
    f.sections_.back().end = qsizetype(f.entries_.size());
  });

  const CaseFoldedHash hash;
  const CaseFoldedEqual equal;
  f.firstSection_.build(
      qsizetype(f.sections_.size()), [&](qsizetype i) { return hash(f.sections_[std::size_t(i)].name); },
      [&](qsizetype a, qsizetype b) { return equal(f.sections_[std::size_t(a)].name, f.sections_[std::size_t(b)].name); });
  // Entries come section by section; `section` follows the build's order.
  qsizetype section = 0;
  f.firstKey_.build(
      qsizetype(f.entries_.size()),
      [&](qsizetype i) {
        while (f.sections_[std::size_t(section)].end <= i) ++section;
        return KeyHash(section, f.entries_[std::size_t(i)].key);
      },
      [&](qsizetype a, qsizetype b) {
        return a >= f.sections_[std::size_t(section)].begin &&
               equal(f.entries_[std::size_t(a)].key, f.entries_[std::size_t(b)].key);
      });
  return f;
}

qsizetype PreferenceFile::sectionAt(QStringView group) const {
  return firstSection_.find(CaseFoldedHash{}(group),
                            [&](qsizetype i) { return CaseFoldedEqual{}(sections_[std::size_t(i)].name, group); });
}

std::optional<QString> PreferenceFile::Group::value(QStringView key) const {
  if (section_ < 0) return std::nullopt;
  const Section& sec = file_->sections_[std::size_t(section_)];
  const qsizetype at = file_->firstKey_.find(KeyHash(section_, key), [&](qsizetype i) {
    return i >= sec.begin && i < sec.end && CaseFoldedEqual{}(file_->entries_[std::size_t(i)].key, key);
  });
  if (at < 0) return std::nullopt;
  return file_->entries_[std::size_t(at)].value.toString();
}

std::span<const PreferenceFile::Entry> PreferenceFile::Group::entries() const {
  if (section_ < 0) return {};
  const Section& sec = file_->sections_[std::size_t(section_)];
  return std::span<const Entry>(file_->entries_).subspan(std::size_t(sec.begin), std::size_t(sec.end - sec.begin));
}

PreferenceWriter::PreferenceWriter() {
  bytes_.reserve(8192);  // the settings file in one piece
  bytes_.append(kBom, 3).append("\r\n");
}
void PreferenceWriter::group(const QString& name) {
  group_ = name;
  groupWritten_ = false;
}

void PreferenceWriter::comment(QStringView text) {
  startEntry();
  bytes_ += "; ";
  append(text);
  bytes_ += "\r\n";
}

void PreferenceWriter::key(QStringView name, QStringView value) {
  startEntry();
  append(name);
  bytes_ += " = ";
  append(value);
  bytes_ += "\r\n";
}

void PreferenceWriter::startEntry() {
  if (groupWritten_) return;
  if (anyGroup_) bytes_ += "\r\n";
  bytes_ += '[';
  append(group_);
  bytes_ += "]\r\n";
  groupWritten_ = true;
  anyGroup_ = true;
}

void PreferenceWriter::append(QStringView text) {
  // Each piece on its own: a lone surrogate becomes U+FFFD here, never joined
  // with the next piece. CR and LF are single bytes in UTF-8.
  QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  const qsizetype at = bytes_.size();
  bytes_.resize(at + utf8.requiredSpace(text.size()));
  char* const end = utf8.appendToBuffer(bytes_.data() + at, text);
  bytes_.truncate(end - bytes_.constData());
  if (!HasLineBreak(text)) return;
  for (char* c = bytes_.data() + at; c != bytes_.data() + bytes_.size(); ++c)
    if (*c == '\r' || *c == '\n') *c = ' ';
}

bool HasLineBreak(QStringView text) { return text.contains(u'\r') || text.contains(u'\n'); }

}  // namespace vendle
