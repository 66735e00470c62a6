// Loading and saving the preference file, and walking the lines of a text,
// each against a floor measured in the same run: decoding the same bytes,
// encoding the same text, counting the LF of the same text.
#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstring>

#include "bench_timing.h"
#include "platform/text_lines.h"
#include "settings/preference_file.h"
#include "settings/settings_file.h"

using namespace vendle;
using vendle::bench::BestMs;

namespace {

const Desktop kDesktop{{{0, 0, 1920, 1080}}};

// The file as saved, with `extra` hand-added keys of an unknown group and
// as many open files.
QByteArray PreferenceBytes(int extra) {
  Settings s;
  for (int i = 0; i < 10; ++i) s.recentFiles << QStringLiteral("/home/user/basic/program%1.bas").arg(i);
  for (int i = 1; i <= extra; ++i) s.openFilesString += QStringLiteral("\n/home/user/basic/open%1.bas").arg(i);
  QByteArray bytes = SaveSettingsBytes(s, QStringLiteral("/data/"));
  bytes += "\r\n[Notes]\r\n";
  for (int i = 0; i < extra; ++i) bytes += "Note " + QByteArray::number(i) + " = some text of note " + QByteArray::number(i) + "\r\n";
  return bytes;
}

QString ProgramText(qsizetype bytes, const char* end) {
  QString line = QStringLiteral("  PRINT \"Temperature: \"; Temp(i) : IF x > 10 THEN GOSUB Report");
  line += QLatin1String(end);
  QString text;
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text += line;
  return text;
}

}  // namespace

int main() {
  const int runs = 7;
  std::printf("%-28s %10s %10s %8s\n", "preferences", "own ms", "floor ms", "ratio");
  for (int extra : {0, 2000, 20000}) {
    const QByteArray bytes = PreferenceBytes(extra);
    const int repeat = extra == 0 ? 200 : extra == 2000 ? 10 : 1;
    volatile qsizetype sink = 0;
    const double floor = BestMs([&] { for (int r = 0; r < repeat; ++r) sink = sink + DecodePreferenceText(bytes).size(); }, runs);
    Settings loaded;
    const double load = BestMs([&] { for (int r = 0; r < repeat; ++r) loaded = LoadSettingsFrom(bytes, bytes, kDesktop); }, runs);
    char name[64];
    std::snprintf(name, sizeof name, "load %lld KB", static_cast<long long>(bytes.size() / 1024));
    std::printf("%-28s %10.3f %10.3f %8.2f\n", name, load / repeat, floor / repeat, load / floor);

    const QString text = QString::fromUtf8(bytes);
    const double encode = BestMs([&] { for (int r = 0; r < repeat; ++r) sink = sink + text.toUtf8().size(); }, runs);
    const double save = BestMs([&] { for (int r = 0; r < repeat; ++r) sink = sink + SaveSettingsBytes(loaded, QStringLiteral("/data/")).size(); }, runs);
    std::snprintf(name, sizeof name, "save %lld KB", static_cast<long long>(bytes.size() / 1024));
    std::printf("%-28s %10.3f %10.3f %8.2f\n", name, save / repeat, encode / repeat, save / encode);
  }

  std::printf("\n%-28s %10s %10s %8s\n", "line walk", "own ms", "floor ms", "ratio");
  for (const char* end : {"\n", "\r\n", "\r"}) {
    const QString text = ProgramText(10 * 1024 * 1024, end);
    volatile qsizetype sink = 0;
    const char16_t last = end[std::strlen(end) - 1];
    const double floor = BestMs([&] { sink = sink + text.count(QChar(last)); }, runs);
    const double walk = BestMs([&] {
      qsizetype n = 0;
      ForEachLine(QStringView(text), [&](const TextLine& l) { n += l.length; });
      sink = sink + n;
    }, runs);
    std::printf("%-28s %10.3f %10.3f %8.2f\n", end[0] == '\n' ? "10 MB LF" : end[1] ? "10 MB CR LF" : "10 MB CR", walk, floor, walk / floor);
  }
  return 0;
}
