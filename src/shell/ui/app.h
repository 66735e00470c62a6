// The running program: its state, the toolkit with its numbered windows, the
// event dispatcher and the requesters. Start-up, the event loop and the
// shutdown are App's; every handler receives the App it works on.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>

#include "platform/dispatcher.h"
#include "platform/folders.h"
#include "platform/requesters.h"
#include "shell/app_state.h"

class QWidget;

namespace vendle {

class Toolkit;
class InstanceLock;
class SignalPipe;
class MainWindow;
class ControlServer;
class TabStrip;

struct StartOptions {
  QString programFolder;  // the executable's folder
  QString programFileName = QStringLiteral("vendle");
  QStringList arguments;  // the files named on the command line
  QString workingFolder;  // relative arguments are taken from here
  KnownFolders knownFolders;
  QString lockPath;                                     // the single-instance lock file
  QString defaultsRoot = QStringLiteral(":/defaults");  // the default data files
  Requesters* requesters = nullptr;                     // not owned; null shows Qt dialogs
  bool handleSignals = false;                           // SIGTERM and SIGINT request the close of WindowId::Main
  bool showWindow = true;
};

class App {
 public:
  explicit App(StartOptions options);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  enum class Start { Running, HandedOver, HandOverFailed };
  // Start-up, in its order. A second start hands its files to the running
  // instance and returns HandedOver (or HandOverFailed).
  Start startUp();
  // Runs the event loop until an exit request has set the quit flag.
  int exec();
  // The ordered shutdown after the loop.
  void shutDown();

  void post(const Event& e) { dispatcher_.post(e); }
  // The one switch over (window, event kind); see dispatch.cpp.
  void dispatch(const Event& e);
  bool loopEnded() const { return dispatcher_.stopped(); }

  AppState& state() { return state_; }
  Settings& settings() { return state_.settings; }
  Folders& folders() { return state_.folders; }
  Toolkit& toolkit() { return *toolkit_; }
  Dispatcher& dispatcher() { return dispatcher_; }
  Requesters& requesters() { return *requesters_; }
  const StartOptions& options() const { return options_; }

  MainWindow* mainWindow() const { return mainWindow_; }
  void setMainWindow(MainWindow* w) { mainWindow_ = w; }
  QWidget* mainWidget() const;

  // The tab bar's items; a plain list until the canvas attaches its own.
  TabStrip& tabStrip() const { return *tabStrip_; }
  void setTabStrip(std::unique_ptr<TabStrip> strip);

  ControlServer* controlServer() const { return controlServer_.get(); }
  // Null when this start holds no lock (a second start, or no lock file).
  InstanceLock* instanceLock() const { return lock_.get(); }
  void setControlServer(std::unique_ptr<ControlServer> s);

  // The names of the handlers the dispatch ran, newest last (bounded).
  void noteHandler(const char* name);
  const std::deque<QString>& handlerTrace() const { return trace_; }
  QString lastHandler() const { return trace_.empty() ? QString() : trace_.back(); }

 private:
  // The phases of startUp, in their order.
  QStringList readCommandLine();
  void takeInstanceAndFolders();
  void loadPreferences();
  Start handOver(const QStringList& files);
  void buildWindow();
  void startServices();
  void openFirstDocuments();
  void openChangeLogWhenNew();

  StartOptions options_;
  QString lockPath_;
  AppState state_;
  Dispatcher dispatcher_;
  std::unique_ptr<Toolkit> toolkit_;
  std::unique_ptr<Requesters> ownRequesters_;
  Requesters* requesters_ = nullptr;
  std::unique_ptr<InstanceLock> lock_;
  std::unique_ptr<SignalPipe> signals_;
  std::unique_ptr<ControlServer> controlServer_;
  std::unique_ptr<TabStrip> tabStrip_;
  MainWindow* mainWindow_ = nullptr;
  std::deque<QString> trace_;
};

// The program's entry point and whole main body: start-up, loop, shutdown.
int RunApplication(int argc, char** argv);

}  // namespace vendle
