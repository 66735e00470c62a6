// The main window (WindowId::Main): the toolbar, the tab-bar canvas, the editors
// 20..20+MaxTabs, status bar 60, placed by the layout numbers on an inner
// area below the menu bar.
#pragma once

#include <QString>
#include <QWidget>

#include "shell/layout.h"
#include "shell/ui/services.h"

class QLabel;
class QMenuBar;
class QToolBar;

namespace vendle {

class App;

class StatusBar : public QWidget {
 public:
  explicit StatusBar(QWidget* parent);
  void setField(int field, const QString& text);
  QString field(int field) const;

 private:
  QLabel* fields_[4];
};

class MainWindow : public QWidget {
 public:
  explicit MainWindow(App& app);

  QWidget* inner() const { return inner_; }
  QMenuBar* menuBar() const { return menuBar_; }
  QToolBar* toolbar() const { return toolbar_; }
  StatusBar* statusBar() const { return statusBar_; }
  QWidget* tabBarCanvas() const { return tabBar_; }
  void setTabBarCanvas(QWidget* w) { tabBar_ = w; }

  int menuBarHeight() const;
  // The layout for the inner area's current size.
  MainLayout layout() const;
  // Places the toolbar, tab bar and status bar (the editors are placed by LayoutEditors).
  void placeFixedParts();

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  App& app_;
  QMenuBar* menuBar_ = nullptr;
  QWidget* inner_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QWidget* tabBar_ = nullptr;
  StatusBar* statusBar_ = nullptr;
};

// Builds WindowId::Main with everything in it; once, at start-up.
void BuildMainWindow(App& app);
// Gives every editor 20..20+MaxTabs that exists the editor rectangle.
void LayoutEditors(App& app);
// Stores "MainX", "MainY" (outer) and "MainW", "MainH" (inner).
void StoreMainWindowRect(App& app);
void ShowEditorPopup(App& app, int globalX, int globalY);

}  // namespace vendle
