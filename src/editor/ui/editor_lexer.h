// The own lexer attached to an editor: styles and folds the editor's text on
// demand (SCN_STYLENEEDED) with the editor's word map, and handles the
// editor's notifications that belong to the lexer.
//
// Word lists, operator characters and words are UTF-16 QStrings; they reach
// the word map as UTF-8, the encoding of the editor's bytes. Lines are
// 0-based. Every free function does nothing (returns 0 or null) for an editor
// without a lexer.
#pragma once

#include "editor/ui/syntax_commands.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

#include "editor/lexer.h"

namespace vendle {

class EditorView;

// Ranges from this size on are lexed in pieces of whole lines beside the
// writing, each piece ending at the end of the line its first
// kLexerPieceBytes reach into.
inline constexpr std::size_t kLexerPipelineBytes = 256 * 1024;
inline constexpr std::size_t kLexerPieceBytes = 128 * 1024;

class EditorLexer : public QObject {
  Q_OBJECT

 public:
  explicit EditorLexer(EditorView& editor);

  EditorView& editor() const { return editor_; }
  const LexerTables& tables() const { return tables_; }
  // Changing the tables does not restyle; call restyle() afterwards.
  LexerTables& tables() { return tables_; }

  // Styles and folds lines first..last (last -1 or past the end: up to the
  // last line), starting from the state the line before ended in.
  void styleLines(long long first, long long last);
  // The whole document, at once; inside a burst only once, when it ends.
  void restyle();

  // Word registrations that come together restyle once: while a burst is
  // open, restyles wait and the last closing burst does the one restyle.
  void beginBurst() { ++burst_; }
  void endBurst();

  // The options; a change of the colour or fold bits restyles.
  void setOptions(std::uint64_t options);
  // A freed editor: options 5, no operator characters, number style 32.
  // The word map stays until the next syntax is applied.
  void reset();

  // Called (deferred to the event loop for deletions) when a character is
  // typed or text is deleted while the options have LexAutoComplete.
  void setCallTipHook(std::function<void()> hook) { callTipHook_ = std::move(hook); }
  // Edits made by the program (not typed) do not call the hook while set.
  void setProgrammaticEdit(bool on) { programmatic_ += on ? 1 : -1; }

  // What was styled since the last resetStats(), for tests and measurements.
  struct Stats {
    long long requests = 0;  // SCN_STYLENEEDED notifications handled
    long long passes = 0;    // styleLines runs
    long long lines = 0;
    long long bytes = 0;
  };
  const Stats& stats() const { return stats_; }
  void resetStats() { stats_ = {}; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void stylePass(long long first, long long last);
  void onStyleNeeded(int position);
  void onModified(int position, int type, int length);
  void onNeedShown(int position, int length);
  void onCharAdded();
  void callTipLater();
  long long storedState(int level, LexerState end) const;
  LexerState stateAfter(long long line);

  EditorView& editor_;
  LexerTables tables_;
  LexerOutput out_;
  std::function<void()> callTipHook_;
  int burst_ = 0;
  bool pendingRestyle_ = false;
  bool callTipQueued_ = false;
  int programmatic_ = 0;
  bool maybePainting_ = false;
  // A pass is running; what is asked for meanwhile waits for its end.
  bool styling_ = false;
  bool pendingLines_ = false;
  long long pendingFirst_ = -1;
  long long pendingLast_ = -1;
  long long wantedPosition_ = -1;
  Stats stats_;
};

// Creates the lexer record of `editor` and attaches it (once; a second call
// returns the first record).
EditorLexer* CreateEditorLexer(EditorView& editor);
EditorLexer* LexerOf(EditorView& editor);

// While it lives, the restyles of the editor's registrations wait and come as one.
class LexerBurst {
 public:
  explicit LexerBurst(EditorView& editor);
  ~LexerBurst();
  LexerBurst(const LexerBurst&) = delete;
  LexerBurst& operator=(const LexerBurst&) = delete;

 private:
  EditorLexer* lexer_;
};

// The registering operations of the word map.
// Registers each blank-separated word; returns the number handled.
int LexerAddWords(EditorView& editor, const QString& words, std::int64_t style, std::uint64_t flags);
// A delimited token's opener (a single ASCII character) with the first
// character of `closer` as its closing character; restyles when asked and added.
int LexerAddDelimited(EditorView& editor, const QString& openers, const QString& closer, std::uint64_t flags,
                      std::int64_t style, bool restyle);
// Removes the listed words; an empty list clears the whole word map. No restyle.
void LexerRemoveWords(EditorView& editor, const QString& words);

// `which` 1: the operator characters (ASCII); any other: the number style,
// the value read as an integer. A changed value restyles the whole document.
inline constexpr int kLexerOptionOperatorChars = 1;
inline constexpr int kLexerOptionNumberStyle = 2;
void LexerSetOption(EditorView& editor, int which, const QString& value);
void LexerSetOption(EditorView& editor, int which, std::int64_t value);
// The option word (LexColour, LexAutoComplete, LexFold).
void LexerSetOptions(EditorView& editor, std::uint64_t options);
std::uint64_t LexerOptions(EditorView& editor);
// Back to the options of a freed editor; the word map stays.
void LexerReset(EditorView& editor);

// The record of a word in any case, or null (also for an empty word).
const LexerWordRecord* LexerLookupWord(EditorView& editor, const QString& word);

// StyleLines: styles lines first..last now (last -1: to the end). The
// whole-document restyle of other commands is StyleLines(editor, 0, -1).
void StyleLines(EditorView& editor, long long first, long long last);
void LexerRestyle(EditorView& editor);

}  // namespace vendle
