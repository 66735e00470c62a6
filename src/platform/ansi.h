// The ANSI code page of program files, backups, snapshots and the keyword and
// hint files: Windows-1252. Every byte 0x00..0xFF decodes to one UTF-16 unit
// and encodes back to the same byte; the five bytes 1252 leaves undefined
// (0x81 0x8D 0x8F 0x90 0x9D) map to the C1 controls of the same value.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vendle {

// ANSI bytes on disk -> UTF-16.
QString DecodeAnsi(QByteArrayView bytes);

// UTF-16 -> ANSI bytes. A character 1252 cannot store becomes '?'; when
// `unmappable` is given, each such character is appended to it once.
QByteArray EncodeAnsi(QStringView text, QString* unmappable = nullptr);

// True when every character of `text` can be stored in 1252.
bool IsAnsiEncodable(QStringView text);

// The UTF-16 character that byte `b` decodes to.
char16_t AnsiToUnicode(unsigned char b);

}  // namespace vendle
