#include "platform/ui/accessible_items.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QWidget>
#include <map>

namespace vendle {
namespace {

class ItemsAccessible;

class ItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  ItemAccessible(ItemsAccessible* parent, int index) : parent_(parent), index_(index) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation) const override {
    return {};
  }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  ItemsAccessible* parent_;
  int index_;
};

class ItemsAccessible : public QAccessibleWidget {
 public:
  ItemsAccessible(QWidget* w, AccessibleItems* items) : QAccessibleWidget(w, items->accessibleRole()), items_(items) {}
  ~ItemsAccessible() override {
    for (const auto& [index, id] : children_) QAccessible::deleteAccessibleInterface(id);
  }

  AccessibleItems* items() const { return items_; }
  QWidget* owner() const { return widget(); }

  int childCount() const override { return items_->accessibleItemCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    auto it = children_.find(index);
    if (it == children_.end())
      it = children_.emplace(index, QAccessible::registerAccessibleInterface(
                                        new ItemAccessible(const_cast<ItemsAccessible*>(this), index)))
               .first;
    return QAccessible::accessibleInterface(it->second);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& [index, id] : children_)
      if (QAccessible::accessibleInterface(id) == child) return index < childCount() ? index : -1;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i)
      if (items_->accessibleItemRect(i).contains(at)) return child(i);
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    if (!widget()->hasFocus()) return nullptr;
    for (int i = 0; i < childCount(); ++i)
      if (items_->accessibleItemSelected(i)) return child(i);
    return nullptr;
  }
  QStringList actionNames() const override { return {}; }

 private:
  AccessibleItems* items_;
  mutable std::map<int, QAccessible::Id> children_;
};

bool ItemAccessible::isValid() const { return parent_->isValid() && index_ < parent_->childCount(); }
QWindow* ItemAccessible::window() const { return parent_->window(); }
QAccessibleInterface* ItemAccessible::parent() const { return parent_; }

QString ItemAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name || !isValid()) return QString();
  return parent_->items()->accessibleItemText(index_);
}

QRect ItemAccessible::rect() const {
  if (!isValid()) return {};
  const QRect r = parent_->items()->accessibleItemRect(index_);
  return r.isEmpty() ? QRect() : QRect(parent_->owner()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::Role ItemAccessible::role() const { return parent_->items()->accessibleItemRole(); }

QAccessible::State ItemAccessible::state() const {
  QAccessible::State s;
  if (!isValid()) {
    s.invalid = true;
    return s;
  }
  s.selectable = true;
  s.selected = parent_->items()->accessibleItemSelected(index_);
  s.focusable = parent_->owner()->focusPolicy() != Qt::NoFocus;
  s.focused = s.selected && parent_->owner()->hasFocus();
  if (parent_->items()->accessibleItemRect(index_).isEmpty()) s.invisible = s.offscreen = true;
  return s;
}

void ItemAccessible::doAction(const QString& name) {
  if (isValid() && (name == pressAction() || name == toggleAction() || name == setFocusAction()))
    parent_->items()->accessibleActivate(index_);
}

// A window of the program's own (a plain widget) is a window to assistive
// tools, named by its title; the toolkit's default is a nameless filler.
class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
};

// A combo box keeps the name it was given; the toolkit names an editable
// one by whatever was typed into it. The typed text is its value.
class NamedComboAccessible : public QAccessibleWidget {
 public:
  explicit NamedComboAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
  QString text(QAccessible::Text t) const override {
    const auto* box = static_cast<QComboBox*>(widget());
    if (t == QAccessible::Name) return box->accessibleName();
    if (t == QAccessible::Value) return box->currentText();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {showMenuAction()}; }
  void doAction(const QString& name) override {
    if (name == showMenuAction()) static_cast<QComboBox*>(widget())->showPopup();
  }
};

}  // namespace

QAccessibleInterface* AccessibleItemsFactory(const QString& className, QObject* object) {
  auto* w = qobject_cast<QWidget*>(object);
  if (!w) return nullptr;
  if (auto* items = dynamic_cast<AccessibleItems*>(object)) return new ItemsAccessible(w, items);
  if (className == QLatin1String("QComboBox") && !w->accessibleName().isEmpty())
    return new NamedComboAccessible(static_cast<QComboBox*>(w));
  if (className == QLatin1String("QWidget") && w->isWindow()) return new WindowAccessible(w);
  return nullptr;
}

void InstallAccessibleItems() {
  static const bool installed = [] {
    QAccessible::installFactory(&AccessibleItemsFactory);
    return true;
  }();
  (void)installed;
}

void NotifyItemSelected(QObject* widget, int index) {
  if (!QAccessible::isActive() || index < 0) return;
  QAccessibleEvent e(widget, QAccessible::Selection);
  e.setChild(index);
  QAccessible::updateAccessibility(&e);
}

}  // namespace vendle
