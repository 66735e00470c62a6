#include "links/external_program.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

#include "platform/ansi.h"

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

// The program file handed over is a path of this system: a "\" in it is a
// character of a name, not a separator as in a typed field.
QString FileFolder(const QString& path) { return path.left(path.lastIndexOf(u'/') + 1); }
QString FileName(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

TokenProvider Provider(const RunValues& v, bool folderField, bool programField, ProgramList list) {
  return [&v, folderField, programField, list](TemplateToken t) -> std::optional<QString> {
    if (!FieldTakes(t, folderField, programField, list)) return std::nullopt;
    switch (t) {
      case TemplateToken::Bas: return v.basPath;
      case TemplateToken::BasShort: return FileName(v.basPath);
      case TemplateToken::BasPath: return FileFolder(v.basPath);
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

namespace {

// The command as a reader would type it: arguments with blanks or quotes in
// double quotes.
QString CommandText(const StartCommand& c) {
  QStringList parts;
  for (const QString& a : QStringList{c.program} + c.arguments) {
    const bool plain = !a.isEmpty() && std::none_of(a.begin(), a.end(), [](QChar ch) {
      return ch.isSpace() || ch == u'"' || ch == u'\'' || ch == u'\\';
    });
    parts.append(plain ? a : u'"' + QString(a).replace(u'"', QStringLiteral("\\\"")) + u'"');
  }
  return parts.join(u' ');
}

QString RunHeader(const QString& title, const StartCommand& c) {
  return QStringLiteral("%1\nProgram: %2\nFolder: %3\n")
      .arg(title, CommandText(c), c.workingFolder.isEmpty() ? QStringLiteral("(the editor's)") : c.workingFolder);
}

}  // namespace

QString StartFailureText(const QString& title, const StartCommand& c, const QString& why) {
  return RunHeader(title, c) + QStringLiteral("Could not start %1:\n%2\n").arg(c.program, why);
}

QString EarlyEndText(const QString& title, const StartCommand& c, const EarlyEnd& end) {
  QString text = RunHeader(title, c);
  if (end.state == EarlyEnd::State::Killed)
    text += QStringLiteral("It was ended at once by signal %1 (%2).\n")
                .arg(end.code)
                .arg(QString::fromLocal8Bit(::strsignal(end.code)));
  else
    text += QStringLiteral("It ended at once with exit status %1.\n").arg(end.code);
  const QString output = ErrorOutputText(end.errorOutput, end.errorOutputCut);
  if (output.isEmpty()) return text + QStringLiteral("It wrote nothing to its error output.\n");
  return text + (end.errorOutputCut ? QStringLiteral("The end of its error output:\n") : QStringLiteral("Its error output:\n")) +
         output + u'\n';
}

QString ErrorOutputText(const QByteArray& bytes, bool cut) {
  QByteArrayView view(bytes);
  // A UTF-8 character cut at the front.
  while (cut && !view.isEmpty() && (static_cast<unsigned char>(view.front()) & 0xC0) == 0x80) view = view.sliced(1);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(view);
  if (utf8.hasError()) text = DecodeAnsi(view);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  if (cut) {
    const qsizetype lf = text.indexOf(u'\n');
    if (lf >= 0) text = text.mid(lf + 1);
  }
  QString out;
  out.reserve(text.size());
  for (const QChar ch : text)
    if (ch == u'\n' || ch == u'\t' || !(ch.category() == QChar::Other_Control)) out.append(ch);
  while (out.endsWith(u'\n')) out.chop(1);
  return cut ? QStringLiteral("...\n") + out : out;
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
