// The interface language: the table of translations read from a language
// file, the lookup that remembers every text it did not find, and the form
// of a saved language file. Texts are UTF-16.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

#include "settings/preference_file.h"

namespace vendle {

// The "Language file" value that switches the translation off.
inline constexpr char kNoLanguage[] = "none";

class Translator {
 public:
  // Off translates nothing and remembers nothing.
  void setEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }

  // The group "Language" of `file`, in file order: a later key of the same
  // form replaces an earlier one.
  void load(const PreferenceFile& file);
  // The translation of `text`; a text not in the table comes back as it is
  // and is remembered with "*" after it, which later requests then get.
  QString translate(const QString& text);

  // Key (the text trimmed and in upper case) -> translation, sorted by key.
  const std::map<QString, QString>& entries() const { return map_; }

 private:
  bool enabled_ = false;
  std::map<QString, QString> map_;
};

// The table's key for a text: blanks removed at both ends, upper case.
QString TranslationKey(const QString& text);
// A key as a saved file writes it: first character upper case, the rest lower.
QString RecasedKey(const QString& key);
// The bytes of a language file holding every entry, sorted by key.
QByteArray LanguageFileBytes(const Translator& t);
// `path` with ".lng" appended when its file-name part has no extension.
QString WithLanguageExtension(const QString& path);

}  // namespace vendle
