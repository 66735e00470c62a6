// The conversion of typographic and other non-ASCII characters to plain
// ASCII, used for "Paste as ASCII", "Remove smart quotes" and the clean-up
// commands. Texts are UTF-16 QStrings.
#pragma once

#include <QString>
#include <QStringView>

namespace vendle {

// `text` with every UTF-16 unit of code 128 or above replaced: quotes,
// dashes, blanks, units and symbols by their ASCII spelling, anything else by
// "?". A character outside the basic plane (a surrogate pair) gives "??".
QString ConvertToAscii(QStringView text);

// The replacement of one unit of code 128 or above.
QStringView AsciiReplacementOf(char16_t unit);

}  // namespace vendle
