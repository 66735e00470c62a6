// Opening, saving and reverting documents, the recent files and the
// documents open at the last exit. Program files are Windows-1252 bytes on
// disk, read and written whole; a failed write never touches the old file.
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <algorithm>

#include "documents/document_list.h"
#include "documents/program_file.h"
#include "documents/recent_entry.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editor/ascii_convert.h"
#include "editor/declarations.h"
#include "editor/fold_markers.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/syntax_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/view_options.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "shell/ui/app.h"
#include "shell/ui/info_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/main_window_commands.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

const QString kOpenPatterns =
    QStringLiteral("Basic (*.bas *.inc)|*.bas;*.inc|Text (*.txt)|*.txt|All files (*.*)|*.*");
const QString kSavePatterns = QStringLiteral("Basic (*.bas)|*.bas|Text (*.txt)|*.txt|All files (*.*)|*.*");

DocumentList& List(App& app) { return app.state().docs.list; }

int PatternIndex(App& app) { return app.settings().fileSelector ? 2 : 0; }

// The document's text as read or created, with an empty undo history: no
// change of the user's, so none is marked.
void PutEditorText(EditorView& ed, const QString& text) {
  {
    ChangeMarksPaused paused(ed);
    SetEditorText(&ed, text, true);
  }
  ClearChangeMarks(ed);
}

struct ReadText {
  bool exists = false;
  bool ok = false;
  QString text;
  QString error;
};

ReadText ReadProgram(const QString& path) {
  ReadText r;
  // A FIFO, device or folder is refused with its reason, never taken for a
  // new empty document that a save would turn into a file.
  const ReadResult f = ReadWholeFile(path);
  r.exists = f.exists;
  if (!r.exists) return r;
  r.ok = f.ok;
  r.error = f.error;
  if (f.ok) r.text = DecodeAnsi(f.bytes);  // whole: NUL bytes are kept
  return r;
}

bool ExistsWithContent(const QString& path) {
  const QFileInfo fi(path);
  return fi.isFile() && fi.size() > 0;
}

bool AskOverwrite(App& app) {
  return app.requesters().ask(QStringLiteral("File exists"), QStringLiteral("Do you wish to overwrite it?"),
                              Buttons::YesNo) == Answer::Yes;
}

// Names the characters 1252 cannot store and asks whether to go on.
bool AcceptUnstorable(App& app, const QString& bad) {
  if (bad.isEmpty()) return true;
  return app.requesters().ask(QStringLiteral("Warning!"),
                              "These characters cannot be stored in the file and will be written as ?:\n" + bad +
                                  "\nSave anyway?",
                              Buttons::YesNo) == Answer::Yes;
}

bool ReportWriteFailure(App& app, const QString& path, const QString& why) {
  app.requesters().message(QStringLiteral("Oops!"), "The file could not be saved:\n" + path + "\n" + why);
  return false;
}

// Writes a program text in the ANSI code page; false (with a message) when not written.
bool WriteProgram(App& app, const QString& path, const QString& text) {
  QString bad;
  const QByteArray bytes = EncodeAnsi(text, &bad);
  if (!AcceptUnstorable(app, bad)) return false;
  const WriteResult w = WriteFileSafely(path, bytes);
  if (!w.ok) return ReportWriteFailure(app, path, w.error);
  // A file the user saved to is never deleted as a temporary copy.
  app.state().tempFiles.removeAll(path);
  return true;
}

QString WithBasExtension(const QString& path) {
  return FileNamePart(path).contains(u'.') ? path : path + QStringLiteral(".bas");
}

// The text of the file as it is written: with the in-text markers when
// "Save folding in BAS file" is on. The editor itself never gets them.
QString FileTextOf(App& app, int index, EditorView& ed, bool markers) {
  CollectFoldState(app, index);
  const QString text = GetEditorText(&ed);
  if (!markers || !app.settings().saveFoldingInBasFile) return text;
  const DocumentRecord& d = List(app).at(index);
  return AddMarkers(text, ParseLineList(d.bookmarks), ParseLineList(d.foldedLines));
}

void AddRecentOf(App& app, const DocumentRecord& d) {
  if (!d.untitled() && PathFitsEntry(d.path)) AddRecentFile(app, RecentEntryOf(d));
}

void MarkSaved(EditorView& ed, bool emptyUndo) {
  Sci s = ed.sci();
  if (emptyUndo) {
    s.send(S::SCI_SETUNDOCOLLECTION, 1);
    s.send(S::SCI_EMPTYUNDOBUFFER);
  }
  s.send(S::SCI_SETSAVEPOINT);
  ClearChangeMarks(ed);
}

