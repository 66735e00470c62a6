#include "platform/ui/list_tool_window.h"

#include <QResizeEvent>
#include <algorithm>

#include "platform/dispatcher.h"
#include "platform/ui/toolkit.h"

namespace vendle {

ListToolWindow::ListToolWindow(Toolkit& toolkit, Dispatcher& dispatcher, QWidget* parent, Qt::WindowFlags flags,
                               const QString& title, int window, int control, bool registered, const QFont* font)
    : QWidget(parent, flags), list(new ActivationList(this)), toolkit_(toolkit), control_(control), registered_(registered) {
  setWindowTitle(title);
  if (font) list->setFont(*font);
  list->setAccessibleName(title);
  if (registered_) toolkit_.registerControl(control_, list);
  list->onActivate = [&dispatcher, control, window] { dispatcher.post(Event::Control(control, 0, window)); };
}

ListToolWindow::~ListToolWindow() {
  if (registered_) toolkit_.unregisterControl(control_);
}

void ListToolWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  list->setGeometry(10, 10, std::max(0, width() - 20), std::max(0, height() - 20));
}

}  // namespace vendle
