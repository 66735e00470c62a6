// The interface language in the running program: the table read at
// start-up, the lookup the menus use and "Save language".
#include "platform/file_io.h"
#include "platform/requesters.h"
#include "settings/language.h"
#include "settings/ui/settings_commands.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

// A language file is a page of text; anything far larger is not one.
constexpr qint64 kLargestLanguageFile = 4 * 1024 * 1024;

}  // namespace

void LoadLanguage(App& app) {
  Translator& t = app.state().translator;
  const QString name = app.settings().languageFile;
  t.setEnabled(name != QLatin1String(kNoLanguage));
  if (!t.enabled()) return;
  const QString path = app.folders().data + QStringLiteral("lang/") + name;
  const ReadResult r = ReadWholeFile(path, kLargestLanguageFile);
  if (!r.ok) {
    DebugLog(app, "language file " + path + " not read: " + r.error);
    return;
  }
  t.load(PreferenceFile::Parse(r.bytes));
}

QString Translate(App& app, const QString& text) {
  // An empty translation would leave a menu without a title: the text stays.
  const QString shown = app.state().translator.translate(text);
  return shown.isEmpty() ? text : shown;
}

void SaveLanguageFile(App& app) {
  FileRequest r;
  r.title = QStringLiteral("New Language file:");
  r.initialPath = app.folders().data + QStringLiteral("lang/");
  r.patterns = QStringLiteral("Language (*.lng|*.lng|Text (*.txt)|*.txt|All files (*.*)|*.*");
  const std::optional<QString> chosen = app.requesters().saveFile(r);
  if (!chosen || chosen->isEmpty()) return;
  const QString path = WithLanguageExtension(*chosen);
  // Success says nothing; a failure is said, as for every file written.
  const WriteResult w = WriteFileSafely(path, LanguageFileBytes(app.state().translator));
  if (!w.ok) app.requesters().message(QStringLiteral("Oops!"), "The file could not be saved:\n" + path + "\n" + w.error);
}

}  // namespace vendle
