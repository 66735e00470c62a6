#include "tools/print_layout.h"

#include <QFileInfo>
#include <cmath>

namespace vendle {

QString FormatPrintDate(const QDate& date) {
  static const char kMonths[] = "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC";
  const int m = date.month();
  const QString month = (m >= 1 && m <= 12) ? QString::fromLatin1(kMonths + (m - 1) * 4, 3) : QString();
  return QString::number(date.day()) + u' ' + month + u' ' + QString::number(date.year());
}

QString FitHeaderName(const QString& name, const QString& dateText, const QString& pageText, int available,
                      const std::function<int(const QString&)>& width) {
  if (name.isEmpty()) return name;
  QString trial = name + dateText;
  if (!pageText.isEmpty()) trial += pageText + QStringLiteral("00000");
  const int trialWidth = width(trial);
  if (trialWidth <= available) return name;
  const int widthOfO = std::max(1, width(QStringLiteral("O")));
  const int n = (trialWidth - available) / widthOfO;
  // A cut below nothing leaves nothing (left() of a negative count would keep all).
  return name.left(std::max<qsizetype>(0, name.size() - n - 1));
}

PrintHeader MakePrintHeader(const PrintOptions& options, const QString& documentName, const QDate& date,
                            int available, const std::function<int(const QString&)>& width) {
  PrintHeader h;
  if (!options.headerDate && !options.headerFileName && !options.headerFullPath) return h;
  if (options.headerDate) h.dateText = FormatPrintDate(date) + QStringLiteral("     ");
  if (options.headerFullPath) h.name = documentName;
  else if (options.headerFileName) h.name = QFileInfo(documentName).fileName();
  if (options.headerPageNumber) h.pageText = QStringLiteral("     Page: ");
  h.name = FitHeaderName(h.name, h.dateText, h.pageText, available, width);
  return h;
}

int HeaderX(int pageWidth, int headerWidth, double left, double right) {
  return static_cast<int>((pageWidth - headerWidth - left - right) * 0.5);
}

QRect TextRect(int pageWidth, int pageHeight, const PrintOptions& o, int headerHeight) {
  const int l = static_cast<int>(std::lround(o.leftMargin));
  const int t = static_cast<int>(std::lround(o.topMargin + headerHeight));
  const int r = static_cast<int>(std::lround(pageWidth - o.leftMargin - o.rightMargin));
  const int b = static_cast<int>(std::lround(pageHeight - o.bottomMargin - headerHeight));
  if (r <= l || b <= t) return QRect();
  return QRect(QPoint(l, t), QPoint(r - 1, b - 1));  // QRect's right and bottom are inclusive
}

}  // namespace vendle
