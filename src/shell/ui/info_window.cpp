#include "shell/ui/info_window.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "platform/ansi.h"
#include "platform/event.h"
#include "platform/file_io.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {

constexpr int kInfo = static_cast<int>(WindowId::InfoText);
constexpr int kInfoText = static_cast<int>(ControlId::InfoEditor);

class InfoWindow : public QWidget {
 public:
  InfoWindow(const WindowRect& r, const QFont& font) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Vendle Info"));
    text_ = new QPlainTextEdit(this);
    text_->setAccessibleName(QStringLiteral("Vendle Info"));
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setFont(font);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    PlaceOnScreen(this, r.x, r.y, std::max(r.w, 40), std::max(r.h, 40));
  }

  QPlainTextEdit* text() const { return text_; }

  // A new text replaces the log and its note.
  void setText(const QString& text) {
    dropped_ = 0;
    text_->setPlainText(text);
  }

  // Appends log lines, of which `droppedBefore` earlier ones never arrived,
  // and keeps the last kKeptLogLines lines under a note of how many went.
  void appendLog(const std::deque<QString>& lines, qint64 droppedBefore) {
    const bool hadNote = dropped_ > 0;
    const qint64 skip = std::max<qint64>(0, qint64(lines.size()) - kKeptLogLines);
    dropped_ += droppedBefore + skip;
    for (auto it = lines.begin() + skip; it != lines.end(); ++it) text_->appendPlainText(*it);
    QTextDocument* doc = text_->document();
    const int note = hadNote ? 1 : 0;
    const int excess = doc->blockCount() - note - kKeptLogLines;
    if (excess > 0) {
      QTextCursor c(doc->findBlockByNumber(note));
      c.setPosition(doc->findBlockByNumber(note + excess).position(), QTextCursor::KeepAnchor);
      c.removeSelectedText();
      dropped_ += excess;
    }
    if (dropped_ == 0) return;
    const QString text =
        QStringLiteral("%1 earlier lines were dropped: only the last %2 lines are kept.").arg(dropped_).arg(kKeptLogLines);
    QTextCursor c(doc->firstBlock());
    if (hadNote) {
      c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      c.insertText(text);
    } else {
      c.insertText(text + '\n');
    }
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    text_->setGeometry(10, 10, std::max(0, width() - 20), std::max(0, height() - 20));
  }

 private:
  QPlainTextEdit* text_;
  qint64 dropped_ = 0;
};

InfoWindow* InfoWindowOf(App& app) { return dynamic_cast<InfoWindow*>(app.toolkit().window(kInfo)); }

void StoreInfoRect(App& app, const QWidget* w) {
  StorePlacement(w, app.settings().textWindow);
}

void CloseInfoWindow(App& app, InfoWindow* w) {
  Toolkit& tk = app.toolkit();
  tk.unregisterControl(kInfoText);
  tk.unregisterWindow(kInfo);
  w->hide();
  // The close request may be running inside the window's own event.
  w->deleteLater();
}

// ---- Debug log lines of other threads ----
// Each App has a channel: other threads queue their lines in it and wake the
// GUI thread once; the GUI thread takes them all, in order, before any line
// of its own.
struct LogChannel {
  std::mutex mutex;
  App* app = nullptr;
  bool alive = true;
  bool wakePending = false;
  std::deque<QString> lines;
  // Lines pushed out of a full queue before the GUI thread took them.
  qint64 dropped = 0;
};

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}

std::map<const App*, std::shared_ptr<LogChannel>>& Registry() {
  static std::map<const App*, std::shared_ptr<LogChannel>> r;
  return r;
}

std::shared_ptr<LogChannel> ChannelOf(App& app, bool create) {
  std::lock_guard lock(RegistryMutex());
  auto& reg = Registry();
  auto it = reg.find(&app);
  if (it != reg.end()) return it->second;
  if (!create) return nullptr;
  auto ch = std::make_shared<LogChannel>();
  ch->app = &app;
  reg[&app] = ch;
  return ch;
}

bool OnGuiThread() {
  const QCoreApplication* qapp = QCoreApplication::instance();
  return !qapp || QThread::currentThread() == qapp->thread();
}

void ShowLogLines(App& app, std::deque<QString> lines, qint64 dropped) {
  if (app.settings().debugMode == 0 || (lines.empty() && dropped == 0)) return;
  InfoWindow* w = InfoWindowOf(app);
  if (!w) {
    // No window is opened while the program ends: nobody would see it, and
    // nothing would close it.
    if (app.state().quitFlag) {
      for (const QString& line : lines) std::fprintf(stderr, "vendle: %s\n", line.toLocal8Bit().constData());
      return;
    }
    ShowInfoText(app, lines.empty() ? QString() : lines.front());
    if (!lines.empty()) lines.pop_front();
    w = InfoWindowOf(app);
  }
  w->appendLog(lines, dropped);
}

