// Printing the current document through the editor's own page formatting,
// with the document's colours and a header of date, name and page number.
#include <QBuffer>
#include <QDate>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <algorithm>
#include <optional>
#include <vector>

#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "shell/ui/services.h"
#include "editor/ui/editor_commands.h"
#include "platform/file_io.h"
#include "platform/ui/sci.h"
#include "shell/ui/services.h"
#include "shell/ui/app.h"
#include "tools/print_layout.h"
#include "tools/ui/export_support.h"
#include "tools/ui/tool_commands.h"
#include "editor/ui/editor_view.h"

namespace vendle {

using S = QsciScintillaBase;

void InitPrintOptions(App& app) { app.state().printOptions = PrintOptions{}; }

void SetPrintMargins(App& app) {
  const Settings& s = app.settings();
  PrintOptions& o = app.state().printOptions;
  o.topMargin = s.printerTopMargin;
  o.leftMargin = s.printerLeftMargin;
  o.rightMargin = s.printerRightMargin;
  o.bottomMargin = s.printerBottomMargin;
}

namespace {

// The page set and order that a CUPS printer would apply itself to the job:
// taken over here, where they also reach a PDF file, and removed from the
// job so that a printer does not apply them a second time.
struct JobOrder {
  bool oddOnly = false;
  bool evenOnly = false;
  bool reverse = false;
};

JobOrder TakeJobOrder(QPrinter& printer) {
  JobOrder order;
  order.reverse = printer.pageOrder() == QPrinter::LastPageFirst;
  QPrintEngine* engine = printer.printEngine();
  if (!engine) return order;
  // The engine's list of CUPS options, as key and value pairs.
  const auto cupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
  const QStringList options = engine->property(cupsOptions).toStringList();
  QStringList kept;
  for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
    const QString& key = options[i];
    const QString& value = options[i + 1];
    if (key == u"page-set") {
      order.oddOnly = value == u"odd";
      order.evenOnly = value == u"even";
    } else if (key == u"outputorder") {
      order.reverse = order.reverse || value == u"reverse";
    } else {
      kept << key << value;
    }
  }
  if (kept.size() != options.size()) engine->setProperty(cupsOptions, kept);
  return order;
}

// The pages to print, in the order to print them, from the printer's
// ranges ("1,3" is pages 1 and 3), its page set and its order.
std::vector<int> PagesToPrint(const QPrinter& printer, const JobOrder& order, int pageCount) {
  const bool ranged = printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty();
  std::vector<int> pages;
  for (int page = 1; page <= pageCount; ++page) {
    if (ranged && !printer.pageRanges().contains(page)) continue;
    if ((order.oddOnly && page % 2 == 0) || (order.evenOnly && page % 2 == 1)) continue;
    pages.push_back(page);
  }
  if (order.reverse) std::reverse(pages.begin(), pages.end());
  return pages;
}

}  // namespace

