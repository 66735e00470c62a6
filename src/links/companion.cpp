#include "links/companion.h"

#include <QStringList>

namespace vendle {

QString FindCompanion(const QString& programFolder, const QString& searchPath,
                      const std::function<bool(const QString&)>& isExecutable) {
  const QString name = QString::fromLatin1(kCompanionName);
  QStringList candidates;
  if (!programFolder.isEmpty()) candidates << programFolder + name << programFolder + name + QStringLiteral(".exe");
  for (const QString& folder : searchPath.split(u':', Qt::SkipEmptyParts)) {
    if (!folder.startsWith(u'/')) continue;  // relative entries would depend on the current folder
    candidates << (folder.endsWith(u'/') ? folder : folder + u'/') + name;
  }
  for (const QString& c : candidates)
    if (isExecutable(c)) return c;
  return {};
}

StartCommand CompanionStart(const QString& companion, const QString& file, const QString& programFolder) {
  return {companion, {file}, programFolder};
}

}  // namespace vendle
