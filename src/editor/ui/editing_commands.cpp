// The commands of the Edit menu and the editor popup on the current
// document's editor: clipboard, Paste as ASCII, file and INCLUDE insertion,
// prefill and postfill, Join, the colour texts, comment and uncomment.
// Every command that rewrites text is one undo step.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include "documents/document_list.h"
#include "documents/program_file.h"
#include "editor/ascii_convert.h"
#include "editor/editing_lines.h"
#include "editor/ui/editing_support.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/view_options.h"
#include "platform/ansi.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/paths.h"
#include "platform/text_lines.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"
#include "platform/text_trim.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

const QString kOpenPatterns =
    QStringLiteral("Basic (*.bas *.inc)|*.bas;*.inc|Text (*.txt)|*.txt|All files (*.*)|*.*");

// The file an insertion asks for, from `folder`; none on Cancel.
std::optional<QString> AskForFile(App& app, const QString& folder) {
  const auto answer = app.requesters().openFile({QStringLiteral("Open"), folder, kOpenPatterns, 0});
  if (!answer || answer->isEmpty()) return std::nullopt;
  return answer;
}

// Inserts `utf8` at byte position `pos`; the caret and selection move as
// Scintilla moves them for any insertion.
void InsertAt(const Sci& s, Sci::Pos pos, const QByteArray& utf8) {
  s.send(S::SCI_SETTARGETRANGE, pos, pos);
  s.sendText(S::SCI_REPLACETARGET, static_cast<std::uintptr_t>(utf8.size()), utf8.constData());
}

struct LineRange {
  Sci::Pos first;
  Sci::Pos last;
};

// The lines from the selection start's line to the selection end's line
// (the caret line alone without a selection).
LineRange SelectedLines(const Sci& s) {
  return {s.lineFromPosition(s.send(S::SCI_GETSELECTIONSTART)), s.lineFromPosition(s.send(S::SCI_GETSELECTIONEND))};
}

void ApplyFill(EditorView& ed, FillMode mode, const QString& fill) {
  Sci s = ed.sci();
  if (s.send(S::SCI_GETSELECTIONSTART) == s.send(S::SCI_GETSELECTIONEND)) return;
  const LineRange lines = SelectedLines(s);
  const QByteArray utf8 = ToUtf8Buffer(fill);
  UndoStep step(s);
  QuietChanges changes(ed);
  // From the bottom up: a fill with line breaks cannot move the lines still
  // to be filled.
  Sci::Pos lastPos = -1;
  Sci::Pos filled = 0;
  for (Sci::Pos line = lines.last; line >= lines.first; --line) {
    if (FillSkipsLine(mode, GetEditorLine(&ed, line), fill)) continue;
    const Sci::Pos pos = mode == FillMode::Prefill ? s.positionFromLine(line) : s.lineEndPosition(line);
    InsertAt(s, pos, utf8);
    changes.inserted(pos, utf8.size());
    if (lastPos < 0) lastPos = pos;
    ++filled;
  }
  // The caret ends in front of the fill of the lowest line filled.
  if (filled > 0) s.send(S::SCI_GOTOPOS, lastPos + (filled - 1) * utf8.size());
}

}  // namespace

void EditorClipboardCommand(App& app, int item) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  unsigned msg = 0;
  switch (static_cast<Item>(item)) {
    case Item::Undo: msg = S::SCI_UNDO; break;
    case Item::Redo: msg = S::SCI_REDO; break;
    case Item::SelectAll: msg = S::SCI_SELECTALL; break;
    case Item::Cut: msg = S::SCI_CUT; break;
    case Item::Copy: msg = S::SCI_COPY; break;
    case Item::Paste: msg = S::SCI_PASTE; break;
    default: return;
  }
  ed->sci().send(msg);
}

void PasteAsAscii(App& app) {
  EditorView* ed = EditingTarget(app);
  QClipboard* clipboard = QApplication::clipboard();
  if (!ed || !clipboard) return;
  // The converted text stays on the clipboard.
  clipboard->setText(ConvertToAscii(clipboard->text()));
  ed->sci().send(S::SCI_PASTE);
}

