// One editor control: a QsciScintillaBase driven only through Scintilla
// messages. Its focus changes, right clicks and file drops become events of
// the main window.
#pragma once

#include <Qsci/qsciscintillabase.h>

#include "platform/ui/sci.h"

namespace vendle {

class Dispatcher;

class EditorView : public QsciScintillaBase {
  Q_OBJECT  // its own class name: assistive tools get its own accessible interface

 public:
  EditorView(int control, Dispatcher& dispatcher, QWidget* parent);

  int control() const { return control_; }
  Sci sci() { return Sci(this); }

  // A right click shows the popup menu only while the editor shows a document.
  void setPopupBound(bool bound) { popupBound_ = bound; }
  bool popupBound() const { return popupBound_; }

  // While a key press or typed text is being handled: tells the user's
  // typing apart from the program's own edits.
  bool typing() const { return typing_ > 0; }

  // The digits the line-number margin is sized for; 0 until it is sized.
  int lineNumberDigits = 0;

 protected:
  void contextMenuEvent(QContextMenuEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

 private:
  int control_;
  Dispatcher& dispatcher_;
  bool popupBound_ = false;
  int typing_ = 0;
};

// True when a call tip or completion list shown for `pos` stands on a
// screen. The control places it beside the caret's line (below, or above
// when there is no room), a little to the left, and asks the screen at
// that point, which is no screen below or beside every screen: it must
// not be shown there.
bool PopupFitsScreen(EditorView& editor, Sci::Pos pos);

// The editor registered as control `control`, or null when that control is
// not an editor.
class Toolkit;
EditorView* EditorOf(const Toolkit& tk, int control);

}  // namespace vendle
