// Pure helpers for the text of an editor control: the UTF-8 form that the
// control holds, the mapping between its byte positions and QString indices,
// and indentation text. QString texts are UTF-16; QByteArray texts are UTF-8
// for the control. A byte position (Scintilla's) and a QString index are
// different numbers as soon as the text holds a character above U+007F, so
// every function here names which one it takes and gives.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vendle {

// The UTF-8 bytes of `text` (NUL characters included), by value.
QByteArray EditorBytesOf(QStringView text);

// The UTF-8 byte length of `text`.
qsizetype Utf8LengthOf(QStringView text);

// The byte position in the UTF-8 form of `text` of its UTF-16 index `index`
// (clamped to the text; an index between the halves of a surrogate pair
// counts as the pair's start).
qsizetype BytePosOfIndex(QStringView text, qsizetype index);

// The UTF-16 index in the decoded `utf8` of byte position `pos` (clamped; a
// position inside a multi-byte character counts as that character's start).
qsizetype IndexOfBytePos(QByteArrayView utf8, qsizetype pos);

// The indentation that reaches column `column`: that many blanks with
// `useSpaces`, otherwise column / tabSize tabs (at most eight) and then
// column % tabSize blanks. A tab size below 1 counts as 1.
QString IndentToColumn(int column, bool useSpaces, int tabSize);

}  // namespace vendle
