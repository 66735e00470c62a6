#include "tools/ui/layout_commands.h"

#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "editor/ui/find_commands.h"
#include "platform/ansi.h"
#include "platform/file_io.h"
#include "platform/text_lines.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"
#include "tools/layout_design.h"
#include "tools/ui/result_tab.h"
#include "tools/ui/source_tools.h"
#include "editor/ui/editor_view.h"

#include <optional>

namespace vendle {
namespace {

using S = QsciScintillaBase;

// Far beyond a template of a few dozen lines: a larger one would put its
// megabytes into the editor.
constexpr qint64 kLargestDesignerFile = qint64(1) << 20;

// A designer file of the data folder as lines; a missing one has none. One
// that is there but not read (a FIFO, a device, too large) is said, and
// gives nothing: the command does not go on without it.
std::optional<QStringList> DataFileLines(App& app, const char* name) {
  const QString path = app.folders().data + QLatin1String(name);
  const ReadResult r = ReadWholeFile(path, kLargestDesignerFile);
  QStringList lines;
  if (!r.ok) {
    if (!r.exists) return lines;
    app.requesters().message(QStringLiteral("Oops!"), "The designer file could not be read:\n" + path + "\n" + r.error);
    return std::nullopt;
  }
  const QString text = DecodeAnsi(r.bytes);
  for (const QStringView line : LineTexts(text)) lines.append(line.toString());
  return lines;
}

// The editor of the selected tab's document, made current.
EditorView* SelectedEditor(App& app) { return EditorOfDocument(app, MakeSelectedDocumentCurrent(app)); }

// Line `line` (0-based) in view with the caret on it, and the focus.
void GoToLine(App& app, EditorView* ed, Sci::Pos line) {
  const Sci s = ed->sci();
  s.send(S::SCI_GOTOLINE, line);
  s.send(S::SCI_SCROLLCARET);
  FocusCurrentEditor(app);
}

void Select(const Sci& s, Sci::Pos from, Sci::Pos to) { s.send(S::SCI_SETSEL, from, to); }

void Rewrite(EditorView* ed, const QList<LineRewrite>& rewrites) {
  for (const LineRewrite& r : rewrites) ReplaceLineText(ed, r.line, r.text, true);
}

}  // namespace

void NewLayoutDesign(App& app) {
  const std::optional<QStringList> lines = DataFileLines(app, "newdesign.txt");
  if (!lines) return;
  const NewDesign design = NewDesignText(*lines);
  // A new document: the line ends of the settings.
  const QString lineEnd = app.settings().lineEndingsMode == 1 ? QStringLiteral("\n") : QStringLiteral("\r\n");
  const int index = OpenResultTab(app, app.folders().file + QLatin1String(kUntitledName), design.text, lineEnd);
  if (index < 0) return;
  GoToLine(app, EditorOfDocument(app, index), design.caretLine);
  ShowSyntaxHint(app, QString(), true);
}

void IncorporateLayoutCode(App& app) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  const std::optional<QStringList> loop = DataFileLines(app, "designloop.txt");
  if (!loop) return;
  const IncorporatePlan plan =
      PlanIncorporate(GetEditorText(ed), JoinWithCrLf(*loop), app.settings().guiDesignWords);
  const Sci s = ed->sci();
  {
    // One Undo takes back the references, the block and the formatting.
    UndoStep step(s);
    {
      ProgrammaticEdit quiet(*ed);
      Rewrite(ed, plan.rewrites);
      if (plan.loopControlLine >= 0)
        Select(s, s.positionFromLine(plan.loopControlLine), s.lineEndPosition(plan.loopControlLine));
      else
        Select(s, s.length(), s.length());
      ReplaceSelection(ed, WithLineEnds(plan.block, EditorLineEnd(ed)));
    }
    FormatIndentation(app);
  }
  GoToLine(app, ed, 22);
  UpdateFileStatus(app, ed->control());
}

void RefreshLayoutCode(App& app) {
  EditorView* ed = SelectedEditor(app);
  if (!ed) return;
  const RefreshPlan plan = PlanRefresh(GetEditorText(ed), app.settings().guiDesignWords);
  if (!plan.refusal.isEmpty()) {
    SetStatusField(app, StatusField::Path, plan.refusal);
    return;
  }
  const Sci s = ed->sci();
  if (plan.rewrites.isEmpty() && plan.newRows == 0) {
    SetStatusField(app, StatusField::Path, QStringLiteral("Refresh layout code: no new element lines."));
  } else {
    ProgrammaticEdit quiet(*ed);
    UndoStep step(s);
    Rewrite(ed, plan.rewrites);
    if (plan.newRows > 0) {
      Select(s, s.positionFromLine(plan.terminatorLine), s.positionFromLine(plan.terminatorLine + 1));
      ReplaceSelection(ed, WithLineEnds(plan.block, EditorLineEnd(ed)));
    }
  }
  GoToLine(app, ed, 22);
  UpdateFileStatus(app, ed->control());
}

void ReplaceLayoutVariables(App& app) {
  EditorView* source = SelectedEditor(app);
  if (!source) return;
  const QString text = GetEditorText(source);
  const FlattenPlan plan = PlanFlatten(text);
  const int index =
      OpenResultTab(app, app.folders().file + QStringLiteral("gui_design.bas"), text, EditorLineEnd(source));
  if (index < 0) return;  // nothing to do on the source
  EditorView* ed = EditorOfDocument(app, index);
  const Sci s = ed->sci();
  Select(s, s.positionFromLine(plan.region.first), s.positionFromLine(plan.region.end));
  const QString flattened = WithLineEnds(plan.text, EditorLineEnd(ed));
  if (GetSelectedText(ed) != flattened) {
    ProgrammaticEdit quiet(*ed);
    ReplaceSelection(ed, flattened);
  }
  UpdateFileStatus(app, ed->control());
}

void ExtractUserCode(App& app) {
  EditorView* source = SelectedEditor(app);
  if (!source) return;
  const ExtractPlan plan = PlanExtract(GetEditorText(source));
  const Sci s = source->sci();
  Select(s, s.positionFromLine(plan.span.first), s.positionFromLine(plan.span.end));
  OpenResultTab(app, app.folders().file + QLatin1String(kUntitledName), plan.text, EditorLineEnd(source));
}

}  // namespace vendle
