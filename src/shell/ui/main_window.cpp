#include "shell/ui/main_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTimer>
#include <QToolBar>

#include "documents/ui/tab_bar_canvas.h"
#include "editor/ui/autocomplete.h"
#include "editor/ui/editor_config.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_setup.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/view_options.h"
#include "platform/sysinfo.h"
#include "platform/ui/accessible_items.h"
#include "platform/ui/toolkit.h"
#include "shell/shortcuts.h"
#include "shell/ui/app.h"
#include "shell/ui/info_window.h"
#include "shell/ui/main_menu.h"
#include "shell/ui/main_window_commands.h"
#include "shell/ui/toolbar.h"

namespace vendle {
namespace {
constexpr int kMain = static_cast<int>(WindowId::Main);
constexpr int kFirstEditor = static_cast<int>(ControlId::FirstEditor);
}  // namespace

namespace {
constexpr int kFieldWidths[3] = {100, 200, 100};
}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  const auto& kWidths = kFieldWidths;
  // The bar keeps the system's colours, not the black around the editors.
  QPalette own = QApplication::palette();
  own.setResolveMask(~QPalette::ResolveMask(0));
  setPalette(own);
  setAutoFillBackground(true);
  // Fields 0 to 2 have fixed widths; field 3 takes the rest of the bar.
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  for (int i = 0; i < 4; ++i) {
    fields_[i] = new QLabel(this);
    fields_[i]->setFrameShape(QFrame::StyledPanel);
    fields_[i]->setTextFormat(Qt::PlainText);
    fields_[i]->setAutoFillBackground(true);
    if (i < 3) fields_[i]->setFixedWidth(kWidths[i]);
    row->addWidget(fields_[i], i < 3 ? 0 : 1);
  }
  setFixedHeight(fields_[0]->sizeHint().height() + 4);
}

void StatusBar::setField(int field, const QString& text) {
  if (field < 0 || field >= 4) return;
  QLabel* label = fields_[field];
  label->setText(text);
  // A fixed field grows to show its whole text, frame and margins included.
  if (field < 3) {
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + 8;
    label->setFixedWidth(std::max(kFieldWidths[field], needed));
  }
}

QString StatusBar::field(int field) const { return field >= 0 && field < 4 ? fields_[field]->text() : QString(); }

MainWindow::MainWindow(App& app) : app_(app) {
  menuBar_ = new QMenuBar(this);
  inner_ = new QWidget(this);
  // Background value 1 (red 1): practically black around the tab bar and editors.
  QPalette pal = inner_->palette();
  pal.setColor(QPalette::Window, QColor(1, 0, 0));
  inner_->setPalette(pal);
  inner_->setAutoFillBackground(true);
  toolbar_ = new QToolBar(inner_);
  toolbar_->setFloatable(false);
  toolbar_->setMovable(false);
  statusBar_ = new StatusBar(inner_);
}

int MainWindow::menuBarHeight() const { return menuBar_->sizeHint().height(); }

MainLayout MainWindow::layout() const {
  const int innerW = width();
  const int innerH = height() - menuBarHeight();
  const int toolbarH = toolbar_ ? toolbar_->sizeHint().height() : 0;
  return ComputeLayout(innerW, innerH, toolbarH, statusBar_->height(), app_.settings().tabBarHeight);
}

void MainWindow::placeFixedParts() {
  const int mh = menuBarHeight();
  menuBar_->setGeometry(0, 0, width(), mh);
  inner_->setGeometry(0, mh, width(), height() - mh);
  const MainLayout l = layout();
  if (toolbar_) toolbar_->setGeometry(0, 0, width(), toolbar_->sizeHint().height());
  if (tabBar_) tabBar_->setGeometry(l.tabBar.x, l.tabBar.y, l.tabBar.w, l.tabBar.h);
  statusBar_->setGeometry(0, inner_->height() - statusBar_->height(), width(), statusBar_->height());
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  placeFixedParts();
}


