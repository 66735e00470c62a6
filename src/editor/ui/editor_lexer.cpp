#include "editor/ui/editor_lexer.h"

#include <QTimer>

#include <algorithm>

#include "editor/ui/editor_view.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

std::string Utf8(const QString& s) {
  const QByteArray b = s.toUtf8();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

// The change notifications our own styling would raise, one per line and
// per style run; nobody needs them, and they cost more than the styling.
constexpr int kStylingEvents = S::SC_MOD_CHANGESTYLE | S::SC_MOD_CHANGEFOLD | S::SC_MOD_CHANGELINESTATE;
// Passes of more lines than this take the quicker margin invalidation.
constexpr long long kQuickMarginLines = 256;

}  // namespace

EditorLexer::EditorLexer(EditorView& editor) : QObject(&editor), editor_(editor) {
  editor_.sci().send(S::SCI_SETLEXER, S::SCLEX_CONTAINER);
  connect(&editor_, &S::SCN_STYLENEEDED, this, &EditorLexer::onStyleNeeded);
  connect(&editor_, &S::SCN_MODIFIED, this,
          [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
            onModified(position, type, length);
          });
  connect(&editor_, &S::SCN_NEEDSHOWN, this, &EditorLexer::onNeedShown);
  connect(&editor_, &S::SCN_CHARADDED, this, &EditorLexer::onCharAdded);
}

void EditorLexer::onStyleNeeded(int position) {
  ++stats_.requests;
  Sci s = editor_.sci();
  const long long first = s.lineFromPosition(s.send(S::SCI_GETENDSTYLED));
  // The line of the notified position, a document line: the display line
  // would run past it with wrapping and stop short of it below folds.
  const long long last = std::max(first, static_cast<long long>(s.lineFromPosition(position)));
  styleLines(first, last);
}

void EditorLexer::styleLines(long long first, long long last) {
  Sci s = editor_.sci();
  const long long lines = s.lineCount();
  if (last < 0 || last >= lines) last = lines - 1;
  first = std::clamp<long long>(first, 0, last);
  const Sci::Pos length = s.length();
  const Sci::Pos start = s.positionFromLine(first);
  const Sci::Pos end = last + 1 >= lines ? length : s.positionFromLine(last + 1);
  const Sci::Pos n = std::max<Sci::Pos>(end - start, 0);
  const LexerState state = first == 0 ? kLexerStateInitial : stateAfter(first - 1);

  // The text in place; a copy when the control cannot give a pointer.
  QByteArray copy;
  const char* text = n > 0 ? reinterpret_cast<const char*>(s.send(S::SCI_GETRANGEPOINTER, start, n)) : "";
  if (!text) {
    copy = s.range(start, end);
    text = copy.constData();
  }
  if (text && (copy.isNull() || copy.size() == n)) {
    LexText(tables_, std::string_view(text, static_cast<std::size_t>(n)), state, out_);
  } else {
    // Unreadable text is still styled, so the styling position keeps up.
    out_.styles.assign(static_cast<std::size_t>(n), kStyleDefault);
    out_.levels.assign(static_cast<std::size_t>(last - first + 1), (tables_.options() & LexFold) ? state : 0);
    out_.ends.assign(static_cast<std::size_t>(last - first + 1), state);
  }
  const long long count = std::min<long long>(last - first + 1, static_cast<long long>(out_.levels.size()));

  const Sci::Pos mask = s.send(S::SCI_GETMODEVENTMASK);
  if (mask & kStylingEvents) s.send(S::SCI_SETMODEVENTMASK, mask & ~kStylingEvents);
  // Outside a paint, every changed fold level makes the control work out
  // the margin area below that line (two line searches); with the fold-block
  // highlight on it invalidates the whole margin instead, which is far
  // cheaper over many lines. Inside a paint it does neither, and turning the
  // highlight on would abandon the paint.
  const bool quickMargin = count > kQuickMarginLines && !editor_.viewport()->paintingActive();
  if (quickMargin) s.send(S::SCI_MARKERENABLEHIGHLIGHT, 1);
  s.send(S::SCI_STARTSTYLING, start, 0);
  if (n > 0) s.sendPtr(S::SCI_SETSTYLINGEX, n, out_.styles.data());
  for (long long i = 0; i < count; ++i) {
    s.send(S::SCI_SETFOLDLEVEL, first + i, out_.levels[i]);
    s.send(S::SCI_SETLINESTATE, first + i, storedState(out_.levels[i], out_.ends[i]));
  }
  if (quickMargin) s.send(S::SCI_MARKERENABLEHIGHLIGHT, 0);
  if (mask & kStylingEvents) s.send(S::SCI_SETMODEVENTMASK, mask);
  ++stats_.passes;
  stats_.lines += last - first + 1;
  stats_.bytes += n;
}

// The state a line ends in is kept in the line state. With folding on it is
// kept as the change against the line's own level number: that is 0 on most
// lines, the line state every line starts with, so few line states change
// (each change costs the control a notification).
long long EditorLexer::storedState(int level, LexerState end) const {
  return (tables_.options() & LexFold) ? end - (level & kFoldNumberMask) : end;
}

LexerState EditorLexer::stateAfter(long long line) {
  Sci s = editor_.sci();
  const long long stored = s.send(S::SCI_GETLINESTATE, line);
  if (!(tables_.options() & LexFold)) return ValidLexerState(stored);
  return ValidLexerState((s.send(S::SCI_GETFOLDLEVEL, line) & kFoldNumberMask) + stored);
}

void EditorLexer::restyle() {
  if (burst_ > 0) {
    pendingRestyle_ = true;
    return;
  }
  pendingRestyle_ = false;
  styleLines(0, -1);
}

