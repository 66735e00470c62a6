#include "editor/declarations.h"

#include <QSet>

#include "platform/text_values.h"

namespace vendle {

namespace {

constexpr int kMaxItems = 21;

// The list without its quoted strings (an unclosed quote runs to the end)
// and cut before its first "'" outside a string.
QString StripStringsAndComment(QStringView list) {
  QString out;
  bool inString = false;
  for (QChar c : list) {
    if (c == u'"') {
      inString = !inString;
    } else if (!inString) {
      if (c == u'\'') break;
      out.append(c);
    }
  }
  return out;
}

// Split at the commas outside brackets; a closing bracket without an opening
// one (the end of a parameter list) is ignored.
QStringList SplitTopLevelCommas(QStringView list) {
  QStringList items;
  QString item;
  int depth = 0;
  for (QChar c : list) {
    if (c == u'(') {
      ++depth;
    } else if (c == u')') {
      if (depth > 0) --depth;
    } else if (c == u',' && depth == 0) {
      items.append(item);
      item.clear();
      continue;
    }
    item.append(c);
  }
  items.append(item);
  return items;
}

QString CutAt(const QString& s, QChar c) {
  const qsizetype at = s.indexOf(c);
  return at < 0 ? s : s.left(at);
}

// The name one list item declares ("" when none): its first word that is no
// type word, cut before the first of "=(/*+-".
QString ItemName(const QString& item) {
  const QStringView v(item);
  qsizetype i = 0;
  while (i < v.size()) {
    while (i < v.size() && (v[i] == u' ' || v[i] == u')')) ++i;
    qsizetype end = i;
    while (end < v.size() && v[end] != u' ' && v[end] != u')') ++end;
    if (end == i) break;
    const QStringView word = v.mid(i, end - i);
    i = end;
    if (IsOneOf(word, {u"INTEGER", u"FLOAT", u"STRING", u"AS", u"LENGTH"})) continue;
    qsizetype cut = 0;
    while (cut < word.size() && !QStringView(u"=(/*+-").contains(word[cut])) ++cut;
    return word.left(cut).toString();
  }
  return QString();
}

}  // namespace

// The first word of a line, without copying: most lines declare nothing and
// are passed over here.
static bool MayDeclare(QStringView line) {
  qsizetype i = 0;
  while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) ++i;
  qsizetype end = i;
  while (end < line.size() && line[end] != u' ' && line[end] != u'\t' && line[end] != u'\r') ++end;
  const QStringView first = line.mid(i, end - i);
  if (first.isEmpty()) return false;
  if (first.endsWith(u':')) return true;
  for (QStringView k : {u"DIM", u"LOCAL", u"STATIC", u"CONST", u"SUB", u"FUNCTION", u"CSUB", u"CFUNCTION", u"DEFINEFONT"})
    if (first.compare(k, Qt::CaseInsensitive) == 0) return true;
  return false;
}

LineDeclarations ParseDeclarationLine(QStringView line) {
  LineDeclarations out;
  if (!MayDeclare(line)) return out;
  QString text = line.toString();
  text.replace(u'\t', u' ');
  text = text.trimmed();
  if (text.endsWith(u'\r')) text = text.chopped(1).trimmed();
  const qsizetype blank = text.indexOf(u' ');
  const QString first = blank < 0 ? text : text.left(blank);
  const QString rest = blank < 0 ? QString() : text.mid(blank + 1).trimmed();
  if (first.isEmpty()) return out;

  QString list;
  if (first.endsWith(u':')) {
    out.kind = DeclarationKind::Label;
    out.name = first.chopped(1);
    return out;
  } else if (IsOneOf(first, {u"DIM", u"LOCAL", u"STATIC", u"CONST"})) {
    out.kind = DeclarationKind::Variables;
    list = rest;
  } else if (IsOneOf(first, {u"SUB", u"FUNCTION", u"CSUB", u"CFUNCTION", u"DEFINEFONT"})) {
    out.kind = DeclarationKind::Routine;
    // The name is looked for after the first word, never inside it.
    const qsizetype end = rest.indexOf(u' ');
    out.name = CutAt(end < 0 ? rest : rest.left(end), u'(');
    list = rest.mid(out.name.size()).trimmed();
    if (list.startsWith(u'(')) list.remove(0, 1);
  } else {
    return out;
  }

  const QStringList items = SplitTopLevelCommas(StripStringsAndComment(list));
  for (qsizetype i = 0; i < items.size() && i < kMaxItems; ++i) {
    const QString name = ItemName(items.at(i));
    if (name.isEmpty()) break;
    if (name.at(0).isDigit()) continue;
    if (out.variables.contains(name, Qt::CaseInsensitive)) continue;
    out.variables.append(name);
  }
  return out;
}

QStringList CollectDeclaredVariables(QStringView text) {
  QStringList names;
  QSet<QString> seen;
  for (QStringView line : text.split(u'\n')) {
    const LineDeclarations d = ParseDeclarationLine(line);
    for (const QString& v : d.variables) {
      const QString key = v.toLower();
      if (seen.contains(key)) continue;
      seen.insert(key);
      names.append(v);
    }
  }
  return names;
}

QString DeclaredVariablesText(QStringView text) {
  const QStringList names = CollectDeclaredVariables(text);
  return names.isEmpty() ? QStringLiteral(" ") : u' ' + names.join(u' ') + u' ';
}

}  // namespace vendle
