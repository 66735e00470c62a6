#include "platform/ui/sci.h"

#include <algorithm>

namespace vendle {

QByteArray Sci::range(Pos start, Pos end) const {
  const Pos len = length();
  start = std::clamp<Pos>(start, 0, len);
  end = std::clamp<Pos>(end, start, len);
  QByteArray out(end - start + 1, '\0');  // room for the terminating NUL Scintilla writes
  struct {
    long cpMin;
    long cpMax;
    char* text;
  } tr{static_cast<long>(start), static_cast<long>(end), out.data()};
  if (e_) e_->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, 0UL, static_cast<void*>(&tr));
  out.chop(1);
  return out;
}

}  // namespace vendle
