#include "platform/ui/desktop_open.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace vendle {
namespace {
DesktopOpenObserver& Observer() {
  static DesktopOpenObserver observer;
  return observer;
}
}  // namespace

QUrl DesktopUrlOf(const QString& pathOrUrl) {
  // Two letters or more before "://": a scheme, not a folder name.
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
  if (scheme.match(pathOrUrl).hasMatch()) return QUrl(pathOrUrl);
  return QUrl::fromLocalFile(pathOrUrl);
}

bool OpenWithDesktop(const QString& pathOrUrl) {
  const QUrl url = DesktopUrlOf(pathOrUrl);
  if (Observer()) return Observer()(url);
  return QDesktopServices::openUrl(url);
}

void SetDesktopOpenObserver(DesktopOpenObserver observer) { Observer() = std::move(observer); }

}  // namespace vendle
