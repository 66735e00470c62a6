// Line numbers to labels and the result path of the source tools, on plain
// text with a keyword list of the tests' own.
#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include "editor/syntax_tkn.h"
#include "platform/text_lines.h"
#include "program_meaning.h"
#include "qt_print.h"
#include "tools/line_labels.h"
#include "tools/result_path.h"

namespace vendle::test {
namespace {

const char16_t kKeywords[] = u" PRINT IF THEN ELSE GOTO GOSUB ON RETURN END REM RESTORE SETTICK SETPIN DATA LOOP ";

QString Labels(const char* text) {
  return LineNumbersToLabels(QString::fromUtf8(text), QStringLiteral("_LBL"), kKeywords);
}

struct LabelCase {
  const char* what;
  const char* text;
  const char* expected;
};

const LabelCase kLabelCases[] = {
    {"an empty document", "10\n", "\n"},
    {"blank lines only", "10\r\n  \n\n", "\n"},
    {"numbers go, lines without targets stay", "10 PRINT 1\n20 END\n", "PRINT 1\nEND\n"},
    {"THEN gets a GOTO and the target its label line", "10 IF A THEN 30\n20 END\n30 PRINT A\n",
     "IF A THEN GOTO _LBL30\nEND\n_LBL30:\nPRINT A\n"},
    {"GOTO and GOSUB", "10 GOSUB 30\n20 GOTO 10\n30 RETURN\n", "_LBL10:\nGOSUB _LBL30\nGOTO _LBL10\n_LBL30:\nRETURN\n"},
    {"every entry of an ON list", "10 ON X GOTO 30,40\n30 END\n40 END\n",
     "ON X GOTO _LBL30,_LBL40\n_LBL30:\nEND\n_LBL40:\nEND\n"},
    {"ELSE without GOTO", "10 IF A THEN PRINT ELSE 30\n30 END\n", "IF A THEN PRINT ELSE _LBL30\n_LBL30:\nEND\n"},
    {"a target followed by a colon", "10 GOTO 30:PRINT 1\n30 END\n", "GOTO _LBL30 :PRINT 1\n_LBL30:\nEND\n"},
    {"strings, comments and REM are never converted",
     "10 PRINT \"GOTO 30\" ' GOTO 30\n20 REM GOTO 30\n30 END\n",
     "PRINT \"GOTO 30\" ' GOTO 30\nREM GOTO 30\nEND\n"},
    {"a comma in a string is no list comma", "10 ON X GOSUB 30: PRINT \"a,b\", 30\n30 END\n",
     "ON X GOSUB _LBL30 : PRINT \"a,b\", 30\n_LBL30:\nEND\n"},
    {"ON ends at a colon", "10 ON X GOTO 30: A=B, 30\n30 END\n", "ON X GOTO _LBL30 : A=B, 30\n_LBL30:\nEND\n"},
    {"RESTORE takes its line", "10 RESTORE 30\n30 DATA 1,2\n", "RESTORE _LBL30\n_LBL30:\nDATA 1,2\n"},
    {"SETTICK: the second argument only", "1 END\n10 SETTICK 1000, 30, 1\n30 END\n",
     "END\nSETTICK 1000, _LBL30, 1\n_LBL30:\nEND\n"},
    {"SETPIN with a numeric interrupt mode", "10 SETPIN 2, 6, 30\n30 END\n", "SETPIN 2, 6, _LBL30\n_LBL30:\nEND\n"},
    {"SETPIN with a named interrupt mode", "10 SETPIN 2, INTH, 30\n30 END\n",
     "SETPIN 2, INTH, _LBL30\n_LBL30:\nEND\n"},
    {"SETPIN without an interrupt mode", "10 SETPIN 2, DIN, 30\n30 END\n", "SETPIN 2, DIN, 30\nEND\n"},
    {"a dangling target stays", "10 GOTO 99\n", "GOTO 99\n"},
    {"leading zeros do not match", "10 GOTO 030\n30 END\n", "GOTO 030\nEND\n"},
    {"the first line of a number wins", "10 GOTO 30\n30 A=1\n30 A=2\n", "GOTO _LBL30\n_LBL30:\nA=1\nA=2\n"},
    {"a comment label names its line", "10 GOTO 30\n30 'Main: the main loop\n40 GOTO 30\n",
     "GOTO Main\nMain:  'the main loop\nGOTO Main\n"},
    {"a comment label without a blank after its colon", "10 'TODO:fix\n", "TODO:  'fix\n"},
    {"a comment label alone", "10 'Start:\n", "Start: \n"},
    {"a comment label keeps a comment of its own", "10 'Start: 'rest\n", "Start: 'rest\n"},
    {"a name with a blank is no label", "10 'a name: text\n20 GOTO 10\n", "_LBL10: 'a name: text\nGOTO _LBL10\n"},
    {"a keyword is no label", "10 'Loop: text\n20 GOTO 10\n", "_LBL10: 'Loop: text\nGOTO _LBL10\n"},
    {"CR LF and a lone CR end lines", "10 GOTO 20\r\n20 END\r30 END\r\n", "GOTO _LBL20\n_LBL20:\nEND\nEND\n"},
    {"a number against its statement", "10PRINT 1\n20GOTO 10\n", "_LBL10:\nPRINT 1\nGOTO _LBL10\n"},
    {"an unclosed string", "10 PRINT \"GOTO 10\n", "PRINT \"GOTO 10\n"},
    {"the hex words of a CSUB or DEFINEFONT are data, not numbers",
     "10 GOTO 40\n20 CSUB Blink\n00000000\n  10B50446 681B2B00\n21 00000010\nEND CSUB\n30 DEFINEFONT #8\n"
     "02200A0C 00000000\nEND DEFINEFONT\n40 END\n12345678\n",
     "GOTO _LBL40\nCSUB Blink\n00000000\n10B50446 681B2B00\n00000010\nEND CSUB\nDEFINEFONT #8\n"
     "02200A0C 00000000\nEND DEFINEFONT\n_LBL40:\nEND\n\n"},
};

// A comment names its line only when the line carries a number, the name is
// a label MMBasic takes, is no keyword and names no other line: anything
// else would turn a comment into code or give the program a duplicate label.
const LabelCase kCommentCases[] = {
    {"commented-out code stays a comment", "10 'x%=7:y%=2\n20 PRINT x%\n", "'x%=7:y%=2\nPRINT x%\n"},
    {"a second comment of the same name stays a comment", "10 ' TODO: a\n20 ' TODO: b\n30 'todo: c\n",
     "TODO: ' TODO: a\n' TODO: b\n'todo: c\n"},
    {"a name that a real label has already", "10 Main:\n20 'Main: again\n30 GOTO 20\n",
     "Main:\n_LBL20: 'Main: again\nGOTO _LBL20\n"},
    {"a name that starts with a digit or an underscore", "10 '1st: x\n20 '_x: y\n", "'1st: x\n'_x: y\n"},
    {"a name with other characters", "10 'a$: x\n20 'b-c: y\n30 'c(1): z\n", "'a$: x\n'b-c: y\n'c(1): z\n"},
    {"a name with digits, dots and underscores", "10 'file.open_2: x\n", "file.open_2:  'x\n"},
    {"a name a generated label could take", "10 'L20: x\n20 GOTO 20\n", "'L20: x\nL20:\nGOTO L20\n"},
    {"a line without a number names nothing", "10 PRINT\n'Loop2: x\n", "PRINT\n'Loop2: x\n"},
};

TEST(LineLabels, CommentsNameOnlyNumberedLinesWithNewValidNames) {
  for (const LabelCase& c : kCommentCases) {
    SCOPED_TRACE(c.what);
    const QString prefix = QString::fromUtf8(c.what).contains(u"generated") ? QStringLiteral("L") : QStringLiteral("_LBL");
    EXPECT_EQ(LineNumbersToLabels(QString::fromUtf8(c.text), prefix, kKeywords), QString::fromUtf8(c.expected));
  }
}

// Without a single line number there is nothing to convert: the text comes
// back as it stands, indentation, comments, blank lines and line ends.
TEST(LineLabels, AProgramWithoutLineNumbersComesBackUnchanged) {
  for (const char* text : {"", "\n\n", "' TODO: a\n' TODO: b\n", "  'https://x\r\n  GOTO 10  \r\n\r\n",
                           "Sub Main\n  'x%=7:y%=2\n  Print \"10 GOTO 20\"\nEnd Sub"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Labels(text), QString::fromUtf8(text));
  }
}

TEST(LineLabels, ConvertsTargetsToLabels) {
  for (const LabelCase& c : kLabelCases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Labels(c.text), QString::fromUtf8(c.expected));
  }
}

TEST(LineLabels, ThePrefixComesFromTheCaller) {
  EXPECT_EQ(LineNumbersToLabels(u"10 GOTO 10\n", QStringLiteral("L"), kKeywords), "L10:\nGOTO L10\n");
  // Labels made of digits alone would be line numbers again.
  for (const char* bad : {"", "1", " x", "."}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(LineNumbersToLabels(u"10 GOTO 10\n", QString::fromUtf8(bad), kKeywords), "_LBL10:\nGOTO _LBL10\n");
  }
}

// The corpus programs with a number on every line and numbered jumps among
// them: every line keeps its code, comments stay comments (a comment may
// only become a label line, under a name no other line has), and each jump
// goes to a label that stands just before the line it named.
TEST(LineLabels, NumberedCorpusProgramsKeepTheirCodeAndTheirJumps) {
  QFile tkn(QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/picomite.tkn"));
  ASSERT_TRUE(tkn.open(QIODevice::ReadOnly));
  const SyntaxEntry pico = ParseTknFile(QStringLiteral("picomite"), tkn.readAll());
  const QString keywords = BuildActiveKeywords(&pico, QString(), {true, true, true});
  const QRegularExpression labelLine(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*$"));
  auto isLabelLine = [&](const QStringList& t) { return t.size() == 2 && t[1] == u":" && labelLine.match(t[0]).hasMatch(); };
  int files = 0, jumps = 0, commentLabels = 0;
  for (const CorpusFile& f : CorpusFiles()) {
    SCOPED_TRACE(f.name.toStdString());
    const QList<QStringView> lines = LineTexts(f.text);
    // Line k (0-based) gets number 10 (k + 1); after every 25th line a jump to
    // a line 17 lines away (a line of code), numbered 10 (k + 1) + 5.
    QString numbered;
    QList<QPair<QString, QStringList>> targets;  // the jump's label text later, the code of its target
    const QList<CodeLine> code = CodeLines(f.text);
    QHash<int, QStringList> codeOfLine;
    for (const CodeLine& c : code) codeOfLine.insert(c.line, c.tokens);
    for (qsizetype k = 0; k < lines.size(); ++k) {
      numbered += QString::number(10 * (k + 1)) + u' ' + lines[k].toString() + u'\n';
      const qsizetype target = (k + 17) % lines.size();
      if (k % 25 == 24 && codeOfLine.contains(int(target) + 1) && !(target == 0 && lines[0].startsWith(u"#!"))) {
        numbered += QString::number(10 * (k + 1) + 5) + u" GOTO "_qs + QString::number(10 * (target + 1)) + u'\n';
        targets.append({QString(), codeOfLine.value(int(target) + 1)});
      }
    }
    const QString result = LineNumbersToLabels(numbered, QStringLiteral("_LBL"), keywords);
    const QList<CodeLine> out = CodeLines(result);
    QHash<QString, int> defined;  // upper-case label -> index in `out`
    QList<QStringList> kept;
    int jump = 0;
    QList<QPair<QString, QStringList>> seen;
    for (int i = 0; i < out.size(); ++i) {
      const QStringList& t = out[i].tokens;
      if (isLabelLine(t)) {
        EXPECT_FALSE(defined.contains(t[0].toUpper())) << "a second label " << t[0].toStdString();
        defined.insert(t[0].toUpper(), i);
        continue;
      }
      if (t.size() == 2 && t[0] == u"GOTO" && t[1].startsWith(u"_LBL") && jump < targets.size()) {
        seen.append({t[1].toUpper(), targets[jump++].second});
        continue;
      }
      kept.append(t);
    }
    // The program's own label lines are label lines in the result too.
    QList<QStringList> want;
    int ownLabels = 0;
    for (const CodeLine& c : code) {
      if (isLabelLine(c.tokens)) ++ownLabels;
      else want.append(c.tokens);
    }
    EXPECT_TRUE(kept == want) << "every line keeps its code";
    EXPECT_EQ(jump, targets.size()) << "every jump became a jump to a label";
    for (const auto& [label, targetCode] : seen) {
      ASSERT_TRUE(defined.contains(label)) << label.toStdString();
      const int at = defined.value(label);
      ASSERT_LT(at + 1, out.size());
      EXPECT_EQ(out[at + 1].tokens, targetCode) << label.toStdString() << " stands before its line";
    }
    commentLabels += int(defined.size()) - ownLabels - int(seen.size());
    jumps += int(targets.size());
    ++files;
    if (HasFailure()) return;
  }
  EXPECT_GE(files, 50);
  RecordProperty("jumps", jumps);
  RecordProperty("commentLabels", commentLabels);
  std::printf("numbered corpus: %d files, %d jumps, %d comments that named their line\n", files, jumps, commentLabels);
}

TEST(ResultPath, ChangesOnlyTheFileNamesLastExtension) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"/home/u/prog.bas", "/home/u/prog_NoLN.bas"},
      {"/home/u/a.bas.d/b.bas", "/home/u/a.bas.d/b_NoLN.bas"},
      {"/home/u/a.bas.d/b", "/home/u/a.bas.d/b_NoLN"},
      {"/home/u/prog.old.bas", "/home/u/prog.old_NoLN.bas"},
      {"C:\\x.y\\prog", "C:\\x.y\\prog_NoLN"},
      {"C:\\x.y\\prog.BAS", "C:\\x.y\\prog_NoLN.BAS"},
      {"prog", "prog_NoLN"},
      {"", "_NoLN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const QString path = QString::fromUtf8(c.path);
    const QString result = ResultPath(path, QStringLiteral("_NoLN"));
    EXPECT_EQ(result, QString::fromUtf8(c.expected));
    EXPECT_NE(result, path) << "a result never takes the source's path";
  }
}

}  // namespace
}  // namespace vendle::test
