#include "settings/preference_file.h"

#include <cstdint>
#include <cstring>

#include "platform/ansi.h"

namespace vendle {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView TrimBlanks(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.sliced(b, e - b);
}

QStringView TrimTrailingBlanks(QStringView s) {
  qsizetype e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return s.first(e);
}

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

PreferenceFile PreferenceFile::Parse(QByteArrayView bytes) {
  PreferenceFile f;
  const QString text = DecodePreferenceText(bytes);
  const QStringView all(text);
  Section* current = nullptr;  // key lines before the first group belong to none
  qsizetype pos = 0;
  while (pos < all.size()) {
    qsizetype end = pos;
    while (end < all.size() && all[end] != u'\r' && all[end] != u'\n') ++end;
    QStringView line = all.sliced(pos, end - pos);
    pos = end;
    if (pos < all.size()) {
      if (all[pos] == u'\r' && pos + 1 < all.size() && all[pos + 1] == u'\n') ++pos;
      ++pos;
    }

    qsizetype i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    line = line.sliced(i);
    if (line.isEmpty() || line.front() == u';') continue;
    if (line.front() == u'[') {
      const qsizetype close = line.indexOf(u']');
      const QString name = (close < 0 ? line.sliced(1) : line.sliced(1, close - 1)).toString();
      f.sections_.emplace_back();
      current = &f.sections_.back();
      f.firstSection_.try_emplace(name, qsizetype(f.sections_.size() - 1));  // the first one wins
      continue;
    }
    if (!current) continue;
    const qsizetype eq = line.indexOf(u'=');
    const QString key = TrimTrailingBlanks(eq < 0 ? line : line.first(eq)).toString();
    const QString value = eq < 0 ? QString() : TrimBlanks(line.sliced(eq + 1)).toString();
    current->firstIndex.try_emplace(key, qsizetype(current->entries.size()));  // the first one wins
    current->entries.emplace_back(key, value);
  }
  return f;
}

const PreferenceFile::Section* PreferenceFile::section(QStringView group) const {
  const auto it = firstSection_.find(group);
  return it == firstSection_.end() ? nullptr : &sections_[std::size_t(it->second)];
}

bool PreferenceFile::hasGroup(QStringView group) const { return section(group) != nullptr; }

std::optional<QString> PreferenceFile::value(QStringView group, QStringView key) const {
  const Section* s = section(group);
  if (!s) return std::nullopt;
  const auto it = s->firstIndex.find(key);
  if (it == s->firstIndex.end()) return std::nullopt;
  return s->entries[std::size_t(it->second)].second;
}

const std::vector<std::pair<QString, QString>>& PreferenceFile::entries(QStringView group) const& {
  static const std::vector<std::pair<QString, QString>> kNone;
  const Section* s = section(group);
  return s ? s->entries : kNone;
}

PreferenceWriter::PreferenceWriter() { bytes_ = QByteArray(kBom, 3) + "\r\n"; }

void PreferenceWriter::group(const QString& name) {
  group_ = name;
  groupWritten_ = false;
}

void PreferenceWriter::comment(const QString& text) {
  startEntry();
  line(QStringLiteral("; ") + text);
}

void PreferenceWriter::key(const QString& name, const QString& value) {
  startEntry();
  line(name + QStringLiteral(" = ") + value);
}

void PreferenceWriter::startEntry() {
  if (groupWritten_) return;
  if (anyGroup_) bytes_ += "\r\n";
  line(QLatin1Char('[') + group_ + QLatin1Char(']'));
  groupWritten_ = true;
  anyGroup_ = true;
}

void PreferenceWriter::line(const QString& text) {
  bytes_ += WithoutLineBreaks(text).toUtf8();
  bytes_ += "\r\n";
}

QString WithoutLineBreaks(QString text) {
  for (QChar& c : text)
    if (c == u'\r' || c == u'\n') c = u' ';
  return text;
}

bool HasLineBreak(QStringView text) { return text.contains(u'\r') || text.contains(u'\n'); }

}  // namespace vendle
