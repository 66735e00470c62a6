// The names a line of an MMBasic program declares: the one parser behind the
// user names of the editor (the variables coloured when a syntax is applied,
// and the names registered when Return finishes a line). Pure; texts are
// UTF-16, names as written in the program, type suffixes ("$", "!", "%")
// kept.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vendle {

enum class DeclarationKind {
  None,       // no declaration
  Label,      // the first word ends with ":"
  Variables,  // DIM, LOCAL, STATIC or CONST
  Routine,    // SUB, FUNCTION, CSUB, CFUNCTION or DEFINEFONT
};

struct LineDeclarations {
  DeclarationKind kind = DeclarationKind::None;
  QString name;           // the label or routine name; empty when the line names none
  QStringList variables;  // declared variables or parameters, in order, each once
};

// Analyses one line (tabs count as blanks; surrounding blanks and a final
// CR are ignored; letter case of the keywords is ignored).
// - A first word ending with ":" is a label: nothing else is read.
// - After DIM, LOCAL, STATIC or CONST the rest of the line is the list.
// - After SUB, FUNCTION, CSUB, CFUNCTION or DEFINEFONT the routine name is the
//   second word up to its first "("; the list is what follows the name
//   (one leading "(" dropped).
// The list loses its quoted strings and everything from its first "'"; it
// is split at the commas outside brackets; of the first 21 items each gives
// the word before any "=", "(", "/", "*", "+", "-", with the type words
// INTEGER, FLOAT, STRING, AS and LENGTH (and what follows LENGTH) skipped.
// An empty item ends the list; an item that starts with a digit is no name.
LineDeclarations ParseDeclarationLine(QStringView line);

// The variables declared anywhere in `text` (lines split at LF), in order of
// first declaration, each once (compared without regard to case; the first
// spelling is kept).
QStringList CollectDeclaredVariables(QStringView text);

// The same as a word list " a b$ c " (one blank first and after each
// name; " " when there are none): the form the user variable lists keep.
QString DeclaredVariablesText(QStringView text);

}  // namespace vendle
