// Every setting of the preference file "Vendle5.inf", in memory. Each field
// carries its built-in default, so a default-constructed Settings is what an
// empty or missing file loads; the preference load replaces the defaults by
// the stored values. Field names follow the keys as stored. Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace vendle {

// Saved placement of one window, with the values some windows keep with it.
struct WindowRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  int extra1 = 0;  // "MainSplit", "PrefsTab", "FindCase", "FontSize"
  int extra2 = 0;  // "FindWord"
  bool operator==(const WindowRect&) const = default;
};

// One configured program: its menu text, starting folder, program path,
// parameters (a double quote written "%q%") and batch number (0 runs the
// program directly, n through the batch script n).
struct ExternalProgramEntry {
  QString menuText;
  QString folder;
  QString program;
  QString parameters;
  qint64 batch = 0;
  bool operator==(const ExternalProgramEntry&) const = default;
};

// The 21 editor colours, 0x00BBGGRR, by slot.
enum class ColourSlot : int {
  DefaultFore = 0,
  DefaultBack = 1,
  Keyword = 2,
  Comment = 3,
  Number = 4,
  String = 5,
  Identifier = 6,
  Handle = 7,
  UserSub = 8,
  Selected = 9,
  SelectedBack = 10,
  LineNumber = 11,
  Margin = 12,
  Caret = 13,
  CaretBack = 14,
  CallTipBack = 15,
  CallTip = 16,
  Bookmark = 17,
  FoldmarkerBack = 18,
  Unused = 19,
  UserVariables = 20,
};
using ColourSettings = std::array<std::uint32_t, 21>;

ColourSettings DefaultColours();
// The two programs of the list when the file names none.
std::vector<ExternalProgramEntry> DefaultExternalPrograms();
// The one entry of the sibling tool's list when it names none.
ExternalProgramEntry NotInstalledEntry();
// The header of a new document when the file holds none.
QString DefaultNewFileText();

