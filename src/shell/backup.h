// The periodic backup's rules: when a document is due, its fingerprint, and
// the name of its backup file.
#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QSet>
#include <QString>

namespace vendle {

// Due once at least interval - 1 seconds have passed since the last open,
// save or backup.
inline bool BackupDue(qint64 now, qint64 lastSaveTime, qint64 intervalSeconds) {
  return now - lastSaveTime - intervalSeconds >= -1;
}

// CRC-32 of the UTF-8 text as 8 lower-case hexadecimal digits.
QString BackupFingerprint(QByteArrayView utf8);

// folder + "%yyyy%mm%dd_%hh%ii_" + the file name of `path`. A name already
// written in this tick (in `taken`) gets "_2", "_3"... before its extension,
// so two documents never share a backup.
QString BackupFileName(const QString& folder, const QDateTime& when, const QString& path, QSet<QString>* taken);

}  // namespace vendle
