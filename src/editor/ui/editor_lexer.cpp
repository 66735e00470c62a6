#include "editor/ui/editor_lexer.h"

#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "editor/ui/editor_view.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

std::string Utf8(const QString& s) {
  const QByteArray b = s.toUtf8();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

// The change notifications our own styling would raise, one per changed
// fold level and line state; nobody needs them, and they cost more than
// the styling.
constexpr int kStylingEvents = S::SC_MOD_CHANGESTYLE | S::SC_MOD_CHANGEFOLD | S::SC_MOD_CHANGELINESTATE;
// Passes of more lines than this take the quicker margin invalidation.
constexpr long long kQuickMarginLines = 256;

// A long range is lexed in pieces of whole lines by a second thread while
// this one hands the pieces done so far to the control; handing styles and
// levels over costs the control about as much as lexing them. The text and
// the tables do not change meanwhile: the control only receives styles,
// levels and line states, which are kept apart from the text.
template <typename Write>
void LexInPieces(const LexerTables& tables, std::string_view text, LexerState state, bool documentStart,
                 Write& write) {
  const std::size_t pieces = text.size() / kLexerPieceBytes + 2;
  std::vector<LexerOutput> outs(pieces);
  std::vector<std::size_t> bytes(pieces, 0);
  std::atomic<std::size_t> ready{0};
  std::atomic<bool> failed{false};
  auto lexAll = [&] {
    std::size_t pos = 0, k = 0;
    LexerState st = state;
    try {
      while (pos < text.size() && k + 1 < pieces) {
        std::size_t to = std::min(pos + kLexerPieceBytes, text.size());
        if (to < text.size()) to += LexerLineLength(text.substr(to));  // end on a line end
        if (k + 2 == pieces) to = text.size();
        LexText(tables, text.substr(pos, to - pos), st, outs[k], documentStart && k == 0);
        // A piece that ends in a line end also reports the empty line after it.
        if (to < text.size()) {
          outs[k].levels.pop_back();
          outs[k].ends.pop_back();
        }
        if (!outs[k].ends.empty()) st = outs[k].ends.back();
        bytes[k] = to - pos;
        pos = to;
        ready.store(++k, std::memory_order_release);
        ready.notify_one();
      }
    } catch (...) {
      failed.store(true);
    }
    ready.store(pieces, std::memory_order_release);  // no more pieces
    ready.notify_one();
  };
  std::thread worker;
  try {
    worker = std::thread(lexAll);
  } catch (...) {
    lexAll();  // no second thread: everything here, then the writing
  }
  std::size_t done = 0;
  for (std::size_t k = 0; k < pieces; ++k) {
    std::size_t r;
    while ((r = ready.load(std::memory_order_acquire)) <= k) ready.wait(r);
    if (bytes[k] == 0) break;
    write(outs[k], bytes[k]);
    done += bytes[k];
  }
  if (worker.joinable()) worker.join();
  if (failed.load() || done < text.size()) {
    // What could not be lexed is still styled, so the styling position keeps up.
    LexerOutput rest;
    rest.styles.assign(text.size() - done, kStyleDefault);
    write(rest, text.size() - done);
  }
}

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
  editor_.viewport()->installEventFilter(this);
}

// Styling asked for by a paint runs inside that paint. A paint event sets
// the flag; it is cleared once the event loop has moved on.
bool EditorLexer::eventFilter(QObject*, QEvent* e) {
  if (e->type() == QEvent::Paint && !maybePainting_) {
    maybePainting_ = true;
    QTimer::singleShot(0, this, [this] { maybePainting_ = false; });
  }
  return false;
}

void EditorLexer::onStyleNeeded(int position) {
  ++stats_.requests;
  if (styling_) {
    // Asked from inside a pass (a new fold header makes the control look for
    // its last child): served once the pass is done, never nested in it.
    wantedPosition_ = std::max(wantedPosition_, static_cast<long long>(position));
    return;
  }
  Sci s = editor_.sci();
  const long long first = s.lineFromPosition(s.send(S::SCI_GETENDSTYLED));
  // The line of the notified position, a document line: the display line
  // would run past it with wrapping and stop short of it below folds.
  const long long last = std::max(first, static_cast<long long>(s.lineFromPosition(position)));
  styleLines(first, last);
}

