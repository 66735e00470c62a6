// Load and save of "Vendle5.inf": the file written from the defaults, the
// round trip, the one-way rules, the load rules and the lists.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "platform/ids.h"
#include "settings/settings_keys.h"
#include "settings/value_forms.h"
#include "settings_print.h"

namespace vendle {
namespace {

using test::Fixture;
using test::Inf;
using test::OneMonitor;

const QString kData = QStringLiteral("/data/");
const QString kAnnData = QStringLiteral("/home/ann/.local/share/Vendle/");

Settings Load(const QByteArray& bytes, const Desktop& d = OneMonitor()) { return LoadSettingsFrom(bytes, {}, d); }

// Every value written under `key` in `group`, in file order.
QStringList Written(const QByteArray& bytes, const char* group, const char* key) {
  QStringList out;
  const PreferenceFile file = PreferenceFile::Parse(bytes);
  for (const auto& [k, v] : file.entries(QString::fromUtf8(group)))
    if (k == QString::fromUtf8(key)) out << v.toString();
  return out;
}

TEST(SettingsFile, DefaultsAreWrittenExactlyAsTheHandWrittenFile) {
  const QByteArray golden = Fixture("defaults.inf");
  ASSERT_FALSE(golden.isEmpty());
  EXPECT_EQ(SaveSettingsBytes(Settings{}, kData), golden);
}

TEST(SettingsFile, AMissingOrEmptyFileAndTheDefaultFileAllLoadTheDefaults) {
  EXPECT_TRUE(test::SameSettings(Load({}), Settings{}));
  EXPECT_TRUE(test::SameSettings(Load(Inf("")), Settings{}));
  Settings written = Settings{};
  written.removeOldTknFiles = 0;  // the file holds 0 there, as every written file does
  EXPECT_TRUE(test::SameSettings(Load(Fixture("defaults.inf")), written));
}

TEST(SettingsFile, AHandWrittenFileIsWrittenBackInItsOrderWithItsValues) {
  const QByteArray custom = Fixture("custom.inf");
  ASSERT_FALSE(custom.isEmpty());
  EXPECT_EQ(SaveSettingsBytes(Load(custom), kAnnData), custom);
}

TEST(SettingsFile, LoadOfSaveGivesTheSameSettings) {
  const Settings x = Load(Fixture("custom.inf"));
  EXPECT_TRUE(test::SameSettings(Load(SaveSettingsBytes(x, kAnnData)), x));
}

// The round trip above only means something when the fixture holds another
// value than the default under every key that is read back.
TEST(SettingsFile, TheRoundTripFixtureDiffersFromTheDefaultsInEveryKey) {
  const PreferenceFile defaults = PreferenceFile::Parse(Fixture("defaults.inf"));
  const PreferenceFile custom = PreferenceFile::Parse(Fixture("custom.inf"));
  const QStringList sameByRule = {QStringLiteral("Remove old TKN files")};  // always written as 0
  QString group;
  int keys = 0;
  for (const LayoutEntry& e : SettingsLayout()) {
    if (e.kind == LayoutEntry::Kind::Group) group = e.text;
    if (e.kind != LayoutEntry::Kind::Key || sameByRule.contains(e.text)) continue;
    ++keys;
    EXPECT_NE(defaults.value(group, e.text), custom.value(group, e.text)) << group.toStdString() << "/" << e.text.toStdString();
  }
  EXPECT_GT(keys, 140);
  for (const char* list : {"Open Files", "Recent Files", "Recent Searches", "New File Text"})
    EXPECT_GE(custom.keyCount(QString::fromLatin1(list)), 2) << list;
  const Settings x = Load(Fixture("custom.inf"));
  EXPECT_NE(x.externalPrograms, Settings{}.externalPrograms);
  EXPECT_NE(x.labelPrefix, Settings{}.labelPrefix);
  EXPECT_NE(x.colours[+ColourSlot::CaretBack], Settings{}.colours[+ColourSlot::CaretBack]);
}

struct OneWayCase {
  const char* name;
  const char* input;
  std::function<void(Settings&)> change;  // applied after the load, may be empty
  const char* group;
  const char* key;
  QStringList written;
};

TEST(SettingsFile, OneWayRules) {
  const QStringList twelve = {"f0", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11"};
  const OneWayCase cases[] = {
      {"data folder is written only", "[Info]\nData folder = /old/\n", {}, "Info", "Data folder", {"/data/"}},
      {"old TKN clean-up always written as 0", "[Misc Preferences]\nRemove old TKN files = 1\n", {},
       "Misc Preferences", "Remove old TKN files", {"0"}},
      {"syntax-list flag from the default syntax", "[Options]\nShow parameters in syntax list = 0\n", {},
       "Options", "Show parameters in syntax list", {"1"}},
      {"syntax-list flag 0 for a syntax ending in _",
       "[Options]\nDefault syntax = cmm2_\nShow parameters in syntax list = 1\n", {}, "Options",
       "Show parameters in syntax list", {"0"}},
      {"the second FontSize takes the first", "[Windows]\nHelpH = 287\nFontSize = 14\nHintH = 287\nFontSize = 8\n",
       {}, "Windows", "FontSize", {"14", "14"}},
      {"tabs clamped up", "[Misc Preferences]\nMaximum number of tabs = 2\n", {}, "Misc Preferences",
       "Maximum number of tabs", {"5"}},
      {"tabs clamped down", "[Misc Preferences]\nMaximum number of tabs = 100\n", {}, "Misc Preferences",
       "Maximum number of tabs", {"39"}},
      {"minutes truncated", "", [](Settings& s) { s.backupIntervalSeconds = 450; }, "General",
       "Minutes between backups", {"7"}},
      {"six of seven hex digits", "[Colours]\nKeyword = $1234567\n", {}, "Colours", "Keyword", {"$234567"}},
      {"decimal colour", "[Colours]\nKeyword = 255\n", {}, "Colours", "Keyword", {"$0000FF"}},
      {"binary colour", "[Colours]\nKeyword = %1111\n", {}, "Colours", "Keyword", {"$00000F"}},
      {"lower-case hex", "[Colours]\nKeyword = $abcdef\n", {}, "Colours", "Keyword", {"$ABCDEF"}},
      {"unset colour stays unset", "[Colours]\nCaret_back = -1\n", {}, "Colours", "Caret_back", {"-1"}},
      {"ten of twelve recent entries read",
       "[Recent Files]\nMRUFile0 = a\nMRUFile1 = b\nMRUFile2 = c\nMRUFile3 = d\nMRUFile4 = e\nMRUFile5 = f\n"
       "MRUFile6 = g\nMRUFile7 = h\nMRUFile8 = i\nMRUFile9 = j\nMRUFile10 = k\nMRUFile11 = l\n",
       {}, "Recent Files", "MRUFile10", {}},
      {"twelve recent entries in memory all written", "", [&](Settings& s) { s.recentFiles = twelve; },
       "Recent Files", "MRUFile11", {"f11"}},
      {"character sets reset by an older build",
       "[Info]\nLast Build date = 2023/08/24 23:59:59\n[Options]\nSeparator Symbols = abc\n", {}, "Options",
       "Separator Symbols", {"=+-*/\\()[],;:<>^"}},
      {"character sets reset without a build date", "[Options]\nValid word characters = abc\n", {}, "Options",
       "Valid word characters", {Settings{}.validWordCharacters}},
      {"character sets kept from that build on",
       "[Info]\nLast Build date = 2023/08/25 00:00:00\n[Options]\nSeparator Symbols = abc\n", {}, "Options",
       "Separator Symbols", {"abc"}},
      {"tool window x raised to 0", "[Windows]\nPrefsX = -300\n", {}, "Windows", "PrefsX", {"0"}},
      {"main window y onto the monitor", "[Windows]\nMainY = -8\n", {}, "Windows", "MainY", {"10"}},
      {"main window x kept when negative", "[Windows]\nMainX = -8\n", {}, "Windows", "MainX", {"-8"}},
      {"x beyond the right edge", "[Windows]\nMainX = 5000\n", {}, "Windows", "MainX", {"1820"}},
      {"too narrow", "[Windows]\nFindW = 50\n", {}, "Windows", "FindW", {"500"}},
      {"too low", "[Windows]\nHelpH = 10\n", {}, "Windows", "HelpH", {"550"}},
      {"quotes removed from folders", "[Folders]\nBackup folder = \"/home/a b/\"\n", {}, "Folders",
       "Backup folder", {"/home/a b/"}},
      {"user folder from the file folder", "[Folders]\nUserFolder = /old/\n",
       [](Settings& s) { s.userFolder = QStringLiteral("/now/"); }, "Folders", "UserFolder", {"/now/"}},
      {"default label prefix not written", "[ATTiny]\nLabel prefix = _LBL\n", {}, "ATTiny", "Label prefix", {}},
      {"changed label prefix kept", "[ATTiny]\nLabel prefix = L_\n", {}, "ATTiny", "Label prefix", {"L_"}},
      {"empty header line dropped", "[New File Text]\nNew file line1 = a\nNew file line3 = c\n", {},
       "New File Text", "New file line2", {"c"}},
      {"header numbering closes the gap", "[New File Text]\nNew file line1 = a\nNew file line3 = c\n", {},
       "New File Text", "New file line3", {}},
      {"file count follows the entries", "[Open Files]\nFile Count = 3\nFile1 = a\nFile2 = b\n", {}, "Open Files",
       "File Count", {"2"}},
      {"huge file count bounded by the keys", "[Open Files]\nFile Count = 2000000000\nFile1 = a\n", {},
       "Open Files", "File Count", {"1"}},
  };
  for (const OneWayCase& c : cases) {
    Settings s = Load(Inf(c.input));
    if (c.change) c.change(s);
    EXPECT_EQ(Written(SaveSettingsBytes(s, kData), c.group, c.key), c.written) << c.name;
  }
}

struct LoadCase {
  const char* name;
  Desktop desktop;
  const char* input;
  std::function<void(const Settings&)> check;
};

const Desktop kRightSecond{{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}}};
const Desktop kLeftSecond{{{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}}};

TEST(SettingsFile, LoadRules) {
  const LoadCase cases[] = {
      {"tabs 20 kept", OneMonitor(), "[Misc Preferences]\nMaximum number of tabs = 20\n",
       [](const Settings& s) { EXPECT_EQ(s.maxTabs, 20); }},
      {"tabs below 5", OneMonitor(), "[Misc Preferences]\nMaximum number of tabs = -4\n",
       [](const Settings& s) { EXPECT_EQ(s.maxTabs, 5); }},
      {"tab size at most 99", OneMonitor(), "[Options]\nTabsize = 99999999999\n",
       [](const Settings& s) { EXPECT_EQ(s.tabSize, 99); }},
      {"tab size below 1 kept", OneMonitor(), "[Options]\nTabsize = -5\n",
       [](const Settings& s) { EXPECT_EQ(s.tabSize, -5); }},
      {"minutes held as seconds", OneMonitor(), "[General]\nMinutes between backups = 7\n",
       [](const Settings& s) { EXPECT_EQ(s.backupIntervalSeconds, 420); }},
      {"minutes saturate", OneMonitor(), "[General]\nMinutes between backups = 99999999999\n",
       [](const Settings& s) { EXPECT_EQ(s.backupIntervalSeconds, INT_MAX); }},
      {"zero minutes kept for the user to see", OneMonitor(), "[General]\nMinutes between backups = 0\n",
       [](const Settings& s) { EXPECT_EQ(s.backupIntervalSeconds, 0); }},
      {"one monitor: negative main y", OneMonitor(), "[Windows]\nMainY = -8\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.y, 10); }},
      {"one monitor: left of the edge", OneMonitor(), "[Windows]\nMainX = -1000\nMainW = 1100\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, 10); }},
      {"two monitors: negative main y", kRightSecond, "[Windows]\nMainY = -8\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.y, 0); }},
      {"second at the right: beyond it", kRightSecond, "[Windows]\nMainX = 3500\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, 3100); }},
      {"second at the right: on it", kRightSecond, "[Windows]\nMainX = 2000\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, 2000); }},
      {"second at the right: left of everything", kRightSecond, "[Windows]\nMainX = -1000\nMainW = 1100\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, 0); }},
      {"second at the left: beyond the first", kLeftSecond, "[Windows]\nMainX = 1900\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, 1820); }},
      {"second at the left: on it", kLeftSecond, "[Windows]\nMainX = -1000\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, -1000); }},
      {"second at the left: left of it", kLeftSecond, "[Windows]\nMainX = -1500\nMainW = 200\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, -1280); }},
      {"width fixed after the x test used the old width", OneMonitor(), "[Windows]\nWebX = 100\nWebW = 50\n",
       [](const Settings& s) {
         EXPECT_EQ(s.webWindow.x, 10);
         EXPECT_EQ(s.webWindow.w, 500);
       }},
      {"no overflow at the int limits", OneMonitor(), "[Windows]\nMainX = 2147483647\nMainW = 2147483647\n",
       [](const Settings& s) { EXPECT_EQ(s.mainWindow.x, 1820); }},
      {"colour $", OneMonitor(), "[Colours]\nKeyword = $00FF00\n",
       [](const Settings& s) { EXPECT_EQ(s.colours[+ColourSlot::Keyword], 0x00FF00u); }},
      {"colour %", OneMonitor(), "[Colours]\nKeyword = %101\n",
       [](const Settings& s) { EXPECT_EQ(s.colours[+ColourSlot::Keyword], 5u); }},
      {"colour decimal", OneMonitor(), "[Colours]\nKeyword = 255\n",
       [](const Settings& s) { EXPECT_EQ(s.colours[+ColourSlot::Keyword], 255u); }},
      {"colour -1", OneMonitor(), "[Colours]\nCaret_back = -1\n",
       [](const Settings& s) { EXPECT_EQ(s.colours[+ColourSlot::CaretBack], 0xFFFFFFFFu); }},
      {"colour seven digits", OneMonitor(), "[Colours]\nKeyword = $1234567\n",
       [](const Settings& s) { EXPECT_EQ(s.colours[+ColourSlot::Keyword], 0x1234567u); }},
      {"colour junk is black", OneMonitor(), "[Colours]\nKeyword = red\n",
       [](const Settings& s) { EXPECT_EQ(s.colours[+ColourSlot::Keyword], 0u); }},
      {"call-tip keys fill their own slots", OneMonitor(), "[Colours]\nCallTip = $000001\nCallTip_back = $000002\n",
       [](const Settings& s) {
         EXPECT_EQ(s.colours[+ColourSlot::CallTip], 1u);
         EXPECT_EQ(s.colours[+ColourSlot::CallTipBack], 2u);
       }},
      {"character sets: newer build keeps them", OneMonitor(),
       "[Info]\nLast Build date = 2024/02/03 04:05:06\n[Options]\nSeparator Symbols = +-\nValid word characters = ab\n",
       [](const Settings& s) {
         EXPECT_EQ(s.separatorSymbols, QStringLiteral("+-"));
         EXPECT_EQ(s.validWordCharacters, QStringLiteral("ab"));
       }},
      {"character sets: empty date resets both", OneMonitor(),
       "[Options]\nSeparator Symbols = +-\nValid word characters = ab\n",
       [](const Settings& s) {
         EXPECT_EQ(s.separatorSymbols, Settings{}.separatorSymbols);
         EXPECT_EQ(s.validWordCharacters, Settings{}.validWordCharacters);
       }},
      {"syntax ending in _", OneMonitor(), "[Options]\nDefault syntax = mmb4l_\nShow parameters in syntax list = 1\n",
       [](const Settings& s) {
         EXPECT_EQ(s.includeParameters, 0);
         EXPECT_EQ(s.currentSyntaxName, QStringLiteral("mmb4l_"));
       }},
      {"integers like atol", OneMonitor(), "[Options]\nTabsize = 12abc\nScroll_Margin = abc\nFont size = -3\n",
       [](const Settings& s) {
         EXPECT_EQ(s.tabSize, 12);
         EXPECT_EQ(s.scrollMargin, 0);
         EXPECT_EQ(s.fontSize, -3);
       }},
      {"integers saturate at 32 bits", OneMonitor(), "[Options]\nScroll_Margin = 99999999999\nFont size = -99999999999\n",
       [](const Settings& s) {
         EXPECT_EQ(s.scrollMargin, INT_MAX);
         EXPECT_EQ(s.fontSize, INT_MIN);
       }},
      {"64-bit values", OneMonitor(), "[Misc Preferences]\nFirmware update = 99999999999\n",
       [](const Settings& s) { EXPECT_EQ(s.firmwareUpdate, 99999999999LL); }},
      {"an empty value is not the default", OneMonitor(), "[Options]\nFont name =\nFont size =\n",
       [](const Settings& s) {
         EXPECT_EQ(s.fontName, QString());
         EXPECT_EQ(s.fontSize, 0);
       }},
      {"names in any letter case", OneMonitor(), "[misc PREFERENCES]\nconfirm before EXIT = 0\n",
       [](const Settings& s) { EXPECT_EQ(s.confirmBeforeExit, 0); }},
      {"every quote removed from the three folders", OneMonitor(),
       "[Folders]\nUserFolder = \"/a\"\"b/\"\nStore folder = \"/s/\"\nExternal Reference 0 = \"x\"\n",
       [](const Settings& s) {
         EXPECT_EQ(s.userFolder, QStringLiteral("/ab/"));
         EXPECT_EQ(s.storeFolder, QStringLiteral("/s/"));
         EXPECT_EQ(s.externalReferences[0], QStringLiteral("\"x\""));
       }},
      {"open files begin with LF", OneMonitor(), "[Open Files]\nFile Count = 2\nFile1 = a|1\nFile2 = b|2\n",
       [](const Settings& s) {
         EXPECT_EQ(s.openFilesString, QStringLiteral("\na|1\nb|2"));
         EXPECT_EQ(s.fileCount, 2);
       }},
      {"negative file count", OneMonitor(), "[Open Files]\nFile Count = -3\nFile1 = a\n",
       [](const Settings& s) {
         EXPECT_EQ(s.openFilesString, QString());
         EXPECT_EQ(s.fileCount, 0);
       }},
      {"recent entries: empty ones skipped", OneMonitor(), "[Recent Files]\nMRUFile0 = a\nMRUFile1 =\nMRUFile2 = c\n",
       [](const Settings& s) { EXPECT_EQ(s.recentFiles, QStringList({"a", "c"})); }},
      {"searches", OneMonitor(), "[Recent Searches]\nFindWord0 = x\nFindWord9 = y\nFindWord10 = z\n",
       [](const Settings& s) { EXPECT_EQ(s.findHistory, QStringList({"x", "y"})); }},
      {"header lines", OneMonitor(), "[New File Text]\nNew file line1 = a\nNew file line2 =\nNew file line3 = c\n",
       [](const Settings& s) {
         EXPECT_EQ(s.newFileText, QStringLiteral("a\nc\n"));
         EXPECT_EQ(s.storedNewFileText, s.newFileText);
       }},
      {"header line 0 and 51 are not keys", OneMonitor(),
       "[New File Text]\nNew file line0 = z\nNew file line51 = z\n",
       [](const Settings& s) { EXPECT_EQ(s.newFileText, DefaultNewFileText()); }},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.check(Load(Inf(c.input), c.desktop));
  }
}

TEST(SettingsFile, WithoutProgramKeysTheTwoDefaultsAreGivenAndWritten) {
  const Settings s = Load(Inf("[External programs]\nExternal hot link = 1\n"));
  EXPECT_EQ(s.externalPrograms, DefaultExternalPrograms());
  const QByteArray out = SaveSettingsBytes(s, kData);
  EXPECT_EQ(Written(out, "External programs", "Ext0"),
            QStringList{"Run in DOS|'%baspath%'|'%vdlpath%MMBasic.exe'|'%bas%'|1"});
  EXPECT_EQ(Written(out, "External programs", "Ext1"),
            QStringList{"MMB4W|'%baspath%'|'C:\\Apps\\MMB4W\\MMBasic.exe'|'%bas%'|2"});
  EXPECT_EQ(Written(out, "External programs", "External hot link"), QStringList{"1"});
}

TEST(SettingsFile, ProgramKeysAreReadUpToTenInKeyOrder) {
  const Settings s = Load(Inf("[External programs]\nExt3 = D|||d|0\nExt0 = A|/f\nExt10 = K|||k|0\nExt9 = J|||j|4\n"));
  ASSERT_EQ(s.externalPrograms.size(), 3u);
  EXPECT_EQ(s.externalPrograms[0], (ExternalProgramEntry{"A", "/f", "", "", 0}));
  EXPECT_EQ(s.externalPrograms[1].menuText, QStringLiteral("D"));
  EXPECT_EQ(s.externalPrograms[2], (ExternalProgramEntry{"J", "", "", "j", 4}));
}

struct HotLinkCase {
  const char* name;
  QStringList menuTexts;  // "" is dropped on writing; "\n" marks an entry whose program holds a line break
  int hotLink;
  QStringList written;  // menu texts of Ext0, Ext1, ...
  int writtenHotLink;
};

TEST(SettingsFile, DroppedProgramsAreRenumberedAndTheHotLinkFollows) {
  const HotLinkCase cases[] = {
      {"nothing dropped", {"A", "B", "C"}, 2, {"A", "B", "C"}, 2},
      {"gap before the default", {"A", "", "C"}, 2, {"A", "C"}, 1},
      {"default itself dropped", {"A", "", "C"}, 1, {"A", "C"}, 0},
      {"entry with a line break dropped", {"A", "\n", "C"}, 2, {"A", "C"}, 1},
      {"index past the end", {"A", "B"}, 5, {"A", "B"}, 0},
      {"negative index", {"A", "B"}, -1, {"A", "B"}, 0},
  };
  for (const HotLinkCase& c : cases) {
    Settings s;
    s.externalPrograms.clear();
    for (const QString& t : c.menuTexts)
      s.externalPrograms.push_back(t == QStringLiteral("\n") ? ExternalProgramEntry{"X", "", "a\nb", "", 0}
                                              : ExternalProgramEntry{t, "", "p", "", 0});
    s.externalHotLink = c.hotLink;
    const QByteArray out = SaveSettingsBytes(s, kData);
    QStringList written;
    for (int k = 0; k < 10; ++k)
      for (const QString& v : Written(out, "External programs", qPrintable(QStringLiteral("Ext%1").arg(k))))
        written << ParseProgramEntry(v).menuText;
    EXPECT_EQ(written, c.written) << c.name;
    EXPECT_EQ(Written(out, "External programs", "External hot link"), QStringList{QString::number(c.writtenHotLink)})
        << c.name;
  }
}

TEST(SettingsFile, ABarInTheParametersSurvivesAReload) {
  Settings s;
  s.externalPrograms = {{"Count", "'%baspath%'", "sh", "-c 'cat %bas% | wc -l | tee x'", 3}};
  EXPECT_EQ(Load(SaveSettingsBytes(s, kData)).externalPrograms, s.externalPrograms);
}

TEST(SettingsFile, TheSiblingToolsList) {
  struct Case {
    const char* name;
    QByteArray ravolt;
    QString folder;
    QStringList menuTexts;
  } cases[] = {
      {"missing file", {}, "", {"Not installed"}},
      {"group without entries", Inf("[Ravolt startup]\nRavolt folder = /opt/rv/\n"), "/opt/rv/", {"Not installed"}},
      {"entries in key order", Inf("[ravolt STARTUP]\nRavolt4 = B|||b|1\nRavolt0 = A|||a|0\nRavolt10 = Z\n"), "",
       {"A", "B"}},
  };
  for (const auto& c : cases) {
    const Settings s = LoadSettingsFrom({}, c.ravolt, OneMonitor());
    EXPECT_EQ(s.ravoltFolder, c.folder) << c.name;
    QStringList texts;
    for (const auto& e : s.ravoltPrograms) texts << e.menuText;
    EXPECT_EQ(texts, c.menuTexts) << c.name;
  }
  EXPECT_EQ(LoadSettingsFrom({}, {}, OneMonitor()).ravoltPrograms.front(), NotInstalledEntry());
}

TEST(SettingsFile, TheHeaderSurvivesNoHeaderInNewFile) {
  Settings s = Load(Inf("[Misc Preferences]\nNo header in new file = 1\n[New File Text]\nNew file line1 = ' mine\n"));
  s.newFileText.clear();  // what the start-up does with the option on
  EXPECT_EQ(Load(SaveSettingsBytes(s, kData)).newFileText, QStringLiteral("' mine\n"));
  s.newFileText = QStringLiteral("' saved this run\n");  // "Save new file intro" during the run
  EXPECT_EQ(Load(SaveSettingsBytes(s, kData)).newFileText, QStringLiteral("' saved this run\n"));
}

TEST(SettingsFile, HeaderLinesPastFiftyAreDropped) {
  Settings s;
  s.newFileText.clear();
  for (int i = 1; i <= 55; ++i) s.newFileText += QStringLiteral("line %1\n").arg(i);
  const QByteArray out = SaveSettingsBytes(s, kData);
  EXPECT_EQ(Written(out, "New File Text", "New file line50"), QStringList{"line 50"});
  EXPECT_EQ(Written(out, "New File Text", "New file line51"), QStringList{});
}

TEST(SettingsFile, OpenFilesAreWrittenFromTheRecordedAndTheLoadedForm) {
  for (const char* open : {"a|1\nb|2\n", "\na|1\nb|2"}) {
    Settings s;
    s.openFilesString = QString::fromLatin1(open);
    const QByteArray out = SaveSettingsBytes(s, kData);
    EXPECT_EQ(Written(out, "Open Files", "File Count"), QStringList{"2"}) << open;
    EXPECT_EQ(Written(out, "Open Files", "File1"), QStringList{"a|1"}) << open;
    EXPECT_EQ(Written(out, "Open Files", "File2"), QStringList{"b|2"}) << open;
  }
}

// A file name may hold a line break on Linux; written raw it would add lines
// of its own to the file, here a program list that would win at the next start.
TEST(SettingsFile, NoValueBreaksALineOfTheFile) {
  const QString evil = QStringLiteral("/tmp/x\r\n[External programs]\r\nExt0 = Evil|||rm -rf ~|0\r\nk = ");
  Settings s;
  s.recentFiles = {QStringLiteral("/ok.bas"), evil};
  s.findHistory = {evil, QStringLiteral("PRINT")};
  s.openFilesString = QStringLiteral("/ok.bas|1\n/tmp/a\rb|1\n");
  s.fontName = QStringLiteral("Mono\nSpace");
  const QByteArray out = SaveSettingsBytes(s, kData);
  EXPECT_EQ(out.count("[External programs]"), 1);
  EXPECT_EQ(out.count('\n'), out.count("\r\n"));
  EXPECT_EQ(out.count('\r'), out.count("\r\n"));
  const Settings back = Load(out);
  EXPECT_EQ(back.externalPrograms, DefaultExternalPrograms());
  EXPECT_EQ(back.recentFiles, QStringList{"/ok.bas"});
  EXPECT_EQ(back.findHistory, QStringList{"PRINT"});
  EXPECT_EQ(back.openFilesString, QStringLiteral("\n/ok.bas|1"));
  EXPECT_EQ(back.fontName, QStringLiteral("Mono Space"));
}

}  // namespace
}  // namespace vendle
