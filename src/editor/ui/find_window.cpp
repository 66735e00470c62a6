#include "editor/ui/find_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QWidget>
#include <vector>

#include "editor/find_text.h"
#include "editor/lexer.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/editing_support.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/find_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "platform/event.h"
#include "platform/ui/activation_list.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"
#include "platform/ui/list_tool_window.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

constexpr int kFindWin = +WindowId::FindReplace;
constexpr int kFindAllWin = +WindowId::FindAll;

// ---- WindowId::FindReplace ----

class FindWindow : public QWidget {
 public:
  FindWindow(App& app, QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), app_(app) {
    setWindowTitle(QStringLiteral("Find"));
    auto* label = new QLabel(QStringLiteral("Search for:"), this);
    label->setAccessibleName(label->text());
    place(label, ControlId::FindLabel, 30, 10, 110, 25);
    search = new QComboBox(this);
    search->setEditable(true);
    // Only the recent-search list fills the box.
    search->setInsertPolicy(QComboBox::NoInsert);
    search->setAccessibleName(QStringLiteral("Search for:"));
    search->lineEdit()->setAccessibleName(QStringLiteral("Search for:"));
    search->setStyleSheet(QStringLiteral("QComboBox { background: white; }"));
    place(search, ControlId::FindText, 120, 5, 250, 25);
    replaceCheck = check(QStringLiteral("Replace with:"), ControlId::ReplaceCheck, 5, 35, 110, 25, true);
    replaceText = new QLineEdit(this);
    replaceText->setAccessibleName(QStringLiteral("Replace with:"));
    replaceText->setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
    place(replaceText, ControlId::ReplaceText, 120, 35, 250, 25);
    matchCase = check(QStringLiteral("Case Sensitive"), ControlId::MatchCaseCheck, 5, 80, 150, 25, false);
    skipComments = check(QStringLiteral("Don't search comments"), ControlId::SkipCommentsCheck, 170, 80, 150, 25, true);
    wholeWord = check(QStringLiteral("Whole words only"), ControlId::WholeWordCheck, 5, 110, 150, 25, false);
    skipStrings = check(QStringLiteral("Don't search strings"), ControlId::SkipStringsCheck, 170, 110, 150, 25, true);
    button(QStringLiteral("Find Next"), ControlId::FindNextButton, 5, 140, 75, 25);
    button(QStringLiteral("Find Prev"), ControlId::FindPrevButton, 82, 140, 75, 25);
    replaceButton = button(QStringLiteral("Replace"), ControlId::ReplaceButton, 159, 140, 70, 25);
    replaceAllButton = button(QStringLiteral("Replace All"), ControlId::ReplaceAllButton, 231, 140, 75, 25);
    button(QStringLiteral("Close"), ControlId::CloseFindButton, 308, 140, 70, 25);
    findAllButton = button(QStringLiteral("Find all in open files"), ControlId::FindAllButton, 5, 170, 160, 25);
    // The skip boxes do not apply to the search of every open file: they
    // show disabled while its button has the keyboard or the mouse.
    findAllButton->installEventFilter(this);
    // Return in the search box is Find Next; on a focused button it presses
    // that button, so it is no shortcut of the window.
    connect(search->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { app_.dispatcher().post(Event::Menu(+Item::FindWindowF3, kFindWin)); });
  }

  ~FindWindow() override {
    for (int id : ids_) app_.toolkit().unregisterControl(id);
  }

