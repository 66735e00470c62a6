// Test helpers: the fixtures of this folder and a readable print of Settings.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <algorithm>
#include <ostream>

#include "qt_print.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace vendle {

// GoogleTest prints a Settings as the file it would write, plus the values
// the file does not hold.
inline void PrintTo(const Settings& s, std::ostream* os) {
  *os << "\n" << QString::fromUtf8(SaveSettingsBytes(s, QString())).toStdString();
  *os << "fileCount=" << s.fileCount << " openFiles=\"" << s.openFilesString.toStdString() << "\""
      << " includeParameters=" << s.includeParameters << " currentSyntax=" << s.currentSyntaxName.toStdString()
      << " storedHeader=\"" << s.storedNewFileText.toStdString() << "\" ravoltFolder=" << s.ravoltFolder.toStdString()
      << " ravolt=" << s.ravoltPrograms.size() << "\n";
}

namespace test {

inline QStringList Facts(const Settings& s) {
  QStringList l = QString::fromUtf8(SaveSettingsBytes(s, QString())).split(QStringLiteral("\r\n"));
  l << "fileCount=" + QString::number(s.fileCount) << "openFiles=" + s.openFilesString
    << "includeParameters=" + QString::number(s.includeParameters) << "currentSyntax=" + s.currentSyntaxName
    << "storedHeader=" + s.storedNewFileText << "ravoltFolder=" + s.ravoltFolder
    << "removeOldTknFiles=" + QString::number(s.removeOldTknFiles);
  for (const auto& e : s.ravoltPrograms) l << "ravolt=" + e.menuText + "|" + e.folder + "|" + e.program;
  for (const auto& e : s.externalPrograms) l << "program=" + e.menuText + "|" + e.folder + "|" + e.program;
  return l;
}

// Equality of two Settings, reporting the lines in which they differ.
inline ::testing::AssertionResult SameSettings(const Settings& a, const Settings& b) {
  if (a == b) return ::testing::AssertionSuccess();
  const QStringList la = Facts(a), lb = Facts(b);
  auto r = ::testing::AssertionFailure();
  for (qsizetype i = 0; i < std::max(la.size(), lb.size()); ++i) {
    const QString x = i < la.size() ? la[i] : QString(), y = i < lb.size() ? lb[i] : QString();
    if (x != y) r << "\n  " << x.toStdString() << "   <->   " << y.toStdString();
  }
  if (la == lb) r << " (a field the file does not show differs)";
  return r;
}

inline QByteArray Fixture(const char* name) {
  QFile f(QStringLiteral(VENDLE_TEST_DATA_DIR "/settings/data/") + QString::fromLatin1(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

// One 1920 x 1080 monitor: every stored placement of the fixtures fits it.
inline Desktop OneMonitor() { return Desktop{{{0, 0, 1920, 1080}}}; }

// A file of the given lines (LF ends), UTF-8 with the byte-order mark.
inline QByteArray Inf(const char* text) { return QByteArray("\xEF\xBB\xBF\r\n") + text; }

}  // namespace test
}  // namespace vendle
