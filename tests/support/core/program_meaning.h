// What a program means, for the property tests of the tools that rewrite
// it: the code tokens of each line outside comments (string literals whole,
// byte for byte), with a tokenizer of the tests' own, independent of the
// editor's lexer; the line ends a text holds; the real programs to test on.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vendle::test {

// The tokens of one line of code: names (with their type suffix), numbers,
// string literals with their quotes, and every other character that is not a
// blank or a tab on its own. A comment ("'" or the word REM) ends the line.
QStringList CodeTokens(QStringView line);

// One program's code: the token lists of its lines that hold code, in order,
// with the number (1-based) of the line each came from. A first line
// starting with "#!" is a comment.
struct CodeLine {
  int line = 0;
  QStringList tokens;
  friend bool operator==(const CodeLine& a, const CodeLine& b) { return a.tokens == b.tokens; }
};
QList<CodeLine> CodeLines(QStringView text);

// The token lists alone, for comparing two programs line for line.
QList<QStringList> CodeTokenLines(QStringView text);

// The kinds of line end in `text` ("CRLF", "LF", "CR"), each once, in the
// order they first occur.
QStringList LineEndKinds(QStringView text);

// A program of the test corpus: real MMBasic programs as published.
struct CorpusFile {
  QString path;  // absolute
  QString name;  // relative to the corpus folder
  QString text;  // as read (UTF-8; the files are ASCII), LF line ends
};
QString CorpusFolder();
QList<CorpusFile> CorpusFiles();

}  // namespace vendle::test
