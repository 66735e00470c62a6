#include "settings/settings_keys.h"

namespace vendle {
namespace {

using S = Settings;
using Kind = LayoutEntry::Kind;
using F = ValueForm;

LayoutEntry G(const char* name) { return {Kind::Group, QString::fromLatin1(name)}; }
LayoutEntry C(const char* text) { return {Kind::Comment, QString::fromLatin1(text)}; }
LayoutEntry L(SettingsList list) { return {Kind::List, {}, F::Text, {}, list}; }
LayoutEntry K(const char* key, SettingField field, ValueForm form) {
  return {Kind::Key, QString::fromLatin1(key), form, field};
}
LayoutEntry K(const char* key, QString S::*m, ValueForm form = F::Text) { return K(key, SettingField(m), form); }
LayoutEntry K(const char* key, int S::*m, ValueForm form = F::Int) { return K(key, SettingField(m), form); }
LayoutEntry K(const char* key, qint64 S::*m) { return K(key, SettingField(m), F::Int64); }
LayoutEntry W(const char* key, WindowRect S::*r, int WindowRect::*p) {
  return K(key, SettingField(WindowField{r, p}), F::Int);
}
LayoutEntry Col(const char* key, ColourSlot slot) { return K(key, SettingField(ColourField{slot}), F::Colour); }
LayoutEntry Ref(const char* key, int i) { return K(key, SettingField(ReferenceField{i}), F::Text); }

// x, y, width, height and the extra values of one window.
void Window(std::vector<LayoutEntry>& t, const char* prefix, WindowRect S::*r, const char* extra1 = nullptr,
            const char* extra2 = nullptr) {
  const QByteArray p(prefix);
  static const char* const kParts[] = {"X", "Y", "W", "H"};
  int WindowRect::*const members[] = {&WindowRect::x, &WindowRect::y, &WindowRect::w, &WindowRect::h};
  for (int i = 0; i < 4; ++i) {
    LayoutEntry e = W("", r, members[i]);
    e.text = QString::fromLatin1(p + kParts[i]);
    t.push_back(e);
  }
  if (extra1) t.push_back(W(extra1, r, &WindowRect::extra1));
  if (extra2) t.push_back(W(extra2, r, &WindowRect::extra2));
}

std::vector<LayoutEntry> Build() {
  std::vector<LayoutEntry> t;
  auto add = [&](std::initializer_list<LayoutEntry> es) { t.insert(t.end(), es); };

  add({G("Info"), K("Build date", &S::buildDate), K("Last Build date", &S::lastBuildDate),
       K("Data folder", SettingField{}, F::DataFolder)});
  add({G("Language"), K("Language file", &S::languageFile)});

  add({G("Windows"), C("The coordinates of the various windows."), C("Main Window")});
  Window(t, "Main", &S::mainWindow, "MainSplit");
  add({C("Preferences Window")});
  Window(t, "Prefs", &S::prefsWindow, "PrefsTab");
  add({C("Info (Web) Window")});
  Window(t, "Web", &S::webWindow);
  add({C("Info (Text) Window")});
  Window(t, "Text", &S::textWindow);
  add({C("Find/Replace Window")});
  Window(t, "Find", &S::findWindow, "FindCase", "FindWord");
  add({C("Find All Window")});
  Window(t, "FindAll", &S::findAllWindow);
  add({C("Find SUBs Window")});
  Window(t, "FindSub", &S::findSubWindow);
  add({C("Help Window")});
  Window(t, "Help", &S::helpWindow, "FontSize");
  add({C("Hint Window")});
  Window(t, "Hint", &S::hintWindow, "FontSize");  // the group's second "FontSize": reads find the first

  add({G("Folders"), C("Your BAS files"), K("UserFolder", &S::userFolder, F::Unquoted), C("Backups of BAS files"),
       K("Backup folder", &S::backupFolder, F::Unquoted), C("Store Folder for Include files"),
       K("Store folder", &S::storeFolder, F::Unquoted), C("External references"), Ref("External Reference 0", 0),
       Ref("External Reference 1", 1), Ref("External Reference 2", 2), Ref("External Reference 3", 3),
       Ref("External Reference 4", 4), Ref("External Reference 5", 5)});

  using CS = ColourSlot;
  add({G("Colours"), C("The editor colours. Format is 24bit HEX in BBGGRR order."),
       Col("Default_fore", CS::DefaultFore), Col("Default_back", CS::DefaultBack), Col("Keyword", CS::Keyword),
       Col("Comment", CS::Comment), Col("Number", CS::Number), Col("String", CS::String),
       Col("Identifier", CS::Identifier), Col("Handle", CS::Handle), Col("User sub/function", CS::UserSub),
       Col("User variables", CS::UserVariables), Col("Selected", CS::Selected),
       Col("Selected_back", CS::SelectedBack), Col("LineNumber", CS::LineNumber), Col("Margin", CS::Margin),
       Col("Caret", CS::Caret), Col("Caret_back", CS::CaretBack), Col("CallTip", CS::CallTip),
       Col("CallTip_back", CS::CallTipBack), Col("Bookmark", CS::Bookmark),
       Col("Foldmarker_back", CS::FoldmarkerBack)});

  add({G("Options"), C("The editor settings"), K("Tabsize", &S::tabSize),
       C("Spaces for Tabs when keying in code and also"),
       C("on existing code when preforming 'Format' operations"), K("Use spaces for tabs", &S::useSpacesForTabs),
       K("Scroll_Margin", &S::scrollMargin), K("Font size", &S::fontSize), K("Font name", &S::fontName),
       K("WhiteSpace_Markers_Size", &S::whiteSpaceMarkersSize), K("Upper_Case", &S::upperCase),
       K("Colour", &S::colour), K("Show_indent", &S::showIndent), K("Auto_indent", &S::autoIndent),
       K("Line_numbers", &S::lineNumbers), K("WhiteSpace_Markers", &S::whiteSpaceMarkers),
       K("Show_line_endings", &S::showLineEndings), K("Line_endings_Mode", &S::lineEndingsMode),
       K("Indent Labels", &S::indentLabels), C("When formatting: 0 = no indent, 1 = indent with code,"),
       C("2 = indent one tab size, 3 = leave line As Is"), K("Indent Comments", &S::indentComments),
       C("Wrap comments to column:"), K("Wrap Comments", &S::wrapComments),
       C("When wrapping, aling new line to last comments"), K("Align wrapped Comments", &S::alignWrappedComments),
       C("Show column marker at column xx"), K("Column marker at", &S::columnMarkerAt),
       K("Show column marker", &S::showColumnMarker), K("Word Wrap", &S::wordWrap),
       K("Default syntax", &S::defaultSyntax),
       K("Show parameters in syntax list", SettingField{}, F::IncludeParameters),
       K("Auto complete", &S::autoComplete), K("Auto complete multi word", &S::autoCompleteMultiWord),
       K("Preserve first line", &S::preserveFirstLine), K("Folding keywords", &S::foldingKeywords),
       K("Separator Symbols", &S::separatorSymbols), K("Valid word characters", &S::validWordCharacters),
       K("Gui Design words", &S::guiDesignWords), K("Return cursor after search", &S::returnCursorAfterSearch),
       K("Don't search in strings", &S::dontSearchInStrings),
       K("Don't search in comments", &S::dontSearchInComments),
       K("Save folding in BAS file", &S::saveFoldingInBasFile)});

  add({G("Misc Preferences"), K("Confirm before Exit", &S::confirmBeforeExit),
       C("Start with a new file instead of reloading the last used files"), K("Open blank file", &S::openBlankFile),
       K("Restore previous files", &S::restorePreviousFiles), C("Start file selector with *.* instead of *.bas"),
       K("File selector", &S::fileSelector),
       C("When inserting a file, insert at line end instead of cursor position"), K("Insert at EOL", &S::insertAtEol),
       C("Some actions clean the code automatically"), K("Remove smart quotes", &S::removeSmartQuotes),
       K("Highlight user vars", &S::highlightUserVars), K("Highlight changes", &S::highlightChanges),
       C("1 = in margin, 2 = in text, 3 = both"), K("Style for changes", &S::styleForChanges),
       C("With debug, some actions are logged"), K("Debug mode", &S::debugMode),
       C("A font size of 'fs16' fits most lines to a page width when saving to RTF"),
       K("RTF Font size", &S::rtfFontSize), C("Start a new file without the header"),
       K("No header in new file", &S::noHeaderInNewFile), C("Add 'user.tkn' to all keyword lists"),
       K("Allow user keywords", &S::allowUserKeywords), K("Maximum number of tabs", &S::maxTabs),
       K("Time to refresh status", &S::timeToRefreshStatus), K("Firmware update", &S::firmwareUpdate),
       K("Remove old TKN files", &S::removeOldTknFiles, F::WrittenAsZero)});

  add({G("Printer"), K("Printer top margin", &S::printerTopMargin),
       K("Printer bottom margin", &S::printerBottomMargin), K("Printer left margin", &S::printerLeftMargin),
       K("Printer right margin", &S::printerRightMargin),
       C("The number of points to add to the size of each screen font."),
       C("A value of -3 Or -4 gives reasonably small print."), K("Printer scale", &S::printerScale)});

  add({G("Open Files"), L(SettingsList::OpenFiles)});
  add({G("Recent Files"), L(SettingsList::RecentFiles)});
  add({G("Recent Searches"), L(SettingsList::RecentSearches)});

  add({G("External programs"), C("%bas% The full path and filename to the current BAS file."),
       C("%basshort% The filename to the current BAS file without any path."),
       C("%baspath% The path To the current BAS file"),
       C("%extpath% The path To the external.exe (Default starting folder)"),
       C("%vdlpath% The path To the Vendle And Corvat program folder including trailing \\"),
       C("%q% = quote Chr(34)"), K("External hot link", &S::externalHotLink, F::HotLink),
       L(SettingsList::ExternalPrograms)});

  add({G("New File Text"), L(SettingsList::NewFileText)});

  add({G("ATTiny"), K("Starting number", &S::startingNumber), K("Line number step", &S::lineNumberStep),
       K("Label prefix", &S::labelPrefix, F::UnlessDefault)});

  add({G("Network"), C("TCPIP is used to comunicate between Vendle and Corvat"), K("Control Port", &S::controlPort),
       K("Corvat Control Port", &S::corvatControlPort), K("Corvat Data Port", &S::corvatDataPort)});

  add({G("General"), K("High DPI", &S::highDpi), K("TabBar Height", &S::tabBarHeight),
       K("Minutes between backups", &S::backupIntervalSeconds, F::Minutes), K("Misc Font", &S::miscFont),
       K("Misc Font size", &S::miscFontSize), K("Mono Font", &S::monoFont),
       K("Mono Font size", &S::monoFontSize)});
  return t;
}

}  // namespace

const std::vector<LayoutEntry>& SettingsLayout() {
  static const std::vector<LayoutEntry> kLayout = Build();
  return kLayout;
}

std::vector<WindowRect Settings::*> WindowFields() {
  return {&S::mainWindow,    &S::prefsWindow,   &S::webWindow,  &S::textWindow, &S::findWindow,
          &S::findAllWindow, &S::findSubWindow, &S::helpWindow, &S::hintWindow};
}

}  // namespace vendle
