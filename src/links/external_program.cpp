#include "links/external_program.h"

#include <algorithm>

namespace vendle {
namespace {

qsizetype LastSeparator(const QString& path) { return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')); }

// The tokens each field takes; any other stays as written.
bool FieldTakes(TemplateToken t, bool folderField, bool programField, ProgramList list) {
  switch (t) {
    case TemplateToken::BasPath: return true;
    case TemplateToken::Bas:
    case TemplateToken::BasShort:
    case TemplateToken::VdlPath: return !folderField;
    case TemplateToken::RvtPath: return list == ProgramList::Ravolt && (folderField || programField);
    case TemplateToken::ExtPath: return false;  // entry text, inserted before the fields are read
  }
  return false;
}

TokenProvider Provider(const RunValues& v, bool folderField, bool programField, ProgramList list) {
  return [&v, folderField, programField, list](TemplateToken t) -> std::optional<QString> {
    if (!FieldTakes(t, folderField, programField, list)) return std::nullopt;
    switch (t) {
      case TemplateToken::Bas: return v.basPath;
      case TemplateToken::BasShort: return PathFilePart(v.basPath);
      case TemplateToken::BasPath: return PathFolderPart(v.basPath);
      case TemplateToken::VdlPath: return v.programFolder;
      case TemplateToken::RvtPath: return v.ravoltFolder;
      case TemplateToken::ExtPath: break;
    }
    return std::nullopt;
  };
}

}  // namespace

QString PathFolderPart(const QString& path) {
  const qsizetype from = path.startsWith(u'"') ? 1 : 0;
  const qsizetype sep = LastSeparator(path);
  return sep < from ? QString() : path.mid(from, sep + 1 - from);
}

QString PathFilePart(const QString& path) {
  const qsizetype from = std::max<qsizetype>(path.startsWith(u'"') ? 1 : 0, LastSeparator(path) + 1);
  return path.mid(from);
}

ExpandedEntry ExpandEntry(const ExternalProgramEntry& entry, ProgramList list, const RunValues& values) {
  const bool trim = list != ProgramList::Preview;
  QString folder = trim ? entry.folder.trimmed() : entry.folder;
  const QString program = trim ? entry.program.trimmed() : entry.program;
  const QString parameters = trim ? entry.parameters.trimmed() : entry.parameters;

  if (folder.isEmpty()) folder = QStringLiteral("%q%%baspath%%q%");
  // "%extpath%" is the entry's own program text, so it is read as template
  // text: its quotes and "%baspath%" count as if typed into the folder.
  if (list != ProgramList::Ravolt)
    folder = InsertTemplateText(folder, TokenText(TemplateToken::ExtPath), PathFolderPart(program));

  ExpandedEntry out;
  out.folder = ParseTemplate(folder, Provider(values, true, false, list));
  out.program = ParseTemplate(program, Provider(values, false, true, list));
  out.parameters = ParseTemplate(parameters, Provider(values, false, false, list));
  return out;
}

bool ProgramNotSet(const QString& program) {
  const QString p = program.trimmed();
  return p.isEmpty() || p == QLatin1String("Not set");
}

QString BatchScriptName(ProgramList list, qint64 batch) {
  if (batch <= 0) return {};
  if (list == ProgramList::Ravolt) return QStringLiteral("runhere.sh");
  return QStringLiteral("runhere%1.sh").arg(batch);
}

QString FindBatchScript(const QString& name, const QStringList& folders,
                        const std::function<bool(const QString&)>& exists) {
  if (name.isEmpty()) return {};
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    const QString path = folder + name;
    if (exists(path)) return path;
  }
  return {};
}

StartCommand BuildStart(const ExpandedEntry& expanded, const QString& script, const QString& programFolder) {
  StartCommand c;
  if (script.isEmpty()) {
    c.program = TemplateSingleValue(expanded.program);
    c.arguments = TemplateArguments(expanded.parameters);
    c.workingFolder = TemplateSingleValue(expanded.folder);
    return c;
  }
  c.program = QString::fromLatin1(kShell);
  c.arguments << script << TemplateSingleValue(expanded.folder) << TemplateSingleValue(expanded.program)
              << TemplateArguments(expanded.parameters);
  c.workingFolder = programFolder;
  return c;
}

QString PreviewText(const ExpandedEntry& expanded, qint64 batch) {
  const QString folder = TemplateDisplayText(expanded.folder);
  const QString program = TemplateDisplayText(expanded.program);
  const QString parameters = TemplateDisplayText(expanded.parameters);
  if (batch > 0) return QStringLiteral("CD ") + folder + u'\n' + program + u' ' + parameters;
  return QStringLiteral("Starting folder:\n") + folder + QStringLiteral("\nExternal program:\n") + program +
         QStringLiteral("\nParameters:\n") + parameters;
}

Preparation ChoosePreparation(bool untitled, bool modified, bool fileOnDisk) {
  if (untitled) return Preparation::WriteCopy;
  if (modified || !fileOnDisk) return Preparation::Save;
  return Preparation::UsePath;
}

QString TemporaryCopyPath(const QString& fileFolder, const QString& ownFolder, const QStringList& tempFiles,
                          bool fileFolderCopyExists) {
  const QString usual = fileFolder + QStringLiteral("untitled.bas");
  if (!fileFolderCopyExists || tempFiles.contains(usual)) return usual;
  return ownFolder + QStringLiteral("untitled.bas");
}

void ListTemporaryFile(QStringList& tempFiles, const QString& path) {
  if (!tempFiles.contains(path)) tempFiles.append(path);
}

}  // namespace vendle
