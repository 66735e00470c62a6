// Readable printing of the loaded syntax records, for test failure messages
// and debug output. Texts are written as UTF-8.
#pragma once

#include <ostream>

#include "editor/syntax_data.h"

namespace vendle {

inline std::ostream& operator<<(std::ostream& os, const AtTinyAbbreviation& a) {
  return os << '(' << a.keyword.toStdString() << ", " << a.abbreviation.toStdString() << ')';
}

inline std::ostream& operator<<(std::ostream& os, const KeywordHelpRow& r) {
  return os << '[' << r.keyword.toStdString() << " | " << r.helpPage.toStdString() << " | "
            << r.syntaxLine.toStdString() << ']';
}

inline std::ostream& operator<<(std::ostream& os, const QuickHint& h) {
  return os << '{' << h.mask << ", " << h.text.toStdString() << '}';
}

inline std::ostream& operator<<(std::ostream& os, const SyntaxEntry& e) {
  return os << '{' << e.name.toStdString() << ": " << e.description.toStdString() << " | kw"
            << e.keywords.toStdString() << "| par" << e.parameters.toStdString() << "| mw"
            << e.multiWords.toStdString() << "| mask " << e.hintMask << '}';
}

}  // namespace vendle
