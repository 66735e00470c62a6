// The help viewer (WindowId::HelpViewer), the Help menu's pages, the F1 and Shift+F1
// syntax help with its status-bar line, and the external references.
#include <QImage>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include "documents/ui/document_commands.h"
#include "shell/ui/services.h"
#include "editor/ui/text_access.h"
#include "links/help.h"
#include "links/help_resources.h"
#include "links/ui/link_commands.h"
#include "platform/event.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/ui/desktop_open.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "editor/ui/editor_view.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

constexpr int kViewer = +WindowId::HelpViewer;
constexpr int kSyntaxLineField = 3;

// A browser whose every resource, not only the page, goes through the
// checked read: an image or a style sheet naming a FIFO or a device would
// block or exhaust the viewer.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    if (name.scheme() == QLatin1String("qrc") || name.scheme() == QLatin1String("data"))
      return QTextBrowser::loadResource(type, name);
    const HelpResourceKind kind = type == QTextDocument::HtmlResource         ? HelpResourceKind::Page
                                  : type == QTextDocument::ImageResource      ? HelpResourceKind::Image
                                  : type == QTextDocument::StyleSheetResource ? HelpResourceKind::StyleSheet
                                                                              : HelpResourceKind::Other;
    const HelpResource r = ReadHelpResource(kind, name, source());
    if (kind == HelpResourceKind::Page) return r.html;
    if (r.found) return r.bytes;
    // Not nothing: for nothing the document opens the file itself, and an
    // image then reads the name once more.
    if (kind != HelpResourceKind::Image) return QString();
    QImage none(1, 1, QImage::Format_ARGB32);
    none.fill(Qt::transparent);
    return none;
  }
};

class HelpViewer : public QWidget {
 public:
  HelpViewer(App& app, const WindowRect& r) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Help Viewer"));
    struct Button {
      ControlId id;
      const char* text;
      const char* tip;
      int x;
    };
    const Button buttons[] = {{ControlId::HelpVendle, "Vendle", "View Vendle help index", 10},
                              {ControlId::HelpMmBasic, "MM Basic", "View MMBasic syntax index", 100},
                              {ControlId::HelpBack, "Back", "Previous page", 200},
                              {ControlId::HelpForward, "Forward", "Next page", 300}};
    Toolkit& tk = app.toolkit();
    for (const Button& b : buttons) {
      auto* button = new QPushButton(QString::fromLatin1(b.text), this);
      button->setToolTip(QString::fromLatin1(b.tip));
      button->setAccessibleName(QString::fromLatin1(b.text));
      button->setGeometry(b.x, 5, 80, 25);
      const int id = +b.id;
      QObject::connect(button, &QPushButton::clicked, this,
                       [&app, id] { app.post(Event::Control(id, 0, kViewer)); });
      tk.registerControl(id, button);
    }
    browser_ = new HelpBrowser(this);
    browser_->setAccessibleName(QStringLiteral("Help page"));
    browser_->setOpenLinks(false);
    QObject::connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { follow(url); });
    tk.registerControl(+ControlId::HelpBrowser, browser_);
    PlaceOnScreen(this, r.x, r.y, std::max(r.w, 200), std::max(r.h, 120));
  }

  HelpBrowser* browser() const { return browser_; }

  // A page shown again is read again: generated pages change under one address.
  void showUrl(const QUrl& url) {
    if (browser_->source() == url) browser_->reload();
    else browser_->setSource(url);
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    browser_->setGeometry(10, 40, std::max(0, width() - 20), std::max(0, height() - 50));
  }

 private:
  // Local pages stay in the viewer; addresses of the web go to the desktop's browser.
  void follow(const QUrl& url) {
    if (url.isRelative() || url.isLocalFile()) {
      const QUrl target = browser_->source().resolved(url);
      if (!url.fragment().isEmpty() && target.adjusted(QUrl::RemoveFragment) == browser_->source().adjusted(QUrl::RemoveFragment)) {
        browser_->scrollToAnchor(url.fragment());
        return;
      }
      browser_->setSource(target);
      return;
    }
    OpenWithDesktop(url.toString());
  }

  HelpBrowser* browser_ = nullptr;
};

