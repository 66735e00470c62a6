// The tab bar's canvas (ControlId::TabBar): paints a TabBar and turns the mouse on
// it into control events of ControlId::TabBar posted to the dispatcher. The
// dispatcher hands them back through handle(), which updates the bar and
// returns what the user did; the documents act on that result. Tab texts are
// UTF-16 QStrings (file names).
#pragma once

#include <QFont>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include "documents/tab_bar.h"
#include "documents/tab_bar_mouse.h"
#include "documents/ui/tab_strip.h"
#include "platform/event.h"
#include "platform/ui/accessible_items.h"

class QPainter;

namespace vendle {

class Dispatcher;
class Toolkit;

// Assistive tools read the tabs as page tabs, named by their texts, and
// select one through its action.
class TabBarCanvas : public QWidget, public AccessibleItems {
 public:
  // The bar gets the style's values, the creation flags and the "+" item
  // with the text "+". Its font is font 69 when the toolkit has it, else the
  // style's font, else the application font.
  TabBarCanvas(Toolkit& toolkit, const TabBarStyle& style, QWidget* parent);
  TabBarCanvas(Dispatcher& dispatcher, const TabBarStyle& style, const QFont& font, QWidget* parent);

  // The canvas registered as ControlId::TabBar, or null.
  static TabBarCanvas* of(const Toolkit& toolkit);

  // Tabs, in document order (the index of a tab is its document's index).
  int count() const { return static_cast<int>(bar_.items.size()); }
  // Appends a tab; returns its index.
  int add(const QString& text);
  // Removes a tab (kTabPlus hides the "+" item); when it was selected, the
  // next one (or the last) is.
  void remove(int index);
  void setText(int index, const QString& text);
  QString text(int index) const;
  // Selects a tab and scrolls it into view; kTabNone or kTabPlus selects none.
  void select(int index);
  int selected() const { return bar_.selected; }  // kTabNone when none
  // Shows the "+" item with a text.
  void showPlusItem(const QString& text);

  void setBarFont(const QFont& font);
  const QFont& barFont() const { return font_; }

  QAccessible::Role accessibleRole() const override { return QAccessible::PageTabList; }
  QAccessible::Role accessibleItemRole() const override { return QAccessible::PageTab; }
  int accessibleItemCount() const override { return count(); }
  QString accessibleItemText(int index) const override { return text(index); }
  QRect accessibleItemRect(int index) const override;
  bool accessibleItemSelected(int index) const override { return index == selected(); }
  void accessibleActivate(int index) override;

  // Handles a control event of this canvas: updates hovering, pressing and
  // scrolling, lays the bar out and redraws it, and returns what to do
  // (new document, close or select the tab at the result's index).
  TabBarResult handle(const Event& e);

  // Schedules a new layout and a repaint. Many changes in a row (the tabs
  // of a start-up) are laid out once.
  void redraw();
  // The bar as laid out for the canvas's current size.
  const TabBar& bar() {
    layOut();
    return bar_;
  }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  void post(ControlEvent type, int x = 0, int y = 0, int delta = 0);
  void layOut();
  int measure(const QString& text) const;

  Dispatcher& dispatcher_;
  TabBar bar_;
  bool stale_ = true;  // the layout is older than the last change
  QFont font_;
  mutable QHash<QString, int> widths_;  // text widths in font_
  int wheelRemainder_ = 0;              // eighths of a degree not yet a whole step
};

// The documents' view of the canvas (App::setTabStrip). It follows the
// widget's life: once the canvas is gone, it is an empty strip.
class CanvasTabStrip : public TabStrip {
 public:
  explicit CanvasTabStrip(TabBarCanvas* canvas) : canvas_(canvas) {}
  int count() const override { return canvas_ ? canvas_->count() : 0; }
  int add(const QString& text) override { return canvas_ ? canvas_->add(text) : -1; }
  void remove(int index) override {
    if (canvas_ && index >= 0) canvas_->remove(index);
  }
  void setText(int index, const QString& text) override {
    if (canvas_ && index >= 0) canvas_->setText(index, text);
  }
  QString text(int index) const override { return canvas_ && index >= 0 ? canvas_->text(index) : QString(); }
  void select(int index) override {
    if (canvas_) canvas_->select(index);
  }
  int selected() const override { return canvas_ ? canvas_->selected() : kTabNone; }

 private:
  QPointer<TabBarCanvas> canvas_;
};

// The defaults from the system palette (button face, shadow, text) and the
// application font.
TabBarStyle SystemTabBarStyle();

// Paints the whole bar as laid out, in `font`.
void DrawTabBar(QPainter& p, const TabBar& bar, const QFont& font);

}  // namespace vendle
