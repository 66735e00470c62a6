#include "editor/ui/editor_accessible.h"

#include <QAccessibleWidget>
#include <QScrollBar>

#include <algorithm>

#include "editor/ui/editor_view.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;
using Pos = Sci::Pos;

// Offsets go to byte positions through the control's index of the lines'
// first characters, allocated when an assistive tool first asks: one line
// is counted at most, never the text from its start.
class EditorAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
 public:
  explicit EditorAccessible(EditorView* editor) : QAccessibleWidget(editor, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    // The whole text is the text interface's; the value stays empty, so no
    // tool copies a large program for every change.
    if (t == QAccessible::Value) return QString();
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return QStringLiteral("Program");
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State st = QAccessibleWidget::state();
    st.editable = !sci().send(S::SCI_GETREADONLY);
    st.readOnly = !st.editable;
    st.multiLine = true;
    st.selectableText = true;
    return st;
  }

  // Selections: the control's non-empty ones, in its order.
  int selectionCount() const override {
    const Sci s = sci();
    int n = 0;
    const Pos count = s.send(S::SCI_GETSELECTIONS);
    for (Pos i = 0; i < count; ++i)
      if (s.send(S::SCI_GETSELECTIONNSTART, i) != s.send(S::SCI_GETSELECTIONNEND, i)) ++n;
    return n;
  }
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    const Sci s = sci();
    const Pos count = s.send(S::SCI_GETSELECTIONS);
    for (Pos i = 0, n = 0; i < count; ++i) {
      const Pos a = s.send(S::SCI_GETSELECTIONNSTART, i);
      const Pos b = s.send(S::SCI_GETSELECTIONNEND, i);
      if (a == b) continue;
      if (n++ == index) {
        *start = offsetOf(a);
        *end = offsetOf(b);
        return;
      }
    }
  }
  void addSelection(int start, int end) override {
    if (selectionCount() == 0) {
      setSelection(0, start, end);
      return;
    }
    sci().send(S::SCI_ADDSELECTION, positionOf(end), positionOf(start));
  }
  void removeSelection(int) override { sci().send(S::SCI_SETEMPTYSELECTION, sci().currentPos()); }
  void setSelection(int, int start, int end) override {
    sci().send(S::SCI_SETSEL, positionOf(start), positionOf(end));
    sci().send(S::SCI_SCROLLCARET);
  }

  int cursorPosition() const override { return offsetOf(sci().currentPos()); }
  void setCursorPosition(int offset) override { sci().send(S::SCI_GOTOPOS, positionOf(offset)); }

  QString text(int start, int end) const override {
    const Pos a = positionOf(start);
    const Pos b = positionOf(end);
    return a < b ? QString::fromUtf8(sci().range(a, b)) : QString();
  }
  int characterCount() const override { return offsetOf(sci().length()); }

  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    if (!ownBoundary(type)) return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
    const Pos pos = positionOf(offset);
    const auto [a, b] = boundaryAt(pos, type);
    return rangeText(a, b, start, end);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    if (!ownBoundary(type)) return QAccessibleTextInterface::textBeforeOffset(offset, type, start, end);
    const Pos a = boundaryAt(positionOf(offset), type).first;
    if (a == 0) return rangeText(0, 0, start, end);
    const auto [c, d] = boundaryAt(before(a, type), type);
    return rangeText(c, std::min(d, a), start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    if (!ownBoundary(type)) return QAccessibleTextInterface::textAfterOffset(offset, type, start, end);
    const Pos b = boundaryAt(positionOf(offset), type).second;
    const Pos length = sci().length();
    if (b >= length) return rangeText(length, length, start, end);
    const auto [c, d] = boundaryAt(b, type);
    return rangeText(std::max(c, b), d, start, end);
  }

  // The cell of the character at `offset` on the screen. The characters of
  // a line end, and the end of the text, take a blank's width each after
  // the line's last character.
  QRect characterRect(int offset) const override {
    const Sci s = sci();
    const Pos pos = positionOf(offset);
    const Pos line = s.lineFromPosition(pos);
    const Pos lineEnd = s.lineEndPosition(line);
    const int blank = blankWidth();
    const Pos at = std::min(pos, lineEnd);
    int x = int(s.send(S::SCI_POINTXFROMPOSITION, 0, at));
    const int y = int(s.send(S::SCI_POINTYFROMPOSITION, 0, at));
    const int height = std::max(1, int(s.send(S::SCI_TEXTHEIGHT, line)));
    int width = 0;
    if (pos < lineEnd) {
      const Pos next = s.send(S::SCI_POSITIONAFTER, pos);
      if (s.send(S::SCI_POINTYFROMPOSITION, 0, next) == y) width = int(s.send(S::SCI_POINTXFROMPOSITION, 0, next)) - x;
    } else {
      x += int(pos - lineEnd) * blank;
    }
    if (width <= 0) width = blank;
    return QRect(editor()->viewport()->mapToGlobal(QPoint(x, y)), QSize(width, height));
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint p = editor()->viewport()->mapFromGlobal(point);
    if (!editor()->viewport()->rect().contains(p)) return -1;
    const Sci s = sci();
    Pos pos = s.send(S::SCI_CHARPOSITIONFROMPOINT, p.x(), p.y());
    if (pos < 0) return -1;
    // Right of a line's text: its line end's characters, then its end.
    const Pos line = s.lineFromPosition(pos);
    const Pos lineEnd = s.lineEndPosition(line);
    const int endX = int(s.send(S::SCI_POINTXFROMPOSITION, 0, lineEnd));
    if (pos == lineEnd && p.x() >= endX) {
      const Pos last = line + 1 < s.lineCount() ? s.positionFromLine(line + 1) - 1 : s.length();
      pos = std::min<Pos>(lineEnd + (p.x() - endX) / blankWidth(), last);
    }
    return offsetOf(pos);
  }
  void scrollToSubstring(int start, int end) override {
    sci().send(S::SCI_SCROLLRANGE, positionOf(end), positionOf(start));
  }
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = std::clamp(offset, 0, characterCount());
    return QString();
  }

  void deleteText(int start, int end) override { replaceText(start, end, QString()); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    const Sci s = sci();
    if (s.send(S::SCI_GETREADONLY)) return;
    s.send(S::SCI_SETTARGETRANGE, positionOf(start), positionOf(end));
    const QByteArray utf8 = text.toUtf8();
    s.sendPtr(S::SCI_REPLACETARGET, static_cast<std::uintptr_t>(utf8.size()), utf8.constData());
  }

 private:
  EditorView* editor() const { return static_cast<EditorView*>(widget()); }
  Sci sci() const { return editor()->sci(); }

  int blankWidth() const {
    return std::max(1, int(sci().sendText(S::SCI_TEXTWIDTH, S::STYLE_DEFAULT, " ")));
  }

  void ensureIndex() const {
    const Sci s = sci();
    if (!(s.send(S::SCI_GETLINECHARACTERINDEX) & S::SC_LINECHARACTERINDEX_UTF32))
      s.send(S::SCI_ALLOCATELINECHARACTERINDEX, S::SC_LINECHARACTERINDEX_UTF32);
  }

  int offsetOf(Pos pos) const {
    ensureIndex();
    const Sci s = sci();
    pos = std::clamp<Pos>(pos, 0, s.length());
    const Pos line = s.lineFromPosition(pos);
    const Pos lineStart = s.positionFromLine(line);
    return int(s.send(S::SCI_INDEXPOSITIONFROMLINE, line, S::SC_LINECHARACTERINDEX_UTF32) +
               s.send(S::SCI_COUNTCHARACTERS, lineStart, pos));
  }

  Pos positionOf(int offset) const {
    ensureIndex();
    const Sci s = sci();
    if (offset <= 0) return 0;
    const Pos line = s.send(S::SCI_LINEFROMINDEXPOSITION, offset, S::SC_LINECHARACTERINDEX_UTF32);
    const Pos first = s.send(S::SCI_INDEXPOSITIONFROMLINE, line, S::SC_LINECHARACTERINDEX_UTF32);
    const Pos lineStart = s.positionFromLine(line);
    const Pos lineEnd = line + 1 < s.lineCount() ? s.positionFromLine(line + 1) : s.length();
    // Within the line only; past its end (or the text's) is its end.
    const Pos n = offset - first;
    if (n <= 0) return lineStart;
    const Pos pos = s.send(S::SCI_POSITIONRELATIVE, lineStart, n);
    return pos <= lineStart ? lineEnd : std::min(pos, lineEnd);
  }

  static bool ownBoundary(QAccessible::TextBoundaryType type) {
    return type == QAccessible::CharBoundary || type == QAccessible::WordBoundary ||
           type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary;
  }

  // The unit of `type` that holds `pos`: a character, a word or the blanks
  // before it, a line with its line end.
  std::pair<Pos, Pos> boundaryAt(Pos pos, QAccessible::TextBoundaryType type) const {
    const Sci s = sci();
    const Pos length = s.length();
    switch (type) {
      case QAccessible::CharBoundary:
        return {pos, pos < length ? s.send(S::SCI_POSITIONRELATIVE, pos, 1) : length};
      case QAccessible::WordBoundary: {
        const Pos a = s.send(S::SCI_WORDSTARTPOSITION, pos, 1);
        const Pos b = s.send(S::SCI_WORDENDPOSITION, pos, 1);
        if (a < b) return {a, b};
        return {s.send(S::SCI_WORDSTARTPOSITION, pos, 0), s.send(S::SCI_WORDENDPOSITION, pos, 0)};
      }
      default: {
        const Pos line = s.lineFromPosition(pos);
        const Pos next = line + 1 < s.lineCount() ? s.positionFromLine(line + 1) : length;
        return {s.positionFromLine(line), next};
      }
    }
  }
  Pos before(Pos pos, QAccessible::TextBoundaryType type) const {
    return type == QAccessible::CharBoundary || type == QAccessible::WordBoundary
               ? sci().send(S::SCI_POSITIONRELATIVE, pos, -1)
               : sci().positionFromLine(sci().lineFromPosition(pos) - 1);
  }
  QString rangeText(Pos a, Pos b, int* start, int* end) const {
    *start = offsetOf(a);
    *end = offsetOf(b);
    return a < b ? QString::fromUtf8(sci().range(a, b)) : QString();
  }
};

}  // namespace

QAccessibleInterface* EditorAccessibleFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("vendle::EditorView")) return nullptr;
  auto* editor = qobject_cast<EditorView*>(object);
  return editor ? new EditorAccessible(editor) : nullptr;
}

void InstallEditorAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&EditorAccessibleFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace vendle
