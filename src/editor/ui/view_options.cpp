#include "editor/ui/view_options.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <vector>

#include "documents/ui/document_commands.h"
#include "editor/view_appearance.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/editor_commands.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/main_window_commands.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

int Flag(int value) { return value != 0 ? 1 : 0; }
std::intptr_t Rgb(std::uint32_t colour) { return static_cast<std::intptr_t>(colour); }

void Check(App& app, Item item, bool on) { SetItemChecked(app, +item, on); }

// A font family that exists here: the stored name when it is installed,
// else a fixed-pitch family that is (the setting itself stays).
QString InstalledFamily(const QString& name) {
  if (name.isEmpty() || QFontDatabase::hasFamily(name)) return name;
  static const QString fallback = [] {
    // The family the fixed-pitch system font resolves to, when the font
    // database counts it as fixed pitch; else the first family that is.
    const QString system = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
    if (QFontDatabase::isFixedPitch(system)) return system;
    for (const QString& family : QFontDatabase::families())
      if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family)) return family;
    return system;
  }();
  return fallback;
}

int WrapModeOf(int stored) { return stored >= 0 && stored <= 3 ? stored : 0; }

void ApplyViewWhiteSpace(const Settings& st, const Sci& s) {
  // 2: visible after the indentation.
  s.send(S::SCI_SETVIEWWS, Flag(st.whiteSpaceMarkers) * S::SCWS_VISIBLEAFTERINDENT);
}
void ApplyViewEol(const Settings& st, const Sci& s) { s.send(S::SCI_SETVIEWEOL, Flag(st.showLineEndings)); }
void ApplyIndentGuides(const Settings& st, const Sci& s) {
  s.send(S::SCI_SETINDENTATIONGUIDES, Flag(st.showIndent) ? S::SC_IV_REAL : S::SC_IV_NONE);
}
void ApplyEdge(const Settings& st, const Sci& s) {
  s.send(S::SCI_SETEDGEMODE, Flag(st.showColumnMarker) ? S::EDGE_LINE : S::EDGE_NONE);
  s.send(S::SCI_SETEDGECOLUMN, std::max(st.columnMarkerAt, 0));
}

void ShowLineNumbersIn(App& app, EditorView& ed, bool on) {
  const Sci s = ed.sci();
  s.send(S::SCI_SETMARGINTYPEN, 0, on ? S::SC_MARGIN_NUMBER : S::SC_MARGIN_SYMBOL);
  ed.lineNumberDigits = 0;
  if (on) {
    FitLineNumberMargin(ed);
  } else {
    s.send(S::SCI_SETMARGINWIDTHN, 0, 0);
  }
  Check(app, Item::PhysicalLineNumbers, on);
}

}  // namespace

void FitLineNumberMargin(EditorView& ed) {
  const Sci s = ed.sci();
  if (s.send(S::SCI_GETMARGINTYPEN, 0) != S::SC_MARGIN_NUMBER) return;
  int digits = 1;
  for (Sci::Pos n = s.lineCount(); n >= 10; n /= 10) ++digits;
  if (digits == ed.lineNumberDigits) return;
  ed.lineNumberDigits = digits;
  const QByteArray nines(digits, '9');
  s.send(S::SCI_SETMARGINWIDTHN, 0, s.sendText(S::SCI_TEXTWIDTH, S::STYLE_LINENUMBER, nines.constData()) + 10);
}

void AttachLineNumberMargin(EditorView& ed) {
  // Lines come and go by typing, by the program's edits and by loads; the
  // count is read once per change of the view.
  QObject::connect(&ed, &QsciScintillaBase::SCN_UPDATEUI, &ed, [&ed](int) { FitLineNumberMargin(ed); });
}

