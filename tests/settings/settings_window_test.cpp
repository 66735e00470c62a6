// The settings window in the running program, with scripted requesters:
// opening it, its pages' gadgets and their effects, its close, and what the
// preference file holds at exit.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/tab_strip.h"
#include "editor/lexer.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/editor_lexer.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "settings/preference_file.h"
#include "settings/ui/settings_window.h"
#include "shell/ui/services.h"
#include "test_files.h"
#include "editor/ui/editor_view.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;
constexpr int kWin = +WindowId::Settings;

class SettingsWindowTest : public ::testing::Test {
 protected:
  explicit SettingsWindowTest(const QString& prefs = {}) : d(Options(prefs)) {}
  static DriverOptions Options(const QString& prefs) {
    DriverOptions o;
    o.preferences = QStringLiteral("[Misc Preferences]\r\nConfirm before Exit = 0\r\n") + prefs;
    return o;
  }

  App& app() { return d.app(); }
  Settings& settings() { return app().settings(); }
  SettingsWindow* window() { return SettingsWindowOf(app()); }
  void open(Item item = Item::Preferences) {
    d.menu(item);
    ASSERT_NE(window(), nullptr);
  }
  template <class W>
  W* control(ControlId id) {
    return qobject_cast<W*>(app().toolkit().control(+id));
  }
  QString field(ControlId id) { return control<QLineEdit>(id)->text(); }
  void type(ControlId id, const QString& text) { control<QLineEdit>(id)->setText(text); }
  void click(ControlId id) { d.post(Event::Control(+id, 0, kWin)); }
  // A real click on a check box: its state flips, then its event is posted.
  void tick(ControlId id) { control<QCheckBox>(id)->click(); }
  void arrow(ControlId id, int delta) {
    Event e = Event::Control(+id, +ControlEvent::SpinStep, kWin);
    e.delta = delta;
    d.post(e);
  }
  int position() { return control<QSpinBox>(ControlId::ProgramPosition)->value(); }
  void close() { d.post(Event::OfKind(EventKind::Close, kWin)); }
  QStringList asked(const QString& kind) const {
    QStringList out;
    for (const Asked& a : d.requesters().asked())
      if (a.kind == kind) out << a.title + ": " + a.text;
    return out;
  }
  PreferenceFile fileAtExit() {
    d.shutDown();
    return PreferenceFile::Parse(ReadFile(d.dataFolder() + "Vendle5.inf"));
  }

  AppDriver d;
};

// ---- The window ----

