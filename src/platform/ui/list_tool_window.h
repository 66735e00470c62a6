// A tool window that is one list: the Find All results, the syntax hints and
// the sub and function list. The list fills the window with a margin, acts
// on a click, Return, Enter, Space and an assistive tool's action alike, and
// choosing an item posts the list's control event to the window.
#pragma once

#include <QString>
#include <QWidget>

#include "platform/ui/activation_list.h"

class QFont;

namespace vendle {

class Dispatcher;
class Toolkit;

class ListToolWindow : public QWidget {
 public:
  // `control` numbers the list (registered in `toolkit` while the window
  // lives when `registered`); `window` is the window's own number.
  ListToolWindow(Toolkit& toolkit, Dispatcher& dispatcher, QWidget* parent, Qt::WindowFlags flags,
                 const QString& title, int window, int control, bool registered, const QFont* font);
  ~ListToolWindow() override;

  ActivationList* const list;

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  Toolkit& toolkit_;
  const int control_;
  const bool registered_;
};

}  // namespace vendle
