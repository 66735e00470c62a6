#include "shell/ui/main_window_commands.h"

#include <QStringList>

#include "documents/ui/document_commands.h"
#include "platform/clock.h"
#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"
#include "shell/menu_model.h"
#include "shell/status_text.h"
#include "shell/ui/app.h"
#include "shell/ui/main_menu.h"
#include "shell/ui/main_window.h"

namespace vendle {
namespace {

// Like the running clock, the two stopwatch slots are the process's.
Stopwatch& TheStopwatch() {
  static Stopwatch watch(RunningMilliseconds);
  return watch;
}

QString BuildToolLine() {
#if defined(__clang__)
  const QString compiler = QStringLiteral("Clang ") + QString::fromLatin1(__clang_version__);
#elif defined(__GNUC__)
  const QString compiler = QStringLiteral("GCC ") + QString::fromLatin1(__VERSION__);
#else
  const QString compiler = QStringLiteral("a C++20 compiler");
#endif
  return QStringLiteral("Built with ") + compiler + QStringLiteral(" and Qt ") + QString::fromLatin1(QT_VERSION_STR);
}

}  // namespace

void UpdateFileStatus(App& app, int control) {
  EditorView* ed = EditorOf(app.toolkit(), control);
  if (!ed) return;
  const Sci s = ed->sci();
  const bool modified = s.modified();
  const qint64 length = s.send(QsciScintillaBase::SCI_GETTEXTLENGTH);
  const qint64 lines = s.lineCount();
  SetStatusField(app, StatusField::FileState, FormatFileStatus(lines, length, modified));
}

void StatusRefreshTick(App& app) {
  if (EditorView* ed = CurrentEditor(app)) UpdateFileStatus(app, ed->control());
}

qint64 MarkTime(App& app, int selector) {
  const Stopwatch::Mark m = TheStopwatch().mark(selector);
  if (m.elapsedText && app.toolkit().windowExists(+WindowId::Main)) SetStatusField(app, StatusField::Elapsed, *m.elapsedText);
  return m.now;
}

TimedCommand::TimedCommand(App& app) : app_(app) { MarkTime(app_, 0); }
TimedCommand::~TimedCommand() { MarkTime(app_, 1); }

void AddRecentFile(App& app, const QString& entry) {
  QStringList& recent = app.settings().recentFiles;
  recent = AddRecent(recent, entry);
  const QStringList labels = RecentItemLabels(recent);
  for (int k = 0; k < labels.size(); ++k) SetItemText(app, +Item::RecentFirst + k, labels[k]);
}

void ShowAboutBox(App& app) {
  const AppState& st = app.state();
  const Folders& f = st.folders;
  // The lines break at LF and CR alike; the requester shows both as breaks.
  const QString text = QStringLiteral("Version: ") + st.versionText + QStringLiteral("  OS Ver: ") + st.osVersionText +
                       u'\n' + QStringLiteral("Build date: ") + st.settings.buildDate + u'\r' + BuildToolLine() +
                       u'\r' + QStringLiteral("Program folder: ") + f.program + QStringLiteral("\rData folder: ") +
                       f.data + u'\r' + QStringLiteral("File folder: ") + f.file +
                       QStringLiteral("\rBackup folder: ") + st.settings.backupFolder + u'\r' +
                       QStringLiteral("Questions and reports: see the README that came with Vendle.");
  app.requesters().message(f.programFileName, text);
}

}  // namespace vendle
