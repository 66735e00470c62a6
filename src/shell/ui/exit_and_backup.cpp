#include "shell/ui/exit_and_backup.h"

#include <QFile>
#include <QWidget>

#include <QDateTime>
#include <QSet>

#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/find_window.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "shell/backup.h"
#include "links/ui/link_commands.h"
#include "platform/ui/toolkit.h"
#include "settings/ui/settings_commands.h"
#include "shell/ui/app.h"
#include "shell/ui/info_window.h"

namespace vendle {
namespace {
constexpr int kMain = static_cast<int>(WindowId::Main);
}

void ExitRequest(App& app) {
  AppState& st = app.state();
  if (st.settings.confirmBeforeExit == 1 &&
      app.requesters().ask(QStringLiteral("Quit"), QStringLiteral("Are you sure you want to quit Vendle?"),
                           Buttons::YesNo) != Answer::Yes)
    return;
  st.quitFlag = 1;
  RecordOpenFiles(app);
  if (!CloseAllForExit(app)) st.quitFlag = 0;
}

void ShutDownSequence(App& app) {
  Toolkit& tk = app.toolkit();
  // Quitting from here on, however the end was reached: a debug line of the
  // steps below opens no window again.
  app.state().quitFlag = 1;
  tk.removeTimer(kMain, static_cast<int>(TimerId::Backup));
  // The Find window stores its options before the settings are written.
  CloseFindWindow(app);
  // The other tool windows close directly: nothing of theirs is stored.
  for (WindowId w : {WindowId::FindReplace, WindowId::FindAll, WindowId::SubList, WindowId::HelpViewer,
                     WindowId::InfoText, WindowId::WebPage, WindowId::Settings}) {
    if (QWidget* win = tk.window(static_cast<int>(w))) {
      tk.unregisterWindow(static_cast<int>(w));
      delete win;
    }
  }
  SaveSettings(app);
  for (const QString& path : app.state().tempFiles) QFile::remove(path);
  StopControlServer(app);
}

void BackupTick(App& app) {
  Settings& st = app.settings();
  if (st.backupIntervalSeconds <= 0 || st.backupFolder.isEmpty()) return;
  st.backupFolder = EnsureTrailingSeparator(st.backupFolder);
  const qint64 now = RunningSeconds();
  const QDateTime when = QDateTime::currentDateTime();
  QSet<QString> taken;
  QString tell;
  // The walk reads the documents' editors; it never changes the current one.
  app.state().backupRunning = true;
  for (DocumentRecord& d : app.state().docs.list) {
    EditorView* ed = EditorOf(app.toolkit(), d.editor);
    if (!ed) {
      d.modified = 0;
      continue;
    }
    Sci s = ed->sci();
    d.modified = s.modified() ? 1 : 0;
    if (!d.modified || !BackupDue(now, d.lastSaveTime, st.backupIntervalSeconds)) continue;
    d.lastSaveTime = now;
    const QByteArray utf8 = s.range(0, s.length());
    const QString fingerprint = BackupFingerprint(utf8);
    if (fingerprint == d.backupFingerprint) continue;
    const QString name = BackupFileName(st.backupFolder, when, d.path, &taken);
    // The fingerprint is kept only after a complete write, so a folder that
    // was missing is tried again next time.
    const WriteResult w = WriteFileSafely(name, EncodeAnsi(QString::fromUtf8(utf8)));
    if (w.ok) {
      d.backupFingerprint = fingerprint;
      d.lastSaveTime = RunningSeconds();
      app.state().backupFailure.clear();
    } else {
      DebugLog(app, "backup " + name + " not written: " + w.error);
      // Told once, not at every tick while the disk stays full.
      if (app.state().backupFailure != w.error && tell.isEmpty()) {
        app.state().backupFailure = w.error;
        tell = "The backup could not be saved:\n" + name + "\n" + w.error;
      }
    }
  }
  app.state().backupRunning = false;
  // After the walk: the message's own event loop may run another tick.
  if (!tell.isEmpty()) app.requesters().message(QStringLiteral("Oops!"), tell);
}

}  // namespace vendle
