// The case edits behind "every use of a user name takes the case of its
// declaration": one pass over the text, whatever the number of names.
// Text and spellings are UTF-8 bytes as the editor control holds them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <vector>

namespace vendle {

struct CaseEdit {
  qsizetype at = 0;      // byte offset of the use
  qsizetype length = 0;  // its bytes
  QByteArray spelling;   // as declared
};

// Every whole word of `text` that is a spelling of `spellings` without
// regard to letter case but not in its case, in order. A word is a run of
// `wordCharacters` (and of bytes from 0x80 up, the letters of other
// scripts); a spelling ending in a type suffix that is no word character
// also matches the word and its suffix. Of two spellings with one key the
// later one counts.
std::vector<CaseEdit> DeclaredCaseEdits(QByteArrayView text, const QStringList& spellings,
                                        QByteArrayView wordCharacters);

}  // namespace vendle
