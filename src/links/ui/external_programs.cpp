// Running the current program file with the programs of the Action menu and
// handing it to the companion program.
#include "links/ui/external_programs.h"

#include <QWidget>
#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "documents/document_list.h"
#include "links/companion.h"
#include "links/external_program.h"
#include "links/ui/link_commands.h"
#include "links/ui/run_document.h"
#include "platform/ansi.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/process.h"
#include "platform/ui/shift_state.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

constexpr int kListSize = 10;  // Item::ExternalFirst to Item::ExternalLast and Item::RavoltFirst to Item::RavoltLast

enum class Purpose { Run, HandOver };

void Oops(App& app, const QString& text) { app.requesters().message(QString::fromLatin1(kOopsTitle), text); }

bool IsFile(const QString& path) { return QFileInfo(path).isFile(); }

bool IsExecutableFile(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() && info.isExecutable();
}

// Copies of never-saved documents go here when the file folder already has
// an "untitled.bas" that is not the editor's own.
QString OwnCopyFolder(App& app) { return app.folders().data + QStringLiteral("run/"); }

QString CopyPathFor(App& app) {
  const QString fileFolder = app.folders().file;
  return TemporaryCopyPath(fileFolder, OwnCopyFolder(app), app.state().tempFiles,
                           QFileInfo::exists(fileFolder + QLatin1String(kUntitledName)));
}

std::optional<QString> WriteTemporaryCopy(App& app, Purpose purpose) {
  const QString path = CopyPathFor(app);
  QDir().mkpath(PathFolderPart(path));
  QString text = CurrentDocumentText(app);
  if (purpose == Purpose::HandOver && app.settings().removeSmartQuotes) text = ConvertTextForHandOver(app, text);
  const WriteResult w = WriteFileSafely(path, EncodeAnsi(text));
  if (!w.ok) {
    DebugLog(app, QStringLiteral("Temporary copy %1 not written: %2").arg(path, w.error));
    Oops(app, QStringLiteral("Could not write %1:\n%2\nNothing was started.").arg(path, w.error));
    return std::nullopt;
  }
  ListTemporaryFile(app.state().tempFiles, path);
  return path;
}

// The file to hand over: a copy of a never-saved document, the saved file of
// a modified (or not yet written) one, else the document's file as it is.
// Nothing when it cannot be had; the user has been told why.
std::optional<QString> PrepareFile(App& app, Purpose purpose) {
  const std::optional<RunDocument> doc = CurrentDocumentForRun(app);
  if (!doc) return std::nullopt;
  switch (ChoosePreparation(doc->untitled, doc->modified, IsFile(doc->path))) {
    case Preparation::WriteCopy: return WriteTemporaryCopy(app, purpose);
    case Preparation::Save: {
      // The file handed to the companion never carries the in-text markers.
      const bool saved = SaveDocumentForRun(app, purpose == Purpose::Run);
      const std::optional<RunDocument> after = CurrentDocumentForRun(app);
      if (!saved || !after || !IsFile(after->path)) {
        DebugLog(app, QStringLiteral("Not started: %1 was not saved").arg(doc->path));
        Oops(app, QStringLiteral("%1 could not be saved.\nNothing was started.").arg(doc->path));
        return std::nullopt;
      }
      return after->path;
    }
    case Preparation::UsePath: return doc->path;
  }
  return std::nullopt;
}

// A start that cannot happen, or a program that ends at once with a
// failure, is told in the information window: its message and its status.
// One that keeps running, or ends well, is left alone.
bool StartProgram(App& app, const QString& title, const StartCommand& c) {
  const StartOutcome r = StartWatchedProcess(c, app.mainWidget(), [&app, title, c](const EarlyEnd& end) {
    if (app.loopEnded()) return;  // the editor is ending; nobody would read it
    DebugLog(app, QStringLiteral("%1: %2").arg(c.program, end.state == EarlyEnd::State::Running
                                                                 ? QStringLiteral("still running")
                                                                 : QStringLiteral("ended, status %1").arg(end.code)));
    if (end.failed()) ShowInfoText(app, EarlyEndText(title, c, end));
  });
  DebugLog(app, QStringLiteral("Start %1 [%2] in %3: %4")
                    .arg(c.program, c.arguments.join(QStringLiteral("] [")), c.workingFolder,
                         r.ok ? QStringLiteral("started") : r.error));
  if (!r.ok) ShowInfoText(app, StartFailureText(title, c, r.error));
  return r.ok;
}

