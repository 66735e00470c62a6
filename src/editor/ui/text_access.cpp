#include "editor/ui/editor_commands.h"

#include <QAccessible>
#include <optional>

#include "editor/ascii_convert.h"
#include "editor/editor_text.h"
#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

QString Decode(const QByteArray& utf8) { return QString::fromUtf8(utf8); }

// Replaces bytes [start, end) with `utf8`, by length (SCI_REPLACETARGET
// carries NUL bytes, unlike the NUL-terminated messages).
void ReplaceRange(const Sci& s, Sci::Pos start, Sci::Pos end, const QByteArray& utf8) {
  s.send(S::SCI_SETTARGETRANGE, start, end);
  s.sendText(S::SCI_REPLACETARGET, utf8.size(), utf8.constData());
}

QString WithoutLineBreaks(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text)
    if (c != u'\r' && c != u'\n') out.append(c);
  return out;
}

}  // namespace

QByteArray ToUtf8Buffer(QStringView text) { return EditorBytesOf(text); }

QByteArray GetEditorBytes(EditorView* editor) {
  if (!editor) return {};
  const Sci s = editor->sci();
  return s.range(0, s.length());
}

QString GetEditorText(EditorView* editor) { return Decode(GetEditorBytes(editor)); }

QString GetEditorLine(EditorView* editor, Sci::Pos line) {
  if (!editor) return {};
  const Sci s = editor->sci();
  if (line < 0 || line >= s.lineCount()) return {};
  return Decode(s.range(s.positionFromLine(line), s.lineEndPosition(line)));
}

QString GetSelectedText(EditorView* editor) {
  if (!editor) return {};
  const Sci s = editor->sci();
  // The length asked for includes the terminating NUL.
  const Sci::Pos size = s.send(S::SCI_GETSELTEXT, 0, 0);
  if (size <= 1) return {};
  QByteArray buf(size, '\0');
  s.sendPtr(S::SCI_GETSELTEXT, 0, buf.data());
  buf.chop(1);
  return Decode(buf);
}

void RestyleFrom(EditorView* editor, Sci::Pos from) {
  if (!editor) return;
  const Sci s = editor->sci();
  // Marks the text from that line unstyled; the lexer styles it when it is
  // shown or read (SCN_STYLENEEDED), never more than is needed.
  const Sci::Pos lineStart = s.positionFromLine(s.lineFromPosition(from));
  if (s.send(S::SCI_GETENDSTYLED) > lineStart) s.send(S::SCI_STARTSTYLING, lineStart, 0);
  editor->viewport()->update();
}

void SetEditorBytes(EditorView* editor, const QByteArray& utf8, bool resetUndo) {
  if (!editor) return;
  const Sci s = editor->sci();
  // A text whose undo history is emptied is never collected: no copy of
  // the whole text in the undo buffer.
  const bool collecting = s.send(S::SCI_GETUNDOCOLLECTION) != 0;
  if (resetUndo && collecting) s.send(S::SCI_SETUNDOCOLLECTION, 0);
  {
    // The control's own notices of the change would have QScintilla copy
    // the whole text into UTF-16 for assistive tools: unless they listen,
    // the listeners hear of it from here.
    std::optional<QuietChanges> quiet;
    if (!QAccessible::isActive()) quiet.emplace(*editor);
    // SCI_SETTEXT stops at the first NUL: clear, then append by length.
    UndoStep step(s);
    s.send(S::SCI_CLEARALL);
    if (quiet) quiet->deleted(0);
    s.sendText(S::SCI_APPENDTEXT, utf8.size(), utf8.constData());
    if (quiet) quiet->inserted(0, utf8.size());
  }
  if (resetUndo && collecting) s.send(S::SCI_SETUNDOCOLLECTION, 1);
  // A text change leaves the changed text unstyled by itself.
  if (resetUndo) s.send(S::SCI_EMPTYUNDOBUFFER);
}

void SetEditorText(EditorView* editor, QStringView text, bool resetUndo) {
  if (editor) SetEditorBytes(editor, ToUtf8Buffer(text), resetUndo);
}

