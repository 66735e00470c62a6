// The preference file's place in the program's life: read at start-up,
// written at shutdown, copied by "Copy INF files".
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/paths.h"
#include "platform/ui/toolkit.h"
#include "settings/settings_file.h"
#include "settings/ui/settings_commands.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {

// A preference file is a few kilobytes; anything far beyond that is not
// one, and is not read into memory.
constexpr qint64 kLargestPreferenceFile = 16 * 1024 * 1024;

QByteArray ReadPreferenceBytes(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || info.size() > kLargestPreferenceFile) return {};
  const ReadResult r = ReadWholeFile(path);
  return r.ok ? r.bytes : QByteArray();
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
  if (!in.ok || in.bytes.isEmpty()) return;
  WriteFileSafely(*target, in.bytes);
}

}  // namespace

void LoadSettings(App& app) {
  const QString data = app.folders().data;
  Settings& s = app.settings();
  s = LoadSettingsFrom(ReadPreferenceBytes(data + QStringLiteral("Vendle5.inf")),
                       ReadPreferenceBytes(data + QStringLiteral("Ravolt.inf")), CurrentDesktop());
  // A stored folder that is gone leaves the default file folder.
  if (!s.userFolder.isEmpty() && QFileInfo(s.userFolder).isDir())
    app.folders().file = EnsureTrailingSeparator(s.userFolder);
  app.toolkit().loadFont(+FontId::Misc, s.miscFont, s.miscFontSize, false);
  app.toolkit().loadFont(+FontId::Mono, s.monoFont, s.monoFontSize, true);
}

void SaveSettings(App& app) {
  Settings& s = app.settings();
  // A missing folder is never stored.
  s.userFolder = QFileInfo(app.folders().file).isDir() ? app.folders().file : QString();
  const QString path = app.folders().data + QStringLiteral("Vendle5.inf");
  // Written beside the old file and renamed over it: a failed write keeps
  // the previous settings.
  const WriteResult r = WriteFileSafely(path, SaveSettingsBytes(s, app.folders().data));
  if (!r.ok)
    std::fprintf(stderr, "vendle: the settings could not be saved to %s: %s\n", path.toLocal8Bit().constData(),
                 r.error.toLocal8Bit().constData());
}

void CopyInfFiles(App& app) {
  const QString data = app.folders().data;
  CopyOneFile(app, QStringLiteral("Copy Vendle5.inf to:"), QStringLiteral("Vendle5.inf.bak"),
              data + QStringLiteral("Vendle5.inf"));
  CopyOneFile(app, QStringLiteral("Copy Corvat.inf to:"), QStringLiteral("Corvat.inf.bak"),
              data + QStringLiteral("Corvat.inf"));
}

}  // namespace vendle
