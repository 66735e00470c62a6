#include "shell/ui/info_window.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFontInfo>
#include <QMenu>
#include <QResizeEvent>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "editor/ui/editor_view.h"
#include "platform/ansi.h"
#include "platform/event.h"
#include "platform/file_io.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {

constexpr int kInfo = static_cast<int>(WindowId::InfoText);
constexpr int kInfoText = static_cast<int>(ControlId::InfoEditor);

using S = QsciScintillaBase;

// Lines of a text shown apart by LF, whatever ended them.
QString WithLf(QString text) {
  if (!text.contains(u'\r')) return text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

// The text's own menu: what a text view offers, Copy and Select All.
class InfoView : public EditorView {
 public:
  // Its focus and drops mean nothing to the main window. A closed window
  // lives on until its deferred delete, possibly past the program it
  // belonged to, so it keeps no way to post to that program's dispatcher.
  InfoView(int control, Dispatcher& dispatcher, QWidget* parent) : EditorView(control, dispatcher, parent) {
    disconnect(this, &QsciScintillaBase::SCN_FOCUSIN, nullptr, nullptr);
    disconnect(this, &QsciScintillaBase::SCN_FOCUSOUT, nullptr, nullptr);
    disconnect(this, &QsciScintillaBase::SCN_URIDROPPED, nullptr, nullptr);
  }

 protected:
  void contextMenuEvent(QContextMenuEvent* e) override {
    e->accept();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const Sci s(this);
    QAction* copy = menu->addAction(QStringLiteral("Copy"), this, [this] { Sci(this).send(QsciScintillaBase::SCI_COPY); });
    copy->setEnabled(!s.send(QsciScintillaBase::SCI_GETSELECTIONEMPTY));
    menu->addAction(QStringLiteral("Select All"), this, [this] { Sci(this).send(QsciScintillaBase::SCI_SELECTALL); });
    menu->popup(e->globalPos());
  }
};

// A read-only editor control shows the text: a report of many megabytes goes
// in as one block of bytes, where a text document would build an object per
// line; the editor's own accessible interface serves assistive tools.
class InfoWindow : public QWidget {
 public:
  InfoWindow(const WindowRect& r, const QFont& font, Dispatcher& dispatcher) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Vendle Info"));
    text_ = new InfoView(kInfoText, dispatcher, this);
    text_->setAccessibleName(QStringLiteral("Vendle Info"));
    const Sci s = sci();
    s.send(S::SCI_SETCODEPAGE, S::SC_CP_UTF8);
    s.send(S::SCI_SETEOLMODE, S::SC_EOL_LF);
    s.send(S::SCI_SETUNDOCOLLECTION, 0);
    // Nothing listens to its changes; a change notice would cost a count of
    // every character before it, which made each log line cost the log's length.
    s.send(S::SCI_SETMODEVENTMASK, 0);
    s.send(S::SCI_SETWRAPMODE, S::SC_WRAP_NONE);
    // The family the font resolved to: a name the system lacks would give the
    // control a proportional face, and the report's columns would not line up.
    s.sendText(S::SCI_STYLESETFONT, S::STYLE_DEFAULT, QFontInfo(font).family().toUtf8().constData());
    if (font.pointSize() > 0) s.send(S::SCI_STYLESETSIZE, S::STYLE_DEFAULT, font.pointSize());
    s.send(S::SCI_STYLECLEARALL);
    for (int m = 0; m < 5; ++m) s.send(S::SCI_SETMARGINWIDTHN, m, 0);
    s.send(S::SCI_SETREADONLY, 1);
    PlaceOnScreen(this, r.x, r.y, std::max(r.w, 40), std::max(r.h, 40));
  }

  QWidget* text() const { return text_; }
  Sci sci() const { return Sci(text_); }

  // The text shown, with LF between its lines.
  QString plainText() const {
    const Sci s = sci();
    return QString::fromUtf8(s.range(0, s.length()));
  }

  // A new text replaces the log and its note.
  void setText(const QString& text) {
    dropped_ = 0;
    const Writable w(sci());
    sci().sendText(S::SCI_SETTEXT, WithLf(text).toUtf8());
    sci().send(S::SCI_GOTOPOS, 0);
  }

  // Appends log lines, of which `droppedBefore` earlier ones never arrived,
  // and keeps the last kKeptLogLines lines under a note of how many went.
  void appendLog(const std::deque<QString>& lines, qint64 droppedBefore) {
    const Sci s = sci();
    const Writable w(s);
    const bool hadNote = dropped_ > 0;
    const qint64 skip = std::max<qint64>(0, qint64(lines.size()) - kKeptLogLines);
    dropped_ += droppedBefore + skip;
    QByteArray added;
    for (auto it = lines.begin() + skip; it != lines.end(); ++it) {
      // A line starts a line of its own, unless the window is empty.
      if (s.length() > 0 || !added.isEmpty()) added += '\n';
      added += WithLf(*it).toUtf8();
    }
    s.send(S::SCI_APPENDTEXT, added.size(), reinterpret_cast<std::intptr_t>(added.constData()));
    const int note = hadNote ? 1 : 0;
    const Sci::Pos excess = s.lineCount() - note - kKeptLogLines;
    if (excess > 0) {
      const Sci::Pos from = s.positionFromLine(note);
      s.send(S::SCI_DELETERANGE, from, s.positionFromLine(note + excess) - from);
      dropped_ += excess;
    }
    if (dropped_ == 0) return;
    const QByteArray text = QStringLiteral("%1 earlier lines were dropped: only the last %2 lines are kept.")
                                .arg(dropped_)
                                .arg(kKeptLogLines)
                                .toUtf8();
    s.send(S::SCI_SETTARGETRANGE, 0, hadNote ? s.lineEndPosition(0) : 0);
    const QByteArray put = hadNote ? text : text + '\n';
    s.send(S::SCI_REPLACETARGET, put.size(), reinterpret_cast<std::intptr_t>(put.constData()));
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    text_->setGeometry(10, 10, std::max(0, width() - 20), std::max(0, height() - 20));
  }

 private:
  // The text is read-only to the user; the program writes it in between.
  struct Writable {
    explicit Writable(const Sci& s) : s_(s) { s_.send(S::SCI_SETREADONLY, 0); }
    ~Writable() { s_.send(S::SCI_SETREADONLY, 1); }
    Sci s_;
  };

  EditorView* text_;
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
  auto* w = new InfoWindow(s.textWindow, *tk.font(+FontId::Mono), app.dispatcher());
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
  return w ? w->plainText() : QString();
}

}  // namespace vendle
