#include "editor/editing_lines.h"

#include <array>

#include "editor/declarations.h"
#include "platform/text_trim.h"

namespace vendle {

namespace {

qsizetype LeadingBlanks(QStringView line) {
  qsizetype n = 0;
  while (n < line.size() && line[n] == u' ') ++n;
  return n;
}

const std::array<const char*, 24> kColourNames = {
    "BLACK", "BLUE",  "BROWN",  "CERULEAN", "COBALT", "_CYAN",  "FUCHSIA",  "GREEN",
    "LILAC", "MAGENTA", "MIDGREEN", "MYRTLE", "RED", "RUST", "WHITE", "YELLOW",
    "BEIGE", "GOLD",  "GRAY",   "LIGHTGRAY", "ORANGE", "PINK", "SALMON", "NOTBLACK",
};
constexpr int kFirstColourItem = 133;

}  // namespace

qsizetype CommentColumn(QStringView line) { return LeadingBlanks(line); }

std::optional<qsizetype> UncommentColumn(QStringView line) {
  const qsizetype n = LeadingBlanks(line);
  if (n >= line.size() || line[n] != u'\'') return std::nullopt;
  return n;
}

bool FillSkipsLine(FillMode mode, QStringView line, QStringView fill) {
  const QString trimmed = TrimSpaces(line).toString();
  switch (mode) {
    case FillMode::Prefill: return trimmed.contains(fill, Qt::CaseInsensitive);
    case FillMode::Postfill: return trimmed.endsWith(fill, Qt::CaseInsensitive);
    case FillMode::Off: break;
  }
  return true;
}

QString ColourItemText(int item) {
  const int i = item - kFirstColourItem;
  if (i < 0 || i >= static_cast<int>(kColourNames.size())) return {};
  return QStringLiteral("RGB(") + QLatin1String(kColourNames[i]) + u')';
}

QString RgbText(int red, int green, int blue) {
  return QStringLiteral("RGB(%1,%2,%3)").arg(red).arg(green).arg(blue);
}

QString IncludeDirectiveText(const QString& path, QStringView lineEnd) {
  return QStringLiteral("'#INCLUDE \"") + path + u'"' + lineEnd.toString();
}

bool NameListContains(QStringView list, QStringView name) {
  if (name.isEmpty()) return false;
  for (QStringView word : list.split(u' ', Qt::SkipEmptyParts))
    if (word.compare(name, Qt::CaseInsensitive) == 0) return true;
  return false;
}

NewNames NamesToRegister(QStringView finishedLine, QStringView subNames, QStringView variableNames) {
  NewNames out;
  const LineDeclarations d = ParseDeclarationLine(finishedLine);
  if (d.kind == DeclarationKind::Routine && !d.name.isEmpty() && !NameListContains(subNames, d.name))
    out.subs.append(d.name);
  if (d.kind != DeclarationKind::Routine && d.kind != DeclarationKind::Variables) return out;
  for (const QString& v : d.variables) {
    if (NameListContains(variableNames, v)) continue;
    bool again = false;
    for (const QString& known : out.variables) again = again || known.compare(v, Qt::CaseInsensitive) == 0;
    if (!again) out.variables.append(v);
  }
  return out;
}

QString AppendNames(QString list, const QStringList& names) {
  if (!names.isEmpty() && !list.isEmpty() && !list.endsWith(u' ')) list += u' ';
  for (const QString& n : names) list += n + u' ';
  return list;
}

}  // namespace vendle
