// Include merge, crunch and uncrunch on the running editor.
#include "tools/ui/merge_crunch_commands.h"

#include <QFileInfo>

#include "documents/program_file.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/syntax_commands.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "shell/ui/app.h"
#include "tools/crunch.h"
#include "tools/include_merge.h"
#include "tools/result_path.h"
#include "tools/ui/result_tab.h"
#include "shell/ui/services.h"
#include "tools/ui/rewrite_view.h"

namespace vendle {
namespace {

struct Source {
  EditorView* editor = nullptr;
  QString path;
  QString syntax;
};

// The selected document, made current; no editor when there is none.
Source SelectedSource(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  Source s;
  s.editor = EditorOfDocument(app, index);
  if (!s.editor) return s;
  const DocumentRecord& doc = app.state().docs.list.at(index);
  s.path = doc.path;
  s.syntax = doc.syntax;
  return s;
}

// The result takes the source document's line ends.
CrunchOptions CrunchOptionsOf(const Settings& st, EditorView* source) {
  CrunchOptions o;
  o.preserveFirstLine = st.preserveFirstLine == 1;
  o.lineEnd = EditorLineEnd(source);
  o.tabSize = st.tabSize;
  o.useSpaces = st.useSpacesForTabs != 0;
  return o;
}

// The crunch and uncrunch result takes the source's syntax and the names
// its own text declares (a scan that keeps the result's undo history).
void FinishTransformedTab(App& app, int index, const QString& syntax, const QString& text) {
  DocumentRecord& doc = app.state().docs.list.at(index);
  doc.syntax = syntax;
  ApplyDeclaredNames(app, text);
  UpdateFileStatus(app, doc.editor);
}

}  // namespace

void MergeIncludes(App& app) {
  const Source source = SelectedSource(app);
  if (!source.editor) return;
  const QString path = ResultPath(source.path, QStringLiteral("_Merged"));
  // Names are looked up from the result's folder, the source's.
  const QString folder = FolderPart(path);
  MergeResult merged;
  {
    const WaitCursor wait;
    merged = MergeIncludeFiles(GetEditorText(source.editor), [&](const QString& name) -> std::optional<IncludedFile> {
      const QString file = FindIncludeFile(folder, name);
      if (file.isEmpty()) return std::nullopt;
      const ReadResult read = ReadWholeFile(file);
      if (!read.ok) return IncludedFile{file, {}, read.error.isEmpty() ? QStringLiteral("It cannot be read.") : read.error};
      return IncludedFile{QFileInfo(file).canonicalFilePath(), DecodeProgramFile(read.bytes).text, {}};
    });
  }
  if (!merged.stopped.isEmpty()) {
    app.requesters().message(QStringLiteral("Oops!"), merged.stopped);
    return;
  }
  {
    // Putting a large result in its tab takes a while too.
    const WaitCursor wait;
    if (OpenResultTab(app, path, merged.text, EditorLineEnd(source.editor)) < 0) return;
  }
  if (!merged.problems.isEmpty()) app.requesters().message(QStringLiteral("Oops!"), MergeProblemsText(merged.problems));
  const MergeReport report = MergeReportOf(merged.files);
  app.requesters().message(report.title, report.text);
}

void CrunchDocument(App& app) {
  const Source source = SelectedSource(app);
  if (!source.editor) return;
  const TimedCommand timed(app);
  const QString path = ResultPath(source.path, QStringLiteral("_c"));
  const QString list = CrossReferencePath(path);
  WriteResult written;
  {
    const WaitCursor wait;
    const CrunchResult crunched =
        CrunchProgram(GetEditorText(source.editor), CrunchOptionsOf(app.settings(), source.editor));
    // The tab first: with "Too many tabs open." no file is touched.
    const int index = OpenResultTab(app, path, crunched.text, EditorLineEnd(source.editor));
    if (index < 0) return;
    written = WriteFileSafely(list, CrossReferenceBytes(crunched.crossReference));
    FinishTransformedTab(app, index, source.syntax, crunched.text);
  }
  // The crunched tab stands; the user relies on the list to find the source
  // lines again, so a list not written is said.
  if (!written.ok)
    app.requesters().message(QStringLiteral("Oops!"),
                             "The cross-reference file could not be written:\n" + list + "\n" + written.error);
}

void UnCrunchDocument(App& app) {
  const Source source = SelectedSource(app);
  if (!source.editor) return;
  const WaitCursor wait;
  const TimedCommand timed(app);
  const QString text = UnCrunchProgram(GetEditorText(source.editor), CrunchOptionsOf(app.settings(), source.editor));
  const int index =
      OpenResultTab(app, ResultPath(source.path, QStringLiteral("_uc")), text, EditorLineEnd(source.editor));
  if (index < 0) return;
  FinishTransformedTab(app, index, source.syntax, text);
}

}  // namespace vendle
