// Requesters that answer from a script: each call takes the next scripted
// answer and records what it asked. A call without a scripted answer is
// recorded as unanswered and gets Cancel (or No for a Yes/No question).
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "platform/requesters.h"

class QPrintDialog;

namespace vendle::test {

struct Asked {
  QString kind;  // "message", "ask", "input", "open", "save", "folder", "colour", "font", "print"
  QString title;
  QString text;
  bool answered = false;
};

class ScriptedRequesters : public Requesters {
 public:
  using Reply = std::variant<Answer, std::optional<QString>, std::optional<std::uint32_t>, std::optional<FontChoice>,
                             std::optional<PrintChoice>>;

  // Queue answers in the order the program will ask.
  void answer(Answer a) { replies_.push_back(a); }
  void answerText(std::optional<QString> s) { replies_.push_back(std::move(s)); }
  void answerColour(std::optional<std::uint32_t> c) { replies_.push_back(c); }
  void answerFont(std::optional<FontChoice> f) { replies_.push_back(std::move(f)); }
  void answerPrint(std::optional<PrintChoice> p) { replies_.push_back(std::move(p)); }

  // Runs while a requester is "shown" (to post events during it).
  std::function<void(const Asked&)> whileShown;
  // When set, the print requester is the real print dialog on the
  // program's printer; this runs once it is up and answers it.
  std::function<void(QPrintDialog&)> withPrintDialog;

  const std::vector<Asked>& asked() const { return asked_; }
  std::size_t unanswered() const;
  std::size_t pendingReplies() const { return replies_.size(); }
  void clear() {
    asked_.clear();
    replies_.clear();
  }

 protected:
  void doMessage(const QString& title, const QString& text) override;
  Answer doAsk(const QString& title, const QString& text, Buttons buttons) override;
  std::optional<QString> doInput(const QString& title, const QString& prompt, const QString& initial) override;
  std::optional<QString> doOpenFile(const FileRequest& r) override;
  std::optional<QString> doSaveFile(const FileRequest& r) override;
  std::optional<QString> doFolder(const QString& title, const QString& initial) override;
  std::optional<std::uint32_t> doColour(std::uint32_t initialBgr) override;
  std::optional<FontChoice> doFont(const FontChoice& initial) override;
  std::optional<PageSet> doPrint(QPrinter& printer) override;

 private:
  template <typename T>
  std::optional<T> take(const QString& kind, const QString& title, const QString& text);

  std::deque<Reply> replies_;
  std::vector<Asked> asked_;
};

}  // namespace vendle::test
