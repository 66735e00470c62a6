// A sample program of each shipped dialect, coloured and folded through a
// real editor with the default data files: the result must equal the golden
// files beside it (a mismatch writes <name>.styled.new / .folded.new).
#include <gtest/gtest.h>

#include <QFile>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "lexer_test_support.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

class DialectGolden : public ::testing::TestWithParam<const char*> {};

TEST_P(DialectGolden, IsColouredAndFoldedAsTheDialectExpects) {
  const QString base = QString(VENDLE_TEST_DATA_DIR) + "/editor/examples/dialects/" + GetParam();
  AppDriver d;
  OpenDocument(d.app(), base + ".bas", false);
  ASSERT_EQ(d.app().state().docs.list.current()->syntax, GetParam());
  Sci s = CurrentEditor(d.app())->sci();
  s.send(S::SCI_COLOURISE, 0, -1);
  const std::string text = s.range(0, s.length()).toStdString();
  std::vector<std::uint8_t> styles(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) styles[i] = static_cast<std::uint8_t>(s.send(S::SCI_GETSTYLEAT, i));
  std::vector<int> levels;
  for (Sci::Pos line = 0; line < s.lineCount(); ++line)
    levels.push_back(static_cast<int>(s.send(S::SCI_GETFOLDLEVEL, line)));
  ExpectGolden(base + ".bas.styled", QByteArray::fromStdString(lexer_test::StyledNotation(text, styles)));
  ExpectGolden(base + ".bas.folded", QByteArray::fromStdString(lexer_test::FoldedNotation(text, levels)));
}

INSTANTIATE_TEST_SUITE_P(Shipped, DialectGolden, ::testing::Values("picomite", "ARMmite", "ATTiny"));

}  // namespace
}  // namespace vendle::test
