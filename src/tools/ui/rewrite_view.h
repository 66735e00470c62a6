// What a command that rewrites an editor's text keeps of its view: the
// collapsed fold headers, the caret line and the first visible document
// line, and the wait cursor while it runs.
#pragma once

#include <QList>

#include "platform/ui/sci.h"

namespace vendle {

class EditorView;

class WaitCursor {
 public:
  explicit WaitCursor(bool on = true);
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
  // How often one was set since the start (for tests).
  static int shown();

 private:
  bool on_;
};

class KeptView {
 public:
  explicit KeptView(EditorView& editor);
  Sci::Pos caretLine() const { return caretLine_; }
  // Folds the recorded headers again, puts the caret at the start of `line`
  // (clamped to the text) and shows the same first document line.
  void restore(Sci::Pos line) const;

 private:
  EditorView& editor_;
  QList<int> folded_;  // 1-based
  Sci::Pos caretLine_ = 0;
  Sci::Pos topLine_ = 0;
};

}  // namespace vendle
