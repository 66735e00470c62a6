// The declaration parser shared by the syntax colouring and the Return key.
#include <gtest/gtest.h>

#include "editor/declarations.h"
#include "qt_print.h"

namespace vendle {
namespace {

using K = DeclarationKind;

TEST(Declarations, LineTable) {
  struct Case {
    const char* line;
    K kind;
    const char* name;
    QStringList variables;
  };
  const Case cases[] = {
      {"DIM a(10), b$ = \"x\"", K::Variables, "", {"a", "b$"}},
      {"SUB Foo(x AS INTEGER, y$)", K::Routine, "Foo", {"x", "y$"}},
      // The name is looked for after the first word, not inside "FUNCTION".
      {"FUNCTION F(x)", K::Routine, "F", {"x"}},
      {"SUB s(a)", K::Routine, "s", {"a"}},
      {"FUNCTION N(y) AS INTEGER", K::Routine, "N", {"y"}},
      {"Sub Blink (pin, rate)", K::Routine, "Blink", {"pin", "rate"}},
      {"CSUB Mine INTEGER, FLOAT", K::Routine, "Mine", {}},
      {"cfunction Twice(a%) as integer", K::Routine, "Twice", {"a%"}},
      {"SUB", K::Routine, "", {}},
      {"SUB (x)", K::Routine, "", {"x"}},
      // LENGTH and its value are no variables.
      {"DIM s AS STRING LENGTH 10", K::Variables, "", {"s"}},
      {"LOCAL t$ LENGTH 20, u", K::Variables, "", {"t$", "u"}},
      {"DIM a AS INTEGER, b$(10), c = 5", K::Variables, "", {"a", "b$", "c"}},
      {"DIM INTEGER m, n(3)", K::Variables, "", {"m", "n"}},
      // Commas inside brackets do not split: no variable "20".
      {"DIM m(10,20), k", K::Variables, "", {"m", "k"}},
      {"LOCAL x$ = \"a,b\" ' c,d", K::Variables, "", {"x$"}},
      {"CONST max! = 3 * 2, min! = -1", K::Variables, "", {"max!", "min!"}},
      {"static total=0 : print total", K::Variables, "", {"total"}},
      {"\tDim\tq", K::Variables, "", {"q"}},
      {"DIM a, a, A", K::Variables, "", {"a"}},
      {"DIM a,, b", K::Variables, "", {"a"}},  // an empty item ends the list
      {"DIM 5, b", K::Variables, "", {"b"}},   // a number is no name
      {"DIM x = \"unclosed, y", K::Variables, "", {"x"}},
      {"loop: PRINT 1", K::Label, "loop", {}},
      {"END SUB", K::None, "", {}},
      {"PRINT DIM", K::None, "", {}},
      {"", K::None, "", {}},
      {"   \r", K::None, "", {}},
      {"DIM a\r", K::Variables, "", {"a"}},
  };
  for (const Case& c : cases) {
    const LineDeclarations d = ParseDeclarationLine(QString(c.line));
    EXPECT_EQ(d.kind, c.kind) << c.line;
    EXPECT_EQ(d.name, c.name) << c.line;
    EXPECT_EQ(d.variables, c.variables) << c.line;
  }
}

TEST(Declarations, OnlyTwentyOneItemsAreRead) {
  QStringList names;
  for (int i = 1; i <= 22; ++i) names.append(QString("v%1").arg(i));
  const LineDeclarations d = ParseDeclarationLine(QString("DIM " + names.join(", ")));
  EXPECT_EQ(d.variables, names.mid(0, 21));
}

TEST(Declarations, CollectsEveryDeclarationOnceInOrder) {
  const QString program =
      "' DIM notme\r\n"
      "DIM Count, name$\r\n"
      "SUB Show(COUNT, x)\r\n"
      "  LOCAL y\r\n"
      "  PRINT name$\r\n"
      "END SUB\n"
      "FUNCTION F(z)\n";
  EXPECT_EQ(CollectDeclaredVariables(program), QStringList({"Count", "name$", "x", "y", "z"}));
  EXPECT_EQ(DeclaredVariablesText(program), " Count name$ x y z ");
  EXPECT_EQ(DeclaredVariablesText(u"PRINT 1"), " ");
}

}  // namespace
}  // namespace vendle
