#include "editor/ui/typed_changes.h"

#include <QAccessible>

#include "editor/ui/editor_view.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

constexpr int kAfter = S::SC_MOD_INSERTTEXT | S::SC_MOD_DELETETEXT;
constexpr int kBefore = S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE;

// The UTF-16 offset of a position, as assistive tools count: the line's
// offset from the line index, then the line's own characters.
int OffsetOf(const Sci& s, Sci::Pos position) {
  const Sci::Pos line = s.lineFromPosition(position);
  const Sci::Pos lineStart = s.positionFromLine(line);
  const Sci::Pos lineOffset = s.send(S::SCI_INDEXPOSITIONFROMLINE, line, S::SC_LINECHARACTERINDEX_UTF16);
  return static_cast<int>(lineOffset + QString::fromUtf8(s.range(lineStart, position)).size());
}

bool ToldToAssistiveTools(const Sci& s) {
  if (!QAccessible::isActive()) return false;
  if (!(s.send(S::SCI_GETLINECHARACTERINDEX) & S::SC_LINECHARACTERINDEX_UTF16))
    s.send(S::SCI_ALLOCATELINECHARACTERINDEX, S::SC_LINECHARACTERINDEX_UTF16);
  return true;
}

}  // namespace

TypedChanges::TypedChanges(EditorView& editor) : editor_(editor) {
  const Sci s = editor_.sci();
  mask_ = s.send(S::SCI_GETMODEVENTMASK);
  // Nested, or an editor not told of changes: nothing to do.
  if (editor_.property("vendle-typed-changes").toBool() || !(mask_ & kAfter)) return;
  active_ = true;
  editor_.setProperty("vendle-typed-changes", true);
  s.send(S::SCI_SETMODEVENTMASK, (mask_ & ~kAfter) | kBefore);
  connection_ = QObject::connect(&editor_, &S::SCN_MODIFIED, &editor_,
                   [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                     if (active_ && (type & kBefore)) before(position, type, length);
                   });
}

TypedChanges::~TypedChanges() {
  if (!active_) return;
  QObject::disconnect(connection_);
  const Sci s = editor_.sci();
  // The mask as the scope found it, less what a nested scope changed.
  s.send(S::SCI_SETMODEVENTMASK, static_cast<std::uintptr_t>(mask_));
  active_ = false;
  editor_.setProperty("vendle-typed-changes", false);
  tell(true);
}

void TypedChanges::before(int position, int type, int length) {
  tell(false);  // the change before this one is done
  Change c;
  c.position = position;
  c.length = length;
  c.type = (type & ~kBefore) | ((type & S::SC_MOD_BEFOREINSERT) ? S::SC_MOD_INSERTTEXT : S::SC_MOD_DELETETEXT);
  const Sci s = editor_.sci();
  c.linesBefore = s.lineCount();
  if ((c.type & S::SC_MOD_DELETETEXT) && ToldToAssistiveTools(s))
    c.removed = QString::fromUtf8(s.range(position, position + length));
  pending_ = std::move(c);
}

void TypedChanges::tell(bool last) {
  if (!pending_) return;
  Change c = std::move(*pending_);
  pending_.reset();
  const Sci s = editor_.sci();
  if (last && (c.type & (S::SC_PERFORMED_UNDO | S::SC_PERFORMED_REDO))) c.type |= S::SC_LASTSTEPINUNDOREDO;
  const int linesAdded = static_cast<int>(s.lineCount() - c.linesBefore);
  // Through the signal only: QScintilla's own handling of the notice is what is avoided.
  emit editor_.SCN_MODIFIED(c.position, c.type, nullptr, c.length, linesAdded, 0, 0, 0, 0, 0);
  if (!ToldToAssistiveTools(s)) return;
  if (c.type & S::SC_MOD_INSERTTEXT) {
    QAccessibleTextInsertEvent ev(&editor_, OffsetOf(s, c.position),
                                  QString::fromUtf8(s.range(c.position, c.position + c.length)));
    QAccessible::updateAccessibility(&ev);
  } else {
    QAccessibleTextRemoveEvent ev(&editor_, OffsetOf(s, c.position), c.removed);
    QAccessible::updateAccessibility(&ev);
  }
}

}  // namespace vendle