TEST_F(SettingsWindowTest, OpensTitledWithItsFourPagesAndEveryGadgetAtItsPlace) {
  open();
  EXPECT_EQ(window()->windowTitle(), "Vendle Settings");
  QTabWidget* panel = control<QTabWidget>(ControlId::SettingsPanel);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), QRect(8, 8, 500, 470));
  ASSERT_EQ(panel->count(), 4);
  const char* const pages[] = {"Colours", "External programs", "External references", "Preferences"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(panel->tabText(i), pages[i]);
  EXPECT_EQ(panel->currentIndex(), 0);
  const struct {
    ControlId id;
    QRect place;
    const char* text;  // the gadget's text, or null for a field
  } gadgets[] = {
      {ControlId::ColourLabel, {5, 5, 0, 30}, "Select the Item to change colours."},
      {ControlId::ColourCanvas, {5, 50, 350, 320}, nullptr},
      {ControlId::ColourDefault, {430, 317, 60, 24}, "Default"},
      {ControlId::ColourCancel, {430, 347, 60, 24}, "Cancel"},
      {ControlId::ColourSave, {430, 380, 60, 24}, "Save"},
      {ControlId::ProgramPosition, {10, 10, 50, 25}, nullptr},
      {ControlId::ProgramMenuTextLabel, {120, 10, 70, 25}, "Menu text"},
      {ControlId::ProgramMenuText, {180, 10, 190, 25}, nullptr},
      {ControlId::ProgramSetDefault, {380, 10, 110, 25}, "Set as default"},
      {ControlId::ProgramFolderLabel, {10, 40, 150, 25}, "Starting folder"},
      {ControlId::ProgramFolder, {10, 60, 450, 25}, nullptr},
      {ControlId::ProgramFolderBrowse, {460, 60, 30, 24}, "..."},
      {ControlId::ProgramPathLabel, {10, 100, 150, 25}, "Path to external program"},
      {ControlId::ProgramPath, {10, 120, 450, 25}, nullptr},
      {ControlId::ProgramPathBrowse, {460, 120, 30, 24}, "..."},
      {ControlId::ProgramParametersLabel, {10, 160, 150, 25}, "Parameters"},
      {ControlId::ProgramParameters, {10, 180, 450, 25}, nullptr},
      {ControlId::ProgramBatch, {10, 210, 50, 25}, nullptr},
      {ControlId::ProgramBatchLabel, {80, 210, 250, 25}, "Use batch file - no, file1, file2"},
      {ControlId::ProgramLegend, {10, 250, 400, 180}, nullptr},
      {ControlId::ProgramTest, {430, 330, 60, 24}, "Test"},
      {ControlId::ProgramSave, {430, 380, 60, 24}, "Save"},
      {ControlId::ReferenceFieldFirst, {10, 10, 450, 25}, nullptr},
      {static_cast<ControlId>(341), {10, 160, 450, 25}, nullptr},
      {ControlId::ReferenceBrowseFirst, {460, 10, 30, 24}, "..."},
      {static_cast<ControlId>(335), {460, 160, 30, 24}, "..."},
      {ControlId::ReferenceSave, {430, 380, 60, 24}, "Save"},
      {ControlId::ConfirmExitCheck, {5, 5, 200, 25}, "Confirm before Exit"},
      {ControlId::OpenBlankCheck, {5, 30, 200, 25}, "Open with a blank file"},
      {ControlId::SmartQuotesCheck, {250, 5, 200, 25}, "Auto convert smart quotes"},
      {ControlId::TabSizeLabel, {5, 60, 50, 25}, "Tab size:"},
      {ControlId::TabSizeSpin, {60, 60, 50, 25}, nullptr},
      {ControlId::FontLabel, {120, 60, 40, 25}, "Font:"},
      {ControlId::FontField, {165, 60, 140, 25}, nullptr},
      {ControlId::FontBrowse, {305, 60, 30, 25}, "..."},
      {ControlId::OptionCheckFirst, {5, 85, 200, 25}, "Preserve first line when crunching"},
      {static_cast<ControlId>(418), {5, 260, 200, 25}, "Allow user keywords"},
      {ControlId::ShowChangesCheck, {220, 85, 200, 25}, "Show changes"},
      {ControlId::WordWrapCheck, {220, 135, 200, 25}, "WordWrap"},
      {ControlId::OptionCheckLast, {220, 185, 250, 25}, "Save folding and bookmarks in BAS"},
      {ControlId::BackupMinutes, {135, 285, 60, 20}, nullptr},
      {ControlId::BackupFolderField, {5, 305, 450, 25}, nullptr},
      {ControlId::BackupFolderBrowse, {460, 305, 30, 24}, "..."},
      {ControlId::StoreFolderField, {5, 365, 450, 25}, nullptr},
      {ControlId::StoreFolderBrowse, {460, 365, 30, 24}, "..."},
      {ControlId::SaveLanguage, {300, 360, 140, 25}, "Save language"},
      {ControlId::PreferencesSave, {430, 410, 60, 24}, "Save"},
  };
  for (const auto& g : gadgets) {
    SCOPED_TRACE(+g.id);
    QWidget* w = app().toolkit().control(+g.id);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(window()->isAncestorOf(w));
    EXPECT_EQ(w->pos(), g.place.topLeft());
    // The colour page's text may be wider than its place in this face.
    if (g.place.width() > 0) {
      EXPECT_EQ(w->size(), g.place.size());
    }
    EXPECT_FALSE(w->accessibleName().isEmpty() && w->toolTip().isEmpty());
    if (!g.text) continue;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      EXPECT_EQ(b->text(), g.text);
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(l->text(), g.text);
    }
  }
  EXPECT_EQ(control<QSpinBox>(ControlId::ProgramPosition)->minimum(), -1);
  EXPECT_EQ(control<QSpinBox>(ControlId::ProgramPosition)->maximum(), 9);
  EXPECT_EQ(control<QSpinBox>(ControlId::ProgramBatch)->maximum(), 9);
  EXPECT_TRUE(control<QLineEdit>(ControlId::FontField)->isReadOnly());
  EXPECT_TRUE(control<QLineEdit>(ControlId::TabSizeFocus)->isHidden());
  EXPECT_TRUE(control<QPushButton>(ControlId::SaveLanguage)->isHidden()) << "hidden with \"none\"";
  const QString legend = control<QLabel>(ControlId::ProgramLegend)->text();
  EXPECT_TRUE(legend.startsWith("%basshort% The name of the bas file without any path\n%bas% The full path"));
  EXPECT_TRUE(legend.endsWith("'save'. ")) << legend.toStdString();
  // The window is big enough for the panel.
  EXPECT_GE(window()->width(), 516);
  EXPECT_GE(window()->height(), 486);
}

