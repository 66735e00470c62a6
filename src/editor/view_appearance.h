// Pure rules of the editor appearance: how the colour settings become style
// colours, the Font menu's sizes, the texts of the keyword-case item and the
// recasing of keywords that "Save KEYWORD case" writes into the text. Colours
// are 0x00BBGGRR; texts given as QByteArray are the editor's UTF-8 bytes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "settings/settings.h"

namespace vendle {

// A colour setting of -1: "not set".
inline constexpr std::uint32_t kUnsetColour = 0xFFFFFFFFu;

inline std::uint32_t ColourOf(const ColourSettings& c, ColourSlot slot) { return c[static_cast<int>(slot)]; }

// The look of one of the word styles 1 to 7. No fore colour: the style keeps
// the default fore colour.
struct WordStyleLook {
  int style = 0;
  std::optional<std::uint32_t> fore;
  bool bold = false;
  bool italic = false;
  bool operator==(const WordStyleLook&) const = default;
};
std::ostream& operator<<(std::ostream& os, const WordStyleLook& s);

// Styles 1 to 7 under the colour settings; `colouring` is the "Colour"
// setting (off: every word style black, keywords still bold and comments
// still italic).
std::vector<WordStyleLook> WordStyleLooks(const ColourSettings& colours, bool colouring);

// The Font menu: a size of 10, 14 or 16 keeps its item; any other becomes 12.
struct FontSizeChoice {
  int size = 12;
  int item = 0;  // Item::FontSmall to Item::FontBiggest
  bool operator==(const FontSizeChoice&) const = default;
};
FontSizeChoice ChooseFontSize(int size);

// Keyword case modes: 0 as typed, 1 upper, 2 lower, 3 capitalised; any
// other stored value shows as typed. They equal Scintilla's SC_CASE_* values.
int KeywordCaseMode(int stored);
QString KeywordCaseItemText(int mode);

// Scintilla's end-of-line mode of "Line_endings_Mode": 1 LF, else CR LF.
int EolModeOf(int lineEndingsMode);

// `text` with the keyword case of `mode` written into the letters styled 1
// (`styles` holds one style byte per byte of `text`). The first byte of a
// run of style 1 becomes upper case in modes 1 and 3 and lower case in mode
// 2; the later bytes upper case in mode 1 and lower case in modes 2 and 3.
// Only ASCII letters change, so the length and every other byte stay.
QByteArray RecaseKeywords(QByteArrayView text, QByteArrayView styles, int mode);

// The maximal runs [start, end) where two texts of equal length differ.
struct ByteRun {
  qsizetype start = 0;
  qsizetype end = 0;
  bool operator==(const ByteRun&) const = default;
};
std::ostream& operator<<(std::ostream& os, const ByteRun& r);
std::vector<ByteRun> DifferingRuns(QByteArrayView a, QByteArrayView b);

}  // namespace vendle