HelpViewer* ViewerOf(App& app) { return dynamic_cast<HelpViewer*>(app.toolkit().window(kViewer)); }

HelpViewer* OpenHelpViewer(App& app) {
  if (HelpViewer* v = ViewerOf(app)) {
    if (v->isMinimized()) v->showNormal();
    v->raise();
    v->activateWindow();
    return v;
  }
  auto* v = new HelpViewer(app, app.settings().helpWindow);
  app.toolkit().registerWindow(kViewer, v);
  if (app.options().showWindow) v->show();
  return v;
}

void StoreViewerRect(App& app, const QWidget* w) {
  StorePlacement(w, app.settings().helpWindow);
}

void CloseViewer(App& app, HelpViewer* v) {
  Toolkit& tk = app.toolkit();
  for (ControlId id : {ControlId::HelpBrowser, ControlId::HelpVendle, ControlId::HelpMmBasic, ControlId::HelpBack,
                       ControlId::HelpForward})
    tk.unregisterControl(+id);
  tk.unregisterWindow(kViewer);
  v->hide();
  v->deleteLater();  // the close may run inside the window's own event
}

// `page` relative to the data folder ("html/index.htm").
void ShowDataPage(App& app, const QString& page) {
  HelpViewer* v = OpenHelpViewer(app);
  v->showUrl(QUrl(HelpAddress(app.folders().data + page)));
}

// Writes a page made from the index template and shows it; a page that
// cannot be written shows `fallback` itself, never an older generated page.
void ShowGeneratedPage(App& app, const QString& generated, const QString& framed, const QString& fallback) {
  const SyntaxData& syntax = app.state().syntax;
  const QString text = GeneratedHelpPage(syntax.helpIndexHead, framed, syntax.helpIndexTail);
  const bool usable = !syntax.helpIndexHead.isEmpty() || !syntax.helpIndexTail.isEmpty();
  if (usable && WriteFileSafely(app.folders().data + generated, text.toUtf8()).ok) {
    ShowDataPage(app, generated);
    return;
  }
  DebugLog(app, QStringLiteral("Could not write ") + app.folders().data + generated);
  ShowDataPage(app, fallback);
}

// The word at the caret for the syntax help, or the selection as it is.
QString PickHelpWord(EditorView& editor) {
  Sci s = editor.sci();
  QString word = GetSelectedText(&editor);
  if (!word.isEmpty()) return word.toUpper();
  const Sci::Pos caret = s.currentPos();
  // The keyword test below reads a style: the line must be styled.
  StyleUpTo(editor, s.lineEndPosition(s.lineFromPosition(caret)));
  Sci::Pos start = s.send(S::SCI_WORDSTARTPOSITION, caret, 0);
  const Sci::Pos lineStart = s.positionFromLine(s.lineFromPosition(caret));
  // The word before a keyword joins it: LINE INPUT, with the caret in INPUT.
  if (lineStart + 3 < start && s.send(S::SCI_GETSTYLEAT, start - 2) == 1)
    start = s.send(S::SCI_WORDSTARTPOSITION, start - 2, 1);
  const Sci::Pos end = s.send(S::SCI_WORDENDPOSITION, caret, 0);
  word = QString::fromUtf8(s.range(start, end)).toUpper();
  return TrimPickedWord(word);
}

}  // namespace

void ShowHelpPage(App& app, int item) {
  switch (static_cast<Item>(item)) {
    case Item::SyntaxHelp: ShowDataPage(app, QStringLiteral("html/index.htm")); break;
    case Item::VendleHelp: ShowDataPage(app, QStringLiteral("html2/index.htm")); break;
    case Item::AsciiTable:
      ShowGeneratedPage(app, QStringLiteral("html2/indexP.htm"), QStringLiteral("ASCIIcodes.htm"),
                        QStringLiteral("html2/ASCIIcodes.htm"));
      break;
    case Item::KeyboardShortcuts:
      ShowGeneratedPage(app, QStringLiteral("html2/indexP.htm"), QStringLiteral("kboard_scut.htm"),
                        QStringLiteral("html2/kboard_scut.htm"));
      break;
    default: break;
  }
}

