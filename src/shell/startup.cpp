#include "shell/startup.h"

#include "platform/paths.h"
#include "settings/settings.h"

namespace vendle {

QString JoinCommandLineFiles(const QStringList& arguments) { return arguments.join(u'\n'); }

QStringList HandOverFiles(const QStringList& arguments, const QString& workingFolder, QStringList* skipped) {
  QStringList out;
  for (const QString& a : arguments) {
    if (a.contains(u'\r') || a.contains(u'\n')) {
      if (skipped) skipped->append(a);
      continue;
    }
    out.append(MakeAbsolute(a, workingFolder));
  }
  return out;
}

std::vector<StartStep> PlanFirstDocuments(bool haveCommandLineFiles, bool restorePreviousFiles, int openBlankFile,
                                          int fileCount) {
  if (haveCommandLineFiles) {
    if (restorePreviousFiles) return {StartStep::PreviousFiles, StartStep::CommandLineFiles};
    return {StartStep::CommandLineFiles};
  }
  if (openBlankFile == 1) return {StartStep::NewDocument};
  if (fileCount != 0) return {StartStep::PreviousFiles};
  return {StartStep::NewDocument};
}

ChangeLogDecision DecideChangeLog(qint64 stored, std::optional<qint64> fileTime) {
  if (fileTime && stored < *fileTime) return {true, *fileTime};
  return {false, stored};
}

void UpdateBuildDates(Settings& s, const QString& buildStamp) {
  if (s.buildDate == buildStamp) return;
  s.lastBuildDate = s.buildDate;
  s.buildDate = buildStamp;
}

namespace {
QString Shorten(const QString& path, const QString& ellipsis) {
  if (path.size() <= 80) return path;
  return path.left(10) + ellipsis + path.right(65);
}
}  // namespace

QString RecentLabelAtStartup(const QString& path) { return Shorten(path, QStringLiteral(" ... ")); }
QString RecentLabel(const QString& path) { return Shorten(path, QStringLiteral("...")); }

QString RecentEntryPath(const QString& entry) { return entry.section(u'|', 0, 0); }

std::optional<QString> ExternalReferenceLabel(const QString& text) {
  if (text.startsWith(QStringLiteral("External Reference"))) return std::nullopt;
  const QString name = FileNamePart(text);
  // An address ending in "/" has no file part: show it whole.
  return name.isEmpty() ? text : name;
}

}  // namespace vendle
