// Opening, saving and reverting documents, the recent files and the
// documents open at the last exit. Program files are Windows-1252 bytes on
// disk, read and written whole; a failed write never touches the old file.
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "documents/document_list.h"
#include "documents/program_file.h"
#include "documents/recent_entry.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editor/declarations.h"
#include "editor/fold_markers.h"
#include "editor/program_scan.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/syntax_commands.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/view_options.h"
#include "platform/clock.h"
#include "platform/text_lines.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "shell/ui/app.h"
#include "shell/ui/main_window_commands.h"
#include "shell/ui/services.h"

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
void PutEditorText(EditorView& ed, const QByteArray& utf8) {
  {
    ChangeMarksPaused paused(ed);
    SetEditorBytes(&ed, utf8, true);
  }
  ClearChangeMarks(ed);
}

void PutEditorText(EditorView& ed, const QString& text) { PutEditorText(ed, ToUtf8Buffer(text)); }

struct ReadText {
  bool exists = false;
  bool folder = false;
  bool ok = false;
  QByteArray utf8;  // the text as the editor holds it
  FileEncoding encoding = FileEncoding::Windows1252;
  QString error;
};

ReadText ReadProgram(const QString& path) {
  ReadText r;
  // A FIFO, device or folder is refused with its reason, never taken for a
  // new empty document that a save would turn into a file.
  r.folder = QFileInfo(path).isDir();
  if (r.folder) {
    r.exists = true;
    return r;
  }
  const ReadResult f = ReadWholeFile(path);
  r.exists = f.exists;
  if (!r.exists) return r;
  r.ok = f.ok;
  r.error = f.error;
  if (f.ok) {
    DecodedBytes decoded = DecodeProgramBytes(f.bytes);  // whole: NUL bytes are kept
    r.utf8 = std::move(decoded.utf8);
    r.encoding = decoded.encoding;
  }
  return r;
}

// Size and time of the file as this document last read or wrote it.
void NoteDiskState(DocumentRecord& d) {
  const QFileInfo fi(d.path);
  d.diskSize = fi.exists() ? fi.size() : -1;
  d.diskTime = fi.exists() ? fi.lastModified().toMSecsSinceEpoch() : 0;
}

bool ChangedOnDisk(const DocumentRecord& d) {
  const QFileInfo fi(d.path);
  if (!fi.isFile()) return false;
  return fi.size() != d.diskSize || fi.lastModified().toMSecsSinceEpoch() != d.diskTime;
}

// The same file, however the path is spelled.
QString FileIdentity(const QString& path) {
  const QFileInfo fi(path);
  const QString canonical = fi.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : canonical;
}

int IndexOfOpenFile(App& app, const QString& path) {
  const QString id = FileIdentity(path);
  DocumentList& list = app.state().docs.list;
  for (int i = 0; i < list.size(); ++i)
    if (!list.at(i).untitled() && FileIdentity(list.at(i).path) == id) return i;
  return -1;
}

// A document takes the line ends of its file: new lines, pastes and inserts
// get the same kind. A text without any takes the settings' mode.
void TakeLineEndsOf(App& app, EditorView& ed, const QByteArray& utf8) {
  const LineEnd fallback = app.settings().lineEndingsMode == 1 ? LineEnd::Lf : LineEnd::CrLf;
  static constexpr int kMode[] = {S::SC_EOL_CRLF, S::SC_EOL_LF, S::SC_EOL_CR};
  ed.sci().send(S::SCI_SETEOLMODE, kMode[static_cast<int>(LastLineEndOfBytes(utf8, fallback))]);
}

void TakeLineEndsOf(App& app, EditorView& ed, const QString& text) { TakeLineEndsOf(app, ed, ToUtf8Buffer(text)); }

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

// Writes a program text in the document's encoding; false (with a message)
// when not written.
bool WriteProgramBytes(App& app, const QString& path, const QByteArray& bytes) {
  const WriteResult w = WriteFileSafely(path, bytes);
  if (!w.ok) return ReportWriteFailure(app, path, w.error);
  // A file the user saved to is never deleted as a temporary copy.
  app.state().tempFiles.removeAll(path);
  return true;
}

