// WindowId::Settings "Vendle Settings": its widgets, numbered as the toolkit knows
// them, and the state the window keeps while it is open (the working copy
// of the colours). The handlers of its
// events live beside it in settings_events.cpp and colour_page.cpp.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QWidget>
#include <vector>

#include "platform/ids.h"
#include "platform/ui/accessible_items.h"
#include "settings/settings.h"
#include "settings/settings_pages.h"

namespace vendle {

class App;
struct Event;

// A spin whose arrows (buttons, keys, wheel) post a step event of WindowId::Settings
// instead of changing the value: the handler decides the new value.
class ArrowSpin : public QSpinBox {
 public:
  ArrowSpin(App& app, ControlId id, bool typable, QWidget* parent);
  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  App& app_;
  ControlId id_;
};

// Canvas 297: draws the sample from the window's working colours and posts
// the position of a left-button release. By keyboard its items (the parts
// a click picks) are gone through with the arrow keys and picked with
// Return or Space, as a click on them; assistive tools read them by name.
class ColourCanvas : public QFrame, public AccessibleItems {
 public:
  ColourCanvas(App& app, const ColourSettings& colours, QWidget* parent);

  QAccessible::Role accessibleRole() const override { return QAccessible::List; }
  QAccessible::Role accessibleItemRole() const override { return QAccessible::ListItem; }
  int accessibleItemCount() const override;
  QString accessibleItemText(int index) const override;
  QRect accessibleItemRect(int index) const override;
  bool accessibleItemSelected(int index) const override { return index == current_; }
  void accessibleActivate(int index) override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void pick(int index);

  App& app_;
  const ColourSettings& colours_;
  QFont font_;
  int current_ = 0;
};

class SettingsWindow : public QWidget {
 public:
  SettingsWindow(App& app, QWidget* parent);
  ~SettingsWindow() override;

  // Every control from the settings, as the window shows them when it opens.
  void fill();

  QWidget* control(ControlId id) const;
  template <typename T>
  T* get(ControlId id) const {
    return static_cast<T*>(control(id));
  }
  QString fieldText(ControlId id) const { return get<QLineEdit>(id)->text(); }
  void setFieldText(ControlId id, const QString& text) { get<QLineEdit>(id)->setText(text); }

  QTabWidget* panel = nullptr;
  ColourCanvas* canvas = nullptr;
  ColourSettings working{};  // the colours being edited

 private:
  template <typename T>
  T* place(T* w, ControlId id, int x, int y, int width, int height);
  QLabel* label(QWidget* page, const QString& text, ControlId id, int x, int y, int w, int h);
  QLabel* label(QWidget* page, const QString& text, int x, int y, int w, int h);
  QLineEdit* field(QWidget* page, const QString& name, ControlId id, int x, int y, int w, int h);
  QPushButton* button(QWidget* page, const QString& text, ControlId id, int x, int y, int w, int h);
  QCheckBox* check(QWidget* page, const QString& text, ControlId id, int x, int y, int w, int h);
  void buildColours(QWidget* page);
  void buildPrograms(QWidget* page);
  void buildReferences(QWidget* page);
  void buildPreferences(QWidget* page);
  void post(ControlId id);

  App& app_;
  std::vector<int> ids_;
};

// The open settings window, or null.
SettingsWindow* SettingsWindowOf(App& app);

// The setting check ControlId::OptionCheckFirst + k shows: k from 0 to 12.
using IntSetting = int Settings::*;
IntSetting OptionSettingOf(int control);

// The list editor's fields (ControlId::ProgramMenuText, ProgramFolder, ProgramPath,
// ProgramParameters and ProgramBatch).
ProgramFields TypedProgramFields(const SettingsWindow& w);
void ShowProgramFields(SettingsWindow& w, const ProgramFields& f);

// Handlers of the pages (settings_events.cpp, colour_page.cpp).
void ColourPageEvent(App& app, SettingsWindow& w, const Event& e);
void ProgramPageEvent(App& app, SettingsWindow& w, const Event& e);
void ReferencePageEvent(App& app, SettingsWindow& w, const Event& e);
void PreferencePageEvent(App& app, SettingsWindow& w, const Event& e);

inline constexpr int kSettingsWindow = static_cast<int>(WindowId::Settings);

}  // namespace vendle