void EditorLexer::styleLines(long long first, long long last) {
  if (styling_) {
    // One pass at a time: a nested one would move the styling position
    // under this one. The lines asked for are styled after it.
    pendingFirst_ = pendingFirst_ < 0 ? first : std::min(pendingFirst_, first);
    pendingLast_ = last < 0 || pendingLast_ < 0 ? -1 : std::max(pendingLast_, last);
    pendingLines_ = true;
    return;
  }
  styling_ = true;
  stylePass(first, last);
  // What was asked for meanwhile; each round styles past what it asked for.
  for (int round = 0; round < 8 && (pendingLines_ || wantedPosition_ >= 0); ++round) {
    if (pendingLines_) {
      const long long f = pendingFirst_, l = pendingLast_;
      pendingLines_ = false;
      pendingFirst_ = pendingLast_ = -1;
      stylePass(f, l);
    }
    if (wantedPosition_ >= 0) {
      Sci s = editor_.sci();
      const long long wanted = std::min<long long>(wantedPosition_, s.length());
      wantedPosition_ = -1;
      const Sci::Pos endStyled = s.send(S::SCI_GETENDSTYLED);
      if (wanted > endStyled) {
        const long long from = s.lineFromPosition(endStyled);
        stylePass(from, std::max(from, static_cast<long long>(s.lineFromPosition(wanted))));
      }
    }
  }
  styling_ = false;
}

void EditorLexer::stylePass(long long first, long long last) {
  Sci s = editor_.sci();
  const long long lines = s.lineCount();
  if (last < 0 || last >= lines) last = lines - 1;
  first = std::clamp<long long>(first, 0, last);
  const Sci::Pos length = s.length();
  const Sci::Pos start = s.positionFromLine(first);
  const Sci::Pos end = last + 1 >= lines ? length : s.positionFromLine(last + 1);
  const std::size_t n = static_cast<std::size_t>(std::max<Sci::Pos>(end - start, 0));
  const long long count = last - first + 1;
  const LexerState state = first == 0 ? kLexerStateInitial : stateAfter(first - 1);

  // The text in place; a copy when the control cannot give a pointer.
  QByteArray copy;
  const char* text = n > 0 ? reinterpret_cast<const char*>(s.send(S::SCI_GETRANGEPOINTER, start, n)) : "";
  if (!text) {
    copy = s.range(start, end);
    text = copy.size() == static_cast<qsizetype>(n) ? copy.constData() : nullptr;
  }

  const Sci::Pos mask = s.send(S::SCI_GETMODEVENTMASK);
  if (mask & kStylingEvents) s.send(S::SCI_SETMODEVENTMASK, mask & ~kStylingEvents);
  // Outside a paint, every changed fold level makes the control work out
  // the margin area below that line (two line searches); with the fold-block
  // highlight on it invalidates the whole margin instead, which is far
  // cheaper over many lines. Inside a paint it does neither, and turning the
  // highlight on would abandon the paint.
  const bool quickMargin = count > kQuickMarginLines && !maybePainting_;
  if (quickMargin) s.send(S::SCI_MARKERENABLEHIGHLIGHT, 1);
  s.send(S::SCI_STARTSTYLING, start, 0);

  long long written = 0;
  auto write = [&](const LexerOutput& out, std::size_t bytes) {
    if (bytes > 0) s.sendPtr(S::SCI_SETSTYLINGEX, bytes, out.styles.data());
    const long long k = std::min<long long>(count - written, static_cast<long long>(out.levels.size()));
    for (long long i = 0; i < k; ++i, ++written) {
      // The state first: a new fold level may make the control read the
      // line's state back (a request from inside this pass, served after it).
      s.send(S::SCI_SETLINESTATE, first + written, storedState(out.levels[i], out.ends[i]));
      s.send(S::SCI_SETFOLDLEVEL, first + written, out.levels[i]);
    }
  };
  if (!text) {
    // Unreadable text is still styled, so the styling position keeps up.
    out_.styles.assign(n, kStyleDefault);
    out_.levels.assign(static_cast<std::size_t>(count), (tables_.options() & LexFold) ? state : 0);
    out_.ends.assign(static_cast<std::size_t>(count), state);
    write(out_, n);
  } else if (n < kLexerPipelineBytes) {
    LexText(tables_, std::string_view(text, n), state, out_, first == 0);
    write(out_, n);
  } else {
    LexInPieces(tables_, std::string_view(text, n), state, first == 0, write);
  }

  if (quickMargin) s.send(S::SCI_MARKERENABLEHIGHLIGHT, 0);
  if (mask & kStylingEvents) s.send(S::SCI_SETMODEVENTMASK, mask);
  ++stats_.passes;
  stats_.lines += count;
  stats_.bytes += static_cast<long long>(n);
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

void StyleUpTo(EditorView& editor, Sci::Pos end) {
  Sci s = editor.sci();
  const Sci::Pos styled = s.send(S::SCI_GETENDSTYLED);
  if (styled >= end) return;
  if (EditorLexer* lexer = LexerOf(editor)) {
    lexer->styleLines(s.lineFromPosition(styled), s.lineFromPosition(end));
  } else {
    s.send(S::SCI_COLOURISE, styled, end);
  }
}

}  // namespace vendle