void InsertFileCommand(App& app, bool fromStore) {
  const bool shift = (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
  InsertFileCommand(app, fromStore, fromStore && shift);
}

void InsertFileCommand(App& app, bool fromStore, bool shiftHeld) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  Settings& st = app.settings();
  const QString folder =
      fromStore && !st.storeFolder.isEmpty() ? EnsureTrailingSeparator(st.storeFolder) : app.folders().file;
  const auto path = AskForFile(app, folder);
  if (!path) return;
  if (fromStore && shiftHeld) {
    st.storeFolder = FolderPart(*path);
    app.requesters().message(QStringLiteral("Include folder set to"), st.storeFolder);
  }
  const ReadResult file = ReadWholeFile(*path);
  if (!file.ok) {
    // Nothing is inserted, not even the line break.
    app.requesters().message(QStringLiteral("Oops!"), "The file could not be read:\n" + *path + "\n" + file.error);
    return;
  }
  // Read as a program file is: UTF-8 when it is, Windows-1252 otherwise.
  QString text = DecodeProgramFile(file.bytes).text;
  if (st.removeSmartQuotes) text = ConvertToAscii(text);

  Sci s = ed->sci();
  ProgrammaticEdit quiet(*ed);
  UndoStep step(s);
  const Sci::Pos line = s.lineFromPosition(s.currentPos());
  if (st.insertAtEol && s.currentPos() != s.positionFromLine(line))
    s.send(S::SCI_SETSEL, s.lineEndPosition(line), s.lineEndPosition(line));
  if (s.currentPos() == s.lineEndPosition(line)) text.prepend(u'\n');
  // The inserted line ends follow the document's; the document's own lines
  // stay as they are.
  InsertTextAtCaret(ed, WithLineEnds(text, EditorLineEnd(ed)));
}

void InsertIncludeDirective(App& app) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  const auto path = AskForFile(app, app.folders().file);
  if (!path) return;
  Sci s = ed->sci();
  s.send(S::SCI_GOTOPOS, s.positionFromLine(s.lineFromPosition(s.currentPos())));
  InsertTextAtCaret(ed, IncludeDirectiveText(QDir::toNativeSeparators(*path), EditorLineEnd(ed)));
}

void PrefillCommand(App& app, int item) {
  int& mode = app.state().prefillMode;
  switch (static_cast<Item>(item)) {
    case Item::PrefillStart: mode = 1; break;
    case Item::PostfillEnd: mode = 2; break;
    default: mode = 0; break;
  }
  SetItemChecked(app, +Item::PrefillStart, mode == 1);
  SetItemChecked(app, +Item::PostfillEnd, mode == 2);
  if (mode == 0) return;
  EditorView* ed = EditingTarget(app);
  const QString fill = ClipboardText();
  if (!ed || fill.isEmpty()) return;
  Sci s = ed->sci();
  s.send(S::SCI_SETCURSOR, S::SC_CURSORWAIT);
  {
    ProgrammaticEdit quiet(*ed);
    ApplyFill(*ed, static_cast<FillMode>(mode), fill);
  }
  s.send(S::SCI_SETCURSOR, static_cast<std::uintptr_t>(S::SC_CURSORNORMAL));
}

void JoinLine(App& app) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  Sci s = ed->sci();
  const Sci::Pos line = s.lineFromPosition(s.currentPos());
  // The first line has nothing to join to.
  if (line <= 0) return;
  const QByteArray text = ToUtf8Buffer(TrimSpaces(GetEditorLine(ed, line)));
  const Sci::Pos joint = s.lineEndPosition(line - 1);
  ProgrammaticEdit quiet(*ed);
  UndoStep step(s);
  if (line + 1 < s.lineCount()) {
    const Sci::Pos start = s.positionFromLine(line);
    s.send(S::SCI_DELETERANGE, start, s.positionFromLine(line + 1) - start);
  } else {
    // The last line: the line break in front of it goes.
    s.send(S::SCI_DELETERANGE, joint, s.length() - joint);
  }
  InsertAt(s, joint, text);
  s.send(S::SCI_GOTOPOS, joint);
}

void InsertColour(App& app, int item) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  QString text;
  if (item == +Item::ChooseColour) {
    // Cancel replaces the selection with nothing; Undo brings it back.
    if (const auto bgr = app.requesters().colour(0))
      text = RgbText(static_cast<int>(*bgr & 0xFF), static_cast<int>((*bgr >> 8) & 0xFF),
                     static_cast<int>((*bgr >> 16) & 0xFF));
  } else {
    text = ColourItemText(item);
    if (text.isEmpty()) return;
  }
  ReplaceSelection(ed, text);
}

void CommentLines(App& app, bool comment) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  Sci s = ed->sci();
  const LineRange lines = SelectedLines(s);
  ProgrammaticEdit quiet(*ed);
  UndoStep step(s);
  QuietChanges changes(*ed);
  // Only the apostrophe is inserted or removed (leading blanks are one byte
  // each), so the caret and the selection keep their places in the text.
  for (Sci::Pos line = lines.first; line <= lines.last; ++line) {
    const QString text = GetEditorLine(ed, line);
    const Sci::Pos start = s.positionFromLine(line);
    if (comment) {
      const Sci::Pos at = start + CommentColumn(text);
      InsertAt(s, at, QByteArrayLiteral("'"));
      changes.inserted(at, 1);
    } else if (const auto column = UncommentColumn(text)) {
      s.send(S::SCI_DELETERANGE, start + *column, 1);
      changes.deleted(start + *column);
    }
  }
}

}  // namespace vendle
