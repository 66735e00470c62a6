#include "editor/ui/editing_support.h"

#include <QApplication>
#include <QClipboard>

#include "documents/ui/document_commands.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/editor_commands.h"
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

}  // namespace vendle
