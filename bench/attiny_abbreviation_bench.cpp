// The ATTiny abbreviation table for keyword lists of 1 000 to 100 000 words,
// against the floor of sorting the same words (case-folded) in the same run.
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>

#include "editor/syntax_tkn.h"

using namespace vendle;

namespace {

// Keywords that share long prefixes, as a big dialect list does: PRINT,
// PRINT1, PRINT12, ... in mixed case.
QString Keywords(int count) {
  static const char* kStems[] = {"PRINT", "Pause", "poke", "GOSUB", "GOTO", "SetPin", "PWM", "SERVO"};
  QStringList words;
  for (int i = 0; i < count; ++i) words.append(QString::fromLatin1(kStems[i % 8]) + QString::number(i / 8));
  return u' ' + words.join(u' ') + u' ';
}

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

}  // namespace

int main() {
  std::printf("%-9s %12s %12s %8s %10s\n", "keywords", "build ms", "sort ms", "ratio", "pairs");
  for (int count : {1000, 10000, 100000}) {
    const QString keywords = Keywords(count);
    QElapsedTimer floor;
    floor.start();
    QStringList words = keywords.split(u' ', Qt::SkipEmptyParts);
    for (QString& w : words) w = w.toLower();
    std::sort(words.begin(), words.end());
    const double sortMs = Ms(floor);

    QElapsedTimer t;
    t.start();
    const auto pairs = BuildAtTinyAbbreviations(keywords);
    const double buildMs = Ms(t);
    std::printf("%-9d %12.1f %12.1f %8.2f %10zu\n", count, buildMs, sortMs, buildMs / sortMs, pairs.size());
  }
  return 0;
}
