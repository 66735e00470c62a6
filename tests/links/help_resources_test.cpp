// What the help viewer reads for a page: an index page's frame shown in
// place, and pages of a few megabytes with unclosed tags read at once.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "links/help_resources.h"

namespace vendle {
namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QString PageAt(const QTemporaryDir& dir, const QByteArray& page) {
  Write(dir.path() + "/page.htm", page);
  const QUrl url = QUrl::fromLocalFile(dir.path() + "/page.htm");
  const HelpResource r = ReadHelpResource(HelpResourceKind::Page, url, url);
  EXPECT_TRUE(r.found);
  return r.html;
}

TEST(HelpResources, AFrameIsShownInPlaceWithTheBodyOfItsPage) {
  QTemporaryDir dir;
  Write(dir.path() + "/setpin.htm", "<html><BODY class=x><p>SETPIN</p></body></html>");
  const struct {
    const char* what;
    QByteArray page;
    QString shown;
  } cases[] = {
      {"a frame", "<p>a</p><iframe src=\"setpin.htm\" width=9>old</iframe><p>b</p>", "<p>a</p><p>SETPIN</p><p>b</p>"},
      {"letter case", "<IFRAME name=f SRC=\"setpin.htm\"></IFrame>", "<p>SETPIN</p>"},
      {"the first frame with a page", "<iframe name=x></iframe><iframe src=\"setpin.htm\"></iframe>",
       "<iframe name=x></iframe><p>SETPIN</p>"},
      {"one frame only", "<iframe src=\"setpin.htm\"></iframe><iframe src=\"setpin.htm\"></iframe>",
       "<p>SETPIN</p><iframe src=\"setpin.htm\"></iframe>"},
      {"no end of the frame", "<iframe src=\"setpin.htm\">", "<iframe src=\"setpin.htm\">"},
      {"no end of the tag", "<iframe src=\"setpin.htm\"", "<iframe src=\"setpin.htm\""},
  };
  for (const auto& c : cases) EXPECT_EQ(PageAt(dir, c.page), c.shown) << c.what;
  const QString missing = PageAt(dir, "<iframe src=\"gone.htm\"></iframe>");
  EXPECT_TRUE(missing.contains("Page not found")) << missing.toStdString();
  EXPECT_TRUE(missing.contains(dir.path() + "/gone.htm"));
}

// Each would make a pattern over the whole page scan on to its end once per
// tag: minutes for a page of 2 MB.
TEST(HelpResources, PagesOfManyUnclosedTagsAreReadAtOnce) {
  QTemporaryDir dir;
  const int n = 1 << 17;
  const QByteArray framed = QByteArray("<body>").repeated(n);
  Write(dir.path() + "/frame.htm", framed);
  const struct {
    const char* what;
    QByteArray page;
  } cases[] = {
      {"frames without an end", QByteArray("<iframe src=\"frame.htm\">").repeated(n)},
      {"frame tags without a '>'", QByteArray("<iframe src=\"frame.htm\" ").repeated(n) + ">"},
      {"frame bodies", "<iframe src=\"frame.htm\"></iframe>"},
  };
  for (const auto& c : cases) {
    const QString shown = PageAt(dir, c.page);
    if (c.page.size() > 1000)
      EXPECT_EQ(shown.size(), c.page.size()) << c.what << ": nothing to put in place";
    else
      EXPECT_EQ(shown, QString(framed)) << c.what << ": a framed page of unclosed bodies is shown whole";
  }
}

}  // namespace
}  // namespace vendle
