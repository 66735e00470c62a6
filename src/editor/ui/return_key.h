// The Return key of the editors (Item::ReturnKey) and the line number it types in
// an "ATTiny" document. Texts are UTF-16 QStrings.
#pragma once

#include <QString>

namespace vendle {

class App;

// The number for the line after `line` in an ATTiny program: the value of
// the line's first blank-separated field plus `step`, right-aligned in four
// characters and followed by one blank. (The entry point of the ATTiny
// numbering; the version in return_key_numbering.cpp does only this.)
QString NextLineNumberText(App& app, const QString& line, int step);

}  // namespace vendle
