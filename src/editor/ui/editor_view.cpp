#include "editor/ui/editor_view.h"

#include <QContextMenuEvent>
#include <QUrl>

#include "editor/ui/typed_changes.h"
#include "platform/dispatcher.h"
#include "platform/ui/toolkit.h"

namespace vendle {

EditorView::EditorView(int control, Dispatcher& dispatcher, QWidget* parent)
    : QsciScintillaBase(parent), control_(control), dispatcher_(dispatcher) {
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
    QsciScintillaBase::keyPressEvent(e);
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

EditorView* EditorOf(const Toolkit& tk, int control) { return dynamic_cast<EditorView*>(tk.control(control)); }

}  // namespace vendle
