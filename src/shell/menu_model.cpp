#include "shell/menu_model.h"

#include "platform/ids.h"
#include "settings/settings.h"
#include "shell/startup.h"
#include "shell/toolbar_model.h"

namespace vendle {
namespace {

constexpr int kMaxProgramItems = 10;  // Item::ExternalFirst.. and Item::RavoltFirst..

MenuNode It(Item item, const QString& text) { return {MenuNode::Kind::Item, +item, text}; }
MenuNode It(int item, const QString& text) { return {MenuNode::Kind::Item, item, text}; }
MenuNode Check(int item, const QString& text, bool checked) {
  return {MenuNode::Kind::Item, item, text, true, checked};
}
MenuNode Check(Item item, const QString& text, bool checked) { return Check(+item, text, checked); }
MenuNode Sep() { return {MenuNode::Kind::Separator}; }
MenuNode Sub(const QString& title, std::vector<MenuNode> children) {
  MenuNode n{MenuNode::Kind::Submenu, 0, title};
  n.children = std::move(children);
  return n;
}

QString L(const char* text) { return QString::fromLatin1(text); }

// The colour names in item order, 133 "BLACK" to 156 "NOTBLACK"; a separator
// stands after "YELLOW".
constexpr const char* kColourNames[] = {"BLACK",    "BLUE",   "BROWN",  "CERULEAN",  "COBALT", "CYAN",
                                        "FUCHSIA",  "GREEN",  "LILAC",  "MAGENTA",   "MIDGREEN", "MYRTLE",
                                        "RED",      "RUST",   "WHITE",  "YELLOW",    "BEIGE",  "GOLD",
                                        "GRAY",     "LIGHTGRAY", "ORANGE", "PINK",   "SALMON", "NOTBLACK"};

MenuNode ColourPicker() {
  std::vector<MenuNode> c;
  int item = +Item::ColourFirst;
  for (const char* name : kColourNames) {
    c.push_back(It(item, L(name)));
    if (item == +Item::ColourFirst + 15) c.push_back(Sep());
    ++item;
  }
  c.push_back(It(Item::ChooseColour, L("Choose colour...")));
  return Sub(L("Colour picker"), std::move(c));
}

// The items shared word for word by the Edit menu and the popup.
MenuNode Undo() { return It(Item::Undo, L("Undo\tCtrl+Z")); }
MenuNode Redo() { return It(Item::Redo, L("Redo\tCtrl+Y")); }
MenuNode SelectAll() { return It(Item::SelectAll, L("Select All\tCtrl+A")); }
MenuNode Cut() { return It(Item::Cut, L("Cut\tCtrl+X")); }
MenuNode Copy() { return It(Item::Copy, L("Copy\tCtrl+C")); }
MenuNode Paste() { return It(Item::Paste, L("Paste\tCtrl+V")); }
MenuNode PasteAscii() { return It(Item::PasteAsAscii, L("Paste as ASCII")); }
MenuNode InsertFile() { return It(Item::InsertFile, L("Insert File\tCtrl+I")); }
// Every key that works is shown beside its item, the second key too.
MenuNode FindReplace() { return It(Item::FindReplace, L("Find/Replace\tCtrl+F, Ctrl+H")); }
MenuNode QuickFind() { return It(Item::QuickFind, L("Quick find\tF11")); }
MenuNode Prefill(const MenuSources& s) { return Check(Item::PrefillStart, L("Prefill start of line"), s.prefillMode == 1); }
MenuNode Postfill(const MenuSources& s) {
  return Check(Item::PostfillEnd, L("Postfill end of line"), s.prefillMode == 2);
}
MenuNode CancelPrefill() { return It(Item::CancelPrefill, L("Cancel Prefill/Postfill")); }
MenuNode RemoveNonAscii() { return It(Item::RemoveNonAscii, L("Remove non-ASCII characters")); }
MenuNode CommentLines() { return It(Item::CommentLines, L("Make selected lines a comment")); }
MenuNode UncommentLines() { return It(Item::UncommentLines, L("Uncomment selected lines")); }
MenuNode WrapComments() { return It(Item::WrapComments, L("Wrap comments")); }

MenuNode FileMenu(const MenuSources& s) {
  auto tr = [&s](const char* text) { return s.translate ? s.translate(L(text)) : L(text); };
  std::vector<MenuNode> recent;
  const QStringList labels = RecentItemLabels(s.settings.recentFiles);
  for (int k = 0; k <= +Item::RecentLast - +Item::RecentFirst; ++k)
    recent.push_back(It(+Item::RecentFirst + k, k < labels.size() ? labels[k] : L("-")));
  std::vector<MenuNode> f;
  f.push_back(It(Item::New, tr("New") + L("\tCtrl+N")));
  f.push_back(It(Item::Clone, tr("Clone")));
  f.push_back(It(Item::Open, tr("Open") + L("\tCtrl+O")));
  f.push_back(It(Item::OpenFromStore, tr("Open from Store") + L("\tAlt+O")));
  f.push_back(Sub(tr("Recent"), std::move(recent)));
  f.push_back(It(Item::Save, tr("Save") + L("\tCtrl+S")));
  f.push_back(It(Item::Snapshot, tr("Snapshot") + L("\tAlt+S")));
  f.push_back(It(Item::SaveAll, tr("Save all")));
  f.push_back(It(Item::SaveAs, tr("Save As...")));
  f.push_back(It(Item::SaveAsInStore, tr("Save As in Store...") + L("\tAlt+A")));
  f.push_back(It(Item::SaveSelectionAs, tr("Save Selection as...")));
  f.push_back(It(Item::SaveAsRtf, tr("Save as RTF")));
  f.push_back(It(Item::FormatForForum, tr("Format for forum")));
  f.push_back(It(Item::ForumInColour, tr("Forum in Colour")));
  f.push_back(It(Item::FormatAsHtml, tr("Format as HTML")));
  f.push_back(It(Item::FormatAsColourHtml, tr("Format as colour HTML")));
  f.push_back(It(Item::SaveNewFileIntro, tr("Save new file intro")));
  f.push_back(It(Item::RevertToSaved, tr("Revert to saved")));
  f.push_back(It(Item::Close, tr("Close")));
  f.push_back(It(Item::CloseAll, tr("Close all")));
  f.push_back(It(Item::Print, tr("Print") + L("\tCtrl+P")));
  f.push_back(It(Item::Preferences, tr("Preferences")));
  f.push_back(It(Item::Exit, tr("Exit")));
  return Sub(tr("File"), std::move(f));
}

MenuNode EditMenu(const MenuSources& s) {
  return Sub(L("Edit"), {Undo(), Redo(), SelectAll(), Cut(), Copy(), Paste(), PasteAscii(), InsertFile(),
                         It(Item::InsertFileFromStore, L("Insert File from store\tAlt+I")), ColourPicker(),
                         FindReplace(), QuickFind(), It(Item::FindNext, L("Find Next\tF3")),
                         It(Item::JoinLine, L("Join line to the previous line\tCtrl+Q")), Prefill(s), Postfill(s),
                         CancelPrefill()});
}

MenuNode ProgramMenu(const Settings& st) {
  return Sub(L("Program"), {
                               It(Item::RemoveLineNumbers, L("Remove program line numbers")),
                               It(Item::RemoveBlankLines, L("Remove blank lines")),
                               It(Item::RemoveComments, L("Remove comments")),
                               It(Item::RemoveIndents, L("Remove indents and trailing spaces")),
                               It(Item::Crunch, L("Crunch (opens new tab)")),
                               It(Item::UnCrunch, L("UnCrunch (opens new tab)")),
                               RemoveNonAscii(),
                               CommentLines(),
                               UncommentLines(),
                               It(Item::ConvertCComments, L("Convert C type comments")),
                               It(Item::CleanupLabels, L("Cleanup labels")),
                               It(Item::FormatIndentation, L("Format indentation")),
                               WrapComments(),
                               It(Item::SaveKeywordCase, L("Save KEYWORD case")),
                               It(Item::Merge, L("Merge")),
                               It(Item::VariableReport, L("Display Variable report")),
                               Check(Item::DosLineEndings, L("DOS line endings"), st.lineEndingsMode == 0),
                               Check(Item::UnixLineEndings, L("UNIX line endings"), st.lineEndingsMode == 1),
                           });
}

MenuNode DesignMenu() {
  return Sub(L("Design"), {It(Item::NewLayoutDesign, L("New layout design")),
                           It(Item::IncorporateLayoutCode, L("Incorporate layout code")),
                           It(Item::RefreshLayoutCode, L("Refresh layout code")),
                           It(Item::ReplaceVariablesWithNumbers, L("Replace variables With numbers")),
                           It(Item::ExtractYourCode, L("Extract your code")), ColourPicker()});
}

MenuNode FontMenu(const Settings& st) {
  // Sizes other than 10, 14 and 16 are taken as 12.
  const int size = st.fontSize;
  const Item checked = size == 10 ? Item::FontSmall
                       : size == 14 ? Item::FontBigger
                       : size == 16 ? Item::FontBiggest
                                    : Item::FontMedium;
  std::vector<MenuNode> f;
  const char* names[] = {"Small", "Medium", "Bigger", "Biggest"};
  for (int k = 0; k < 4; ++k) f.push_back(Check(+Item::FontSmall + k, L(names[k]), +Item::FontSmall + k == +checked));
  return Sub(L("Font"), std::move(f));
}

MenuNode ViewMenu(const Settings& st) {
  return Sub(L("View"), {
                            Check(Item::SyntaxColouring, L("Syntax colouring"), st.colour != 0),
                            Check(Item::CapitalizeKeywords, L("Capitalize keywords"), st.upperCase != 0),
                            Check(Item::MarkSpaces, L("Mark spaces"), st.whiteSpaceMarkers != 0),
                            Check(Item::ShowLineEndings, L("Show line endings"), st.showLineEndings != 0),
                            Check(Item::IndentGuides, L("Indent guides"), st.showIndent != 0),
                            Check(Item::AutoIndent, L("Auto-indent"), st.autoIndent != 0),
                            Check(Item::PhysicalLineNumbers, L("Physical line numbers"), st.lineNumbers != 0),
                            Check(Item::ShowColumn, L("Show Column ") + QString::number(st.columnMarkerAt),
                                  st.showColumnMarker != 0),
                            It(Item::FoldAll, L("Fold all\tF9")),
                            It(Item::UnfoldAll, L("Unfold all\tF10")),
                        });
}

MenuNode BookmarksMenu() {
  return Sub(L("BookMarks"), {
                                 It(Item::ToggleBookmark, L("Toggle bookmark\tCtrl+B")),
                                 It(Item::PreviousBookmark, L("Goto previous bookmark")),
                                 It(Item::NextBookmark, L("Goto next bookmark")),
                                 It(Item::ClearAllBookmarks, L("Clear all bookmarks")),
                                 It(Item::GotoLine, L("Goto line number\tCtrl+G")),
                                 It(Item::FindSubFunction, L("Find Sub/Function\tF4")),
                                 It(Item::ReturnFromSub, L("Return from Sub/Function\tF5")),
                             });
}

MenuNode ActionMenu(const Settings& st, QString* runTooltip) {
  std::vector<MenuNode> ravolt;
  for (int k = 0; k < static_cast<int>(st.ravoltPrograms.size()) && k < kMaxProgramItems; ++k)
    ravolt.push_back(It(+Item::RavoltFirst + k, st.ravoltPrograms[k].menuText));
  std::vector<MenuNode> a;
  a.push_back(It(Item::Deploy, L("Deploy\tF2")));
  a.push_back(Sub(L("Ravolt"), std::move(ravolt)));
  for (int k = 0; k < static_cast<int>(st.externalPrograms.size()) && k < kMaxProgramItems; ++k) {
    // A hot link outside the list checks nothing and keeps the tooltip.
    const bool isDefault = k == st.externalHotLink;
    a.push_back(Check(+Item::ExternalFirst + k, st.externalPrograms[k].menuText, isDefault));
    if (isDefault) *runTooltip = st.externalPrograms[k].menuText;
  }
  a.push_back(It(Item::EditProgramList, L("Edit list...")));
  return Sub(L("Action"), std::move(a));
}

MenuNode SyntaxMenu(const MenuSources& s, int* count) {
  std::vector<MenuNode> m;
  m.push_back(Check(Item::IncludeParameters, L("Include Parameters"), s.settings.includeParameters != 0));
  *count = 0;
  for (const QString& name : s.syntaxNames) {
    if (name.endsWith(u'_')) continue;
    const int item = +Item::SyntaxFirst + *count;
    if (item > +Item::SyntaxLast) break;
    m.push_back(Check(item, name, name == s.settings.currentSyntaxName));
    ++*count;
  }
  m.push_back(It(Item::SetSyntaxAsDefault, L("Set current syntax as default")));
  return Sub(L("Syntax"), std::move(m));
}

MenuNode HelpMenu(const Settings& st) {
  std::vector<MenuNode> refs;
  for (int slot = 0; slot <= +Item::ExtRefLast - +Item::ExtRefFirst; ++slot) {
    const auto label = ExternalReferenceLabel(st.externalReferences[slot]);
    refs.push_back(It(+Item::ExtRefFirst + slot, label ? *label : L("-")));
  }
  return Sub(L("Help"), {
                            It(Item::About, L("About")),
                            It(Item::SyntaxHelp, L("Syntax Help")),
                            It(Item::SyntaxHelpAtCaret, L("Syntax Help\tF1")),
                            It(Item::DetailedSyntaxHelp, L("Detailed Syntax Help\tShft+F1")),
                            It(Item::SyntaxHintAtCaret, L("Syntax hint\tF12")),
                            It(Item::VendleHelp, L("Vendle Help")),
                            It(Item::KeyboardShortcuts, L("Keyboard shortcuts")),
                            It(Item::AsciiTable, L("ASCII Table")),
                            Sub(L("External resources"), std::move(refs)),
                            It(Item::ChangeLog, L("Change Log")),
                            It(Item::CopyInfFiles, L("Copy INF files")),
                        });
}

}  // namespace

MainMenuModel BuildMainMenuModel(const MenuSources& s) {
  MainMenuModel m;
  m.runButtonTooltip = L(kRunButtonTooltip);
  m.menus.push_back(FileMenu(s));
  m.menus.push_back(EditMenu(s));
  m.menus.push_back(ProgramMenu(s.settings));
  m.menus.push_back(DesignMenu());
  m.menus.push_back(FontMenu(s.settings));
  m.menus.push_back(ViewMenu(s.settings));
  m.menus.push_back(BookmarksMenu());
  m.menus.push_back(ActionMenu(s.settings, &m.runButtonTooltip));
  m.menus.push_back(SyntaxMenu(s, &m.syntaxMenuCount));
  m.menus.push_back(HelpMenu(s.settings));
  return m;
}

std::vector<MenuNode> BuildEditorPopupModel(const MenuSources& s) {
  return {
      It(Item::InsertLineEnd, L("<Enter>")),
      Undo(),
      Redo(),
      SelectAll(),
      Cut(),
      Copy(),
      Paste(),
      PasteAscii(),
      InsertFile(),
      It(Item::InsertInclude, L("Insert INCLUDE directive")),
      ColourPicker(),
      RemoveNonAscii(),
      Sep(),
      CommentLines(),
      UncommentLines(),
      Sep(),
      WrapComments(),
      Sep(),
      Prefill(s),
      Postfill(s),
      CancelPrefill(),
      Sep(),
      FindReplace(),
      QuickFind(),
      Sep(),
      It(Item::SyntaxHelpAtCaret, L("Syntax Help\tF1")),
      It(Item::DetailedSyntaxHelp, L("Detailed Syntax Help\tShft+F1")),
  };
}

const MenuNode* FindMenuItem(const std::vector<MenuNode>& nodes, int item) {
  for (const MenuNode& n : nodes) {
    if (n.kind == MenuNode::Kind::Item && n.item == item) return &n;
    if (n.kind == MenuNode::Kind::Submenu)
      if (const MenuNode* found = FindMenuItem(n.children, item)) return found;
  }
  return nullptr;
}

QStringList AddRecent(const QStringList& list, const QString& entry) {
  const QString path = RecentEntryPath(entry);
  QStringList out{entry};
  for (const QString& e : list)
    if (RecentEntryPath(e) != path) out.append(e);
  return out;
}

QStringList RecentItemLabels(const QStringList& list) {
  QStringList labels;
  for (int k = 0; k < list.size() && k <= +Item::RecentLast - +Item::RecentFirst; ++k)
    labels.append(RecentLabel(RecentEntryPath(list[k])));
  return labels;
}

}  // namespace vendle