void BuildMainWindow(App& app) {
  InstallAccessibleItems();
  Toolkit& tk = app.toolkit();
  Settings& s = app.settings();
  auto* w = new MainWindow(app);
  app.setMainWindow(w);
  w->setWindowTitle(QString::fromLatin1(kProductTitle) + " " + app.state().versionText);
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  tk.registerWindow(kMain, w);
  tk.registerControl(static_cast<int>(ControlId::Toolbar), w->toolbar());
  BuildToolbar(app, w->toolbar());
  tk.registerControl(static_cast<int>(ControlId::StatusBar), w->statusBar());

  auto* canvas = new TabBarCanvas(tk, app.state().tabBarStyle, w->inner());
  w->setTabBarCanvas(canvas);
  tk.registerControl(static_cast<int>(ControlId::TabBar), canvas);
  app.setTabStrip(std::make_unique<CanvasTabStrip>(canvas));

  BuildMainMenu(app);
  BuildEditorPopup(app);
  ConnectDebugLog(app);

  for (const ShortcutRow& row : kMainShortcuts) tk.addShortcut(kMain, QString::fromLatin1(row.keys), +row.item);
  for (const ShortcutRow& row : kTabShortcuts) tk.addShortcut(kMain, QString::fromLatin1(row.keys), +row.item);

  // The pool of editors, created once and parked; one slot per allowed tab.
  app.state().docs.editorSlots.resize(s.maxTabs);
  const MainLayout l = w->layout();
  for (int slot = 0; slot <= s.maxTabs; ++slot) {
    auto* ed = new EditorView(kFirstEditor + slot, tk.dispatcher(), w->inner());
    CreateEditorLexer(*ed);
    SetUpEditorControl(*ed, s.lineEndingsMode);
    ConfigureEditorGadget(app, *ed);
    AttachAutoComplete(app, *ed);
    AttachLineNumberMargin(*ed);
    ed->setGeometry(5, l.editorTop, 10, 10);
    ed->hide();
    tk.registerControl(kFirstEditor + slot, ed);
  }
  // The file status follows each edit, once per burst of changes.
  auto* statusRefresh = new QTimer(w);
  statusRefresh->setSingleShot(true);
  statusRefresh->setInterval(0);
  QObject::connect(statusRefresh, &QTimer::timeout, w, [&app] { StatusRefreshTick(app); });
  for (int slot = 0; slot <= s.maxTabs; ++slot) {
    auto* ed = app.toolkit().control(kFirstEditor + slot);
    auto* sci = qobject_cast<QsciScintillaBase*>(ed);
    if (!sci) continue;
    QObject::connect(sci, &QsciScintillaBase::SCN_MODIFIED, statusRefresh,
                     [statusRefresh](int, int type) {
                       if (type & (QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT))
                         statusRefresh->start();
                     });
    QObject::connect(sci, &QsciScintillaBase::SCN_SAVEPOINTREACHED, statusRefresh, qOverload<>(&QTimer::start));
    QObject::connect(sci, &QsciScintillaBase::SCN_SAVEPOINTLEFT, statusRefresh, qOverload<>(&QTimer::start));
  }
  // One slot per editor of the pool.
  app.state().docs.editorSlots.resize(s.maxTabs);

  w->setAcceptDrops(true);
  SetStatusField(app, StatusField::Syntax, s.currentSyntaxName);

  // The stored size is the inner area's, below the menu bar, which has its
  // height only now that the menus are in it.
  PlaceOnScreen(w, s.mainWindow.x, s.mainWindow.y, s.mainWindow.w, s.mainWindow.h + w->menuBarHeight());
  w->placeFixedParts();

  tk.addTimer(kMain, static_cast<int>(TimerId::FirstLayout), 300);
  tk.addTimer(kMain, static_cast<int>(TimerId::StatusRefresh), s.timeToRefreshStatus > 0 ? s.timeToRefreshStatus : 100);
  if (app.options().showWindow) w->show();
}

void LayoutEditors(App& app) {
  MainWindow* w = app.mainWindow();
  if (!w) return;
  const MainLayout l = w->layout();
  for (int slot = 0; slot <= app.settings().maxTabs; ++slot) {
    if (QWidget* ed = app.toolkit().control(kFirstEditor + slot))
      ed->setGeometry(l.editor.x, l.editor.y, std::max(0, l.editor.w), std::max(0, l.editor.h));
  }
}

void StoreMainWindowRect(App& app) {
  MainWindow* w = app.mainWindow();
  if (!w) return;
  WindowRect& r = app.settings().mainWindow;
  r.x = w->pos().x();
  r.y = w->pos().y();
  r.w = w->width();
  r.h = w->height() - w->menuBarHeight();
}

void ShowEditorPopup(App& app, int globalX, int globalY) {
  QWidget* menu = app.toolkit().control(static_cast<int>(MenuId::EditorPopup));
  if (auto* m = qobject_cast<QMenu*>(menu)) m->popup(QPoint(globalX, globalY));
}

MainLayout CurrentMainLayout(App& app) {
  return app.mainWindow() ? app.mainWindow()->layout() : MainLayout{};
}

void SetStatusField(App& app, int field, const QString& text) {
  if (app.mainWindow()) app.mainWindow()->statusBar()->setField(field, text);
}

void SetStatusField(App& app, StatusField field, const QString& text) {
  SetStatusField(app, static_cast<int>(field), text);
}

QString StatusFieldText(App& app, StatusField field) {
  return app.mainWindow() ? app.mainWindow()->statusBar()->field(static_cast<int>(field)) : QString();
}

}  // namespace vendle
