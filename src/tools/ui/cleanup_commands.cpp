// The clean-up commands on the running editor. Each puts its new text in
// with one replacement, so one Undo gives back the text as it was.
#include "tools/ui/cleanup_commands.h"

#include <QStringList>
#include <algorithm>

#include "documents/ui/document_commands.h"
#include "editor/ascii_convert.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "shell/ui/app.h"
#include "platform/text_lines.h"
#include "tools/cleanup.h"
#include "tools/ui/rewrite_view.h"
#include "editor/ui/editor_view.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

EditorView* SelectedEditor(App& app) {
  return EditorOfDocument(app, MakeSelectedDocumentCurrent(app));
}

// The whole text replaced by `rewrite` of it (which ends every line with
// LF), in the document's own line ends.
template <class F>
void RewriteDocument(App& app, F&& rewrite) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  const WaitCursor wait;
  const KeptView view(*ed);
  const QString text = GetEditorText(ed);
  const QString result = WithLineEnds(rewrite(text), EditorLineEnd(ed));
  // An unchanged text is not put back: no undo step, no modified flag.
  if (result != text) {
    ProgrammaticEdit quiet(*ed);
    SetEditorText(ed, result, false);
  }
  view.restore(view.caretLine());
  UpdateFileStatus(app, ed->control());
}

// The selected lines (all lines without a selection) replaced by `rebuild`
// of their texts and the document's line end.
template <class F>
void RewriteLineRange(App& app, F&& rebuild) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  const WaitCursor wait;
  const TimedCommand timed(app);
  const KeptView view(*ed);
  Sci s = ed->sci();
  const Sci::Pos selStart = s.send(S::SCI_GETSELECTIONSTART);
  const Sci::Pos selEnd = s.send(S::SCI_GETSELECTIONEND);
  Sci::Pos first = 0;
  Sci::Pos last = s.lineCount() - 1;
  if (selStart != selEnd) {
    first = s.lineFromPosition(selStart);
    last = s.lineFromPosition(selEnd);
  }
  QStringList lines;
  lines.reserve(last - first + 1);
  for (Sci::Pos line = first; line <= last; ++line) lines.append(GetEditorLine(ed, line));
  const QString result = rebuild(lines, EditorLineEnd(ed));
  const Sci::Pos from = s.positionFromLine(first), to = s.lineEndPosition(last);
  // Nothing to change: no undo step, no modified flag.
  if (result.toUtf8() != s.range(from, to)) {
    ProgrammaticEdit quiet(*ed);
    UndoStep step(s);
    s.send(S::SCI_SETSELECTIONSTART, from);
    s.send(S::SCI_SETSELECTIONEND, to);
    ReplaceSelection(ed, result);
  }
  view.restore(first);
  UpdateFileStatus(app, ed->control());
}

}  // namespace

void RemoveIndents(App& app) {
  RewriteDocument(app, [](const QString& text) { return RemoveIndentsText(text); });
}

void RemoveBlankLines(App& app) {
  RewriteDocument(app, [](const QString& text) { return RemoveBlankLinesText(text); });
}

void RemoveComments(App& app) {
  const bool preserve = app.settings().preserveFirstLine == 1;
  RewriteDocument(app, [preserve](const QString& text) { return RemoveCommentsText(text, preserve); });
}

void ConvertCStyleComments(App& app) {
  RewriteLineRange(app, [](const QStringList& lines, const QString& lineEnd) {
    return ConvertCStyleCommentLines(lines, lineEnd);
  });
}

void WrapComments(App& app) {
  const Settings& st = app.settings();
  WrapOptions options;
  options.column = st.wrapComments;
  options.align = st.alignWrappedComments == 1;
  options.tabSize = st.tabSize;
  options.useSpaces = st.useSpacesForTabs != 0;
  RewriteLineRange(app, [&](const QStringList& lines, const QString& lineEnd) {
    options.lineEnd = lineEnd;
    return WrapCommentLines(lines, options);
  });
}

void RemoveNonAsciiCharacters(App& app) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  const TimedCommand timed(app);
  const WaitCursor wait;
  const KeptView view(*ed);
  Sci s = ed->sci();
  const Sci::Pos caret = s.currentPos();
  const QString selected = GetSelectedText(ed);
  {
    ProgrammaticEdit quiet(*ed);
    if (!selected.isEmpty()) {
      UndoStep step(s);
      ReplaceSelection(ed, ConvertToAscii(selected));
    } else {
      const QString text = GetEditorText(ed);
      const QString ascii = ConvertToAscii(text);
      if (ascii != text) SetEditorText(ed, ascii, false);
      view.restore(view.caretLine());
    }
  }
  // The text may have grown or shrunk; the caret stays inside it.
  s.send(S::SCI_GOTOPOS, std::min(caret, s.length()));
  UpdateFileStatus(app, ed->control());
}

}  // namespace vendle
