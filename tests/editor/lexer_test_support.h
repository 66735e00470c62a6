// Helpers of the lexer tests: the small test word map (read from
// examples/lexer_words.txt), the readable style and fold notations, and a
// generator of MMBasic programs. Texts are UTF-8 bytes in std::string.
#pragma once

#include <QFile>
#include <QString>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "editor/lexer.h"

namespace vendle::lexer_test {

inline std::string ExamplesDir() { return std::string(VENDLE_TEST_DATA_DIR) + "/editor/examples/"; }

inline std::string ReadFile(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray b = f.readAll();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

inline bool WriteFile(const std::string& path, const std::string& bytes) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// One registration of the word file: "<style> <flags> <closer> <words...>",
// flags as names joined by "|" or "0", closer "-" for none.
struct Registration {
  std::int64_t style = 0;
  std::uint64_t flags = 0;
  std::string closer;
  std::string words;
};

inline std::uint64_t ParseFlags(const std::string& text) {
  static const std::pair<const char*, std::uint64_t> kNames[] = {
      {"Delimited", WordDelimited},     {"ToLineEnd", WordToLineEnd},       {"OpensFold", WordOpensFold},
      {"ClosesFold", WordClosesFold},   {"AutoComplete", WordAutoComplete},
  };
  std::uint64_t flags = 0;
  std::stringstream in(text);
  std::string name;
  while (std::getline(in, name, '|')) {
    for (const auto& [n, f] : kNames)
      if (name == n) flags |= f;
  }
  return flags;
}

// The whole word file: "operators <chars>", "number <style>", "options <n>"
// and the registrations, in order.
struct TestWordMap {
  std::string operators;
  std::int64_t numberStyle = kStyleDefault;
  std::uint64_t options = kLexOptionsInitial;
  std::vector<Registration> registrations;
};

inline TestWordMap ReadTestWordMap() {
  TestWordMap m;
  std::stringstream in(ReadFile(ExamplesDir() + "lexer_words.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t sp = line.find(' ');
    const std::string head = line.substr(0, sp);
    const std::string rest = sp == std::string::npos ? "" : line.substr(sp + 1);
    if (head == "operators") {
      m.operators = rest;
    } else if (head == "number") {
      m.numberStyle = std::stoll(rest);
    } else if (head == "options") {
      m.options = std::stoull(rest);
    } else {
      std::stringstream fields(line);
      Registration r;
      std::string flags;
      fields >> r.style >> flags >> r.closer;
      std::getline(fields, r.words);
      r.flags = ParseFlags(flags);
      if (r.closer == "-") r.closer.clear();
      m.registrations.push_back(r);
    }
  }
  return m;
}

inline LexerTables TestTables() {
  const TestWordMap m = ReadTestWordMap();
  LexerTables t;
  t.setOperatorChars(m.operators);
  t.setNumberStyle(m.numberStyle);
  t.setOptions(m.options);
  for (const Registration& r : m.registrations) t.addDelimited(r.words, r.closer, r.flags, r.style);
  return t;
}

// "{1}PRINT{32} {3}"x"": the style before every run of bytes of one style.
inline std::string StyledNotation(const std::string& text, const std::vector<std::uint8_t>& styles) {
  std::string out;
  int last = -1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (styles[i] != last) {
      last = styles[i];
      out += "{" + std::to_string(last) + "}";
    }
    out += text[i];
  }
  return out;
}

// One line per text line: the level number, "+" on a header line, "|", the text.
inline std::string FoldedNotation(const std::string& text, const std::vector<int>& levels) {
  std::string out;
  std::size_t pos = 0;
  for (int level : levels) {
    const std::size_t len = LexerLineLength(std::string_view(text).substr(pos));
    std::string line = text.substr(pos, len);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    char head[32];
    std::snprintf(head, sizeof head, "%4d %c| ", level & kFoldNumberMask, (level & kFoldHeaderFlag) ? '+' : ' ');
    out += head + line + "\n";
    pos += len;
  }
  return out;
}

// A program built from fragments of every kind of token and block, with a
// seed, so a failure can be replayed.
inline std::string GenerateProgram(unsigned seed, std::size_t minBytes, const char* lineEnd = "\n") {
  static const char* kLines[] = {
      "SUB MySub(a, b$)",  "  LOCAL counter = &HFF + .5 * 1.5E3",  "  PRINT \"total:\"; total$ ' a comment",
      "END SUB",           "FUNCTION Area(r) AS FLOAT",            "  IF r > 0 THEN Area = 3.14 * r ^ 2",
      "  IF r < 0 THEN",   "    Area = -1 : EXIT FUNCTION",         "  ELSE",
      "  END IF",          "END FUNCTION",                         "DO",
      "  counter = counter + 1 : IF counter > 10 THEN EXIT DO",    "LOOP UNTIL counter >= 100",
      "FOR i = 1 TO 10 STEP 2", "  PRINT [nested [brackets] here], 12abc, 1.2.3", "NEXT i",
      "' only a comment, sub in it", "print \"unclosed string", "DoThing 1E-5, &o17, &B1010",
      "sub a : sub b",     "end sub : end sub",                    "CSUB Blob INTEGER",
      "  00000000 'hex words", "END CSUB",                         "",
      "   ",               "x = y",                                "Ratio! = 1 / 3",
      "DEFINEFONT #8",     "END DEFINEFONT",                       "loop sub : exit sub",
      "wörd = \"ünï\" ' ça", "end if : sub inner",                 "\t\tgoto 100",
  };
  std::mt19937 rng(seed);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLines) - 1);
  std::string out;
  while (out.size() < minBytes) {
    out += kLines[pick(rng)];
    out += lineEnd;
  }
  return out;
}

inline std::string ToCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace vendle::lexer_test
