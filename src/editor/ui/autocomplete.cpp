#include "editor/ui/autocomplete.h"

#include <string>

#include "documents/ui/document_commands.h"
#include "editor/completion.h"
#include "editor/ui/editing_support.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/editor_commands.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

// Deletions reach the hook later, from the event loop; only those made by a
// key press count as typing.
// Found by its name: it has no meta object of its own.
const QString kTypingStateName = QStringLiteral("vendle-autocomplete");
struct TypingState : QObject {
  explicit TypingState(QObject* parent) : QObject(parent) { setObjectName(kTypingStateName); }
  bool keyDeletion = false;
};

}  // namespace

void AttachAutoComplete(App& app, EditorView& ed) {
  EditorLexer* lexer = LexerOf(ed);
  if (!lexer || ed.findChild<QObject*>(kTypingStateName, Qt::FindDirectChildrenOnly)) return;
  auto* typing = new TypingState(&ed);
  // The list keeps its registration order; the control still filters it as the user types on.
  ed.sci().send(S::SCI_AUTOCSETORDER, S::SC_ORDER_CUSTOM);
  QObject::connect(&ed, &S::SCN_MODIFIED, typing,
                   [typing, &ed](int, int type, const char*, int, int, int, int, int, int, int) {
                     if ((type & S::SC_MOD_DELETETEXT) && ed.typing()) typing->keyDeletion = true;
                   });
  lexer->setCallTipHook([&app, &ed, typing] {
    // A typed character calls while its key is handled; a deletion later.
    const bool typed = ed.typing() || typing->keyDeletion;
    typing->keyDeletion = false;
    if (typed) UpdateCallTip(app, ed);
  });
  QObject::connect(&ed, &S::SCN_AUTOCCOMPLETED, typing,
                   [&app, &ed](const char*, int, int, int) { AutoCompleteDone(app, ed); });
}

void UpdateCallTip(App&, EditorView& ed) {
  const Sci s = ed.sci();
  const Sci::Pos caret = s.currentPos();
  const Sci::Pos line = s.lineFromPosition(caret);
  const Sci::Pos start = s.positionFromLine(line);
  const QByteArray text = s.range(start, s.lineEndPosition(line));
  EditorLexer* lexer = LexerOf(ed);
  if (!text.isEmpty() && lexer) {
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    const std::optional<TypedWord> word = TypedWordAt(lexer->tables(), view, static_cast<std::size_t>(caret - start));
    if (word && word->atCaret) {
      const std::optional<std::string> list =
          CompletionList(lexer->tables().words().records(), view.substr(word->start, word->length));
      // Where the list would stand on no screen, none is shown.
      if (list && PopupFitsScreen(ed, caret - static_cast<Sci::Pos>(word->length))) {
        s.sendText(S::SCI_AUTOCSHOW, static_cast<std::uintptr_t>(word->length), list->c_str());
        s.send(S::SCI_CALLTIPCANCEL);
        return;
      }
    }
  }
  s.send(S::SCI_AUTOCCANCEL);
  s.send(S::SCI_CALLTIPCANCEL);
}

void AutoCompleteDone(App& app, EditorView& ed) {
  if (CurrentEditor(app) != &ed) return;
  const Sci s = ed.sci();
  const Sci::Pos caret = s.currentPos();
  if (caret <= 0) return;
  const Sci::Pos start = s.send(S::SCI_WORDSTARTPOSITION, caret - 1, 0);
  const Sci::Pos end = s.send(S::SCI_WORDENDPOSITION, caret - 1, 0);
  const Sci::Pos line = s.lineFromPosition(caret);
  s.send(S::SCI_SETSEL, start, end);
  const QString cleaned = CleanCompletion(GetSelectedText(&ed));
  {
    ProgrammaticEdit quiet(ed);
    ReplaceSelection(&ed, cleaned);
  }
  Sci::Pos pos = s.send(S::SCI_GETSELECTIONEND);
  if (pos == s.positionFromLine(s.lineFromPosition(pos))) pos = s.lineEndPosition(line);
  s.send(S::SCI_SETEMPTYSELECTION, pos);
}

}  // namespace vendle
