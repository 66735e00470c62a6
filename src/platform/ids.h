// The fixed numbers of the program: windows, controls, menus, menu items,
// timers, fonts and event kinds. No other file spells one of these numbers.
#pragma once

#include <type_traits>

namespace vendle {

// Top-level windows.
enum class WindowId : int {
  Main = 1,
  Settings = 3,
  WebPage = 4,
  InfoText = 5,
  FindReplace = 6,
  FindAll = 7,
  SubList = 450,
  SyntaxHints = 452,
  HelpViewer = 454,
};

// Controls of the main window and of the tool windows.
enum class ControlId : int {
  Toolbar = 9,
  TabBar = 10,
  FirstEditor = 20,  // editors are FirstEditor + slot, slot 0..MaxTabs
  StatusBar = 60,
  WebControl = 63,
  InfoEditor = 64,
  // Find and Replace (window 6) and Find All (window 7).
  FindLabel = 426,
  FindText = 427,
  ReplaceCheck = 428,
  ReplaceText = 429,
  WholeWordCheck = 430,
  MatchCaseCheck = 431,
  FindNextButton = 432,
  FindPrevButton = 433,
  ReplaceButton = 434,
  ReplaceAllButton = 435,
  CloseFindButton = 436,
  FindAllButton = 438,
  FindAllList = 439,
  SkipStringsCheck = 440,
  SkipCommentsCheck = 441,
  // Syntax hint window 452.
  SubListBox = 451,  // in window 450
  HintList = 453,
  // The help viewer's browser and its four buttons.
  HelpBrowser = 455,
  HelpVendle = 456,
  HelpMmBasic = 457,
  HelpBack = 458,
  HelpForward = 459,
  // The settings window (window 3): panel 296 and its four pages.
  SettingsPanel = 296,
  // "Colours"
  ColourCanvas = 297,
  ColourDefault = 298,
  ColourCancel = 299,
  ColourSave = 300,
  ColourLabel = 302,
  // "External programs"
  ProgramPosition = 342,  // spin -1..9
  ProgramMenuTextLabel = 343,
  ProgramMenuText = 344,
  ProgramFolderLabel = 345,
  ProgramFolder = 346,
  ProgramFolderBrowse = 347,
  ProgramPathLabel = 348,
  ProgramPath = 349,
  ProgramPathBrowse = 350,
  ProgramParametersLabel = 351,
  ProgramParameters = 352,
  ProgramLegend = 354,
  ProgramSetDefault = 355,
  ProgramSave = 356,
  ProgramTest = 359,
  ProgramBatch = 360,  // spin 0..9
  ProgramBatchLabel = 361,
  // "External references": buttons 330..335 belong to fields 336..341.
  ReferenceBrowseFirst = 330,
  ReferenceFieldFirst = 336,
  ReferenceSave = 358,
  // "Preferences"
  ConfirmExitCheck = 304,
  PreferencesSave = 305,
  OpenBlankCheck = 306,
  TabSizeSpin = 316,
  TabSizeFocus = 319,  // hidden: takes the focus from the tab-size spin
  FontField = 320,
  FontLabel = 322,
  TabSizeLabel = 323,
  FontBrowse = 324,
  SmartQuotesCheck = 328,
  SaveLanguage = 357,
  StoreFolderBrowse = 382,
  StoreFolderField = 383,
  BackupFolderBrowse = 384,
  BackupFolderField = 385,
  BackupMinutes = 386,
  OptionCheckFirst = 411,  // the option check boxes, to OptionCheckLast
  AutoCompleteCheck = 412,
  ShowChangesCheck = 419,
  WordWrapCheck = 421,
  SpacesForTabsCheck = 422,
  OptionCheckLast = 423,
};

// Menus.
enum class MenuId : int {
  Main = 76,
  EditorPopup = 295,
};

// Menu items. Toolbar buttons and shortcuts send the same numbers.
// Ranges are given by their first and last item.
enum class Item : int {
  // File
  New = 78,
  Open = 79,
  OpenFromStore = 80,
  RecentFirst = 82,
  RecentLast = 91,
  Clone = 92,
  Save = 93,
  Snapshot = 94,
  SaveAll = 95,
  SaveAs = 96,
  SaveAsInStore = 97,
  SaveSelectionAs = 98,
  SaveAsRtf = 99,
  ForumInColour = 100,
  FormatForForum = 101,
  FormatAsHtml = 102,
  FormatAsColourHtml = 103,
  SaveNewFileIntro = 104,
  RevertToSaved = 105,
  Close = 106,
  CloseAll = 107,
  Print = 108,
  Preferences = 109,
  FindNext = 111,  // F3
  JoinLine = 112,  // Ctrl+Q
  Exit = 113,
  // Edit
  Undo = 114,
  Redo = 115,
  SelectAll = 116,
  Cut = 117,
  Copy = 118,
  Paste = 119,
  InsertLineEnd = 120,  // Shift+Return and the popup's "<Enter>"
  PasteAsAscii = 121,
  InsertFile = 122,
  InsertFileFromStore = 123,
  InsertInclude = 124,
  FindReplace = 126,
  QuickFind = 127,
  PrefillStart = 128,
  PostfillEnd = 129,
  CancelPrefill = 130,
  SyntaxHintAtCaret = 131,  // F12
  ColourFirst = 133,        // "BLACK"
  ColourLast = 157,         // "Choose colour..."
  ChooseColour = 157,
  // Program
  RemoveLineNumbers = 158,
  RemoveBlankLines = 160,
  RemoveComments = 161,
  RemoveIndents = 162,
  Crunch = 163,
  UnCrunch = 164,
  RemoveNonAscii = 165,
  CommentLines = 166,
  UncommentLines = 167,
  ConvertCComments = 168,
  CleanupLabels = 170,
  FormatIndentation = 171,
  WrapComments = 172,
  Merge = 173,
  VariableReport = 174,
  DosLineEndings = 175,
  UnixLineEndings = 176,
  DeployKey = 178,  // F2 and the toolbar
  // Font
  FontSmall = 179,
  FontMedium = 180,
  FontBigger = 181,
  FontBiggest = 182,
  // Design
  NewLayoutDesign = 183,
  IncorporateLayoutCode = 184,
  RefreshLayoutCode = 185,
  ReplaceVariablesWithNumbers = 186,
  ExtractYourCode = 187,
  // View
  SyntaxColouring = 188,
  CapitalizeKeywords = 189,
  MarkSpaces = 190,
  ShowLineEndings = 191,
  IndentGuides = 192,
  AutoIndent = 193,
  ShowColumn = 194,
  PhysicalLineNumbers = 196,
  SaveKeywordCase = 198,
  FoldAll = 199,
  UnfoldAll = 200,
  RecomputeFolds = 201,  // F9
  // BookMarks
  ToggleBookmark = 202,
  PreviousBookmark = 203,
  NextBookmark = 204,
  ClearAllBookmarks = 205,
  GotoLine = 206,
  FindSubFunction = 207,
  ReturnFromSub = 208,
  // Action
  Deploy = 209,
  ExternalFirst = 210,
  ExternalLast = 219,
  EditProgramList = 220,
  RunDefaultExternal = 221,  // toolbar and F6
  RavoltFirst = 223,
  RavoltLast = 232,
  // Syntax
  IncludeParameters = 233,
  SyntaxFirst = 234,
  SyntaxLast = 263,
  SetSyntaxAsDefault = 275,
  // Help
  About = 276,
  SyntaxHelp = 277,
  SyntaxHelpAtCaret = 278,  // F1
  DetailedSyntaxHelp = 279,  // Shift+F1
  VendleHelp = 280,
  AsciiTable = 281,
  KeyboardShortcuts = 282,
  ExtRefFirst = 284,
  ExtRefLast = 289,
  ChangeLog = 290,
  CopyInfFiles = 291,
  // Keys without a menu entry
  FindWindowF3 = 437,  // F3 and Return in window 6
  ReturnKey = 294,
  NextTab = 296,      // Ctrl+Tab, Ctrl+PgDown
  PreviousTab = 297,  // Ctrl+Shift+Tab, Ctrl+PgUp
};

// +Item::Open, +ControlId::TabBar ...: the number of any of the enums here.
template <typename E>
  requires std::is_enum_v<E>
constexpr int operator+(E e) {
  return static_cast<int>(e);
}

// Timers of the main window.
enum class TimerId : int {
  Backup = 72,        // every 60 000 ms
  FirstLayout = 73,   // once after 300 ms
  SyntaxHelpLine = 74,
  StatusRefresh = 75,
};

// Fonts.
enum class FontId : int {
  Misc = 69,  // tab bar and printing
  Mono = 70,  // information window
  Editor = 293,  // "Font name" at "Font size"
};

// Event kinds. These are our own numbers, not Qt event types.
enum class EventKind : int {
  None = 0,
  Control = 13100,     // object: control number, type: notification code
  Menu = 13101,        // object: item number (menu, toolbar button or shortcut)
  Drop = 13105,        // data: dropped file paths, LF-separated
  Timer = 13110,       // object: timer number
  RightClick = 13111,
  Close = 13116,
  Move = 13117,
  Size = 13118,
  ControlCommand = 65537,  // data: a command received on the control port
};

// Event types of control events (EventKind::Control).
enum class ControlEvent : int {
  FocusLost = 256,
  FocusGained = 512,
  // Tab bar mouse events; data carries the position and button.
  MouseMove = 1,
  MouseDown = 2,
  MouseUp = 3,
  MouseLeave = 4,
  MouseWheel = 5,
  MouseDoubleClick = 6,
  MiddleDown = 7,
  MiddleUp = 8,
  // Spins of the settings window: an arrow (delta +1 or -1), typed digits.
  SpinStep = 9,
  SpinTyped = 10,
  // A tab chosen by an assistive tool; x carries its index.
  TabChosen = 11,
};

}  // namespace vendle
