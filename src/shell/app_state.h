// The program's state that is not a widget: folders, settings, the start-up
// facts and the program-wide lists. One object, passed explicitly.
#pragma once

#include <QString>
#include <QStringList>

#include "documents/document_list.h"
#include "documents/tab_bar_style.h"
#include "editor/syntax_data.h"
#include "platform/folders.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "tools/print_layout.h"

namespace vendle {

struct AppState {
  Folders folders;
  Settings settings;
  Translator translator;  // the interface language, filled at start-up
  SyntaxData syntax;  // the loaded syntax and keyword files
  Documents docs;

  QString versionText;       // "V5.2.6"
  QString buildStamp;        // "%yyyy/%mm/%dd %hh:%ii:%ss" of this build
  QString osVersionText;     // "Linux " + kernel release
  QString commandLineFiles;  // the arguments joined by LF
  bool anotherInstance = false;
  TabBarStyle tabBarStyle;   // the tab bar's drawing defaults, from the system colours
  PrintOptions printOptions; // fixed at start-up; the margins come from the settings

  int quitFlag = 0;             // 1 while quitting; the loop ends after the event that set it
  bool backupRunning = false;   // the backup walk does not move the keyboard focus
  int syntaxHelpLine = -1;     // the editor line whose syntax line the status bar shows
  int returnLine = -1;          // where "Return from Sub/Function" goes back to; -1 when none
  int prefillMode = 0;          // 0 off, 1 prefill, 2 postfill (Item::PrefillStart to Item::CancelPrefill); not saved
  bool preferencesUnread = false;  // a preference file was there but not read: kept at exit
  QString backupFailure;          // the last backup write error told to the user, until one works
  bool replaceEnabled = false;  // the "Replace with:" check box of the Find window; not saved

  // Paths of the temporary copies made for never-saved documents that were
  // run or handed over; deleted at exit.
  QStringList tempFiles;
};

}  // namespace vendle