TEST_F(SettingsWindowTest, OpeningAgainRaisesTheWindowAndEditListSelectsTheProgramsPage) {
  open();
  SettingsWindow* first = window();
  control<QTabWidget>(ControlId::SettingsPanel)->setCurrentIndex(3);
  d.menu(Item::Preferences);
  EXPECT_EQ(window(), first);
  EXPECT_EQ(control<QTabWidget>(ControlId::SettingsPanel)->currentIndex(), 3);
  d.menu(Item::EditProgramList);
  EXPECT_EQ(window(), first);
  EXPECT_EQ(control<QTabWidget>(ControlId::SettingsPanel)->currentIndex(), 1);
  close();
  EXPECT_EQ(window(), nullptr);
  EXPECT_EQ(settings().prefsWindow.extra1, 1) << "PrefsTab";
  d.menu(Item::EditProgramList);
  ASSERT_NE(window(), nullptr);
  EXPECT_NE(window(), first);
  EXPECT_EQ(control<QTabWidget>(ControlId::SettingsPanel)->currentIndex(), 1);
}

class FilledWindow : public SettingsWindowTest {
 protected:
  FilledWindow()
      : SettingsWindowTest(QStringLiteral(
            "Open blank file = 1\r\nRemove smart quotes = 1\r\nHighlight changes = 2\r\n"
            "[Options]\r\nTabsize = 12\r\nFont size = 9\r\nFont name = DejaVu Sans Mono\r\nWord Wrap = 0\r\n"
            "[Folders]\r\nBackup folder = /b/\r\nStore folder = /s/\r\nExternal Reference 2 = /docs/m.pdf\r\n"
            "[General]\r\nMinutes between backups = 7\r\n"
            "[External programs]\r\nExt0 = Run|/f/|\"/p\"|-x|3\r\n")) {}
};

TEST_F(FilledWindow, ShowsTheSettingsAsStored) {
  open();
  EXPECT_EQ(position(), 0);
  EXPECT_EQ(field(ControlId::ProgramMenuText), "Run");
  EXPECT_EQ(field(ControlId::ProgramFolder), "/f/");
  EXPECT_EQ(field(ControlId::ProgramPath), "\"/p\"");
  EXPECT_EQ(field(ControlId::ProgramParameters), "-x");
  EXPECT_EQ(control<QSpinBox>(ControlId::ProgramBatch)->value(), 3);
  EXPECT_EQ(field(ControlId::ReferenceFieldFirst), "External Reference 0");
  EXPECT_EQ(field(static_cast<ControlId>(338)), "/docs/m.pdf");
  EXPECT_FALSE(control<QCheckBox>(ControlId::ConfirmExitCheck)->isChecked());
  EXPECT_TRUE(control<QCheckBox>(ControlId::OpenBlankCheck)->isChecked());
  EXPECT_TRUE(control<QCheckBox>(ControlId::SmartQuotesCheck)->isChecked());
  EXPECT_EQ(control<QSpinBox>(ControlId::TabSizeSpin)->value(), 12) << "a stored size beyond 8 is not clamped";
  EXPECT_EQ(field(ControlId::FontField), "9pt,  DejaVu Sans Mono");
  EXPECT_EQ(field(ControlId::BackupFolderField), "/b/");
  EXPECT_EQ(field(ControlId::StoreFolderField), "/s/");
  EXPECT_EQ(field(ControlId::BackupMinutes), "7");
  EXPECT_TRUE(control<QCheckBox>(ControlId::ShowChangesCheck)->isChecked());
  EXPECT_FALSE(control<QCheckBox>(ControlId::WordWrapCheck)->isChecked());
}

// ---- External programs ----

