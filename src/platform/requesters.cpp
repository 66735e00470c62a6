#include "platform/requesters.h"

#include <memory>

#include "platform/dispatcher.h"

namespace vendle {
namespace {
std::unique_ptr<Dispatcher::Hold> HoldOf(Dispatcher* d) {
  return d ? std::make_unique<Dispatcher::Hold>(*d) : nullptr;
}
}  // namespace

void Requesters::message(const QString& title, const QString& text) {
  if (dismissing_) return;
  auto hold = HoldOf(dispatcher_);
  doMessage(title, text);
}
Answer Requesters::ask(const QString& title, const QString& text, Buttons buttons) {
  if (dismissing_) return buttons == Buttons::YesNo ? Answer::No : buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  auto hold = HoldOf(dispatcher_);
  return doAsk(title, text, buttons);
}
std::optional<QString> Requesters::input(const QString& title, const QString& prompt, const QString& initial) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doInput(title, prompt, initial);
}
std::optional<QString> Requesters::openFile(const FileRequest& r) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doOpenFile(r);
}
std::optional<QString> Requesters::saveFile(const FileRequest& r) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doSaveFile(r);
}
std::optional<QString> Requesters::folder(const QString& title, const QString& initial) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doFolder(title, initial);
}
std::optional<std::uint32_t> Requesters::colour(std::uint32_t initialBgr) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doColour(initialBgr);
}
std::optional<std::uint32_t> Requesters::colour(std::uint32_t initialBgr, const RequesterPlace& place) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doColourAt(initialBgr, place);
}
std::optional<FontChoice> Requesters::font(const FontChoice& initial) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doFont(initial);
}
std::optional<PageSet> Requesters::print(QPrinter& printer) {
  if (dismissing_) return std::nullopt;
  auto hold = HoldOf(dispatcher_);
  return doPrint(printer);
}

QStringList ConvertPatternList(const QString& patterns) {
  QStringList out;
  const QStringList fields = patterns.split(u'|');
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    QString label = fields[i];
    QStringList globs = fields[i + 1].split(u';', Qt::SkipEmptyParts);
    for (QString& g : globs) {
      g = g.trimmed();
      if (g == u"*.*") g = QStringLiteral("*");
    }
    // Qt reads the patterns from the brackets of the label: rebuild them.
    const qsizetype open = label.indexOf(u'(');
    const QString name = (open >= 0 ? label.left(open) : label).trimmed();
    out.append(name + " (" + globs.join(u' ') + ")");
  }
  if (out.isEmpty() && !patterns.isEmpty()) {
    QString g = patterns.trimmed();
    out.append(g == u"*.*" ? QStringLiteral("*") : g);
  }
  return out;
}

}  // namespace vendle
