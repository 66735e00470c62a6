#include "editor/ui/editor_setup.h"

#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

constexpr int kPositionCacheEntries = 16384;

// The kind of the text's last line end (the rule a file's kind is taken
// by), or -1 when the text has none.
int LastLineEndMode(const Sci& s) {
  const Sci::Pos lines = s.lineCount();
  if (lines < 2) return -1;
  const Sci::Pos end = s.positionFromLine(lines - 1);  // just past the last line end
  if (s.send(S::SCI_GETCHARAT, end - 1) == '\r') return S::SC_EOL_CR;
  return end >= 2 && s.send(S::SCI_GETCHARAT, end - 2) == '\r' ? S::SC_EOL_CRLF : S::SC_EOL_LF;
}

}  // namespace

// The Scintilla set-up every editor of the pool gets once.
void SetUpEditorControl(EditorView& ed, int lineEndingsMode) {
  Sci s = ed.sci();
  s.send(S::SCI_SETCODEPAGE, S::SC_CP_UTF8);
  s.send(S::SCI_SETMARGINWIDTHN, 1, 0);
  s.send(S::SCI_SETMARGINSENSITIVEN, 2, 1);
  s.send(S::SCI_SETMARGINMASKN, 2, static_cast<std::intptr_t>(S::SC_MASK_FOLDERS));
  struct Marker {
    int number, symbol;
    bool whiteFore;
  };
  static constexpr Marker kFold[] = {
      {31, S::SC_MARK_BOXMINUS, true},          {30, S::SC_MARK_BOXPLUS, true},
      {29, S::SC_MARK_VLINE, false},            {28, S::SC_MARK_LCORNER, false},
      {25, S::SC_MARK_BOXPLUSCONNECTED, true},  {26, S::SC_MARK_BOXMINUSCONNECTED, true},
      {27, S::SC_MARK_TCORNER, false},
  };
  for (const Marker& m : kFold) {
    s.send(S::SCI_MARKERDEFINE, m.number, m.symbol);
    s.send(S::SCI_MARKERSETBACK, m.number, 0x000000);
    if (m.whiteFore) s.send(S::SCI_MARKERSETFORE, m.number, 0xFFFFFF);
  }
  // Marker 23 is a bar in the change margin; this Scintilla has no bar symbol.
  s.send(S::SCI_MARKERDEFINE, 23, S::SC_MARK_LEFTRECT);
  s.send(S::SCI_STYLECLEARALL);
  s.send(S::SCI_AUTOCSETIGNORECASE, 1);
  s.send(S::SCI_CALLTIPUSESTYLE, 0);
  s.send(S::SCI_SETMARGINMASKN, 1, 3);
  s.send(S::SCI_MARKERDEFINE, 0, S::SC_MARK_SHORTARROW);
  s.send(S::SCI_MARKERDEFINE, 1, S::SC_MARK_BACKGROUND);
  s.send(S::SCI_MARKERSETBACK, 1, 0x0000FF);
  const int eol = lineEndingsMode == 1 ? S::SC_EOL_LF : S::SC_EOL_CRLF;
  s.send(S::SCI_SETEOLMODE, eol);
  s.send(S::SCI_CONVERTEOLS, eol);
  s.send(S::SCI_SETMARGINWIDTHN, 4, 6);
  s.send(S::SCI_SETMARGINMASKN, 4, 0xF00000);
  // A right click shows the program's MenuId::EditorPopup, not Scintilla's own.
  s.send(S::SCI_USEPOPUP, 0);
  // Only text changes are needed (the lexer, the change marks): no
  // notification for every style and marker written.
  s.send(S::SCI_SETMODEVENTMASK, S::SC_MOD_INSERTTEXT | S::SC_MOD_DELETETEXT);
  // Wrapping measures every line, one run of a style at a time, through
  // Qt's text layout; a program repeats its words and runs so much that a
  // larger cache of measured runs saves about a third of that.
  s.send(S::SCI_SETPOSITIONCACHE, kPositionCacheEntries);
  // An undo or a redo may give back a text of another kind (DOS or UNIX
  // line endings undone): new lines follow the text again.
  QObject::connect(&ed, &S::SCN_MODIFIED, &ed, [&ed](int, int type, const char*, int, int, int, int, int, int, int) {
    if (!(type & S::SC_LASTSTEPINUNDOREDO) || !(type & (S::SC_PERFORMED_UNDO | S::SC_PERFORMED_REDO))) return;
    const Sci s = ed.sci();
    if (const int mode = LastLineEndMode(s); mode >= 0) s.send(S::SCI_SETEOLMODE, mode);
  });
}


void ResetEditorLexer(EditorView& editor) { LexerReset(editor); }

}  // namespace vendle
