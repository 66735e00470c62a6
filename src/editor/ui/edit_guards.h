// Scoped guards around the program's own edits of an editor: constructed
// where a command starts editing, they undo their effect when they go out of
// scope. Not copyable; each lives on the stack of one command.
#pragma once

#include "platform/ui/sci.h"

namespace vendle {

class EditorView;
class EditorLexer;

// Many edits in a row made by a command (every line commented, every keyword
// recased, every match replaced). The control's own handling of each change
// notification counts the characters from the document's start (for
// accessibility), so a loop of edits with notifications would be quadratic:
// while this lives the control sends none. Each edit is told with
// `inserted` or `deleted`, which gives it its change marks at once; at the
// end the listeners of the editor's changes hear of one change at the first
// edit, and styling starts again there.
class QuietChanges {
 public:
  explicit QuietChanges(EditorView& editor);
  ~QuietChanges();
  QuietChanges(const QuietChanges&) = delete;
  QuietChanges& operator=(const QuietChanges&) = delete;

  void inserted(Sci::Pos position, Sci::Pos length);
  void deleted(Sci::Pos position);

 private:
  void note(Sci::Pos position);

  EditorView& editor_;
  Sci::Pos mask_;
  Sci::Pos first_ = -1;
};

// While it lives, the program's edits of the editor are not taken for typing
// (no call tip or hint follows a deletion made here).
class ProgrammaticEdit {
 public:
  explicit ProgrammaticEdit(EditorView& editor);
  ~ProgrammaticEdit();
  ProgrammaticEdit(const ProgrammaticEdit&) = delete;
  ProgrammaticEdit& operator=(const ProgrammaticEdit&) = delete;

 private:
  EditorLexer* lexer_;
};

// While it lives, the editor's changes are not marked (a whole text put in
// by a load is no change of the user's).
class ChangeMarksPaused {
 public:
  explicit ChangeMarksPaused(EditorView& editor);
  ~ChangeMarksPaused();
  ChangeMarksPaused(const ChangeMarksPaused&) = delete;
  ChangeMarksPaused& operator=(const ChangeMarksPaused&) = delete;

 private:
  EditorView& editor_;
};

}  // namespace vendle
