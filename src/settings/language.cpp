#include "settings/language.h"
#include "platform/text_trim.h"

namespace vendle {
QString TranslationKey(const QString& text) { return TrimSpacesAndTabs(text).toString().toUpper(); }

QString RecasedKey(const QString& key) {
  if (key.isEmpty()) return key;
  return key.first(1).toUpper() + key.sliced(1).toLower();
}

void Translator::load(const PreferenceFile& file) {
  for (const auto& [key, value] : file.entries(u"Language")) map_[TranslationKey(key.toString())] = TrimSpacesAndTabs(value).toString();
}

QString Translator::translate(const QString& text) {
  if (!enabled_) return text;
  const QString key = TranslationKey(text);
  const auto it = map_.find(key);
  if (it != map_.end()) return it->second;
  map_.emplace(key, text + u'*');
  return text;
}

QByteArray LanguageFileBytes(const Translator& t) {
  PreferenceWriter w;
  w.group(QStringLiteral("Language"));
  for (const auto& [key, value] : t.entries()) w.key(RecasedKey(key), value);
  return w.bytes();
}

QString WithLanguageExtension(const QString& path) {
  const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  const QString name = path.sliced(slash + 1);
  return name.contains(u'.') ? path : path + QStringLiteral(".lng");
}

}  // namespace vendle