TEST_F(SettingsWindowTest, StepsAppendOneBlankEntryPerStepUpToPositionNine) {
  open(Item::EditProgramList);
  const auto& list = settings().externalPrograms;
  ASSERT_EQ(list.size(), 2u);
  arrow(ControlId::ProgramPosition, +1);
  EXPECT_EQ(position(), 1);
  EXPECT_EQ(field(ControlId::ProgramMenuText), "MMB4W");
  control<QSpinBox>(ControlId::ProgramBatch)->setValue(4);
  type(ControlId::ProgramMenuText, "");  // nothing is stored from an empty menu text
  arrow(ControlId::ProgramPosition, +1);
  EXPECT_EQ(position(), 2);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].menuText, "MMB4W");
  EXPECT_EQ(field(ControlId::ProgramMenuText), "");
  EXPECT_EQ(field(ControlId::ProgramPath), "");
  EXPECT_EQ(control<QSpinBox>(ControlId::ProgramBatch)->value(), 4) << "the batch number keeps its value";
  for (int p = 3; p <= 9; ++p) {
    arrow(ControlId::ProgramPosition, +1);
    EXPECT_EQ(position(), p);
    EXPECT_EQ(list.size(), std::size_t(p + 1));
  }
  // At 9 the arrow goes no higher and stores entry 9 only.
  type(ControlId::ProgramMenuText, "Ninth");
  arrow(ControlId::ProgramPosition, +1);
  EXPECT_EQ(position(), 9);
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[9].menuText, "Ninth");
  EXPECT_EQ(list[8].menuText, "");
  // Down at 0 stays at 0.
  for (int i = 0; i < 12; ++i) arrow(ControlId::ProgramPosition, -1);
  EXPECT_EQ(position(), 0);
  EXPECT_EQ(field(ControlId::ProgramMenuText), "Run in DOS");
}

TEST_F(SettingsWindowTest, AStepWritesQuotesAsTokensAndSaveKeepsThem) {
  open(Item::EditProgramList);
  auto& list = settings().externalPrograms;
  type(ControlId::ProgramPath, "\"/usr/bin/mm basic\"");
  type(ControlId::ProgramParameters, "-q \"x\"");
  arrow(ControlId::ProgramPosition, +1);
  EXPECT_EQ(list[0].program, "%q%/usr/bin/mm basic%q%");
  EXPECT_EQ(list[0].parameters, "-q %q%x%q%");
  arrow(ControlId::ProgramPosition, -1);
  EXPECT_EQ(field(ControlId::ProgramPath), "%q%/usr/bin/mm basic%q%");
  type(ControlId::ProgramMenuText, "Mine & yours");
  type(ControlId::ProgramPath, "\"/usr/bin/mm basic\"");
  click(ControlId::ProgramSave);
  EXPECT_EQ(list[0].program, "\"/usr/bin/mm basic\"");
  EXPECT_EQ(list[0].menuText, "Mine & yours");
  EXPECT_EQ(ItemText(app(), +Item::ExternalFirst), "Mine & yours") << "the menu is built again";
}

TEST_F(SettingsWindowTest, AnEntryWithAnEmptyMenuTextIsNotWrittenAtExit) {
  open(Item::EditProgramList);
  arrow(ControlId::ProgramPosition, +1);
  type(ControlId::ProgramMenuText, "");
  click(ControlId::ProgramSave);
  EXPECT_EQ(settings().externalPrograms.size(), 2u) << "the entry stays until the file is written";
  close();
  const PreferenceFile f = fileAtExit();
  EXPECT_EQ(f.value(u"External programs", u"Ext0"), "Run in DOS|'%baspath%'|'%vdlpath%MMBasic.exe'|'%bas%'|1");
  EXPECT_FALSE(f.value(u"External programs", u"Ext1").has_value());
}

TEST_F(SettingsWindowTest, TypedPositionsStoreOnlyAtAnEntryOrJustAfterTheLast) {
  open(Item::EditProgramList);
  auto& list = settings().externalPrograms;
  auto* spin = control<QSpinBox>(ControlId::ProgramPosition);
  spin->setValue(5);
  d.post(Event::Control(+ControlId::ProgramPosition, +ControlEvent::SpinTyped, kWin));
  EXPECT_EQ(field(ControlId::ProgramMenuText), "");
  type(ControlId::ProgramMenuText, "Far");
  click(ControlId::ProgramSave);
  click(ControlId::ProgramSetDefault);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(settings().externalHotLink, 0);
  spin->setValue(2);
  click(ControlId::ProgramSave);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[2].menuText, "Far");
}

