// Start-up loading of the syntax and keyword files from the data folder.
#include "editor/syntax_load.h"
#include "editor/ui/syntax_commands.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {

void LoadSyntaxFiles(App& app) {
  const Settings& s = app.settings();
  SyntaxLoadOptions options;
  options.defaultSyntax = s.defaultSyntax;
  options.removeOldFiles = s.removeOldTknFiles != 0;
  options.multiWord = s.autoCompleteMultiWord != 0;
  options.allowUserKeywords = s.allowUserKeywords != 0;
  SyntaxData& data = app.state().syntax;
  const SyntaxLoadReport report = LoadTokenFiles(app.folders().data, options, data);
  for (const QString& path : report.deleted) DebugLog(app, "removed old syntax file " + path);
  for (const QString& path : report.unreadable) DebugLog(app, "could not read or remove " + path);
  for (const QString& why : report.skipped) DebugLog(app, "skipped data file " + why);
  if (const SyntaxEntry* e = data.currentEntry()) app.settings().currentSyntaxName = e->name;
}

void LoadKeywordFiles(App& app) {
  for (const QString& why : LoadKeywordHelpFiles(app.folders().data, app.state().syntax))
    DebugLog(app, "skipped data file " + why);
}

}  // namespace vendle
