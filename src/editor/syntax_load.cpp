#include "editor/syntax_load.h"

#include <QDir>
#include <QFile>
#include <utility>

#include "editor/syntax_help.h"
#include "editor/syntax_tkn.h"
#include "platform/ansi.h"
#include "platform/file_io.h"

namespace vendle {

namespace {

// Far beyond any line of these files (the shipped ones have a few hundred
// characters at most): a longer line is left out, so that no parser, word
// list or editor is handed a "keyword" of megabytes.
constexpr qsizetype kLongestDataLine = 64 * 1024;

// `bytes` without its lines over kLongestDataLine; a note in `skipped` says
// how many went.
QByteArray WithoutOverlongLines(QByteArray bytes, const QString& path, QStringList& skipped) {
  qsizetype dropped = 0;
  QByteArray kept;
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    end = end < 0 ? bytes.size() : end + 1;
    if (end - start > kLongestDataLine) {
      if (dropped++ == 0) kept = bytes.first(start);
    } else if (dropped > 0) {
      kept += QByteArrayView(bytes).sliced(start, end - start);
    }
    start = end;
  }
  if (dropped == 0) return bytes;
  skipped.append(path + QStringLiteral(": %1 line(s) of more than %2 characters left out.").arg(dropped).arg(kLongestDataLine));
  return kept;
}

// The file's bytes; a file that is there but refused (a FIFO, a device,
// too large) is noted in `skipped`, so start-up neither hangs nor fills memory.
bool ReadDataFile(const QString& path, QByteArray& bytes, QStringList& skipped) {
  const ReadResult r = ReadWholeFile(path);
  if (!r.ok) {
    if (r.exists) skipped.append(path + ": " + r.error);
    return false;
  }
  bytes = r.bytes;
  return true;
}

// The lines of an ANSI file; false when it is missing or unreadable.
bool ReadAnsiLines(const QString& path, QStringList& lines, QStringList& skipped) {
  QByteArray bytes;
  if (!ReadDataFile(path, bytes, skipped)) return false;
  lines = SplitTextLines(DecodeAnsi(WithoutOverlongLines(std::move(bytes), path, skipped)));
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
  // FIFOs and devices are listed too, so that they are skipped with a note.
  const QStringList names = SelectTknFiles(dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort));
  for (const QString& fileName : names) {
    const QString path = dir.filePath(fileName);
    const QString name = TknBaseName(fileName);
    if (name.toLower() == u"user") {
      const ReadResult r = ReadWholeFile(path);
      if (r.ok) data.userKeywords = ParseUserTkn(WithoutOverlongLines(r.bytes, path, report.skipped), options.multiWord);
      else if (r.refused) report.skipped.append(path + ": " + r.error);
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
      if (r.refused) report.skipped.append(path + ": " + r.error);
      else report.unreadable.append(path);
      continue;
    }
    data.list.push_back(ParseTknFile(name, WithoutOverlongLines(r.bytes, path, report.skipped)));
    if (name == u"ATTiny") {
      data.atTinyKeywords = LastTknSection(data.list.back());
      data.atTinyAbbreviations = BuildAtTinyAbbreviations(data.atTinyKeywords);
    }
  }

  data.current = FindSyntaxIndex(data.list, options.defaultSyntax);
  return report;
}

QStringList LoadKeywordHelpFiles(const QString& dataFolder, SyntaxData& data) {
  QStringList skipped;
  const QDir dir(dataFolder);
  data.help = KeywordHelpTable();
  data.quickHints.clear();
  data.guiElements.clear();
  data.helpIndexHead.clear();
  data.helpIndexTail.clear();
  for (SyntaxEntry& e : data.list) e.hintMask = 0;

  QStringList lines;
  int kwLines = -1;
  if (ReadAnsiLines(dir.filePath(QStringLiteral("kw_list.txt")), lines, skipped)) kwLines = ApplyKwList(data.help, lines);
  int csvLines = -1;
  if (ReadAnsiLines(dir.filePath(QStringLiteral("user.csv")), lines, skipped)) {
    const bool anyRow = std::any_of(lines.begin(), lines.end(), [](const QString& l) { return !l.trimmed().isEmpty(); });
    const int n = ApplyUserCsv(data.help, lines);
    if (anyRow) csvLines = n;
  }
  data.help.count = KeywordHelpCount(kwLines, csvLines);

  if (ReadAnsiLines(dir.filePath(QStringLiteral("quick_hint.txt")), lines, skipped) && !lines.isEmpty()) {
    ApplyHintMasks(data.list, lines.first().trimmed());
    data.quickHints = ParseQuickHints(lines.mid(1));
  }
  if (ReadAnsiLines(dir.filePath(QStringLiteral("gui_elements.txt")), lines, skipped)) data.guiElements = ParseGuiElements(lines);

  const QString templatePath = dir.filePath(QStringLiteral("html2/index.htm"));
  {
    QByteArray read;
    if (ReadDataFile(templatePath, read, skipped)) {
      QByteArrayView bytes = read;
      if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
      const HelpTemplate t = SplitHelpTemplate(QString::fromUtf8(bytes));
      data.helpIndexHead = t.head;
      data.helpIndexTail = t.tail;
    }
  }
  return skipped;
}

}  // namespace vendle
