// Small file helpers of the tests: whole files read and written as bytes.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vendle::test {

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

}  // namespace vendle::test
