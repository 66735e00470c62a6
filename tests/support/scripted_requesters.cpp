#include "scripted_requesters.h"

#include "platform/ui/qt_requesters.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

namespace vendle::test {

std::size_t ScriptedRequesters::unanswered() const {
  std::size_t n = 0;
  for (const Asked& a : asked_) n += a.answered ? 0 : 1;
  return n;
}

template <typename T>
std::optional<T> ScriptedRequesters::take(const QString& kind, const QString& title, const QString& text) {
  Asked a{kind, title, text, false};
  if (whileShown) whileShown(a);
  std::optional<T> out;
  if (!replies_.empty() && std::holds_alternative<T>(replies_.front())) {
    out = std::get<T>(replies_.front());
    replies_.pop_front();
    a.answered = true;
  }
  asked_.push_back(a);
  return out;
}

void ScriptedRequesters::doMessage(const QString& title, const QString& text) {
  Asked a{"message", title, text, true};
  if (whileShown) whileShown(a);
  asked_.push_back(a);
}

Answer ScriptedRequesters::doAsk(const QString& title, const QString& text, Buttons buttons) {
  auto a = take<Answer>("ask", title, text);
  if (a) return *a;
  return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
}

std::optional<QString> ScriptedRequesters::doInput(const QString& title, const QString& prompt, const QString&) {
  auto a = take<std::optional<QString>>("input", title, prompt);
  return a ? *a : std::nullopt;
}

std::optional<QString> ScriptedRequesters::doOpenFile(const FileRequest& r) {
  auto a = take<std::optional<QString>>("open", r.title, r.initialPath);
  return a ? *a : std::nullopt;
}

std::optional<QString> ScriptedRequesters::doSaveFile(const FileRequest& r) {
  auto a = take<std::optional<QString>>("save", r.title, r.initialPath);
  return a ? *a : std::nullopt;
}

std::optional<QString> ScriptedRequesters::doFolder(const QString& title, const QString& initial) {
  auto a = take<std::optional<QString>>("folder", title, initial);
  return a ? *a : std::nullopt;
}

std::optional<std::uint32_t> ScriptedRequesters::doColour(std::uint32_t) {
  auto a = take<std::optional<std::uint32_t>>("colour", QString(), QString());
  return a ? *a : std::nullopt;
}

std::optional<FontChoice> ScriptedRequesters::doFont(const FontChoice&) {
  auto a = take<std::optional<FontChoice>>("font", QString(), QString());
  return a ? *a : std::nullopt;
}

std::optional<PageSet> ScriptedRequesters::doPrint(QPrinter& printer) {
  if (withPrintDialog) {
    asked_.push_back({QStringLiteral("print"), QString(), QString(), true});
    return RunPrintDialog(printer, nullptr, withPrintDialog);
  }
  auto a = take<std::optional<PrintChoice>>("print", QString(), QString());
  if (!a || !*a) return std::nullopt;
  const PrintChoice& c = **a;
  if (!c.outputFile.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(c.outputFile);
  } else if (!c.printerName.isEmpty()) {
    printer.setPrinterName(c.printerName);
  }
  printer.setCopyCount(c.copies);
  if (!c.pageList.isEmpty()) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(QPageRanges::fromString(c.pageList));
  } else if (c.fromPage > 0) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(c.fromPage, c.toPage > 0 ? c.toPage : 99999);
  }
  return c.pageSet;
}

}  // namespace vendle::test
