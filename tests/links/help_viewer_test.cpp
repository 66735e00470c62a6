// The help through the running program: F1 and Shift+F1 on words of a real
// editor, the viewer and its buttons, the generated pages, and the external
// references.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTextBrowser>
#include <QUrl>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "links/ui/link_commands.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/ui/desktop_open.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/info_window.h"
#include "shell/ui/main_window.h"
#include "not_regular_files.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

struct Session {
  std::unique_ptr<AppDriver> driver;
  QString path;
  App& app() { return driver->app(); }
  Sci sci() { return CurrentEditor(app())->sci(); }
  // Puts the caret on line `line` at the first character of `word`, plus `into`.
  void caretAt(int line, const char* word, int into = 0) {
    Sci s = sci();
    const Sci::Pos start = s.positionFromLine(line);
    const QByteArray text = s.range(start, s.lineEndPosition(line));
    const qsizetype at = text.indexOf(word);
    ASSERT_GE(at, 0) << word;
    s.send(S::SCI_GOTOPOS, start + at + into);
  }
};

Session Open(const QByteArray& program, const QString& prefs = {}) {
  Session s;
  DriverOptions o;
  o.start = false;
  o.preferences = prefs;
  s.driver = std::make_unique<AppDriver>(o);
  s.path = s.driver->root() + "help.bas";
  WriteFile(s.path, program);
  s.driver->start();
  OpenDocument(s.app(), s.path, false);
  return s;
}

const QByteArray kProgram =
    "' help at the caret\r\n"
    "DIM name$\r\n"
    "  LINE INPUT \"Name? \", name$\r\n"
    "PRINT MID$(name$, 2, 3)\r\n"
    "SETPIN 4, DOUT\r\n"
    "frobnicate 1\r\n";

QString ViewerFile(App& app) { return QUrl(HelpViewerSource(app)).toLocalFile(); }

TEST(HelpViewer, F1ShowsTheSyntaxLineUntilTheCaretLeavesItsLine) {
  Session s = Open(kProgram);
  App& app = s.app();
  s.caretAt(3, "MID$", 1);
  s.driver->menu(Item::SyntaxHelpAtCaret);
  EXPECT_TRUE(s.sci().send(S::SCI_CALLTIPACTIVE));
  EXPECT_TRUE(StatusFieldText(app, StatusField::Path).startsWith("MID$(text$, start")) << StatusFieldText(app, StatusField::Path).toStdString();
  EXPECT_TRUE(app.toolkit().hasTimer(+WindowId::Main, +TimerId::SyntaxHelpLine));
  EXPECT_TRUE(HelpViewerSource(app).isEmpty()) << "F1 opens no page";

  // Within the line the syntax line stays; on another line the path comes back.
  s.caretAt(3, "name$");
  s.driver->post(Event::Timer(TimerId::SyntaxHelpLine));
  EXPECT_TRUE(StatusFieldText(app, StatusField::Path).startsWith("MID$("));
  s.caretAt(4, "SETPIN");
  s.driver->post(Event::Timer(TimerId::SyntaxHelpLine));
  EXPECT_EQ(StatusFieldText(app, StatusField::Path), s.path);
  EXPECT_FALSE(app.toolkit().hasTimer(+WindowId::Main, +TimerId::SyntaxHelpLine));
}

TEST(HelpViewer, TheWordBeforeAKeywordJoinsIt) {
  Session s = Open(kProgram);
  s.caretAt(2, "INPUT", 2);
  s.driver->menu(Item::SyntaxHelpAtCaret);
  EXPECT_TRUE(StatusFieldText(s.app(), StatusField::Path).startsWith("LINE INPUT [prompt$,]")) << StatusFieldText(s.app(), StatusField::Path).toStdString();
  EXPECT_EQ(s.sci().send(S::SCI_GETSELECTIONSTART), s.sci().send(S::SCI_GETSELECTIONEND)) << "no selection is left";
}

