#include "editor/ui/bookmarks_folds.h"

#include <QStringList>
#include <algorithm>

#include "editor/fold_markers.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/text_access.h"
#include "platform/text_values.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;
constexpr int kBookmarkMask = 1;  // marker 0

void JumpToLine(EditorView& ed, Sci::Pos line) {
  Sci s = ed.sci();
  s.send(S::SCI_GOTOLINE, line);
  s.send(S::SCI_SCROLLCARET);
  ed.setFocus();
}

// Commands from a menu or a key work on the document of the selected tab.
EditorView* SelectedEditor(App& app) {
  MakeSelectedDocumentCurrent(app);
  return CurrentEditor(app);
}

Sci::Pos CaretLine(Sci s) { return s.lineFromPosition(s.currentPos()); }

// The lines as the editor counts them: CR LF, LF and a lone CR each end one.
QStringList EditorLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\n' && text[i] != u'\r') continue;
    lines.append(text.mid(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  lines.append(text.mid(start));
  return lines;
}

// Fold levels exist only where the lexer has run.
void EnsureStyled(EditorView& ed) { ed.sci().send(S::SCI_COLOURISE, 0, -1); }

}  // namespace

void ToggleBookmark(App& app) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  Sci s = ed->sci();
  const Sci::Pos line = CaretLine(s);
  if (s.send(S::SCI_MARKERGET, line) & kBookmarkMask) s.send(S::SCI_MARKERDELETE, line, 0);
  else s.send(S::SCI_MARKERADD, line, 0);
}

void NextBookmark(App& app) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  Sci s = ed->sci();
  Sci::Pos found = s.send(S::SCI_MARKERNEXT, CaretLine(s) + 1, kBookmarkMask);
  if (found < 0) found = s.send(S::SCI_MARKERNEXT, 0, kBookmarkMask);
  if (found >= 0) JumpToLine(*ed, found);
}

void PreviousBookmark(App& app) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  Sci s = ed->sci();
  Sci::Pos found = s.send(S::SCI_MARKERPREVIOUS, CaretLine(s) - 1, kBookmarkMask);
  if (found < 0) found = s.send(S::SCI_MARKERPREVIOUS, s.lineCount(), kBookmarkMask);
  if (found >= 0) JumpToLine(*ed, found);
}

void ClearAllBookmarks(App& app) {
  if (EditorView* ed = SelectedEditor(app)) ed->sci().send(S::SCI_MARKERDELETEALL, 0);
}

void GotoLineCommand(App& app) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  const auto answer = app.requesters().input(QStringLiteral("Goto"), QStringLiteral("Line Number"), QString());
  const qint64 line = answer ? ParseVal(*answer) - 1 : -1;
  if (line >= 0) JumpToLine(*ed, static_cast<Sci::Pos>(line));
  ed->setFocus();
}

void ReturnFromSub(App& app) {
  int& line = app.state().returnLine;
  EditorView* ed = SelectedEditor(app);
  if (line < 0 || !ed) return;
  JumpToLine(*ed, line);
  line = -1;
}

QList<int> BookmarkedLines(EditorView& ed) {
  QList<int> out;
  Sci s = ed.sci();
  for (Sci::Pos line = s.send(S::SCI_MARKERNEXT, 0, kBookmarkMask); line >= 0;
       line = s.send(S::SCI_MARKERNEXT, line + 1, kBookmarkMask))
    out.append(static_cast<int>(line));
  return out;
}

void SetBookmarkMarkers(EditorView& ed, const QList<int>& lines) {
  Sci s = ed.sci();
  s.send(S::SCI_MARKERDELETEALL, 0);
  for (int line : lines)
    if (line >= 0 && line < s.lineCount()) s.send(S::SCI_MARKERADD, line, 0);
}

QList<int> CollapsedHeaders(EditorView& ed) {
  QList<int> out;
  Sci s = ed.sci();
  if (s.send(S::SCI_GETALLLINESVISIBLE)) return out;
  const Sci::Pos count = s.lineCount();
  for (Sci::Pos line = 0; line < count; ++line) {
    const Sci::Pos level = s.send(S::SCI_GETFOLDLEVEL, line);
    if (!(level & S::SC_FOLDLEVELHEADERFLAG)) continue;
    if (line + 1 < count && !s.send(S::SCI_GETLINEVISIBLE, line + 1)) {
      out.append(static_cast<int>(line + 1));
      // Only outermost headers count.
      const Sci::Pos last = s.send(S::SCI_GETLASTCHILD, line, -1);
      if (last > line) line = last;
    }
  }
  return out;
}

