// The exports and printing through the running program: programs opened as a
// user opens them, the menu items, the scripted requesters, and the files
// read back by real readers (unrtf, pdfinfo, pdftotext).
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QProcess>
#include <QCheckBox>
#include <QRadioButton>
#include <QLineEdit>
#include <QComboBox>
#include <QPrintDialog>
#include <QSpinBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocument>
#include <QUrl>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "editor/ui/editor_view.h"
#include "platform/ansi.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/ui/desktop_open.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// A real-shaped program of `subs` routines, CR LF, with a non-ASCII letter in
// a string and a comment. Every line is distinct, so a reader's text can be
// matched line by line.
QByteArray Program(int subs) {
  QByteArray p = "' Weather station logger\r\nOPTION EXPLICIT\r\nDIM INTEGER count = 0\r\n";
  for (int i = 0; i < subs; ++i) {
    const QByteArray n = QByteArray::number(i);
    p += "SUB Sample" + n + "(pin%)\r\n";
    p += "  LOCAL v! = PIN(pin%) * 3.3 / 4095 ' reading " + n + "\r\n";
    p += "  IF v! > 1.5 THEN PRINT \"caf\xe9 " + n + ": \"; v! ELSE count = count + " + n + "\r\n";
    p += "END SUB\r\n";
  }
  p += "DO : Sample0 1 : PAUSE 1000 : LOOP\r\n";
  return p;
}

struct Opened {
  std::unique_ptr<AppDriver> driver;
  QString path;
  EditorView* editor = nullptr;
};

Opened OpenProgram(const QByteArray& bytes, const QString& prefs = {}) {
  Opened o;
  DriverOptions options;
  options.start = false;
  options.preferences = prefs;
  o.driver = std::make_unique<AppDriver>(options);
  o.path = o.driver->root() + "station.bas";
  WriteFile(o.path, bytes);
  o.driver->start();
  OpenDocument(o.driver->app(), o.path, false);
  o.editor = CurrentEditor(o.driver->app());
  return o;
}

QString Clipboard() { return QApplication::clipboard()->text(); }

