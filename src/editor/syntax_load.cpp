#include "editor/syntax_load.h"

#include <QDir>
#include <QFile>

#include "editor/syntax_help.h"
#include "editor/syntax_tkn.h"
#include "platform/ansi.h"
#include "platform/file_io.h"

namespace vendle {

namespace {

// The lines of an ANSI file; false when it is missing or unreadable.
bool ReadAnsiLines(const QString& path, QStringList& lines) {
  if (!QFileInfo(path).isFile()) return false;
  const ReadResult r = ReadWholeFile(path);
  if (!r.ok) return false;
  lines = SplitTextLines(DecodeAnsi(r.bytes));
  return true;
}

}  // namespace

SyntaxLoadReport LoadTokenFiles(const QString& dataFolder, const SyntaxLoadOptions& options, SyntaxData& data) {
  SyntaxLoadReport report;
  data.list.clear();
  data.current = -1;
  data.userKeywords.clear();
  data.atTinyKeywords.clear();
  data.atTinyAbbreviations.clear();

  const QDir dir(dataFolder);
  const QStringList names = SelectTknFiles(dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort));
  for (const QString& fileName : names) {
    const QString path = dir.filePath(fileName);
    const QString name = TknBaseName(fileName);
    if (name.toLower() == u"user") {
      const ReadResult r = ReadWholeFile(path);
      if (r.ok) data.userKeywords = ParseUserTkn(r.bytes, options.multiWord);
      else report.unreadable.append(path);
      continue;
    }
    if (IsOldSyntaxFile(name, options.removeOldFiles)) {
      if (QFile::remove(path)) report.deleted.append(path);
      else report.unreadable.append(path);
      continue;
    }
    const ReadResult r = ReadWholeFile(path);
    if (!r.ok) {
      report.unreadable.append(path);
      continue;
    }
    data.list.push_back(ParseTknFile(name, r.bytes));
    if (name == u"ATTiny") {
      data.atTinyKeywords = LastTknSection(data.list.back());
      data.atTinyAbbreviations = BuildAtTinyAbbreviations(data.atTinyKeywords);
    }
  }

  data.current = FindSyntaxIndex(data.list, options.defaultSyntax);
  ActiveKeywordOptions active;
  active.allowUserKeywords = options.allowUserKeywords;
  data.activeKeywords = BuildActiveKeywords(data.currentEntry(), data.userKeywords, active);
  return report;
}

void LoadKeywordHelpFiles(const QString& dataFolder, SyntaxData& data) {
  const QDir dir(dataFolder);
  data.help = KeywordHelpTable();
  data.quickHints.clear();
  data.guiElements.clear();
  data.helpIndexHead.clear();
  data.helpIndexTail.clear();
  for (SyntaxEntry& e : data.list) e.hintMask = 0;

  QStringList lines;
  int kwLines = -1;
  if (ReadAnsiLines(dir.filePath(QStringLiteral("kw_list.txt")), lines)) kwLines = ApplyKwList(data.help, lines);
  int csvLines = -1;
  if (ReadAnsiLines(dir.filePath(QStringLiteral("user.csv")), lines)) {
    const bool anyRow = std::any_of(lines.begin(), lines.end(), [](const QString& l) { return !l.trimmed().isEmpty(); });
    const int n = ApplyUserCsv(data.help, lines);
    if (anyRow) csvLines = n;
  }
  data.help.count = KeywordHelpCount(kwLines, csvLines);

  if (ReadAnsiLines(dir.filePath(QStringLiteral("quick_hint.txt")), lines) && !lines.isEmpty()) {
    ApplyHintMasks(data.list, lines.first().trimmed());
    data.quickHints = ParseQuickHints(lines.mid(1));
  }
  if (ReadAnsiLines(dir.filePath(QStringLiteral("gui_elements.txt")), lines)) data.guiElements = ParseGuiElements(lines);

  const QString templatePath = dir.filePath(QStringLiteral("html2/index.htm"));
  if (QFileInfo(templatePath).isFile()) {
    const ReadResult r = ReadWholeFile(templatePath);
    if (r.ok) {
      QByteArrayView bytes = r.bytes;
      if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
      const HelpTemplate t = SplitHelpTemplate(QString::fromUtf8(bytes));
      data.helpIndexHead = t.head;
      data.helpIndexTail = t.tail;
    }
  }
}

}  // namespace vendle
