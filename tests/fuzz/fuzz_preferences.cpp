// Fuzzes the preference-file reader and the settings load and save: any
// bytes load without a crash, the written file keeps its line structure,
// and a second save of what was written changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "settings/preference_file.h"
#include "settings/settings_file.h"
#include "fuzz_check.h"

namespace {

using vendle::Desktop;

// BOM, empty first line, and every line ending in CR LF.
void CheckLines(const QByteArray& out) {
  Check(out.startsWith("\xEF\xBB\xBF\r\n"));
  // Every CR is followed by LF and every LF follows a CR.
  const qsizetype pairs = out.count("\r\n");
  Check(out.count('\r') == pairs && out.count('\n') == pairs);
  Check(out.endsWith("\r\n"));
  // Exactly one program group: no value opened one of its own.
  Check(out.count("\r\n[External programs]\r\n") == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

  const vendle::PreferenceFile f = vendle::PreferenceFile::Parse(bytes);
  for (const char* group : {"Windows", "Open Files", "External programs", "Ravolt startup"}) {
    const QString g = QString::fromLatin1(group);
    for (const auto& [key, value] : f.entries(g)) Check(f.value(g, key).has_value());
  }

  // One monitor, or a second one to the right, by the input's length.
  const Desktop desktop = size % 2 ? Desktop{{{0, 0, 1920, 1080}}} : Desktop{{{0, 0, 1280, 1024}, {1280, 0, 800, 600}}};
  const QString dataFolder = QStringLiteral("/data/");
  // One parse serves both files: the bytes are read as the settings and as
  // the sibling tool's list.
  vendle::Settings first;
  vendle::ReadSettings(f, desktop, first);
  vendle::ReadRavolt(f, first);
  Check(first.maxTabs >= 5 && first.maxTabs <= 39);
  Check(!first.externalPrograms.empty() && !first.ravoltPrograms.empty());
  Check(first.recentFiles.size() <= 10 && first.findHistory.size() <= 10);
  const QByteArray out1 = vendle::SaveSettingsBytes(first, dataFolder);
  CheckLines(out1);
  // Loading a written file may still apply a one-way rule once (a program
  // entry without a name, a list left empty); after that the file is fixed.
  const QByteArray out2 = vendle::SaveSettingsBytes(vendle::LoadSettingsFrom(out1, {}, desktop), dataFolder);
  // The save is a function of the file: when out2 == out1, out3 == out2 already.
  if (out2 != out1) {
    const QByteArray out3 = vendle::SaveSettingsBytes(vendle::LoadSettingsFrom(out2, {}, desktop), dataFolder);
    Check(out2 == out3);
  }
  return 0;
}
