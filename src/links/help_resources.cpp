#include "links/help_resources.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "platform/file_io.h"

namespace vendle {
namespace {

// Plain searches, no pattern over the page: one that scans to the page's
// end for each unclosed tag ran for minutes on a page of a few megabytes.

// What stands between the first <body ...> and the last </body>; the whole
// text without them.
QString BodyOf(const QString& html) {
  const qsizetype open = html.indexOf(u"<body", 0, Qt::CaseInsensitive);
  const qsizetype tagEnd = open < 0 ? -1 : html.indexOf(u'>', open);
  const qsizetype close = tagEnd < 0 ? -1 : html.lastIndexOf(u"</body>", -1, Qt::CaseInsensitive);
  return close > tagEnd ? html.mid(tagEnd + 1, close - tagEnd - 1) : html;
}

// An index page's <iframe> is shown in place, as the frames of the help
// template are meant to look: the framed page's body is put where the frame
// stands, up to its </iframe>. One level: a framed page's own frames are left
// as they are.
QString InlineFrames(QString html, const QString& folder) {
  static const QRegularExpression src(QStringLiteral("src=\"([^\"]*)\""), QRegularExpression::CaseInsensitiveOption);
  for (qsizetype open = html.indexOf(u"<iframe", 0, Qt::CaseInsensitive); open >= 0;
       open = html.indexOf(u"<iframe", open, Qt::CaseInsensitive)) {
    const qsizetype tagEnd = html.indexOf(u'>', open);
    if (tagEnd < 0) return html;
    const qsizetype tagStart = open;
    open = tagEnd;  // the next frame starts after this tag
    const QRegularExpressionMatch m = src.match(QStringView(html).sliced(tagStart, tagEnd - tagStart));
    if (!m.hasMatch()) continue;
    const qsizetype close = html.indexOf(u"</iframe>", tagEnd, Qt::CaseInsensitive);
    if (close < 0) return html;
    const QString target = QUrl(m.captured(1)).path();
    const QString path = QFileInfo(target).isAbsolute() ? target : folder + u'/' + target;
    const ReadResult r = ReadWholeFile(path, kLargestHelpResource);
    QString inner = r.ok ? BodyOf(QString::fromUtf8(r.bytes)) : BodyOf(HelpPageNotFound(path));
    // A page of its own has a navigation line; inside the index, whose line
    // stands above the frame, it would show twice. (Anchored: one try.)
    static const QRegularExpression nav(QStringLiteral("^\\s*<p class=\"nav\">.*?</p>"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
    if (html.contains(QLatin1String("class=\"nav\""), Qt::CaseInsensitive)) inner.remove(nav);
    html.replace(tagStart, close + 9 - tagStart, inner);
    return html;
  }
  return html;
}

}  // namespace

QString HelpPageNotFound(const QString& path) {
  return QStringLiteral("<html><body><h2>Page not found</h2><p>") + path.toHtmlEscaped() +
         QStringLiteral("</p><p>The help pages are kept in the data folder; a missing page can be copied back "
                        "from a new installation.</p></body></html>");
}

HelpResource ReadHelpResource(HelpResourceKind kind, const QUrl& name, const QUrl& page) {
  const QUrl url = name.isRelative() ? page.resolved(name) : name;
  const QString path = url.toLocalFile();
  const ReadResult r = url.isLocalFile() ? ReadWholeFile(path, kLargestHelpResource) : ReadResult{};
  HelpResource out;
  out.found = r.ok;
  if (kind != HelpResourceKind::Page) {
    if (r.ok) out.bytes = r.bytes;
    return out;
  }
  out.html = r.ok ? InlineFrames(QString::fromUtf8(r.bytes), QFileInfo(path).absolutePath()) : HelpPageNotFound(path);
  return out;
}

}  // namespace vendle
