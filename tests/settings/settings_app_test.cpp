// The preference file in the running program: read at start-up, written at
// shutdown, copied by "Copy INF files", and the "Save" of the preferences.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QWidget>

#include "app_driver.h"
#include "editor/ui/text_access.h"
#include "shell/ui/services.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "platform/event.h"
#include "settings/settings_keys.h"
#include "settings/ui/apply_preferences.h"
#include "settings/ui/settings_commands.h"
#include "settings_print.h"

namespace vendle {
namespace {

using test::AppDriver;
using test::DriverOptions;
using test::Fixture;

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray NetworkGroup(quint16 port) { return "\r\n[Network]\r\nControl Port = " + QByteArray::number(port) + "\r\n"; }

// The defaults, with what the start-up itself sets.
Settings DefaultsAsStarted(const App& app, quint16 port) {
  const Settings& now = const_cast<App&>(app).settings();
  Settings want;
  want.controlPort = port;
  want.buildDate = now.buildDate;
  want.lastBuildDate = now.lastBuildDate;
  want.firmwareUpdate = now.firmwareUpdate;
  want.mainWindow = now.mainWindow;  // the shown main window records its own placement
  return want;
}

// Preference files that are not what the program writes: the editor starts
// with the defaults for all it cannot read.
TEST(SettingsApp, ABrokenPreferenceFileStartsWithTheDefaults) {
  QByteArray binary;
  quint32 x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 1103515245u + 12345u;
    binary += char(x >> 24);
  }
  const QByteArray golden = Fixture("defaults.inf");
  const QByteArray truncated = golden.left(golden.indexOf("Maximum number of tabs") + 9);
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"binary", binary},
      {"binary after a byte-order mark", "\xEF\xBB\xBF" + binary},
      {"truncated in a line", truncated},
      {"malformed lines", "[[[\r\n=====\r\n[Windows\r\nMainX\r\n = 5\r\n]]\r\n[Colours]]\r\nKeyword = red\r\n"},
      {"one huge line", QByteArray(2 * 1024 * 1024, 'x')},
      {"empty", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DriverOptions o;
    o.start = false;
    AppDriver d(o);
    WriteBytes(d.dataFolder() + "Vendle5.inf", c.bytes + NetworkGroup(d.controlPort()));
    ASSERT_EQ(d.start(), App::Start::Running);
    Settings want = DefaultsAsStarted(d.app(), d.controlPort());
    if (QByteArrayView(c.name) == "malformed lines") {
      want.colours[+ColourSlot::Keyword] = 0;  // "Keyword = red" is readable: black
      want.mainWindow.x = 0;                   // "MainX" without "=" reads 0
    }
    EXPECT_TRUE(test::SameSettings(d.app().settings(), want));
  }
}

TEST(SettingsApp, AFileTooLargeToBeAPreferenceFileIsNotRead) {
  DriverOptions o;
  o.start = false;
  AppDriver d(o);
  QByteArray big = "\xEF\xBB\xBF\r\n[Colours]\r\nKeyword = $00FF00\r\n" + NetworkGroup(d.controlPort());
  big += QByteArray(17 * 1024 * 1024, ' ');
  WriteBytes(d.dataFolder() + "Vendle5.inf", big);
  ASSERT_EQ(d.start(), App::Start::Running);
  EXPECT_EQ(d.app().settings().colours[+ColourSlot::Keyword], 0xFF0000u);
}

// The sandbox's control port comes in a [Network] group after the test's
// own text; it must be read together with the text's keys.
TEST(SettingsApp, TheSandboxControlPortIsReadAfterTheTestsOwnKeys) {
  DriverOptions o;
  o.preferences = QStringLiteral("[Colours]\r\nKeyword = $00FF00\r\n");
  AppDriver d(o);
  EXPECT_EQ(d.app().settings().controlPort, d.controlPort());
  EXPECT_EQ(d.app().settings().colours[+ColourSlot::Keyword], 0x00FF00u);
}

