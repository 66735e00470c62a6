// The interface language in the running program: the File menu translated
// from a language file, the texts it lacks, and "Save language".
#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app_driver.h"
#include "platform/file_io.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "settings/preference_file.h"
#include "settings/ui/settings_commands.h"
#include "shell/ui/main_window.h"
#include "shell/ui/services.h"
#include "test_files.h"

namespace vendle::test {
namespace {

constexpr int kWin = +WindowId::Settings;

// A start with "Language file" set to `name`, the file `bytes` in "lang/".
DriverOptions WithLanguage(const QString& name, const QByteArray& bytes) {
  DriverOptions o;
  o.preferences = "[Language]\r\nLanguage file = " + name + "\r\n";
  o.prepare = [name, bytes](const QString& data) {
    QDir().mkpath(data + "lang");
    if (!bytes.isNull()) WriteFile(data + "lang/" + name, bytes);
  };
  return o;
}

const QByteArray kGerman =
    "\xEF\xBB\xBF\r\n[Language]\r\nFile = Datei\r\n  close ALL  = Alle schlie\xC3\x9F" "en\r\n"
    "Recent = Zuletzt\r\nSave language = Sprache sichern\r\nNew = Neu & leer\r\nNew = Neu\r\n";

QMenu* FileMenu(App& app) { return app.mainWindow()->menuBar()->actions().value(0)->menu(); }
QString FileTitle(App& app) { return app.mainWindow()->menuBar()->actions().value(0)->text(); }
QString RecentTitle(App& app) {
  for (QAction* a : FileMenu(app)->actions())
    if (a->menu()) return a->text();
  return {};
}

TEST(Language, NoneKeepsEveryTextAndRemembersNothing) {
  AppDriver d;
  EXPECT_EQ(d.app().settings().languageFile, "none");
  EXPECT_EQ(Translate(d.app(), "Close all"), "Close all");
  EXPECT_EQ(Translate(d.app(), "Close all"), "Close all");
  EXPECT_TRUE(d.app().state().translator.entries().empty());
  EXPECT_EQ(FileTitle(d.app()), "File");
  EXPECT_EQ(ItemText(d.app(), +Item::CloseAll), "Close all");
}

TEST(Language, TheFileMenuIsTranslatedWithKeysMatchedRegardlessOfCaseAndBlanks) {
  AppDriver d(WithLanguage("de.lng", kGerman));
  App& app = d.app();
  EXPECT_EQ(FileTitle(app), "Datei");
  EXPECT_EQ(RecentTitle(app), "Zuletzt");
  EXPECT_EQ(ItemText(app, +Item::CloseAll), QString::fromUtf8("Alle schließen"));
  EXPECT_EQ(ItemText(app, +Item::New), "Neu\tCtrl+N") << "a later key replaces an earlier one";
  EXPECT_EQ(ItemText(app, +Item::Open), "Open\tCtrl+O");
  EXPECT_EQ(ItemText(app, +Item::Undo), "Undo\tCtrl+Z") << "only the File menu is translated";
  // The button of the settings window too, shown because a file is named.
  d.menu(Item::Preferences);
  auto* button = qobject_cast<QPushButton*>(app.toolkit().control(+ControlId::SaveLanguage));
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->isHidden());
  EXPECT_EQ(button->text(), "Sprache sichern");
}

TEST(Language, AnAmpersandOfATranslationIsShownLiterally) {
  AppDriver d(WithLanguage("amp.lng", "[Language]\r\nClose = Zu & fertig\r\n"));
  EXPECT_EQ(ItemText(d.app(), +Item::Close), "Zu & fertig");
  const auto actions = d.app().toolkit().itemActions(+Item::Close);
  ASSERT_FALSE(actions.empty());
  EXPECT_EQ(actions.front()->text(), "Zu && fertig");
}

TEST(Language, AMissingTextShowsPlainFirstAndWithAStarAfterARebuild) {
  AppDriver d(WithLanguage("de.lng", kGerman));
  App& app = d.app();
  EXPECT_EQ(ItemText(app, +Item::Close), "Close");
  BuildMainMenu(app);
  EXPECT_EQ(ItemText(app, +Item::Close), "Close*");
  EXPECT_EQ(ItemText(app, +Item::CloseAll), QString::fromUtf8("Alle schließen"));
  EXPECT_EQ(FileTitle(app), "Datei");
}

// "File =" left empty in a hand-made file hid the File menu, and with it the
// settings that name the language file: an empty translation shows the text.
TEST(Language, AnEmptyTranslationShowsTheTextItself) {
  AppDriver d(WithLanguage("empty.lng", "[Language]\r\nFile =\r\nClose = \t \r\nNew = Neu\r\n"));
  App& app = d.app();
  EXPECT_EQ(FileTitle(app), "File");
  EXPECT_EQ(ItemText(app, +Item::Close), "Close");
  EXPECT_EQ(ItemText(app, +Item::New), "Neu\tCtrl+N");
  BuildMainMenu(app);
  EXPECT_EQ(FileTitle(app), "File") << "the text is in the file: it is not marked missing";
  EXPECT_EQ(ItemText(app, +Item::Close), "Close");
}

TEST(Language, AMissingLanguageFileLeavesEnglishAndMarksAfterARebuild) {
  AppDriver d(WithLanguage("gone.lng", QByteArray()));
  EXPECT_EQ(FileTitle(d.app()), "File");
  BuildMainMenu(d.app());
  EXPECT_EQ(FileTitle(d.app()), "File*");
}

TEST(Language, SaveLanguageRightAfterStartWritesTheTableSortedByKey) {
  AppDriver d(WithLanguage("de.lng", kGerman));
  d.menu(Item::Preferences);
  const struct {
    const char* answer;
    const char* written;
  } cases[] = {{"new", "new.lng"}, {"list.txt", "list.txt"}, {"my.dir/plain", "my.dir/plain.lng"}};
  QDir().mkpath(d.root() + "my.dir");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    d.requesters().clear();
    d.requesters().answerText(d.root() + c.answer);
    d.post(Event::Control(+ControlId::SaveLanguage, 0, kWin));
    ASSERT_EQ(d.requesters().asked().size(), 1u);
    EXPECT_EQ(d.requesters().asked()[0].kind, "save");
    EXPECT_EQ(d.requesters().asked()[0].title, "New Language file:");
    const QByteArray bytes = ReadFile(d.root() + c.written);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << bytes.left(20).toStdString();
    const PreferenceFile f = PreferenceFile::Parse(bytes);
    const auto& entries = f.entries(u"Language");
    QStringList keys;
    for (const auto& [k, v] : entries) keys << k.toString();
    QStringList sorted = keys;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
    EXPECT_EQ(keys, sorted);
    EXPECT_EQ(f.value(u"Language", u"File"), "Datei");
    EXPECT_EQ(f.value(u"Language", u"Close all"), QString::fromUtf8("Alle schließen"));
    EXPECT_EQ(f.value(u"Language", u"Open from store"), "Open from Store*");
    EXPECT_EQ(f.value(u"Language", u"Preferences"), "Preferences*");
    EXPECT_TRUE(keys.contains("Open from store")) << "keys are written re-cased";
    EXPECT_EQ(f.value(u"Language", u"Save language"), "Sprache sichern");
  }
  // A cancelled requester writes nothing.
  d.requesters().clear();
  d.post(Event::Control(+ControlId::SaveLanguage, 0, kWin));
  EXPECT_EQ(QDir(d.root()).entryList({"*.lng"}).size(), 1);
}

