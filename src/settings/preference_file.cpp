#include "settings/preference_file.h"

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

// Keys and groups are matched ignoring case. Nearly all are ASCII, which is
// folded here directly; Qt's full case folding is many times slower.
QString FoldCase(QStringView s) {
  QString out(s.size(), Qt::Uninitialized);
  QChar* o = out.data();
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char16_t c = s[i].unicode();
    if (c >= 0x80) return s.toString().toCaseFolded();
    o[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
  }
  return out;
}

}  // namespace

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
      const QString folded = FoldCase(name);
      if (!f.firstSection_.contains(folded)) f.firstSection_.insert(folded, qsizetype(f.sections_.size() - 1));
      continue;
    }
    if (!current) continue;
    const qsizetype eq = line.indexOf(u'=');
    const QString key = TrimTrailingBlanks(eq < 0 ? line : line.first(eq)).toString();
    const QString value = eq < 0 ? QString() : TrimBlanks(line.sliced(eq + 1)).toString();
    const QString folded = FoldCase(key);
    if (!current->firstIndex.contains(folded)) current->firstIndex.insert(folded, qsizetype(current->entries.size()));
    current->entries.emplace_back(key, value);
  }
  return f;
}

const PreferenceFile::Section* PreferenceFile::section(QStringView group) const {
  const auto it = firstSection_.constFind(FoldCase(group));
  return it == firstSection_.cend() ? nullptr : &sections_[std::size_t(*it)];
}

bool PreferenceFile::hasGroup(QStringView group) const { return section(group) != nullptr; }

std::optional<QString> PreferenceFile::value(QStringView group, QStringView key) const {
  const Section* s = section(group);
  if (!s) return std::nullopt;
  const auto it = s->firstIndex.constFind(FoldCase(key));
  if (it == s->firstIndex.cend()) return std::nullopt;
  return s->entries[std::size_t(*it)].second;
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
