// Opening a file or an address with the desktop's associated application
// (xdg-open through Qt), never through a shell.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace vendle {

// A text with a URL scheme ("http://...") is opened as that address, anything
// else as a local file. False when the desktop could not open it.
bool OpenWithDesktop(const QString& pathOrUrl);

// The address OpenWithDesktop hands over for a text.
QUrl DesktopUrlOf(const QString& pathOrUrl);

// Test hook: while set, it receives every address instead of the desktop and
// says whether it was opened.
using DesktopOpenObserver = std::function<bool(const QUrl&)>;
void SetDesktopOpenObserver(DesktopOpenObserver observer);

}  // namespace vendle