// A language file that cannot be written is said with its path, and an
// existing one keeps its bytes.
TEST(Language, ALanguageFileThatCannotBeWrittenIsSaidAndTheOldOneKept) {
  AppDriver d(WithLanguage("de.lng", kGerman));
  d.menu(Item::Preferences);
  const QString target = d.root() + "mine.lng";
  WriteFile(target, "old\r\n");
  for (const FileFault::Step step : {FileFault::Step::Open, FileFault::Step::Write, FileFault::Step::Commit}) {
    d.requesters().clear();
    d.requesters().answerText(target);
    {
      const ScopedFileFault fault({step, target, 10});
      d.post(Event::Control(+ControlId::SaveLanguage, 0, kWin));
    }
    const auto& asked = d.requesters().asked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].kind, "message");
    EXPECT_EQ(asked[1].title, "Oops!");
    EXPECT_TRUE(asked[1].text.startsWith("The file could not be saved:\n" + target + "\n")) << asked[1].text.toStdString();
    EXPECT_EQ(ReadFile(target), "old\r\n");
  }
}

// The language file shipped in the data folder covers the whole File menu:
// after a rebuild no text of it is marked as missing.
TEST(Language, TheShippedGermanFileTranslatesTheWholeFileMenu) {
  DriverOptions o;
  o.preferences = "[Language]\r\nLanguage file = Deutsch.lng\r\n";
  AppDriver d(o);
  BuildMainMenu(d.app());
  EXPECT_EQ(FileTitle(d.app()), "Datei");
  QStringList marked;
  for (QAction* a : FileMenu(d.app())->actions())
    if (a->text().section(u'\t', 0, 0).endsWith(u'*')) marked << a->text();
  EXPECT_TRUE(marked.isEmpty()) << marked.join(", ").toStdString();
  EXPECT_EQ(ItemText(d.app(), +Item::Preferences), "Einstellungen");
  EXPECT_EQ(Translate(d.app(), "Save language"), "Sprache speichern");
}

}  // namespace
}  // namespace vendle::test
