// How fast the own lexer styles and folds a whole program through a real
// editor control, against Scintilla's built-in FreeBASIC lexer and against
// the floor of any container lexer (copy the range out, one style run, one
// fold level per line), all on the same text in the same run. Also the bytes
// restyled by one keystroke in the middle of a 100 000-line document.
//
//   lexer_bench [repetitions]        (default 5; the median is reported)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "platform/dispatcher.h"

using namespace vendle;
using S = QsciScintillaBase;

namespace {

// The keywords of the shipped PicoMite syntax file (one word a line, up to
// the parameter section); a short list when the file is not there.
QString Keywords() {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "resources/data/picomite.tkn";
  QFile f(QString::fromStdString(path.string()));
  QStringList words;
  if (f.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (int i = 1; i < lines.size(); ++i) {
      const QByteArray w = lines[i].trimmed();
      if (w.startsWith("***")) break;
      if (!w.isEmpty() && w != "?") words << QString::fromLatin1(w);
    }
  }
  if (words.size() < 50)
    words = QString("PRINT IF THEN ELSE ELSEIF ENDIF END EXIT LOOP DO UNTIL WHILE FOR TO STEP NEXT LOCAL DIM AS "
                    "INTEGER FLOAT STRING GOTO GOSUB RETURN SUB FUNCTION CSUB CONST PIN SETPIN PAUSE OPEN CLOSE "
                    "INPUT LINE CLS TEXT BOX CIRCLE COLOUR MID$ LEFT$ RIGHT$ LEN VAL STR$ CHR$ ASC AND OR NOT")
                .split(' ');
  return words.join(' ');
}

// A generated MMBasic program of at least `bytes` bytes (CR LF line ends):
// subs and functions with nested blocks, strings, comments, numbers, user names.
std::string Program(std::size_t bytes, unsigned seed = 1) {
  std::mt19937 rng(seed);
  auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  auto var = [&] { return "value" + std::to_string(pick(60)) + (pick(4) == 0 ? "$" : ""); };
  static const char* kStatements[] = {
      "PRINT \"Temperature: \"; temp; \" C\"",
      "SETPIN GP%d, DOUT",
      "PIN(GP%d) = 1 - PIN(GP%d)",
      "PAUSE %d",
      "TEXT 10, %d, \"Status\", \"LT\", 1, 1, RGB(WHITE)",
      "BOX 0, 0, MM.HRES - 1, %d, 1, RGB(BLUE)",
      "x = x + &H%dFF * 1.5E3 / .25",
      "LOCAL INTEGER count = %d, total",
      "' update the display every %d ms",
      "IF a > %d THEN b = 0 ELSE b = b + 1 ' one-line IF",
      "s$ = MID$(line$, %d, 3) + CHR$(13)",
      "CIRCLE 100, 100, %d, 2, , RGB(RED)",
  };
  std::string out;
  char buf[200];
  int routine = 0;
  while (out.size() < bytes) {
    const bool isSub = pick(3) != 0;
    out += std::string(isSub ? "SUB Task" : "FUNCTION Calc") + std::to_string(routine++) + "(a, b$)\r\n";
    const int blocks = 2 + pick(4);
    for (int b = 0; b < blocks; ++b) {
      const int kind = pick(3);
      const char* open = kind == 0 ? "  IF %s > %d THEN" : kind == 1 ? "  DO WHILE %s < %d" : "  FOR i = 1 TO %d";
      if (kind == 2) std::snprintf(buf, sizeof buf, open, pick(100));
      else std::snprintf(buf, sizeof buf, open, var().c_str(), pick(100));
      out += buf;
      out += "\r\n";
      const int n = 2 + pick(5);
      for (int s = 0; s < n; ++s) {
        std::snprintf(buf, sizeof buf, kStatements[pick(int(std::size(kStatements)))], pick(30), pick(30));
        out += "    ";
        out += buf;
        out += "\r\n";
        if (pick(4) == 0) out += "    " + var() + " = " + var() + " + " + std::to_string(pick(1000)) + "\r\n";
      }
      out += kind == 0 ? "  ENDIF\r\n" : kind == 1 ? "  LOOP\r\n" : "  NEXT i\r\n";
    }
    out += isSub ? "END SUB\r\n\r\n" : "END FUNCTION\r\n\r\n";
  }
  return out;
}

struct Editor {
  Dispatcher dispatcher;
  std::unique_ptr<EditorView> view;
  Sci sci() { return view->sci(); }
};

std::unique_ptr<Editor> NewEditor() {
  auto e = std::make_unique<Editor>();
  e->view = std::make_unique<EditorView>(20, e->dispatcher, nullptr);
  e->view->resize(800, 600);
  Sci s = e->sci();
  s.send(S::SCI_SETCODEPAGE, S::SC_CP_UTF8);
  // The editor is told only of text changes, as the program's editors are.
  s.send(S::SCI_SETMODEVENTMASK, S::SC_MOD_INSERTTEXT | S::SC_MOD_DELETETEXT);
  return e;
}

// The own lexer with the word map a syntax gives.
void UseOwnLexer(Editor& e, const QString& keywords) {
  EditorView& v = *e.view;
  CreateEditorLexer(v);
  LexerBurst burst(v);
  LexerAddDelimited(v, "'", "", WordToLineEnd, kStyleComment, true);
  LexerAddDelimited(v, "\"", "\"", WordDelimited, kStyleString, true);
  LexerAddWordsAndRestyle(v, keywords, kStyleKeyword, WordAutoComplete, true);
  const QString fold = "sub function csub cfunction definefont";
  LexerAddWordsAndRestyle(v, fold, kStyleKeyword, WordOpensFold, true);
  LexerAddWordsAndRestyle(v, fold, kStyleKeyword, WordClosesFold, true);
  QStringList vars, subs;
  for (int i = 0; i < 60; ++i) vars << QString("value%1").arg(i) << QString("value%1$").arg(i);
  for (int i = 0; i < 300; ++i) subs << QString("Task%1").arg(i) << QString("Calc%1").arg(i);
  LexerAddWordsAndRestyle(v, subs.join(' '), kStyleUserSub, WordAutoComplete, true);
  LexerAddWordsAndRestyle(v, vars.join(' '), kStyleUserVariable, WordAutoComplete, true);
  LexerAddWordsAndRestyle(v, "REM", kStyleComment, WordToLineEnd, true);
  LexerSetOption(v, kLexerOptionOperatorChars, QString("=+-*/\\()[],;:<>^"));
  LexerSetOption(v, kLexerOptionNumberStyle, std::int64_t{kStyleNumber});
  LexerSetOptions(v, kLexOptionsConfigured);
}

void UseBuiltInLexer(Editor& e, const QString& keywords) {
  Sci s = e.sci();
  s.sendText(S::SCI_SETLEXERLANGUAGE, 0, "freebasic");
  s.sendText(S::SCI_SETKEYWORDS, 0, keywords.toLower().toUtf8().constData());
  s.sendText(S::SCI_SETPROPERTY, reinterpret_cast<std::uintptr_t>("fold"), "1");
}

// The least any container lexer does through this control.
void UseFloor(Editor& e) {
  EditorView* v = e.view.get();
  QObject::connect(v, &S::SCN_STYLENEEDED, v, [v](int position) {
    Sci s = v->sci();
    const Sci::Pos start = s.positionFromLine(s.lineFromPosition(s.send(S::SCI_GETENDSTYLED)));
    const Sci::Pos first = s.lineFromPosition(start);
    const Sci::Pos last = s.lineFromPosition(position);
    const Sci::Pos end = last + 1 >= s.lineCount() ? s.length() : s.positionFromLine(last + 1);
    const QByteArray text = s.range(start, end);
    static std::vector<std::uint8_t> styles;
    styles.assign(std::size_t(text.size()), kStyleDefault);
    s.send(S::SCI_STARTSTYLING, start, 0);
    s.sendPtr(S::SCI_SETSTYLINGEX, styles.size(), styles.data());
    for (Sci::Pos line = first; line <= last; ++line) s.send(S::SCI_SETFOLDLEVEL, line, kFoldBase);
  });
}

void SetText(Editor& e, const std::string& text) {
  e.sci().send(S::SCI_CLEARALL);
  e.sci().sendPtr(S::SCI_APPENDTEXT, text.size(), text.data());
}

// Median seconds of styling and folding the whole text once, from a fresh load.
double Measure(Editor& e, const std::string& text, int reps) {
  std::vector<double> times;
  for (int r = 0; r < reps; ++r) {
    SetText(e, text);
    QElapsedTimer clock;
    clock.start();
    e.sci().send(S::SCI_COLOURISE, 0, -1);
    times.push_back(double(clock.nsecsElapsed()) / 1e9);
    if (e.sci().send(S::SCI_GETENDSTYLED) != e.sci().length()) std::fprintf(stderr, "styling stopped short\n");
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Compare(const char* label, std::size_t bytes, int reps, const QString& keywords) {
  const std::string text = Program(bytes);
  auto own = NewEditor(), builtIn = NewEditor(), floor = NewEditor();
  UseOwnLexer(*own, keywords);
  UseBuiltInLexer(*builtIn, keywords);
  UseFloor(*floor);
  const double mb = double(text.size()) / 1e6;
  // Interleaved, so a slower moment of the machine hits all three alike.
  const double tOwn = Measure(*own, text, reps);
  const double tBuiltIn = Measure(*builtIn, text, reps);
  const double tFloor = Measure(*floor, text, reps);
  const double sOwn = mb / tOwn, sBuiltIn = mb / tBuiltIn, sFloor = mb / tFloor;
  std::printf("%s program: %.2f MB, %lld lines\n", label, mb, static_cast<long long>(own->sci().lineCount()));
  std::printf("  own lexer        %8.1f MB/s  (%.1f ms)\n", sOwn, tOwn * 1e3);
  std::printf("  built-in lexer   %8.1f MB/s  (%.1f ms)\n", sBuiltIn, tBuiltIn * 1e3);
  std::printf("  floor            %8.1f MB/s  (%.1f ms)\n", sFloor, tFloor * 1e3);
  std::printf("  own / built-in   %8.2f x    (goal >= 3)\n", sOwn / sBuiltIn);
  std::printf("  own / floor      %8.2f      (goal >= 0.5)\n", sOwn / sFloor);
}

// One typed character in the middle of a shown 100 000-line document.
void Keystroke(const QString& keywords) {
  std::string text = Program(5'000'000);
  std::size_t lines = 0, cut = 0;
  while (cut < text.size() && lines < 100'000) {
    cut = text.find('\n', cut) + 1;
    if (cut == 0) break;
    ++lines;
  }
  text.resize(cut);
  auto e = NewEditor();
  UseOwnLexer(*e, keywords);
  SetText(*e, text);
  e->view->show();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  Sci s = e->sci();
  s.send(S::SCI_COLOURISE, 0, -1);
  const Sci::Pos middle = s.lineCount() / 2;
  s.send(S::SCI_SETFIRSTVISIBLELINE, middle - 10);
  s.send(S::SCI_GOTOPOS, s.lineEndPosition(middle));
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EditorLexer* lexer = LexerOf(*e->view);
  lexer->resetStats();
  s.sendText(S::SCI_ADDTEXT, 1, "x");
  for (int i = 0; i < 5; ++i) QApplication::processEvents();  // the paint that follows the keystroke
  const auto st = lexer->stats();
  std::printf("keystroke at line %lld of %lld (view of %lld lines): restyled %lld bytes in %lld lines, %lld requests\n",
              static_cast<long long>(middle), static_cast<long long>(s.lineCount()),
              static_cast<long long>(s.send(S::SCI_LINESONSCREEN)), st.bytes, st.lines, st.requests);
  // A keystroke that changes the folds: the line becomes a block header.
  lexer->resetStats();
  s.sendText(S::SCI_INSERTTEXT, s.positionFromLine(middle), "sub ");
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const auto fold = lexer->stats();
  std::printf("keystroke that opens a block there: restyled %lld bytes in %lld lines, %lld requests\n", fold.bytes,
              fold.lines, fold.requests);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const QString keywords = Keywords();
  std::printf("keywords: %lld\n", static_cast<long long>(keywords.count(' ') + 1));
  Compare("10 MB", 10'000'000, reps, keywords);
  Compare("1 MB", 1'000'000, reps * 3, keywords);
  Keystroke(keywords);
  return 0;
}
