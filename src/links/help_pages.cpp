#include "links/help_pages.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <map>

#include "platform/ansi.h"

namespace vendle {
namespace {

QString Escape(const QString& s) { return s.toHtmlEscaped(); }

const char kStyle[] =
    "body { font-family: 'DejaVu Sans', sans-serif; font-size: 11pt; }\n"
    "h1 { color: #1a3c6e; font-size: 16pt; }\n"
    "h2 { color: #1a3c6e; font-size: 13pt; margin-top: 14px; }\n"
    "pre { font-family: 'DejaVu Sans Mono', monospace; background-color: #eef2f7; }\n"
    "td { padding-left: 4px; padding-right: 10px; }\n"
    "th { text-align: left; background-color: #dde5f0; padding-left: 4px; padding-right: 10px; }\n"
    ".nav { font-size: 9pt; }\n";

QString Page(const QString& title, const QString& nav, const QString& body) {
  return QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") + Escape(title) +
         QStringLiteral("</title>\n<style>\n") + QString::fromLatin1(kStyle) +
         QStringLiteral("</style>\n</head>\n<body>\n<p class=\"nav\">") + nav + QStringLiteral("</p>\n") + body +
         QStringLiteral("</body>\n</html>\n");
}

const QString kSyntaxNav = QStringLiteral(
    "<a href=\"index.htm\">MMBasic syntax index</a> &middot; <a href=\"../html2/index.htm\">Vendle help</a>");
const QString kVendleNav = QStringLiteral(
    "<a href=\"../html2/index.htm\">Vendle help</a> &middot; <a href=\"../html/index.htm\">MMBasic syntax index</a>");

struct KwRow {
  QString keyword;  // as written in the list ("ABS(")
  QString page;
  QString syntax;
};

std::vector<KwRow> Rows(const QStringList& lines) {
  std::vector<KwRow> rows;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QStringLiteral("keyword"), Qt::CaseInsensitive)) continue;
    const QStringList f = line.split(u'\t');
    if (f.size() < 2 || f[0].trimmed().isEmpty() || f[1].trimmed().isEmpty()) continue;
    rows.push_back({f[0].trimmed(), f[1].trimmed(), f.size() > 2 ? f[2].trimmed() : QString()});
  }
  return rows;
}