QStringList ProgramLines(const QByteArray& bytes) {
  QStringList lines = DecodeAnsi(bytes).split(QStringLiteral("\r\n"));
  if (lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QString Simplified(const QString& s) { return s.simplified(); }

// The clipboard exports read the styles of text never shown: a keyword on the
// last line of a 20 000-line program still comes out as a keyword.
TEST(ExportCommands, ClipboardExportsStyleTheWholeProgramFirst) {
  Opened o = OpenProgram(Program(5000));
  ASSERT_NE(o.editor, nullptr);
  Sci s = o.editor->sci();
  ASSERT_GT(s.lineCount(), 20000);
  ASSERT_LT(s.send(S::SCI_GETENDSTYLED), s.length() / 2) << "the test needs text that was never styled";

  o.driver->menu(Item::ForumInColour);
  const QString forum = Clipboard();
  EXPECT_TRUE(forum.startsWith("[QUOTE][FONT=Courier][COLOR=BLACK][/COLOR][COLOR=BROWN]'&nbsp;Weather"));
  EXPECT_TRUE(forum.endsWith("[/COLOR][COLOR=BLUE]LOOP\n\n[/COLOR][/FONT][/QUOTE]\n")) << forum.right(80).toStdString();
  EXPECT_TRUE(forum.contains(u"[/COLOR][COLOR=GREEN]\"caf\u00e9&nbsp;4999:&nbsp;\""));

  o.driver->menu(Item::FormatAsColourHtml);
  EXPECT_TRUE(Clipboard().endsWith("<font color=\"#0000FF\">LOOP<BR>\n<BR>\n</font></font></P>\n"));
  EXPECT_FALSE(s.modified()) << "an export never changes the document";
}

TEST(ExportCommands, ASelectionExportsItsLines) {
  Opened o = OpenProgram("a = 1\r\nPRINT a\r\nb = 2\r\n", "[Options]\nUpper_Case=3\n");
  Sci s = o.editor->sci();
  // From inside line 1 to the start of line 2: both lines, the second whole.
  s.send(S::SCI_SETSEL, s.positionFromLine(1) + 2, s.positionFromLine(2));
  o.driver->menu(Item::FormatForForum);
  EXPECT_EQ(Clipboard(), "[CODE]Print a\nb = 2[/CODE]\n");
  o.driver->menu(Item::FormatAsHtml);
  EXPECT_EQ(Clipboard(), "<P><font face=\"Courier New\" size=\"2\">\nPRINT a<BR>\nb = 2</font></P>\n");
}

// Pasted into any program of this desktop, every export is as many lines as
// the program has (with its first and last mark-up lines): the clipboard
// separates lines with LF, never a bare CR.
TEST(ExportCommands, ClipboardTextHasLineFeedsBetweenItsLines) {
  QByteArray program;
  for (int i = 1; i <= 12; ++i) program += "PRINT \"line " + QByteArray::number(i) + "\" ' note\r\n";
  Opened o = OpenProgram(program);
  struct Row {
    Item item;
    const char* start;
    // The 12 lines, the two past the last that the range takes, the
    // closing line and the line end after it; HTML opens with a line too.
    qsizetype lines;
  };
  const Row rows[] = {{Item::FormatForForum, "[CODE]PRINT", 15},
                      {Item::ForumInColour, "[QUOTE][FONT=Courier][COLOR=BLACK]", 15},
                      {Item::FormatAsHtml, "<P><font face=\"Courier New\" size=\"2\">\nPRINT", 16},
                      {Item::FormatAsColourHtml, "<P><font face=\"Courier New\" size=\"2\"><font color=\"#000000\">\n", 16}};
  for (const Row& row : rows) {
    o.driver->menu(row.item);
    const QString text = Clipboard();
    EXPECT_FALSE(text.contains(u'\r')) << +row.item;
    EXPECT_TRUE(text.startsWith(QString::fromLatin1(row.start))) << text.left(80).toStdString();
    EXPECT_EQ(text.split(u'\n').size(), row.lines) << text.toStdString();
  }
}

// What the desktop was asked to open.
struct DesktopRecorder {
  QList<QUrl> opened;
  // What the desktop answers: false when no program opened the address.
  explicit DesktopRecorder(bool opens = true) {
    SetDesktopOpenObserver([this, opens](const QUrl& u) {
      opened.append(u);
      return opens;
    });
  }
  ~DesktopRecorder() { SetDesktopOpenObserver(nullptr); }
};

// unrtf's HTML, as the plain lines a reader shows.
QStringList ReadRtf(const QString& path) {
  QProcess unrtf;
  unrtf.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
  if (!unrtf.waitForFinished(60000)) return {QStringLiteral("<unrtf did not finish>")};
  QTextDocument doc;
  doc.setHtml(QString::fromUtf8(unrtf.readAllStandardOutput()));
  QStringList out;
  for (const QString& l : doc.toPlainText().split(QRegularExpression(QStringLiteral("[\\n\\x{2028}]")))) out << l;
  while (!out.isEmpty() && out.last().trimmed().isEmpty()) out.removeLast();
  while (!out.isEmpty() && out.first().trimmed().isEmpty()) out.removeFirst();
  return out;
}

TEST(ExportCommands, TheRtfFileReadsBackAsTheProgram) {
  if (QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty()) GTEST_SKIP() << "unrtf is not installed";
  const QByteArray program = Program(75);  // 303 lines
  const QStringList lines = ProgramLines(program);
  for (bool numbers : {false, true}) {
    Opened o = OpenProgram(program);
    DesktopRecorder desktop;
    o.driver->requesters().answer(numbers ? Answer::Yes : Answer::No);
    o.driver->requesters().answerText(o.driver->root() + "listing");  // no extension: ".rtf" is added
    o.driver->menu(Item::SaveAsRtf);
    const QString rtf = o.driver->root() + "listing.rtf";
    ASSERT_TRUE(QFile::exists(rtf)) << numbers;
    ASSERT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(rtf)});
    const QStringList read = ReadRtf(rtf);
    // unrtf folds runs of blanks, so lines are compared with theirs folded too.
    // With numbers the line past the end keeps its number.
    ASSERT_EQ(read.size(), lines.size() + (numbers ? 1 : 0));
    for (int i = 0; i < lines.size(); ++i) {
      const QString expected = numbers ? QString::number(i + 1) + u' ' + lines[i] : lines[i];
      ASSERT_EQ(Simplified(read[i]), Simplified(expected)) << "line " << i + 1 << " numbers " << numbers;
    }
    EXPECT_TRUE(read[5].contains(u"caf\u00e9")) << "a non-ASCII letter comes back as itself";
  }
}

TEST(ExportCommands, AnRtfFileThatNoProgramOpensIsReportedWithItsPath) {
  Opened o = OpenProgram(Program(2));
  DesktopRecorder desktop(false);
  o.driver->requesters().answer(Answer::No);
  o.driver->requesters().answerText(o.driver->root() + "listing.rtf");
  o.driver->menu(Item::SaveAsRtf);
  const QString rtf = o.driver->root() + "listing.rtf";
  ASSERT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(rtf)});
  const auto& asked = o.driver->requesters().asked();
  ASSERT_EQ(asked.size(), 3u) << "the line-number question, the file and the failed open";
  EXPECT_EQ(asked[2].kind, QStringLiteral("message"));
  EXPECT_TRUE(asked[2].text.contains(rtf)) << asked[2].text.toStdString();
  EXPECT_TRUE(QFile::exists(rtf)) << "the file stays written";
}

