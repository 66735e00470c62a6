// The text changes of a key press or of typed text, told to the editor's
// SCN_MODIFIED listeners by the editor itself. Scintilla's own insert and
// delete notices cost QScintilla a count of every character before the
// change (its accessibility bookkeeping), which grows with the caret's
// place in the text; while a TypedChanges lives, the control reports the
// changes only before they are made, and each is told to the listeners as
// soon as it is done: when the next change begins, or when the scope ends.
// Assistive tools get the same insert and remove events, with offsets from
// Scintilla's line index.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "platform/ui/sci.h"

namespace vendle {

class EditorView;

class TypedChanges {
 public:
  explicit TypedChanges(EditorView& editor);
  ~TypedChanges();
  TypedChanges(const TypedChanges&) = delete;
  TypedChanges& operator=(const TypedChanges&) = delete;

 private:
  struct Change {
    int position = 0;
    int type = 0;  // SC_MOD_INSERTTEXT or SC_MOD_DELETETEXT with the notice's flags
    int length = 0;
    Sci::Pos linesBefore = 0;
    QString removed;  // for assistive tools only
  };
  void before(int position, int type, int length);
  void tell(bool last);

  EditorView& editor_;
  bool active_ = false;
  Sci::Pos mask_ = 0;
  std::optional<Change> pending_;
  QMetaObject::Connection connection_;
};

}  // namespace vendle
