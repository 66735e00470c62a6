// A list whose items act on a click, on Return, keypad Enter and Space, and
// on an assistive tool's action alike; its items are read by name.
#pragma once

#include <QListWidget>
#include <functional>

#include "platform/ui/accessible_items.h"

namespace vendle {

class ActivationList : public QListWidget, public AccessibleItems {
 public:
  explicit ActivationList(QWidget* parent = nullptr);

  // Runs with the chosen item as the current one.
  std::function<void()> onActivate;

  QAccessible::Role accessibleRole() const override { return QAccessible::List; }
  QAccessible::Role accessibleItemRole() const override { return QAccessible::ListItem; }
  int accessibleItemCount() const override { return count(); }
  QString accessibleItemText(int index) const override;
  QRect accessibleItemRect(int index) const override;
  bool accessibleItemSelected(int index) const override;
  void accessibleActivate(int index) override;

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void activate();
};

}  // namespace vendle