// A hand-edited size no screen could show: the window drawn at it would need
// more memory than there is, and opening it crashed the editor.
TEST(SettingsApp, AWindowSizeNoScreenCouldShowOpensAtTheWorkingSize) {
  DriverOptions o;
  o.preferences = QStringLiteral(
      "[Windows]\r\nFindW = 2147483647\r\nFindH = 2147483647\r\nHelpW = 99999999999\r\nHelpH = 300\r\n");
  AppDriver d(o);
  d.menu(Item::FindReplace);
  d.menu(Item::VendleHelp);
  d.processEvents(100);  // both are drawn
  for (const int id : {+WindowId::FindReplace, +WindowId::HelpViewer}) {
    const QWidget* w = d.app().toolkit().window(id);
    ASSERT_NE(w, nullptr) << id;
    EXPECT_EQ(w->width(), 500) << id;
  }
  EXPECT_EQ(d.app().toolkit().window(+WindowId::FindReplace)->height(), 550);
  EXPECT_EQ(d.app().toolkit().window(+WindowId::HelpViewer)->height(), 300);
}

// The settings window shows a tab size up to 99; a hand-edited one far beyond
// made "Format indentation" ask for gigabytes of blanks.
TEST(SettingsApp, ATabSizeBeyondWhatTheWindowShowsIsTakenAsItsLargest) {
  AppDriver d({.preferences = QStringLiteral("[Options]\r\nTabsize = 2147483647\r\n")});
  EXPECT_EQ(d.app().settings().tabSize, 99);
  EditorView* ed = CurrentEditor(d.app());
  ASSERT_NE(ed, nullptr);
  SetEditorText(ed, QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB\r\n"), true);
  d.menu(Item::FormatIndentation);
  d.processEvents();
  EXPECT_EQ(GetEditorLine(ed, 1), QString(99, u' ') + QStringLiteral("PRINT 1"));
}

// One odd value under every key of one kind (numbers or texts): the editor
// starts, opens its windows, formats a program and ends, and the file it
// writes is written back the same after a restart.
TEST(SettingsApp, AnOddValueUnderEveryKeyRunsAndWritesAStableFile) {
  const struct {
    const char* name;
    QString value;
    bool numbers;
  } cases[] = {
      {"largest int", QStringLiteral("2147483647"), true},
      {"smallest int", QStringLiteral("-2147483648"), true},
      {"beyond 64 bits", QString(200, u'9'), true},
      {"100 KB text", QString(100 * 1024, u'x'), false},
      {"non-ASCII and file syntax", QString::fromUtf8("Gr\u00FC\u00DFe \u65E5\u672C \U0001F3B5 ; = [x] \"q\""), false},
  };
  const QStringList sandboxKeys = {"Control Port", "Firmware update", "Confirm before Exit"};
  // What differs between two sandboxes and two starts, or follows the shown main window.
  const auto comparable = [](const QByteArray& bytes) {
    QByteArrayList kept;
    for (const QByteArray& line : bytes.split('\n'))
      if (!line.startsWith("Control Port") && !line.startsWith("Data folder") && !line.startsWith("Main") &&
          !line.startsWith("Build date") && !line.startsWith("UserFolder"))
        kept << line;
    return QString::fromUtf8(kept.join('\n'));
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QString prefs = QStringLiteral("[Misc Preferences]\r\nConfirm before Exit = 0\r\n");
    QString group;
    for (const LayoutEntry& e : SettingsLayout()) {
      if (e.kind == LayoutEntry::Kind::Group) {
        group = e.text;
        prefs += "[" + group + "]\r\n";
      }
      if (e.kind != LayoutEntry::Kind::Key || sandboxKeys.contains(e.text)) continue;
      const bool number = !std::holds_alternative<QString Settings::*>(e.field) &&
                          !std::holds_alternative<ReferenceField>(e.field) && e.form != ValueForm::DataFolder;
      if (number == c.numbers) prefs += e.text + " = " + c.value + "\r\n";
    }
    QByteArray first;
    {
      AppDriver d({.preferences = prefs});
      for (Item item : {Item::Preferences, Item::FindReplace, Item::VendleHelp, Item::FindSubFunction,
                        Item::AsciiTable, Item::New}) {
        d.menu(item);
        d.processEvents(20);
      }
      EditorView* ed = CurrentEditor(d.app());
      ASSERT_NE(ed, nullptr);
      SetEditorText(ed, QStringLiteral("SUB a\r\nFOR i = 1 TO 3\r\n\tPRINT i ' a comment\r\nNEXT\r\nEND SUB\r\n"), true);
      d.menu(Item::FormatIndentation);
      d.menu(Item::WrapComments);
      d.post(Event::OfKind(EventKind::Close, +WindowId::Settings));
      d.processEvents(50);
      d.shutDown();
      first = ReadBytes(d.dataFolder() + "Vendle5.inf");
    }
    ASSERT_FALSE(first.isEmpty());
    AppDriver again({.preferences = QString::fromUtf8(first.mid(5))});  // the driver adds mark and first line
    again.shutDown();
    EXPECT_EQ(comparable(ReadBytes(again.dataFolder() + "Vendle5.inf")), comparable(first));
  }
}

TEST(SettingsApp, TheLoadSetsTheFileFolderTheFontsAndTheSiblingList) {
  DriverOptions o;
  o.preferences = QStringLiteral(
      "[Folders]\r\nUserFolder = \"$ROOT/basic\"\r\n"
      "[General]\r\nMisc Font = DejaVu Sans\r\nMisc Font size = 11\r\nMono Font = DejaVu Sans Mono\r\n"
      "Mono Font size = 13\r\n");
  QTemporaryDir root;
  QDir().mkpath(root.path() + "/basic");
  o.preferences.replace("$ROOT", root.path());
  o.prepare = [](const QString& data) {
    WriteBytes(data + "Ravolt.inf", "[Ravolt startup]\r\nRavolt folder = /opt/rv/\r\nRavolt0 = Flash|||go|1\r\n");
  };
  AppDriver d(o);
  App& app = d.app();
  EXPECT_EQ(app.folders().file, root.path() + "/basic/");
  const QFont* misc = app.toolkit().font(+FontId::Misc);
  const QFont* mono = app.toolkit().font(+FontId::Mono);
  ASSERT_TRUE(misc && mono);
  EXPECT_EQ(misc->family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(misc->pointSize(), 11);
  EXPECT_EQ(mono->family(), QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(mono->pointSize(), 13);
  EXPECT_EQ(app.settings().ravoltFolder, QStringLiteral("/opt/rv/"));
  ASSERT_EQ(app.settings().ravoltPrograms.size(), 1u);
  EXPECT_EQ(app.settings().ravoltPrograms[0].menuText, QStringLiteral("Flash"));
}

TEST(SettingsApp, TheShutdownWritesTheFileWithTheDataAndFileFolders) {
  DriverOptions o;
  o.preferences = QStringLiteral("[Misc Preferences]\r\nRemove old TKN files = 1\r\n");
  AppDriver d(o);
  QDir().mkpath(d.root() + "work");
  d.app().folders().file = d.root() + "work/";
  d.app().settings().colours[+ColourSlot::Keyword] = 0x00FF00;
  d.shutDown();
  const PreferenceFile f = PreferenceFile::Parse(ReadBytes(d.dataFolder() + "Vendle5.inf"));
  EXPECT_EQ(f.value(u"Folders", u"UserFolder"), d.root() + "work/");
  EXPECT_EQ(f.value(u"Info", u"Data folder"), d.dataFolder());
  EXPECT_EQ(f.value(u"Colours", u"Keyword"), QStringLiteral("$00FF00"));
  EXPECT_EQ(f.value(u"Misc Preferences", u"Remove old TKN files"), QStringLiteral("0"));
  EXPECT_EQ(f.value(u"Network", u"Control Port"), QString::number(d.controlPort()));
}

// A full disk half way through the write, or a rename that fails, must leave
// the previous file as it was.
TEST(SettingsApp, AFailedWriteLeavesThePreviousFileIntact) {
  const struct {
    const char* name;
    FileFault::Step step;
    qint64 after;
  } cases[] = {
      {"disk full after 100 bytes", FileFault::Step::Write, 100},
      {"disk full at once", FileFault::Step::Write, 0},
      {"rename fails", FileFault::Step::Commit, 0},
      {"temporary file cannot be created", FileFault::Step::Open, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DriverOptions o;
    o.preferences = QString::fromUtf8(Fixture("custom.inf").mid(5));  // the driver adds mark and first line
    AppDriver d(o);
    const QString path = d.dataFolder() + "Vendle5.inf";
    const QByteArray before = ReadBytes(path);
    ASSERT_FALSE(before.isEmpty());
    d.app().settings().colours[+ColourSlot::Keyword] = 0x00FF00;  // the save has something new to write
    {
      ScopedFileFault fault({c.step, path, c.after});
      d.shutDown();
    }
    EXPECT_EQ(ReadBytes(path), before);
    QStringList leftovers = QDir(d.dataFolder()).entryList(QDir::Files);
    leftovers.removeAll(QStringLiteral("Vendle5.inf"));
    for (const QString& name : leftovers) EXPECT_FALSE(name.contains(QStringLiteral("Vendle5.inf"))) << name.toStdString();
  }
}

TEST(SettingsApp, CopyInfFilesCopiesBothFilesByteForByte) {
  const QByteArray corvat("[Corvat]\r\nPort = COM3\r\nName = caf\xE9\r\n");  // ANSI, no mark
  DriverOptions o;
  o.prepare = [&](const QString& data) { WriteBytes(data + "Corvat.inf", corvat); };
  AppDriver d(o);
  const QString prefsCopy = d.root() + "prefs.bak";
  const QString corvatCopy = d.root() + "corvat.bak";
  d.requesters().clear();
  d.requesters().answerText(prefsCopy);
  d.requesters().answerText(corvatCopy);
  d.menu(Item::CopyInfFiles);
  ASSERT_TRUE(d.waitFor([&] { return d.requesters().pendingReplies() == 0; }));
  EXPECT_EQ(ReadBytes(prefsCopy), ReadBytes(d.dataFolder() + "Vendle5.inf"));
  EXPECT_EQ(ReadBytes(corvatCopy), corvat);
  const auto& asked = d.requesters().asked();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].kind, QStringLiteral("save"));
  EXPECT_EQ(asked[0].title, QStringLiteral("Copy Vendle5.inf to:"));
  EXPECT_TRUE(asked[0].text.endsWith(QStringLiteral("Vendle5.inf.bak")));
  EXPECT_EQ(asked[1].title, QStringLiteral("Copy Corvat.inf to:"));
  EXPECT_TRUE(asked[1].text.endsWith(QStringLiteral("Corvat.inf.bak")));
}

TEST(SettingsApp, CopyInfFilesSkipsACancelledRequesterAndAMissingSource) {
  AppDriver d;  // no "Corvat.inf" in the data folder
  const QString corvatCopy = d.root() + "corvat.bak";
  d.requesters().clear();
  d.requesters().answerText(std::nullopt);
  d.requesters().answerText(corvatCopy);
  CopyInfFiles(d.app());
  EXPECT_EQ(d.requesters().asked().size(), 2u);
  EXPECT_FALSE(QFile::exists(corvatCopy));
  EXPECT_EQ(QDir(d.root()).entryList({QStringLiteral("*.bak")}, QDir::Files), QStringList{});
}

TEST(SettingsApp, ApplyPreferencesTakesTheFieldsAndReportsSaved) {
  AppDriver d;
  App& app = d.app();
  app.settings().maxTabs = 39;  // slots without an editor are passed over
  d.requesters().clear();
  ApplyPreferences(app, {false, true, QStringLiteral("4"), QStringLiteral("14pt,  DejaVu Sans Mono"),
                         QStringLiteral("12")});
  EXPECT_EQ(app.settings().confirmBeforeExit, 0);
  EXPECT_EQ(app.settings().openBlankFile, 1);
  EXPECT_EQ(app.settings().tabSize, 4);
  EXPECT_EQ(app.settings().fontSize, 14);
  EXPECT_EQ(app.settings().fontName, QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(app.settings().backupIntervalSeconds, 720);
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  EXPECT_EQ(d.requesters().asked()[0].kind, QStringLiteral("message"));
  EXPECT_EQ(d.requesters().asked()[0].title, QStringLiteral("Preferences"));
  EXPECT_EQ(d.requesters().asked()[0].text, QStringLiteral("Settings saved"));
}

TEST(SettingsApp, AMissingFolderIsNeverTheFileFolderNorStored) {
  // The desktop names a documents folder that is not there.
  AppDriver d({.start = false});
  QDir(d.root() + "home/Documents").removeRecursively();
  d.start();
  EXPECT_EQ(d.app().folders().file, d.root() + "home/");
  d.app().folders().file = d.root() + "deleted since/";
  d.shutDown();
  const PreferenceFile f = PreferenceFile::Parse(ReadBytes(d.dataFolder() + "Vendle5.inf"));
  EXPECT_EQ(f.value(u"Folders", u"UserFolder"), QString());

  // A stored folder that is gone gives the default.
  AppDriver again({.preferences = "[Folders]\r\nUserFolder = /no/such/folder/\r\n"});
  EXPECT_EQ(again.app().folders().file, again.root() + "home/Documents/");
}

}  // namespace
}  // namespace vendle