void SyntaxHelpAtCaret(App& app, bool detailed) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* editor = EditorOfDocument(app, index);
  if (!editor) return;
  const QString key = HelpKeyOf(PickHelpWord(*editor));
  if (key.isEmpty()) return;
  const KeywordHelpTable& table = app.state().syntax.help;
  const int row = LookupHelpRow(table, key);
  const KeywordHelpRow& found = table.row(row);
  if (row == 0 || found.syntaxLine.isEmpty()) {
    ShowDataPage(app, QStringLiteral("html/index.htm"));
    return;
  }
  QString line = found.syntaxLine;
  line.remove(u'\r');
  if (detailed) {
    ShowGeneratedPage(app, QStringLiteral("html/indexP.htm"), found.helpPage + QStringLiteral(".htm"),
                      QStringLiteral("html/") + found.helpPage + QStringLiteral(".htm"));
    return;
  }
  Sci s = editor->sci();
  const QByteArray utf8 = line.toUtf8();
  // Where the tip would stand on no screen, the status bar alone shows the line.
  if (PopupFitsScreen(*editor, s.currentPos())) {
    s.sendText(S::SCI_CALLTIPSHOW, static_cast<std::uintptr_t>(s.currentPos()), utf8.constData());
    s.send(S::SCI_CALLTIPSETHLT, 0, utf8.size());  // byte positions
  }
  app.toolkit().addTimer(+WindowId::Main, +TimerId::SyntaxHelpLine, 100);
  SetStatusField(app, kSyntaxLineField, line);
  app.state().syntaxHelpLine = static_cast<int>(s.lineFromPosition(s.currentPos()));
}

void SyntaxHelpLineTick(App& app) {
  EditorView* editor = CurrentEditor(app);
  const int line = editor ? static_cast<int>(editor->sci().lineFromPosition(editor->sci().currentPos())) : -1;
  if (editor && line == app.state().syntaxHelpLine) return;
  app.toolkit().removeTimer(+WindowId::Main, +TimerId::SyntaxHelpLine);
  const DocumentRecord* doc = app.state().docs.list.current();
  SetStatusField(app, kSyntaxLineField, doc ? doc->path : QString());
}

void OpenExternalReference(App& app, int slot) {
  const auto& refs = app.settings().externalReferences;
  if (slot < 0 || slot >= static_cast<int>(refs.size())) return;
  const QString text = refs[static_cast<std::size_t>(slot)];
  switch (ClassifyReference(text)) {
    case ReferenceKind::Unset: break;
    // This build has no web page window: addresses open in the desktop's browser.
    case ReferenceKind::Http: OpenWithDesktop(text); break;
    case ReferenceKind::InfoFile: ShowFileInInfoWindow(app, text); break;
    case ReferenceKind::Desktop:
      if (!OpenWithDesktop(text)) DebugLog(app, QStringLiteral("No application opened ") + text);
      break;
  }
}

void HelpWindowEvent(App& app, const Event& e) {
  HelpViewer* v = ViewerOf(app);
  if (!v) return;
  const bool normal = v->windowState() == Qt::WindowNoState;
  switch (e.kind) {
    case EventKind::Move:
    case EventKind::Size:
      if (normal) StoreViewerRect(app, v);
      break;
    case EventKind::Close:
      if (normal) StoreViewerRect(app, v);
      CloseViewer(app, v);
      break;
    case EventKind::Control:
      switch (static_cast<ControlId>(e.object)) {
        case ControlId::HelpVendle: ShowDataPage(app, QStringLiteral("html2/index.htm")); break;
        case ControlId::HelpMmBasic: ShowDataPage(app, QStringLiteral("html/index.htm")); break;
        case ControlId::HelpBack: v->browser()->backward(); break;
        case ControlId::HelpForward: v->browser()->forward(); break;
        default: break;
      }
      break;
    default: break;
  }
}

// The web page window is not built: http references go to the desktop's browser.
void WebWindowEvent(App&, const Event&) {}

QString HelpViewerSource(App& app) {
  HelpViewer* v = ViewerOf(app);
  return v ? v->browser()->source().toString() : QString();
}

QString HelpViewerText(App& app) {
  HelpViewer* v = ViewerOf(app);
  return v ? v->browser()->toPlainText() : QString();
}

}  // namespace vendle