TEST(ExportCommands, AnRtfFileThatCannotBeWrittenIsReportedAndNotOpened) {
  Opened o = OpenProgram(Program(2));
  DesktopRecorder desktop;
  const QString rtf = o.driver->root() + "listing.rtf";
  WriteFile(rtf, "old");
  o.driver->requesters().answer(Answer::No);
  o.driver->requesters().answerText(rtf);
  o.driver->requesters().answer(Answer::Yes);  // overwrite it
  {
    ScopedFileFault fault({FileFault::Step::Write, rtf, 10});
    o.driver->menu(Item::SaveAsRtf);
  }
  EXPECT_EQ(ReadFile(rtf), "old");
  EXPECT_TRUE(desktop.opened.isEmpty());
  const auto& asked = o.driver->requesters().asked();
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back().title, "Oops!");
  EXPECT_TRUE(asked.back().text.contains(rtf));

  // "No" to the overwrite question writes nothing.
  o.driver->requesters().answer(Answer::No);
  o.driver->requesters().answerText(rtf);
  o.driver->requesters().answer(Answer::No);
  o.driver->menu(Item::SaveAsRtf);
  EXPECT_EQ(ReadFile(rtf), "old");
  EXPECT_TRUE(desktop.opened.isEmpty());
}

QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Run(QStringLiteral("pdfinfo"), {pdf}));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PdfPageText(const QString& pdf, int page) {
  return Run(QStringLiteral("pdftotext"),
             {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
              QString::number(page), pdf, QStringLiteral("-")});
}

int PrintToPdf(const QByteArray& program, qint64 scale, const QString& name, QString* pdfPath) {
  Opened o = OpenProgram(program, QStringLiteral("[Printer]\nPrinter scale=%1\n").arg(scale));
  PrintChoice choice;
  choice.outputFile = o.driver->root() + name;
  o.driver->requesters().answerPrint(choice);
  o.driver->menu(Item::Print);
  if (pdfPath) {
    *pdfPath = QDir::tempPath() + u'/' + name;
    QFile::remove(*pdfPath);
    QFile::copy(choice.outputFile, *pdfPath);
  }
  return PdfPages(choice.outputFile);
}

TEST(ExportCommands, PrintingToPdfGivesEveryLineOnceUnderAHeaderPerPage) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "poppler is not installed";
  const QByteArray program = Program(75);
  QString pdf;
  const int pages = PrintToPdf(program, 0, "print0.pdf", &pdf);
  ASSERT_GT(pages, 1);
  QString all;
  for (int page = 1; page <= pages; ++page) {
    const QString text = Simplified(PdfPageText(pdf, page));
    EXPECT_TRUE(text.contains(QStringLiteral("station.bas Page: ") + QString::number(page) + u' ') ||
                text.endsWith(QStringLiteral("station.bas Page: ") + QString::number(page)))
        << "page " << page;
    all += text + u' ';
  }
  // Every program line as often as the program has it (headers aside).
  const QStringList lines = ProgramLines(program);
  for (const QString& line : lines) {
    const QString folded = Simplified(line) + u' ';
    EXPECT_EQ(all.count(folded), lines.count(line)) << line.toStdString();
  }

  // Smaller print takes fewer pages, bigger print more.
  const int smaller = PrintToPdf(program, -3, "print-3.pdf", nullptr);
  const int bigger = PrintToPdf(program, 3, "print3.pdf", nullptr);
  EXPECT_LE(smaller, pages);
  EXPECT_GT(bigger, pages);
}

TEST(ExportCommands, PageTwelveHasItsNumber) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "poppler is not installed";
  QString pdf;
  const int pages = PrintToPdf(Program(400), 0, "long.pdf", &pdf);
  ASSERT_GE(pages, 12);
  EXPECT_TRUE(PdfPageText(pdf, 12).contains("Page: 12"));
}

// The page header's numbers of every page of a PDF, in the file's order.
std::vector<int> HeaderPages(const QString& pdf) {
  std::vector<int> out;
  const int pages = PdfPages(pdf);
  for (int page = 1; page <= pages; ++page) {
    const QString text = Simplified(PdfPageText(pdf, page));
    const qsizetype at = text.indexOf(QStringLiteral("Page: "));
    out.push_back(at < 0 ? -1 : text.mid(at + 6).section(u' ', 0, 0).toInt());
  }
  return out;
}

// "Page size: 842 x 595 pts (A4)" of a PDF's first page, as width > height.
bool Landscape(const QString& pdf) {
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {pdf});
  if (!info.waitForFinished(60000)) return false;
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(QString::fromUtf8(info.readAllStandardOutput()));
  return m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
}