TEST_F(SettingsWindowTest, SetAsDefaultMovesTheCheckMarkAndTheTooltip) {
  open(Item::EditProgramList);
  arrow(ControlId::ProgramPosition, +1);
  click(ControlId::ProgramSetDefault);
  EXPECT_EQ(settings().externalHotLink, 1);
  EXPECT_TRUE(ItemChecked(app(), +Item::ExternalFirst + 1));
  EXPECT_FALSE(ItemChecked(app(), +Item::ExternalFirst));
  EXPECT_EQ(ItemToolTip(app(), +Item::RunDefaultExternal), "MMB4W");
  // A blank appended entry cannot be the default.
  arrow(ControlId::ProgramPosition, +1);
  click(ControlId::ProgramSetDefault);
  EXPECT_EQ(settings().externalHotLink, 1);
}

TEST_F(SettingsWindowTest, TheFolderAndFileRequestersFillTheirFieldsBetweenQuoteMarks) {
  open(Item::EditProgramList);
  const QString before = field(ControlId::ProgramFolder);
  d.requesters().clear();
  d.requesters().answerText("/opt/mm");
  click(ControlId::ProgramFolderBrowse);
  EXPECT_EQ(field(ControlId::ProgramFolder), "%q%/opt/mm/%q%");
  d.requesters().answerText("/opt/mm/mmbasic");
  click(ControlId::ProgramPathBrowse);
  EXPECT_EQ(field(ControlId::ProgramPath), "%q%/opt/mm/mmbasic%q%");
  click(ControlId::ProgramFolderBrowse);  // cancelled
  click(ControlId::ProgramPathBrowse);
  EXPECT_EQ(field(ControlId::ProgramFolder), "%q%/opt/mm/%q%");
  EXPECT_EQ(field(ControlId::ProgramPath), "%q%/opt/mm/mmbasic%q%");
  const QString start = app().folders().file;
  EXPECT_EQ(asked("folder"), QStringList({"Folder: " + start, "Folder: " + start}));
  EXPECT_EQ(asked("open"), QStringList({"File: " + start, "File: " + start}));
  EXPECT_EQ(settings().externalPrograms[0].folder, before) << "nothing is stored before a step or Save";
  // "Test" shows what the typed entry would start, and stores nothing.
  d.requesters().clear();
  click(ControlId::ProgramTest);
  ASSERT_EQ(asked("message").size(), 1);
  EXPECT_TRUE(asked("message")[0].startsWith("External program: ")) << asked("message")[0].toStdString();
  EXPECT_TRUE(asked("message")[0].contains("/opt/mm/mmbasic")) << asked("message")[0].toStdString();
  EXPECT_EQ(settings().externalPrograms[0].folder, before);
}

// ---- External references ----

TEST_F(SettingsWindowTest, SavingTheReferencesStoresUnsetSlotsAndLabelsTheMenu) {
  open();
  d.requesters().clear();
  d.requesters().answerText("/docs/manual.pdf");
  click(ControlId::ReferenceBrowseFirst);
  click(static_cast<ControlId>(+ControlId::ReferenceBrowseFirst + 5));  // cancelled
  EXPECT_EQ(field(ControlId::ReferenceFieldFirst), "/docs/manual.pdf");
  EXPECT_EQ(field(static_cast<ControlId>(341)), "External Reference 5");
  EXPECT_EQ(asked("open").value(0), "External Refefence file: " + app().folders().file);
  type(static_cast<ControlId>(337), "https://example.org/guide/ref.htm");
  type(static_cast<ControlId>(339), "");
  click(ControlId::ReferenceSave);
  const auto& refs = settings().externalReferences;
  EXPECT_EQ(refs[0], "/docs/manual.pdf");
  EXPECT_EQ(refs[3], "External Reference 3");
  EXPECT_EQ(field(static_cast<ControlId>(339)), "External Reference 3");
  EXPECT_EQ(ItemText(app(), 284), "manual.pdf");
  EXPECT_EQ(ItemText(app(), 285), "ref.htm (http)");
  EXPECT_EQ(ItemText(app(), 287), "-");
  EXPECT_EQ(asked("message"), QStringList{"File Preferences: Settings saved"});
}

// ---- Preferences ----

