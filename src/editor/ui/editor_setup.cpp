#include "editor/ui/editor_setup.h"

#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"

namespace vendle {

// The Scintilla set-up every editor of the pool gets once.
void SetUpEditorControl(EditorView& ed, int lineEndingsMode) {
  using S = QsciScintillaBase;
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
}


void ResetEditorLexer(EditorView& editor) { LexerReset(editor); }

}  // namespace vendle