void ReplaceSelection(EditorView* editor, QStringView text) {
  if (!editor) return;
  const Sci s = editor->sci();
  const Sci::Pos start = s.send(S::SCI_GETSELECTIONSTART);
  const Sci::Pos end = s.send(S::SCI_GETSELECTIONEND);
  const QByteArray utf8 = ToUtf8Buffer(text);
  ReplaceRange(s, start, end, utf8);
  s.send(S::SCI_SETCURRENTPOS, start + utf8.size());
  s.send(S::SCI_SETANCHOR, start + utf8.size());
}

void ReplaceLineText(EditorView* editor, Sci::Pos line, QStringView text, bool restyle) {
  if (!editor) return;
  const Sci s = editor->sci();
  if (line < 0 || line >= s.lineCount()) return;
  const Sci::Pos start = s.positionFromLine(line);
  ReplaceRange(s, start, s.lineEndPosition(line), ToUtf8Buffer(WithoutLineBreaks(text)));
  if (restyle) RestyleFrom(editor, start);
}

void InsertTextAtCaret(EditorView* editor, QStringView text) {
  if (!editor) return;
  const Sci s = editor->sci();
  // An empty target at the caret: the same as SCI_INSERTTEXT at -1, by length.
  const Sci::Pos caret = s.currentPos();
  ReplaceRange(s, caret, caret, ToUtf8Buffer(text));
}

bool ConvertEditorTextToAscii(EditorView* editor) {
  if (!editor) return false;
  const Sci s = editor->sci();
  const QByteArray utf8 = GetEditorBytes(editor);
  auto high = [&](qsizetype i) { return (static_cast<unsigned char>(utf8[i]) & 0x80) != 0; };
  bool changed = false;
  ProgrammaticEdit quiet(*editor);
  UndoStep step(s);
  QuietChanges changes(*editor);
  // From the end: a replacement moves no run still to be replaced.
  for (qsizetype end = utf8.size(); end > 0;) {
    if (!high(end - 1)) {
      --end;
      continue;
    }
    qsizetype start = end - 1;
    while (start > 0 && high(start - 1)) --start;
    const QByteArray ascii = ConvertToAscii(QString::fromUtf8(utf8.mid(start, end - start))).toLatin1();
    ReplaceRange(s, start, end, ascii);
    changes.inserted(start, ascii.size());
    changed = true;
    end = start;
  }
  return changed;
}

QString EditorLineEnd(EditorView* editor) {
  if (!editor) return QStringLiteral("\r\n");
  switch (editor->sci().send(S::SCI_GETEOLMODE)) {
    case S::SC_EOL_LF: return QStringLiteral("\n");
    case S::SC_EOL_CR: return QStringLiteral("\r");
    default: return QStringLiteral("\r\n");
  }
}

void SetEditorLineEnd(EditorView* editor, QStringView lineEnd) {
  if (!editor) return;
  const int mode = lineEnd == u"\n" ? S::SC_EOL_LF : lineEnd == u"\r" ? S::SC_EOL_CR : S::SC_EOL_CRLF;
  editor->sci().send(S::SCI_SETEOLMODE, mode);
}

QString GetEditorText(App& app, int control) { return GetEditorText(EditorOf(app.toolkit(), control)); }
QString GetEditorLine(App& app, int control, Sci::Pos line) {
  return GetEditorLine(EditorOf(app.toolkit(), control), line);
}
QString GetSelectedText(App& app, int control) { return GetSelectedText(EditorOf(app.toolkit(), control)); }
void SetEditorText(App& app, int control, QStringView text, bool resetUndo) {
  SetEditorText(EditorOf(app.toolkit(), control), text, resetUndo);
}
void ReplaceSelection(App& app, int control, QStringView text) {
  ReplaceSelection(EditorOf(app.toolkit(), control), text);
}
void ReplaceLineText(App& app, int control, Sci::Pos line, QStringView text, bool restyle) {
  ReplaceLineText(EditorOf(app.toolkit(), control), line, text, restyle);
}
void InsertTextAtCaret(App& app, int control, QStringView text) {
  InsertTextAtCaret(EditorOf(app.toolkit(), control), text);
}

QString MakeIndentToColumn(App& app, int column) {
  const Settings& s = app.settings();
  return IndentToColumn(column, s.useSpacesForTabs != 0, s.tabSize);
}

}  // namespace vendle
