// The variable report of every corpus program and of large programs made
// from the corpus stays what it was: the reports' digests are kept in a
// golden file (the reports themselves run to megabytes).
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

#include "corpus_programs.h"
#include "settings/settings.h"
#include "test_files.h"
#include "tools/variable_report.h"

namespace vendle {
namespace {

// The shipped PicoMite keywords (one a line up to the parameter section).
QString PicomiteKeywords() {
  QFile f(QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/picomite.tkn"));
  QStringList words;
  if (f.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
      const QByteArray w = lines[i].trimmed();
      if (w.startsWith("***")) break;
      if (!w.isEmpty()) words << QString::fromLatin1(w);
    }
  }
  return words.join(u' ');
}

QByteArray Digest(const QString& report) {
  return QCryptographicHash::hash(report.toUtf8(), QCryptographicHash::Sha256).toHex();
}

TEST(ReportCorpus, ReportsOfTheCorpusAndOfLargeProgramsStayTheSame) {
  const QList<test::CorpusFile> files = test::CorpusFiles();
  if (files.isEmpty()) GTEST_SKIP() << "no test corpus";
  ReportOptions o{Settings().validWordCharacters, PicomiteKeywords(), [] { return qint64(0); }};
  QByteArray digests;
  auto add = [&](const QString& name, const QByteArray& program) {
    digests += name.toUtf8() + ' ' + Digest(VariableReportText(QString::fromLatin1(program), o)) + '\n';
  };
  for (const test::CorpusFile& f : files) add(f.name, f.text.toUtf8());
  QByteArray crlf = test::CorpusProgram(1 << 20);
  add(QStringLiteral("corpus 1 MB"), crlf);
  add(QStringLiteral("corpus 1 MB CR LF"), crlf.replace("\n", "\r\n"));
  add(QStringLiteral("small subs 1 MB"), test::ManySubsProgram(1 << 20));
  add(QStringLiteral("corpus 10 MB"), test::CorpusProgram(10 << 20));
  test::ExpectGolden(QStringLiteral(VENDLE_TEST_DATA_DIR "/tools/examples/report/corpus_digests.txt"), digests);
}

}  // namespace
}  // namespace vendle
