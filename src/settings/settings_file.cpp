#include "settings/settings_file.h"

#include <algorithm>
#include <charconv>

#include "platform/text_values.h"
#include "settings/settings_keys.h"
#include "settings/value_forms.h"

namespace vendle {
namespace {

constexpr int kRecentRead = 10;   // MRUFile0..9, FindWord0..9
constexpr int kProgramsRead = 10; // Ext0..9, Ravolt0..9
constexpr int kNewFileLines = 50;
constexpr int kMinTabs = 5;
constexpr int kMaxTabs = 39;
constexpr int kLargestTabSize = 99;  // the most the settings window shows

template <class... Ts>
struct Overload : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overload(Ts...) -> Overload<Ts...>;

// "base" followed by n, built in place: loading and saving name a few
// hundred numbered keys, and none needs an allocation of its own.
class NumberedKey {
 public:
  NumberedKey(const char* base, int n) {
    while (*base && size_ < kRoom - 12) text_[size_++] = char16_t(*base++);
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    for (const char* d = digits; d != end; ++d) text_[size_++] = char16_t(*d);
  }
  operator QStringView() const { return QStringView(text_, size_); }

 private:
  static constexpr qsizetype kRoom = 40;
  char16_t text_[kRoom];
  qsizetype size_ = 0;
};

// Stores a value read in its form into its field.
void Store(Settings& s, const LayoutEntry& e, const QString& value) {
  std::visit(Overload{
                 [](std::monostate) {},
                 [&](QString Settings::*m) {
                   s.*m = value;
                   if (e.form == ValueForm::Unquoted) (s.*m).remove(u'"');
                 },
                 [&](int Settings::*m) {
                   s.*m = e.form == ValueForm::Minutes ? MinutesToSeconds(ParseInt32(value)) : ParseInt32(value);
                 },
                 [&](qint64 Settings::*m) { s.*m = ParseAtol(value); },
                 [&](WindowField w) { (s.*w.rect).*w.part = ParseInt32(value); },
                 [&](ColourField c) { s.colours[std::size_t(c.slot)] = ParseColour(value); },
                 [&](ReferenceField r) { s.externalReferences[std::size_t(r.index)] = value; },
             },
             e.field);
}

const Settings& Defaults() {
  static const Settings defaults;
  return defaults;
}

// The written text of a key, or nothing when it is not written.
std::optional<QString> ValueText(const Settings& s, const LayoutEntry& e, const QString& dataFolder, int hotLink) {
  switch (e.form) {
    case ValueForm::DataFolder: return dataFolder;
    case ValueForm::WrittenAsZero: return QStringLiteral("0");
    case ValueForm::IncludeParameters: return QString::number(s.includeParameters);
    case ValueForm::HotLink: return QString::number(hotLink);
    default: break;
  }
  return std::visit(Overload{
                        [](std::monostate) -> std::optional<QString> { return QString(); },
                        [&](QString Settings::*m) -> std::optional<QString> {
                          if (e.form == ValueForm::UnlessDefault && s.*m == Defaults().*m) return std::nullopt;
                          return s.*m;
                        },
                        [&](int Settings::*m) -> std::optional<QString> {
                          return QString::number(e.form == ValueForm::Minutes ? SecondsToMinutes(s.*m) : s.*m);
                        },
                        [&](qint64 Settings::*m) -> std::optional<QString> { return QString::number(s.*m); },
                        [&](WindowField w) -> std::optional<QString> { return QString::number((s.*w.rect).*w.part); },
                        [&](ColourField c) -> std::optional<QString> {
                          return ColourValueText(s.colours[std::size_t(c.slot)]);
                        },
                        [&](ReferenceField r) -> std::optional<QString> {
                          return s.externalReferences[std::size_t(r.index)];
                        },
                    },
                    e.field);
}

QStringList ReadNonEmpty(const PreferenceFile::Group& g, const char* base, int count) {
  QStringList out;
  for (int k = 0; k < count; ++k) {
    const QString v = g.text(NumberedKey(base, k), {});
    if (!v.isEmpty()) out << v;
  }
  return out;
}

void ReadList(const PreferenceFile::Group& g, SettingsList list, Settings& s) {
  switch (list) {
    case SettingsList::OpenFiles: {
      // A hand-edited count cannot make the loop run past the keys present.
      const int stored = ParseInt32(g.text(u"File Count", QStringLiteral("0")));
      const int count = int(std::clamp<qint64>(stored, 0, g.keyCount()));
      s.openFilesString.clear();
      for (int n = 1; n <= count; ++n) s.openFilesString += u'\n' + g.text(NumberedKey("File", n), {});
      s.fileCount = count;
      break;
    }
    case SettingsList::RecentFiles: s.recentFiles = ReadNonEmpty(g, "MRUFile", kRecentRead); break;
    case SettingsList::RecentSearches: s.findHistory = ReadNonEmpty(g, "FindWord", kRecentRead); break;
    case SettingsList::ExternalPrograms: {
      s.externalPrograms.clear();
      for (const QString& v : ReadNonEmpty(g, "Ext", kProgramsRead))
        s.externalPrograms.push_back(ParseProgramEntry(v));
      if (s.externalPrograms.empty()) s.externalPrograms = DefaultExternalPrograms();
      break;
    }
    case SettingsList::NewFileText: {
      QString text;
      for (int n = 1; n <= kNewFileLines; ++n) {
        const QString v = g.text(NumberedKey("New file line", n), {});
        if (!v.isEmpty()) text += v + u'\n';
      }
      s.newFileText = text.isEmpty() ? DefaultNewFileText() : text;
      break;
    }
  }
}

// Entries of the open-files text: empty fields and fields that would break
// the file's lines are left out.
QStringList OpenFileEntries(const QString& openFiles) {
  QStringList out;
  for (const QString& e : openFiles.split(u'\n', Qt::SkipEmptyParts))
    if (!HasLineBreak(e)) out << e;
  return out;
}

void WriteNumbered(PreferenceWriter& w, const QStringList& items, const char* base) {
  int k = 0;
  for (const QString& v : items)
    if (!HasLineBreak(v)) w.key(NumberedKey(base, k++), v);
}

bool ProgramWritten(const ExternalProgramEntry& e) { return !e.menuText.isEmpty() && IsSingleLine(e); }

// The hot link's position among the written entries; 0 when its entry is
// not written or the index is outside the list.
int RemappedHotLink(const Settings& s) {
  const int i = CheckedProgramIndex(s.externalHotLink, s.externalPrograms);
  if (i < 0 || !ProgramWritten(s.externalPrograms[std::size_t(i)])) return 0;
  return int(std::count_if(s.externalPrograms.begin(), s.externalPrograms.begin() + i, ProgramWritten));
}

void WriteList(PreferenceWriter& w, SettingsList list, const Settings& s) {
  switch (list) {
    case SettingsList::OpenFiles: {
      const QStringList files = OpenFileEntries(s.openFilesString);
      w.key(QStringLiteral("File Count"), files.size());
      for (int n = 1; n <= files.size(); ++n) w.key(NumberedKey("File", n), files[n - 1]);
      break;
    }
    case SettingsList::RecentFiles: WriteNumbered(w, s.recentFiles, "MRUFile"); break;
    case SettingsList::RecentSearches: WriteNumbered(w, s.findHistory, "FindWord"); break;
    case SettingsList::ExternalPrograms: {
      int k = 0;
      for (const ExternalProgramEntry& e : s.externalPrograms)
        if (ProgramWritten(e)) w.key(NumberedKey("Ext", k++), FormatProgramEntry(e));
      break;
    }
    case SettingsList::NewFileText: {
      // "No header in new file" empties the header of the run; the stored
      // one is kept for the file.
      const QString& text = s.newFileText.isEmpty() ? s.storedNewFileText : s.newFileText;
      const QStringList lines = text.split(u'\n');
      for (int n = 1; n <= std::min<qsizetype>(kNewFileLines, lines.size()); ++n)
        if (!lines[n - 1].isEmpty()) w.key(NumberedKey("New file line", n), lines[n - 1]);
      break;
    }
  }
}

}  // namespace

void ReadSettings(const PreferenceFile& f, const Desktop& desktop, Settings& s) {
  PreferenceFile::Group group;  // the layout starts with a group
  for (const LayoutEntry& e : SettingsLayout()) {
    switch (e.kind) {
      case LayoutEntry::Kind::Group: group = f.group(e.text); break;
      case LayoutEntry::Kind::Comment: break;
      case LayoutEntry::Kind::Key:
        if (e.form == ValueForm::DataFolder || e.form == ValueForm::IncludeParameters) break;
        if (const auto v = group.value(e.text)) Store(s, e, *v);
        break;
      case LayoutEntry::Kind::List: ReadList(group, e.list, s); break;
    }
  }
  const auto windows = WindowFields();
  for (WindowRect Settings::*w : windows) {
    WindowRect& r = s.*w;
    if (w != &Settings::mainWindow) {
      r.x = std::max(r.x, 0);
      r.y = std::max(r.y, 0);
    }
    KeepOnDesktop(r, desktop);
  }
  s.includeParameters = s.defaultSyntax.endsWith(u'_') ? 0 : 1;
  s.currentSyntaxName = s.defaultSyntax;
  if (s.lastBuildDate < QLatin1String(kCharacterSetDate)) {
    s.separatorSymbols = Defaults().separatorSymbols;
    s.validWordCharacters = Defaults().validWordCharacters;
  }
  s.maxTabs = std::clamp(s.maxTabs, kMinTabs, kMaxTabs);
  // Indents are made of this many blanks; below 1 it is taken as 1 where used.
  s.tabSize = std::min(s.tabSize, kLargestTabSize);
  s.storedNewFileText = s.newFileText;
}

void ReadRavolt(const PreferenceFile& f, Settings& s) {
  const PreferenceFile::Group g = f.group(u"Ravolt startup");
  s.ravoltFolder = g.text(u"Ravolt folder", {});
  s.ravoltPrograms.clear();
  for (const QString& v : ReadNonEmpty(g, "Ravolt", kProgramsRead)) s.ravoltPrograms.push_back(ParseProgramEntry(v));
  if (s.ravoltPrograms.empty()) s.ravoltPrograms.push_back(NotInstalledEntry());
}

Settings LoadSettingsFrom(QByteArrayView prefs, QByteArrayView ravolt, const Desktop& desktop) {
  Settings s;
  ReadSettings(PreferenceFile::Parse(prefs), desktop, s);
  ReadRavolt(PreferenceFile::Parse(ravolt), s);
  return s;
}

QByteArray SaveSettingsBytes(const Settings& s, const QString& dataFolder) {
  PreferenceWriter w;
  const int hotLink = RemappedHotLink(s);
  for (const LayoutEntry& e : SettingsLayout()) {
    switch (e.kind) {
      case LayoutEntry::Kind::Group: w.group(e.text); break;
      case LayoutEntry::Kind::Comment: w.comment(e.text); break;
      case LayoutEntry::Kind::Key:
        if (const auto v = ValueText(s, e, dataFolder, hotLink)) w.key(e.text, *v);
        break;
      case LayoutEntry::Kind::List: WriteList(w, e.list, s); break;
    }
  }
  return w.bytes();
}

}  // namespace vendle