TEST_F(SettingsWindowTest, TheFontRequesterSizeIsKeptWithinTenAndSixteen) {
  open();
  const struct {
    int chosen;
    const char* field;
  } cases[] = {{20, "16pt,  Mono A"}, {19, "16pt,  Mono A"}, {18, "18pt,  Mono A"}, {17, "17pt,  Mono A"},
               {9, "10pt,  Mono A"},  {5, "10pt,  Mono A"},  {12, "12pt,  Mono A"}};
  for (const auto& c : cases) {
    d.requesters().answerFont(FontChoice{"Mono A", c.chosen});
    click(ControlId::FontBrowse);
    EXPECT_EQ(field(ControlId::FontField), c.field) << c.chosen;
  }
  click(ControlId::FontBrowse);  // cancelled
  EXPECT_EQ(field(ControlId::FontField), "12pt,  Mono A");
  EXPECT_EQ(settings().fontName, "Courier New") << "nothing is applied before Save";
}

TEST_F(SettingsWindowTest, TheTabSizeArrowsKeepTheirLimitsAndTypingChangesNothing) {
  open();
  auto* spin = control<QSpinBox>(ControlId::TabSizeSpin);
  EXPECT_EQ(spin->value(), 2);
  arrow(ControlId::TabSizeSpin, -1);
  EXPECT_EQ(spin->value(), 2);
  for (int i = 0; i < 8; ++i) arrow(ControlId::TabSizeSpin, +1);
  EXPECT_EQ(spin->value(), 8);
  QTest::keyClicks(spin, "5");
  EXPECT_EQ(spin->value(), 8);
  // Qt's own arrows go through the same step.
  spin->stepBy(-1);
  EXPECT_EQ(spin->value(), 7);
  EXPECT_EQ(settings().tabSize, 2) << "applied by Save only";
  click(ControlId::PreferencesSave);
  EXPECT_EQ(settings().tabSize, 7);
}

class HandEditedBoxes : public SettingsWindowTest {
 protected:
  HandEditedBoxes() : SettingsWindowTest(QStringLiteral("Restore previous files = 2\r\n")) {}
};

TEST_F(HandEditedBoxes, EachCheckBoxSetsItsSettingToItsNewState) {
  open();
  const struct {
    ControlId box;
    int Settings::*setting;
  } boxes[] = {
      {ControlId::SmartQuotesCheck, &Settings::removeSmartQuotes},
      {ControlId::OptionCheckFirst, &Settings::preserveFirstLine},
      {ControlId::AutoCompleteCheck, &Settings::autoComplete},
      {static_cast<ControlId>(413), &Settings::returnCursorAfterSearch},
      {static_cast<ControlId>(414), &Settings::restorePreviousFiles},
      {static_cast<ControlId>(415), &Settings::fileSelector},
      {static_cast<ControlId>(416), &Settings::noHeaderInNewFile},
      {static_cast<ControlId>(417), &Settings::indentLabels},
      {static_cast<ControlId>(418), &Settings::allowUserKeywords},
      {ControlId::ShowChangesCheck, &Settings::highlightChanges},
      {static_cast<ControlId>(420), &Settings::autoCompleteMultiWord},
      {ControlId::WordWrapCheck, &Settings::wordWrap},
      {ControlId::SpacesForTabsCheck, &Settings::useSpacesForTabs},
      {ControlId::OptionCheckLast, &Settings::saveFoldingInBasFile},
  };
  for (const auto& b : boxes) {
    SCOPED_TRACE(+b.box);
    const bool was = control<QCheckBox>(b.box)->isChecked();
    EXPECT_EQ(was, settings().*b.setting != 0);
    tick(b.box);
    EXPECT_EQ(settings().*b.setting, was ? 0 : 1);
    tick(b.box);
    EXPECT_EQ(settings().*b.setting, was ? 1 : 0);
  }
  // A stored 2 shows checked; one click turns it off, never to -1.
  EXPECT_EQ(settings().restorePreviousFiles, 1);
}

