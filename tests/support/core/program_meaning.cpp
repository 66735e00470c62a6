#include "program_meaning.h"

#include <QDirIterator>
#include <QFile>
#include <algorithm>

namespace vendle::test {
namespace {

bool IsNameStart(QChar c) { return c.isLetter() || c == u'_'; }
bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.'; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

QStringList CodeTokens(QStringView line) {
  QStringList tokens;
  qsizetype i = 0;
  const qsizetype n = line.size();
  while (i < n) {
    const QChar c = line[i];
    if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') {
      ++i;
      continue;
    }
    if (c == u'\'') break;
    qsizetype end = i + 1;
    if (c == u'"') {
      while (end < n && line[end] != u'"') ++end;
      if (end < n) ++end;
    } else if (IsNameStart(c)) {
      while (end < n && IsNameChar(line[end])) ++end;
      if (end < n && (line[end] == u'$' || line[end] == u'%' || line[end] == u'!')) ++end;
      if (line.sliced(i, end - i).compare(u"REM", Qt::CaseInsensitive) == 0) break;
    } else if (IsDigit(c) || (c == u'.' && i + 1 < n && IsDigit(line[i + 1]))) {
      while (end < n && (IsDigit(line[end]) || line[end] == u'.')) ++end;
      if (end + 1 < n && (line[end] == u'e' || line[end] == u'E') &&
          (IsDigit(line[end + 1]) || ((line[end + 1] == u'+' || line[end + 1] == u'-') && end + 2 < n && IsDigit(line[end + 2])))) {
        end += 2;
        while (end < n && IsDigit(line[end])) ++end;
      }
    } else if (c == u'&' && i + 1 < n && QStringView(u"HhBbOo").contains(line[i + 1])) {
      end = i + 2;
      while (end < n && line[end].isLetterOrNumber()) ++end;
    }
    tokens.append(line.sliced(i, end - i).toString());
    i = end;
  }
  return tokens;
}

QList<CodeLine> CodeLines(QStringView text) {
  QList<CodeLine> lines;
  int number = 0;
  qsizetype at = 0;
  while (at < text.size()) {
    qsizetype end = at;
    while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') ++end;
    const QStringView line = text.sliced(at, end - at);
    ++number;
    if (!(number == 1 && line.startsWith(u"#!"))) {
      QStringList tokens = CodeTokens(line);
      if (!tokens.isEmpty()) lines.append({number, std::move(tokens)});
    }
    if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
    at = end + 1;
  }
  return lines;
}

QList<QStringList> CodeTokenLines(QStringView text) {
  QList<QStringList> out;
  for (CodeLine& l : CodeLines(text)) out.append(std::move(l.tokens));
  return out;
}

QStringList LineEndKinds(QStringView text) {
  QStringList kinds;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QString k;
    if (text[i] == u'\r') {
      if (i + 1 < text.size() && text[i + 1] == u'\n') {
        k = QStringLiteral("CRLF");
        ++i;
      } else {
        k = QStringLiteral("CR");
      }
    } else if (text[i] == u'\n') {
      k = QStringLiteral("LF");
    }
    if (!k.isEmpty() && !kinds.contains(k)) kinds.append(k);
  }
  return kinds;
}

QString CorpusFolder() { return QStringLiteral(VENDLE_TEST_DATA_DIR "/data/corpus/"); }

QList<CorpusFile> CorpusFiles() {
  QList<CorpusFile> files;
  QDirIterator it(CorpusFolder(), {QStringLiteral("*.bas"), QStringLiteral("*.inc")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) continue;
    files.append({path, path.mid(CorpusFolder().size()), QString::fromUtf8(f.readAll())});
  }
  std::sort(files.begin(), files.end(), [](const CorpusFile& a, const CorpusFile& b) { return a.name < b.name; });
  return files;
}

}  // namespace vendle::test
