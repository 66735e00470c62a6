// The arithmetic of a printed page: the date and the header line, the header
// name cut to fit between the margins, and the rectangle the program text is
// drawn in. Sizes are printer device pixels.
#pragma once

#include <QDate>
#include <QRect>
#include <QString>
#include <functional>

namespace vendle {

// The fixed print options; the margins come from the settings at start-up.
struct PrintOptions {
  bool headerDate = true;
  bool headerFileName = true;
  bool headerFullPath = false;
  bool headerPageNumber = true;
  int colourMode = 4;  // colours on a white default background
  int wrapMode = 1;    // wrap at word boundaries
  int copies = 1;
  double topMargin = 200, leftMargin = 50, rightMargin = 50, bottomMargin = 200;
};

// "9 DEC 2026".
QString FormatPrintDate(const QDate& date);

// The header's parts: the date with five blanks after it, the name, and
// "     Page: " (the page number is added per page).
struct PrintHeader {
  QString dateText;
  QString name;
  QString pageText;
  QString text() const { return dateText + name + pageText; }
};

// The name cut at its end so that name + date text (+ page text + "00000",
// room for a five-digit page number) fits in `available` pixels; `width`
// measures a text in the header font.
QString FitHeaderName(const QString& name, const QString& dateText, const QString& pageText, int available,
                      const std::function<int(const QString&)>& width);

// The header line of a document named `documentName` ("a/b.bas" shows
// "b.bas" unless the full path is asked for).
PrintHeader MakePrintHeader(const PrintOptions& options, const QString& documentName, const QDate& date,
                            int available, const std::function<int(const QString&)>& width);

// The header's x: centred between the margins as (W - width - L - R) / 2,
// truncated toward zero.
int HeaderX(int pageWidth, int headerWidth, double left, double right);

// The rectangle the program text is formatted into: left L, top T + header,
// right W - L - R, bottom H - B - header, each rounded to the nearest
// integer. Empty when the margins and the header leave no room.
QRect TextRect(int pageWidth, int pageHeight, const PrintOptions& options, int headerHeight);

}  // namespace vendle
