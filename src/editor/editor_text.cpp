#include "editor/editor_text.h"

#include <algorithm>

namespace vendle {

QByteArray EditorBytesOf(QStringView text) { return text.toUtf8(); }

qsizetype Utf8LengthOf(QStringView text) { return text.toUtf8().size(); }

qsizetype BytePosOfIndex(QStringView text, qsizetype index) {
  index = std::clamp<qsizetype>(index, 0, text.size());
  if (index > 0 && index < text.size() && text[index - 1].isHighSurrogate() && text[index].isLowSurrogate()) --index;
  return Utf8LengthOf(text.first(index));
}

qsizetype IndexOfBytePos(QByteArrayView utf8, qsizetype pos) {
  pos = std::clamp<qsizetype>(pos, 0, utf8.size());
  // Back to the start of the character: at most three continuation bytes.
  for (int k = 0; k < 3 && pos > 0 && pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80; ++k)
    --pos;
  return QString::fromUtf8(utf8.first(pos)).size();
}

QString IndentToColumn(int column, bool useSpaces, int tabSize) {
  column = std::max(column, 0);
  if (useSpaces) return QString(column, u' ');
  const int tab = std::max(tabSize, 1);
  const int tabs = std::min(column / tab, 8);
  return QString(tabs, u'\t') + QString(column % tab, u' ');
}

}  // namespace vendle
