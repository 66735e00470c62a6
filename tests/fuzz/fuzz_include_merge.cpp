// Fuzzes the include merge over files held in memory, under small bounds of
// size and file count drawn from the input: files that include each other
// over and over must stop at a bound with nothing merged, never run on.
// The input is the program, then files, each after a form feed: its first
// line its name, the rest its text. A name starting with "pipe" is there
// but refused.
#include <QHash>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/ansi.h"
#include "tools/include_merge.h"

using namespace vendle;

namespace {

// Says which check failed before the abort.
#define CHECK(ok)                                                     \
  do {                                                                \
    if (!(ok)) {                                                      \
      std::fprintf(stderr, "check failed: %s (line %d)\n", #ok, __LINE__); \
      std::abort();                                                   \
    }                                                                 \
  } while (0)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const QString input = DecodeAnsi(QByteArrayView(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
  const QStringList parts = input.split(u'\f');
  const QString& program = parts.front();
  QHash<QString, QString> files;
  for (qsizetype k = 1; k < parts.size(); ++k) {
    const qsizetype nl = parts[k].indexOf(u'\n');
    files.insert(parts[k].left(nl).trimmed().toLower(), nl < 0 ? QString() : parts[k].sliced(nl + 1));
  }

  MergeLimits limits;
  limits.characters = qsizetype(256) << (mode % 13);  // 256 characters to 1 M
  limits.files = 1 + ((mode >> 4) * 37);
  const MergeResult merged = MergeIncludeFiles(
      program,
      [&](const QString& name) -> std::optional<IncludedFile> {
        const QString key = name.toLower();
        const auto it = files.constFind(key);
        if (it == files.constEnd()) return std::nullopt;
        if (key.startsWith(u"pipe")) return IncludedFile{key, {}, QStringLiteral("It is a pipe (FIFO), not a file.")};
        return IncludedFile{key, *it, {}};
      },
      limits);

  if (!merged.stopped.isEmpty()) {
    CHECK(merged.text.isEmpty());
    CHECK(merged.problems.isEmpty());
    return 0;
  }
  CHECK(merged.text.size() <= limits.characters);
  CHECK(merged.files <= limits.files);
  CHECK(merged.text.size() >= program.size());
  for (const QString& problem : merged.problems) CHECK(problem.contains(QStringLiteral("\non line ")));
  // Nothing found to merge leaves the program as it was.
  if (merged.files == 0 && merged.problems.isEmpty() && !program.contains(u'\r') && program.endsWith(u'\n'))
    CHECK(merged.text == program);
  return 0;
}