QString FoldedSubNamesOf(const QString& text, const QList<int>& foldedLines) {
  QString names = QStringLiteral(" ");
  const QStringList lines = EditorLines(text);
  for (int n : foldedLines) {
    if (n < 1 || n > lines.size()) continue;
    QString line = lines[n - 1];
    line.replace(u'\t', u' ');
    const QString trimmed = line.trimmed();
    if (!IsHeaderKeyword(trimmed.section(u' ', 0, 0))) continue;
    const QString name = SubNameOf(trimmed);
    if (!name.isEmpty() && !names.contains(u' ' + name + u' ')) names += name + u' ';
  }
  return names;
}

QList<int> RecomputeFoldedLinesOf(const QString& text, const QString& foldedSubNames) {
  QList<int> out;
  const QString padded = u' ' + foldedSubNames + u' ';
  const QStringList lines = EditorLines(text);
  for (int i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    line.replace(u'\t', u' ');
    const QString trimmed = line.trimmed();
    const QString word = trimmed.section(u' ', 0, 0);
    if (word.endsWith(u':') || !IsHeaderKeyword(word)) continue;
    const QString name = SubNameOf(trimmed);
    if (!name.isEmpty() && padded.contains(u' ' + name + u' ')) out.append(i + 1);
  }
  return out;
}

void CollectFoldState(App& app, int index) {
  DocumentList& list = app.state().docs.list;
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  list.setCurrent(index);
  DocumentRecord& d = list.at(index);
  d.bookmarks = FormatLineList(BookmarkedLines(*ed));
  const QList<int> folded = CollapsedHeaders(*ed);
  d.foldedLines = FormatLineList(folded);
  d.foldedSubNames = folded.isEmpty() ? QStringLiteral(" ") : FoldedSubNamesOf(GetEditorText(ed), folded);
  SaveDocumentView(app, index);
}

void RememberFoldedSubNames(App& app, int index) {
  DocumentList& list = app.state().docs.list;
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  list.setCurrent(index);
  DocumentRecord& d = list.at(index);
  d.foldedSubNames = QStringLiteral(" ");
  if (d.foldedLines.trimmed().isEmpty()) return;
  ed->sci().send(S::SCI_FOLDALL, S::SC_FOLDACTION_EXPAND);
  d.foldedSubNames = FoldedSubNamesOf(GetEditorText(ed), ParseLineList(d.foldedLines));
}

int RestoreDocumentView(App& app, int index) {
  DocumentList& list = app.state().docs.list;
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return 0;
  list.setCurrent(index);
  const DocumentRecord& d = list.at(index);
  Sci s = ed->sci();
  const QList<int> folded = ParseLineList(d.foldedLines);
  if (!folded.isEmpty()) EnsureStyled(*ed);
  // Expanding styles the whole text first: only when something is folded.
  if (!folded.isEmpty() || !s.send(S::SCI_GETALLLINESVISIBLE)) s.send(S::SCI_FOLDALL, S::SC_FOLDACTION_EXPAND);
  // Folds first: the first visible line is counted in the folded view.
  for (int line1 : folded) s.send(S::SCI_FOLDLINE, line1 - 1, S::SC_FOLDACTION_CONTRACT);
  s.send(S::SCI_GOTOPOS, std::clamp<Sci::Pos>(d.caretPosition, 0, s.length()));
  s.send(S::SCI_SETFIRSTVISIBLELINE, s.send(S::SCI_VISIBLEFROMDOCLINE, d.firstVisibleLine));
  return static_cast<int>(folded.size());
}

void FoldAllCommand(App& app) {
  EditorView* ed = SelectedEditor(app);
  DocumentRecord* d = app.state().docs.list.current();
  if (!d || !ed) return;
  d->foldAllState = 0;
  EnsureStyled(*ed);
  ed->sci().send(S::SCI_FOLDALL, S::SC_FOLDACTION_CONTRACT);
  ed->sci().send(S::SCI_SCROLLCARET);
}

void UnfoldAllCommand(App& app) {
  EditorView* ed = SelectedEditor(app);
  DocumentRecord* d = app.state().docs.list.current();
  if (!d || !ed) return;
  d->foldAllState = 1 - d->foldAllState;
  EnsureStyled(*ed);
  ed->sci().send(S::SCI_FOLDALL, d->foldAllState ? S::SC_FOLDACTION_EXPAND : S::SC_FOLDACTION_CONTRACT);
  ed->sci().send(S::SCI_SCROLLCARET);
  if (d->foldAllState == 1) d->foldedLines.clear();
}

void RecomputeFoldedLines(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  DocumentRecord& d = app.state().docs.list.at(index);
  d.foldedLines = FormatLineList(RecomputeFoldedLinesOf(GetEditorText(ed), d.foldedSubNames));
  SaveDocumentView(app, index);
  RestoreDocumentView(app, index);
}

}  // namespace vendle
