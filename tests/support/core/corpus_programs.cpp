#include "corpus_programs.h"

#include <QRegularExpression>

namespace vendle::test {
namespace {

const QRegularExpression& RoutineHeader() {
  static const QRegularExpression re(QStringLiteral("^(\\s*(?:sub|function|csub|cfunction)\\s+)([A-Za-z_][\\w.]*)"),
                                     QRegularExpression::CaseInsensitiveOption);
  return re;
}

bool IsRoutineLine(const QByteArray& line) {
  const QByteArray t = line.trimmed().toLower();
  for (const char* k : {"sub ", "function ", "csub ", "cfunction ", "definefont ", "end sub", "end function",
                        "end csub", "end cfunction", "end definefont"})
    if (t.startsWith(k)) return true;
  return false;
}

}  // namespace

QByteArray CorpusProgram(qsizetype bytes) {
  const QList<CorpusFile> files = CorpusFiles();
  if (files.isEmpty()) return {};
  QByteArray all;
  for (const CorpusFile& f : files) {
    all += f.text.toUtf8();
    if (!all.endsWith('\n')) all += '\n';
  }
  const QList<QByteArray> lines = all.split('\n');
  QByteArray out;
  out.reserve(bytes + 4096);
  for (int copy = 0; out.size() < bytes; ++copy) {
    const QByteArray suffix = '_' + QByteArray::number(copy);
    for (const QByteArray& line : lines) {
      if (out.size() >= bytes) break;
      const QString text = QString::fromLatin1(line);
      const QRegularExpressionMatch m = RoutineHeader().match(text);
      if (m.hasMatch()) out += line.left(m.capturedEnd(2)) + suffix + line.mid(m.capturedEnd(2));
      else out += line;
      out += '\n';
    }
  }
  return out;
}

QByteArray ManySubsProgram(qsizetype bytes) {
  const QList<CorpusFile> files = CorpusFiles();
  if (files.isEmpty()) return {};
  QList<QByteArray> body;
  for (const CorpusFile& f : files)
    for (const QByteArray& line : f.text.toUtf8().split('\n'))
      if (!line.trimmed().isEmpty() && !IsRoutineLine(line)) body.append(line);
  QByteArray out;
  out.reserve(bytes + 4096);
  qsizetype next = 0;
  for (int n = 0; out.size() < bytes; ++n) {
    out += "SUB Part" + QByteArray::number(n) + "(a, b$)\n";
    for (int i = 0; i < 6; ++i) out += body[next++ % body.size()] + '\n';
    out += "END SUB\n";
  }
  return out;
}

}  // namespace vendle::test
