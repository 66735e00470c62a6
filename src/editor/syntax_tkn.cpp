#include "editor/syntax_tkn.h"

#include <QHash>
#include <algorithm>
#include <iterator>
#include <set>

namespace vendle {

namespace {

const QString kParametersLine = QStringLiteral("***parameters***");
const QString kMultiWordLine = QStringLiteral("***multiword***");

// Blank-separated words; runs of blanks give no empty words.
QStringList Words(QStringView text) {
  QStringList out;
  for (QStringView w : text.split(u' ', Qt::SkipEmptyParts)) out.append(w.toString());
  return out;
}

// Every letter lowered on its own, so that comparing folded words compares
// letters without case one for one.
QString FoldedPerLetter(const QString& w) {
  QString out = w;
  for (QChar& c : out) c = c.toLower();
  return out;
}

qsizetype CommonPrefix(const QString& a, const QString& b) {
  const qsizetype n = std::min(a.size(), b.size());
  qsizetype i = 0;
  while (i < n && a.at(i) == b.at(i)) ++i;
  return i;
}

}  // namespace

QStringList SplitUtf8Lines(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  QStringList lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    const qsizetype next = end < 0 ? bytes.size() : end + 1;
    if (end < 0) end = bytes.size();
    qsizetype stop = end;
    if (stop > start && bytes.at(stop - 1) == '\r') --stop;
    lines.append(QString::fromUtf8(bytes.sliced(start, stop - start)));
    start = next;
  }
  return lines;
}

SyntaxEntry ParseTknFile(const QString& name, QByteArrayView utf8) {
  SyntaxEntry e;
  e.name = name;
  const QStringList lines = SplitUtf8Lines(utf8);
  if (lines.isEmpty()) return e;
  e.description = lines.first().trimmed();
  QString section = QStringLiteral(" ");
  int number = 1;  // 1 keywords, 2 parameters, 3 multi-words
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QString line = lines.at(i).trimmed();
    if (line == kParametersLine) {
      e.keywords = section;
      section = QStringLiteral(" ");
      number = 2;
    } else if (line == kMultiWordLine) {
      e.parameters = section;
      section = QStringLiteral(" ");
      number = 3;
    } else if (!line.isEmpty()) {
      section += line + u' ';
    }
  }
  switch (number) {
    case 1: e.keywords = section; break;
    case 2: e.parameters = section; break;
    default: e.multiWords = section; break;
  }
  return e;
}

QString LastTknSection(const SyntaxEntry& entry) {
  // The multi-words are only stored when the file ends in them, and the
  // parameters, when the file does not end in the multi-words, only when it
  // ends in the parameters; a stored section is at least " ".
  if (!entry.multiWords.isEmpty()) return entry.multiWords;
  if (!entry.parameters.isEmpty()) return entry.parameters;
  return entry.keywords;
}

QString ParseUserTkn(QByteArrayView utf8, bool multiWord) {
  QStringList kept;
  for (const QString& raw : SplitUtf8Lines(utf8)) {
    const QString line = raw.trimmed();
    if (line.isEmpty()) continue;
    if (!multiWord && line.contains(u'~')) continue;
    kept.append(line);
  }
  return kept.join(u' ');
}

bool IsOldSyntaxFile(const QString& name, bool removeOldFiles) {
  if (!removeOldFiles) return false;
  return name.endsWith(u'_') || name.startsWith(QStringLiteral("armite"), Qt::CaseInsensitive) ||
         name.compare(QStringLiteral("picomiteweb"), Qt::CaseInsensitive) == 0;
}

QStringList SelectTknFiles(const QStringList& fileNames) {
  QStringList tkn;
  for (const QString& f : fileNames)
    if (f.size() > 4 && f.endsWith(QStringLiteral(".tkn"), Qt::CaseInsensitive)) tkn.append(f);
  std::sort(tkn.begin(), tkn.end(), [](const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  });
  if (tkn.size() > kMaxTknFiles) tkn.resize(kMaxTknFiles);
  return tkn;
}

QString TknBaseName(const QString& fileName) {
  return fileName.endsWith(QStringLiteral(".tkn"), Qt::CaseInsensitive) ? fileName.chopped(4) : fileName;
}

int FindSyntaxIndex(const SyntaxList& list, QStringView name) {
  for (size_t i = 0; i < list.size(); ++i)
    if (QStringView(list[i].name).compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return static_cast<int>(list.size()) - 1;
}

bool ListedInSyntaxMenu(const SyntaxEntry& entry) { return !entry.name.endsWith(u'_'); }

std::vector<int> SyntaxMenuIndices(const SyntaxList& list) {
  std::vector<int> out;
  for (size_t i = 0; i < list.size(); ++i)
    if (ListedInSyntaxMenu(list[i])) out.push_back(static_cast<int>(i));
  return out;
}

std::vector<AtTinyAbbreviation> BuildAtTinyAbbreviations(QStringView keywords) {
  // The first word starting with prefix p is w itself exactly when p is
  // longer than every common prefix w shares with the words before w's first
  // exact occurrence; so the shortest such p is one longer than the longest
  // of those common prefixes. Among the words seen so far, in case-folded
  // order, the longest common prefix with w is shared with a neighbour of w's
  // place, so one ordered set keeps the whole walk n log n.
  const QStringList words = Words(keywords);
  std::vector<AtTinyAbbreviation> out;
  std::set<QString> seenFolded;
  QHash<QString, QString> firstResult;  // exact word -> its abbreviation ("" for none)
  for (const QString& w : words) {
    if (const auto known = firstResult.constFind(w); known != firstResult.cend()) {
      if (!known->isEmpty()) out.push_back({w, *known});
      continue;
    }
    const QString folded = FoldedPerLetter(w);
    qsizetype longest = 0;
    const auto next = seenFolded.lower_bound(folded);
    if (next != seenFolded.end()) longest = CommonPrefix(*next, folded);
    if (next != seenFolded.begin()) longest = std::max(longest, CommonPrefix(*std::prev(next), folded));
    seenFolded.insert(folded);
    const qsizetype j = longest + 1;
    QString abbreviation;
    if (w.size() > 2 && j <= w.size() && w.size() - j >= 2) abbreviation = w.left(j) + u'.';
    firstResult.insert(w, abbreviation);
    if (!abbreviation.isEmpty()) out.push_back({w, abbreviation});
  }
  return out;
}

QString JoinWordLists(const QStringList& lists) {
  QStringList words;
  for (const QString& l : lists) words += Words(l);
  return words.isEmpty() ? QString() : u' ' + words.join(u' ') + u' ';
}

QString BuildActiveKeywords(const SyntaxEntry* entry, const QString& userKeywords,
                            const ActiveKeywordOptions& options) {
  QStringList parts;
  if (entry) parts.append(entry->keywords);
  if (options.allowUserKeywords) parts.append(userKeywords);
  if (entry && options.includeParameters) {
    parts.append(entry->parameters);
    if (options.multiWord) parts.append(entry->multiWords);
  }
  return JoinWordLists(parts);
}

}  // namespace vendle
