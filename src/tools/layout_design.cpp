#include "tools/layout_design.h"

#include <algorithm>
#include <array>

#include "platform/text_lines.h"

namespace vendle {
namespace {

constexpr QStringView kCrLf = u"\r\n";

// A row with its line end.
QString Row(QStringView row) { return row.toString().append(kCrLf); }

struct Placeholder {
  QStringView word;
  int field;
  QStringView after;  // follows the reference
};

// Replaced in this order; no reference written holds a later word.
constexpr std::array<Placeholder, 11> kPlaceholders = {{
    {u"startX", 1, u""},
    {u"startY", 2, u""},
    {u"centerX", 1, u""},
    {u"centerY", 2, u""},
    {u"width", 3, u""},
    {u"aspect", 3, u"/10"},
    {u"radius", 4, u""},
    {u"height", 4, u""},
    {u"size", 4, u""},
    {u"scale", 5, u""},
    {u"round", 5, u""},
}};

QString Reference(int element, int field) {
  return QStringLiteral("cpos(") + QString::number(element) + u',' + QString::number(field) + u')';
}

// The lines of `text` with their positions.
struct Lines {
  explicit Lines(QStringView t) : text(t), lines(SplitLines(t)) {}
  int count() const { return static_cast<int>(lines.size()); }
  QStringView at(int i) const { return text.mid(lines[i].start, lines[i].length); }
  QStringView trimmed(int i) const { return at(i).trimmed(); }
  // Where line i starts; the end of the text for the line count and beyond.
  qsizetype startOf(int i) const { return i < count() ? lines[i].start : text.size(); }
  QStringView span(LineSpan s) const { return text.mid(startOf(s.first), startOf(s.end) - startOf(s.first)); }
  bool holds(int i, QStringView marker, Qt::CaseSensitivity cs) const { return trimmed(i).contains(marker, cs); }
  // The first (or last) line holding `marker`, -1 when none does.
  int first(QStringView marker, Qt::CaseSensitivity cs) const {
    for (int i = 0; i < count(); ++i)
      if (holds(i, marker, cs)) return i;
    return -1;
  }
  int last(QStringView marker, Qt::CaseSensitivity cs) const {
    for (int i = count() - 1; i >= 0; --i)
      if (holds(i, marker, cs)) return i;
    return -1;
  }

