// The requesters as Qt dialogs, parented to the main window when it exists.
#pragma once

#include <functional>

#include "platform/requesters.h"

class QPrintDialog;
class QWidget;

namespace vendle {

// Runs the print dialog on `printer`; `whileShown` (when set) runs once it is
// up. The dialog keeps its page set for itself on a file printer: it is
// read from the dialog. Nothing when cancelled.
std::optional<PageSet> RunPrintDialog(QPrinter& printer, QWidget* parent,
                                      const std::function<void(QPrintDialog&)>& whileShown = {});

class QtRequesters : public Requesters {
 public:
  // `parent` gives the dialogs' parent window (may return null).
  explicit QtRequesters(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}
  // The program's windows by number, for requesters placed over one of them.
  void setWindowLookup(std::function<QWidget*(int)> lookup) { windowOf_ = std::move(lookup); }

 protected:
  void doMessage(const QString& title, const QString& text) override;
  Answer doAsk(const QString& title, const QString& text, Buttons buttons) override;
  std::optional<QString> doInput(const QString& title, const QString& prompt, const QString& initial) override;
  std::optional<QString> doOpenFile(const FileRequest& r) override;
  std::optional<QString> doSaveFile(const FileRequest& r) override;
  std::optional<QString> doFolder(const QString& title, const QString& initial) override;
  std::optional<std::uint32_t> doColour(std::uint32_t initialBgr) override;
  std::optional<std::uint32_t> doColourAt(std::uint32_t initialBgr, const RequesterPlace& place) override;
  std::optional<FontChoice> doFont(const FontChoice& initial) override;
  std::optional<PageSet> doPrint(QPrinter& printer) override;
  void doDismissStanding() override;

 private:
  std::function<QWidget*()> parent_;
  std::function<QWidget*(int)> windowOf_;
};

}  // namespace vendle
