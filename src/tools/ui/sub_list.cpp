// The sub and function list (WindowId::SubList "Subs:" with ControlId::SubListBox) and the jump
// to the definition of a selected name.
#include <QResizeEvent>
#include <QWidget>
#include <algorithm>

#include "documents/ui/document_commands.h"
#include "editor/ui/syntax_commands.h"
#include "shell/ui/services.h"
#include "editor/ui/editor_commands.h"
#include "editor/lexer.h"
#include "editor/word_map.h"
#include "platform/event.h"
#include "platform/ui/activation_list.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "tools/sub_outline.h"
#include "tools/ui/tool_commands.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

constexpr int kWindow = +WindowId::SubList;
constexpr int kList = +ControlId::SubListBox;

class SubListWindow : public QWidget {
 public:
  SubListWindow(Dispatcher& dispatcher, const WindowRect& r, const QFont* font) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Subs:"));
    list_ = new ActivationList(this);
    list_->setAccessibleName(QStringLiteral("Subs:"));
    if (font) list_->setFont(*font);
    list_->onActivate = [&dispatcher] { dispatcher.post(Event::Control(kList, 0, kWindow)); };
    PlaceOnScreen(this, std::max(0, r.x), std::max(0, r.y), std::max(r.w, 40), std::max(r.h, 40));
  }

  ActivationList* list() const { return list_; }

  // The document the list was built for.
  quint64 documentSerial = 0;
  // The item text last clicked since the list was built.
  QString lastChosen;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    list_->setGeometry(10, 10, std::max(0, width() - 20), std::max(0, height() - 20));
  }

 private:
  ActivationList* list_;
};

SubListWindow* WindowOf(App& app) { return dynamic_cast<SubListWindow*>(app.toolkit().window(kWindow)); }

SubListWindow* OpenWindow(App& app) {
  if (SubListWindow* w = WindowOf(app)) {
    w->setWindowState(w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    w->list()->clear();
    return w;
  }
  Toolkit& tk = app.toolkit();
  const Settings& s = app.settings();
  if (!tk.font(+FontId::Mono)) tk.loadFont(+FontId::Mono, s.monoFont, s.monoFontSize, true);
  auto* w = new SubListWindow(app.dispatcher(), s.findSubWindow, tk.font(+FontId::Mono));
  tk.registerWindow(kWindow, w);
  tk.registerControl(kList, w->list());
  return w;
}

void BringToFront(App& app, QWidget* w) {
  if (app.options().showWindow) w->show();
  w->raise();
  w->activateWindow();
}

void GoToLine(EditorView& ed, Sci::Pos line) {
  Sci s = ed.sci();
  s.send(S::SCI_GOTOLINE, line);
  s.send(S::SCI_SCROLLCARET);
  ed.setFocus();
}

void ListOutline(App& app, EditorView& ed) {
  const SubsOutline outline = BuildSubsOutline(GetEditorText(&ed));
  DocumentRecord* doc = app.state().docs.list.current();
  if (doc) doc->userSubNames = outline.names;
  LexerAddWordsAndRestyle(ed, outline.names, kStyleUserSub, 
                          app.settings().autoComplete ? std::uint64_t{WordAutoComplete} : 0, true);
  SubListWindow* w = OpenWindow(app);
  w->documentSerial = doc ? doc->serial : 0;
  w->lastChosen.clear();
  QStringList items;
  items.reserve(outline.entries.size());
  for (const SubsEntry& e : outline.entries) items.append(SubsItemText(e));
  w->list()->addItems(items);
  BringToFront(app, w);
}

void JumpToDefinition(App& app, EditorView& ed, const QString& selection) {
  const std::optional<int> target = FindDefinitionLine(GetEditorText(&ed), JumpWord(selection));
  if (!target) return;
  Sci s = ed.sci();
  app.state().returnLine = static_cast<int>(s.lineFromPosition(s.currentPos()));
  GoToLine(ed, *target - 1);
}

void StoreRect(App& app, const QWidget* w) {
  WindowRect& r = app.settings().findSubWindow;
  r.x = w->pos().x();
  r.y = w->pos().y();
  r.w = w->width();
  r.h = w->height();
}

void Chosen(App& app, SubListWindow* w) {
  const QListWidgetItem* item = w->list()->currentItem();
  if (!item) return;
  const QString text = item->text();
  if (text == w->lastChosen) {
    BringToFront(app, w);
    return;
  }
  // The line belongs to the listed document: switch back to it while it is open.
  const int index = app.state().docs.list.indexOfSerial(w->documentSerial);
  if (index < 0) return;
  w->lastChosen = text;
  if (index != app.state().docs.currentTabIndex) SwitchDocumentTab(app, index, app.state().docs.currentTabIndex);
  if (EditorView* ed = EditorOfDocument(app, index)) GoToLine(*ed, SubsItemLine(text) - 1);
  ReturnToEditor(app);
}

}  // namespace

void FindSubFunction(App& app) {
  MakeSelectedDocumentCurrent(app);
  EditorView* ed = CurrentEditor(app);
  if (!ed) return;
  const QString selection = GetSelectedText(ed);
  if (selection.isEmpty()) ListOutline(app, *ed);
  else JumpToDefinition(app, *ed, selection);
}

void SubListWindowEvent(App& app, const Event& e) {
  SubListWindow* w = WindowOf(app);
  if (!w) return;
  switch (e.kind) {
    case EventKind::Close: {
      Toolkit& tk = app.toolkit();
      tk.unregisterControl(kList);
      tk.unregisterWindow(kWindow);
      w->hide();
      // The close request may be running inside the window's own event.
      w->deleteLater();
      break;
    }
    case EventKind::Move:
    case EventKind::Size:
      if (w->windowState() == Qt::WindowNoState) StoreRect(app, w);
      break;
    case EventKind::Control:
      if (e.object == kList && e.type == 0) Chosen(app, w);
      break;
    default: break;
  }
}

}  // namespace vendle