  QComboBox* search = nullptr;
  QCheckBox* replaceCheck = nullptr;
  QLineEdit* replaceText = nullptr;
  QCheckBox* matchCase = nullptr;
  QCheckBox* wholeWord = nullptr;
  QCheckBox* skipStrings = nullptr;
  QCheckBox* skipComments = nullptr;
  QPushButton* replaceButton = nullptr;
  QPushButton* replaceAllButton = nullptr;
  QPushButton* findAllButton = nullptr;
  Sci::Pos findStartCaret = 0;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == findAllButton) {
      switch (e->type()) {
        case QEvent::FocusIn:
        case QEvent::Enter: showSkipBoxes(false); break;
        case QEvent::FocusOut:
        case QEvent::Leave:
          showSkipBoxes(!findAllButton->hasFocus() && !findAllButton->underMouse());
          break;
        default: break;
      }
    }
    return QWidget::eventFilter(o, e);
  }

 private:
  void showSkipBoxes(bool enabled) {
    skipStrings->setEnabled(enabled);
    skipComments->setEnabled(enabled);
  }
  void place(QWidget* w, ControlId id, int x, int y, int width, int height) {
    w->setGeometry(x, y, width, height);
    app_.toolkit().registerControl(+id, w);
    ids_.push_back(+id);
  }
  void post(ControlId id) { app_.dispatcher().post(Event::Control(+id, 0, kFindWin)); }
  // Check boxes that act post on a click (not on a change made by the program).
  QCheckBox* check(const QString& text, ControlId id, int x, int y, int w, int h, bool posts) {
    auto* c = new QCheckBox(text, this);
    c->setAccessibleName(text);
    // The place of the table, widened when this font needs more room, so no
    // text is cut.
    place(c, id, x, y, std::max(w, c->sizeHint().width()), h);
    if (posts) connect(c, &QCheckBox::clicked, this, [this, id] { post(id); });
    return c;
  }
  QPushButton* button(const QString& text, ControlId id, int x, int y, int w, int h) {
    auto* b = new QPushButton(text, this);
    b->setAccessibleName(text);
    // Return presses a focused button, as Space does.
    b->setAutoDefault(true);
    place(b, id, x, y, w, h);
    connect(b, &QPushButton::clicked, this, [this, id] { post(id); });
    return b;
  }

  App& app_;
  std::vector<int> ids_;
};

// ---- WindowId::FindAll ----

class FindAllWindow : public ListToolWindow {
 public:
  FindAllWindow(App& app, QWidget* parent, const QFont& font)
      : ListToolWindow(app.toolkit(), app.dispatcher(), parent, Qt::Tool | Qt::WindowStaysOnTopHint,
                       QStringLiteral("Find All"), kFindAllWin, +ControlId::FindAllList, true, &font) {
    list->setUniformItemSizes(true);
  }

  std::vector<FindAllResult> results;
};

FindWindow* FindWindowOf(App& app) { return dynamic_cast<FindWindow*>(app.toolkit().window(kFindWin)); }
FindAllWindow* FindAllWindowOf(App& app) { return dynamic_cast<FindAllWindow*>(app.toolkit().window(kFindAllWin)); }

// At least as wide and high as its controls (the stored size of the table
// cuts its last button), on the screen.
void PlaceWindow(QWidget* w, const WindowRect& r) {
  const QRect used = w->childrenRect();
  PlaceOnScreen(w, r.x, r.y, std::max({r.w, 40, used.right() + 6}), std::max({r.h, 40, used.bottom() + 6}));
}

void StoreRect(WindowRect& r, const QWidget* w) { StorePlacement(w, r); }

void ShowAndRaise(App& app, QWidget* w) {
  w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  if (app.options().showWindow) w->show();
  w->raise();
  w->activateWindow();
}

// The window is freed later: its close may be running inside its own event.
void DropWindow(App& app, int window, QWidget* w) {
  app.toolkit().unregisterWindow(window);
  w->hide();
  w->deleteLater();
}

struct Match {
  Sci::Pos start = -1;
  Sci::Pos end = -1;
};

struct SearchQuery {
  QByteArray utf8;
  int flags = 0;
  bool skipStrings = false;
  bool skipComments = false;
};

SearchQuery QueryOf(App& app, const QString& text, int flags) {
  const Settings& st = app.settings();
  return {text.toUtf8(), flags, st.dontSearchInStrings != 0, st.dontSearchInComments != 0};
}