// Where a document of `index` gets its text: strips the in-text markers
// first, so the editor never holds them and no undo step is made.
struct Loaded {
  QString text;
  StrippedText markers;
};

Loaded PrepareText(const QString& fileText) {
  Loaded l;
  l.markers = StripMarkers(fileText);
  l.text = l.markers.text;
  return l;
}

// The loading steps shared by every open: syntax, user names, folds and view.
void FinishLoading(App& app, int index, const Loaded& loaded, const QString& fallbackSyntax) {
  DocumentList& list = List(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed || !list.valid(index)) return;
  list.setCurrent(index);
  DocumentRecord& d = list.at(index);
  QString syntax = ParseTargetComment(FirstLine(loaded.text));
  if (syntax.isEmpty()) syntax = fallbackSyntax;
  if (syntax.isEmpty()) syntax = app.settings().defaultSyntax;
  d.syntax = syntax;
  d.userSubNames = loaded.markers.names;
  d.userVariableNames = DeclaredVariablesText(loaded.text);
  if (app.settings().saveFoldingInBasFile) {
    if (!loaded.markers.bookmarks.isEmpty()) d.bookmarks = FormatLineList(loaded.markers.bookmarks);
    if (!loaded.markers.foldedLines.isEmpty()) d.foldedLines = FormatLineList(loaded.markers.foldedLines);
  }
  SetBookmarkMarkers(*ed, ParseLineList(d.bookmarks));
  // The syntax goes first: folds are contracted on the levels it gives.
  ApplySyntax(app, FindSyntaxIndexFor(app, d.syntax), d.userSubNames, d.userVariableNames, false);
  SetEditorTabs(app, *ed);
  RememberFoldedSubNames(app, index);
  RestoreDocumentView(app, index);
  Sci s = ed->sci();
  s.send(S::SCI_EMPTYUNDOBUFFER);
  s.send(S::SCI_SETSAVEPOINT);
  ClearChangeMarks(*ed);
  d.modified = 0;
  d.fileKnown = true;
  UpdateFileStatus(app, d.editor);
}

// An unused first tab gives its place to the next opened file.
bool FirstTabIsUnused(App& app) {
  if (app.tabStrip().selected() != 0) return false;
  EditorView* ed = EditorOfDocument(app, 0);
  if (!ed) return false;
  return ed->sci().length() < 3 || GetEditorText(ed) == app.settings().newFileText;
}

void TakeEntryFields(DocumentRecord& d, const RecentFileEntry& e) {
  d.caretPosition = e.caret;
  d.firstVisibleLine = e.firstVisibleLine;
  d.foldedLines = e.foldedLines;
  d.bookmarks = e.bookmarks.trimmed();
}

}  // namespace

// ---------------------------------------------------------------- opening

void OpenDocument(App& app, const QString& requested, bool fromStore) {
  QString path = requested;
  if (path.isEmpty()) {
    const QString start = fromStore && !app.settings().storeFolder.isEmpty()
                              ? EnsureTrailingSeparator(app.settings().storeFolder)
                              : app.folders().file;
    const auto answer = app.requesters().openFile({QStringLiteral("Open"), start, kOpenPatterns, PatternIndex(app)});
    if (!answer || answer->isEmpty()) return;
    path = *answer;
  }
  MarkTime(app, 0);
  const ReadText r = ReadProgram(path);
  if (r.exists && !r.ok) {
    app.requesters().message(QStringLiteral("Oops!"), "The file could not be read:\n" + path + "\n" + r.error);
    return;
  }
  const Loaded loaded = PrepareText(r.exists ? TrimTrailingBlankLines(r.text) : QString());
  app.folders().file = FolderPart(path);
  const bool replace = FirstTabIsUnused(app);
  if (!replace) SaveDocumentView(app, app.tabStrip().selected());
  const int index = CreateDocumentTab(app, path);
  if (index < 0) return;
  if (EditorView* ed = EditorOfDocument(app, index)) PutEditorText(*ed, loaded.text);
  FinishLoading(app, index, loaded, QString());
  List(app).at(index).fileKnown = r.exists;
  List(app).at(index).lastSaveTime = RunningSeconds();
  if (replace) {
    CloseDocumentTab(app, 0);
  }
  MarkTime(app, 1);
}

void OpenWithRequester(App& app, bool fromStore) { OpenDocument(app, QString(), fromStore); }