TEST(HelpViewer, ShiftF1OpensThePageAndAnUnknownWordTheIndex) {
  Session s = Open(kProgram);
  App& app = s.app();
  s.caretAt(5, "frobnicate", 3);
  s.driver->menu(Item::DetailedSyntaxHelp);
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html/index.htm");
  EXPECT_TRUE(HelpViewerText(app).contains("MMBasic syntax index"));

  // The detailed request ended with that: F1 now gives the call tip.
  s.caretAt(4, "SETPIN", 2);
  s.driver->menu(Item::SyntaxHelpAtCaret);
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html/index.htm");
  EXPECT_TRUE(s.sci().send(S::SCI_CALLTIPACTIVE));

  s.driver->menu(Item::DetailedSyntaxHelp);
  const QString generated = s.driver->dataFolder() + "html/indexP.htm";
  EXPECT_EQ(ViewerFile(app), generated);
  EXPECT_TRUE(ReadFile(generated).contains("<iframe src=\"setpin.htm\""));
  // The framed page is shown in place of the frame, under the index's bar.
  EXPECT_TRUE(HelpViewerText(app).contains("Vendle help"));
  EXPECT_TRUE(HelpViewerText(app).contains("SETPIN pin, mode"));
}

TEST(HelpViewer, APageThatCannotBeWrittenShowsItsTargetInstead) {
  Session s = Open(kProgram);
  App& app = s.app();
  const QString generated = s.driver->dataFolder() + "html/indexP.htm";
  WriteFile(generated, "<html><body>an old page</body></html>");
  s.caretAt(4, "SETPIN");
  {
    ScopedFileFault fault({FileFault::Step::Open, generated, 0});
    s.driver->menu(Item::DetailedSyntaxHelp);
  }
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html/setpin.htm");
  EXPECT_FALSE(HelpViewerText(app).contains("an old page"));
}

TEST(HelpViewer, MenuPagesButtonsAndAMissingPage) {
  Session s = Open(kProgram);
  App& app = s.app();
  s.driver->menu(Item::KeyboardShortcuts);
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html2/indexP.htm");
  EXPECT_TRUE(HelpViewerText(app).contains("Ctrl+O")) << HelpViewerText(app).left(600).toStdString();
  s.driver->menu(Item::AsciiTable);
  EXPECT_TRUE(HelpViewerText(app).contains("Windows-1252"));
  s.driver->menu(Item::VendleHelp);
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html2/index.htm");
  EXPECT_TRUE(HelpViewerText(app).contains("Using Vendle"));

  const int viewer = +WindowId::HelpViewer;
  s.driver->post(Event::Control(+ControlId::HelpMmBasic, 0, viewer));
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html/index.htm");
  s.driver->post(Event::Control(+ControlId::HelpBack, 0, viewer));
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html2/index.htm");
  s.driver->post(Event::Control(+ControlId::HelpForward, 0, viewer));
  EXPECT_EQ(ViewerFile(app), s.driver->dataFolder() + "html/index.htm");

  QFile::remove(s.driver->dataFolder() + "html/index.htm");
  s.driver->menu(Item::SyntaxHelp);
  EXPECT_TRUE(HelpViewerText(app).contains("Page not found"));

  // Every window keeps its title; closing stores its place.
  QWidget* w = app.toolkit().window(viewer);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Help Viewer");
  s.driver->post(Event::OfKind(EventKind::Close, viewer));
  s.driver->processEvents();
  EXPECT_EQ(app.toolkit().window(viewer), nullptr);
  EXPECT_EQ(HelpViewerSource(app), QString());
}

