#include "links/help_resources.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "platform/file_io.h"

namespace vendle {
namespace {

QString BodyOf(const QString& html) {
  static const QRegularExpression body(QStringLiteral("<body[^>]*>(.*)</body>"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch m = body.match(html);
  return m.hasMatch() ? m.captured(1) : html;
}

// An index page's <iframe> is shown in place, as the frames of the help
// template are meant to look: the framed page's body is put where the frame
// stands. One level: a framed page's own frames are left as they are.
QString InlineFrames(QString html, const QString& folder) {
  static const QRegularExpression frame(QStringLiteral("<iframe[^>]*src=\"([^\"]*)\"[^>]*>(.*?)</iframe>"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch m = frame.match(html);
  if (!m.hasMatch()) return html;
  const QString target = QUrl(m.captured(1)).path();
  const QString path = QFileInfo(target).isAbsolute() ? target : folder + u'/' + target;
  const ReadResult r = ReadWholeFile(path, kLargestHelpResource);
  const QString inner = r.ok ? BodyOf(QString::fromUtf8(r.bytes)) : BodyOf(HelpPageNotFound(path));
  html.replace(m.capturedStart(), m.capturedLength(), inner);
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
