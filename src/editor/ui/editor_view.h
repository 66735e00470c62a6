// One editor control: a QsciScintillaBase driven only through Scintilla
// messages. Its focus changes, right clicks and file drops become events of
// the main window.
#pragma once

#include <Qsci/qsciscintillabase.h>

#include "platform/ui/sci.h"

namespace vendle {

class Dispatcher;

class EditorView : public QsciScintillaBase {
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

// The editor registered as control `control`, or null when that control is
// not an editor.
class Toolkit;
EditorView* EditorOf(const Toolkit& tk, int control);

}  // namespace vendle
