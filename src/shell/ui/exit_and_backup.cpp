#include "shell/ui/exit_and_backup.h"

#include <QFile>
#include <QWidget>

#include "documents/ui/document_commands.h"
#include "links/ui/link_commands.h"
#include "platform/ui/toolkit.h"
#include "settings/ui/settings_commands.h"
#include "shell/ui/app.h"

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
  tk.removeTimer(kMain, static_cast<int>(TimerId::Backup));
  // The tool windows close directly: nothing of theirs is stored.
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

void BackupTick(App&) {}

}  // namespace vendle
