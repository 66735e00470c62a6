// The view a rewrite brings back.
#include "tools/ui/rewrite_view.h"

#include <QApplication>
#include <algorithm>

#include "editor/ui/bookmarks_folds.h"
#include "shell/ui/services.h"
#include "editor/ui/editor_view.h"

namespace vendle {

using S = QsciScintillaBase;

namespace {
int g_waitCursors = 0;
}  // namespace

WaitCursor::WaitCursor(bool on) : on_(on) {
  if (!on_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++g_waitCursors;
}

int WaitCursor::shown() { return g_waitCursors; }

WaitCursor::~WaitCursor() {
  if (on_) QApplication::restoreOverrideCursor();
}

KeptView::KeptView(EditorView& editor) : editor_(editor), folded_(CollapsedHeaders(editor)) {
  const Sci s = editor.sci();
  caretLine_ = s.lineFromPosition(s.currentPos());
  // A document line: the first visible line counts display lines.
  topLine_ = s.send(S::SCI_DOCLINEFROMVISIBLE, s.send(S::SCI_GETFIRSTVISIBLELINE));
}

void KeptView::restore(Sci::Pos line) const {
  const Sci s = editor_.sci();
  if (!folded_.isEmpty()) {
    // Fold levels come from the styling; then exactly the recorded headers
    // are collapsed, whatever the rewrite left.
    s.send(S::SCI_COLOURISE, 0, -1);
    s.send(S::SCI_FOLDALL, S::SC_FOLDACTION_EXPAND);
    for (int line1 : folded_) s.send(S::SCI_FOLDLINE, line1 - 1, S::SC_FOLDACTION_CONTRACT);
  }
  s.send(S::SCI_GOTOLINE, std::clamp<Sci::Pos>(line, 0, s.lineCount() - 1));
  s.send(S::SCI_SETFIRSTVISIBLELINE, s.send(S::SCI_VISIBLEFROMDOCLINE, topLine_));
}

}  // namespace vendle
