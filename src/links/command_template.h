// Command templates of the external programs: a field such as "'%bas%'" or
// "-x %q%%baspath%%q%" read into pieces, then turned into the text a person
// reads, one value (a program or a folder) or an argument vector. Texts are
// UTF-16.
//
// Quoting belongs to the template alone. Quote marks are a double quote,
// "%q%", and, when the template starts with "'", every "'". The value of a
// token is inserted once, as it is: it is never split at blanks and never
// read for quotes or tokens, so a file name cannot add an argument, a quote
// or a token.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

namespace vendle {

// The tokens with values; "%q%" is a quote mark and has none.
enum class TemplateToken { Bas, BasShort, BasPath, ExtPath, VdlPath, RvtPath };

// "%bas%", "%basshort%", "%baspath%", "%extpath%", "%vdlpath%", "%RVTpath%".
QStringView TokenText(TemplateToken token);

// The value a token takes in the field being read, or nothing when the field
// does not take that token: then it stays in the text as written.
using TokenProvider = std::function<std::optional<QString>(TemplateToken)>;

struct TemplatePiece {
  enum class Kind {
    Text,   // template text, a token the field does not take, an unknown "%x%"
    Mark,   // a quote mark
    Blank,  // a blank or tab of the template
    Value,  // a token's value
  };
  Kind kind = Kind::Text;
  QString text;  // Mark: the character written ('"' for "%q%")
  bool operator==(const TemplatePiece&) const = default;
};
using ParsedTemplate = std::vector<TemplatePiece>;

// Tokens are found in any letter case.
ParsedTemplate ParseTemplate(QStringView tmpl, const TokenProvider& provider);

// The template with its tokens replaced and every quote mark shown as a
// double quote: for messages and the preview.
QString TemplateDisplayText(const ParsedTemplate& parsed);

// One value (a program path, a folder): the quote marks are dropped, blanks kept.
QString TemplateSingleValue(const ParsedTemplate& parsed);

// Arguments: split at blanks outside quote marks, the marks dropped. A value
// never splits; an empty quoted pair gives an empty argument.
QStringList TemplateArguments(const ParsedTemplate& parsed);

// Replaces every occurrence of `token` (any letter case) by `text` as
// template text, which is read for tokens and quotes afterwards: only for
// texts that come from the entry itself.
QString InsertTemplateText(const QString& tmpl, QStringView token, const QString& text);

}  // namespace vendle
