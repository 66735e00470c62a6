// One typed way to send Scintilla messages to an editor. QsciScintillaBase's
// SendScintilla overloads are ambiguous with a literal 0 and with 64-bit
// positions; every message of the program goes through Sci instead.
// Texts passed as `const char*` or QByteArray are UTF-8 for the control.
#pragma once

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>
#include <cstdint>

namespace vendle {

class Sci {
 public:
  using Pos = std::intptr_t;

  explicit Sci(QsciScintillaBase* editor) : e_(editor) {}
  explicit operator bool() const { return e_ != nullptr; }
  QsciScintillaBase* widget() const { return e_; }

  Pos send(unsigned msg, std::uintptr_t w = 0, std::intptr_t l = 0) const {
    return e_ ? e_->SendScintilla(msg, static_cast<unsigned long>(w), static_cast<long>(l)) : 0;
  }
  Pos sendPtr(unsigned msg, std::uintptr_t w, const void* p) const {
    return e_ ? e_->SendScintilla(msg, static_cast<unsigned long>(w), const_cast<void*>(p)) : 0;
  }
  Pos sendText(unsigned msg, std::uintptr_t w, const char* text) const {
    return e_ ? e_->SendScintilla(msg, static_cast<uintptr_t>(w), text) : 0;
  }
  Pos sendText(unsigned msg, const QByteArray& text) const { return sendText(msg, 0, text.constData()); }

  // Frequent reads.
  Pos length() const { return send(QsciScintillaBase::SCI_GETLENGTH); }
  Pos lineCount() const { return send(QsciScintillaBase::SCI_GETLINECOUNT); }
  Pos currentPos() const { return send(QsciScintillaBase::SCI_GETCURRENTPOS); }
  Pos lineFromPosition(Pos p) const { return send(QsciScintillaBase::SCI_LINEFROMPOSITION, p); }
  Pos positionFromLine(Pos line) const { return send(QsciScintillaBase::SCI_POSITIONFROMLINE, line); }
  Pos lineEndPosition(Pos line) const { return send(QsciScintillaBase::SCI_GETLINEENDPOSITION, line); }
  bool modified() const { return send(QsciScintillaBase::SCI_GETMODIFY) != 0; }

  // Bytes [start, end) of the document, by value.
  QByteArray range(Pos start, Pos end) const;

 private:
  QsciScintillaBase* e_;
};

// Paired calls as scopes: one undo step for everything done inside.
class UndoStep {
 public:
  explicit UndoStep(const Sci& s) : s_(s) { s_.send(QsciScintillaBase::SCI_BEGINUNDOACTION); }
  ~UndoStep() { s_.send(QsciScintillaBase::SCI_ENDUNDOACTION); }
  UndoStep(const UndoStep&) = delete;
  UndoStep& operator=(const UndoStep&) = delete;

 private:
  Sci s_;
};

}  // namespace vendle
