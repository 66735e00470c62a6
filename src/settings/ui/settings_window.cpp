// WindowId::Settings "Vendle Settings": building it, filling it from the settings,
// opening and closing it, and the events of the window itself.
#include "settings/ui/settings_window.h"

#include <QFont>
#include <QIntValidator>
#include <QLineEdit>
#include <algorithm>
#include <limits>

#include "platform/event.h"
#include "platform/ui/toolkit.h"
#include "settings/colour_preview.h"
#include "settings/language.h"
#include "settings/ui/apply_preferences.h"
#include "settings/ui/settings_commands.h"
#include "settings/value_forms.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

// ControlId::SettingsPanel at 8, 8, 500 x 470, with a margin of 8 around it.
constexpr int kPanelRight = 8 + 500 + 8;
constexpr int kPanelBottom = 8 + 470 + 8;

constexpr char kWhiteField[] = "QLineEdit { background: white; }";

// A "..." button says what it chooses: its tooltip, and the slot it
// belongs to where there are several.
void Browse(QPushButton* b, const QString& what, const QString& slot = QString()) {
  b->setToolTip(what);
  b->setAccessibleName(slot.isEmpty() ? what : what + u' ' + slot);
}

// The check boxes ControlId::OptionCheckFirst to OptionCheckLast and their
// settings, in control order.
constexpr IntSetting kOptionSettings[] = {
    &Settings::preserveFirstLine,   &Settings::autoComplete,          &Settings::returnCursorAfterSearch,
    &Settings::restorePreviousFiles, &Settings::fileSelector,         &Settings::noHeaderInNewFile,
    &Settings::indentLabels,        &Settings::allowUserKeywords,     &Settings::highlightChanges,
    &Settings::autoCompleteMultiWord, &Settings::wordWrap,            &Settings::useSpacesForTabs,
    &Settings::saveFoldingInBasFile,
};
static_assert(std::size(kOptionSettings) == +ControlId::OptionCheckLast - +ControlId::OptionCheckFirst + 1);

struct OptionBox {
  const char* text;
  int x, y, w;
};
constexpr OptionBox kOptionBoxes[] = {
    {"Preserve first line when crunching", 5, 85, 200}, {"Auto complete", 5, 110, 200},
    {"Return cursor after search", 5, 135, 200},        {"Restore previous files", 5, 160, 200},
    {"Use *.* for file selector", 5, 185, 200},         {"No header in new file", 5, 210, 200},
    {"Indent labels", 5, 235, 200},                     {"Allow user keywords", 5, 260, 200},
    {"Show changes", 220, 85, 200},                     {"Auto complete multi word", 220, 110, 200},
    {"WordWrap", 220, 135, 200},                        {"Use spaces for Tabs", 220, 160, 200},
    {"Save folding and bookmarks in BAS", 220, 185, 250},
};
static_assert(std::size(kOptionBoxes) == std::size(kOptionSettings));

const char* const kLegend[] = {
    "%basshort% The name of the bas file without any path",
    "%bas% The full path And filename To the current BAS file.",
    "%baspath% The path To the current BAS file",
    "%extpath% The path To the external.exe (Default starting folder)",
    "%vdlpath% The path To the Vendle And Corvat program folder",
    "%q% or ' = quote Chr(34)",
    "Any actual quotes entered will be changed to '%q%' when saving.",
    "Changes will be saved when changing selection. ",
    "To delete an item, clear the menu text and 'save'. ",
};

QString L(const char* text) { return QString::fromLatin1(text); }

void StoreRect(App& app, const QWidget& w) {
  WindowRect& r = app.settings().prefsWindow;
  // Frame position and client size: what move() and resize() take back.
  r.x = w.pos().x();
  r.y = w.pos().y();
  r.w = w.width();
  r.h = w.height();
}

void CloseSettingsWindow(App& app, SettingsWindow& w) {
  Settings& s = app.settings();
  if (w.windowState() == Qt::WindowNoState) StoreRect(app, w);
  s.prefsWindow.extra1 = w.panel->currentIndex();
  s.backupIntervalSeconds = MinutesToSeconds(ParseInt32(w.fieldText(ControlId::BackupMinutes)));
  app.toolkit().unregisterWindow(kSettingsWindow);
  w.hide();
  // The close may run inside one of the window's own events.
  w.deleteLater();
  ApplyColoursToEditors(app);
}

}  // namespace

// ---- Widgets ----

ArrowSpin::ArrowSpin(App& app, ControlId id, bool typable, QWidget* parent) : QSpinBox(parent), app_(app), id_(id) {
  if (!typable) {
    // Typing puts back the value the arrows reached: it changes nothing.
    lineEdit()->setReadOnly(true);
    return;
  }
  connect(lineEdit(), &QLineEdit::textEdited, this,
          [this] { app_.dispatcher().post(Event::Control(+id_, +ControlEvent::SpinTyped, kSettingsWindow)); });
}