// The next accepted match between `from` and `to` (backward when to < from).
Match Search(EditorView& ed, const SearchQuery& query, Sci::Pos from, Sci::Pos to) {
  const Sci s = ed.sci();
  if (query.utf8.isEmpty() || s.length() == 0) return {};
  const bool forward = from <= to;
  s.send(S::SCI_SETSEARCHFLAGS, static_cast<std::uintptr_t>(query.flags));
  for (;;) {
    s.send(S::SCI_SETTARGETSTART, from);
    s.send(S::SCI_SETTARGETEND, to);
    const Sci::Pos pos = s.sendText(S::SCI_SEARCHINTARGET, static_cast<std::uintptr_t>(query.utf8.size()),
                                    query.utf8.constData());
    if (pos < 0) return {};
    const Sci::Pos end = s.send(S::SCI_GETTARGETEND);
    if (query.skipStrings || query.skipComments) {
      StyleUpTo(ed, pos + 1);
      const Sci::Pos style = s.send(S::SCI_GETSTYLEAT, pos);
      const bool rejected =
          (query.skipStrings && style == kStyleString) || (query.skipComments && style == kStyleComment);
      if (rejected) {
        // On from the match; a search that cannot move on has nothing left.
        const Sci::Pos next = forward ? end : pos;
        if (next == from) return {};
        from = next;
        continue;
      }
    }
    return {pos, end};
  }
}

EditorView* ShownEditor(App& app) { return EditingTarget(app); }

void SetHistory(App& app, FindWindow* w, const QString& text) {
  QStringList& history = app.settings().findHistory;
  history = AddFindHistory(history, text);
  if (!w) return;
  w->search->clear();
  w->search->addItems(history);
  w->search->setEditText(text);
}

void UpdateReplaceButtons(FindWindow* w) {
  const bool on = w->replaceCheck->isChecked();
  w->replaceButton->setEnabled(on);
  w->replaceAllButton->setEnabled(on);
}

int FlagsOf(const FindWindow* w) {
  return (w->wholeWord->isChecked() ? kFindWholeWord : 0) | (w->matchCase->isChecked() ? kFindMatchCase : 0);
}

void ShowResults(App& app, std::vector<FindAllResult> results, bool lineNumbersOnly) {
  FindAllWindow* w = FindAllWindowOf(app);
  if (!w) {
    Toolkit& tk = app.toolkit();
    const Settings& s = app.settings();
    if (!tk.font(+FontId::Mono)) tk.loadFont(+FontId::Mono, s.monoFont, s.monoFontSize, true);
    w = new FindAllWindow(app, app.mainWidget(), *tk.font(+FontId::Mono));
    PlaceWindow(w, s.findAllWindow);
    tk.registerWindow(kFindAllWin, w);
  }
  w->results = std::move(results);
  ShowFindAllResults(app, lineNumbersOnly);
}

// The index of the document a result was found in: its tab when that still
// holds the document, else wherever the document went; -1 when it is gone.
int DocumentOfResult(App& app, const FindAllResult& r) {
  const DocumentList& list = app.state().docs.list;
  auto same = [&](int i) {
    const DocumentRecord& d = list.at(i);
    return d.editor == r.editor && d.name == r.fileName && d.path == r.path;
  };
  if (list.valid(r.tabIndex) && same(r.tabIndex)) return r.tabIndex;
  for (int i = 0; i < list.size(); ++i)
    if (same(i)) return i;
  return -1;
}

void GoToResult(App& app, FindAllWindow* w) {
  const int row = w->list->currentRow();
  if (row < 0 || row >= static_cast<int>(w->results.size())) return;
  if (w->list->item(row)->text().isEmpty()) return;
  const FindAllResult r = w->results[static_cast<std::size_t>(row)];
  const int index = DocumentOfResult(app, r);
  if (index < 0) return;
  Documents& docs = app.state().docs;
  // Switching shows the document and selects its tab.
  if (index != docs.currentTabIndex) SwitchDocumentTab(app, index, docs.currentTabIndex);
  docs.list.setCurrent(index);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  const Sci s = ed->sci();
  s.send(S::SCI_GOTOLINE, static_cast<std::uintptr_t>(std::max<qint64>(r.line - 1, 0)));
  s.send(S::SCI_SCROLLCARET);
  ReturnToEditor(app);
}

