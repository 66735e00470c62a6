#include "shell/ui/app.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "documents/ui/document_commands.h"
#include "documents/ui/tab_bar_canvas.h"
#include "documents/ui/tab_strip.h"
#include "editor/ui/syntax_commands.h"
#include "links/control_server.h"
#include "links/handover.h"
#include "links/ui/link_commands.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/signal_pipe.h"
#include "platform/sysinfo.h"
#include "platform/ui/qt_requesters.h"
#include "platform/ui/toolkit.h"
#include "settings/ui/settings_commands.h"
#include "shell/startup.h"
#include "shell/ui/exit_and_backup.h"
#include "shell/ui/info_window.h"
#include "shell/ui/main_menu.h"
#include "shell/ui/main_window.h"
#include "tools/ui/tool_commands.h"

namespace vendle {
namespace {
constexpr int kMain = static_cast<int>(WindowId::Main);
constexpr std::size_t kTraceLength = 256;
}  // namespace

App::App(StartOptions options)
    : options_(std::move(options)),
      toolkit_(std::make_unique<Toolkit>(dispatcher_)),
      tabStrip_(std::make_unique<ListTabStrip>()) {
  if (options_.requesters) {
    requesters_ = options_.requesters;
  } else {
    auto qt = std::make_unique<QtRequesters>([this] { return mainWidget(); });
    qt->setWindowLookup([this](int window) { return toolkit_->window(window); });
    ownRequesters_ = std::move(qt);
    requesters_ = ownRequesters_.get();
  }
  requesters_->setDispatcher(&dispatcher_);
  dispatcher_.setHandler([this](const Event& e) { dispatch(e); });
  // The loop ends after the event during which the quit flag became 1.
  dispatcher_.setAfterEvent([this] {
    if (state_.quitFlag == 1 && !dispatcher_.busy() && !dispatcher_.stopped()) {
      dispatcher_.stop();
      QCoreApplication::exit(0);
    }
  });
}

App::~App() {
  requesters_->setDispatcher(nullptr);
  controlServer_.reset();
  signals_.reset();
  toolkit_->clear();
  delete mainWindow_;
}

QWidget* App::mainWidget() const { return mainWindow_; }

void App::setTabStrip(std::unique_ptr<TabStrip> strip) { tabStrip_ = std::move(strip); }

void App::setControlServer(std::unique_ptr<ControlServer> s) { controlServer_ = std::move(s); }

void App::noteHandler(const char* name) {
  trace_.push_back(QString::fromLatin1(name));
  if (trace_.size() > kTraceLength) trace_.pop_front();
}

App::Start App::startUp() {
  const QStringList files = readCommandLine();
  takeInstanceAndFolders();
  loadPreferences();
  // A second start only hands its files to the running one.
  if (state_.anotherInstance) return handOver(files);
  buildWindow();
  startServices();
  openFirstDocuments();
  openChangeLogWhenNew();
  // A document is always open, even when none of the files could be.
  if (state_.docs.list.size() == 0) NewDocument(*this);
  FocusCurrentEditor(*this);
  return Start::Running;
}

// The running clock starts here, so due times count from the program's
// start; relative file names are taken from the folder it was started in.
QStringList App::readCommandLine() {
  AppState& st = state_;
  RunningMilliseconds();
  st.versionText = QString::fromLatin1(kVersionText);
  st.buildStamp = BuildStamp();
  const QString cwd = options_.workingFolder.isEmpty() ? QDir::currentPath() : options_.workingFolder;
  QStringList skipped;
  const QStringList files = HandOverFiles(options_.arguments, cwd, &skipped);
  for (const QString& s : skipped)
    std::fprintf(stderr, "vendle: skipped an argument holding a line break: %s\n", s.toLocal8Bit().constData());
  st.commandLineFiles = JoinCommandLineFiles(files);
  return files;
}

// Nothing installs the data folder: the first start creates it and seeds the
// default data files, so settings and syntax files are found. A second start
// leaves the running one's folder alone.
void App::takeInstanceAndFolders() {
  AppState& st = state_;
  lockPath_ = options_.lockPath.isEmpty() ? InstanceLock::DefaultLockPath() : options_.lockPath;
  st.anotherInstance = InstanceLock::Acquire(lockPath_, &lock_) == InstanceLock::Result::AnotherRunning;
  st.folders = ResolveFolders(options_.programFolder, options_.programFileName, options_.knownFolders,
                              IsPortableInstall(options_.programFolder));
  if (!st.anotherInstance) SeedDataFolder(st.folders.data, options_.defaultsRoot);
  st.osVersionText = OsVersionText();
}

// The print margins are read with the preferences and copied into the print
// options the dialog starts from.
void App::loadPreferences() {
  AppState& st = state_;
  st.tabBarStyle = SystemTabBarStyle();
  InitPrintOptions(*this);
  LoadSettings(*this);
  SetPrintMargins(*this);
  if (st.settings.debugMode) DebugLog(*this, QDateTime::currentDateTime().toString("hh:mm:ss") + " started");
}

// A failed hand-over is said where the user looks too; a close request ends
// that message.
App::Start App::handOver(const QStringList& files) {
  const HandOverResult r = HandOverToRunningInstance(files, lockPath_, state_.settings.controlPort);
  if (r.ok) return Start::HandedOver;
  std::fprintf(stderr, "vendle: the files were not handed to the running Vendle: %s\n",
               r.error.toLocal8Bit().constData());
  if (options_.handleSignals) signals_ = std::make_unique<SignalPipe>([this](int) { requesters_->dismissStanding(); });
  requesters_->message(QString::fromLatin1(kControlLinkTitle), HandOverFailureText(files, r.error));
  signals_.reset();
  return Start::HandOverFailed;
}

// The window needs the syntax files (its Syntax menu) and the language (its
// File menu) before it is built.
void App::buildWindow() {
  UpdateBuildDates(state_.settings, state_.buildStamp);
  LoadSyntaxFiles(*this);
  LoadKeywordFiles(*this);
  LoadLanguage(*this);
  BuildMainWindow(*this);
  if (options_.handleSignals)
    signals_ = std::make_unique<SignalPipe>([this](int) {
      // A requester standing would hold the close for ever.
      requesters_->dismissStanding();
      post(Event::OfKind(EventKind::Close));
    });
  LabelRecentItemsAtStartup(*this);
  LabelExternalReferenceItems(*this);
}

// The backup timer and the control port run from here on; "No header in new
// files" empties the intro text before the first new document.
void App::startServices() {
  toolkit_->addTimer(kMain, static_cast<int>(TimerId::Backup), 60000);
  StartControlServer(*this);
  if (state_.settings.noHeaderInNewFile) state_.settings.newFileText.clear();
}

void App::openFirstDocuments() {
  AppState& st = state_;
  if (!st.commandLineFiles.isEmpty()) DebugLog(*this, st.commandLineFiles);
  for (StartStep step : PlanFirstDocuments(!st.commandLineFiles.isEmpty(), st.settings.restorePreviousFiles != 0,
                                           st.settings.openBlankFile, st.settings.fileCount)) {
    switch (step) {
      case StartStep::PreviousFiles: OpenPreviousFiles(*this); break;
      case StartStep::CommandLineFiles: OpenDocumentList(*this, st.commandLineFiles, true); break;
      case StartStep::NewDocument: NewDocument(*this); break;
    }
  }
}

// Opening the change log must not move the folder the next Open starts in.
void App::openChangeLogWhenNew() {
  AppState& st = state_;
  const QFileInfo log(st.folders.changeLog);
  std::optional<qint64> logTime;
  if (log.isFile()) logTime = log.lastModified().toSecsSinceEpoch();
  const ChangeLogDecision d = DecideChangeLog(st.settings.firmwareUpdate, logTime);
  if (!d.open) return;
  st.settings.firmwareUpdate = d.stored;
  const QString fileFolder = st.folders.file;
  OpenDocumentList(*this, st.folders.changeLog);
  st.folders.file = fileFolder;
}

int App::exec() {
  if (dispatcher_.stopped()) return 0;
  return QApplication::exec();
}

void App::shutDown() {
  dispatcher_.stop();
  ShutDownSequence(*this);
}

int RunApplication(int argc, char** argv) {
  QApplication qapp(argc, argv);
  StartOptions o;
  o.programFolder = EnsureTrailingSeparator(QCoreApplication::applicationDirPath());
  o.programFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  // Qt has taken its own options (-platform, -style) out already.
  o.arguments = QCoreApplication::arguments().mid(1);
  o.workingFolder = QDir::currentPath();
  o.knownFolders = SystemKnownFolders();
  o.handleSignals = true;
  App app(std::move(o));
  switch (app.startUp()) {
    case App::Start::HandedOver: return 0;
    case App::Start::HandOverFailed: return 1;
    case App::Start::Running: break;
  }
  app.exec();
  app.shutDown();
  return 0;
}

}  // namespace vendle