bool WriteProgram(App& app, const QString& path, const QString& text, FileEncoding encoding) {
  QString bad;
  const QByteArray bytes = EncodeProgramFile(text, encoding, &bad);
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

// The text of the file as it is written (the fold state collected first):
// with the in-text markers when "Save folding in BAS file" is on. The
// editor itself never gets them.
QString FileTextOf(App& app, int index, EditorView& ed, bool markers) {
  const QString text = GetEditorText(&ed);
  if (!markers || !app.settings().saveFoldingInBasFile) return text;
  const DocumentRecord& d = List(app).at(index);
  return AddMarkers(text, ParseLineList(d.bookmarks), ParseLineList(d.foldedLines));
}

// The file's bytes taken from the editor as they are, when they need no
// markers and the encoding stores them unchanged (UTF-8, or ASCII in 1252):
// no copy of the text in UTF-16 and back. Empty when the text path is needed.
std::optional<QByteArray> FileBytesOf(App& app, int index, EditorView& ed, bool markers, FileEncoding encoding) {
  const DocumentRecord& d = List(app).at(index);
  if (markers && app.settings().saveFoldingInBasFile &&
      (!ParseLineList(d.bookmarks).isEmpty() || !ParseLineList(d.foldedLines).isEmpty()))
    return std::nullopt;
  QByteArray bytes = GetEditorBytes(&ed);
  if (encoding != FileEncoding::Windows1252) {
    if (!IsValidUtf8(bytes)) return std::nullopt;
    return encoding == FileEncoding::Utf8 ? bytes : QByteArray("\xEF\xBB\xBF") + bytes;
  }
  if (QtPrivate::isAscii(QLatin1StringView(bytes.constData(), bytes.size()))) return bytes;
  return std::nullopt;
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
// first, so the editor never holds them and no undo step is made; the user
// names are collected in the same pass.
using Loaded = ScannedProgram;

Loaded PrepareText(const QByteArray& fileText) { return ScanProgramText(fileText); }

// The state a document takes from its text: user names, the file's own
// bookmarks and folds (when they are kept in the file), syntax, folds and
// view, and no changes. Shared by the opens, Revert and a re-read.
void LoadDocumentState(App& app, int index, const Loaded& loaded) {
  DocumentList& list = List(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed || !list.valid(index)) return;
  list.setCurrent(index);
  DocumentRecord& d = list.at(index);
  d.userSubNames = loaded.names;
  d.userVariableNames = loaded.variables;
  if (app.settings().saveFoldingInBasFile) {
    if (!loaded.bookmarks.isEmpty()) d.bookmarks = FormatLineList(loaded.bookmarks);
    if (!loaded.foldedLines.isEmpty()) d.foldedLines = FormatLineList(loaded.foldedLines);
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
  UpdateFileStatus(app, d.editor);
}

// The loading steps of every open: the syntax from the target comment, else
// `fallback`, else the default; then the state of the text.
void FinishLoading(App& app, int index, const Loaded& loaded, const QString& fallbackSyntax, bool oldArmiteNames) {
  if (!List(app).valid(index)) return;
  DocumentRecord& d = List(app).at(index);
  QString syntax = ParseTargetComment(FirstLineOfBytes(loaded.text));
  if (syntax.isEmpty()) syntax = fallbackSyntax;
  if (oldArmiteNames && app.settings().removeOldTknFiles && syntax.toLower().startsWith(QStringLiteral("armite")))
    syntax.replace(QStringLiteral("armite"), QStringLiteral("ARMmite"), Qt::CaseInsensitive);
  if (syntax.isEmpty()) syntax = app.settings().defaultSyntax;
  d.syntax = syntax;
  LoadDocumentState(app, index, loaded);
  d.fileKnown = true;
}

// An unused first tab gives its place to the next opened file.
bool FirstTabIsUnused(App& app) {
  if (app.tabStrip().selected() != 0) return false;
  EditorView* ed = EditorOfDocument(app, 0);
  if (!ed) return false;
  return ed->sci().length() < 3 || GetEditorText(ed) == WithLineEnds(app.settings().newFileText, EditorLineEnd(ed));
}

void TakeEntryFields(DocumentRecord& d, const RecentFileEntry& e) {
  d.caretPosition = e.caret;
  d.firstVisibleLine = e.firstVisibleLine;
  d.foldedLines = e.foldedLines;
  d.bookmarks = e.bookmarks.trimmed();
}

}  // namespace

// ---------------------------------------------------------------- opening

namespace {

// Reads the file of a document with no unsaved changes again, keeping its
// view and syntax.
void ReloadDocument(App& app, int index) {
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  DocumentRecord& d = List(app).at(index);
  const ReadText r = ReadProgram(d.path);
  if (!r.ok) return;
  const LineEnd mode = app.settings().lineEndingsMode == 1 ? LineEnd::Lf : LineEnd::CrLf;
  const Loaded loaded = PrepareText(TrimTrailingBlankBytes(r.utf8, mode));
  SaveDocumentView(app, index);
  PutEditorText(*ed, loaded.text);
  TakeLineEndsOf(app, *ed, loaded.text);
  d.encoding = r.encoding;
  LoadDocumentState(app, index, loaded);
  NoteDiskState(d);
}

QString RefusalText(OpenRefusal why, const ReadText& r) {
  switch (why) {
    case OpenRefusal::TooManyTabs: return QString::fromLatin1(kTooManyTabs);
    case OpenRefusal::Missing: return QStringLiteral("no such file");
    case OpenRefusal::Folder: return QStringLiteral("it is a folder, not a file");
    case OpenRefusal::Unreadable: return r.error.isEmpty() ? QStringLiteral("it cannot be read") : r.error;
    case OpenRefusal::None: break;
  }
  return QString();
}

OpenResult Refuse(OpenRefusal why, const ReadText& r = {}) {
  OpenResult o;
  o.outcome = OpenOutcome::Refused;
  o.refusal = why;
  o.reason = RefusalText(why, r);
  return o;
}

void ShowTooManyTabs(App& app) {
  app.requesters().message(QStringLiteral("Oops!"), QString::fromLatin1(kTooManyTabs));
}

}  // namespace

OpenResult OpenFileInTab(App& app, const OpenRequest& request) {
  const QString& path = request.path;
  if (path.isEmpty()) return Refuse(OpenRefusal::Missing);
  // A file already open is shown, never opened twice.
  if (const int open = IndexOfOpenFile(app, path); open >= 0) {
    const int shown = app.state().docs.currentTabIndex;
    if (open != shown) SwitchDocumentTab(app, open, shown);
    else ActivateDocumentTab(app, open);
    EditorView* ed = EditorOfDocument(app, open);
    if (ed && !ed->sci().modified() && ChangedOnDisk(List(app).at(open))) ReloadDocument(app, open);
    OpenResult o;
    o.outcome = OpenOutcome::AlreadyOpen;
    o.index = open;
    return o;
  }
  const ReadText r = ReadProgram(path);
  if (r.folder) return Refuse(OpenRefusal::Folder, r);
  if (!r.exists && !request.missingAsEmpty) return Refuse(OpenRefusal::Missing, r);
  if (r.exists && !r.ok) return Refuse(OpenRefusal::Unreadable, r);
  // Refused before anything is parked: the shown editor stays shown.
  if (app.state().docs.editorSlots.lowestFree() < 0) return Refuse(OpenRefusal::TooManyTabs);

  const LineEnd mode = app.settings().lineEndingsMode == 1 ? LineEnd::Lf : LineEnd::CrLf;
  const Loaded loaded = PrepareText(r.exists ? TrimTrailingBlankBytes(r.utf8, mode) : QByteArray());
  app.folders().file = FolderPart(path);
  const bool replace = request.replaceUnusedFirstTab && FirstTabIsUnused(app);
  const int selected = app.tabStrip().selected();
  SaveDocumentView(app, selected);
  const int index = CreateDocumentTab(app, path);
  if (index < 0) return Refuse(OpenRefusal::TooManyTabs);
  DocumentRecord& d = List(app).at(index);
  d.encoding = r.encoding;
  if (EditorView* ed = EditorOfDocument(app, index)) {
    PutEditorText(*ed, loaded.text);
    TakeLineEndsOf(app, *ed, loaded.text);
  }
  if (request.entry) TakeEntryFields(d, *request.entry);
  FinishLoading(app, index, loaded, request.entry ? request.entry->syntax : QString(), request.fromList);
  DocumentRecord& loadedDoc = List(app).at(index);
  loadedDoc.fileKnown = r.exists;
  if (r.exists) NoteDiskState(loadedDoc);
  if (!request.fromList) loadedDoc.lastSaveTime = RunningSeconds();
  OpenResult o;
  o.outcome = OpenOutcome::Opened;
  o.index = index;
  if (replace) {
    if (request.recordReplacedTab) {
      CloseDocumentTab(app, 0);
    } else {
      RemoveDocumentTab(app, 0);
      List(app).setCurrent(index - 1);
      ActivateDocumentTab(app, index - 1);
    }
    o.index = index - 1;
  }
  return o;
}

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
  const TimedCommand timed(app);
  OpenRequest request;
  request.path = path;
  request.missingAsEmpty = true;
  request.replaceUnusedFirstTab = true;
  request.recordReplacedTab = true;
  const OpenResult o = OpenFileInTab(app, request);
  if (o.refusal == OpenRefusal::TooManyTabs) ShowTooManyTabs(app);
  else if (o.outcome == OpenOutcome::Refused)
    app.requesters().message(QStringLiteral("Oops!"), "The file could not be opened:\n" + path + "\n" + o.reason);
}

void OpenWithRequester(App& app, bool fromStore) { OpenDocument(app, QString(), fromStore); }

void OpenRecent(App& app, int index) {
  const QStringList& recent = app.settings().recentFiles;
  if (index < 0 || index >= recent.size()) return;
  const RecentFileEntry entry = RecentFileEntry::Parse(recent[index]);
  if (entry.path.isEmpty()) return;
  OpenRequest request;
  request.path = entry.path;
  request.entry = entry;
  request.replaceUnusedFirstTab = true;
  // A file that is gone or unreadable leaves everything as it was.
  if (OpenFileInTab(app, request).refusal == OpenRefusal::TooManyTabs) ShowTooManyTabs(app);
}

void OpenDocumentList(App& app, const QString& lfList, bool reportFailures) {
  const QStringList lines = lfList.split(u'\n');
  // An empty list (no documents at the last exit) opens nothing.
  if (std::all_of(lines.begin(), lines.end(), [](const QString& l) { return l.trimmed().isEmpty(); })) return;
  bool first = true;
  int opened = 0;
  int number = 0;
  QStringList failures;
  const TimedCommand timed(app);
  for (const QString& line : lines) {
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
    OpenRequest request;
    request.path = entry.path;
    request.entry = entry;
    request.fromList = true;
    const OpenResult o = OpenFileInTab(app, request);
    if (o.refusal == OpenRefusal::TooManyTabs) {
      ShowTooManyTabs(app);
      break;
    }
    if (o.outcome == OpenOutcome::Refused) failures.append(entry.path + " (" + o.reason + ")");
    else ++opened;
  }
  if (reportFailures && !failures.isEmpty())
    app.requesters().message(QStringLiteral("Oops!"), "These files could not be opened:\n" + failures.join(u'\n'));
  if (opened == 0 && app.state().docs.list.size() == 0) NewDocument(app);
}

void OpenPreviousFiles(App& app) { OpenDocumentList(app, app.settings().openFilesString); }

int NewDocument(App& app) {
  const int index = CreateDocumentTab(app, app.folders().file + kUntitledName);
  if (index < 0) return -1;
  if (EditorView* ed = EditorOfDocument(app, index)) {
    // The intro text in the new document's kind (the mode's), as it is kept with LF.
    PutEditorText(*ed, WithLineEnds(app.settings().newFileText, EditorLineEnd(ed)));
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
  TakeLineEndsOf(app, *ed, text);
  DocumentRecord& d = List(app).at(index);
  d.encoding = original.encoding;
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
  // Cleaned in the editor, not only in the file: it shows what is written.
  if (app.settings().removeSmartQuotes) ConvertEditorTextToAscii(&ed);
  CollectFoldState(app, index);
  DocumentRecord& d = List(app).at(index);
  if (std::optional<QByteArray> bytes = FileBytesOf(app, index, ed, markers, d.encoding)) {
    if (!WriteProgramBytes(app, path, *bytes)) return false;
  } else if (!WriteProgram(app, path, FileTextOf(app, index, ed, markers), d.encoding)) {
    return false;
  }
  d.path = path;
  d.name = FileNamePart(path);
  SetStatusField(app, 3, d.path);
  app.tabStrip().select(index);
  app.tabStrip().setText(index, d.name);
  MarkSaved(ed, emptyUndo);
  d.lastSaveTime = RunningSeconds();
  d.modified = 0;
  d.fileKnown = true;
  NoteDiskState(d);
  AddRecentOf(app, d);
  UpdateFileStatus(app, d.editor);
  return true;
}

}  // namespace

SaveResult SaveDocument(App& app, bool reset, bool markers, SaveFrom from) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return SaveResult::NotSaved;
  DocumentRecord& d = List(app).at(index);
  // A named document is always written, emptied or not; an untitled one
  // needs more than a line end.
  if (d.untitled() && ed->sci().length() <= 2) return SaveResult::NothingToSave;
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
  const Loaded loaded = PrepareText(r.utf8);
  if (ed->sci().send(S::SCI_GETREADONLY)) return;
  SaveDocumentView(app, index);
  PutEditorText(*ed, loaded.text);
  TakeLineEndsOf(app, *ed, loaded.text);
  d.encoding = r.encoding;
  // The same state as opening: the file's own bookmarks and folds too.
  LoadDocumentState(app, index, loaded);
  NoteDiskState(d);
}

void SaveSnapshot(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed || ed->sci().length() <= 2) return;
  const DocumentRecord& d = List(app).at(index);
  if (d.path.isEmpty()) return;
  const QString path = SnapshotPath(d.path, QDateTime::currentDateTime());
  QString bad;
  const QByteArray bytes = EncodeProgramFile(GetEditorText(ed), d.encoding, &bad);
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
