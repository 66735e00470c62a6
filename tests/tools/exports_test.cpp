// The exporters on styled text: every format's mark-up, byte for byte.
#include <gtest/gtest.h>

#include <QString>

#include "tools/exports.h"
#include "tools/print_layout.h"

namespace vendle {
namespace {

// Styles written one letter per character: K keyword, c comment, s string,
// n number, v user variable, u user sub, . default (32), 0 plain, x style 7.
QByteArray Styles(const char* letters) {
  QByteArray out;
  for (const char* p = letters; *p; ++p) {
    switch (*p) {
      case 'K': out += char(1); break;
      case 'c': out += char(2); break;
      case 's': out += char(3); break;
      case 'n': out += char(4); break;
      case 'v': out += char(5); break;
      case 'u': out += char(6); break;
      case 'x': out += char(7); break;
      case '0': out += char(0); break;
      default: out += char(32); break;
    }
  }
  return out;
}

StyledLine L(const QString& text, const char* styles) {
  StyledLine l{text, Styles(styles)};
  EXPECT_EQ(l.text.size(), l.styles.size()) << text.toStdString();
  return l;
}

const QString kHtmlHead = QStringLiteral("<P><font face=\"Courier New\" size=\"2\">\r");
const QString kColourHead = QStringLiteral("<P><font face=\"Courier New\" size=\"2\"><font color=\"#000000\">\r");
const QString kForumHead = QStringLiteral("[QUOTE][FONT=Courier][COLOR=BLACK]");
const QString kForumTail = QStringLiteral("[/COLOR][/FONT][/QUOTE]\r\n");
QString Sw(const char* colour) { return QStringLiteral("[/COLOR][COLOR=") + colour + u']'; }
QString Font(const char* colour) { return QStringLiteral("</font><font color=\"") + colour + QStringLiteral("\">"); }

TEST(Exports, ForumCode) {
  struct Case {
    const char* what;
    QList<StyledLine> lines;
    int mode;
    QString expected;
  };
  const Case cases[] = {
      {"two lines without a final line end and the line past the end",
       {L("l1", ".."), L("l2", ".."), L("", "")}, 0, "[CODE]l1\rl2\r[/CODE]\r\n"},
      {"capitalised keywords", {L("PRINT x", "KKKKK.v")}, 3, "[CODE]Print x[/CODE]\r\n"},
      {"a keyword at a line start after one at the line end before", {L("END", "KKK"), L("PRINT", "KKKKK")}, 3,
       "[CODE]End\rPrint[/CODE]\r\n"},
      {"upper", {L("print \"print\"", "KKKKK.sssssss")}, 1, "[CODE]PRINT \"print\"[/CODE]\r\n"},
      {"lower", {L("PRINT", "KKKKK")}, 2, "[CODE]print[/CODE]\r\n"},
      {"as typed, nothing escaped", {L("PrInT [b] \\ /", "KKKKK........")}, 0, "[CODE]PrInT [b] \\ /[/CODE]\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(ForumCode(c.lines, c.mode), c.expected) << c.what;
}

TEST(Exports, ForumColourCode) {
  struct Case {
    const char* what;
    QList<StyledLine> lines;
    int mode;
    QString body;
  };
  const Case cases[] = {
      {"keyword, blank, number", {L("PRINT 5", "KKKKK.n")}, 0,
       Sw("BLUE") + "PRINT" + Sw("BLACK") + "&nbsp;" + Sw("RED") + "5"},
      {"two keywords", {L("IF THEN", "KK.KKKK")}, 3, Sw("BLUE") + "If" + Sw("BLACK") + "&nbsp;" + Sw("BLUE") + "Then"},
      {"styles 0, 5, 6, 7 and 32 are all black", {L("a b c d e", "0.v.u.x.0")}, 0, "a&nbsp;b&nbsp;c&nbsp;d&nbsp;e"},
      {"escapes", {L("'\\/[]", "ccccc")}, 0, Sw("BROWN") + "'&#92;&#47;&#91;&#93;"},
      {"the colour carries over the line join", {L("\"a", "ss"), L("b\"", "ss")}, 0, Sw("GREEN") + "\"a\rb\""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ForumColourCode(c.lines, c.mode), kForumHead + c.body + kForumTail) << c.what;
}

TEST(Exports, PlainHtml) {
  struct Case {
    const char* what;
    QList<StyledLine> lines;
    QString body;
  };
  const Case cases[] = {
      {"four blanks alternate", {L("a    b", "......")}, "a &nbsp; &nbsp;b"},
      {"a leading blank stays a blank", {L(" x", ".."), L("  y", "...")}, " x<BR>\r &nbsp;y"},
      {"every escape", {L("&@%!$<>'#\\/[]", ".............")},
       "&amp;&#64;&#37;&#33;&#36;&lt;&gt;&#39;&#35;&#92;&#47;&#91;&#93;"},
      {"no recasing, a tab and non-ASCII as they are", {L("print\t\u00e9\U0001F600", "KKKKK....")},
       "print\t\u00e9\U0001F600"},
      {"the line past the end gives the last <BR>", {L("a", "."), L("", "")}, "a<BR>\r"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlainHtml(c.lines), kHtmlHead + c.body + QStringLiteral("</font></P>\r\n")) << c.what;
}

TEST(Exports, ColourHtml) {
  struct Case {
    const char* what;
    QList<StyledLine> lines;
    int mode;
    QString body;
  };
  const Case cases[] = {
      {"capitalised is upper here", {L("print 5", "KKKKK.n")}, 3,
       Font("#0000FF") + "PRINT" + Font("#000000") + " " + Font("#FF0000") + "5"},
      {"style 0 keeps the colour before it", {L("5+1", "n0n")}, 0, Font("#FF0000") + "5+1"},
      {"the first default character writes its switch", {L("a", ".")}, 0, Font("#000000") + "a"},
      {"variables and style 7 share a colour; subs are brown", {L("ab c", "vx.u")}, 0,
       Font("#FF00FF") + "ab" + Font("#000000") + " " + Font("#964B00") + "c"},
      {"lower, and blanks alternate across a colour switch", {L("X   REM", "v...ccc")}, 2,
       Font("#FF00FF") + "X" + Font("#000000") + " &nbsp; " + Font("#808080") + "REM"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ColourHtml(c.lines, c.mode), kColourHead + c.body + QStringLiteral("</font></font></P>\r\n")) << c.what;
}

QByteArray RtfBody(const QString& text, const char* styles, bool numbers, int mode = 0) {
  RtfOptions o;
  o.lineNumbers = numbers;
  o.caseMode = mode;
  const QByteArray all = RtfDocument(text, Styles(styles), o);
  const QByteArray headEnd = "\\fs16 \r\n";
  const qsizetype at = all.indexOf(headEnd);
  EXPECT_GE(at, 0);
  EXPECT_TRUE(all.endsWith("}\r\n"));
  return all.mid(at + headEnd.size(), all.size() - at - headEnd.size() - 3);
}

TEST(Exports, RtfBody) {
  struct Case {
    const char* what;
    QString text;
    const char* styles;
    bool numbers;
    int mode;
    QByteArray body;
  };
  const Case cases[] = {
      {"LF without numbers keeps the raw LF", "A\nB", "...", false, 0, "A\r\n\\line \nB"},
      {"CR LF is one line end", "A\r\nB", "....", false, 0, "A\r\n\\line \nB"},
      {"a lone CR ends a line", "A\rB", "...", false, 0, "A\r\n\\line \nB"},
      {"numbers right-aligned in six", "A\nB", "...", true, 0, "     1 A\r\n\\line      2 B"},
      {"a comment on after a number gets its colour back", "' a\n' b", "ccccccc", true, 0,
       "     1 \\cf2 ' a\r\n\\line \\cf1      2 \\cf2 ' b"},
      {"colours by style", "IF x=\"s\" THEN 5 ' c", "KK.v0sss.KKKK.n.ccc", false, 0,
       "\\cf4 IF\\cf1  x=\\cf5 \"s\"\\cf1  \\cf4 THEN\\cf1  \\cf3 5\\cf1  \\cf2 ' c"},
      {"the specials and non-ASCII", "{\\}\u00e9\u20ac\u03a9\U0001F600", "........", false, 0,
       "\\'7b\\'5c\\'7d\\'e9\\'80\\u937?\\u-10179?\\u-8704?"},
      {"capitalised, fresh at a line start", "END\nPRINT", "KKK.KKKKK", false, 3, "\\cf4 End\\cf1 \r\n\\line \n\\cf4 Print"},
      {"empty text", "", "", true, 0, "     1 "},
  };
  for (const Case& c : cases) EXPECT_EQ(RtfBody(c.text, c.styles, c.numbers, c.mode), c.body) << c.what;
}

TEST(Exports, RtfHeader) {
  RtfOptions o;
  o.path = QStringLiteral("C:\\a\\b{1}\u00e9.rtf");
  o.fontSize = QStringLiteral("fs20");
  const QByteArray rtf = RtfDocument(QString(), QByteArray(), o);
  EXPECT_EQ(rtf,
            "{\\rtf1\\ansi\\deff0 {\\fonttbl {\\f0\\fmodern Courier;}}\r\n"
            "{\\colortbl;\\red0\\green0\\blue0;\\red127\\green127\\blue127;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
            "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green255\\blue255;}\r\n"
            "{\\header \\pard\\qc\\plain\\f0\\fs20\\cf1\\i { C:\\'5ca\\'5cb\\'7b1\\'7d\\'e9.rtf   page \\chpgn}\\line\\par}\r\n"
            "\\margl720\\margr720\\margt720\\margb720\\cf1\\cb7\\fs20 \r\n"
            "}\r\n");
}

TEST(Exports, DecodesTheEditorsBytesWithTheirStyles) {
  // "é" (2 bytes), an emoji (4 bytes, two UTF-16 units), a stray byte.
  const QByteArray bytes = "a\xc3\xa9\xf0\x9f\x98\x80\xff" "b";
  const QByteArray styles("\x01\x03\x03\x02\x02\x02\x02\x04\x05", 9);
  const StyledText t = DecodeStyledUtf8(bytes, styles);
  EXPECT_EQ(t.text, QStringLiteral("a\u00e9\U0001F600\uFFFDb"));
  EXPECT_EQ(t.styles, QByteArray("\x01\x03\x02\x02\x04\x05", 6));
}

TEST(PrintLayout, DatesAndHeaders) {
  EXPECT_EQ(FormatPrintDate(QDate(2027, 3, 1)), "1 MAR 2027");
  EXPECT_EQ(FormatPrintDate(QDate(2026, 12, 9)), "9 DEC 2026");
  const auto width = [](const QString& t) { return static_cast<int>(t.size()) * 10; };
  // "name" + date (12) + page (11) + "00000": 4 + 12 + 11 + 5 = 32 characters.
  struct Case {
    const char* name;
    int available;
    const char* fitted;
  };
  const Case cases[] = {
      {"name", 320, "name"},
      {"name", 300, "n"},             // 20 px over: 2 "O"s and one more
      {"name", 100, ""},              // a cut below nothing is nothing, not the whole name
      {"a_long_file_name.bas", 400, "a_long_file"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitHeaderName(c.name, "9 DEC 2026  ", "     Page: ", c.available, width), c.fitted) << c.name;

  PrintOptions o;
  const PrintHeader h = MakePrintHeader(o, "/home/u/prog.bas", QDate(2026, 12, 9), 10000, width);
  EXPECT_EQ(h.text(), "9 DEC 2026     prog.bas     Page: ");
  o.headerDate = o.headerFileName = false;
  EXPECT_TRUE(MakePrintHeader(o, "x.bas", QDate(2026, 12, 9), 10000, width).text().isEmpty());

  EXPECT_EQ(HeaderX(1000, 301, 50, 50), 299);
  EXPECT_EQ(HeaderX(100, 301, 50, 50), -150);  // truncated toward zero
}

TEST(PrintLayout, TextRectangle) {
  PrintOptions o;  // margins 200, 50, 50, 200
  EXPECT_EQ(TextRect(1000, 2000, o, 40), QRect(QPoint(50, 240), QPoint(899, 1759)));
  EXPECT_TRUE(TextRect(1000, 400, o, 40).isEmpty());  // the margins and the header take the page
  o.leftMargin = 600;
  EXPECT_TRUE(TextRect(1000, 2000, o, 0).isEmpty());
}

}  // namespace
}  // namespace vendle
