// Value forms of the preference file and the desktop rule.
#include "settings/value_forms.h"

#include <gtest/gtest.h>

#include <climits>

#include "qt_print.h"
#include "settings/desktop.h"
#include "settings/preference_edits.h"

namespace vendle {

void PrintTo(const WindowRect& r, std::ostream* os) {
  *os << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}";
}

namespace {

TEST(ValueForms, ColourText) {
  const struct {
    std::uint32_t colour;
    const char* hex;
    const char* stored;
  } cases[] = {
      {0x000000, "$000000", "$000000"}, {0xFF0000, "$FF0000", "$FF0000"}, {0x00004B96, "$004B96", "$004B96"},
      {0x0ABCDEF, "$ABCDEF", "$ABCDEF"}, {0x1234567, "$234567", "$234567"}, {0xFFFFFFFF, "$FFFFFF", "-1"},
      {0xFFFFFFFE, "$FFFFFE", "$FFFFFE"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatColourHex(c.colour), QString::fromLatin1(c.hex)) << c.hex;
    EXPECT_EQ(ColourValueText(c.colour), QString::fromLatin1(c.stored)) << c.hex;
  }
}

TEST(ValueForms, ProgramEntries) {
  const struct {
    const char* text;
    ExternalProgramEntry entry;
  } cases[] = {
      {"A|f|p|q|2", {"A", "f", "p", "q", 2}},
      {"A|f", {"A", "f", "", "", 0}},
      {"A", {"A", "", "", "", 0}},
      {"A|f|p|q", {"A", "f", "p", "q", 0}},
      {"A|f|p|q|x", {"A", "f", "p", "q", 0}},
      {"A|f|p|a | b|3", {"A", "f", "p", "a | b", 3}},
      {"A|f|p|a|b|c|9", {"A", "f", "p", "a|b|c", 9}},
      {"|||| 12", {"", "", "", "", 12}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseProgramEntry(QString::fromUtf8(c.text)), c.entry) << c.text;
  for (const ExternalProgramEntry& e : {ExternalProgramEntry{"A", "f", "p", "x | y", 7},
                                        ExternalProgramEntry{"Run", "'%baspath%'", "'%vdlpath%MMBasic.exe'", "", 0}})
    EXPECT_EQ(ParseProgramEntry(FormatProgramEntry(e)), e);
}

// The settings window shows size + "pt,  " + face; one or three digits must
// not shift the face name.
TEST(ValueForms, FontField) {
  const struct {
    const char* text;
    int size;
    const char* name;
  } cases[] = {
      {"12pt,  Courier New", 12, "Courier New"}, {"9pt,  Courier New", 9, "Courier New"},
      {"100pt,  DejaVu Sans Mono", 100, "DejaVu Sans Mono"}, {"  14pt,Mono  ", 14, "Mono"},
      {"Courier New", 0, ""}, {"", 0, ""}, {"99999999999pt, X", INT_MAX, "X"},
  };
  for (const auto& c : cases) {
    const FontField f = ParseFontField(QString::fromUtf8(c.text));
    EXPECT_EQ(f.size, c.size) << c.text;
    EXPECT_EQ(f.name, QString::fromUtf8(c.name)) << c.text;
  }
  EXPECT_EQ(FormatFontField(9, QStringLiteral("Courier New")), QStringLiteral("9pt,  Courier New"));
}

TEST(ValueForms, Minutes) {
  const struct {
    qint64 minutes;
    int seconds;
    int back;
  } cases[] = {{7, 420, 7}, {0, 0, 0}, {-2, -120, -2}, {30, 1800, 30}, {qint64(INT_MAX), INT_MAX, INT_MAX / 60},
               {LLONG_MAX, INT_MAX, INT_MAX / 60}, {LLONG_MIN, INT_MIN, INT_MIN / 60}};
  for (const auto& c : cases) {
    EXPECT_EQ(MinutesToSeconds(c.minutes), c.seconds) << c.minutes;
    EXPECT_EQ(SecondsToMinutes(c.seconds), c.back) << c.minutes;
  }
  EXPECT_EQ(SecondsToMinutes(450), 7);
}

TEST(Desktop, KeepOnDesktop) {
  const Desktop one{{{0, 0, 1000, 800}}};
  const Desktop right{{{0, 0, 1000, 800}, {1000, 0, 500, 400}}};
  const Desktop left{{{0, 0, 1000, 800}, {-500, 0, 500, 400}}};
  const struct {
    const char* name;
    Desktop d;
    WindowRect in, out;
  } cases[] = {
      {"one: inside", one, {100, 100, 400, 300}, {100, 100, 400, 300}},
      {"one: at the edge - 49", one, {951, 0, 400, 300}, {900, 0, 400, 300}},
      {"one: just inside", one, {950, 0, 400, 300}, {950, 0, 400, 300}},
      {"one: right part below 220", one, {-200, 0, 419, 300}, {10, 0, 419, 300}},
      {"one: right part at 220", one, {-200, 0, 420, 300}, {-200, 0, 420, 300}},
      {"one: negative y", one, {0, -1, 400, 300}, {0, 10, 400, 300}},
      {"one: y at the bottom - 49", one, {0, 751, 400, 300}, {0, 700, 400, 300}},
      {"one: y just inside", one, {0, 750, 400, 300}, {0, 750, 400, 300}},
      {"one: y far below", one, {0, 2147483647, 400, 300}, {0, 700, 400, 300}},
      {"one: small size", one, {300, 300, 99, 49}, {300, 300, 500, 550}},
      {"one: largest size", one, {300, 300, 32767, 32767}, {300, 300, 32767, 32767}},
      {"one: beyond the largest size", one, {300, 300, 32768, 2147483647}, {300, 300, 500, 550}},
      {"right: beyond the second", right, {1451, 0, 400, 300}, {1400, 0, 400, 300}},
      {"right: on the second", right, {1200, 0, 400, 300}, {1200, 0, 400, 300}},
      {"right: far left", right, {-300, -5, 400, 300}, {0, 0, 400, 300}},
      {"left: beyond the first", left, {951, 0, 400, 300}, {900, 0, 400, 300}},
      {"left: right part at X1 + 219", left, {-681, 0, 400, 300}, {-500, 0, 400, 300}},
      {"left: right part at X1 + 220", left, {-680, 0, 400, 300}, {-680, 0, 400, 300}},
      {"left: negative y", left, {0, -5, 400, 300}, {0, 0, 400, 300}},
      {"right: below both", right, {1200, 900, 400, 300}, {1200, 700, 400, 300}},
      {"right: on the taller one", right, {100, 600, 400, 300}, {100, 600, 400, 300}},
      {"no monitor known", Desktop{}, {-5000, -5000, 10, 10}, {-5000, -5000, 500, 550}},
      {"third monitor ignored", Desktop{{{0, 0, 1000, 800}, {1000, 0, 500, 400}, {1500, 0, 2000, 400}}},
       {2000, 0, 400, 300}, {1400, 0, 400, 300}},
  };
  for (const auto& c : cases) {
    WindowRect r = c.in;
    KeepOnDesktop(r, c.d);
    EXPECT_EQ(r, c.out) << c.name;
  }
}

TEST(PreferenceEdits, TheSaveButtonTakesTheFiveFields) {
  const struct {
    const char* name;
    PreferenceEdits edits;
    int tab, size;
    const char* font;
    int seconds;
  } cases[] = {
      {"two-digit size", {false, true, "4", "14pt,  DejaVu Sans Mono", "5"}, 4, 14, "DejaVu Sans Mono", 300},
      {"one-digit size keeps the name", {true, false, "3", "9pt,  Courier New", "30"}, 3, 9, "Courier New", 1800},
      {"garbage keeps font and tabs", {true, false, "x", "nonsense", "0"}, 2, 12, "Courier New", 0},
  };
  for (const auto& c : cases) {
    Settings s;
    ApplyPreferenceEdits(s, c.edits);
    EXPECT_EQ(s.confirmBeforeExit, c.edits.confirmBeforeExit ? 1 : 0) << c.name;
    EXPECT_EQ(s.openBlankFile, c.edits.openBlankFile ? 1 : 0) << c.name;
    EXPECT_EQ(s.tabSize, c.tab) << c.name;
    EXPECT_EQ(s.fontSize, c.size) << c.name;
    EXPECT_EQ(s.fontName, QString::fromUtf8(c.font)) << c.name;
    EXPECT_EQ(s.backupIntervalSeconds, c.seconds) << c.name;
  }
}

}  // namespace
}  // namespace vendle
