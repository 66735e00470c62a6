// Texts with the caret and selection written into them, for the tests of the
// editing commands on a real editor: "|" is the caret (no selection); "{"
// and "}" are anchor and caret of a selection. Everything else is text.
#pragma once

#include <QString>

#include "editor/editor_text.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/text_access.h"

namespace vendle::test {

struct MarkedText {
  QString text;
  qsizetype anchor = -1;  // QString indices into `text`
  qsizetype caret = -1;
};

inline MarkedText ParseMarked(const QString& marked) {
  MarkedText m;
  for (QChar c : marked) {
    if (c == u'|') {
      m.anchor = m.caret = m.text.size();
    } else if (c == u'{') {
      m.anchor = m.text.size();
    } else if (c == u'}') {
      m.caret = m.text.size();
    } else {
      m.text.append(c);
    }
  }
  if (m.caret < 0) m.caret = m.text.size();
  if (m.anchor < 0) m.anchor = m.caret;
  return m;
}

// Puts the text into the editor with an empty undo history and places
// caret and anchor.
inline void PutMarked(EditorView& ed, const QString& marked) {
  const MarkedText m = ParseMarked(marked);
  SetEditorText(&ed, m.text, true);
  ed.sci().send(QsciScintillaBase::SCI_SETSEL, BytePosOfIndex(m.text, m.anchor), BytePosOfIndex(m.text, m.caret));
}

// The editor's text with the caret (and a selection) written in.
inline QString ShowMarked(EditorView& ed) {
  Sci s = ed.sci();
  const QByteArray utf8 = GetEditorBytes(&ed);
  const qsizetype caret = IndexOfBytePos(utf8, s.currentPos());
  const qsizetype anchor = IndexOfBytePos(utf8, s.send(QsciScintillaBase::SCI_GETANCHOR));
  QString text = QString::fromUtf8(utf8);
  if (caret == anchor) return text.insert(caret, u'|');
  text.insert(std::max(caret, anchor), caret > anchor ? u'}' : u'{');
  text.insert(std::min(caret, anchor), caret > anchor ? u'{' : u'}');
  return text;
}

}  // namespace vendle::test
