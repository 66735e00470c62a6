#include "editor/syntax_help.h"

#include <algorithm>

namespace vendle {

namespace {

int LastRowOf(const KeywordHelpTable& table, int lines) {
  return std::min(lines, static_cast<int>(table.rows.size()) - 1);
}

QString FieldAt(const QList<QStringView>& fields, qsizetype i) {
  return i < fields.size() ? fields.at(i).trimmed().toString() : QString();
}

}  // namespace

const KeywordHelpRow& KeywordHelpTable::row(int r) const {
  static const KeywordHelpRow kEmpty;
  return r >= 1 && r < static_cast<int>(rows.size()) ? rows[r] : kEmpty;
}

QStringList SplitTextLines(QStringView text) {
  QStringList lines;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = text.indexOf(u'\n', start);
    const qsizetype next = end < 0 ? text.size() : end + 1;
    if (end < 0) end = text.size();
    qsizetype stop = end;
    if (stop > start && text.at(stop - 1) == u'\r') --stop;
    lines.append(text.sliced(start, stop - start).toString());
    start = next;
  }
  return lines;
}

QString NormaliseHelpKeyword(QStringView keyword) {
  QString out;
  out.reserve(keyword.size());
  for (QChar c : keyword) {
    if (c == u'(' || c == u'$' || c == u' ') {
      if (!out.endsWith(u' ')) out.append(u' ');
    } else {
      out.append(c.toUpper());
    }
  }
  return out;
}

int ApplyKwList(KeywordHelpTable& table, const QStringList& lines) {
  const int last = LastRowOf(table, static_cast<int>(lines.size()));
  for (int r = 1; r <= last; ++r) {
    const QString line = lines.at(r - 1).trimmed();
    KeywordHelpRow& row = table.rows[r];
    row = KeywordHelpRow();
    if (line.isEmpty() || line.startsWith(QStringLiteral("keyword"), Qt::CaseInsensitive)) continue;
    const QList<QStringView> fields = QStringView(line).split(u'\t');
    row.keyword = NormaliseHelpKeyword(fields.at(0).trimmed());
    row.helpPage = FieldAt(fields, 1);
    row.syntaxLine = FieldAt(fields, 2).remove(u'"');
  }
  return static_cast<int>(lines.size());
}

int ApplyUserCsv(KeywordHelpTable& table, const QStringList& lines) {
  const int last = LastRowOf(table, static_cast<int>(lines.size()));
  for (int r = 1; r <= last; ++r) {
    const QString line = lines.at(r - 1).trimmed();
    if (line.isEmpty()) continue;
    KeywordHelpRow& row = table.rows[r];
    const qsizetype c1 = line.indexOf(u',');
    const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
    row.keyword = NormaliseHelpKeyword(QStringView(line).left(c1 < 0 ? line.size() : c1).trimmed());
    row.helpPage = c1 < 0 ? QString() : line.mid(c1 + 1, c2 < 0 ? -1 : c2 - c1 - 1).trimmed();
    QString syntax = c2 < 0 ? QString() : line.mid(c2 + 1);
    if (syntax.startsWith(u'"')) syntax = syntax.size() < 2 ? QString() : syntax.mid(1, syntax.size() - 2);
    row.syntaxLine = syntax;
  }
  return static_cast<int>(lines.size());
}

int KeywordHelpCount(int kwListLines, int userCsvLines) {
  const int lines = userCsvLines >= 0 ? userCsvLines : kwListLines;
  if (lines < 0) return 0;
  return std::min(lines + 1, KeywordHelpTable::kRows);
}

std::vector<QuickHint> ParseQuickHints(const QStringList& lines) {
  std::vector<QuickHint> hints;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty()) continue;
    QuickHint h;
    int digits = 0;
    for (QChar c : line) {
      if ((c != u'0' && c != u'1') || digits == 64) break;
      h.mask = (h.mask << 1) | (c == u'1' ? 1u : 0u);
      ++digits;
    }
    const qsizetype blank = line.indexOf(u' ');
    h.text = blank < 0 ? line : line.mid(blank + 1);
    hints.push_back(std::move(h));
  }
  return hints;
}

void ApplyHintMasks(SyntaxList& list, QStringView firstLine) {
  const QList<QStringView> names = firstLine.trimmed().split(u' ', Qt::SkipEmptyParts);
  for (qsizetype k = 0; k < names.size() && k < 64; ++k) {
    for (SyntaxEntry& e : list)
      if (e.name.toLower() == names.at(k)) e.hintMask = std::uint64_t{1} << k;
  }
}

QStringList ParseGuiElements(const QStringList& lines) {
  QStringList out;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (!line.isEmpty()) out.append(line);
  }
  return out;
}

HelpTemplate SplitHelpTemplate(const QString& text) {
  static const QString kPage = QStringLiteral("intro.htm");
  const qsizetype at = text.indexOf(kPage);
  if (at < 0) return {};
  return {text.left(at), text.mid(at + kPage.size())};
}

}  // namespace vendle
