// The control server's life and the commands it receives.
#include <cstdio>

#include <algorithm>

#include <QWidget>

#include "documents/ui/document_commands.h"
#include "links/control_link.h"
#include "links/control_server.h"
#include "links/handover.h"
#include "links/ui/link_commands.h"
#include "platform/instance_lock.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"
#include "editor/ui/editor_view.h"

namespace vendle {

void StartControlServer(App& app) {
  // A command runs only when nothing else does: not inside a handler, a
  // requester or another command.
  auto server = std::make_unique<ControlServer>(
      [&app] { return !app.dispatcher().busy() && !app.dispatcher().stopped(); },
      [&app](const QString& command) { app.post(Event::Command(command)); },
      [&app](const QString& line) { DebugLog(app, line); });
  QString error;
  const int port = app.settings().controlPort;
  InstanceLock* lock = app.instanceLock();
  const bool inRange = port >= 1 && port <= 65535;
  if (!inRange || !server->listen(static_cast<quint16>(port), &error)) {
    // The editor goes on without a control link; a second start is told so.
    if (lock) lock->record(std::nullopt);
    const QString why = inRange ? QStringLiteral("No control link on port %1: %2").arg(port).arg(error)
                                : QStringLiteral("No control link: \"Control Port\" = %1 is outside 1-65535").arg(port);
    DebugLog(app, why);
    std::fprintf(stderr, "vendle: %s\n", why.toLocal8Bit().constData());
    if (!inRange)
      app.requesters().message(QString::fromLatin1(kControlLinkTitle),
                               PortOutOfRangeText(port, app.folders().data + QStringLiteral("Vendle5.inf")));
    return;
  }
  if (lock) lock->record(server->port());
  app.setControlServer(std::move(server));
}

void StopControlServer(App& app) { app.setControlServer(nullptr); }

// A hand-over brings the editor forward, even with an empty list.
void RaiseMainWindow(App& app) {
  QWidget* w = app.mainWidget();
  if (!w) return;
  if (w->isMinimized()) w->showNormal();
  w->show();
  w->raise();
  w->activateWindow();
}

void HandleControlCommand(App& app, const QString& rest) {
  const SubCommand sub = ParseSubCommand(rest);
  DebugLog(app, sub.trimmed);
  if (sub.kind != SubCommand::Kind::Goto) return;
  EditorView* ed = CurrentEditor(app);
  if (!ed) return;
  Sci s = ed->sci();
  s.send(QsciScintillaBase::SCI_GOTOLINE, static_cast<std::uintptr_t>(std::max<qint64>(0, sub.line - 1)));
  s.send(QsciScintillaBase::SCI_SCROLLCARET);
  ed->setFocus();
}

void ExecuteControlCommand(App& app, const QString& text) {
  const ControlCommand c = ParseControlCommand(text);
  switch (c.kind) {
    case CommandKind::Load:
      DebugLog(app, QStringLiteral("Gotcha ") + c.rest.mid(1));
      RaiseMainWindow(app);
      OpenDocumentList(app, c.rest.trimmed(), true);
      break;
    case CommandKind::Paste:
      PasteIntoNewDocument(app);
      break;
    case CommandKind::Cmd:
      HandleControlCommand(app, c.rest);
      break;
    case CommandKind::Ignored:
      break;
  }
}

}  // namespace vendle
