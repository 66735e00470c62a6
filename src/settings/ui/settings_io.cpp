// The preference file's place in the program's life: read at start-up,
// written at shutdown, copied by "Copy INF files".
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/paths.h"
#include "platform/ui/toolkit.h"
#include "settings/settings_file.h"
#include "settings/ui/settings_commands.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

// A preference file is a few kilobytes; anything far beyond that is not
// one, and is not read into memory.
constexpr qint64 kLargestPreferenceFile = 16 * 1024 * 1024;

// The bytes of a preference file; empty when there is none. `unread` is set
// when something is there that could not be read (too large, not a file, an
// error), so that exit keeps it instead of writing defaults over it.
QByteArray ReadPreferenceBytes(App& app, const QString& path, bool* unread) {
  const ReadResult r = ReadWholeFile(path, kLargestPreferenceFile);
  if (!r.ok && r.exists) {
    DebugLog(app, "preference file " + path + " not read: " + r.error);
    if (unread) *unread = true;
  }
  return r.ok ? r.bytes : QByteArray();
}

// Moves a preference file that was not read out of the way, beside it under
// a name of its own, so that writing the settings does not destroy it.
void KeepUnreadPreferences(App& app, const QString& path) {
  if (!NotARegularFileReason(path).isEmpty() || !QFileInfo::exists(path)) return;
  const QString stem = path + QStringLiteral(".unread-") + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
  QString kept = stem;
  for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n) kept = stem + '-' + QString::number(n);
  if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(kept).constData()) == 0)
    DebugLog(app, "preference file " + path + " was not read at the start; kept as " + kept);
  else
    DebugLog(app, "preference file " + path + " was not read at the start and could not be kept: " +
                      QString::fromLocal8Bit(std::strerror(errno)));
}

// The primary screen first, then the others in Qt's order.
Desktop CurrentDesktop() {
  Desktop d;
  QScreen* primary = QGuiApplication::primaryScreen();
  auto add = [&](const QScreen* s) {
    const QRect g = s->geometry();
    d.monitors.push_back({g.x(), g.y(), g.width(), g.height()});
  };
  if (primary) add(primary);
  for (const QScreen* s : QGuiApplication::screens())
    if (s != primary) add(s);
  return d;
}

void CopyOneFile(App& app, const QString& title, const QString& defaultName, const QString& source) {
  FileRequest r;
  r.title = title;
  r.initialPath = app.folders().file + defaultName;
  r.patterns = QStringLiteral("*.*");
  const std::optional<QString> target = app.requesters().saveFile(r);
  if (!target || target->isEmpty()) return;
  // Byte for byte: the copy keeps its encoding and byte-order mark.
  const ReadResult in = ReadWholeFile(source);
  if (!in.ok) {
    if (in.exists)
      app.requesters().message(QStringLiteral("Oops!"), "The file could not be read:\n" + source + "\n" + in.error);
    return;
  }
  if (in.bytes.isEmpty()) return;
  const WriteResult w = WriteFileSafely(*target, in.bytes);
  if (!w.ok) app.requesters().message(QStringLiteral("Oops!"), "The file could not be saved:\n" + *target + "\n" + w.error);
}

}  // namespace

void LoadSettings(App& app) {
  const QString data = app.folders().data;
  Settings& s = app.settings();
  s = LoadSettingsFrom(ReadPreferenceBytes(app, data + QStringLiteral("Vendle5.inf"), &app.state().preferencesUnread),
                       ReadPreferenceBytes(app, data + QStringLiteral("Ravolt.inf"), nullptr), CurrentDesktop());
  // A stored folder that is gone leaves the default file folder.
  if (!s.userFolder.isEmpty() && QFileInfo(s.userFolder).isDir())
    app.folders().file = EnsureTrailingSeparator(s.userFolder);
  app.toolkit().loadFont(+FontId::Misc, s.miscFont, s.miscFontSize, false);
  app.toolkit().loadFont(+FontId::Mono, s.monoFont, s.monoFontSize, true);
}

bool SaveSettings(App& app) {
  Settings& s = app.settings();
  // A missing folder is never stored.
  s.userFolder = QFileInfo(app.folders().file).isDir() ? app.folders().file : QString();
  const QString path = app.folders().data + QStringLiteral("Vendle5.inf");
  if (app.state().preferencesUnread) {
    KeepUnreadPreferences(app, path);
    app.state().preferencesUnread = false;
  }
  // Written beside the old file and renamed over it: a failed write keeps
  // the previous settings.
  const WriteResult r = WriteFileSafely(path, SaveSettingsBytes(s, app.folders().data));
  if (!r.ok) {
    DebugLog(app, "the settings could not be saved to " + path + ": " + r.error);
    std::fprintf(stderr, "vendle: the settings could not be saved to %s: %s\n", path.toLocal8Bit().constData(),
                 r.error.toLocal8Bit().constData());
    app.requesters().message(QStringLiteral("Oops!"), "The settings could not be saved:\n" + path + "\n" + r.error);
  }
  return r.ok;
}

void CopyInfFiles(App& app) {
  const QString data = app.folders().data;
  CopyOneFile(app, QStringLiteral("Copy Vendle5.inf to:"), QStringLiteral("Vendle5.inf.bak"),
              data + QStringLiteral("Vendle5.inf"));
  CopyOneFile(app, QStringLiteral("Copy Corvat.inf to:"), QStringLiteral("Corvat.inf.bak"),
              data + QStringLiteral("Corvat.inf"));
}

}  // namespace vendle
