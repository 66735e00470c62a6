// The tab bar as the documents see it: an ordered list of tab texts with one
// selected item. The index of a tab always equals the index of its document.
#pragma once

#include <QString>
#include <QStringList>

namespace vendle {

class TabStrip {
 public:
  virtual ~TabStrip() = default;
  virtual int count() const = 0;
  // Appends an item; returns its index.
  virtual int add(const QString& text) = 0;
  // Removes an item; when it was selected, the next one (or the last) is.
  virtual void remove(int index) = 0;
  virtual void setText(int index, const QString& text) = 0;
  virtual QString text(int index) const = 0;
  virtual void select(int index) = 0;
  virtual int selected() const = 0;  // -1 when none
};

// A tab strip without a canvas (used until one is attached, and in tests).
class ListTabStrip : public TabStrip {
 public:
  int count() const override { return static_cast<int>(texts_.size()); }
  int add(const QString& text) override {
    texts_.append(text);
    if (selected_ < 0) selected_ = count() - 1;
    return count() - 1;
  }
  void remove(int index) override {
    if (index < 0 || index >= count()) return;
    texts_.removeAt(index);
    if (texts_.isEmpty()) selected_ = -1;
    else if (selected_ > index) --selected_;
    else if (selected_ >= count()) selected_ = count() - 1;
  }
  void setText(int index, const QString& text) override {
    if (index >= 0 && index < count()) texts_[index] = text;
  }
  QString text(int index) const override { return texts_.value(index); }
  void select(int index) override {
    if (index >= 0 && index < count()) selected_ = index;
  }
  int selected() const override { return selected_; }

 private:
  QStringList texts_;
  int selected_ = -1;
};

}  // namespace vendle
