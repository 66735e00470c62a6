// The line number Return types in an ATTiny program.
#include "editor/ui/return_key.h"
#include "tools/attiny_numbering.h"

namespace vendle {

QString NextLineNumberText(App&, const QString& line, int step) { return NextAtTinyLineNumber(line, step); }

}  // namespace vendle
