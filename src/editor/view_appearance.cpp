#include "editor/view_appearance.h"

#include <algorithm>

namespace vendle {

std::ostream& operator<<(std::ostream& os, const WordStyleLook& s) {
  os << "{style " << s.style << ", fore ";
  if (s.fore)
    os << std::hex << "0x" << *s.fore << std::dec;
  else
    os << "default";
  return os << (s.bold ? ", bold" : "") << (s.italic ? ", italic" : "") << "}";
}

std::ostream& operator<<(std::ostream& os, const ByteRun& r) { return os << "[" << r.start << ", " << r.end << ")"; }

std::vector<WordStyleLook> WordStyleLooks(const ColourSettings& colours, bool colouring) {
  struct Row {
    int style;
    ColourSlot slot;
    bool bold, italic;
  };
  static constexpr Row kRows[] = {
      {1, ColourSlot::Keyword, true, false},        {2, ColourSlot::Comment, false, true},
      {3, ColourSlot::String, false, false},        {4, ColourSlot::Number, false, false},
      {5, ColourSlot::UserVariables, false, false}, {6, ColourSlot::UserSub, true, false},
      {7, ColourSlot::UserSub, false, false},
  };
  std::vector<WordStyleLook> out;
  for (const Row& r : kRows) {
    WordStyleLook look{r.style, std::nullopt, false, false};
    if (colouring) {
      look.bold = r.bold;
      look.italic = r.italic;
      if (const std::uint32_t c = ColourOf(colours, r.slot); c != kUnsetColour) look.fore = c;
    } else {
      // Without colouring only keywords keep bold and comments italic.
      look.bold = r.style == 1;
      look.italic = r.style == 2;
      look.fore = 0x000000;
    }
    out.push_back(look);
  }
  return out;
}

FontSizeChoice ChooseFontSize(int size) {
  switch (size) {
    case 10:
      return {10, 179};
    case 14:
      return {14, 181};
    case 16:
      return {16, 182};
    default:
      return {12, 180};
  }
}

int KeywordCaseMode(int stored) { return stored >= 0 && stored <= 3 ? stored : 0; }

QString KeywordCaseItemText(int mode) {
  switch (KeywordCaseMode(mode)) {
    case 1:
      return QStringLiteral("Keyword Case (UPPER)");
    case 2:
      return QStringLiteral("Keyword Case (lower)");
    case 3:
      return QStringLiteral("Keyword Case (Propper)");
    default:
      return QStringLiteral("Keyword Case (none)");
  }
}

int EolModeOf(int lineEndingsMode) { return lineEndingsMode == 1 ? 2 : 0; }

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

QByteArray RecaseKeywords(QByteArrayView text, QByteArrayView styles, int mode) {
  QByteArray out(text.data(), text.size());
  mode = KeywordCaseMode(mode);
  if (mode == 0) return out;
  const qsizetype n = std::min(text.size(), styles.size());
  for (qsizetype i = 0; i < n; ++i) {
    if (styles[i] != 1) continue;
    const bool first = i == 0 || styles[i - 1] != 1;
    const bool upper = mode == 1 || (first && mode == 3);
    out[i] = upper ? Upper(out[i]) : Lower(out[i]);
  }
  return out;
}

std::vector<ByteRun> DifferingRuns(QByteArrayView a, QByteArrayView b) {
  std::vector<ByteRun> runs;
  const qsizetype n = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < n;) {
    if (a[i] == b[i]) {
      ++i;
      continue;
    }
    const qsizetype start = i;
    while (i < n && a[i] != b[i]) ++i;
    runs.push_back({start, i});
  }
  if (a.size() != b.size()) runs.push_back({n, std::max(a.size(), b.size())});
  return runs;
}

}  // namespace vendle