TEST_F(SettingsWindowTest, TheWrapTabAndChangeBoxesReachEveryOpenEditor) {
  WriteFile(d.root() + "a.bas", "PRINT 1\r\n");
  WriteFile(d.root() + "b.bas", "PRINT 2\r\n");
  OpenDocument(app(), d.root() + "a.bas", false);
  OpenDocument(app(), d.root() + "b.bas", false);
  ASSERT_GE(app().state().docs.list.size(), 2);
  open();
  auto wrapOfShown = [&] { return CurrentEditor(app())->sci().send(S::SCI_GETWRAPMODE); };
  EXPECT_EQ(wrapOfShown(), 1);
  tick(ControlId::WordWrapCheck);
  EXPECT_EQ(settings().wordWrap, 0);
  EXPECT_EQ(wrapOfShown(), 0);
  EXPECT_EQ(CurrentEditor(app())->sci().send(S::SCI_GETWRAPVISUALFLAGS), 3);
  const int other = app().state().docs.currentTabIndex == 0 ? 1 : 0;
  SwitchDocumentTab(app(), other, app().state().docs.currentTabIndex);
  EXPECT_EQ(wrapOfShown(), 0) << "the other document shows unwrapped too";
  tick(ControlId::WordWrapCheck);
  EXPECT_EQ(wrapOfShown(), 1);

  // Tabs instead of blanks in every editor.
  tick(ControlId::SpacesForTabsCheck);
  for (int i = 0; i < app().state().docs.list.size(); ++i)
    EXPECT_EQ(EditorOfDocument(app(), i)->sci().send(S::SCI_GETUSETABS), 1) << i;

  // Change marks off: an edit marks nothing any more.
  EditorView* ed = CurrentEditor(app());
  ed->sci().send(S::SCI_INSERTTEXT, 0, reinterpret_cast<std::intptr_t>("X"));
  EXPECT_NE(ed->sci().send(S::SCI_MARKERGET, 0) & (1 << kChangeMarker), 0) << "marked while on";
  tick(ControlId::ShowChangesCheck);
  EXPECT_EQ(settings().highlightChanges, 0);
  ed->sci().send(S::SCI_INSERTTEXT, 0, reinterpret_cast<std::intptr_t>("Y"));
  EXPECT_EQ(ed->sci().send(S::SCI_MARKERGET, 0) & (1 << kChangeMarker), 0);
}

TEST_F(SettingsWindowTest, AutoCompleteAppliesTheSyntaxAgainToTheCurrentDocument) {
  open();
  auto offered = [&] {
    const LexerWordRecord* r = LexerLookupWord(*CurrentEditor(app()), "PRINT");
    return r && (r->flags & WordAutoComplete) != 0;
  };
  ASSERT_TRUE(offered());
  tick(ControlId::AutoCompleteCheck);
  EXPECT_EQ(settings().autoComplete, 0);
  EXPECT_FALSE(offered());
  tick(ControlId::AutoCompleteCheck);
  EXPECT_TRUE(offered());
}

TEST_F(SettingsWindowTest, TheBackupAndIncludeFolderRequesters) {
  open();
  const QString files = app().folders().file;
  d.requesters().clear();
  click(ControlId::BackupFolderBrowse);  // cancelled: the empty folder still becomes the file folder
  EXPECT_EQ(settings().backupFolder, files);
  EXPECT_EQ(field(ControlId::BackupFolderField), files);
  d.requesters().answerText(d.root() + "backups");
  click(ControlId::BackupFolderBrowse);
  EXPECT_EQ(settings().backupFolder, d.root() + "backups/");
  EXPECT_EQ(field(ControlId::BackupFolderField), d.root() + "backups/");
  d.requesters().answerText(d.root() + "inc");
  click(ControlId::StoreFolderBrowse);
  EXPECT_EQ(settings().storeFolder, d.root() + "inc/");
  EXPECT_EQ(field(ControlId::StoreFolderField), d.root() + "inc/");
  EXPECT_EQ(asked("folder"),
            QStringList({"Backup folder: " + files, "Backup folder: " + files, "Include folder: " + files}));
}

