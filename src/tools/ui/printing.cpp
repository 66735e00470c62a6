// Printing the current document through the editor's own page formatting,
// with the document's colours and a header of date, name and page number.
#include <QBuffer>
#include <QDate>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <optional>

#include "documents/ui/document_commands.h"
#include "editor/ui/editor_commands.h"
#include "platform/file_io.h"
#include "platform/ui/sci.h"
#include "shell/ui/services.h"
#include "shell/ui/app.h"
#include "tools/print_layout.h"
#include "tools/ui/export_support.h"
#include "tools/ui/tool_commands.h"

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

// Pages are counted from 1; a range of 0 prints them all.
bool PageChosen(const PrintChoice& c, int page) {
  return c.fromPage <= 0 || (page >= c.fromPage && (c.toPage <= 0 || page <= c.toPage));
}
bool PastChosenPages(const PrintChoice& c, int page) { return c.fromPage > 0 && c.toPage > 0 && page > c.toPage; }

}  // namespace

void PrintDocument(App& app, EditorView& editor, const QString& documentName) {
  Sci s = editor.sci();
  const Sci::Pos length = s.length();
  if (length == 0) return;
  const std::optional<PrintChoice> choice = app.requesters().print(PrintChoice{});
  if (!choice) return;

  QPrinter printer(QPrinter::HighResolution);
  // A PDF is made in memory and written like every other file: the printer
  // would open the path itself, cut an old file short on a full disk, block
  // on a FIFO and say nothing.
  QBuffer pdf;
  std::optional<QPdfWriter> pdfWriter;
  QPagedPaintDevice* device = &printer;
  if (!choice->outputFile.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    pdf.open(QIODevice::WriteOnly);
    pdfWriter.emplace(&pdf);
    pdfWriter->setPageLayout(printer.pageLayout());
    pdfWriter->setResolution(printer.resolution());
    pdfWriter->setTitle(QFileInfo(documentName).fileName());
    device = &*pdfWriter;
  } else if (!choice->printerName.isEmpty()) {
    printer.setPrinterName(choice->printerName);
  }
  printer.setDocName(QFileInfo(documentName).fileName());
  printer.setCopyCount(1);  // the copies are printed by the loop below
  // One painter for the whole job: ending a painter ends the job.
  QPainter painter;
  if (!painter.begin(device)) return;
  const auto finish = [&] {
    painter.end();
    if (!pdfWriter) return;
    const WriteResult written = WriteFileSafely(choice->outputFile, pdf.data());
    if (!written.ok)
      app.requesters().message(QStringLiteral("Oops!"),
                               "The PDF file could not be written:\n" + choice->outputFile + "\n" + written.error);
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

  bool pageUsed = false;
  const int copies = std::max(1, choice->copies);
  for (int copy = 1; copy <= copies; ++copy) {
    Sci::Pos start = 0;
    for (int page = 1; start < length && !PastChosenPages(*choice, page); ++page) {
      const bool draw = PageChosen(*choice, page);
      if (draw) {
        if (pageUsed && !device->newPage()) {
          finish();
          return;
        }
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
      }
      painter.save();
      const Sci::Pos next = s.widget()->SendScintilla(S::SCI_FORMATRANGE, draw ? 1UL : 0UL, &painter, rect,
                                                       static_cast<long>(start), static_cast<long>(length));
      painter.restore();
      // A page that takes nothing (a rectangle too small for one line) would
      // print for ever.
      if (next <= start) break;
      start = next;
    }
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