void PrintDocument(App& app, EditorView& editor, const QString& documentName) {
  Sci s = editor.sci();
  const Sci::Pos length = s.length();
  if (length == 0) return;
  // The job prints on the printer the dialog set up: its paper, orientation,
  // margins, colour mode and duplex stay as chosen there.
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QFileInfo(documentName).fileName());
  const std::optional<PageSet> pageSet = app.requesters().print(printer);
  if (!pageSet) return;
  const int copies = std::max(1, printer.copyCount());
  const bool collate = printer.collateCopies();
  printer.setCopyCount(1);  // the copies are printed by the loop below
  JobOrder order = TakeJobOrder(printer);
  order.oddOnly = order.oddOnly || *pageSet == PageSet::Odd;
  order.evenOnly = order.evenOnly || *pageSet == PageSet::Even;
  // A PDF file is made in memory and written like every other file: the
  // printer would open the path itself, cut an old file short on a full
  // disk, block on a FIFO and say nothing.
  const QString pdfPath = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
  QBuffer pdf;
  std::optional<QPdfWriter> pdfWriter;
  QPagedPaintDevice* device = &printer;
  if (!pdfPath.isEmpty()) {
    pdf.open(QIODevice::WriteOnly);
    pdfWriter.emplace(&pdf);
    pdfWriter->setPageLayout(printer.pageLayout());
    pdfWriter->setResolution(printer.resolution());
    pdfWriter->setTitle(printer.docName());
    device = &*pdfWriter;
  }
  // One painter for the whole job: ending a painter ends the job.
  QPainter painter;
  if (!painter.begin(device)) return;
  const auto finish = [&] {
    painter.end();
    if (!pdfWriter) return;
    const WriteResult written = WriteFileSafely(pdfPath, pdf.data());
    if (!written.ok)
      app.requesters().message(QStringLiteral("Oops!"),
                               "The PDF file could not be written:\n" + pdfPath + "\n" + written.error);
  };

  const PrintOptions& o = app.state().printOptions;
  const int w = painter.device()->width();
  const int h = painter.device()->height();
  // The header font of its own: the misc font shared with the tab bar stays as it is.
  QFont font(app.settings().miscFont);
  font.setPixelSize(std::max(1, w / 80));
  const QFontMetrics metrics(font, device);
  const int headerHeight = 2 * metrics.height();
  const auto width = [&](const QString& t) { return metrics.horizontalAdvance(t); };
  const int available = static_cast<int>(w - o.leftMargin - o.rightMargin);
  const PrintHeader header = MakePrintHeader(o, documentName, QDate::currentDate(), available, width);
  const QString headerText = header.text();
  const int headerX = HeaderX(w, width(headerText + u' '), o.leftMargin, o.rightMargin);
  const int headerY = static_cast<int>(o.topMargin) + 10;

  s.send(S::SCI_SETPRINTWRAPMODE, o.wrapMode);
  s.send(S::SCI_SETPRINTCOLOURMODE, o.colourMode);
  const qint64 scale = std::clamp<qint64>(app.settings().printerScale, -100, 100);
  s.send(S::SCI_SETPRINTMAGNIFICATION, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(scale)));

  const QRect rect = TextRect(w, h, o, headerText.isEmpty() ? 0 : headerHeight);
  if (rect.isEmpty()) {
    finish();
    return;
  }
  // The formatting draws only what it is given: style it first.
  StyleUpTo(editor, length);
  const auto format = [&](bool draw, Sci::Pos start) {
    painter.save();
    const Sci::Pos next = s.widget()->SendScintilla(S::SCI_FORMATRANGE, draw ? 1UL : 0UL, &painter, rect,
                                                     static_cast<long>(start), static_cast<long>(length));
    painter.restore();
    return next;
  };

  // Where each page starts, measured without drawing: the ranges, the page
  // set and the order are known only in pages.
  std::vector<Sci::Pos> starts;
  for (Sci::Pos start = 0; start < length;) {
    starts.push_back(start);
    const Sci::Pos next = format(false, start);
    // A page that takes nothing (a rectangle too small for one line) would
    // print for ever.
    if (next <= start) break;
    start = next;
  }
  const std::vector<int> pages = PagesToPrint(printer, order, static_cast<int>(starts.size()));

  bool pageUsed = false;
  const auto printPage = [&](int page) {
    if (pageUsed && !device->newPage()) return false;
    pageUsed = true;
    if (!headerText.isEmpty()) {
      painter.save();
      painter.setFont(font);
      painter.setPen(Qt::black);
      painter.setBackground(Qt::white);
      painter.setBackgroundMode(Qt::OpaqueMode);
      const QString line = headerText + (header.pageText.isEmpty() ? QString() : QString::number(page));
      painter.drawText(headerX, headerY + metrics.ascent(), line);
      painter.restore();
    }
    format(true, starts[static_cast<std::size_t>(page - 1)]);
    return true;
  };
  bool ok = true;
  if (collate) {
    for (int copy = 1; copy <= copies && ok; ++copy)
      for (std::size_t i = 0; i < pages.size() && ok; ++i) ok = printPage(pages[i]);
  } else {
    for (std::size_t i = 0; i < pages.size() && ok; ++i)
      for (int copy = 1; copy <= copies && ok; ++copy) ok = printPage(pages[i]);
  }
  s.widget()->SendScintilla(S::SCI_FORMATRANGE, 0UL, static_cast<long>(0));
  finish();
}

void PrintCurrentDocument(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  EditorView* editor = EditorOfDocument(app, index);
  if (!editor || !app.state().docs.list.valid(index)) return;
  PrintDocument(app, *editor, app.state().docs.list.at(index).name);
}

}  // namespace vendle
