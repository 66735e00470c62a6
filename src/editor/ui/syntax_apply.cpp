// Applying a device syntax to an editor: the syntax-independent set-up of
// every editor, the word map of the current document's dialect with its user
// names, the Syntax menu, and the normalising of the user names' case.
#include <QApplication>

#include "editor/declarations.h"
#include "editor/declared_case.h"
#include "editor/fold_markers.h"
#include "editor/lexer.h"
#include "editor/syntax_tkn.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "editor/ui/editor_setup.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/syntax_commands.h"
#include "editor/ui/view_options.h"
#include "editor/word_map.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

// The styles of the words before the colour settings are applied over them.
struct StyleLook {
  int style;
  std::uint32_t fore;
};
constexpr StyleLook kStyleLooks[] = {
    {kStyleKeyword, 0xFF0000},      {kStyleComment, 0x006400},     {kStyleString, 0x808080},
    {kStyleNumber, 0x0000FF},       {kStyleUserVariable, 0xBF41FC}, {kStyleUserSub, 0xFF0000},
    {kStyleSpare, 0x00FF00},
};

std::uint64_t AutoCompleteFlag(const Settings& s) { return s.autoComplete ? std::uint64_t{WordAutoComplete} : 0; }

QString KeywordsOf(App& app, const SyntaxEntry* entry) {
  const Settings& st = app.settings();
  return BuildActiveKeywords(entry, app.state().syntax.userKeywords,
                             {st.allowUserKeywords != 0, st.includeParameters != 0, st.autoCompleteMultiWord != 0});
}

// The words every dialect shares: comments, strings and the fold words.
void RegisterBaseWords(App& app, EditorView& ed, bool restyle) {
  const Settings& st = app.settings();
  LexerAddDelimited(ed, QStringLiteral("'"), QString(), WordToLineEnd, kStyleComment, restyle);
  LexerAddDelimited(ed, QStringLiteral("\""), QStringLiteral("\""), WordDelimited, kStyleString, restyle);
  LexerAddWordsAndRestyle(ed, st.foldingKeywords, kStyleKeyword, WordOpensFold, restyle);
  LexerAddWordsAndRestyle(ed, st.foldingKeywords, kStyleKeyword, WordClosesFold, restyle);
}

// REM opens a comment like the apostrophe. Registered after the dialect's
// words: REM is one of them, and a registration sets the style.
void RegisterRemark(EditorView& ed, bool restyle) {
  LexerAddWordsAndRestyle(ed, QStringLiteral("REM"), kStyleComment, WordToLineEnd, restyle);
}

void TickSyntaxMenu(App& app, const QString& name) {
  for (int item = +Item::SyntaxFirst; item <= +Item::SyntaxLast; ++item) {
    const QString text = ItemText(app, item);
    if (!text.isEmpty()) SetItemChecked(app, item, text == name);
  }
}

}  // namespace

int FindSyntaxIndexFor(App& app, const QString& name) { return FindSyntaxIndex(app.state().syntax.list, name); }

QString DocumentKeywords(App& app, int index) {
  const DocumentList& docs = app.state().docs.list;
  if (!docs.valid(index)) return KeywordsOf(app, nullptr);
  const SyntaxList& list = app.state().syntax.list;
  const int syntax = FindSyntaxIndex(list, docs.at(index).syntax);
  return KeywordsOf(app, syntax >= 0 ? &list[syntax] : nullptr);
}

