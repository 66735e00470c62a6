// Starts the whole application in-process, headless, in a sandbox folder:
// a program folder with "portable.inf" and its "Data/" folder, a lock file
// of its own and scripted requesters. Tests post events and read state back.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "qt_print.h"
#include "scripted_requesters.h"
#include "editor/ui/editor_view.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle::test {

struct DriverOptions {
  QStringList arguments;
  bool portable = true;
  // Written as "Vendle5.inf" in the data folder before the start (UTF-8 with
  // BOM is added); the control port of the sandbox and a "Firmware update"
  // that keeps the shipped change log closed are appended unless the text
  // names them.
  QString preferences;
  // Runs before the start with the data folder's path (to place files).
  std::function<void(const QString& dataFolder)> prepare;
  bool start = true;
};

class AppDriver {
 public:
  explicit AppDriver(DriverOptions options = {});
  ~AppDriver();
  AppDriver(const AppDriver&) = delete;
  AppDriver& operator=(const AppDriver&) = delete;

  App::Start start();
  App& app() { return *app_; }
  ScriptedRequesters& requesters() { return requesters_; }
  const ScriptedRequesters& requesters() const { return requesters_; }

  QString root() const { return dir_.path() + "/"; }
  QString programFolder() const { return root() + "prog/"; }
  QString dataFolder() const;
  quint16 controlPort() const { return port_; }

  void post(const Event& e) { app_->post(e); }
  void menu(Item item) { app_->post(Event::Menu(item)); }
  // Lets Qt deliver what is waiting (timers, sockets) for up to `ms`.
  void processEvents(int ms = 0);
  // Runs the events until `done` holds or `ms` pass; true when it held.
  bool waitFor(const std::function<bool()>& done, int ms = 5000);
  // Ends the run the way the program does: shutdown after the loop.
  void shutDown();

 private:
  DriverOptions options_;
  QTemporaryDir dir_;
  ScriptedRequesters requesters_;
  std::unique_ptr<App> app_;
  quint16 port_ = 0;
  bool started_ = false;
  bool shutDown_ = false;
};

// The current document's editor's messages (the test must have a document).
inline Sci CurrentSci(AppDriver& d) { return CurrentEditor(d.app())->sci(); }

// A TCP port that was free a moment ago.
quint16 FreePort();

// `prefs` with key = value in [group] unless the text sets that key already:
// into the group when it exists (only a group's first section is read),
// else as a new group at the end.
QString WithSetting(const QString& prefs, const QString& group, const QString& key, const QString& value);

}  // namespace vendle::test
