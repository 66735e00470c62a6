#include "platform/ui/activation_list.h"

#include <QKeyEvent>

namespace vendle {

ActivationList::ActivationList(QWidget* parent) : QListWidget(parent) {
  InstallAccessibleItems();
  connect(this, &QListWidget::itemClicked, this, [this] { activate(); });
}

void ActivationList::activate() {
  if (currentItem() && onActivate) onActivate();
}

void ActivationList::keyPressEvent(QKeyEvent* e) {
  const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier));
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (plain && currentItem()) {
        e->accept();
        activate();
        return;
      }
      break;
    default: break;
  }
  QListWidget::keyPressEvent(e);
}

QString ActivationList::accessibleItemText(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->text() : QString();
}

QRect ActivationList::accessibleItemRect(int index) const {
  const QListWidgetItem* it = item(index);
  if (!it) return {};
  const QRect r = visualItemRect(it).intersected(viewport()->rect());
  return r.isEmpty() ? QRect() : r.translated(viewport()->pos());
}

bool ActivationList::accessibleItemSelected(int index) const {
  const QListWidgetItem* it = item(index);
  return it && it->isSelected();
}

void ActivationList::accessibleActivate(int index) {
  if (index < 0 || index >= count()) return;
  setCurrentRow(index);
  activate();
}

}  // namespace vendle
