#include "editor/program_scan.h"

#include <QSet>
#include <QStringList>
#include <cstring>

#include "editor/declarations.h"
#include "editor/fold_markers.h"

namespace vendle {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool EqualsAsciiNoCase(const char* a, qsizetype n, const char* word) {
  const qsizetype k = static_cast<qsizetype>(std::strlen(word));
  if (n != k) return false;
  for (qsizetype i = 0; i < n; ++i) {
    char c = a[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != word[i]) return false;
  }
  return true;
}

bool IsAscii(const char* p, qsizetype n) {
  for (qsizetype i = 0; i < n; ++i)
    if (static_cast<unsigned char>(p[i]) >= 0x80) return false;
  return true;
}

// A first word that opens no declaration and no marker line, told on its
// bytes; any other line is decoded and read by the text scanners.
struct FirstWord {
  bool markers = true;       // may matter to the marker scan
  bool declarations = true;  // may declare names
};

FirstWord Classify(const char* p, qsizetype n) {
  qsizetype w = 0;
  while (w < n && IsBlank(p[w])) ++w;
  qsizetype we = w;
  while (we < n && !IsBlank(p[we])) ++we;
  FirstWord f;
  const char* word = p + w;
  const qsizetype len = we - w;
  if (!IsAscii(word, len)) return f;  // case folding beyond ASCII: the text scanners decide
  const bool label = len > 0 && word[len - 1] == ':';
  static const char* const kHeaders[] = {"FUNCTION", "SUB", "CSUB", "CFUNCTION", "DEFINEFONT"};
  static const char* const kVariables[] = {"DIM", "LOCAL", "STATIC", "CONST"};
  bool header = false, variables = false;
  for (const char* k : kHeaders) header = header || EqualsAsciiNoCase(word, len, k);
  for (const char* k : kVariables) variables = variables || EqualsAsciiNoCase(word, len, k);
  f.markers = label || header;
  f.declarations = label || header || variables;
  return f;
}

bool HasBookmarkText(const char* p, qsizetype n) {
  for (qsizetype i = 0; i + 4 <= n; ++i)
    if (p[i] == '\'' && p[i + 1] == '>' && p[i + 2] == '>' && p[i + 3] == '>') return true;
  return false;
}

// A CR that is not part of a CR LF: such lines are lines to the marker scan
// but not to the declarations (which split at LF only).
bool HasLoneCr(const QByteArray& b) {
  const char* p = b.constData();
  const qsizetype n = b.size();
  for (const char* c = static_cast<const char*>(std::memchr(p, '\r', n)); c;
       c = static_cast<const char*>(std::memchr(c + 1, '\r', n - (c + 1 - p)))) {
    if (c + 1 >= p + n || c[1] != '\n') return true;
  }
  return false;
}

class Variables {
 public:
  void add(const QStringList& names) {
    for (const QString& v : names) {
      const QString key = v.toLower();
      if (seen_.contains(key)) continue;
      seen_.insert(key);
      names_.append(v);
    }
  }
  QString text() const { return names_.isEmpty() ? QStringLiteral(" ") : u' ' + names_.join(u' ') + u' '; }

 private:
  QStringList names_;
  QSet<QString> seen_;
};

}  // namespace

ScannedProgram ScanProgramText(const QByteArray& utf8) {
  ScannedProgram out;
  if (HasLoneCr(utf8)) {
    // Rare: the two scans see different lines; run them as they are.
    StrippedText s = StripMarkers(QString::fromUtf8(utf8));
    out.text = s.text.toUtf8();
    out.bookmarks = std::move(s.bookmarks);
    out.foldedLines = std::move(s.foldedLines);
    out.names = std::move(s.names);
    out.variables = DeclaredVariablesText(s.text);
    return out;
  }
  MarkerScan markers;
  Variables variables;
  QByteArray result;  // built only once a marker is found
  qsizetype copied = 0;
  const char* p = utf8.constData();
  const qsizetype n = utf8.size();
  int lineNo = 0;
  QString kept;
  for (qsizetype start = 0; start <= n; ++lineNo) {
    const char* lf = static_cast<const char*>(std::memchr(p + start, '\n', n - start));
    qsizetype end = lf ? lf - p : n;
    const qsizetype next = lf ? end + 1 : n + 1;
    if (end > start && p[end - 1] == '\r') --end;  // CR LF
    const char* line = p + start;
    const qsizetype len = end - start;
    const FirstWord f = Classify(line, len);
    const bool bookmark = HasBookmarkText(line, len);
    if (f.markers || f.declarations || bookmark) {
      const QString text = QString::fromUtf8(line, len);
      QStringView declared = text;
      if ((f.markers || bookmark) && markers.add(text, lineNo, kept)) {
        result.append(p + copied, start - copied);
        result += kept.toUtf8();
        copied = end;
        declared = kept;
      }
      if (f.declarations) variables.add(ParseDeclarationLine(declared).variables);
    }
    start = next;
  }
  if (copied == 0 && result.isEmpty()) {
    out.text = utf8;
  } else {
    result.append(p + copied, n - copied);
    out.text = std::move(result);
  }
  StrippedText& s = markers.result();
  out.bookmarks = std::move(s.bookmarks);
  out.foldedLines = std::move(s.foldedLines);
  out.names = std::move(s.names);
  out.variables = variables.text();
  return out;
}

}  // namespace vendle