struct Settings {
  // [Info]
  QString buildDate;
  QString lastBuildDate;
  // [Language]
  QString languageFile = QStringLiteral("none");
  // [Windows]
  WindowRect mainWindow{100, 100, 1100, 900, 720};
  WindowRect prefsWindow{200, 200, 520, 460, 0};
  WindowRect webWindow{200, 200, 800, 500};
  WindowRect textWindow{200, 200, 800, 500};
  WindowRect findWindow{500, 140, 370, 210, 0, 0};
  WindowRect findAllWindow{500, 400, 400, 600};
  WindowRect findSubWindow{200, 200, 300, 800};
  WindowRect helpWindow{200, 200, 700, 287, 10};
  WindowRect hintWindow{200, 200, 700, 287, 10};
  // [Folders]
  QString userFolder;
  QString backupFolder;
  QString storeFolder;
  std::array<QString, 6> externalReferences{
      QStringLiteral("External Reference 0"), QStringLiteral("External Reference 1"),
      QStringLiteral("External Reference 2"), QStringLiteral("External Reference 3"),
      QStringLiteral("External Reference 4"), QStringLiteral("External Reference 5")};
  // [Colours]
  ColourSettings colours = DefaultColours();
  // [Options]
  int upperCase = 1;  // keyword case mode: 0 as typed, 1 upper, 2 lower, 3 capitalised
  int colour = 1;
  int showIndent = 1;
  int autoIndent = 1;
  int lineNumbers = 1;
  int whiteSpaceMarkers = 0;
  int whiteSpaceMarkersSize = 2;
  int showLineEndings = 0;
  int lineEndingsMode = 0;  // 0 CR LF, 1 LF
  int indentLabels = 1;
  int indentComments = 1;
  int tabSize = 2;
  int useSpacesForTabs = 1;
  int scrollMargin = 10;
  int fontSize = 12;
  QString fontName = QStringLiteral("Courier New");
  int wordWrap = 1;
  int dontSearchInStrings = 1;
  int dontSearchInComments = 1;
  QString defaultSyntax = QStringLiteral("picomite");
  int preserveFirstLine = 1;
  QString foldingKeywords = QStringLiteral("sub function csub cfunction definefont");
  QString separatorSymbols = QStringLiteral("=+-*/\\()[],;:<>^");
  QString validWordCharacters =
      QStringLiteral("tei0ndsra1o2l3cpmST.I5h_fEN46ACgOxDR8u9LbyMvw7HPFBqGjVUzkKXWZYQ#J@%!$~");
  QString guiDesignWords = QStringLiteral("GUI TEXT BOX LOAD RBOX CIRC LINE");
  int autoComplete = 1;
  int autoCompleteMultiWord = 1;
  int returnCursorAfterSearch = 0;
  int wrapComments = 80;
  int alignWrappedComments = 1;
  int showColumnMarker = 1;
  int columnMarkerAt = 80;
  int saveFoldingInBasFile = 0;
  // [Misc Preferences]
  int confirmBeforeExit = 1;
  int openBlankFile = 0;
  int restorePreviousFiles = 1;
  int fileSelector = 0;
  int insertAtEol = 1;
  int removeSmartQuotes = 0;
  int highlightUserVars = 0;
  int highlightChanges = 1;
  int styleForChanges = 1;
  int debugMode = 0;
  QString rtfFontSize = QStringLiteral("fs16");
  int noHeaderInNewFile = 0;
  int allowUserKeywords = 1;
  int maxTabs = 15;  // "Maximum number of tabs", kept within 5..39
  int timeToRefreshStatus = 3000;
  qint64 firmwareUpdate = 1;  // modification time of the change log last opened
  int removeOldTknFiles = 1;
  // [Printer]
  int printerTopMargin = 200;
  int printerBottomMargin = 200;
  int printerLeftMargin = 50;
  int printerRightMargin = 50;
  qint64 printerScale = 0;
  // [Open Files]
  int fileCount = 0;        // entries loaded; written as the entries of openFilesString
  QString openFilesString;  // RecentFileEntry lines joined by LF (loaded with a leading LF,
                            // recorded at shutdown with a trailing one; empty fields are skipped)
  // [Recent Files], [Recent Searches]
  QStringList recentFiles;  // newest first
  QStringList findHistory;
  // [External programs]
  int externalHotLink = 0;  // DefaultExternalProgram: 0-based, range-checked where used
  std::vector<ExternalProgramEntry> externalPrograms = DefaultExternalPrograms();
  // [New File Text]
  QString newFileText = DefaultNewFileText();  // lines separated by LF; emptied at start-up by
                                               // "No header in new file"
  QString storedNewFileText = DefaultNewFileText();  // the header as loaded: written back when
                                                     // newFileText is empty, so the option keeps it
  // [ATTiny]
  QString labelPrefix = QStringLiteral("_LBL");  // written only when changed
  int startingNumber = 100;
  int lineNumberStep = 10;
  // [Network]
  int controlPort = 6832;
  int corvatControlPort = 50899;
  int corvatDataPort = 50900;
  // [General]
  int highDpi = 0;
  int tabBarHeight = 0;
  int backupIntervalSeconds = 30 * 60;  // "Minutes between backups", held in seconds
  QString miscFont = QStringLiteral("Arial");
  int miscFontSize = 9;
  QString monoFont = QStringLiteral("Lucida Console");
  int monoFontSize = 9;

  // From "Ravolt.inf".
  QString ravoltFolder;
  std::vector<ExternalProgramEntry> ravoltPrograms{NotInstalledEntry()};

  // Live state that the load derives from the stored values.
  int includeParameters = 1;  // Syntax menu Item::IncludeParameters; from "Default syntax", not from its own key
  QString currentSyntaxName = QStringLiteral("picomite");

  bool operator==(const Settings&) const = default;
};

// An external-program index that is valid for `list`, or -1.
inline int CheckedProgramIndex(int index, const std::vector<ExternalProgramEntry>& list) {
  return index >= 0 && std::size_t(index) < list.size() ? index : -1;
}

}  // namespace vendle