void ConfigureEditorGadget(App& app, EditorView& ed) {
  const Settings& st = app.settings();
  Sci s = ed.sci();
  s.sendText(S::SCI_SETWORDCHARS, st.validWordCharacters.toUtf8());
  s.send(S::SCI_SETMARGINWIDTHN, 2, 24);
  s.send(S::SCI_SETCARETLINEVISIBLE, 1);
  s.send(S::SCI_SETCARETLINEBACK, 0xB4FFFF);
  SetEditorFont(app, ed);
  s.send(S::SCI_STYLESETBOLD, kStyleKeyword, 1);
  s.send(S::SCI_STYLESETITALIC, kStyleComment, 1);
  for (const StyleLook& look : kStyleLooks) s.send(S::SCI_STYLESETFORE, look.style, look.fore);
  // The editor holds no text yet: the restyles cost nothing.
  RegisterBaseWords(app, ed, true);
  LexerAddWordsAndRestyle(ed, KeywordsOf(app, app.state().syntax.currentEntry()), kStyleKeyword, AutoCompleteFlag(st),
                          true);
  RegisterRemark(ed, true);
  LexerSetOption(ed, kLexerOptionOperatorChars, st.separatorSymbols);
  LexerSetOption(ed, kLexerOptionNumberStyle, std::int64_t{kStyleNumber});
  if (EditorLexer* lexer = LexerOf(ed)) lexer->setOptions(kLexOptionsConfigured);
  const int eol = st.lineEndingsMode == 1 ? S::SC_EOL_LF : S::SC_EOL_CRLF;
  s.send(S::SCI_SETEOLMODE, eol);
  s.send(S::SCI_CONVERTEOLS, eol);
  SetEditorTabs(app, ed);
  s.send(S::SCI_STYLESETBACK, kStyleIndentGuide, 0xCBCBCB);
  s.send(S::SCI_SETYCARETPOLICY, S::CARET_JUMPS, 0);
  // CHANGE too: editing a folded header away never leaves its text hidden.
  s.send(S::SCI_SETAUTOMATICFOLD, S::SC_AUTOMATICFOLD_CLICK | S::SC_AUTOMATICFOLD_CHANGE);
  SetChangeMarking(ed, st.highlightChanges != 0, st.styleForChanges);
}

void ApplySyntax(App& app, int index, const QString& userSubs, const QString& userVariables, bool byMenu) {
  const TimedCommand timed(app);
  SyntaxData& syntax = app.state().syntax;
  Settings& st = app.settings();
  if (byMenu) index = FindSyntaxIndex(syntax.list, ItemText(app, +Item::SyntaxFirst + index));
  const SyntaxEntry* entry = (index >= 0 && index < static_cast<int>(syntax.list.size())) ? &syntax.list[index] : nullptr;
  if (entry) {
    syntax.current = index;
    st.currentSyntaxName = entry->name;
  }
  const QString keywords = KeywordsOf(app, entry);

  DocumentRecord* doc = app.state().docs.list.current();
  EditorView* ed = CurrentEditor(app);
  if (ed && doc) {
    const QString subs = userSubs.isEmpty() ? doc->userSubNames : userSubs;
    const QString vars = userVariables.isEmpty() ? doc->userVariableNames : userVariables;
    LexerBurst burst(*ed);
    LexerRemoveWords(*ed, QString());
    RegisterBaseWords(app, *ed, false);
    const std::uint64_t ac = AutoCompleteFlag(st);
    LexerAddWords(*ed, keywords, kStyleKeyword, ac);
    LexerAddWords(*ed, subs, kStyleUserSub, ac);
    LexerAddWords(*ed, vars, kStyleUserVariable, ac);
    RegisterRemark(*ed, false);
    // One restyle, and only of what is shown or read.
    RestyleFrom(ed, 0);
  }
  if (app.mainWindow()) {
    SetStatusField(app, StatusField::Syntax, st.currentSyntaxName);
    TickSyntaxMenu(app, st.currentSyntaxName);
    if (doc) doc->syntax = st.currentSyntaxName;
  }
}

void ApplySyntaxItem(App& app, int item) {
  MakeSelectedDocumentCurrent(app);
  ApplySyntax(app, item - +Item::SyntaxFirst, QString(), QString(), true);
}

void ToggleIncludeParameters(App& app) {
  Settings& st = app.settings();
  st.includeParameters = 1 - st.includeParameters;
  SetItemChecked(app, +Item::IncludeParameters, st.includeParameters != 0);
  MakeSelectedDocumentCurrent(app);
  const DocumentRecord* doc = app.state().docs.list.current();
  ApplySyntax(app, FindSyntaxIndexFor(app, doc ? doc->syntax : st.currentSyntaxName), QString(), QString(), false);
}

void SetCurrentSyntaxAsDefault(App& app) {
  MakeSelectedDocumentCurrent(app);
  const DocumentRecord* doc = app.state().docs.list.current();
  const QString name = doc ? doc->syntax : app.settings().currentSyntaxName;
  if (name.isEmpty()) return;
  app.settings().defaultSyntax = name;
  app.requesters().message(QStringLiteral("Syntax"), "Default syntax set to " + name);
}