namespace {

// The line-end mode on one editor: the mode for new line ends, and the line
// ends already in the text converted to it.
void ApplyLineEndingMode(App& app, EditorView& ed) {
  const int mode = app.settings().lineEndingsMode;
  const int eol = EolModeOf(mode);
  ed.sci().send(S::SCI_SETEOLMODE, eol);
  ed.sci().send(S::SCI_CONVERTEOLS, eol);
  Check(app, Item::DosLineEndings, mode == 0);
  Check(app, Item::UnixLineEndings, mode == 1);
}

// The style bytes of [start, end), one per text byte.
QByteArray StyleBytes(const Sci& s, Sci::Pos start, Sci::Pos end) {
  if (end <= start) return {};
  QByteArray pairs(2 * (end - start) + 2, '\0');  // text and style bytes, then two NULs
  struct {
    long cpMin;
    long cpMax;
    char* text;
  } tr{static_cast<long>(start), static_cast<long>(end), pairs.data()};
  s.sendPtr(S::SCI_GETSTYLEDTEXT, 0, &tr);
  const qsizetype n = end - start;
  QByteArray styles(n, '\0');
  for (qsizetype i = 0; i < n; ++i) styles[i] = pairs.at(2 * i + 1);
  return styles;
}

// The header lines whose folds are closed.
std::vector<Sci::Pos> ContractedHeaders(const Sci& s) {
  std::vector<Sci::Pos> lines;
  const Sci::Pos count = s.lineCount();
  for (Sci::Pos line = 0; line < count; ++line)
    if ((s.send(S::SCI_GETFOLDLEVEL, line) & S::SC_FOLDLEVELHEADERFLAG) && !s.send(S::SCI_GETFOLDEXPANDED, line))
      lines.push_back(line);
  return lines;
}

class WaitCursor {
 public:
  explicit WaitCursor(const Sci& s) : s_(s) { s_.send(S::SCI_SETCURSOR, S::SC_CURSORWAIT); }
  ~WaitCursor() { s_.send(S::SCI_SETCURSOR, static_cast<std::uintptr_t>(S::SC_CURSORNORMAL)); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Sci s_;
};

}  // namespace

void SetEditorStyle(EditorView& ed, int style, const QString& fontName, int size, int flags) {
  const Sci s = ed.sci();
  if (!fontName.isEmpty()) s.sendText(S::SCI_STYLESETFONT, style, InstalledFamily(fontName).toUtf8().constData());
  if (size != -1) s.send(S::SCI_STYLESETSIZE, style, size);
  if (flags != -1) {
    s.send(S::SCI_STYLESETBOLD, style, (flags & 256) ? 1 : 0);
    s.send(S::SCI_STYLESETITALIC, style, (flags & 512) ? 1 : 0);
    s.send(S::SCI_STYLESETUNDERLINE, style, ((flags & 4) && !(flags & 512)) ? 1 : 0);
  }
}

void SetEditorFont(App& app, EditorView& ed) {
  SetEditorStyle(ed, S::STYLE_DEFAULT, app.settings().fontName, app.settings().fontSize, 0);
  const Sci s = ed.sci();
  s.send(S::SCI_STYLECLEARALL);
  // A line is as tall as the font's ascent and descent, but in many fonts the
  // underscore and the descenders reach below the descent and would be cut by
  // the next line: give the lines the room for the lowest ink.
  QFont font(InstalledFamily(app.settings().fontName));
  font.setPointSize(std::max(app.settings().fontSize, 1));
  const QFontMetrics fm(font);
  const int lowest = fm.tightBoundingRect(QStringLiteral("_gjpqy|")).bottom();
  s.send(S::SCI_SETEXTRADESCENT, 0);
  const int height = static_cast<int>(s.send(S::SCI_TEXTHEIGHT, 0));
  s.send(S::SCI_SETEXTRADESCENT, std::max(0, fm.ascent() + lowest + 1 - height));
}

void SetEditorTabs(App& app, EditorView& ed) {
  const Sci s = ed.sci();
  const int tab = std::max(app.settings().tabSize, 1);
  s.send(S::SCI_SETTABWIDTH, tab);
  s.send(S::SCI_SETINDENT, tab);
  s.send(S::SCI_SETUSETABS, app.settings().useSpacesForTabs ? 0 : 1);
}

void ApplyEditorColours(App& app, EditorView& ed) {
  const Settings& st = app.settings();
  const ColourSettings& c = st.colours;
  auto colour = [&](ColourSlot slot) { return Rgb(ColourOf(c, slot)); };
  const Sci s = ed.sci();

  // Every style starts from the default colours.
  s.send(S::SCI_STYLESETBACK, S::STYLE_DEFAULT, colour(ColourSlot::DefaultBack));
  s.send(S::SCI_STYLECLEARALL);
  s.send(S::SCI_STYLESETFORE, S::STYLE_DEFAULT, colour(ColourSlot::DefaultFore));
  s.send(S::SCI_STYLECLEARALL);

  s.send(S::SCI_SETSELBACK, 1, colour(ColourSlot::SelectedBack));
  s.send(S::SCI_SETSELFORE, 1, colour(ColourSlot::Selected));

  s.send(S::SCI_STYLESETBACK, S::STYLE_LINENUMBER, colour(ColourSlot::Margin));
  s.send(S::SCI_STYLESETFORE, S::STYLE_LINENUMBER, colour(ColourSlot::LineNumber));

  if (ColourOf(c, ColourSlot::CaretBack) != kUnsetColour) {
    s.send(S::SCI_SETCARETLINEBACK, colour(ColourSlot::CaretBack));
    s.send(S::SCI_SETCARETLINEVISIBLE, 1);
  } else {
    s.send(S::SCI_SETCARETLINEVISIBLE, 0);
  }
  s.send(S::SCI_SETCARETFORE, colour(ColourSlot::Caret));

  s.send(S::SCI_STYLESETBACK, S::STYLE_CALLTIP, colour(ColourSlot::CallTipBack));
  s.send(S::SCI_STYLESETFORE, S::STYLE_CALLTIP, colour(ColourSlot::CallTip));

  s.send(S::SCI_MARKERSETBACK, 0, colour(ColourSlot::Margin));
  s.send(S::SCI_MARKERSETFORE, 0, colour(ColourSlot::Bookmark));

  s.send(S::SCI_SETFOLDMARGINCOLOUR, 1, colour(ColourSlot::Margin));
  s.send(S::SCI_SETFOLDMARGINHICOLOUR, 1, colour(ColourSlot::Margin));

  for (int marker : {31, 30, 29, 28, 25, 26, 27}) s.send(S::SCI_MARKERSETBACK, marker, colour(ColourSlot::FoldmarkerBack));
  for (int marker : {31, 30, 25, 26}) s.send(S::SCI_MARKERSETFORE, marker, colour(ColourSlot::Margin));

  s.send(S::SCI_STYLESETBACK, S::STYLE_INDENTGUIDE, 0xCBCBCB);

  for (const WordStyleLook& look : WordStyleLooks(c, st.colour != 0)) {
    s.send(S::SCI_STYLESETBOLD, look.style, look.bold ? 1 : 0);
    s.send(S::SCI_STYLESETITALIC, look.style, look.italic ? 1 : 0);
    if (look.fore) s.send(S::SCI_STYLESETFORE, look.style, Rgb(*look.fore));
  }

  s.send(S::SCI_STYLESETCASE, 1, KeywordCaseMode(st.upperCase));

  s.send(S::SCI_SETWHITESPACESIZE, st.whiteSpaceMarkersSize);
  s.send(S::SCI_SETMARGINWIDTHN, 1, 20);
  s.send(S::SCI_MARKERDEFINE, 0, S::SC_MARK_ARROWS);

  SetEditorTabs(app, ed);
  s.send(S::SCI_SETBACKSPACEUNINDENTS, 1);
}

void ApplyEditorSettings(App& app, EditorView& ed) {
  const Settings& st = app.settings();
  const Sci s = ed.sci();
  SetEditorFont(app, ed);
  SetEditorTabs(app, ed);
  // A parked editor keeps wrapping off until it is shown.
  s.send(S::SCI_SETWRAPMODE, ed.isHidden() ? S::SC_WRAP_NONE : WrapModeOf(st.wordWrap));
  s.send(S::SCI_SETWRAPVISUALFLAGS, S::SC_WRAPVISUALFLAG_END | S::SC_WRAPVISUALFLAG_START);
  ApplyEditorColours(app, ed);
  Check(app, Item::SyntaxColouring, st.colour != 0);
  ApplyIndentGuides(st, s);
  Check(app, Item::IndentGuides, st.showIndent != 0);
  ApplyEdge(st, s);
  ApplyKeywordCase(app);
  ShowLineNumbersIn(app, ed, st.lineNumbers != 0);
  // A document keeps the line ends of its file; only an empty editor (a new
  // document) takes the mode of the settings.
  if (s.length() == 0) s.send(S::SCI_SETEOLMODE, EolModeOf(st.lineEndingsMode));
  Check(app, Item::DosLineEndings, st.lineEndingsMode == 0);
  Check(app, Item::UnixLineEndings, st.lineEndingsMode == 1);
  ApplyViewEol(st, s);
  Check(app, Item::ShowLineEndings, st.showLineEndings != 0);
  ApplyViewWhiteSpace(st, s);
  Check(app, Item::MarkSpaces, st.whiteSpaceMarkers != 0);
  Check(app, Item::AutoIndent, st.autoIndent != 0);
  Check(app, Item::ShowColumn, st.showColumnMarker != 0);
}

void PrepareShownEditor(App& app, EditorView& ed) {
  ed.sci().send(S::SCI_SETWRAPMODE, WrapModeOf(app.settings().wordWrap));
}

void PrepareParkedEditor(App&, EditorView& ed) { ed.sci().send(S::SCI_SETWRAPMODE, S::SC_WRAP_NONE); }

void SetEditorFontSize(App& app, int size) {
  const FontSizeChoice choice = ChooseFontSize(size);
  for (int item = +Item::FontSmall; item <= +Item::FontBiggest; ++item)
    SetItemChecked(app, item, item == choice.item);
  app.settings().fontSize = choice.size;
  if (EditorView* ed = CurrentEditor(app)) ApplyEditorSettings(app, *ed);
  app.toolkit().loadFont(+FontId::Editor, app.settings().fontName, choice.size, true);
}

void SetFontSizeItem(App& app, int item) { SetEditorFontSize(app, FontSizeForItem(item)); }

void SetLineNumbersShown(App& app, bool on) {
  if (EditorView* ed = CurrentEditor(app))
    ShowLineNumbersIn(app, *ed, on);
  else
    Check(app, Item::PhysicalLineNumbers, on);
}

void ApplyKeywordCase(App& app) {
  const int mode = KeywordCaseMode(app.settings().upperCase);
  ForEachEditor(app, [&](EditorView& ed) { ed.sci().send(S::SCI_STYLESETCASE, 1, mode); });
  SetItemText(app, +Item::CapitalizeKeywords, KeywordCaseItemText(mode));
  Check(app, Item::CapitalizeKeywords, mode != 0);
}

void SetLineEndingMode(App& app, int mode) {
  app.settings().lineEndingsMode = mode == 1 ? 1 : 0;
  if (EditorView* ed = CurrentEditor(app)) {
    ApplyLineEndingMode(app, *ed);
  } else {
    Check(app, Item::DosLineEndings, mode != 1);
    Check(app, Item::UnixLineEndings, mode == 1);
  }
}

void SetLineEndMode(App& app, int mode) {
  const TimedCommand timed(app);
  SetLineEndingMode(app, mode);
}

void ViewToggle(App& app, int item) {
  Settings& st = app.settings();
  auto flip = [](int& value) { value = value != 0 ? 0 : 1; };
  switch (static_cast<Item>(item)) {
    case Item::SyntaxColouring:
      flip(st.colour);
      ForEachEditor(app, [&](EditorView& ed) { ApplyEditorColours(app, ed); });
      Check(app, Item::SyntaxColouring, st.colour != 0);
      break;
    case Item::CapitalizeKeywords: {
      // The display changes; the text does not.
      const TimedCommand timed(app);
      st.upperCase = (KeywordCaseMode(st.upperCase) + 1) % 4;
      ApplyKeywordCase(app);
      break;
    }
    case Item::MarkSpaces:
      flip(st.whiteSpaceMarkers);
      ForEachEditor(app, [&](EditorView& ed) { ApplyViewWhiteSpace(st, ed.sci()); });
      Check(app, Item::MarkSpaces, st.whiteSpaceMarkers != 0);
      break;
    case Item::ShowLineEndings:
      flip(st.showLineEndings);
      ForEachEditor(app, [&](EditorView& ed) { ApplyViewEol(st, ed.sci()); });
      Check(app, Item::ShowLineEndings, st.showLineEndings != 0);
      break;
    case Item::IndentGuides:
      flip(st.showIndent);
      ForEachEditor(app, [&](EditorView& ed) { ApplyIndentGuides(st, ed.sci()); });
      Check(app, Item::IndentGuides, st.showIndent != 0);
      break;
    case Item::AutoIndent:
      flip(st.autoIndent);
      Check(app, Item::AutoIndent, st.autoIndent != 0);
      break;
    case Item::ShowColumn:
      flip(st.showColumnMarker);
      ForEachEditor(app, [&](EditorView& ed) { ApplyEdge(st, ed.sci()); });
      Check(app, Item::ShowColumn, st.showColumnMarker != 0);
      break;
    case Item::PhysicalLineNumbers:
      // Only the current document's editor changes.
      flip(st.lineNumbers);
      SetLineNumbersShown(app, st.lineNumbers != 0);
      break;
    default:
      break;
  }
}

bool WriteKeywordCase(EditorView& ed, int mode) {
  if (KeywordCaseMode(mode) == 0) return false;
  const Sci s = ed.sci();
  WaitCursor wait(s);
  const Sci::Pos anchor = s.send(S::SCI_GETANCHOR);
  const Sci::Pos caret = s.currentPos();
  const Sci::Pos firstVisible = s.send(S::SCI_GETFIRSTVISIBLELINE);
  const std::vector<Sci::Pos> folded = ContractedHeaders(s);

  // Styles exist only where the lexer has run: style the whole text first.
  RestyleFrom(&ed, 0);
  StyleUpTo(ed, s.length());
  const QByteArray text = GetEditorBytes(&ed);
  const QByteArray recased = RecaseKeywords(text, StyleBytes(s, 0, text.size()), mode);
  const std::vector<ByteRun> runs = DifferingRuns(text, recased);
  if (runs.empty()) return false;
  {
    // Equal lengths: every position, marker and fold stays where it was.
    UndoStep step(s);
    QuietChanges changes(ed);
    for (const ByteRun& r : runs) {
      const QByteArray part = recased.mid(r.start, r.end - r.start);
      s.send(S::SCI_SETTARGETRANGE, r.start, r.end);
      s.sendText(S::SCI_REPLACETARGET, part.size(), part.constData());
      changes.inserted(r.start, part.size());
    }
  }
  s.send(S::SCI_SETSEL, anchor, caret);
  for (Sci::Pos line : folded)
    if (s.send(S::SCI_GETFOLDEXPANDED, line)) s.send(S::SCI_FOLDLINE, line, S::SC_FOLDACTION_CONTRACT);
  s.send(S::SCI_SETFIRSTVISIBLELINE, firstVisible);
  return true;
}

void SaveKeywordCase(App& app) {
  EditorView* ed = CurrentEditor(app);
  if (!ed) return;
  const TimedCommand timed(app);
  WriteKeywordCase(*ed, app.settings().upperCase);
}

void ForEachEditor(App& app, const std::function<void(EditorView&)>& apply) {
  for (int c = +ControlId::FirstEditor; c <= +ControlId::FirstEditor + app.settings().maxTabs; ++c)
    if (EditorView* ed = EditorOf(app.toolkit(), c)) apply(*ed);
}

}  // namespace vendle
