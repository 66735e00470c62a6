// The ATTiny numbering and crunch on plain text, with a keyword list of the
// tests' own (the shipped dialect file may change).
#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>

#include "editor/syntax_tkn.h"
#include "program_meaning.h"
#include "qt_print.h"
#include "tools/attiny_numbering.h"

namespace vendle::test {
namespace {

// SPEED's abbreviation ends in "P." and POKE comes after PRINT: both keep
// abbreviations of their own.
const char16_t kKeywords[] =
    u" PRINT INPUT IF THEN ELSE GOTO GOSUB RETURN FOR TO STEP NEXT REM END POKE SPEED RESTORE ";

const AtTinyDialect& Dialect() {
  static const AtTinyDialect d = AtTinyDialect::From(kKeywords, BuildAtTinyAbbreviations(kKeywords));
  return d;
}

QString Convert(const QString& text, AtTinyForm form, qint64 step = 10) {
  return ConvertAtTinyProgram(text, form, step, Dialect());
}

constexpr AtTinyForm N = AtTinyForm::Numbered;
constexpr AtTinyForm C = AtTinyForm::Crunched;

struct ConvertCase {
  const char* what;
  const char* text;
  AtTinyForm form;
  const char* expected;
  qint64 step = 10;
};

const ConvertCase kCases[] = {
    {"an empty document, numbered", "", N, "  10 \n"},
    {"an empty document, crunched", "", C, "1\n"},
    {"a lone line end is one empty line", "\n", N, "  10 \n"},
    {"the GOSUB target on the third line, numbered", "5 GOSUB 7\n6 PRINT\n7 RETURN\n", N,
     "  10 GOSUB 30\n  20 PRINT\n  30 RETURN\n"},
    {"the GOSUB target on the third line, crunched", "5 GOSUB 7\n6 PRINT\n7 RETURN\n", C, "1 GOS.3\n2 ?\n3 R.\n"},
    {"crunched back to numbered", "1 GOS.3\n2 ?\n3 R.\n", N, "  10 GOSUB 30\n  20 PRINT\n  30 RETURN\n"},
    {"a string, a comment and a REM line stay as written, numbered",
     "1 PRINT \"a. = ;  the END\";x ' goto 1. =  ;\n2 rem  Keep. = ;  GOTO 1\n", N,
     "  10 PRINT \"a. = ;  the END\";x ' goto 1. =  ;\n  20 rem  Keep. = ;  GOTO 1\n"},
    {"a string, a comment and a REM line stay as written, crunched",
     "1 PRINT \"a. = ;  the END\";x ' goto 1. =  ;\n2 rem  Keep. = ;  GOTO 1\n", C,
     "1 ?\"a. = ;  the END\";X' goto 1. =  ;\n2 REM  Keep. = ;  GOTO 1\n"},
    {"an unclosed string runs to the line end", "1 PRINT \"a  GOTO 1\n", C, "1 ?\"a  GOTO 1\n"},
    {"CR LF in, LF out, no extra line", "10 END\r\n20 END\r\n", N, "  10 END\n  20 END\n"},
    {"a lone CR ends a line", "10 END\r20 GOTO 10\r", C, "1 END\n2 G.1\n"},
    {"a number against its statement keeps the statement", "10PRINT A\n", N, "  10 PRINT A\n"},
    {"a line of only a number is a numbered empty line", "10 A=1\n20\n30 GOTO 20\n", C, "1 A=1\n2\n3 G.2\n"},
    {"a line without a number is numbered too", "PRINT\n7 GOTO 7\n", N, "  10 PRINT\n  20 GOTO 20\n"},
    {"? stands for PRINT only", "1 ?A:POKE 1,2:SPEED 3\n", C, "1 ?A:PO.1,2:SP.3\n"},
    {"abbreviations come back whole", "1 ?A:PO.1,2:SP.3:S.\n", N, "  10 PRINT A : POKE 1, 2: SPEED 3: STEP\n"},
    {"keywords are not abbreviated inside other words", "1 XEND=ENDX\n", C, "1 XEND=ENDX\n"},
    {"a dot after a number or an unknown word is a dot", "1 A=1.5:ZZ.Q\n", N, "  10 A = 1.5:ZZ. Q\n"},
    {"THEN, ELSE and RESTORE carry their targets", "5 IF A>5 THEN 6 ELSE 7\n6 RESTORE 7\n7 END\n", N,
     "  10 IF A >5 THEN 20 ELSE 30\n  20 RESTORE 30\n  30 END\n"},
    {"a colon after the target stays", "5 GOTO 6:PRINT 1\n6 END\n", N, "  10 GOTO 20: PRINT 1\n  20 END\n"},
    {"a target that is no number stays", "PRINT\n5 GOTO X\n", N, "  10 PRINT\n  20 GOTO X\n"},
    {"a dangling target stays in both forms", "5 GOTO 30\n6 END\n7 END\n", C, "1 G.30\n2 END\n3 END\n"},
    {"numbers too long for any line name none", "99999999999999999999 END\n5 GOTO 99999999999999999998\n", N,
     "  10 END\n  20 GOTO 99999999999999999998\n"},
    {"the first line of a number wins it", "5 GOTO 6\n6 END\n6 END\n", N, "  10 GOTO 20\n  20 END\n  30 END\n"},
    {"targets after the 20th field", "5 PRINT 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21:GOTO 5\n", N,
     "  10 PRINT 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21: GOTO 10\n"},
    {"a step below 1 acts as 10", "1 GOTO 2\n2 END\n", N, "  10 GOTO 20\n  20 END\n", 0},
    {"another step", "1 GOTO 2\n2 END\n", N, "   5 GOTO 10\n  10 END\n", 5},
    {"numbers of five digits are written whole", "1 GOTO 2\n2 END\n", N, "5000 GOTO 10000\n10000 END\n", 5000},
    {"non-ASCII text in strings and comments", "1 PRINT \"Grüße €\" ' naïve\n", C,
     "1 ?\"Grüße €\"' naïve\n"},
    {"no blank before ; after a string", "1 PRINT \"A\" ; B\n", N, "  10 PRINT \"A\"; B\n"},
    {"THEN GOTO keeps its target", "1 IF A=1 THEN GOTO 1\n", C, "1 IFA=1T.G.1\n"},
    {"REM after a target", "1 GOTO 1 REM x  y\n", C, "1 G.1REM x  y\n"},
    {"a script's first line stays, numbered", "#!/usr/local/bin/mmbasic\n5 GOTO 5\n", N,
     "#!/usr/local/bin/mmbasic\n  10 GOTO 10\n"},
    {"a script's first line stays, crunched", "#!/usr/local/bin/mmbasic\r\n  10 GOTO 10\r\n", C,
     "#!/usr/local/bin/mmbasic\n1 G.1\n"},
};

TEST(AtTinyNumbering, ConvertsEachLineToTheForm) {
  for (const ConvertCase& c : kCases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Convert(QString::fromUtf8(c.text), c.form, c.step), QString::fromUtf8(c.expected));
  }
}

// Numbered, crunched and numbered again gives the numbered text back, and
// crunching again the crunched one: no line, jump, string or comment lost.
TEST(AtTinyNumbering, NumberedCrunchedNumberedIsAFixedPoint) {
  const QString program = QStringLiteral(
      "10 REM Blink  the LED. = ;\r\n"
      "20 FOR I=1 TO 10 STEP 2\r\n"
      "\r\n"
      "30 PRINT \"I =  \";I ' show. it\r\n"
      "40 IF I>5 THEN 70 ELSE 50\r\n"
      "50 GOSUB 90:PRINT \"back\"\r\n"
      "60 GOTO 999\r\n"
      "70 NEXT I\r\n"
      "75\r\n"
      "80 INPUT \"Speed\";S:SPEED S:POKE 1,2\r\n"
      "90 RESTORE 100\r\n"
      "100 RETURN\r\n");
  const QString numbered = Convert(program, N);
  const QString crunched = Convert(numbered, C);
  EXPECT_EQ(Convert(crunched, N), numbered);
  EXPECT_EQ(Convert(Convert(crunched, N), C), crunched);
  EXPECT_EQ(numbered.count(u'\n'), 12);
  EXPECT_EQ(crunched,
            "1 REM Blink  the LED. = ;\n"
            "2 F.I=1TO10S.2\n"
            "3\n"
            "4 ?\"I =  \";I' show. it\n"
            "5 IFI>5T.8E.6\n"
            "6 GOS.11:?\"back\"\n"
            "7 G.999\n"
            "8 N.I\n"
            "9\n"
            "10 I.\"Speed\";S:SP.S:PO.1,2\n"
            "11 RES.12\n"
            "12 R.\n");
}

// Programs as users type them: names before keywords ("IF A > B THEN 40",
// "PRINT THE END"), keywords after digits, operators and strings, any
// blanks or none between the tokens, jumps to lines that exist.
// The program as typed, and its twin in upper case outside strings and
// comments (the case the crunched form writes).
struct TypedProgram {
  QString upper, typed;
};
TypedProgram RandomAtTinyProgram(QRandomGenerator& rng, const QStringList& keywords, bool lowerCase) {
  const QStringList names = {u"A"_qs, u"B"_qs, u"I"_qs, u"THE"_qs, u"AB"_qs, u"X1"_qs, u"TOP"_qs, u"ST"_qs};
  const QStringList operators = {u"="_qs, u">"_qs, u"<"_qs, u"+"_qs, u"-"_qs, u"*"_qs, u"/"_qs, u";"_qs,
                                 u":"_qs, u","_qs, u"("_qs, u")"_qs, u"<>"_qs, u">="_qs};
  const int lines = 2 + static_cast<int>(rng.bounded(12));
  TypedProgram program;
  for (int line = 1; line <= lines; ++line) {
    QStringList tokens;
    const int count = 1 + static_cast<int>(rng.bounded(9));
    for (int t = 0; t < count; ++t) {
      switch (rng.bounded(6)) {
        case 0: tokens << keywords[static_cast<int>(rng.bounded(keywords.size()))]; break;
        case 1: tokens << names[static_cast<int>(rng.bounded(names.size()))]; break;
        // Numbers name lines that exist: a jump to no line may name one of
        // the crunched form's lines, which no conversion can tell apart.
        case 2: tokens << QString::number(10 * (1 + rng.bounded(lines))); break;
        case 3: tokens << operators[static_cast<int>(rng.bounded(operators.size()))]; break;
        case 4: tokens << (rng.bounded(2) ? u"\"a. b\""_qs : u"\"x=1 ; GOTO 2\""_qs); break;
        default:
          tokens << (rng.bounded(2) ? u"GOTO"_qs : u"THEN"_qs) << QString::number(10 * (1 + rng.bounded(lines)));
          break;
      }
    }
    QString upper, typed;
    bool remark = false;  // the text after REM stays as typed
    for (const QString& token : tokens) {
      const QString blanks(static_cast<int>(rng.bounded(3)), u' ');
      if (!upper.isEmpty()) {
        upper += blanks;
        typed += blanks;
      }
      upper += token;
      typed += lowerCase && !remark && !token.startsWith(u'"') ? token.toLower() : token;
      remark = remark || token == u"REM";
    }
    // A comment runs to the line end; anything may stand in it.
    if (rng.bounded(5) == 0) {
      upper += u" ' c. =  ;x"_qs;
      typed += u" ' c. =  ;x"_qs;
    }
    const QString number = QString::number(10 * line) + u' ';
    program.upper += number + upper + u'\n';
    program.typed += number + typed + u'\n';
  }
  return program;
}

// The keyword list of the dialect file the program ships.
QString ShippedAtTinyKeywords() {
  QFile f(QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/ATTiny.tkn"));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return LastTknSection(ParseTknFile(QStringLiteral("ATTiny"), f.readAll()));
}

QStringList WordsOf(const QString& list) { return list.split(u' ', Qt::SkipEmptyParts); }

// Numbered, crunched and numbered again gives the first numbered form back,
// for the tests' dialect and the shipped one: no keyword run into the name
// before it, no jump target lost.
TEST(AtTinyNumbering, TheRoundTripHoldsOnProgramsWithKeywordsAfterNames) {
  const QString shippedList = ShippedAtTinyKeywords();
  ASSERT_FALSE(shippedList.trimmed().isEmpty());
  const AtTinyDialect shippedDialect = AtTinyDialect::From(shippedList, BuildAtTinyAbbreviations(shippedList));
  struct Case {
    const char* name;
    const AtTinyDialect* dialect;
    QStringList keywords;
  };
  const Case dialects[] = {{"tests", &Dialect(), WordsOf(QString::fromUtf16(kKeywords))},
                              {"shipped", &shippedDialect, WordsOf(shippedList)}};
  // The cases of the faults as users met them, then generated ones.
  const char* const known[] = {
      "10 IF A > B THEN 40\n20 PRINT THE END\n30 FOR I = A TO B STEP 2\n40 NEXT I\n",
      "10 IF A>B THEN 10\n20 PRINT A B\n30 PRINT 40 A > 1\n40 GOSUB 10: RETURN\n",
  };
  QRandomGenerator rng(2812);
  for (const Case& d : dialects) {
    SCOPED_TRACE(d.name);
    std::vector<TypedProgram> programs;
    for (const char* k : known) programs.push_back({QString::fromUtf8(k), QString::fromUtf8(k)});
    for (int i = 0; i < 400; ++i) programs.push_back(RandomAtTinyProgram(rng, d.keywords, i % 4 == 3));
    for (const TypedProgram& program : programs) {
      SCOPED_TRACE(program.typed.toStdString());
      const QString numbered = ConvertAtTinyProgram(program.typed, N, 10, *d.dialect);
      const QString crunched = ConvertAtTinyProgram(numbered, C, 10, *d.dialect);
      const QString again = ConvertAtTinyProgram(crunched, N, 10, *d.dialect);
      SCOPED_TRACE(crunched.toStdString());
      EXPECT_EQ(again, ConvertAtTinyProgram(program.upper, N, 10, *d.dialect));
      if (program.typed == program.upper) {
        EXPECT_EQ(again, numbered);
      }
      EXPECT_EQ(ConvertAtTinyProgram(again, C, 10, *d.dialect), crunched);
      if (HasFailure()) return;
    }
  }
}

// Real programs (of another dialect, with long names before keywords) as
// well: numbered, crunched and numbered again gives the numbered form back,
// in upper case where the crunched form wrote it so.
TEST(AtTinyNumbering, TheRoundTripHoldsOnCorpusPrograms) {
  const QString list = ShippedAtTinyKeywords();
  ASSERT_FALSE(list.trimmed().isEmpty());
  const AtTinyDialect d = AtTinyDialect::From(list, BuildAtTinyAbbreviations(list));
  int files = 0;
  for (const CorpusFile& f : CorpusFiles()) {
    SCOPED_TRACE(f.name.toStdString());
    const QString numbered = ConvertAtTinyProgram(f.text, N, 10, d);
    const QString crunched = ConvertAtTinyProgram(numbered, C, 10, d);
    const QString again = ConvertAtTinyProgram(crunched, N, 10, d);
    EXPECT_EQ(again.count(u'\n'), numbered.count(u'\n'));
    if (again.toUpper() != numbered.toUpper()) {
      const QStringList a = again.toUpper().split(u'\n'), b = numbered.toUpper().split(u'\n');
      for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) {
          ADD_FAILURE() << "line " << i + 1 << "\n got: " << a[i].toStdString() << "\nwant: " << b[i].toStdString();
          break;
        }
    }
    EXPECT_EQ(ConvertAtTinyProgram(again, C, 10, d), crunched);
    ++files;
    if (HasFailure()) return;
  }
  EXPECT_GE(files, 50);
}

TEST(AtTinyNumbering, NextLineNumber) {
  struct Case {
    const char* line;
    qint64 step;
    const char* expected;
  };
  const Case cases[] = {
      {"0", 10, "  10 "},       {"9995 PRINT", 10, "10005 "}, {"PRINT A", 10, "  10 "},
      {"  30 GOTO 5", 10, "  40 "}, {"7 X", 0, "  17 "},   {"7 X", -3, "  17 "},
      {"15 PRINT", 5, "  20 "}, {"13 A", 7, "  20 "},      {"10PRINT", 1, "  11 "},
      {"$10 GOTO 5", 20, "  20 "}, {"", 1, "   1 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(NextAtTinyLineNumber(QString::fromUtf8(c.line), c.step), QString::fromUtf8(c.expected));
  }
}

}  // namespace
}  // namespace vendle::test
