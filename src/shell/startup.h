// The decisions of start-up, as plain functions: the command-line file list,
// the files a second start hands over, which documents open first, the
// change-log date rule and the build-date bookkeeping.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vendle {

struct Settings;

// Every argument, in order, joined by LF ("" without arguments).
QString JoinCommandLineFiles(const QStringList& arguments);

// The files a second start hands over: each made absolute against the second
// start's working folder. An argument holding CR or LF cannot travel in the
// protocol; it is left out and named in `skipped`.
QStringList HandOverFiles(const QStringList& arguments, const QString& workingFolder, QStringList* skipped);

// What opens first, in order.
enum class StartStep { PreviousFiles, CommandLineFiles, NewDocument };
std::vector<StartStep> PlanFirstDocuments(bool haveCommandLineFiles, bool restorePreviousFiles, int openBlankFile,
                                          int fileCount);

// The change log opens when its modification time is newer than the stored
// one; the stored one then takes it. A missing file never opens.
struct ChangeLogDecision {
  bool open = false;
  qint64 stored = 0;
};
ChangeLogDecision DecideChangeLog(qint64 stored, std::optional<qint64> fileTime);

// When "Build date" differs from the running build's stamp, the old one
// becomes "Last Build date" and the stamp becomes "Build date".
void UpdateBuildDates(Settings& s, const QString& buildStamp);

// Labels of the Recent items: a path over 80 characters is shortened to its
// first 10 and last 65 characters, with " ... " at start-up and "..." when
// the list changes.
QString RecentLabelAtStartup(const QString& path);
QString RecentLabel(const QString& path);
// The path field of a RecentFileEntry line (its first "|" field).
QString RecentEntryPath(const QString& entry);

// The label of an external-reference slot, or nothing for an unset slot
// (its text begins with "External Reference").
std::optional<QString> ExternalReferenceLabel(const QString& text);

}  // namespace vendle
