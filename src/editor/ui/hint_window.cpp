#include "editor/ui/hint_window.h"

#include <QFont>
#include <QListWidget>
#include <QResizeEvent>
#include <QWidget>

#include "documents/ui/document_commands.h"
#include "editor/completion.h"
#include "editor/ui/editing_support.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/find_commands.h"
#include "editor/ui/editor_commands.h"
#include "platform/event.h"
#include "platform/ui/activation_list.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;
constexpr int kHintWin = +WindowId::SyntaxHints;

class HintWindow : public QWidget {
 public:
  HintWindow(App& app, QWidget* parent, const QFont& font) : QWidget(parent, Qt::Tool), app_(app) {
    setWindowTitle(QStringLiteral("Syntax hint:"));
    list = new ActivationList(this);
    list->setFont(font);
    list->setAccessibleName(QStringLiteral("Syntax hint:"));
    app_.toolkit().registerControl(+ControlId::HintList, list);
    list->onActivate = [this] { app_.dispatcher().post(Event::Control(+ControlId::HintList, 0, kHintWin)); };
  }
  ~HintWindow() override { app_.toolkit().unregisterControl(+ControlId::HintList); }

  ActivationList* list = nullptr;
  bool guiLines = false;  // the list's mode: the GUI element lines, else hints

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    list->setGeometry(10, 10, std::max(0, width() - 20), std::max(0, height() - 20));
  }

 private:
  App& app_;
};

HintWindow* HintWindowOf(App& app) { return dynamic_cast<HintWindow*>(app.toolkit().window(kHintWin)); }

void StoreHintRect(App& app, const QWidget* w) {
  WindowRect& r = app.settings().hintWindow;
  r.x = w->pos().x();
  r.y = w->pos().y();
  r.w = w->width();
  r.h = w->height();
}

// The hint mask of the dialect of the document being edited; the syntax
// applied last when the document names none that is loaded.
std::uint64_t CurrentHintMask(App& app) {
  const SyntaxData& syntax = app.state().syntax;
  if (const DocumentRecord* d = app.state().docs.list.current())
    for (const SyntaxEntry& e : syntax.list)
      if (!d->syntax.isEmpty() && e.name.compare(d->syntax, Qt::CaseInsensitive) == 0) return e.hintMask;
  const SyntaxEntry* e = syntax.currentEntry();
  return e ? e->hintMask : 0;
}

QString LineEndOf(EditorView& ed) {
  switch (ed.sci().send(S::SCI_GETEOLMODE)) {
    case S::SC_EOL_LF: return QStringLiteral("\n");
    case S::SC_EOL_CR: return QStringLiteral("\r");
    default: return QStringLiteral("\r\n");
  }
}

void InsertHint(App& app, HintWindow* w) {
  const QListWidgetItem* item = w->list->currentItem();
  EditorView* ed = EditingTarget(app);
  if (!item || !ed) return;
  {
    ProgrammaticEdit quiet(*ed);
    ReplaceSelection(ed, HintInsertText(item->text(), w->guiLines, LineEndOf(*ed)));
  }
  ReturnToEditor(app);
}

}  // namespace

void ShowSyntaxHint(App& app, const QString& word, bool listAll) {
  const HintRequest req = HintWordOf(word);
  listAll = listAll || req.listAll;
  Toolkit& tk = app.toolkit();
  HintWindow* w = HintWindowOf(app);
  if (w) {
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->list->clear();
  } else {
    const Settings& s = app.settings();
    if (!tk.font(+FontId::Misc)) tk.loadFont(+FontId::Misc, s.miscFont, s.miscFontSize, false);
    w = new HintWindow(app, app.mainWidget(), *tk.font(+FontId::Misc));
    PlaceOnScreen(w, s.hintWindow.x, s.hintWindow.y, std::max(s.hintWindow.w, 40), std::max(s.hintWindow.h, 40));
    tk.registerWindow(kHintWin, w);
  }
  w->guiLines = listAll;
  const SyntaxData& syntax = app.state().syntax;
  w->list->addItems(listAll ? syntax.guiElements : FilterHints(syntax.quickHints, CurrentHintMask(app), req.word));
  if (app.options().showWindow) w->show();
  w->raise();
  w->activateWindow();
}

QStringList HintRowsShown(App& app) {
  QStringList rows;
  if (HintWindow* w = HintWindowOf(app))
    for (int i = 0; i < w->list->count(); ++i) rows.append(w->list->item(i)->text());
  return rows;
}

void ShowSyntaxHintAtCaret(App& app) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  const QString selected = GetSelectedText(ed).toUpper();
  if (!selected.isEmpty()) {
    ShowSyntaxHint(app, selected, false);
    return;
  }
  const Sci s = ed->sci();
  const Sci::Pos caret = s.currentPos();
  const Sci::Pos line = s.lineFromPosition(caret);
  const Sci::Pos lineStart = s.positionFromLine(line);
  const QByteArray text = s.range(lineStart, s.lineEndPosition(line));
  const ByteRange r = HintSelection(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                    lineStart, s.send(S::SCI_WORDSTARTPOSITION, caret, 0),
                                    s.send(S::SCI_WORDENDPOSITION, caret, 0));
  s.send(S::SCI_SETSEL, r.start, r.end);
  ShowSyntaxHint(app, GetSelectedText(ed).toUpper().trimmed(), false);
}

void HintWindowEvent(App& app, const Event& e) {
  HintWindow* w = HintWindowOf(app);
  if (!w) return;
  const bool normal = w->windowState() == Qt::WindowNoState;
  switch (e.kind) {
    case EventKind::Close:
      if (normal) StoreHintRect(app, w);
      app.toolkit().unregisterWindow(kHintWin);
      w->hide();
      w->deleteLater();
      break;
    case EventKind::Move:
    case EventKind::Size:
      if (normal) StoreHintRect(app, w);
      break;
    case EventKind::Control:
      if (e.object == +ControlId::HintList) InsertHint(app, w);
      break;
    default: break;
  }
}

}  // namespace vendle
