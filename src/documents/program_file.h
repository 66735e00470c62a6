// Program-file conventions: reading and trimming, the target comment that
// names a document's device syntax, and the names of snapshots and clones.
// Program files are Windows-1252 bytes on disk, or UTF-8 when they are valid
// UTF-8 holding non-ASCII text; texts here are UTF-16.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>

namespace vendle {

// How a program file's text is stored. A document keeps the encoding it was
// read in, so an unchanged file is written back byte for byte.
enum class FileEncoding { Windows1252, Utf8, Utf8WithBom };

struct DecodedFile {
  QString text;
  FileEncoding encoding = FileEncoding::Windows1252;
};

// UTF-8 (with or without its byte-order mark, which is not part of the text)
// when the bytes are valid UTF-8 and hold a non-ASCII character or the mark;
// Windows-1252 otherwise. Every byte is decoded, NUL included.
DecodedFile DecodeProgramFile(QByteArrayView bytes);

// The same as DecodeProgramFile, with the text as UTF-8 (the editor's
// bytes): a file that is ASCII or UTF-8 is taken as it is, without a copy.
struct DecodedBytes {
  QByteArray utf8;
  FileEncoding encoding = FileEncoding::Windows1252;
};
DecodedBytes DecodeProgramBytes(const QByteArray& bytes);

// The bytes of `text` in `encoding`. For Windows-1252 a character it cannot
// store becomes '?' and is appended to `unstorable` once; UTF-8 stores all.
QByteArray EncodeProgramFile(QStringView text, FileEncoding encoding, QString* unstorable = nullptr);

// True for a whole valid UTF-8 sequence: no overlong forms, no surrogates,
// nothing above U+10FFFF, no cut sequence at the end.
bool IsValidUtf8(QByteArrayView bytes);

enum class LineEnd { CrLf, Lf, Cr };

// The kind of the text's last line end; `otherwise` when it has none.
LineEnd LastLineEnd(QStringView text, LineEnd otherwise);
LineEnd LastLineEndOfBytes(QByteArrayView utf8, LineEnd otherwise);
QString LineEndText(LineEnd end);

// Drops every chr(26), CR and LF at the end and appends one line end, of the kind of the file's last line
// end (`otherwise` when it has none), so a file's line ends stay unmixed.
QString TrimTrailingBlankLines(const QString& text, LineEnd otherwise = LineEnd::CrLf);
// The same on UTF-8 bytes; a text that already ends so is returned as it is.
QByteArray TrimTrailingBlankBytes(const QByteArray& utf8, LineEnd otherwise);

// The syntax named by " kw\<name>" in the first 100 characters of the first
// line, lower-cased; "" when there is none.
QString ParseTargetComment(const QString& firstLine);

// The path with `suffix` put before the file name's last extension
// ("prog.bas" + "_Copy" -> "prog_Copy.bas"); a name without one gets the
// suffix appended. Dots in folder names do not count.
QString InsertBeforeExtension(const QString& path, const QString& suffix);

// "prog.bas" at 14:05 on 9 December 2026 -> "prog_2612091405.bas".
QString SnapshotPath(const QString& path, const QDateTime& when);

// The first line of a text (up to the first LF, CR removed).
QString FirstLine(const QString& text);
QString FirstLineOfBytes(QByteArrayView utf8);

}  // namespace vendle