void OpenRecent(App& app, int index) {
  const QStringList& recent = app.settings().recentFiles;
  if (index < 0 || index >= recent.size()) return;
  const RecentFileEntry entry = RecentFileEntry::Parse(recent[index]);
  if (entry.path.isEmpty()) return;
  const ReadText r = ReadProgram(entry.path);
  if (!r.ok) return;
  const Loaded loaded = PrepareText(TrimTrailingBlankLines(r.text));
  app.folders().file = FolderPart(entry.path);
  const bool replace = FirstTabIsUnused(app);
  if (!replace) {
    const int selected = app.tabStrip().selected();
    SaveDocumentView(app, selected);
    DeactivateDocumentEditor(app, selected);
  }
  const int created = CreateDocumentTab(app, entry.path);
  if (created < 0) return;
  if (EditorView* ed = EditorOfDocument(app, created)) PutEditorText(*ed, loaded.text);
  TakeEntryFields(List(app).at(created), entry);
  FinishLoading(app, created, loaded, entry.syntax);
  List(app).at(created).lastSaveTime = RunningSeconds();
  if (replace) {
    // The unused tab goes without a recent entry; the new document stays shown.
    RemoveDocumentTab(app, 0);
    const int shown = created - 1;
    List(app).setCurrent(shown);
    ActivateDocumentTab(app, shown);
  }
}

void OpenDocumentList(App& app, const QString& lfList) {
  const QStringList lines = lfList.split(u'\n');
  // An empty list (no documents at the last exit) opens nothing.
  if (std::all_of(lines.begin(), lines.end(), [](const QString& l) { return l.trimmed().isEmpty(); })) return;
  bool first = true;
  int opened = 0;
  int number = 0;
  MarkTime(app, 0);
  for (const QString& raw : lines) {
    const QString line = raw;
    if (line.trimmed().isEmpty()) continue;
    ++number;
    // A whole line naming an existing file is that path, "|" and all.
    const bool wholeLineIsFile = QFileInfo(line).isFile();
    const RecentFileEntry entry = wholeLineIsFile ? RecentFileEntry{line} : RecentFileEntry::Parse(line);
    if (first) {
      first = false;
      DebugLog(app, QStringLiteral("multiplefiles"));
      if (QWidget* w = app.mainWidget(); w && (w->isMinimized() || w->isMaximized())) w->showNormal();
    }
    DebugLog(app, QString::number(number) + " " + entry.path);
    if (entry.path.isEmpty()) continue;
    const ReadText r = ReadProgram(entry.path);
    if (!r.ok) continue;
    const Loaded loaded = PrepareText(TrimTrailingBlankLines(r.text));
    const int selected = app.tabStrip().selected();
    SaveDocumentView(app, selected);
    DeactivateDocumentEditor(app, selected);
    const int index = CreateDocumentTab(app, entry.path);
    if (index < 0) {
      app.requesters().message(QStringLiteral("Oops!"), QStringLiteral("Too many tabs open."));
      break;
    }
    ++opened;
    if (EditorView* ed = EditorOfDocument(app, index)) PutEditorText(*ed, loaded.text);
    TakeEntryFields(List(app).at(index), entry);
    QString fallback = entry.syntax;
    if (ParseTargetComment(FirstLine(loaded.text)).isEmpty() && app.settings().removeOldTknFiles &&
        fallback.toLower().startsWith(QStringLiteral("armite")))
      fallback.replace(QStringLiteral("armite"), QStringLiteral("ARMmite"), Qt::CaseInsensitive);
    FinishLoading(app, index, loaded, fallback);
  }
  if (opened == 0 && app.state().docs.list.size() == 0) NewDocument(app);
  MarkTime(app, 1);
}

void OpenPreviousFiles(App& app) { OpenDocumentList(app, app.settings().openFilesString); }

int NewDocument(App& app) {
  const int index = CreateDocumentTab(app, app.folders().file + kUntitledName);
  if (index < 0) return -1;
  if (EditorView* ed = EditorOfDocument(app, index)) {
    PutEditorText(*ed, app.settings().newFileText);
    SetEditorTabs(app, *ed);
  }
  List(app).at(index).syntax = app.settings().defaultSyntax;
  return index;
}

void CloneDocument(App& app) {
  const int source = MakeSelectedDocumentCurrent(app);
  EditorView* from = EditorOfDocument(app, source);
  if (!from) return;
  const DocumentRecord original = List(app).at(source);
  const QString text = GetEditorText(from);
  SaveDocumentView(app, source);
  DeactivateDocumentEditor(app, source);
  const int index = CreateDocumentTab(app, InsertBeforeExtension(original.path, QStringLiteral("_Copy")));
  if (index < 0) {
    ActivateDocumentTab(app, source);
    return;
  }
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  PutEditorText(*ed, text);
  DocumentRecord& d = List(app).at(index);
  d.syntax = original.syntax;
  d.foldedLines = original.foldedLines;
  d.caretPosition = original.caretPosition;
  d.firstVisibleLine = original.firstVisibleLine;
  const StrippedText names = StripMarkers(text);
  d.userSubNames = names.names;
  d.userVariableNames = DeclaredVariablesText(text);
  ApplySyntax(app, FindSyntaxIndexFor(app, d.syntax), d.userSubNames, d.userVariableNames, false);
  RememberFoldedSubNames(app, index);
  RestoreDocumentView(app, index);
  // A clone is a new file: its first save asks before replacing one there.
  d.fileKnown = false;
}