// The print dialog's choices reach the job: it prints on the printer the
// dialog set up. Run through the real dialog, answered by its controls.
TEST(ExportCommands, PrintingKeepsEveryChoiceOfThePrintDialog) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) GTEST_SKIP() << "poppler is not installed";
  struct Case {
    const char* what;
    bool landscape;
    int from, to;  // the page range, 0 for all pages
    bool reverse;
    const char* pageSet;  // the page set's entry, or empty for all
    std::vector<int> printed;  // the page numbers in the file, in order
  };
  const Case cases[] = {
      {"landscape, pages 1 to 3", true, 1, 3, false, "", {1, 2, 3}},
      {"portrait, pages 2 to 4 last first", false, 2, 4, true, "", {4, 3, 2}},
      {"landscape, the even pages of 1 to 5", true, 1, 5, false, "Even Pages", {2, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Opened o = OpenProgram(Program(40));
    const QString pdf = o.driver->root() + "dialog.pdf";
    bool answered = false;
    o.driver->requesters().withPrintDialog = [&](QPrintDialog& dialog) {
      auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
      auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
      auto* range = dialog.findChild<QRadioButton*>(QStringLiteral("printRange"));
      auto* from = dialog.findChild<QSpinBox*>(QStringLiteral("from"));
      auto* to = dialog.findChild<QSpinBox*>(QStringLiteral("to"));
      auto* reverse = dialog.findChild<QCheckBox*>(QStringLiteral("reverse"));
      auto* pageSet = dialog.findChild<QComboBox*>(QStringLiteral("pageSetCombo"));
      auto* properties = dialog.findChild<QPushButton*>(QStringLiteral("properties"));
      if (!printers || !file || !range || !from || !to || !reverse || !pageSet || !properties) {
        ADD_FAILURE() << "the dialog's controls were not found";
        dialog.reject();
        return;
      }
      printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
      file->setText(pdf);
      if (c.from > 0) {
        range->setChecked(true);
        to->setValue(c.to);
        from->setValue(c.from);
      }
      reverse->setChecked(c.reverse);
      if (*c.pageSet) pageSet->setCurrentIndex(pageSet->findText(QString::fromLatin1(c.pageSet)));
      // The orientation is in the printer's properties, a dialog of its own.
      bool oriented = false;
      auto* poll = new QTimer(&dialog);
      int tries = 0;
      QObject::connect(poll, &QTimer::timeout, &dialog, [&, poll] {
        auto* props = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if ((!props || props == &dialog) && ++tries < 200) return;
        poll->stop();
        if (!props || props == &dialog) return;
        auto* landscape = props->findChild<QRadioButton*>(QStringLiteral("landscape"));
        auto* portrait = props->findChild<QRadioButton*>(QStringLiteral("portrait"));
        if (landscape && portrait) {
          (c.landscape ? landscape : portrait)->click();
          oriented = true;
        }
        props->accept();
      });
      poll->start(20);
      properties->click();
      EXPECT_TRUE(oriented) << "no orientation in the printer's properties";
      answered = true;
      dialog.accept();
    };
    o.driver->menu(Item::Print);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(Landscape(pdf), c.landscape);
    EXPECT_EQ(HeaderPages(pdf), c.printed);
  }
}

// A page list prints the pages it names, not the span from its first to
// its last.
TEST(ExportCommands, APageListPrintsThePagesItNames) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) GTEST_SKIP() << "poppler is not installed";
  Opened o = OpenProgram(Program(40));
  PrintChoice choice;
  choice.outputFile = o.driver->root() + "list.pdf";
  choice.pageList = QStringLiteral("1,3-4");
  o.driver->requesters().answerPrint(choice);
  o.driver->menu(Item::Print);
  EXPECT_EQ(HeaderPages(choice.outputFile), (std::vector<int>{1, 3, 4}));
}

TEST(ExportCommands, NothingIsPrintedWhenThereIsNothingToPrint) {
  // An empty document asks nothing; a cancelled requester writes nothing;
  // margins that leave no room end the job instead of printing for ever.
  {
    Opened o = OpenProgram("x = 1\r\n");
    o.editor->sci().send(S::SCI_CLEARALL);
    o.driver->menu(Item::Print);
    EXPECT_TRUE(o.driver->requesters().asked().empty()) << o.driver->requesters().asked()[0].text.toStdString();
  }
  {
    Opened o = OpenProgram(Program(1));
    o.driver->requesters().answerPrint(std::nullopt);
    o.driver->menu(Item::Print);
    EXPECT_EQ(o.driver->requesters().asked().size(), 1u);
  }
  {
    Opened o = OpenProgram(Program(3), "[Printer]\nPrinter top margin=100000\n");
    PrintChoice choice;
    choice.outputFile = o.driver->root() + "none.pdf";
    o.driver->requesters().answerPrint(choice);
    o.driver->menu(Item::Print);
    EXPECT_FALSE(o.driver->app().loopEnded());
  }
}

}  // namespace
}  // namespace vendle::test
