#include "settings/value_forms.h"

#include <algorithm>
#include <limits>

#include "platform/text_values.h"

namespace vendle {
namespace {

int Saturate(qint64 v) {
  return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

constexpr std::uint32_t kNotSet = 0xFFFFFFFFu;

}  // namespace

int ParseInt32(QStringView text) { return Saturate(ParseAtol(text)); }

QString FormatColourHex(std::uint32_t colour) {
  return QLatin1Char('$') + QString::number(colour & 0xFFFFFFu, 16).toUpper().rightJustified(6, u'0');
}

QString ColourValueText(std::uint32_t colour) {
  return colour == kNotSet ? QStringLiteral("-1") : FormatColourHex(colour);
}

std::uint32_t ParseColour(QStringView text) { return std::uint32_t(quint64(ParseVal(text))); }

ExternalProgramEntry ParseProgramEntry(QStringView text) {
  const QList<QStringView> f = text.split(u'|');
  auto field = [&](qsizetype i) { return i < f.size() ? f[i].toString() : QString(); };
  ExternalProgramEntry e;
  e.menuText = field(0);
  e.folder = field(1);
  e.program = field(2);
  if (f.size() <= 5) {
    e.parameters = field(3);
    e.batch = f.size() == 5 ? ParseAtol(f[4]) : 0;
  } else {
    // The parameters held a "|" of their own: the number is the last field.
    QStringList params;
    for (qsizetype i = 3; i < f.size() - 1; ++i) params << f[i].toString();
    e.parameters = params.join(u'|');
    e.batch = ParseAtol(f.back());
  }
  return e;
}

QString FormatProgramEntry(const ExternalProgramEntry& e) {
  return e.menuText + u'|' + e.folder + u'|' + e.program + u'|' + e.parameters + u'|' + QString::number(e.batch);
}

bool IsSingleLine(const ExternalProgramEntry& e) {
  for (const QString* s : {&e.menuText, &e.folder, &e.program, &e.parameters})
    if (s->contains(u'\r') || s->contains(u'\n')) return false;
  return true;
}

FontField ParseFontField(QStringView text) {
  const QStringView t = text.trimmed();
  FontField f;
  qsizetype i = 0;
  qint64 size = 0;
  while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') {
    size = std::min<qint64>(size * 10 + (t[i].unicode() - u'0'), std::numeric_limits<int>::max());
    ++i;
  }
  f.size = int(size);
  const qsizetype pt = t.indexOf(u"pt,");
  if (pt >= 0) f.name = t.sliced(pt + 3).trimmed().toString();
  return f;
}

QString FormatFontField(int size, const QString& name) { return QString::number(size) + QStringLiteral("pt,  ") + name; }

int MinutesToSeconds(qint64 minutes) {
  constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) / 60 + 1;
  return Saturate(std::clamp(minutes, -kLimit, kLimit) * 60);
}

int SecondsToMinutes(int seconds) { return seconds / 60; }

}  // namespace vendle