void EditorLexer::endBurst() {
  if (burst_ > 0 && --burst_ == 0 && pendingRestyle_) restyle();
}

void EditorLexer::setOptions(std::uint64_t options) {
  const std::uint64_t old = tables_.options();
  tables_.setOptions(options);
  if ((old ^ options) & kLexOptionsRestyleMask) restyle();
}

void EditorLexer::reset() {
  const bool changed = tables_.setOperatorChars("") | tables_.setNumberStyle(kStyleDefault);
  const std::uint64_t old = tables_.options();
  tables_.setOptions(kLexOptionsInitial);
  if (changed || ((old ^ kLexOptionsInitial) & kLexOptionsRestyleMask)) restyle();
}

void EditorLexer::onModified(int, int type, int) {
  if ((type & S::SC_MOD_DELETETEXT) && (tables_.options() & LexAutoComplete) && programmatic_ == 0) callTipLater();
}

void EditorLexer::onCharAdded() {
  if ((tables_.options() & LexAutoComplete) && callTipHook_) callTipHook_();
}

// Never from inside a change notification: the hook may change the document.
void EditorLexer::callTipLater() {
  if (!callTipHook_ || callTipQueued_) return;
  callTipQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    callTipQueued_ = false;
    if (callTipHook_) callTipHook_();
  });
}

void EditorLexer::onNeedShown(int position, int length) {
  Sci s = editor_.sci();
  const Sci::Pos first = s.lineFromPosition(position);
  const Sci::Pos last = s.lineFromPosition(static_cast<Sci::Pos>(position) + length);
  for (Sci::Pos line = first; line <= last; ++line) s.send(S::SCI_ENSUREVISIBLE, line);
  const Sci::Pos level = s.send(S::SCI_GETFOLDLEVEL, last);
  if ((level & kFoldHeaderFlag) && last + 1 < s.lineCount() &&
      (s.send(S::SCI_GETFOLDLEVEL, last + 1) & kFoldNumberMask) > (level & kFoldNumberMask)) {
    s.send(S::SCI_ENSUREVISIBLE, last + 1);
  }
}

EditorLexer* CreateEditorLexer(EditorView& editor) {
  if (EditorLexer* l = LexerOf(editor)) return l;
  return new EditorLexer(editor);
}

EditorLexer* LexerOf(EditorView& editor) {
  return editor.findChild<EditorLexer*>(QString(), Qt::FindDirectChildrenOnly);
}

LexerBurst::LexerBurst(EditorView& editor) : lexer_(LexerOf(editor)) {
  if (lexer_) lexer_->beginBurst();
}

LexerBurst::~LexerBurst() {
  if (lexer_) lexer_->endBurst();
}

int LexerAddWords(EditorView& editor, const QString& words, std::int64_t style, std::uint64_t flags) {
  EditorLexer* l = LexerOf(editor);
  return l ? l->tables().addWords(Utf8(words), style, flags) : 0;
}

int LexerAddWordsAndRestyle(EditorView& editor, const QString& words, std::int64_t style, std::uint64_t flags,
                            bool restyle) {
  const int count = LexerAddWords(editor, words, style, flags);
  if (restyle && count > 0) LexerOf(editor)->restyle();
  return count;
}

int LexerAddDelimited(EditorView& editor, const QString& openers, const QString& closer, std::uint64_t flags,
                      std::int64_t style, bool restyle) {
  EditorLexer* l = LexerOf(editor);
  if (!l) return 0;
  const int count = l->tables().addDelimited(Utf8(openers), Utf8(closer), flags, style);
  if (restyle && count > 0) l->restyle();
  return count;
}

void LexerRemoveWords(EditorView& editor, const QString& words) {
  if (EditorLexer* l = LexerOf(editor)) l->tables().removeWords(Utf8(words));
}

void LexerSetOption(EditorView& editor, int which, const QString& value) {
  EditorLexer* l = LexerOf(editor);
  if (!l) return;
  bool changed = false;
  if (which == kLexerOptionOperatorChars) {
    changed = l->tables().setOperatorChars(Utf8(value));
  } else {
    bool ok = false;
    const qlonglong v = value.trimmed().toLongLong(&ok);
    if (ok) changed = l->tables().setNumberStyle(v);
  }
  if (changed) l->restyle();
}

void LexerSetOption(EditorView& editor, int which, std::int64_t value) {
  if (which == kLexerOptionOperatorChars) {
    LexerSetOption(editor, which, QString::number(value));
    return;
  }
  EditorLexer* l = LexerOf(editor);
  if (l && l->tables().setNumberStyle(value)) l->restyle();
}

void LexerSetOptions(EditorView& editor, std::uint64_t options) {
  if (EditorLexer* l = LexerOf(editor)) l->setOptions(options);
}

std::uint64_t LexerOptions(EditorView& editor) {
  EditorLexer* l = LexerOf(editor);
  return l ? l->tables().options() : 0;
}

void LexerReset(EditorView& editor) {
  if (EditorLexer* l = LexerOf(editor)) l->reset();
}

const LexerWordRecord* LexerLookupWord(EditorView& editor, const QString& word) {
  EditorLexer* l = LexerOf(editor);
  return l ? l->tables().lookupWord(Utf8(word)) : nullptr;
}

void StyleLines(EditorView& editor, long long first, long long last) {
  if (EditorLexer* l = LexerOf(editor)) l->styleLines(first, last);
}

void LexerRestyle(EditorView& editor) {
  if (EditorLexer* l = LexerOf(editor)) l->restyle();
}

}  // namespace vendle