TEST_F(SettingsWindowTest, SaveTakesThePageWithTheTypedFoldersAndCloseTakesTheMinutes) {
  open();
  tick(ControlId::ConfirmExitCheck);
  tick(ControlId::OpenBlankCheck);
  type(ControlId::BackupFolderField, "  /tmp/typed backups/  ");
  type(ControlId::StoreFolderField, " /tmp/inc/");
  type(ControlId::BackupMinutes, "7");
  type(ControlId::FontField, "9pt,  DejaVu Sans Mono");
  d.requesters().clear();
  click(ControlId::PreferencesSave);
  EXPECT_EQ(settings().confirmBeforeExit, 1);
  EXPECT_EQ(settings().openBlankFile, 1);
  EXPECT_EQ(settings().backupFolder, "/tmp/typed backups/");
  EXPECT_EQ(settings().storeFolder, "/tmp/inc/");
  EXPECT_EQ(settings().backupIntervalSeconds, 420);
  EXPECT_EQ(settings().fontName, "DejaVu Sans Mono");
  EXPECT_EQ(asked("message"), QStringList{"Preferences: Settings saved"});
  // Written at once: a crash before the exit keeps them.
  const QByteArray file = ReadFile(d.dataFolder() + "Vendle5.inf");
  EXPECT_TRUE(file.contains("Minutes between backups = 7")) << file.toStdString();
  EXPECT_TRUE(file.contains("Backup folder = /tmp/typed backups/")) << file.toStdString();
  control<QLineEdit>(ControlId::BackupMinutes)->clear();
  QTest::keyClicks(control<QLineEdit>(ControlId::BackupMinutes), "3x");
  EXPECT_EQ(field(ControlId::BackupMinutes), "3") << "whole minutes only";
  close();
  EXPECT_EQ(settings().backupIntervalSeconds, 180) << "the minutes are taken at close without Save";
}

TEST_F(SettingsWindowTest, ClosingStoresTheRectangleAndPageAndColoursTheEditors) {
  open();
  window()->move(130, 140);
  window()->resize(600, 520);
  d.processEvents(50);
  control<QTabWidget>(ControlId::SettingsPanel)->setCurrentIndex(2);
  window()->working[+ColourSlot::DefaultBack] = 0x123456;
  click(ControlId::ColourSave);
  EXPECT_NE(CurrentEditor(app())->sci().send(S::SCI_STYLEGETBACK, 32), 0x123456) << "editors wait for the close";
  const QPoint framePos = window()->pos();
  close();
  const WindowRect& r = settings().prefsWindow;
  EXPECT_EQ(QPoint(r.x, r.y), framePos);
  EXPECT_EQ(QSize(r.w, r.h), QSize(600, 520));
  EXPECT_EQ(r.extra1, 2);
  EXPECT_EQ(CurrentEditor(app())->sci().send(S::SCI_STYLEGETBACK, 32), 0x123456);
  // Opened again it takes the same place and size: nothing drifts.
  open();
  EXPECT_EQ(window()->pos(), framePos);
  EXPECT_EQ(window()->size(), QSize(600, 520));
  EXPECT_EQ(control<QTabWidget>(ControlId::SettingsPanel)->currentIndex(), 2);
}

TEST_F(SettingsWindowTest, ThePreferenceFileAtExitHoldsWhatTheWindowChanged) {
  open();
  tick(ControlId::WordWrapCheck);
  tick(ControlId::SmartQuotesCheck);
  type(static_cast<ControlId>(339), "/docs/three.pdf");
  click(ControlId::ReferenceSave);
  click(ControlId::ColourDefault);
  click(ControlId::ColourSave);
  arrow(ControlId::ProgramPosition, +1);
  arrow(ControlId::ProgramPosition, +1);
  type(ControlId::ProgramMenuText, "Third");
  type(ControlId::ProgramPath, "/bin/run3");
  click(ControlId::ProgramSave);
  click(ControlId::ProgramSetDefault);
  type(ControlId::BackupMinutes, "12");
  close();
  const PreferenceFile f = fileAtExit();
  EXPECT_EQ(f.value(u"Options", u"Word Wrap"), "0");
  EXPECT_EQ(f.value(u"Misc Preferences", u"Remove smart quotes"), "1");
  EXPECT_EQ(f.value(u"Folders", u"External Reference 3"), "/docs/three.pdf");
  EXPECT_EQ(f.value(u"Colours", u"Comment"), "$BBBBBB");
  EXPECT_EQ(f.value(u"Colours", u"Caret_back"), "$A4FFFF");
  // The new entry took the batch number spin 360 kept from entry 1.
  EXPECT_EQ(f.value(u"External programs", u"Ext2"), "Third||/bin/run3||2");
  EXPECT_EQ(f.value(u"External programs", u"External hot link"), "2");
  EXPECT_EQ(f.value(u"General", u"Minutes between backups"), "12");
}

}  // namespace
}  // namespace vendle::test
