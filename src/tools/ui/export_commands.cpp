// The File menu's exports: forum code and HTML to the clipboard, and the RTF
// file. The styled text is read from the current document's editor after the
// lexer has styled it; the document itself is never changed.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>

#include "documents/ui/document_commands.h"
#include "editor/ui/editor_commands.h"
#include "shell/ui/services.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/ui/desktop_open.h"
#include "shell/ui/app.h"
#include "shell/ui/main_window_commands.h"
#include "tools/exports.h"
#include "tools/ui/export_support.h"
#include "tools/ui/rewrite_view.h"
#include "tools/ui/tool_commands.h"

namespace vendle {

using S = QsciScintillaBase;

ExportLines ExportRangeOf(EditorView& editor) {
  Sci s = editor.sci();
  const Sci::Pos selStart = s.send(S::SCI_GETSELECTIONSTART);
  const Sci::Pos selEnd = s.send(S::SCI_GETSELECTIONEND);
  ExportLines r;
  if (selStart != selEnd) {
    // A selection that ends at a line start takes that whole line too.
    r.first = s.lineFromPosition(selStart);
    r.last = s.lineFromPosition(selEnd);
  } else {
    // Without a selection one line past the last: it adds an empty line.
    r.first = 0;
    r.last = s.lineCount();
  }
  return r;
}

StyledText StyledRange(EditorView& editor, Sci::Pos start, Sci::Pos end) {
  Sci s = editor.sci();
  if (end <= start) return {};
  StyleUpTo(editor, end);
  // (character, style) byte pairs, and two NULs the control writes after them.
  QByteArray pairs(2 * (end - start) + 2, '\0');
  s.widget()->SendScintilla(S::SCI_GETSTYLEDTEXT, static_cast<long>(start), static_cast<long>(end), pairs.data());
  QByteArray bytes(end - start, '\0'), styles(end - start, '\0');
  const qsizetype n = end - start;
  for (qsizetype i = 0; i < n; ++i) {
    bytes[i] = pairs.at(2 * i);
    styles[i] = pairs.at(2 * i + 1);
  }
  return DecodeStyledUtf8(bytes, styles);
}

QList<StyledLine> StyledLines(EditorView& editor, const ExportLines& range) {
  Sci s = editor.sci();
  const Sci::Pos lines = s.lineCount();
  const Sci::Pos start = s.positionFromLine(std::min(range.first, lines));
  const Sci::Pos end = s.lineEndPosition(std::min(range.last, lines));
  const StyledText all = StyledRange(editor, start, end);
  // Split the decoded range at its line ends; a line past the text is empty.
  QList<StyledLine> out;
  qsizetype at = 0;
  for (Sci::Pos line = range.first; line <= range.last; ++line) {
    StyledLine l;
    qsizetype stop = at;
    while (stop < all.text.size() && all.text[stop] != u'\r' && all.text[stop] != u'\n') ++stop;
    l.text = all.text.mid(at, stop - at);
    l.styles = all.styles.mid(at, stop - at);
    out.append(std::move(l));
    if (stop < all.text.size() && all.text[stop] == u'\r' && stop + 1 < all.text.size() && all.text[stop + 1] == u'\n')
      ++stop;
    at = std::min<qsizetype>(stop + 1, all.text.size());
  }
  return out;
}

namespace {

// The exports join their lines with CR; text on this desktop's clipboard
// separates lines with LF, or a program pasted into is one line.
void SetClipboardText(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  if (QClipboard* clipboard = QApplication::clipboard()) clipboard->setText(text);
}

void SaveAsRtf(App& app, EditorView& editor) {
  Requesters& ask = app.requesters();
  const bool numbers = ask.ask(QStringLiteral("RTF"), QStringLiteral("Do you wish to include line numbers?"),
                               Buttons::YesNo) == Answer::Yes;
  FileRequest request;
  request.title = QStringLiteral("Save");
  request.initialPath = app.folders().file + QStringLiteral("*.rtf");
  request.patterns = QStringLiteral("RTF (*.rtf)|*.rtf|Text (*.txt)|*.txt|All files (*.*)|*.*");
  request.patternIndex = app.settings().fileSelector ? 2 : 0;
  std::optional<QString> chosen = ask.saveFile(request);
  if (!chosen || chosen->isEmpty()) return;
  QString path = *chosen;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".rtf");
  const QFileInfo existing(path);
  if (existing.exists() && existing.size() > 0 &&
      ask.ask(QStringLiteral("File exists"), QStringLiteral("Do you wish to overwrite it?"), Buttons::YesNo) !=
          Answer::Yes)
    return;

  WaitCursor wait(true);
  Sci s = editor.sci();
  const ExportLines range = ExportRangeOf(editor);
  const Sci::Pos lines = s.lineCount();
  const Sci::Pos start = s.positionFromLine(std::min(range.first, lines));
  const Sci::Pos end = s.lineEndPosition(std::min(range.last, lines));
  const StyledText text = StyledRange(editor, start, end);
  RtfOptions options;
  options.path = path;
  options.fontSize = app.settings().rtfFontSize;
  options.lineNumbers = numbers;
  options.caseMode = app.settings().upperCase;
  const WriteResult written = WriteFileSafely(path, RtfDocument(text.text, text.styles, options));
  if (!written.ok) {
    // Nothing is opened: a stale or missing file must not look like the export.
    ask.message(QStringLiteral("Oops!"), QStringLiteral("Could not write ") + path + QStringLiteral("\n") + written.error);
    return;
  }
  if (!OpenWithDesktop(path)) {
    DebugLog(app, QStringLiteral("No application opened ") + path);
    ask.message(QStringLiteral("Oops!"), QStringLiteral("The RTF file was written, but no program opened it:\n") + path);
  }
}

}  // namespace

void RunExport(App& app, int item) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* editor = EditorOfDocument(app, index);
  if (!editor) return;
  const TimedCommand timed(app);
  const int mode = app.settings().upperCase;
  switch (static_cast<Item>(item)) {
    case Item::FormatForForum: {
      WaitCursor wait(true);
      SetClipboardText(ForumCode(StyledLines(*editor, ExportRangeOf(*editor)), mode));
      break;
    }
    case Item::ForumInColour: {
      WaitCursor wait(true);
      SetClipboardText(ForumColourCode(StyledLines(*editor, ExportRangeOf(*editor)), mode));
      break;
    }
    case Item::FormatAsHtml:
      SetClipboardText(PlainHtml(StyledLines(*editor, ExportRangeOf(*editor))));
      break;
    case Item::FormatAsColourHtml:
      SetClipboardText(ColourHtml(StyledLines(*editor, ExportRangeOf(*editor)), mode));
      break;
    case Item::SaveAsRtf:
      SaveAsRtf(app, *editor);
      break;
    default:
      break;
  }
}

}  // namespace vendle
