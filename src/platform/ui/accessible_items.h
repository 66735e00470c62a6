// Controls whose items an assistive tool reads as children of their own:
// the self-drawn tab bar (page tabs) and the lists that act on a click. Each
// item has its text as name, its selected state and one action, which does
// what a click on it does.
#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

class QAccessibleInterface;
class QObject;

namespace vendle {

class AccessibleItems {
 public:
  virtual ~AccessibleItems() = default;
  virtual QAccessible::Role accessibleRole() const = 0;
  virtual QAccessible::Role accessibleItemRole() const = 0;
  virtual int accessibleItemCount() const = 0;
  virtual QString accessibleItemText(int index) const = 0;
  // In the widget's coordinates; empty for an item that is not shown.
  virtual QRect accessibleItemRect(int index) const = 0;
  virtual bool accessibleItemSelected(int index) const = 0;
  // What a click on the item does.
  virtual void accessibleActivate(int index) = 0;
};

// The accessibility factory of every widget that is AccessibleItems, of the
// program's own windows (role window, named by the title) and of named
// combo boxes; installed once, before the toolkit's interfaces are asked for.
QAccessibleInterface* AccessibleItemsFactory(const QString& className, QObject* object);
void InstallAccessibleItems();

// Tells assistive tools that the selected item of `widget` changed.
void NotifyItemSelected(QObject* widget, int index);

}  // namespace vendle
