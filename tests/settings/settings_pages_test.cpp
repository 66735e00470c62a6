// The settings window's rules and the interface language on plain values.
#include <gtest/gtest.h>

#include "platform/ids.h"
#include "qt_print.h"
#include "settings/colour_preview.h"
#include "settings/language.h"
#include "settings/settings_pages.h"

namespace vendle {
namespace {

TEST(Translator, KeysAreTrimmedAndUpperCaseAndALaterKeyWins) {
  Translator t;
  t.setEnabled(true);
  t.load(PreferenceFile::Parse("[Language]\r\n  save ALL \t= \t Alles sichern \r\nOpen = Auf\r\nOPEN = Offen\r\n"
                               "Close =\r\n"));
  EXPECT_EQ(t.translate("Save all"), "Alles sichern");
  EXPECT_EQ(t.translate("  Save all  "), "Alles sichern");
  EXPECT_EQ(t.translate("Open"), "Offen");
  EXPECT_EQ(t.translate("Close"), "") << "an empty value translates to an empty text";
  EXPECT_EQ(t.translate("Print"), "Print");
  EXPECT_EQ(t.translate("Print"), "Print*");
  EXPECT_EQ(t.entries().at("PRINT"), "Print*");
  Translator off;
  EXPECT_EQ(off.translate("Print"), "Print");
  EXPECT_TRUE(off.entries().empty());
}

TEST(Translator, ASavedFileIsAPreferenceFileSortedByKeyWithKeysRecased) {
  Translator t;
  t.setEnabled(true);
  t.load(PreferenceFile::Parse("\xEF\xBB\xBF[Language]\r\nSave = Sichern\r\nclose all = Alle schließen\r\n"));
  t.translate("Open from Store");
  const QByteArray bytes = LanguageFileBytes(t);
  EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF\r\n[Language]\r\nClose all = Alle schlie\xC3\x9F" "en\r\n"
                              "Open from store = Open from Store*\r\nSave = Sichern\r\n"));
  Translator back;
  back.setEnabled(true);
  back.load(PreferenceFile::Parse(bytes));
  EXPECT_EQ(back.entries(), t.entries());
}

TEST(Translator, TheLanguageExtensionIsAddedOnlyWithoutOne) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {{"/x/de", "/x/de.lng"}, {"/x/de.txt", "/x/de.txt"}, {"/x/my.dir/de", "/x/my.dir/de.lng"},
               {"/x/de.lng", "/x/de.lng"}, {"de", "de.lng"}};
  for (const auto& c : cases) EXPECT_EQ(WithLanguageExtension(c.in), c.out) << c.in;
  EXPECT_EQ(RecasedKey("OPEN FROM STORE"), "Open from store");
  EXPECT_EQ(RecasedKey(""), "");
}

TEST(SettingsPages, ProgramStepsAndSavesKeepToEntriesAndTheNextPosition) {
  std::vector<ExternalProgramEntry> list{{"A", "f", "p", "q", 1}};
  const ProgramFields typed{"A2", "\"d\"", "\"p r\"", "-x \"y\"", 5};
  ProgramStep s = StepProgramList(list, 0, +1, typed);
  EXPECT_EQ(list[0], (ExternalProgramEntry{"A2", "%q%d%q%", "%q%p r%q%", "-x %q%y%q%", 5}));
  EXPECT_EQ(s.position, 1);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(s.shown, (ProgramFields{"", "", "", "", 5}));
  // A typed position beyond the next one stores nothing and appends nothing.
  s = StepProgramList(list, 6, +1, typed);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(s.position, 7);
  EXPECT_FALSE(StoreProgramEntry(list, 5, typed));
  EXPECT_FALSE(StoreProgramEntry(list, -1, typed));
  EXPECT_TRUE(StoreProgramEntry(list, 2, typed));
  EXPECT_EQ(list[2].program, "\"p r\"");
  EXPECT_TRUE(CanBeDefault(list, 0));
  EXPECT_FALSE(CanBeDefault(list, 1)) << "blank";
  EXPECT_FALSE(CanBeDefault(list, 3));
  EXPECT_FALSE(CanBeDefault(list, -1));
}

