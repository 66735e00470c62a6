// Small file helpers of the tests: whole files read and written as bytes,
// and golden files.
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

// Compares `actual` with the golden file at `path`. On a mismatch the result
// is written beside it as `path` + ".new" (to look at, or to copy over the
// golden file once it is right) and the test fails; a match removes a stale
// ".new".
inline void ExpectGolden(const QString& path, const QByteArray& actual) {
  QFile golden(path);
  if (golden.open(QIODevice::ReadOnly) && golden.readAll() == actual) {
    QFile::remove(path + ".new");
    return;
  }
  QFile out(path + ".new");
  if (out.open(QIODevice::WriteOnly)) out.write(actual);
  ADD_FAILURE() << path.toStdString() << " differs; the result is in " << path.toStdString() << ".new";
}

}  // namespace vendle::test
