// Where a source tool puts its result: beside the source, under a name with
// a suffix before the file name's last extension.
#pragma once

#include <QString>

namespace vendle {

// "a.bas.d/b.bas" + "_NoLN" gives "a.bas.d/b_NoLN.bas": only the file name
// changes, so a result never lands on the source's path or in another
// folder; a name without an extension gets the suffix appended. Both "/"
// and "\" separate folders.
QString ResultPath(const QString& path, const QString& suffix);

// The crunch cross-reference file beside the crunch result at `crunchPath`:
// its file name's last extension replaced by ".lst" (appended when it has
// none).
QString CrossReferencePath(const QString& crunchPath);

}  // namespace vendle