TEST(SettingsPages, ReferenceTextsAndMenuTexts) {
  EXPECT_EQ(ReferenceSlotText(3, ""), "External Reference 3");
  EXPECT_EQ(ReferenceSlotText(3, "/a/b.pdf"), "/a/b.pdf");
  const struct {
    const char* text;
    const char* menu;
  } cases[] = {{"External Reference 3", "-"},      {"External Reference", "-"},
               {"/docs/a.pdf", "a.pdf"},           {"C:\\docs\\b.txt", "b.txt"},
               {"HTTP://x.org/c.htm", "c.htm (http)"}, {"https://x.org/", " (http)"},
               {"http", "http (http)"},                {"plain", "plain"}};
  for (const auto& c : cases) EXPECT_EQ(ReferenceMenuText(c.text), c.menu) << c.text;
}

TEST(SettingsPages, TabArrowsAndChosenFontSizes) {
  EXPECT_EQ(TabSizeAfterArrow(8, true), 8);
  EXPECT_EQ(TabSizeAfterArrow(12, true), 8);
  EXPECT_EQ(TabSizeAfterArrow(3, true), 4);
  EXPECT_EQ(TabSizeAfterArrow(2, false), 2);
  EXPECT_EQ(TabSizeAfterArrow(1, false), 2);
  EXPECT_EQ(TabSizeAfterArrow(5, false), 4);
  const int sizes[][2] = {{20, 16}, {19, 16}, {18, 18}, {17, 17}, {16, 16}, {10, 10}, {9, 10}, {0, 10}};
  for (const auto& s : sizes) EXPECT_EQ(ClampChosenFontSize(s[0]), s[1]) << s[0];
}

TEST(ColourPreview, TheLayoutDrawsTheBoxesAndTextsInTheirColours) {
  ColourSettings c{};
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = std::uint32_t(0x100 + i);
  const PreviewLayout l = ColourPreviewLayout(c);
  ASSERT_EQ(l.boxes.size(), 3u);
  EXPECT_EQ(l.boxes[0].colour, c[+ColourSlot::Margin]);
  EXPECT_EQ(l.boxes[2].y, 211);
  EXPECT_EQ(l.boxes[2].colour, c[+ColourSlot::CaretBack]);
  ASSERT_EQ(l.texts.size(), 11u);
  EXPECT_EQ(l.texts[0].text, "Margin");
  EXPECT_EQ(l.texts[0].fore, kPreviewBlack);
  EXPECT_EQ(l.texts[7].text, "\"Strings\"");
  EXPECT_EQ(l.texts[7].fore, c[+ColourSlot::String]);
  EXPECT_EQ(l.texts[9].fore, c[+ColourSlot::Selected]);
  EXPECT_EQ(l.texts[9].back, c[+ColourSlot::SelectedBack]);
  EXPECT_EQ(l.texts[10].x, 230);
  EXPECT_FALSE(ColourPreviewHit(100, 300).has_value());
  EXPECT_FALSE(ColourPreviewHit(100, -5).has_value());
  EXPECT_EQ(ColourPreviewHit(-5, 400)->slot, ColourSlot::Margin);
  EXPECT_EQ(ColourPreviewHit(220, 15)->slot, ColourSlot::DefaultFore) << "x > 220 is the background";
  EXPECT_EQ(ColourPreviewHit(221, 15)->slot, ColourSlot::DefaultBack);
  const ColourSettings d = WithDefaultButtonColours(c);
  for (std::size_t i = 0; i < d.size(); ++i) {
    if (i == +ColourSlot::Unused) {
      EXPECT_EQ(d[i], c[i]);
    } else if (i == +ColourSlot::Comment) {
      EXPECT_EQ(d[i], 0xBBBBBBu);
    } else if (i == +ColourSlot::CaretBack) {
      EXPECT_EQ(d[i], 0xA4FFFFu);
    } else {
      EXPECT_EQ(d[i], DefaultColours()[i]) << i;
    }
  }
}

}  // namespace
}  // namespace vendle
