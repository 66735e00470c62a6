#include "links/command_template.h"
#include "platform/text_trim.h"

#include <array>
#include <utility>

namespace vendle {
namespace {

constexpr QStringView kQuoteToken = u"%q%";

struct TokenName {
  TemplateToken token;
  QStringView text;
};
constexpr std::array<TokenName, 6> kTokens{{
    {TemplateToken::Bas, u"%bas%"},
    {TemplateToken::BasShort, u"%basshort%"},
    {TemplateToken::BasPath, u"%baspath%"},
    {TemplateToken::ExtPath, u"%extpath%"},
    {TemplateToken::VdlPath, u"%vdlpath%"},
    {TemplateToken::RvtPath, u"%RVTpath%"},
}};

bool MatchesAt(QStringView text, qsizetype at, QStringView word) {
  return text.mid(at).startsWith(word, Qt::CaseInsensitive);
}

void AppendText(ParsedTemplate& out, QStringView text) {
  if (!out.empty() && out.back().kind == TemplatePiece::Kind::Text)
    out.back().text += text;
  else
    out.push_back({TemplatePiece::Kind::Text, text.toString()});
}

}  // namespace

QStringView TokenText(TemplateToken token) {
  for (const TokenName& t : kTokens)
    if (t.token == token) return t.text;
  return {};
}

ParsedTemplate ParseTemplate(QStringView tmpl, const TokenProvider& provider) {
  ParsedTemplate out;
  const bool apostrophesAreMarks = tmpl.startsWith(u'\'');
  qsizetype i = 0;
  while (i < tmpl.size()) {
    const QChar c = tmpl[i];
    if (c == u'%') {
      if (MatchesAt(tmpl, i, kQuoteToken)) {
        out.push_back({TemplatePiece::Kind::Mark, QStringLiteral("\"")});
        i += kQuoteToken.size();
        continue;
      }
      bool matched = false;
      for (const TokenName& t : kTokens) {
        if (!MatchesAt(tmpl, i, t.text)) continue;
        matched = true;
        const QStringView written = tmpl.mid(i, t.text.size());
        if (std::optional<QString> value = provider ? provider(t.token) : std::nullopt)
          out.push_back({TemplatePiece::Kind::Value, std::move(*value)});
        else
          AppendText(out, written);
        i += t.text.size();
        break;
      }
      if (!matched) {
        AppendText(out, tmpl.mid(i, 1));
        ++i;
      }
      continue;
    }
    if (c == u'"' || (c == u'\'' && apostrophesAreMarks))
      out.push_back({TemplatePiece::Kind::Mark, QString(c)});
    else if (IsSpaceOrTab(c))
      out.push_back({TemplatePiece::Kind::Blank, QString(c)});
    else
      AppendText(out, tmpl.mid(i, 1));
    ++i;
  }
  return out;
}

QString TemplateDisplayText(const ParsedTemplate& parsed) {
  QString out;
  for (const TemplatePiece& p : parsed) out += p.kind == TemplatePiece::Kind::Mark ? QStringLiteral("\"") : p.text;
  return out;
}

QString TemplateSingleValue(const ParsedTemplate& parsed) {
  QString out;
  for (const TemplatePiece& p : parsed)
    if (p.kind != TemplatePiece::Kind::Mark) out += p.text;
  return out;
}

QStringList TemplateArguments(const ParsedTemplate& parsed) {
  QStringList out;
  QString current;
  bool inWord = false;
  bool quoted = false;
  for (const TemplatePiece& p : parsed) {
    switch (p.kind) {
      case TemplatePiece::Kind::Mark:
        quoted = !quoted;
        inWord = true;
        break;
      case TemplatePiece::Kind::Blank:
        if (quoted) {
          current += p.text;
        } else if (inWord) {
          out.append(std::exchange(current, QString()));
          inWord = false;
        }
        break;
      case TemplatePiece::Kind::Text:
      case TemplatePiece::Kind::Value:
        current += p.text;
        inWord = true;
        break;
    }
  }
  if (inWord) out.append(current);
  return out;
}

QString InsertTemplateText(const QString& tmpl, QStringView token, const QString& text) {
  QString out;
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = tmpl.indexOf(token, from, Qt::CaseInsensitive);
    if (at < 0) break;
    out += QStringView(tmpl).mid(from, at - from);
    out += text;
    from = at + token.size();
  }
  out += QStringView(tmpl).mid(from);
  return out;
}

}  // namespace vendle