void ReplaceOne(App& app, FindWindow* w) {
  EditorView* ed = ShownEditor(app);
  if (!ed) return;
  ProgrammaticEdit quiet(*ed);
  ReplaceSelection(ed, w->replaceText->text());
}

void FindWindowSixEvent(App& app, const Event& e) {
  FindWindow* w = FindWindowOf(app);
  if (!w) return;
  switch (e.kind) {
    case EventKind::Close: CloseFindWindow(app); break;
    case EventKind::Move:
    case EventKind::Size:
      if (w->windowState() == Qt::WindowNoState) StoreRect(app.settings().findWindow, w);
      break;
    case EventKind::Menu:
      if (e.object == +Item::FindWindowF3) FindNextMatch(app, 0);
      break;
    case EventKind::Control:
      switch (static_cast<ControlId>(e.object)) {
        case ControlId::FindNextButton: FindNextMatch(app, 0); break;
        case ControlId::FindPrevButton: FindNextMatch(app, -1); break;
        case ControlId::ReplaceButton: ReplaceOne(app, w); break;
        case ControlId::ReplaceAllButton: ReplaceAll(app); break;
        case ControlId::CloseFindButton: CloseFindWindow(app); break;
        case ControlId::FindAllButton: FindAllInOpenFiles(app); break;
        case ControlId::SkipStringsCheck:
          app.settings().dontSearchInStrings = app.settings().dontSearchInStrings ? 0 : 1;
          break;
        case ControlId::SkipCommentsCheck:
          app.settings().dontSearchInComments = app.settings().dontSearchInComments ? 0 : 1;
          break;
        case ControlId::ReplaceCheck: UpdateReplaceButtons(w); break;
        default: break;
      }
      break;
    default: break;
  }
}

void FindWindowSevenEvent(App& app, const Event& e) {
  FindAllWindow* w = FindAllWindowOf(app);
  if (!w) return;
  const bool normal = w->windowState() == Qt::WindowNoState;
  switch (e.kind) {
    case EventKind::Close:
      if (normal) StoreRect(app.settings().findAllWindow, w);
      DropWindow(app, kFindAllWin, w);
      break;
    case EventKind::Move:
    case EventKind::Size:
      if (normal) StoreRect(app.settings().findAllWindow, w);
      break;
    case EventKind::Control:
      if (e.object == +ControlId::FindAllList) GoToResult(app, w);
      break;
    default: break;
  }
}

constexpr const char* kNotFound = "Not found: ";

// A match takes a not-found text away again: the path is back.
void SayNothingNotFound(App& app) {
  if (!StatusFieldText(app, StatusField::Path).startsWith(QLatin1String(kNotFound))) return;
  const DocumentRecord* doc = app.state().docs.list.current();
  SetStatusField(app, StatusField::Path, doc ? doc->path : QString());
}

}  // namespace

Sci::Pos FindInEditor(App& app, EditorView& editor, const QString& text, bool forward, int flags) {
  const Sci s = editor.sci();
  const Sci::Pos from = s.send(forward ? S::SCI_GETSELECTIONEND : S::SCI_GETSELECTIONSTART);
  const Match m = Search(editor, QueryOf(app, text, flags), from, forward ? s.length() : 0);
  if (m.start < 0) return -1;
  s.send(S::SCI_SETSEL, m.start, m.end);
  return m.start;
}

void FindNextMatch(App& app, int direction) {
  FindWindow* w = FindWindowOf(app);
  if (!w) return;
  EditorView* ed = ShownEditor(app);
  if (!ed) return;
  const QString text = w->search->currentText();
  if (text.isEmpty()) return;
  SetHistory(app, w, text);
  const int flags = FlagsOf(w);
  const bool forward = direction == 0;
  if (FindInEditor(app, *ed, text, forward, flags) >= 0) {
    SayNothingNotFound(app);
    return;
  }
  // Once around: from the start, or backward from the very end.
  const Sci s = ed->sci();
  s.send(S::SCI_GOTOPOS, forward ? 0 : s.length());
  s.send(S::SCI_SCROLLCARET);
  FocusCurrentEditor(app);
  if (FindInEditor(app, *ed, text, forward, flags) >= 0) {
    SayNothingNotFound(app);
    return;
  }
  // No message to answer: the status bar says it until the next match.
  SetStatusField(app, StatusField::Path, QString::fromLatin1(kNotFound) + u'"' + text + u'"');
}