// GUI thread: shows every line queued by other threads.
void Drain(const std::shared_ptr<LogChannel>& ch) {
  std::deque<QString> lines;
  qint64 dropped = 0;
  App* app = nullptr;
  {
    std::lock_guard lock(ch->mutex);
    ch->wakePending = false;
    if (!ch->alive) {
      ch->lines.clear();
      return;
    }
    lines.swap(ch->lines);
    std::swap(dropped, ch->dropped);
    app = ch->app;
  }
  ShowLogLines(*app, std::move(lines), dropped);
}

}  // namespace

void ShowInfoText(App& app, const QString& text) {
  Toolkit& tk = app.toolkit();
  if (InfoWindow* w = InfoWindowOf(app)) {
    w->setText(text);
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    if (app.options().showWindow) w->show();
    w->raise();
    w->activateWindow();
    return;
  }
  const Settings& s = app.settings();
  if (!tk.font(+FontId::Mono)) tk.loadFont(+FontId::Mono, s.monoFont, s.monoFontSize, true);
  auto* w = new InfoWindow(s.textWindow, *tk.font(+FontId::Mono));
  w->setText(text);
  tk.registerWindow(kInfo, w);
  tk.registerControl(kInfoText, w->text());
  if (app.options().showWindow) w->show();
}

void ShowFileInInfoWindow(App& app, const QString& path) {
  if (path.isEmpty()) return;
  const ReadResult r = ReadWholeFile(path);
  if (!r.ok) {
    if (r.exists) app.requesters().message(QStringLiteral("Oops!"), "The file could not be read:\n" + path + "\n" + r.error);
    return;
  }
  QByteArray bytes = r.bytes;
  const qsizetype nul = bytes.indexOf('\0');
  if (nul >= 0) bytes.truncate(nul);
  ShowInfoText(app, DecodeAnsi(bytes));
}

void DebugLog(App& app, const QString& line) {
  if (OnGuiThread()) {
    // Lines other threads logged earlier come first.
    if (auto ch = ChannelOf(app, false)) Drain(ch);
    ShowLogLines(app, {line}, 0);
    return;
  }
  // Another thread never touches the window or the settings: hand the line over.
  const std::shared_ptr<LogChannel> ch = ChannelOf(app, true);
  bool wake = false;
  {
    std::lock_guard lock(ch->mutex);
    if (!ch->alive) return;
    // A GUI thread kept busy must not make the queue grow without bound.
    if (ch->lines.size() >= size_t(kKeptLogLines)) {
      ch->lines.pop_front();
      ++ch->dropped;
    }
    ch->lines.push_back(line);
    wake = !ch->wakePending;
    ch->wakePending = true;
  }
  if (wake)
    QMetaObject::invokeMethod(QCoreApplication::instance(), [ch] { Drain(ch); }, Qt::QueuedConnection);
}

void ConnectDebugLog(App& app) {
  QWidget* main = app.mainWidget();
  if (!main) return;
  std::shared_ptr<LogChannel> ch = ChannelOf(app, true);
  QObject::connect(main, &QObject::destroyed, [ch] {
    {
      std::lock_guard lock(ch->mutex);
      ch->alive = false;
      ch->lines.clear();
    }
    std::lock_guard lock(RegistryMutex());
    auto& reg = Registry();
    auto it = reg.find(ch->app);
    if (it != reg.end() && it->second == ch) reg.erase(it);
  });
}

void InfoWindowEvent(App& app, const Event& e) {
  InfoWindow* w = InfoWindowOf(app);
  if (!w) return;
  // The placement is stored only in the normal state (not minimised or maximised).
  const bool normal = w->windowState() == Qt::WindowNoState;
  switch (e.kind) {
    case EventKind::Move:
    case EventKind::Size:
      if (normal) StoreInfoRect(app, w);
      break;
    case EventKind::Close:
      if (normal) StoreInfoRect(app, w);
      CloseInfoWindow(app, w);
      break;
    default: break;
  }
}

size_t QueuedLogLines(App& app) {
  const std::shared_ptr<LogChannel> ch = ChannelOf(app, false);
  if (!ch) return 0;
  std::lock_guard lock(ch->mutex);
  return ch->lines.size();
}

QString InfoWindowText(App& app) {
  InfoWindow* w = InfoWindowOf(app);
  return w ? w->text()->toPlainText() : QString();
}

}  // namespace vendle