// The words of a dialect, upper case, with "~" of the multi-word phrases as blanks.
QSet<QString> DialectWords(const SyntaxEntry& d) {
  QSet<QString> words;
  for (const QString* section : {&d.keywords, &d.parameters, &d.multiWords})
    for (const QString& w : section->split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
      words.insert(QString(w).replace(u'~', u' ').toUpper());
  return words;
}

QString WithoutParen(QString k) {
  if (k.endsWith(u'(')) k.chop(1);
  return k.toUpper();
}

bool HasLetter(const QString& s) {
  return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

const char* GroupTitle(KeywordGroup g) {
  switch (g) {
    case KeywordGroup::Commands: return "Commands and statements";
    case KeywordGroup::Functions: return "Functions";
    case KeywordGroup::Operators: return "Operators";
    case KeywordGroup::Options: return "OPTION settings";
    case KeywordGroup::MmNames: return "MM. names";
    case KeywordGroup::Pio: return "PIO assembler";
  }
  return "";
}

QString KeywordPage(const QString& /*page*/, const std::vector<const KwRow*>& rows, const QString& description,
                    const QStringList& dialects) {
  QStringList names;
  for (const KwRow* r : rows) names << r->keyword;
  QString body = QStringLiteral("<h1>") + Escape(names.join(QStringLiteral(", "))) + QStringLiteral("</h1>\n");
  body += QStringLiteral("<p>") + Escape(description) + QStringLiteral("</p>\n<h2>Syntax</h2>\n");
  for (const KwRow* r : rows) {
    // Alternatives are separated by "  |  ": one per line.
    const QStringList forms = r->syntax.split(QStringLiteral("  |  "), Qt::SkipEmptyParts);
    body += QStringLiteral("<pre>") + Escape(forms.join(u'\n')) + QStringLiteral("</pre>\n");
  }
  body += QStringLiteral("<h2>Dialects</h2>\n<p>");
  body += dialects.isEmpty() ? QStringLiteral("Not listed by the dialect files that come with Vendle.")
                             : Escape(dialects.join(QStringLiteral(", ")));
  body += QStringLiteral("</p>\n<p class=\"nav\">In syntax lines [ ] is optional, a | b are alternatives, "
                         "... repeats; names ending in $ are strings and in % integers.</p>\n");
  return Page(names.join(QStringLiteral(", ")), kSyntaxNav, body);
}

QString IndexPage(const std::vector<KwRow>& rows) {
  std::map<KeywordGroup, std::vector<const KwRow*>> groups;
  for (const KwRow& r : rows) groups[GroupOfKeyword(r.keyword, r.syntax)].push_back(&r);
  QString body = QStringLiteral("<h1>MMBasic syntax index</h1>\n<p>Every keyword that Vendle knows, with a page of "
                                "its syntax and the dialects that have it. In the editor, F1 shows the syntax line "
                                "of the word at the caret and Shift+F1 opens its page.</p>\n<p>");
  for (const auto& [group, list] : groups)
    body += QStringLiteral("<a href=\"#g%1\">%2</a> &nbsp; ").arg(static_cast<int>(group)).arg(GroupTitle(group));
  body += QStringLiteral("</p>\n");
  constexpr int kColumns = 4;
  for (auto& [group, list] : groups) {
    std::stable_sort(list.begin(), list.end(), [](const KwRow* a, const KwRow* b) {
      return QString::compare(a->keyword, b->keyword, Qt::CaseInsensitive) < 0;
    });
    body += QStringLiteral("<h2><a name=\"g%1\"></a>%2</h2>\n<table>\n").arg(static_cast<int>(group)).arg(GroupTitle(group));
    const int perColumn = (static_cast<int>(list.size()) + kColumns - 1) / kColumns;
    for (int row = 0; row < perColumn; ++row) {
      body += QStringLiteral("<tr>");
      for (int col = 0; col < kColumns; ++col) {
        const int i = col * perColumn + row;
        body += QStringLiteral("<td>");
        if (i < static_cast<int>(list.size()))
          body += QStringLiteral("<a href=\"") + list[i]->page + QStringLiteral(".htm\">") + Escape(list[i]->keyword) +
                  QStringLiteral("</a>");
        body += QStringLiteral("</td>");
      }
      body += QStringLiteral("</tr>\n");
    }
    body += QStringLiteral("</table>\n");
  }
  return Page(QStringLiteral("MMBasic syntax index"), kSyntaxNav, body);
}

QString AsciiPage() {
  static const char* const kControl[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                           "BS",  "TAB", "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                           "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                           "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
  auto cell = [](int code) {
    QString shown;
    if (code < 32) shown = QStringLiteral("<i>%1</i>").arg(QString::fromLatin1(kControl[code]));
    else if (code == 32) shown = QStringLiteral("<i>blank</i>");
    else if (code == 127) shown = QStringLiteral("<i>DEL</i>");
    else if (code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D) shown = QStringLiteral("<i>-</i>");
    else if (code == 0xA0) shown = QStringLiteral("<i>NBSP</i>");
    else if (code == 0xAD) shown = QStringLiteral("<i>SHY</i>");
    else shown = Escape(QString(QChar(AnsiToUnicode(static_cast<unsigned char>(code)))));
    return QStringLiteral("<td align=\"right\">%1</td><td>%2</td><td><b>%3</b></td>")
        .arg(code)
        .arg(QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper())
        .arg(shown);
  };
  QString body = QStringLiteral(
      "<h1>ASCII table</h1>\n<p>The 256 character codes as Vendle reads and writes program files (Windows-1252). "
      "Codes 0 to 31 and 127 are control codes; the five codes marked - have no character. CHR$(code) gives the "
      "character of a code and ASC(text$) the code of a character.</p>\n<table>\n<tr>");
  for (int g = 0; g < 4; ++g) body += QStringLiteral("<th>Dec</th><th>Hex</th><th>Char</th>");
  body += QStringLiteral("</tr>\n");
  for (int row = 0; row < 64; ++row) {
    body += QStringLiteral("<tr>");
    for (int g = 0; g < 4; ++g) body += cell(g * 64 + row);
    body += QStringLiteral("</tr>\n");
  }
  body += QStringLiteral("</table>\n");
  return Page(QStringLiteral("ASCII table"), kVendleNav, body);
}

QString ShortcutsPage(const std::vector<ShortcutHelpRow>& rows) {
  QString body = QStringLiteral(
      "<h1>Keyboard shortcuts</h1>\n<p>The keys of the main window. Return and Shift+Return work while an editor "
      "has the focus.</p>\n<table>\n<tr><th>Keys</th><th>Command</th></tr>\n");
  for (const ShortcutHelpRow& r : rows)
    body += QStringLiteral("<tr><td><b>") + Escape(r.keys) + QStringLiteral("</b></td><td>") + Escape(r.command) +
            QStringLiteral("</td></tr>\n");
  body += QStringLiteral("</table>\n");
  return Page(QStringLiteral("Keyboard shortcuts"), kVendleNav, body);
}

}  // namespace

KeywordGroup GroupOfKeyword(const QString& keyword, const QString& syntax) {
  const QString k = keyword.toUpper();
  if (k.startsWith(QStringLiteral("MM."))) return KeywordGroup::MmNames;
  if (k.startsWith(QStringLiteral("OPTION"))) return KeywordGroup::Options;
  if (k.startsWith(u'.') || syntax.contains(QStringLiteral("(PIO assembler)"))) return KeywordGroup::Pio;
  static const QSet<QString> kWordOperators = {QStringLiteral("AND"), QStringLiteral("OR"), QStringLiteral("XOR"),
                                               QStringLiteral("NOT"), QStringLiteral("MOD"), QStringLiteral("INV")};
  if (!HasLetter(k) || kWordOperators.contains(k)) return KeywordGroup::Operators;
  if (k.endsWith(u'(') || k.endsWith(u'$')) return KeywordGroup::Functions;
  return KeywordGroup::Commands;
}

QMap<QString, QString> ParseHelpDescriptions(const QString& text) {
  QMap<QString, QString> out;
  for (const QString& raw : text.split(u'\n')) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const qsizetype tab = line.indexOf(u'\t');
    if (tab <= 0) continue;
    out.insert(line.left(tab).trimmed(), line.mid(tab + 1).trimmed());
  }
  return out;
}

QMap<QString, QByteArray> GenerateHelpPages(const HelpPageSources& sources) {
  const std::vector<KwRow> rows = Rows(sources.kwListLines);
  std::vector<std::pair<QString, QSet<QString>>> dialects;
  for (const SyntaxEntry& d : sources.dialects) dialects.emplace_back(d.name, DialectWords(d));

  std::map<QString, std::vector<const KwRow*>> byPage;
  for (const KwRow& r : rows) byPage[r.page].push_back(&r);

  QMap<QString, QByteArray> pages;
  for (const auto& [page, list] : byPage) {
    QStringList have;
    for (const auto& dialect : dialects) {
      const QSet<QString>& words = dialect.second;
      const bool listed = std::any_of(list.begin(), list.end(), [&](const KwRow* r) {
        const QString k = WithoutParen(r->keyword);
        return !HasLetter(k) || words.contains(k) || words.contains(k + u'(') || words.contains(r->keyword.toUpper());
      });
      if (listed) have << dialect.first;
    }
    pages.insert(QStringLiteral("html/") + page + QStringLiteral(".htm"),
                 KeywordPage(page, list, sources.descriptions.value(page), have).toUtf8());
  }
  pages.insert(QStringLiteral("html/index.htm"), IndexPage(rows).toUtf8());
  pages.insert(QStringLiteral("html2/ASCIIcodes.htm"), AsciiPage().toUtf8());
  pages.insert(QStringLiteral("html2/kboard_scut.htm"), ShortcutsPage(sources.shortcuts).toUtf8());
  return pages;
}

}  // namespace vendle
