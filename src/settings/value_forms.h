// The forms values take in the preference file: integers, colours, program
// entries, the font field of the settings window and the backup interval.
// Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

#include "settings/settings.h"

namespace vendle {

// A 32-bit integer read like atol: blanks, sign, decimal digits; values
// beyond 32 bits saturate.
int ParseInt32(QStringView text);

// "$" + the last six hexadecimal digits of `colour`, upper case, 0x00BBGGRR.
QString FormatColourHex(std::uint32_t colour);
// The stored form of a colour: a held -1 ("not set") is written "-1" so it
// survives; every other colour in the hexadecimal form.
QString ColourValueText(std::uint32_t colour);
// "$" hex, "%" binary or decimal, with sign; nothing usable gives 0 (black).
std::uint32_t ParseColour(QStringView text);

// name|folder|program|parameters|batch. Missing fields are empty, a missing
// number is 0; a "|" inside the parameters survives: with more than five
// fields the last is the number and the parameters run up to it.
ExternalProgramEntry ParseProgramEntry(QStringView text);
QString FormatProgramEntry(const ExternalProgramEntry& e);
// True when no field of the entry holds CR or LF (so it fits on one line).
bool IsSingleLine(const ExternalProgramEntry& e);

// The font field of the settings window: size + "pt,  " + face name.
struct FontField {
  int size = 0;   // 0 when the field has no leading digits
  QString name;   // empty when the field has no "pt,"
};
FontField ParseFontField(QStringView text);
QString FormatFontField(int size, const QString& name);

// Minutes in the file, seconds in memory (saturating), and back (the
// fraction dropped).
int MinutesToSeconds(qint64 minutes);
int SecondsToMinutes(int seconds);

}  // namespace vendle
