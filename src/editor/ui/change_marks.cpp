#include "editor/ui/change_marks.h"

#include <QObject>
#include <algorithm>

#include "editor/ui/editor_view.h"
#include "editor/ui/edit_guards.h"
#include "editor/ui/editor_setup.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

// The marking of one editor; a child of the editor, so it dies with it.
class ChangeMarker : public QObject {
 public:
  explicit ChangeMarker(EditorView& ed) : QObject(&ed), ed_(ed) {
    setObjectName(QStringLiteral("vendle-change-marks"));
    connect(&ed, &S::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int linesAdded, int, int, int, int, int) {
              onModified(position, type, length, linesAdded);
            });
    connect(&ed, &S::SCN_SAVEPOINTREACHED, this, [this] { clear(); });
  }

  void configure(bool highlight, int style) {
    margin_ = highlight && (style == 1 || style == 3);
    text_ = highlight && (style == 2 || style == 3);
    Sci s = ed_.sci();
    s.send(S::SCI_MARKERDEFINE, kChangeMarker, S::SC_MARK_LEFTRECT);
    s.send(S::SCI_MARKERSETBACK, kChangeMarker, 0x00A5FF);  // orange: unsaved
    s.send(S::SCI_INDICSETSTYLE, kChangeIndicator, S::INDIC_COMPOSITIONTHICK);
    s.send(S::SCI_INDICSETFORE, kChangeIndicator, 0x00A5FF);
    clear();
  }

  int paused = 0;

  // Marks inserted text as a change notification would.
  void markInserted(int position, int length) { onModified(position, S::SC_MOD_INSERTTEXT, length, 0); }

  void clear() {
    Sci s = ed_.sci();
    s.send(S::SCI_MARKERDELETEALL, kChangeMarker);
    s.send(S::SCI_SETINDICATORCURRENT, kChangeIndicator);
    s.send(S::SCI_INDICATORCLEARRANGE, 0, s.length());
  }

 private:
  void onModified(int position, int type, int length, int) {
    if (!(type & (S::SC_MOD_INSERTTEXT | S::SC_MOD_DELETETEXT))) return;
    if ((!margin_ && !text_) || paused > 0) return;
    Sci s = ed_.sci();
    // A change that brings the document back to its saved text is cleared
    // by the save-point notification that follows.
    const Sci::Pos first = s.lineFromPosition(position);
    if (margin_) {
      Sci::Pos last = first;
      if (type & S::SC_MOD_INSERTTEXT) {
        // Text ending with a line end leaves the line after it unchanged.
        const Sci::Pos end = position + length;
        last = s.lineFromPosition(end);
        if (last > first && end == s.positionFromLine(last)) --last;
      }
      for (Sci::Pos line = first; line <= last; ++line) s.send(S::SCI_MARKERADD, line, kChangeMarker);
    }
    if (text_ && (type & S::SC_MOD_INSERTTEXT) && length > 0) {
      s.send(S::SCI_SETINDICATORCURRENT, kChangeIndicator);
      s.send(S::SCI_INDICATORFILLRANGE, position, length);
    }
  }

  EditorView& ed_;
  bool margin_ = false;
  bool text_ = false;
};

ChangeMarker* MarkerOf(EditorView& ed) {
  // Only ChangeMarker objects carry this name.
  return static_cast<ChangeMarker*>(
      ed.findChild<QObject*>(QStringLiteral("vendle-change-marks"), Qt::FindDirectChildrenOnly));
}

}  // namespace

void SetChangeMarking(EditorView& ed, bool highlight, int styleForChanges) {
  ChangeMarker* m = MarkerOf(ed);
  if (!m) m = new ChangeMarker(ed);
  m->configure(highlight, styleForChanges);
}

void ClearChangeMarks(EditorView& ed) {
  if (ChangeMarker* m = MarkerOf(ed)) m->clear();
}

void MarkInsertedText(EditorView& ed, long long position, long long length) {
  if (ChangeMarker* m = MarkerOf(ed)) m->markInserted(static_cast<int>(position), static_cast<int>(length));
}

ChangeMarksPaused::ChangeMarksPaused(EditorView& editor) : editor_(editor) {
  if (ChangeMarker* m = MarkerOf(editor_)) ++m->paused;
}

ChangeMarksPaused::~ChangeMarksPaused() {
  if (ChangeMarker* m = MarkerOf(editor_)) --m->paused;
}

}  // namespace vendle
