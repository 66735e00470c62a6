#include "editor/ui/editing_support.h"

#include <QApplication>
#include <QClipboard>

#include "editor/ui/change_marks.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "shell/ui/services.h"

namespace vendle {

EditorView* EditingTarget(App& app) {
  MakeSelectedDocumentCurrent(app);
  return CurrentEditor(app);
}

void TypeAtCaret(EditorView& editor, QStringView text) {
  if (text.isEmpty()) return;
  const QByteArray utf8 = ToUtf8Buffer(text);
  // By length: the text may hold NUL characters.
  editor.sci().sendText(QsciScintillaBase::SCI_ADDTEXT, static_cast<std::uintptr_t>(utf8.size()), utf8.constData());
}

QString ClipboardText() {
  const QClipboard* clipboard = QApplication::clipboard();
  return clipboard ? clipboard->text() : QString();
}

ProgrammaticEdit::ProgrammaticEdit(EditorView& editor) : lexer_(LexerOf(editor)) {
  if (lexer_) lexer_->setProgrammaticEdit(true);
}

ProgrammaticEdit::~ProgrammaticEdit() {
  if (lexer_) lexer_->setProgrammaticEdit(false);
}

QuietChanges::QuietChanges(EditorView& editor)
    : editor_(editor), mask_(editor.sci().send(QsciScintillaBase::SCI_GETMODEVENTMASK)) {
  editor_.sci().send(QsciScintillaBase::SCI_SETMODEVENTMASK, 0);
}

QuietChanges::~QuietChanges() {
  editor_.sci().send(QsciScintillaBase::SCI_SETMODEVENTMASK, static_cast<std::uintptr_t>(mask_));
  if (first_ < 0) return;
  // One notification stands for them all: the status and its listeners follow.
  emit editor_.SCN_MODIFIED(static_cast<int>(first_), QsciScintillaBase::SC_MOD_INSERTTEXT, nullptr, 0, 0, 0, 0, 0,
                            0, 0);
  RestyleFrom(&editor_, first_);
}

void QuietChanges::note(Sci::Pos position) {
  if (first_ < 0 || position < first_) first_ = position;
}

void QuietChanges::inserted(Sci::Pos position, Sci::Pos length) {
  note(position);
  MarkInsertedText(editor_, position, length);
}

void QuietChanges::deleted(Sci::Pos position) {
  note(position);
  MarkInsertedText(editor_, position, 0);
}

}  // namespace vendle
