#include "tools/ui/line_labels_command.h"
#include "tools/ui/source_tools.h"

#include <QElapsedTimer>

#include "documents/ui/document_commands.h"
#include "editor/ascii_convert.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "shell/ui/services.h"
#include "editor/ui/syntax_commands.h"
#include "shell/ui/app.h"
#include "tools/formatter.h"
#include "tools/ui/attiny_commands.h"
#include "tools/ui/cleanup_commands.h"
#include "tools/ui/merge_crunch_commands.h"
#include "tools/ui/rewrite_view.h"
#include "tools/ui/tool_commands.h"
#include "tools/variable_report.h"
#include "editor/ui/editor_view.h"

namespace vendle {

using S = QsciScintillaBase;

void RunSourceTool(App& app, int item) {
  switch (static_cast<Item>(item)) {
    case Item::FormatIndentation: FormatIndentation(app); break;
    case Item::VariableReport: ShowVariableReport(app); break;
    case Item::RemoveLineNumbers: RemoveLineNumbers(app); break;
    case Item::Merge: MergeIncludes(app); break;
    case Item::Crunch: CrunchDocument(app); break;
    case Item::UnCrunch: UnCrunchDocument(app); break;
    case Item::RemoveIndents: RemoveIndents(app); break;
    case Item::RemoveBlankLines: RemoveBlankLines(app); break;
    case Item::RemoveComments: RemoveComments(app); break;
    case Item::ConvertCComments: ConvertCStyleComments(app); break;
    case Item::WrapComments: WrapComments(app); break;
    case Item::RemoveNonAscii: RemoveNonAsciiCharacters(app); break;
    default: break;
  }
}

void FormatIndentation(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  const Settings& st = app.settings();
  if (app.state().docs.list.at(index).syntax == u"ATTiny") {
    ToggleAtTinyNumbering(app);
    return;
  }
  FormatOptions options;
  options.indentLabels = st.indentLabels;
  options.indentComments = st.indentComments;
  options.tabSize = st.tabSize;
  options.useSpaces = st.useSpacesForTabs != 0;
  options.lineEnd = EditorLineEnd(ed);  // the document keeps its kind

  const WaitCursor wait;
  const TimedCommand timed(app);
  Sci s = ed->sci();
  const KeptView view(*ed);

  QString text = GetEditorText(ed);
  if (st.removeSmartQuotes == 1) text = ConvertToAscii(text);
  const QString formatted = FormatIndentationText(text, options);
  {
    // The rewrite and the case normalising undo as one step.
    ProgrammaticEdit quiet(*ed);
    UndoStep step(s);
    SetEditorText(ed, formatted, false);
    NormaliseIdentifierCase(app);
  }
  if (st.highlightUserVars == 1) ApplyDeclaredNames(app, formatted);
  view.restore(view.caretLine());
  UpdateFileStatus(app, ed->control());
}

void ShowVariableReport(App& app) {
  QElapsedTimer clock;
  clock.start();
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  const WaitCursor wait;
  ReportOptions options;
  options.wordCharacters = app.settings().validWordCharacters;
  options.keywords = DocumentKeywords(app, index);
  options.elapsedMs = [&clock] { return clock.elapsed(); };
  ShowInfoText(app, VariableReportText(GetEditorText(ed), options));
}

}  // namespace vendle