void ReplaceAll(App& app) {
  FindWindow* w = FindWindowOf(app);
  if (!w) return;
  EditorView* ed = ShownEditor(app);
  if (!ed) return;
  const QString text = w->search->currentText();
  if (text.isEmpty()) return;
  const QByteArray replacement = ToUtf8Buffer(w->replaceText->text());
  const SearchQuery query = QueryOf(app, text, FlagsOf(w));
  const Sci s = ed->sci();
  const Sci::Pos caret = s.currentPos();
  s.send(S::SCI_GOTOPOS, 0);
  s.send(S::SCI_SCROLLCARET);
  FocusCurrentEditor(app);
  long long count = 0;
  {
    // One undo step; the replacements are the program's, not typing.
    ProgrammaticEdit quiet(*ed);
    UndoStep undo(s);
    QuietChanges changes(*ed);
    Sci::Pos from = 0;
    for (;;) {
      const Match m = Search(*ed, query, from, s.length());
      if (m.start < 0) break;
      s.send(S::SCI_SETTARGETSTART, m.start);
      s.send(S::SCI_SETTARGETEND, m.end);
      s.sendText(S::SCI_REPLACETARGET, static_cast<std::uintptr_t>(replacement.size()), replacement.constData());
      changes.inserted(m.start, replacement.size());
      from = m.start + replacement.size();
      ++count;
    }
  }
  app.requesters().message(QStringLiteral("Replace"), QStringLiteral("Replaced %1 occurences.").arg(count));
  s.send(S::SCI_GOTOPOS, std::min(caret, s.length()));
}

void FindAllInOpenFiles(App& app) {
  FindWindow* w = FindWindowOf(app);
  if (!w) return;
  const QString text = w->search->currentText();
  if (text.isEmpty()) return;
  const LineMatchOptions options{!w->matchCase->isChecked(), w->wholeWord->isChecked(),
                                 app.settings().validWordCharacters};
  std::vector<FindAllResult> results;
  const DocumentList& list = app.state().docs.list;
  // Each document's text is read from its editor: no tab is shown or restyled.
  for (int i = list.size() - 1; i >= 0; --i) {
    const DocumentRecord& d = list.at(i);
    EditorView* ed = EditorOfDocument(app, i);
    if (!ed) continue;
    for (LineMatch& m : LinesMatching(GetEditorText(ed), text, options))
      results.push_back({i, d.editor, d.name, d.path, m.line, std::move(m.text)});
  }
  ShowResults(app, std::move(results), false);
}

void QuickFindWord(App& app) {
  EditorView* ed = ShownEditor(app);
  if (!ed) return;
  const Sci s = ed->sci();
  app.state().returnLine = static_cast<int>(s.lineFromPosition(s.currentPos()));
  const QString selection = GetSelectedText(ed);
  if (selection.isEmpty()) return;
  const Sci::Pos selStart = s.send(S::SCI_GETSELECTIONSTART);
  const Sci::Pos selEnd = s.send(S::SCI_GETSELECTIONEND);
  const QChar next = selEnd < s.length() ? QChar(static_cast<char16_t>(s.send(S::SCI_GETCHARAT, selEnd) & 0xFF)) : QChar();
  const QuickFindTerm term = QuickFindWordOf(selection, next);
  if (term.widened) s.send(S::SCI_SETSEL, selStart, selEnd + 1);
  const int index = app.state().docs.list.currentIndex();
  const DocumentRecord* d = app.state().docs.list.current();
  std::vector<FindAllResult> results;
  const LineMatchOptions options{true, true, app.settings().validWordCharacters};
  for (LineMatch& m : LinesMatching(GetEditorText(ed), term.word, options))
    results.push_back({index, d ? d->editor : 0, d ? d->name : QString(), d ? d->path : QString(), m.line,
                       std::move(m.text)});
  ShowResults(app, std::move(results), true);
}

