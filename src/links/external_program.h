// Running a program file with an external program: the entry's three
// templates expanded for the user's list, the sibling tool's list or the
// settings window's preview; the start (directly, or through a batch script
// run with /bin/sh); the preview text; how the file handed over is prepared.
// Texts are UTF-16; folders end in a separator.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "links/command_template.h"
#include "platform/process.h"
#include "settings/settings.h"

namespace vendle {

enum class ProgramList {
  Own,      // ExternalProgramList, Item::ExternalFirst to Item::ExternalLast and Item::RunDefaultExternal
  Ravolt,   // RavoltList, Item::RavoltFirst to Item::RavoltLast
  Preview,  // the settings window's "Test": the fields as typed
};

// What the tokens stand for.
struct RunValues {
  QString basPath;        // the prepared program file
  QString programFolder;  // "%vdlpath%"
  QString ravoltFolder;   // "%RVTpath%"
};

struct ExpandedEntry {
  ParsedTemplate folder;
  ParsedTemplate program;
  ParsedTemplate parameters;
};

// The folder part of a path up to and including its last "/" or "\", and
// the file part after it; a leading double quote is skipped.
QString PathFolderPart(const QString& path);
QString PathFilePart(const QString& path);

// The entry's fields expanded for `list`. The own and sibling lists take the
// fields without surrounding blanks; the preview takes them as typed. An
// empty folder becomes the program file's folder.
ExpandedEntry ExpandEntry(const ExternalProgramEntry& entry, ProgramList list, const RunValues& values);

// The program field a run refuses: empty or "Not set" (blanks around ignored).
bool ProgramNotSet(const QString& program);

// "runhere" + n + ".sh" for the own list, "runhere.sh" for the sibling
// tool's list; empty when the entry starts its program directly (n <= 0).
QString BatchScriptName(ProgramList list, qint64 batch);

// The first of `folders` + `name` for which `exists` holds, or empty.
QString FindBatchScript(const QString& name, const QStringList& folders,
                        const std::function<bool(const QString&)>& exists);

// A process start: the program, its arguments one by one, the working folder.
using StartCommand = ProcessStart;

inline constexpr const char* kShell = "/bin/sh";

// Direct start (`script` empty): the program with the parameters, in the
// starting folder. Through a script: /bin/sh script folder program
// parameters..., in the program folder.
StartCommand BuildStart(const ExpandedEntry& expanded, const QString& script, const QString& programFolder);

// The preview's message text.
QString PreviewText(const ExpandedEntry& expanded, qint64 batch);

// What the information window shows of a start: one that could not happen
// (`why`), and one that ended at once with a failure. `title` names what was
// run (the entry's menu text).
QString StartFailureText(const QString& title, const StartCommand& c, const QString& why);
QString EarlyEndText(const QString& title, const StartCommand& c, const EarlyEnd& end);

// The end of a program's error output as text: UTF-8 when it is valid, else
// Windows-1252; a character cut at the front is dropped, and so is the cut
// line when `cut`; line ends become LF, other control characters go.
QString ErrorOutputText(const QByteArray& bytes, bool cut);

// How the file handed over is prepared.
enum class Preparation {
  WriteCopy,  // never saved: a temporary copy of the text
  Save,       // modified, or its file is missing on disk: saved first
  UsePath,    // the file on disk is the document
};
Preparation ChoosePreparation(bool untitled, bool modified, bool fileOnDisk);

// Where the temporary copy of a never-saved document goes: `fileFolder` +
// "untitled.bas", unless a file of that name exists that the editor did not
// write itself (it is not in `tempFiles`); then `ownFolder` + "untitled.bas".
QString TemporaryCopyPath(const QString& fileFolder, const QString& ownFolder, const QStringList& tempFiles,
                          bool fileFolderCopyExists);

// Appends `path` unless it is listed already.
void ListTemporaryFile(QStringList& tempFiles, const QString& path);

}  // namespace vendle