// ----------------------------------------------------------------- saving

namespace {

// Writes the document at `index` to `path` and, when that worked, makes
// `path` its file: name and tab, save point, recent list, status.
bool WriteDocument(App& app, int index, EditorView& ed, const QString& path, bool markers, bool emptyUndo) {
  const QString text = FileTextOf(app, index, ed, markers);
  if (!WriteProgram(app, path, app.settings().removeSmartQuotes ? ConvertToAscii(text) : text)) return false;
  DocumentRecord& d = List(app).at(index);
  d.path = path;
  d.name = FileNamePart(path);
  SetStatusField(app, 3, d.path);
  app.tabStrip().select(index);
  app.tabStrip().setText(index, d.name);
  MarkSaved(ed, emptyUndo);
  d.lastSaveTime = RunningSeconds();
  d.modified = 0;
  d.fileKnown = true;
  AddRecentOf(app, d);
  UpdateFileStatus(app, d.editor);
  return true;
}

}  // namespace

SaveResult SaveDocument(App& app, bool reset, bool markers, SaveFrom from) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return SaveResult::NotSaved;
  if (ed->sci().length() <= 2) return SaveResult::NothingToSave;
  DocumentRecord& d = List(app).at(index);
  const QString oldPath = d.path, oldName = d.name;
  QString path = d.path;
  if (d.untitled()) {
    const auto answer = app.requesters().saveFile(
        {QStringLiteral("Save"), app.folders().file, kSavePatterns, PatternIndex(app)});
    if (!answer || answer->isEmpty()) {
      if (from != SaveFrom::Menu) return SaveResult::NotSaved;
      path = app.folders().file + kUntitledName;
    } else {
      path = WithBasExtension(*answer);
    }
    if (ExistsWithContent(path) && !AskOverwrite(app)) return SaveResult::NotSaved;
    d.path = path;
    d.name = FileNamePart(path);
  } else if (!d.fileKnown && ExistsWithContent(path) && !AskOverwrite(app)) {
    return SaveResult::NotSaved;
  }
  if (!WriteDocument(app, index, *ed, d.path, markers, reset)) {
    d.path = oldPath;
    d.name = oldName;
    return SaveResult::NotSaved;
  }
  return SaveResult::Saved;
}

SaveResult SaveCurrentDocument(App& app) { return SaveDocument(app, true, true, SaveFrom::Menu); }

void SaveDocumentAs(App& app, bool inStore) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  DocumentRecord& d = List(app).at(index);
  const QString store = EnsureTrailingSeparator(app.settings().storeFolder);
  QString initial;
  if (inStore) initial = d.untitled() ? store : store + d.name;
  else initial = d.untitled() ? app.folders().file : d.path;
  const auto answer = app.requesters().saveFile({QStringLiteral("Save"), initial, kSavePatterns, PatternIndex(app)});
  if (!answer || answer->isEmpty()) return;
  const QString path = WithBasExtension(*answer);
  if (QFileInfo(path).isFile() && !AskOverwrite(app)) return;
  if (!WriteDocument(app, index, *ed, path, true, true)) return;
  app.folders().file = FolderPart(path);
  app.requesters().message(QStringLiteral("File saved"), path);
}

void SaveAllDocuments(App& app) {
  DocumentList& list = List(app);
  for (int i = list.size() - 1; i >= 0; --i) {
    if (i != app.state().docs.currentTabIndex) SwitchDocumentTab(app, i, app.state().docs.currentTabIndex);
    app.tabStrip().select(i);
    EditorView* ed = EditorOfDocument(app, i);
    if (!ed || !ed->sci().modified()) continue;
    const Answer a = app.requesters().ask(QStringLiteral("File changed"),
                                          "Do you want to save changes\n" + list.at(i).name + "?", Buttons::YesNoCancel);
    if (a == Answer::Cancel) return;
    if (a == Answer::Yes && SaveDocument(app, true, true) == SaveResult::NotSaved) return;
  }
}