// A help page may come from anywhere: every image and style sheet it names
// goes through the checked read. A FIFO blocked the viewer in open() for
// ever, a device grew memory until the editor aborted; they are not shown.
TEST(HelpViewer, AHelpPageShowsNoResourceThatIsNotAFile) {
  Session s = Open(kProgram);
  App& app = s.app();
  const QString folder = s.driver->dataFolder() + "html2/";
  QImage dot(4, 4, QImage::Format_RGB32);
  dot.fill(Qt::red);
  ASSERT_TRUE(dot.save(folder + "dot.png"));
  std::vector<QString> refused;
  for (const Special& k : Specials()) {
    const QString path = folder + "res " + QString::fromLatin1(k.name).replace(u'/', u'_');
    ASSERT_TRUE(k.make(path)) << k.name;
    refused.push_back(path);
  }
  // Larger than any file read whole, without taking the disk.
  const QString huge = folder + "huge.png";
  WriteFile(huge, "");
  ASSERT_TRUE(QFile::resize(huge, kLargestReadFile + 1));
  refused.push_back(huge);

  QByteArray page = "<html><head>";
  for (const QString& r : refused)
    page += "<link rel=\"stylesheet\" href=\"" + QUrl::fromLocalFile(r).toEncoded() + "\">";
  page += "</head><body><p>Hostile page</p><img src=\"dot.png\">";
  for (const QString& r : refused) page += "<img src=\"" + QUrl::fromLocalFile(r).toEncoded() + "\">";
  // Named relative to the page as well.
  page += "<img src=\"res%20fifo\"><img src=\"" + QFile::encodeName(folder) + "res fifo\"></body></html>";
  WriteFile(folder + "index.htm", page);

  s.driver->menu(Item::VendleHelp);
  auto* browser = qobject_cast<QTextBrowser*>(app.toolkit().control(+ControlId::HelpBrowser));
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(HelpViewerText(app).contains("Hostile page"));
  browser->document()->setTextWidth(600);
  (void)browser->document()->size();  // lays the page out: its images are loaded
  (void)browser->grab();
  const QTextDocument* doc = browser->document();
  EXPECT_FALSE(doc->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(folder + "dot.png")).isNull())
      << "a regular image is still shown";
  for (const QString& r : refused) {
    const QUrl url = QUrl::fromLocalFile(r);
    const QImage shown = qvariant_cast<QImage>(doc->resource(QTextDocument::ImageResource, url));
    EXPECT_TRUE(shown.width() <= 1 && shown.height() <= 1 && (shown.isNull() || qAlpha(shown.pixel(0, 0)) == 0))
        << r.toStdString();
    EXPECT_TRUE(doc->resource(QTextDocument::StyleSheetResource, url).toString().isEmpty()) << r.toStdString();
  }
}

// A page shown inside the help index (its frame) has one navigation line:
// the index's. The framed page's own line is not shown a second time.
TEST(HelpViewer, AFramedPageShowsOneNavigationLine) {
  Session s = Open(kProgram);
  App& app = s.app();
  for (Item item : {Item::KeyboardShortcuts, Item::AsciiTable}) {
    s.driver->menu(item);
    const QString text = HelpViewerText(app);
    EXPECT_EQ(text.count(QStringLiteral("MMBasic syntax index")), 1) << +item << text.left(400).toStdString();
  }
}

TEST(HelpViewer, ExternalReferences) {
  Session s = Open(kProgram);
  App& app = s.app();
  auto& refs = app.settings().externalReferences;
  refs[0] = QStringLiteral("HTTPS://example.org/manual");
  refs[2] = s.driver->root() + "notes.TXT";
  refs[3] = s.driver->root() + "manual.pdf";
  ASSERT_TRUE(refs[1].startsWith("External Reference"));
  WriteFile(s.driver->root() + "notes.TXT", "line one\r\nline two\r\n");
  QList<QUrl> opened;
  SetDesktopOpenObserver([&](const QUrl& u) {
    opened.append(u);
    return true;
  });
  for (int slot = 0; slot < 6; ++slot) s.driver->menu(static_cast<Item>(+Item::ExtRefFirst + slot));
  SetDesktopOpenObserver(nullptr);
  EXPECT_EQ(opened, (QList<QUrl>{QUrl("HTTPS://example.org/manual"), QUrl::fromLocalFile(s.driver->root() + "manual.pdf")}));
  EXPECT_TRUE(InfoWindowText(app).contains("line two"));
}

}  // namespace
}  // namespace vendle::test