void RunEntry(App& app, const ExternalProgramEntry& entry, ProgramList list) {
  if (ProgramNotSet(entry.program)) {
    Oops(app, QString::fromLatin1(kProgramNotSetText));
    return;
  }
  const std::optional<QString> path = PrepareFile(app, Purpose::Run);
  if (!path) return;
  const Folders& folders = app.folders();
  const ExpandedEntry expanded = ExpandEntry(entry, list, {*path, folders.program, app.settings().ravoltFolder});
  QString script;
  if (const QString name = BatchScriptName(list, entry.batch); !name.isEmpty()) {
    // Beside the program first, as installed; then the data folder, which
    // holds the default scripts.
    script = FindBatchScript(name, {folders.program, folders.data}, IsFile);
    if (script.isEmpty()) {
      const QString why = QStringLiteral("The batch script %1 is neither in %2 nor in %3.\nNothing was started.")
                              .arg(name, folders.program, folders.data);
      DebugLog(app, why);
      ShowInfoText(app, entry.menuText + u'\n' + why + u'\n');
      return;
    }
  }
  StartProgram(app, entry.menuText, BuildStart(expanded, script, folders.program));
}

void SetDefaultTooltip(App& app, const QString& text) {
  for (QAction* a : app.toolkit().itemActions(+Item::RunDefaultExternal)) a->setToolTip(text);
}

// The Shift step: the chosen entry becomes the default program.
void MakeDefault(App& app, int index) {
  Settings& s = app.settings();
  if (s.externalHotLink >= 0 && s.externalHotLink < kListSize)
    SetItemChecked(app, +Item::ExternalFirst + s.externalHotLink, false);
  s.externalHotLink = index;
  SetDefaultTooltip(app, s.externalPrograms[index].menuText);
  SetItemChecked(app, +Item::ExternalFirst + index, true);
}

}  // namespace

void RunExternalProgram(App& app, int index) {
  const auto& list = app.settings().externalPrograms;
  const bool known = index >= 0 && index < static_cast<int>(list.size()) && index < kListSize;
  if (known && ShiftHeld()) MakeDefault(app, index);
  if (!known) {
    DebugLog(app, QStringLiteral("External program %1 is not in the list").arg(index));
    Oops(app, QString::fromLatin1(kProgramNotSetText));
    return;
  }
  const ExternalProgramEntry entry = list[index];
  RunEntry(app, entry, ProgramList::Own);
}

void RunDefaultExternalProgram(App& app) { RunExternalProgram(app, app.settings().externalHotLink); }

void RunRavoltProgram(App& app, int index) {
  const auto& list = app.settings().ravoltPrograms;
  if (index < 0 || index >= static_cast<int>(list.size()) || index >= kListSize) {
    Oops(app, QString::fromLatin1(kProgramNotSetText));
    return;
  }
  const ExternalProgramEntry entry = list[index];
  RunEntry(app, entry, ProgramList::Ravolt);
}

void Deploy(App& app) {
  const std::optional<QString> path = PrepareFile(app, Purpose::HandOver);
  if (!path) return;
  const QString program = app.folders().program;
  const QString companion = FindCompanion(program, qEnvironmentVariable("PATH"), IsExecutableFile);
  if (companion.isEmpty()) {
    DebugLog(app, QStringLiteral("No companion program for %1").arg(*path));
    app.requesters().message(
        QString::fromLatin1(kDeployTitle),
        QStringLiteral("No companion program was found: there is no executable %1 or %1.exe in %2, and no %1 on "
                       "the search path.\nThe file it would have been given:\n%3")
            .arg(QString::fromLatin1(kCompanionName), program, *path));
    return;
  }
  StartProgram(app, QString::fromLatin1(kDeployTitle), CompanionStart(companion, *path, program));
}

void LabelExternalProgramItems(App& app) {
  const Settings& s = app.settings();
  for (int i = 0; i < static_cast<int>(s.externalPrograms.size()) && i < kListSize; ++i) {
    SetItemText(app, +Item::ExternalFirst + i, s.externalPrograms[i].menuText);
    SetItemChecked(app, +Item::ExternalFirst + i, i == s.externalHotLink);
  }
  for (int i = 0; i < static_cast<int>(s.ravoltPrograms.size()) && i < kListSize; ++i)
    SetItemText(app, +Item::RavoltFirst + i, s.ravoltPrograms[i].menuText);
  const bool known = s.externalHotLink >= 0 && s.externalHotLink < static_cast<int>(s.externalPrograms.size());
  SetDefaultTooltip(app, known ? s.externalPrograms[s.externalHotLink].menuText : QString());
}

void PreviewExternalProgram(App& app, const ExternalProgramEntry& typed) {
  const std::optional<RunDocument> doc = CurrentDocumentForRun(app);
  const QString path = doc && !doc->untitled ? doc->path : CopyPathFor(app);
  const ExpandedEntry e =
      ExpandEntry(typed, ProgramList::Preview, {path, app.folders().program, app.settings().ravoltFolder});
  app.requesters().message(QString::fromLatin1(kPreviewTitle), PreviewText(e, typed.batch));
}

}  // namespace vendle
