// Crunch, uncrunch and the clean-up text rules on programs of 1 MB and
// 10 MB, and the merge of a program with 200 include files (from memory and
// from disk), each against the floor of splitting the same text into lines
// in the same run. Everything should grow with the text: 10 MB at about 10
// times 1 MB.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "bench_timing.h"
#include "documents/program_file.h"
#include "platform/file_io.h"
#include "platform/text_lines.h"
#include "tools/cleanup.h"
#include "tools/crunch.h"
#include "tools/include_merge.h"

using namespace vendle;

namespace {

// Indented statements with operators, strings, comments and a sub every
// twenty lines.
QString Program(qsizetype chars) {
  QString t;
  t.reserve(chars + 128);
  for (qint64 n = 1; t.size() < chars; ++n) {
    switch (n % 5) {
      case 0:
        t += QStringLiteral("SUB Show%1 ( a , b$ )   ' a sub of its own\r\n").arg(n);
        break;
      case 1:
        t += QStringLiteral("  IF A > %1 AND B$ <> \"x  'y\" THEN A = A - 1 : PRINT \"A = \" ; A\r\n").arg(n % 97);
        break;
      case 2:
        t += QStringLiteral(
            "    FOR I = 1 TO 10 STEP 2 : X = X + I * 1.5E-3 : NEXT I ' a comment that runs on "
            "for a good while past column eighty, to be wrapped\r\n");
        break;
      case 3:
        t += QStringLiteral("\r\n");
        break;
      default:
        t += QStringLiteral("END SUB\r\n");
        break;
    }
  }
  return t;
}

double Ms(const std::function<void()>& f) { return bench::BestMs(f); }

double Split(const QString& text) {
  return Ms([&] {
    volatile qsizetype n = SplitLines(text).size();
    (void)n;
  });
}

void SizeRows() {
  std::printf("%-6s %9s | %8s %8s %8s %8s %8s %8s %8s  (ratios to split)\n", "size", "split ms", "crunch", "uncrunch",
              "indents", "blanks", "comments", "c-style", "wrap");
  double first[7] = {};
  for (int mb : {1, 10}) {
    const QString program = Program(qsizetype(mb) * 1024 * 1024);
    const double split = Split(program);
    CrunchOptions options;
    QString crunched;
    const QStringList lines = program.split(QStringLiteral("\r\n"));
    WrapOptions wrap;
    const double t[7] = {
        Ms([&] { crunched = CrunchProgram(program, options).text; }),
        Ms([&] { UnCrunchProgram(crunched, options); }),
        Ms([&] { RemoveIndentsText(program); }),
        Ms([&] { RemoveBlankLinesText(program); }),
        Ms([&] { RemoveCommentsText(program, true); }),
        Ms([&] { ConvertCStyleCommentLines(lines, u"\r\n"); }),
        Ms([&] { WrapCommentLines(lines, wrap); }),
    };
    std::printf("%3d MB %9.1f |", mb, split);
    for (double ms : t) std::printf(" %8.1f", ms / split);
    std::printf("\n");
    if (mb == 1) {
      for (int i = 0; i < 7; ++i) first[i] = t[i];
    } else {
      std::printf("10 MB / 1 MB:   ");
      for (int i = 0; i < 7; ++i) std::printf(" %8.1f", t[i] / first[i]);
      std::printf("\n");
    }
  }
}

void MergeRows() {
  // 200 files of about 5 KB; every tenth includes the next one, so includes nest too.
  const int files = 200;
  QHash<QString, QString> texts;
  QString main = QStringLiteral("'target picomite\r\n");
  for (int f = 0; f < files; ++f) {
    const QString name = QStringLiteral("lib\\part%1.inc").arg(f);
    QString text = Program(5 * 1024);
    if (f % 10 == 0 && f + 1 < files) text += QStringLiteral("#INCLUDE \"lib\\part%1.inc\"\r\n").arg(f + 1);
    texts.insert(name, text);
    main += QStringLiteral("#INCLUDE \"%1\"\r\nPRINT %2\r\n").arg(name).arg(f);
  }
  QTemporaryDir dir;
  const QString folder = dir.path() + u'/';
  QDir(folder).mkpath(QStringLiteral("Lib"));
  for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
    // The names are written with other letter case, as on another system.
    QString onDisk = it.key();
    onDisk.replace(u'\\', u'/').replace(QStringLiteral("lib/"), QStringLiteral("Lib/"));
    WriteFileSafely(folder + onDisk, it.value().toLatin1());
  }

  MergeResult fromMemory;
  const double memory = Ms([&] {
    fromMemory = MergeIncludeFiles(main, [&](const QString& name) -> std::optional<IncludedFile> {
      const auto it = texts.constFind(name);
      if (it == texts.cend()) return std::nullopt;
      return IncludedFile{name, *it, {}};
    });
  });
  MergeResult fromDisk;
  const double disk = Ms([&] {
    fromDisk = MergeIncludeFiles(main, [&](const QString& name) -> std::optional<IncludedFile> {
      const QString file = FindIncludeFile(folder, name);
      const ReadResult read = ReadWholeFile(file);
      if (file.isEmpty() || !read.ok) return std::nullopt;
      return IncludedFile{QFileInfo(file).canonicalFilePath(), DecodeProgramFile(read.bytes).text, {}};
    });
  });
  const double split = Split(fromMemory.text);
  std::printf(
      "merge of %d includes (%d merged, %.1f MB): split %.1f ms, from memory %.1f ms (ratio %.1f), "
      "from disk %.1f ms (ratio %.1f)\n",
      files, fromMemory.files, fromMemory.text.size() / 1048576.0, split, memory, memory / split, disk, disk / split);
  if (fromDisk.text != fromMemory.text || !fromDisk.problems.isEmpty())
    std::printf("the merge from disk differs (%lld problems)\n", static_cast<long long>(fromDisk.problems.size()));
}

}  // namespace

int main() {
  SizeRows();
  MergeRows();
  return 0;
}