void RevertToSaved(App& app) {
  if (app.requesters().ask(QStringLiteral("Warning!"), QStringLiteral("Any changes will be lost!\nDo you wish to continue?"),
                           Buttons::YesNo) != Answer::Yes)
    return;
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  DocumentRecord& d = List(app).at(index);
  if (d.path.isEmpty() || d.untitled()) return;
  const ReadText r = ReadProgram(d.path);
  if (!r.ok) return;
  const Loaded loaded = PrepareText(r.text);
  if (ed->sci().send(S::SCI_GETREADONLY)) return;
  SaveDocumentView(app, index);
  PutEditorText(*ed, loaded.text);
  d.userSubNames = loaded.markers.names;
  d.userVariableNames = DeclaredVariablesText(loaded.text);
  ApplySyntax(app, FindSyntaxIndexFor(app, d.syntax), d.userSubNames, d.userVariableNames, false);
  RememberFoldedSubNames(app, index);
  RestoreDocumentView(app, index);
  ed->sci().send(S::SCI_SETSAVEPOINT);
  d.modified = 0;
  UpdateFileStatus(app, d.editor);
}

void SaveSnapshot(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed || ed->sci().length() <= 2) return;
  const DocumentRecord& d = List(app).at(index);
  if (d.path.isEmpty()) return;
  const QString path = SnapshotPath(d.path, QDateTime::currentDateTime());
  QString bad;
  const QByteArray bytes = EncodeAnsi(GetEditorText(ed), &bad);
  if (!AcceptUnstorable(app, bad)) return;
  const WriteResult w = WriteFileSafely(path, bytes);
  if (!w.ok) ReportWriteFailure(app, path, w.error);
}

void SaveSelectionAs(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  Sci s = ed->sci();
  const Sci::Pos a = s.send(S::SCI_GETSELECTIONSTART), b = s.send(S::SCI_GETSELECTIONEND);
  if (a == b) {
    app.requesters().message(QStringLiteral("No selection"), QStringLiteral("No text selected!\nSave aborted."));
    return;
  }
  const auto answer = app.requesters().saveFile({QStringLiteral("Save"), app.folders().file, kSavePatterns, 0});
  if (!answer || answer->isEmpty()) return;
  const QString path = WithBasExtension(*answer);
  if (ExistsWithContent(path) && !AskOverwrite(app)) return;
  // The selection alone is written as UTF-8.
  const WriteResult w = WriteFileSafely(path, s.range(a, b));
  if (!w.ok) ReportWriteFailure(app, path, w.error);
}

void SaveNewFileIntro(App& app) {
  if (app.requesters().ask(QStringLiteral("Intro Text"), QStringLiteral("Save current code as\nnew file Intro text?"),
                           Buttons::YesNo) != Answer::Yes)
    return;
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  QString text = GetEditorText(ed);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  app.settings().newFileText = text;
  // A named document keeps its unsaved state: no file was written.
  if (List(app).at(index).untitled()) MarkSaved(*ed, true);
}

// --------------------------------------------------- the open-files list

void RecordOpenFiles(App& app) {
  QString open;
  DocumentList& list = List(app);
  const int shown = app.state().docs.currentTabIndex;
  for (int i = 0; i < list.size(); ++i) {
    DocumentRecord& d = list.at(i);
    if (d.untitled() || !PathFitsEntry(d.path)) continue;
    EditorView* ed = EditorOfDocument(app, i);
    if (!ed) continue;
    const bool wasModified = ed->sci().modified();
    // A parked editor keeps the caret and first line of its last activation.
    CollectFoldState(app, i);
    if (!wasModified) MarkSaved(*ed, true);
    const QString entry = RecentEntryOf(d);
    open += entry + u'\n';
    AddRecentFile(app, entry);
  }
  list.setCurrent(shown);
  app.settings().openFilesString = open;
  app.settings().fileCount = static_cast<int>(open.count(u'\n'));
}

// ------------------------------------------------------- the control link

void PasteIntoNewDocument(App& app) {
  const int index = CreateDocumentTab(app, app.folders().file + kUntitledName);
  if (index < 0) return;
  const QString text = QApplication::clipboard()->text();
  MakeSelectedDocumentCurrent(app);
  EditorView* ed = CurrentEditor(app);
  if (!ed) return;
  PutEditorText(*ed, text);
  SetEditorTabs(app, *ed);
  DocumentRecord& d = List(app).at(index);
  d.syntax = app.settings().defaultSyntax;
  ApplySyntax(app, FindSyntaxIndexFor(app, d.syntax), QString(), QString(), false);
  if (QWidget* w = app.mainWidget(); w && w->isMinimized()) w->showNormal();
}

}  // namespace vendle