void ArrowSpin::stepBy(int steps) {
  if (steps == 0) return;
  Event e = Event::Control(+id_, +ControlEvent::SpinStep, kSettingsWindow);
  e.delta = steps > 0 ? 1 : -1;
  app_.dispatcher().post(e);
}

QAbstractSpinBox::StepEnabled ArrowSpin::stepEnabled() const {
  // The handler keeps the limits; the arrows themselves always work.
  return StepUpEnabled | StepDownEnabled;
}

SettingsWindow::SettingsWindow(App& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      app_(app) {
  setWindowTitle(QStringLiteral("Vendle Settings"));
  panel = place(new QTabWidget(this), ControlId::SettingsPanel, 8, 8, 500, 470);
  panel->setAccessibleName(QStringLiteral("Vendle Settings"));
  const char* const titles[] = {"Colours", "External programs", "External references", "Preferences"};
  std::vector<QWidget*> pages;
  for (const char* t : titles) {
    auto* page = new QWidget;
    page->setAccessibleName(L(t));
    panel->addTab(page, L(t));
    pages.push_back(page);
  }
  buildColours(pages[0]);
  buildPrograms(pages[1]);
  buildReferences(pages[2]);
  buildPreferences(pages[3]);
}

SettingsWindow::~SettingsWindow() {
  // A newer window may hold the numbers already: only our own are let go.
  for (int id : ids_)
    if (QWidget* c = app_.toolkit().control(id); c && (c == this || isAncestorOf(c))) app_.toolkit().unregisterControl(id);
}

QWidget* SettingsWindow::control(ControlId id) const { return app_.toolkit().control(+id); }

template <typename T>
T* SettingsWindow::place(T* w, ControlId id, int x, int y, int width, int height) {
  w->setGeometry(x, y, width, height);
  app_.toolkit().registerControl(+id, w);
  ids_.push_back(+id);
  return w;
}

void SettingsWindow::post(ControlId id) { app_.dispatcher().post(Event::Control(+id, 0, kSettingsWindow)); }

QLabel* SettingsWindow::label(QWidget* page, const QString& text, ControlId id, int x, int y, int w, int h) {
  return place(label(page, text, x, y, w, h), id, x, y, w, h);
}

QLabel* SettingsWindow::label(QWidget* page, const QString& text, int x, int y, int w, int h) {
  auto* l = new QLabel(text, page);
  l->setAccessibleName(text);
  l->setGeometry(x, y, w, h);
  return l;
}

QLineEdit* SettingsWindow::field(QWidget* page, const QString& name, ControlId id, int x, int y, int w, int h) {
  auto* f = new QLineEdit(page);
  f->setAccessibleName(name);
  f->setStyleSheet(L(kWhiteField));
  return place(f, id, x, y, w, h);
}

QPushButton* SettingsWindow::button(QWidget* page, const QString& text, ControlId id, int x, int y, int w, int h) {
  auto* b = new QPushButton(text, page);
  b->setAccessibleName(text);
  b->setAutoDefault(false);
  connect(b, &QPushButton::clicked, this, [this, id] { post(id); });
  return place(b, id, x, y, w, h);
}

QCheckBox* SettingsWindow::check(QWidget* page, const QString& text, ControlId id, int x, int y, int w, int h) {
  auto* c = new QCheckBox(text, page);
  c->setAccessibleName(text);
  // Only a click acts, not a state the program sets.
  connect(c, &QCheckBox::clicked, this, [this, id] { post(id); });
  return place(c, id, x, y, w, h);
}

void SettingsWindow::buildColours(QWidget* page) {
  QLabel* text = label(page, L(kPickColourText), ControlId::ColourLabel, 5, 5, 350, 30);
  QFont arial(QStringLiteral("Arial"), 16);
  arial.setStyleHint(QFont::SansSerif);
  text->setFont(arial);
  // Its longest text, in the face this system has, may need more room than
  // the place gives; the page has it to the right.
  const int room = text->fontMetrics().horizontalAdvance(L(kPickColourText)) + 8;
  text->resize(std::clamp(room, 350, 480), 30);
  canvas = place(new ColourCanvas(app_, working, page), ControlId::ColourCanvas, 5, 50, 350, 320);
  button(page, L("Default"), ControlId::ColourDefault, 430, 317, 60, 24);
  button(page, L("Cancel"), ControlId::ColourCancel, 430, 347, 60, 24);
  button(page, L("Save"), ControlId::ColourSave, 430, 380, 60, 24);
}

void SettingsWindow::buildPrograms(QWidget* page) {
  auto* position = place(new ArrowSpin(app_, ControlId::ProgramPosition, true, page), ControlId::ProgramPosition, 10,
                         10, 50, 25);
  position->setRange(-1, 9);
  position->setAccessibleName(L("Position"));
  label(page, L("Menu text"), ControlId::ProgramMenuTextLabel, 120, 10, 70, 25);
  field(page, L("Menu text"), ControlId::ProgramMenuText, 180, 10, 190, 25);
  button(page, L("Set as default"), ControlId::ProgramSetDefault, 380, 10, 110, 25);
  label(page, L("Starting folder"), ControlId::ProgramFolderLabel, 10, 40, 150, 25);
  field(page, L("Starting folder"), ControlId::ProgramFolder, 10, 60, 450, 25);
  Browse(button(page, L("..."), ControlId::ProgramFolderBrowse, 460, 60, 30, 24), L("Folder"));
  label(page, L("Path to external program"), ControlId::ProgramPathLabel, 10, 100, 150, 25);
  field(page, L("Path to external program"), ControlId::ProgramPath, 10, 120, 450, 25);
  Browse(button(page, L("..."), ControlId::ProgramPathBrowse, 460, 120, 30, 24), L("File"));
  label(page, L("Parameters"), ControlId::ProgramParametersLabel, 10, 160, 150, 25);
  field(page, L("Parameters"), ControlId::ProgramParameters, 10, 180, 450, 25);
  auto* batch = place(new QSpinBox(page), ControlId::ProgramBatch, 10, 210, 50, 25);
  batch->setRange(0, 9);
  batch->setAccessibleName(L("Use batch file - no, file1, file2"));
  label(page, L("Use batch file - no, file1, file2"), ControlId::ProgramBatchLabel, 80, 210, 250, 25);
  QStringList legend;
  for (const char* line : kLegend) legend << L(line);
  QLabel* l = label(page, legend.join(u'\n'), ControlId::ProgramLegend, 10, 250, 400, 180);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setWordWrap(true);
  button(page, L("Test"), ControlId::ProgramTest, 430, 330, 60, 24);
  button(page, L("Save"), ControlId::ProgramSave, 430, 380, 60, 24);
}

void SettingsWindow::buildReferences(QWidget* page) {
  for (int i = 0; i < 6; ++i) {
    const auto fieldId = static_cast<ControlId>(+ControlId::ReferenceFieldFirst + i);
    const auto browseId = static_cast<ControlId>(+ControlId::ReferenceBrowseFirst + i);
    field(page, L("External reference ") + QString::number(i + 1), fieldId, 10, 10 + 30 * i, 450, 25);
    Browse(button(page, L("..."), browseId, 460, 10 + 30 * i, 30, 24), L("External Refefence file"),
           QString::number(i));
  }
  button(page, L("Save"), ControlId::ReferenceSave, 430, 380, 60, 24);
}

void SettingsWindow::buildPreferences(QWidget* page) {
  check(page, L("Confirm before Exit"), ControlId::ConfirmExitCheck, 5, 5, 200, 25);
  check(page, L("Open with a blank file"), ControlId::OpenBlankCheck, 5, 30, 200, 25);
  check(page, L("Auto convert smart quotes"), ControlId::SmartQuotesCheck, 250, 5, 200, 25);
  label(page, L("Tab size:"), ControlId::TabSizeLabel, 5, 60, 50, 25);
  auto* tab = place(new ArrowSpin(app_, ControlId::TabSizeSpin, false, page), ControlId::TabSizeSpin, 60, 60, 50, 25);
  // Wide enough that a stored size beyond the arrows' 1..8 is shown as it is.
  tab->setRange(0, 99);
  tab->setAccessibleName(L("Tab size:"));
  label(page, L("Font:"), ControlId::FontLabel, 120, 60, 40, 25);
  field(page, L("Font:"), ControlId::TabSizeFocus, 165, 60, 50, 25)->hide();
  QLineEdit* font = field(page, L("Font:"), ControlId::FontField, 165, 60, 140, 25);
  font->setReadOnly(true);
  Browse(button(page, L("..."), ControlId::FontBrowse, 305, 60, 30, 25), L("Font"));
  for (int k = 0; k < int(std::size(kOptionBoxes)); ++k) {
    const OptionBox& b = kOptionBoxes[k];
    QCheckBox* c = check(page, L(b.text), static_cast<ControlId>(+ControlId::OptionCheckFirst + k), b.x, b.y, b.w, 25);
    // A text wider than its place (this font is wider than the one the
    // places were made for) is set smaller rather than cut.
    QFont f = c->font();
    while (c->sizeHint().width() > b.w && f.pointSizeF() > 6) {
      f.setPointSizeF(f.pointSizeF() - 0.5);
      c->setFont(f);
    }
  }
  label(page, L("Backup interval"), 5, 285, 120, 25);
  // Whole minutes: a typed letter is refused rather than read as 0 (no backups).
  field(page, L("Backup interval"), ControlId::BackupMinutes, 135, 285, 60, 20)
      ->setValidator(new QIntValidator(0, 99999, page));
  field(page, L("Backup folder"), ControlId::BackupFolderField, 5, 305, 450, 25);
  Browse(button(page, L("..."), ControlId::BackupFolderBrowse, 460, 305, 30, 24), L("Backup folder"));
  label(page, L("Include folder"), 5, 345, 120, 25);
  field(page, L("Include folder"), ControlId::StoreFolderField, 5, 365, 450, 25);
  Browse(button(page, L("..."), ControlId::StoreFolderBrowse, 460, 365, 30, 24), L("Include folder"));
  QPushButton* language = button(page, Translate(app_, L("Save language")), ControlId::SaveLanguage, 300, 360, 140, 25);
  language->setVisible(app_.settings().languageFile != QLatin1String(kNoLanguage));
  button(page, L("Save"), ControlId::PreferencesSave, 430, 410, 60, 24);
}

void SettingsWindow::fill() {
  const Settings& s = app_.settings();
  working = s.colours;
  canvas->update();
  get<QSpinBox>(ControlId::ProgramPosition)->setValue(0);
  ShowProgramFields(*this, ShownAt(s.externalPrograms, 0, 0));
  for (int i = 0; i < 6; ++i)
    setFieldText(static_cast<ControlId>(+ControlId::ReferenceFieldFirst + i), s.externalReferences[std::size_t(i)]);
  get<QCheckBox>(ControlId::ConfirmExitCheck)->setChecked(s.confirmBeforeExit != 0);
  get<QCheckBox>(ControlId::OpenBlankCheck)->setChecked(s.openBlankFile != 0);
  // Typing in the spin changes nothing, so what it puts back starts at this size.
  get<QSpinBox>(ControlId::TabSizeSpin)->setValue(s.tabSize);
  setFieldText(ControlId::FontField, FormatFontField(s.fontSize, s.fontName));
  get<QCheckBox>(ControlId::SmartQuotesCheck)->setChecked(s.removeSmartQuotes != 0);
  setFieldText(ControlId::BackupFolderField, s.backupFolder);
  setFieldText(ControlId::BackupMinutes, QString::number(SecondsToMinutes(s.backupIntervalSeconds)));
  setFieldText(ControlId::StoreFolderField, s.storeFolder);
  for (int c = +ControlId::OptionCheckFirst; c <= +ControlId::OptionCheckLast; ++c)
    get<QCheckBox>(static_cast<ControlId>(c))->setChecked(s.*OptionSettingOf(c) != 0);
}

IntSetting OptionSettingOf(int control) {
  return kOptionSettings[std::clamp(control - +ControlId::OptionCheckFirst, 0, int(std::size(kOptionSettings)) - 1)];
}

SettingsWindow* SettingsWindowOf(App& app) {
  return dynamic_cast<SettingsWindow*>(app.toolkit().window(kSettingsWindow));
}

// ---- Entry points ----

void ShowPreferences(App& app, int page) {
  if (SettingsWindow* w = SettingsWindowOf(app)) {
    if (page == 1) w->panel->setCurrentIndex(1);
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->raise();
    w->activateWindow();
    return;
  }
  const WindowRect& r = app.settings().prefsWindow;
  auto* w = new SettingsWindow(app, app.mainWidget());
  // Never smaller than the panel needs, so no control is cut off.
  PlaceOnScreen(w, r.x, r.y, std::max(r.w, kPanelRight), std::max(r.h, kPanelBottom));
  w->panel->setCurrentIndex(std::clamp(r.extra1, 0, 3));
  w->fill();
  if (page == 1) w->panel->setCurrentIndex(1);
  app.toolkit().registerWindow(kSettingsWindow, w);
  if (app.options().showWindow) w->show();
}

void SettingsWindowEvent(App& app, const Event& e) {
  SettingsWindow* w = SettingsWindowOf(app);
  if (!w) return;
  switch (e.kind) {
    case EventKind::Move:
    case EventKind::Size:
      if (w->windowState() == Qt::WindowNoState) StoreRect(app, *w);
      break;
    case EventKind::Close:
      app.noteHandler("CloseSettingsWindow");
      CloseSettingsWindow(app, *w);
      break;
    case EventKind::Control:
      ColourPageEvent(app, *w, e);
      ProgramPageEvent(app, *w, e);
      ReferencePageEvent(app, *w, e);
      PreferencePageEvent(app, *w, e);
      break;
    default: break;
  }
}

}  // namespace vendle
