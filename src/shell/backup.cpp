#include "shell/backup.h"

#include <zlib.h>

#include "documents/program_file.h"
#include "platform/paths.h"

namespace vendle {

QString BackupFingerprint(QByteArrayView utf8) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most 4 GiB a call.
  const auto* p = reinterpret_cast<const Bytef*>(utf8.data());
  qsizetype left = utf8.size();
  while (left > 0) {
    const uInt n = static_cast<uInt>(std::min<qsizetype>(left, 1 << 30));
    crc = crc32(crc, p, n);
    p += n;
    left -= n;
  }
  return QStringLiteral("%1").arg(static_cast<quint32>(crc), 8, 16, QLatin1Char('0'));
}

QString BackupFileName(const QString& folder, const QDateTime& when, const QString& path, QSet<QString>* taken) {
  const QString base = folder + when.toString(QStringLiteral("yyyyMMdd_HHmm_")) + FileNamePart(path);
  QString name = base;
  for (int n = 2; taken && taken->contains(name); ++n) name = InsertBeforeExtension(base, QStringLiteral("_%1").arg(n));
  if (taken) taken->insert(name);
  return name;
}

}  // namespace vendle
