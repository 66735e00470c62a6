// The shipped help pages: the generated ones are what the program's data
// gives today, and every page and link of the help resolves.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include "editor/syntax_help.h"
#include "editor/syntax_tkn.h"
#include "links/help_pages.h"
#include "shell/shortcut_help.h"
#include "platform/ansi.h"
#include "shell/shortcuts.h"
#include "test_files.h"

namespace vendle {
namespace {

using test::ReadFile;

const QString kData = QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/");

HelpPageSources ShippedSources() {
  HelpPageSources s;
  s.kwListLines = SplitTextLines(DecodeAnsi(ReadFile(kData + "kw_list.txt")));
  for (const QString& name : QDir(kData).entryList({QStringLiteral("*.tkn")}, QDir::Files, QDir::Name)) {
    if (name.compare(QStringLiteral("user.tkn"), Qt::CaseInsensitive) == 0) continue;
    s.dialects.push_back(ParseTknFile(TknBaseName(name), ReadFile(kData + name)));
  }
  s.descriptions =
      ParseHelpDescriptions(QString::fromUtf8(ReadFile(QStringLiteral(VENDLE_SOURCE_DIR "/resources/help/descriptions.tsv"))));
  s.shortcuts = ShortcutHelpRows();
  return s;
}

// Set VENDLE_UPDATE_HELP=1 to write the pages into resources/data after a
// change of the keyword list, the dialects, the descriptions or the keys.
TEST(HelpPages, TheShippedPagesAreTheGeneratedOnes) {
  const QMap<QString, QByteArray> pages = GenerateHelpPages(ShippedSources());
  ASSERT_GT(pages.size(), 300);
  const bool update = qEnvironmentVariableIsSet("VENDLE_UPDATE_HELP");
  QStringList stale;
  for (auto it = pages.begin(); it != pages.end(); ++it) {
    const QString path = kData + it.key();
    if (ReadFile(path) == it.value()) continue;
    stale << it.key();
    if (update) {
      QDir().mkpath(QFileInfo(path).absolutePath());
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(it.value());
    }
  }
  EXPECT_TRUE(stale.isEmpty() || update) << "out of date (run the test with VENDLE_UPDATE_HELP=1): "
                                         << stale.mid(0, 10).join(u' ').toStdString();
  // No page is left behind whose keyword went.
  for (const QString& name : QDir(kData + "html").entryList({QStringLiteral("*.htm")}, QDir::Files)) {
    if (name == QStringLiteral("indexP.htm")) continue;
    EXPECT_TRUE(pages.contains(QStringLiteral("html/") + name)) << name.toStdString();
  }
}

TEST(HelpPages, EveryPageAndLinkResolves) {
  const HelpPageSources sources = ShippedSources();
  QSet<QString> keywordsOnIndex;
  const QString index = QString::fromUtf8(ReadFile(kData + "html/index.htm"));
  static const QRegularExpression anchor(QStringLiteral("<a href=\"([^\"]*)\">([^<]*)</a>"));
  for (auto m = anchor.globalMatch(index); m.hasNext();) keywordsOnIndex.insert(m.next().captured(2));
  for (const QString& line : sources.kwListLines.mid(1)) {
    const QStringList f = line.split(u'\t');
    if (f.size() < 2) continue;
    EXPECT_TRUE(QFileInfo::exists(kData + "html/" + f[1].trimmed() + ".htm")) << f[1].toStdString();
    EXPECT_TRUE(keywordsOnIndex.contains(QString(f[0].trimmed()).toHtmlEscaped())) << f[0].toStdString();
    EXPECT_FALSE(sources.descriptions.value(f[1].trimmed()).isEmpty()) << "no description: " << f[1].toStdString();
  }

  static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
  int checked = 0;
  for (const QString& folder : {QStringLiteral("html"), QStringLiteral("html2")}) {
    QDirIterator it(kData + folder, {QStringLiteral("*.htm")}, QDir::Files);
    while (it.hasNext()) {
      const QString page = it.next();
      const QString text = QString::fromUtf8(ReadFile(page));
      for (auto m = link.globalMatch(text); m.hasNext();) {
        const QString target = m.next().captured(1);
        if (target.startsWith(u'#') || target.contains(QStringLiteral("://"))) continue;
        const QString file = QUrl(target).path();
        EXPECT_TRUE(QFileInfo::exists(QFileInfo(page).absolutePath() + u'/' + file))
            << page.toStdString() << " -> " << target.toStdString();
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 400);
}

TEST(HelpPages, TheShortcutPageListsExactlyTheProgramsKeys) {
  const QString page = QString::fromUtf8(ReadFile(kData + "html2/kboard_scut.htm"));
  static const QRegularExpression keyCell(QStringLiteral("<tr><td><b>([^<]*)</b></td><td>([^<]*)</td>"));
  QStringList listed;
  for (auto m = keyCell.globalMatch(page); m.hasNext();) {
    const QRegularExpressionMatch k = m.next();
    listed << k.captured(1);
    EXPECT_FALSE(k.captured(2).trimmed().isEmpty()) << k.captured(1).toStdString();
  }
  QStringList keys;
  for (const ShortcutRow& r : kMainShortcuts) keys << QString::fromLatin1(r.keys);
  keys << QString::fromLatin1(kShiftReturnShortcut.keys);
  keys.removeDuplicates();
  listed.sort();
  keys.sort();
  EXPECT_EQ(listed, keys);
}

TEST(HelpPages, TheTemplateFramesItsIntroduction) {
  const HelpTemplate t = SplitHelpTemplate(QString::fromUtf8(ReadFile(kData + "html2/index.htm")));
  ASSERT_FALSE(t.head.isEmpty());
  EXPECT_TRUE(t.head.endsWith(QStringLiteral("<iframe src=\"")));
  EXPECT_TRUE(QFileInfo::exists(kData + "html2/intro.htm"));
}

}  // namespace
}  // namespace vendle
