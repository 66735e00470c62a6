// The result path of the source tools.
#include "tools/result_path.h"

#include "documents/program_file.h"

namespace vendle {

QString ResultPath(const QString& path, const QString& suffix) { return InsertBeforeExtension(path, suffix); }

}  // namespace vendle
