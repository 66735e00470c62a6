// The one-pass scan of an opened program's bytes gives what the text scans
// give (the markers stripped, then the declared names of the stripped
// text), and the byte forms of decoding and trimming give the bytes of the
// text forms, on the corpus and on large programs made from it.
#include <gtest/gtest.h>

#include "corpus_programs.h"
#include "documents/program_file.h"
#include "editor/declarations.h"
#include "editor/fold_markers.h"
#include "editor/program_scan.h"

namespace vendle {
namespace {

using test::CorpusFiles;

struct Sample {
  std::string name;
  QByteArray bytes;  // the file's bytes
};

// A program with markers, labels, tabs, non-ASCII text and odd line ends
// where the byte filter could go wrong.
QByteArray MarkedProgram() {
  return QByteArray(
      "' kw\\picomite first line\r\n"
      "SUB Show(a%, b$) 'FoldHere '>>>\r\n"
      "\tLOCAL i% = 0, s$ = \"a,b\" ' sum\r\n"
      "  DIM t(10, 2) AS INTEGER, \xC3\xA9t\xC3\xA9$ '>>>   \r\n"
      "start:\r\n"
      "  sub Lower\t(x)  'FoldHere\r\n"
      "CONST k = 1 : Dim q\r\n"
      "\xC5\xBF" "ub Folded(z)\r\n"  // long s: folds to "sub"
      "END SUB\r\n"
      "FUNCTION F$(v!) '>>>\n"
      "  STATIC n%\n"
      "END FUNCTION\n"
      "PRINT \"'>>>\" ' not at the end '>>> x\n");
}

std::vector<Sample> Samples() {
  std::vector<Sample> out;
  for (const test::CorpusFile& f : CorpusFiles()) out.push_back({f.name.toStdString(), f.text.toUtf8()});
  out.push_back({"marked", MarkedProgram()});
  QByteArray crlf = MarkedProgram();
  crlf.replace("\r\n", "\n").replace("\n", "\r\n");
  out.push_back({"marked CR LF", crlf});
  QByteArray cr = MarkedProgram();
  cr.replace("\r\n", "\n").replace('\n', '\r');
  out.push_back({"marked lone CR", cr});
  out.push_back({"mixed CR", QByteArray("DIM a\rDIM b\nstart:\r'>>>\n")});
  out.push_back({"empty", QByteArray()});
  out.push_back({"no line end", QByteArray("SUB x(y) 'FoldHere")});
  const QByteArray big = test::CorpusProgram(1 << 20);
  if (!big.isEmpty()) {
    QByteArray marked = big;
    marked.replace("\nEnd Sub\n", "\nEnd Sub '>>>\n");
    out.push_back({"corpus 1 MB with markers", marked});
    QByteArray bigCrlf = big;
    out.push_back({"corpus 1 MB CR LF", bigCrlf.replace("\n", "\r\n")});
    out.push_back({"small subs 1 MB", test::ManySubsProgram(1 << 20)});
  }
  return out;
}

TEST(ProgramScan, GivesWhatTheTextScansGive) {
  for (const Sample& s : Samples()) {
    SCOPED_TRACE(s.name);
    const DecodedFile decoded = DecodeProgramFile(s.bytes);
    const DecodedBytes bytes = DecodeProgramBytes(s.bytes);
    EXPECT_EQ(bytes.utf8, decoded.text.toUtf8());
    EXPECT_EQ(bytes.encoding, decoded.encoding);

    for (const LineEnd fallback : {LineEnd::CrLf, LineEnd::Lf}) {
      const QString trimmed = TrimTrailingBlankLines(decoded.text, fallback);
      const QByteArray trimmedBytes = TrimTrailingBlankBytes(bytes.utf8, fallback);
      EXPECT_EQ(trimmedBytes, trimmed.toUtf8());
      EXPECT_EQ(LastLineEndOfBytes(trimmedBytes, fallback), LastLineEnd(trimmed, fallback));
      EXPECT_EQ(FirstLineOfBytes(trimmedBytes), FirstLine(trimmed));

      const StrippedText text = StripMarkers(trimmed);
      const ScannedProgram scanned = ScanProgramText(trimmedBytes);
      EXPECT_EQ(scanned.text, text.text.toUtf8());
      EXPECT_EQ(scanned.bookmarks, text.bookmarks);
      EXPECT_EQ(scanned.foldedLines, text.foldedLines);
      EXPECT_EQ(scanned.names, text.names);
      EXPECT_EQ(scanned.variables, DeclaredVariablesText(text.text));
    }
  }
}

TEST(ProgramScan, FindsTheMarkersAndNamesOfTheSample) {
  const ScannedProgram p = ScanProgramText(TrimTrailingBlankBytes(MarkedProgram(), LineEnd::CrLf));
  EXPECT_EQ(p.bookmarks, (QList<int>{1, 3, 9}));
  EXPECT_EQ(p.foldedLines, (QList<int>{2, 6}));
  EXPECT_EQ(p.names, QStringLiteral(" Show start Lower Folded F$ "));
  EXPECT_TRUE(p.variables.contains(QStringLiteral(" \u00E9t\u00E9$ "))) << p.variables.toStdString();
  EXPECT_FALSE(p.text.contains("'FoldHere"));
}

TEST(ProgramScan, TakesAnAsciiOrUtf8FileWithoutACopy) {
  const QByteArray ascii("PRINT 1\n");
  EXPECT_EQ(DecodeProgramBytes(ascii).utf8.constData(), ascii.constData());
  const QByteArray utf8("PRINT \"\xC3\xA9\"\n");
  EXPECT_EQ(DecodeProgramBytes(utf8).utf8.constData(), utf8.constData());
  EXPECT_EQ(TrimTrailingBlankBytes(ascii, LineEnd::CrLf).constData(), ascii.constData());
}

}  // namespace
}  // namespace vendle