namespace {

// The names declared in the document, each once, from a scan with no side
// effects on the editor (its undo history and modified state stay).
struct DeclaredNames {
  QString subs;       // " name name "
  QString variables;  // " name name "
};

DeclaredNames ScanNames(const QString& text) { return {StripMarkers(text).names, DeclaredVariablesText(text)}; }

QString WithoutTypeSuffix(QString name) {
  if (name.endsWith(u'$') || name.endsWith(u'!') || name.endsWith(u'%')) name.chop(1);
  return name;
}

}  // namespace

void ApplyDeclaredNames(App& app, const QString& text) {
  DocumentRecord* doc = app.state().docs.list.current();
  if (!doc) return;
  const DeclaredNames names = ScanNames(text);
  doc->userSubNames = names.subs;
  doc->userVariableNames = names.variables;
  ApplySyntax(app, FindSyntaxIndexFor(app, doc->syntax), doc->userSubNames, doc->userVariableNames, false);
}

// Rewrites every use of a user name with the case of its declaration, except
// inside comments and strings; one undo step, names already spelled as
// declared are left alone.
void NormaliseIdentifierCase(App& app) {
  DocumentRecord* doc = app.state().docs.list.current();
  EditorView* ed = CurrentEditor(app);
  if (!doc || !ed) return;
  const DeclaredNames names = ScanNames(GetEditorText(ed));
  doc->userSubNames = names.subs;
  doc->userVariableNames = names.variables;
  // The document's own dialect, not the one applied last to any editor.
  ApplySyntax(app, FindSyntaxIndexFor(app, doc->syntax), names.subs, QString(), false);

  Sci s = ed->sci();
  s.send(S::SCI_COLOURISE, 0, -1);  // the comment and string styles decide
  const QStringList all = (names.subs.trimmed() + u' ' + names.variables.trimmed()).split(u' ', Qt::SkipEmptyParts);
  QStringList spellings;
  for (const QString& declared : all) {
    // "B$" recases "b$" and "b" alike.
    spellings.append(declared);
    if (WithoutTypeSuffix(declared) != declared) spellings.append(WithoutTypeSuffix(declared));
  }
  // One pass over the text: a search per name took minutes on a large program.
  const std::vector<CaseEdit> edits =
      DeclaredCaseEdits(s.range(0, s.length()), spellings, app.settings().validWordCharacters.toUtf8());
  UndoStep step(s);
  QuietChanges changes(*ed);
  s.send(S::SCI_GOTOLINE, 0);
  // From the end: an edit of another length leaves the offsets before it.
  for (auto it = edits.rbegin(); it != edits.rend(); ++it) {
    const int style = static_cast<int>(s.send(S::SCI_GETSTYLEAT, it->at));
    if (style == kStyleComment || style == kStyleString) continue;
    s.send(S::SCI_SETTARGETSTART, it->at);
    s.send(S::SCI_SETTARGETEND, it->at + it->length);
    s.sendPtr(S::SCI_REPLACETARGET, it->spelling.size(), it->spelling.constData());
    changes.inserted(it->at, it->spelling.size());
  }
}

void CleanupLabelsCommand(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TimedCommand timed(app);
  const QList<int> folded = CollapsedHeaders(*ed);
  Sci s = ed->sci();
  const Sci::Pos firstLine = s.send(S::SCI_DOCLINEFROMVISIBLE, s.send(S::SCI_GETFIRSTVISIBLELINE));
  NormaliseIdentifierCase(app);
  s.send(S::SCI_SETFIRSTVISIBLELINE, s.send(S::SCI_VISIBLEFROMDOCLINE, firstLine));
  UpdateFileStatus(app, ed->control());
  // The whole text is styled again: on a large program that takes a while too.
  s.send(S::SCI_COLOURISE, 0, -1);
  s.send(S::SCI_FOLDALL, S::SC_FOLDACTION_EXPAND);
  for (int line1 : folded) s.send(S::SCI_FOLDLINE, line1 - 1, S::SC_FOLDACTION_CONTRACT);
  QApplication::restoreOverrideCursor();
}

}  // namespace vendle
