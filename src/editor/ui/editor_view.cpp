#include "editor/ui/editor_view.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QUrl>

#include "editor/ui/editor_accessible.h"
#include "editor/ui/typed_changes.h"
#include "platform/dispatcher.h"
#include "platform/ui/toolkit.h"

namespace vendle {

EditorView::EditorView(int control, Dispatcher& dispatcher, QWidget* parent)
    : QsciScintillaBase(parent), control_(control), dispatcher_(dispatcher) {
  InstallEditorAccessibility();
  connect(this, &QsciScintillaBase::SCN_FOCUSIN, this, [this] {
    dispatcher_.post(Event::Control(control_, static_cast<int>(ControlEvent::FocusGained)));
  });
  connect(this, &QsciScintillaBase::SCN_FOCUSOUT, this, [this] {
    dispatcher_.post(Event::Control(control_, static_cast<int>(ControlEvent::FocusLost)));
  });
  // A drop on an editor is a drop on the main window.
  connect(this, &QsciScintillaBase::SCN_URIDROPPED, this, [this](const QUrl& url) {
    if (url.isLocalFile()) dispatcher_.post(Event::Drop(url.toLocalFile()));
  });
}

void EditorView::contextMenuEvent(QContextMenuEvent* e) {
  e->accept();
  if (!popupBound_) return;
  Event ev = Event::OfKind(EventKind::RightClick);
  ev.x = e->globalPos().x();
  ev.y = e->globalPos().y();
  dispatcher_.post(ev);
}

void EditorView::keyPressEvent(QKeyEvent* e) {
  ++typing_;
  {
    TypedChanges changes(*this);
    // A chord with Alt or Ctrl that is no shortcut is a command the control
    // may know, never text (AltGr comes without these modifiers).
    if ((e->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) && !e->text().isEmpty()) {
      QKeyEvent command(e->type(), e->key(), e->modifiers(), QString(), e->isAutoRepeat(), e->count());
      QsciScintillaBase::keyPressEvent(&command);
      e->setAccepted(command.isAccepted());
    } else {
      QsciScintillaBase::keyPressEvent(e);
    }
  }
  --typing_;
}

void EditorView::inputMethodEvent(QInputMethodEvent* e) {
  ++typing_;
  {
    TypedChanges changes(*this);
    QsciScintillaBase::inputMethodEvent(e);
  }
  --typing_;
}

bool PopupFitsScreen(EditorView& editor, Sci::Pos pos) {
  using S = QsciScintillaBase;
  const Sci s = editor.sci();
  const int x = int(s.send(S::SCI_POINTXFROMPOSITION, 0, pos));
  const int y = int(s.send(S::SCI_POINTYFROMPOSITION, 0, pos));
  const int line = std::max(1, int(s.send(S::SCI_TEXTHEIGHT, s.lineFromPosition(pos))));
  // A list that would pass the right edge is scrolled left of it first.
  const int left = std::min(x, editor.viewport()->width() - 150) - 40;
  const int corners[][2] = {{left, y - 3 * line}, {x + 1, y - 3 * line}, {left, y + 2 * line}, {x + 1, y + 2 * line}};
  for (const auto& c : corners)
    if (!QGuiApplication::screenAt(editor.viewport()->mapToGlobal(QPoint(c[0], c[1])))) return false;
  return true;
}

EditorView* EditorOf(const Toolkit& tk, int control) { return dynamic_cast<EditorView*>(tk.control(control)); }

}  // namespace vendle
