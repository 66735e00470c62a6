// Include merge. The merged text is built in one pass, each included file
// merged where its include line stands, so the result is the one a walk over
// the growing text would give, without its cost and without a loop running
// until memory ends.
#include "tools/include_merge.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "editor/editing_lines.h"
#include "platform/text_lines.h"
#include "platform/text_trim.h"

namespace vendle {

std::optional<QString> IncludeName(QStringView line) {
  static const QStringView kMarkers[] = {u"'$INCLUDE:", u"'#INCLUDE", u"#INCLUDE"};
  const QString trimmed = TrimSpaces(line).toString();
  for (QStringView marker : kMarkers) {
    if (!trimmed.startsWith(marker, Qt::CaseInsensitive)) continue;
    QString name = TrimSpaces(QStringView(trimmed).sliced(marker.size())).toString();
    // A quoted name ends at its closing quote: a comment may follow it.
    const qsizetype close = name.startsWith(u'"') ? name.indexOf(u'"', 1) : -1;
    if (close > 0) name.truncate(close);
    name.remove(u'"');
    if (name.isEmpty()) return std::nullopt;
    return name;
  }
  return std::nullopt;
}

namespace {

const QString kEndInclude = QStringLiteral("' END INCLUDE\n");

class Merger {
 public:
  Merger(const IncludeResolver& resolve, const MergeLimits& limits) : resolve_(resolve), limits_(limits) {}

  MergeResult run(QStringView text) {
    merge(text, 0);
    if (!result_.stopped.isEmpty()) {
      result_.text.clear();
      result_.problems.clear();
    }
    return std::move(result_);
  }

 private:
  bool stopped() const { return !result_.stopped.isEmpty(); }

  // Whether `more` characters fit with the end lines of the open includes
  // still to come; else the merge stops.
  bool fits(qsizetype more) {
    if (result_.text.size() + more + chain_.size() * kEndInclude.size() <= limits_.characters) return true;
    result_.stopped = QStringLiteral("The merged program would be larger than %1 MB.\nNothing was merged.")
                          .arg(limits_.characters >> 20);
    return false;
  }

  void merge(QStringView text, int depth) {
    ForEachLine(text, [&](const TextLine& line) {
      if (stopped() || !fits(line.length + line.endLength)) return;
      const QStringView own = text.sliced(line.start, line.length);
      const QStringView end = text.sliced(line.start + line.length, line.endLength);
      if (const auto name = IncludeName(own); name && include(*name, own, end, depth)) return;
      result_.text += own;
      result_.text += end;
      if (!end.isEmpty()) ++lines_;
    });
  }

  // Merges the file of one include line; false when the line stays as it is.
  bool include(const QString& name, QStringView own, QStringView end, int depth) {
    const QString at = QStringLiteral("\non line ") + QString::number(lines_ + 1);
    const std::optional<IncludedFile> file = resolve_(name);
    if (!file) {
      result_.problems.append(QStringLiteral("Unable to find ") + name + at);
      return false;
    }
    if (!file->refused.isEmpty()) {
      result_.problems.append(QStringLiteral("Cannot include ") + name + QStringLiteral(": ") + file->refused + at);
      return false;
    }
    if (file->text.isEmpty()) return false;
    if (result_.files >= limits_.files) {
      result_.stopped = QStringLiteral("More than %1 files would be included.\nNothing was merged.").arg(limits_.files);
      return true;
    }
    if (depth >= kMaxIncludeDepth || chain_.contains(file->key)) {
      result_.problems.append(QStringLiteral("Include loop: ") + name + at);
      return false;
    }
    // The marked include line and the file's end line.
    if (!fits(3 + own.size() + std::max<qsizetype>(end.size(), 1) + kEndInclude.size())) return true;
    result_.text += u"'_'";
    result_.text += own;
    // The file's text goes on the lines after the include, even on the last line.
    result_.text += end.isEmpty() ? QStringView(u"\n") : end;
    ++lines_;
    ++result_.files;
    chain_.append(file->key);
    merge(file->text, depth + 1);
    chain_.removeLast();
    // On the file's last line when that has no line end.
    result_.text += kEndInclude;
    ++lines_;
    return true;
  }

  const IncludeResolver& resolve_;
  const MergeLimits limits_;
  MergeResult result_;
  QStringList chain_;
  qsizetype lines_ = 0;  // complete lines of the merged text so far
};

bool IsFile(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

// `relative` below `folder`, each component matched without regard to case.
QString FindIgnoringCase(const QString& folder, const QString& relative) {
  QString at = folder;
  const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    QString found;
    if (part == u"." || part == u".." || QFileInfo::exists(at + part)) {
      found = part;
    } else {
      const QStringList entries =
          QDir(at.isEmpty() ? QStringLiteral(".") : at)
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
      for (const QString& entry : entries) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0) {
          found = entry;
          break;
        }
      }
      if (found.isEmpty()) return {};
    }
    at += found;
    if (i + 1 < parts.size()) at += u'/';
  }
  return IsFile(at) ? at : QString();
}

}  // namespace

MergeResult MergeIncludeFiles(QStringView text, const IncludeResolver& resolve, const MergeLimits& limits) {
  return Merger(resolve, limits).run(text);
}

QString MergeProblemsText(const QStringList& problems) { return problems.join(QStringLiteral("\n\n")); }

MergeReport MergeReportOf(int files) {
  if (files <= 0) return {QStringLiteral("Oops!"), QStringLiteral("No files included")};
  if (files == 1) return {QStringLiteral("Done!"), QStringLiteral("1 file included")};
  return {QStringLiteral("Done!"), QString::number(files) + QStringLiteral(" files included")};
}

QString FindIncludeFile(const QString& folder, const QString& name) {
  QString n = name;
  n.replace(u'\\', u'/');
  if (n.isEmpty()) return {};
  if (QDir::isAbsolutePath(n)) return IsFile(n) ? n : QString();
  if (IsFile(folder + n)) return folder + n;
  // Programs written on systems that ignore letter case in names.
  return FindIgnoringCase(folder, n);
}

}  // namespace vendle
