#include "tools/sub_outline.h"

#include <QSet>

#include "platform/text_lines.h"
#include "platform/text_values.h"
#include "platform/text_trim.h"

namespace vendle {
namespace {

QStringView CutBefore(QStringView s, QChar c) {
  const qsizetype at = s.indexOf(c);
  return at < 0 ? s : s.first(at);
}

}  // namespace

SubsOutline BuildSubsOutline(QStringView text) {
  SubsOutline out;
  out.entries.append({1, QStringLiteral("First line")});
  out.names = QStringLiteral(" ");
  QSet<QString> seen;
  auto addName = [&](QStringView name) {
    if (name.isEmpty()) return;
    const QString lower = name.toString().toLower();
    if (seen.contains(lower)) return;
    seen.insert(lower);
    out.names += name;
    out.names += u' ';
  };
  int count = 0;
  ForEachLine(text, [&](const TextLine& l) {
    const int number = ++count;
    const QStringView line = TrimSpacesAndTabs(text.sliced(l.start, l.length));
    const QStringView first = SpaceField(line, 0);
    if (first.startsWith(u"'>")) out.entries.append({number, line.toString()});
    if (!first.endsWith(u':')) {
      if (IsOneOf(first, {u"FUNCTION", u"SUB", u"CSUB", u"CFUNCTION", u"DEFINEFONT"})) {
        out.entries.append({number, line.toString()});
        addName(CutBefore(SpaceField(line, 1), u'('));
      }
    } else {
      out.entries.append({number, line.toString()});
      QString name = first.toString();
      name.remove(u':');
      addName(name);
    }
  });
  out.entries.append({std::max(count, 1) + 1, QStringLiteral("Last line")});
  return out;
}

QString SubsItemText(const SubsEntry& e) { return QString::number(e.line).rightJustified(6, u' ') + u' ' + e.text; }

int SubsItemLine(QStringView item) { return static_cast<int>(ParseVal(SpaceField(TrimSpaces(item), 0))); }

QString JumpWord(QStringView selection) {
  QString w = selection.toString();
  w.remove(u'\r');
  w.remove(u'\n');
  QStringView v = TrimSpaces(w);
  if (v.endsWith(u'(') || v.endsWith(u':') || v.endsWith(u'\'')) v.chop(1);
  return v.toString();
}

std::optional<int> FindDefinitionLine(QStringView text, QStringView word) {
  if (word.isEmpty()) return std::nullopt;
  std::optional<int> found;
  int number = 0;
  ForEachLine(text, [&](const TextLine& l) {
    ++number;
    if (found) return;
    const QStringView line = TrimSpacesAndTabs(text.sliced(l.start, l.length));
    const QStringView first = TrimSpaces(SpaceField(line, 0));
    if (IsOneOf(first, {u"function", u"sub", u"cfunction", u"csub"})) {
      QStringView name = TrimSpaces(SpaceField(line, 1));
      name = CutBefore(CutBefore(CutBefore(name, u'('), u':'), u'\'');
      if (name.compare(word, Qt::CaseInsensitive) == 0) {
        found = number;
        return;
      }
    }
    if (first.endsWith(u':') && first.chopped(1).compare(word, Qt::CaseInsensitive) == 0) found = number;
  });
  return found;
}

}  // namespace vendle