void ShowFindAllResults(App& app, bool lineNumbersOnly) {
  FindAllWindow* w = FindAllWindowOf(app);
  if (!w) return;
  w->list->clear();
  const QStringList rows = FindAllRows(w->results, lineNumbersOnly);
  w->list->addItems(rows);
  // Wide enough for its longest row, as far as the screen allows.
  int widest = 0;
  for (const QString& row : rows) widest = std::max(widest, w->list->fontMetrics().horizontalAdvance(row));
  const int wanted = widest + 20 + 2 * w->list->frameWidth() + w->list->verticalScrollBar()->sizeHint().width() + 8;
  if (wanted > w->width()) PlaceOnScreen(w, w->x(), w->y(), wanted, w->height());
  ShowAndRaise(app, w);
}

QStringList FindAllRowsShown(App& app) {
  QStringList rows;
  if (FindAllWindow* w = FindAllWindowOf(app))
    for (int i = 0; i < w->list->count(); ++i) rows.append(w->list->item(i)->text());
  return rows;
}

void CloseFindWindow(App& app) {
  FindWindow* w = FindWindowOf(app);
  if (!w) return;
  Settings& st = app.settings();
  st.findWindow.extra1 = w->matchCase->isChecked() ? 1 : 0;
  st.findWindow.extra2 = w->wholeWord->isChecked() ? 1 : 0;
  app.state().replaceEnabled = w->replaceCheck->isChecked();
  if (w->windowState() == Qt::WindowNoState) StoreRect(st.findWindow, w);
  if (EditorView* ed = CurrentEditor(app)) {
    const Sci s = ed->sci();
    if (st.returnCursorAfterSearch) {
      s.send(S::SCI_GOTOPOS, std::min(w->findStartCaret, s.length()));
    } else {
      // The last match stays where it was found, unselected.
      w->findStartCaret = s.send(S::SCI_GETSELECTIONEND);
      s.send(S::SCI_GOTOPOS, w->findStartCaret);
    }
  }
  DropWindow(app, kFindWin, w);
  ReturnToEditor(app);
}

// ---- The entry points of the menu and the event loop ----

void ShowFindReplace(App& app) {
  EditorView* ed = CurrentEditor(app);
  const QString selected = GetSelectedText(ed);
  FindWindow* w = FindWindowOf(app);
  const Settings& st = app.settings();
  // Without a selection the box keeps its text; a new window offers the last search.
  const QString current = w ? w->search->currentText() : st.findHistory.value(0);
  if (!w) {
    Toolkit& tk = app.toolkit();
    w = new FindWindow(app, app.mainWidget());
    PlaceWindow(w, app.settings().findWindow);
    w->findStartCaret = ed ? ed->sci().currentPos() : 0;
    // F3 here is the main window's (a tool window keeps its owner's
    // shortcuts): a second F3 of this window would make both do nothing.
    tk.registerWindow(kFindWin, w);
  }
  w->matchCase->setChecked(st.findWindow.extra1 != 0);
  w->wholeWord->setChecked(st.findWindow.extra2 != 0);
  w->replaceCheck->setChecked(app.state().replaceEnabled);
  w->skipStrings->setChecked(st.dontSearchInStrings != 0);
  w->skipComments->setChecked(st.dontSearchInComments != 0);
  UpdateReplaceButtons(w);
  w->search->clear();
  w->search->addItems(st.findHistory);
  w->search->setEditText(selected.isEmpty() ? current : selected);
  ShowAndRaise(app, w);
  w->search->setFocus();
}

void QuickFind(App& app) { QuickFindWord(app); }

void FindNext(App& app) {
  if (FindWindowOf(app)) FindNextMatch(app, 0);
}

void FindWindowEvent(App& app, const Event& e) {
  if (e.window == kFindWin) FindWindowSixEvent(app, e);
  else if (e.window == kFindAllWin) FindWindowSevenEvent(app, e);
}

}  // namespace vendle