  QStringView text;
  QList<TextLine> lines;
};

// The element lines before line `end` that follow the 'GUI_ELEMENTS line, as
// incorporate and refresh walk them (markers with case).
template <class F>
void ForEachElementLine(const Lines& lines, int end, QStringView designWords, F&& f) {
  bool inSection = false;
  int element = 0;
  for (int i = 0; i < end; ++i) {
    const QStringView trimmed = lines.trimmed(i);
    if (trimmed.contains(kGuiElementsMarker)) {
      inSection = true;
      continue;
    }
    if (inSection && IsElementLine(trimmed, designWords)) f(i, ++element);
  }
}

// The fields of a DATA line's rest, split at commas outside double quotes and
// ended by a comment outside them.
void AppendDataFields(QStringView rest, QStringList& out) {
  bool quoted = false;
  QString field;
  for (const QChar c : rest) {
    if (c == u'"') quoted = !quoted;
    if (!quoted && c == u'\'') break;
    if (!quoted && c == u',') {
      out.append(field.trimmed());
      field.clear();
      continue;
    }
    field.append(c);
  }
  out.append(field.trimmed());
}

// The number written at `at` in plain decimal (no sign, no leading zero), and
// where it ends; 0 when there is none.
int PlainNumberAt(QStringView text, qsizetype& at) {
  const qsizetype from = at;
  qint64 n = 0;
  while (at < text.size() && text[at].isDigit() && text[at].unicode() < 0x80 && n < 100000000)
    n = n * 10 + (text[at++].unicode() - u'0');
  if (at == from || text[from] == u'0') return 0;
  return static_cast<int>(n);
}

}  // namespace

bool IsElementLine(QStringView trimmed, QStringView designWords) {
  if (trimmed.isEmpty()) return false;
  const QString start = u' ' + trimmed.left(4).toString().toUpper();
  return (u' ' + designWords.toString().toUpper() + u' ').contains(start);
}

bool HoldsPlaceholderWord(QStringView line) {
  for (const Placeholder& p : kPlaceholders)
    if (line.contains(p.word, Qt::CaseInsensitive)) return true;
  return false;
}

QString ConvertElementLine(QStringView line, int element) {
  QString out = line.toString();
  for (const Placeholder& p : kPlaceholders)
    out.replace(p.word.toString(), Reference(element, p.field).append(p.after), Qt::CaseInsensitive);
  out.remove(u'[');
  out.remove(u']');
  out.replace(QStringLiteral("#ref"), u'#' + QString::number(element), Qt::CaseInsensitive);
  return out;
}

IncorporatePlan PlanIncorporate(QStringView text, QStringView designLoop, QStringView designWords) {
  const Lines lines(text);
  IncorporatePlan plan;
  plan.loopControlLine = lines.first(kLoopControlMarker, Qt::CaseSensitive);
  const int end = plan.loopControlLine < 0 ? lines.count() : plan.loopControlLine;
  QString rows;
  ForEachElementLine(lines, end, designWords, [&](int line, int element) {
    const QString converted = ConvertElementLine(lines.at(line), element);
    if (converted != lines.at(line)) plan.rewrites.append({line, converted});
    rows += Row(kIncorporateRow);
    plan.elements = element;
  });
  if (plan.loopControlLine < 0 && !text.isEmpty() && !EndsWithLineEnd(text)) plan.block = kCrLf.toString();
  plan.block += Row(designLoop) + Row(kPositionDataLabel) + rows + Row(kTerminatorRow);
  return plan;
}

RefreshPlan PlanRefresh(QStringView text, QStringView designWords) {
  const Lines lines(text);
  RefreshPlan plan;
  // Found first, so that a refusal leaves even the element lines alone.
  const int loopControl = lines.first(kLoopControlMarker, Qt::CaseSensitive);
  if (loopControl < 0) {
    plan.refusal = QStringLiteral("Refresh layout code: no 'LOOP_CONTROL line, nothing changed.");
    return plan;
  }
  for (int i = loopControl; i < lines.count() && plan.terminatorLine < 0; ++i)
    if (lines.trimmed(i).startsWith(kTerminatorRow, Qt::CaseInsensitive)) plan.terminatorLine = i;
  if (plan.terminatorLine < 0) {
    plan.refusal = QStringLiteral("Refresh layout code: no row ") + kTerminatorRow.toString() +
                   QStringLiteral(" after 'LOOP_CONTROL, nothing changed.");
    return plan;
  }
  QString rows;
  ForEachElementLine(lines, loopControl, designWords, [&](int line, int element) {
    const QString converted = ConvertElementLine(lines.at(line), element);
    if (converted != lines.at(line)) plan.rewrites.append({line, converted});
    // Lines converted before hold no placeholder word any more; tested
    // before the words go, a line of centre and radius counts too.
    if (!HoldsPlaceholderWord(lines.at(line))) return;
    rows += Row(kRefreshRow);
    ++plan.newRows;
  });
  plan.block = rows + Row(kTerminatorRow);
  return plan;
}

QStringList PositionValues(QStringView table) {
  QStringList values;
  for (const QStringView line : LineTexts(table)) {
    const QStringView t = line.trimmed();
    if (t.startsWith(u"DATA", Qt::CaseInsensitive)) AppendDataFields(t.mid(4), values);
  }
  return values;
}

QString ReplacePositionReferences(QStringView region, const QStringList& values) {
  // The values before the first -1 count; one pass over the region then
  // replaces each reference exactly as written ("cpos(" e "," k ")").
  const qsizetype minusOne = values.indexOf(QStringLiteral("-1"));
  const qsizetype usable = minusOne < 0 ? values.size() : minusOne;
  QString out;
  qsizetype copied = 0;
  for (qsizetype at = region.indexOf(u"cpos("); at >= 0; at = region.indexOf(u"cpos(", at + 1)) {
    qsizetype p = at + 5;
    const int e = PlainNumberAt(region, p);
    if (e == 0 || p >= region.size() || region[p] != u',') continue;
    ++p;
    const int k = PlainNumberAt(region, p);
    if (k < 1 || k > 5 || p >= region.size() || region[p] != u')') continue;
    const qsizetype v = qsizetype(e - 1) * 5 + k - 1;
    if (v >= usable || values[v].isEmpty()) continue;
    out += region.mid(copied, at - copied);
    out += values[v];
    copied = p + 1;
    at = p;
  }
  out += region.mid(copied);
  return out;
}

FlattenPlan PlanFlatten(QStringView text) {
  const Lines lines(text);
  QStringList values;
  if (const int label = lines.last(kPositionDataLabel, Qt::CaseInsensitive); label >= 0) {
    const int userData = lines.first(kUserDataMarker, Qt::CaseInsensitive);
    const LineSpan table{label + 1, userData < 0 ? lines.count() : userData};
    if (table.end > table.first) values = PositionValues(lines.span(table));
  }
  FlattenPlan plan;
  const int elements = lines.first(kGuiElementsMarker, Qt::CaseInsensitive);
  const int loopControl = lines.first(kLoopControlMarker, Qt::CaseInsensitive);
  plan.region.first = std::max(elements, 0);
  plan.region.end = std::max(loopControl < 0 ? lines.count() : loopControl, plan.region.first);
  plan.text = ReplacePositionReferences(lines.span(plan.region), values);
  return plan;
}

QString BlankDoLines(QString text) {
  for (const char16_t* pattern : {u"\r\nDO\r\n", u"\r\n DO\r\n", u"\r\n  DO\r\n"})
    text.replace(QString::fromUtf16(pattern), QStringLiteral("\r\n\r\n"));
  return text;
}

ExtractPlan PlanExtract(QStringView text) {
  const Lines lines(text);
  ExtractPlan plan;
  plan.span.first = lines.last(kRunOnceMarker, Qt::CaseInsensitive) + 1;
  const int loopControl = lines.first(kLoopControlMarker, Qt::CaseInsensitive);
  plan.span.end = std::max(loopControl < 0 ? lines.count() : loopControl - 1, plan.span.first);
  plan.text = BlankDoLines(lines.span(plan.span).toString());
  return plan;
}

NewDesign NewDesignText(const QStringList& templateLines) {
  NewDesign design;
  int marker = -1;
  for (int i = 0; i < templateLines.size(); ++i) {
    design.text += kCrLf;
    design.text += templateLines[i];
    if (marker < 0 && templateLines[i].contains(kGuiElementsMarker)) marker = i;
  }
  // File line marker + 1 (1-based) is editor line marker + 1 behind the
  // leading empty line; the caret goes two below it.
  if (marker >= 0) design.caretLine = marker + 3;
  return design;
}

QString JoinWithCrLf(const QStringList& lines) { return lines.join(kCrLf); }

}  // namespace vendle
