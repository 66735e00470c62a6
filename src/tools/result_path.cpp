// The result path of the source tools.
#include "tools/result_path.h"

#include "documents/program_file.h"
#include "platform/paths.h"

namespace vendle {

QString ResultPath(const QString& path, const QString& suffix) { return InsertBeforeExtension(path, suffix); }

QString CrossReferencePath(const QString& crunchPath) {
  const qsizetype nameStart = crunchPath.size() - FileNamePart(crunchPath).size();
  const qsizetype dot = crunchPath.lastIndexOf(u'.');
  return (dot < nameStart ? crunchPath : crunchPath.left(dot)) + QStringLiteral(".lst");
}

}  // namespace vendle
