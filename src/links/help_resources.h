// What the help viewer reads for a page: the page itself (with the page an
// <iframe> names put in its place) and every image or style sheet it names.
// A help page may come from anywhere, so each is read like a program file:
// regular files only, within a size limit, never blocking. What is refused
// or missing gives nothing to show, never an error.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace vendle {

// Far beyond any help page or picture; a larger one is not shown.
inline constexpr qint64 kLargestHelpResource = qint64(16) << 20;

enum class HelpResourceKind { Page, Image, StyleSheet, Other };

struct HelpResource {
  bool found = false;  // read; otherwise nothing is shown (a page shows `html`)
  QByteArray bytes;    // an image or style sheet as read
  QString html;        // a page: its text, or the "Page not found" page
};

// `name` as the page names it; a relative one is resolved against `page`,
// the address of the page shown. Only local files are read.
HelpResource ReadHelpResource(HelpResourceKind kind, const QUrl& name, const QUrl& page);

// The page shown for a missing or refused page.
QString HelpPageNotFound(const QString& path);

}  // namespace vendle
