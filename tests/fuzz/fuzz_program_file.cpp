// Fuzzes the program-file loader's pure steps on any bytes: the choice of
// UTF-8 or Windows-1252 and the decoding, both written back byte for byte,
// the in-text markers stripped, the trailing blank lines trimmed,
// the target comment of the first line and the declared variables, and the
// marks written back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "documents/program_file.h"
#include "editor/declarations.h"
#include "editor/fold_markers.h"
#include "platform/ansi.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  Check(EncodeAnsi(DecodeAnsi(bytes)) == bytes);  // every byte value comes back

  // The loader's own reading: an unchanged file is written back as it was.
  const DecodedFile file = DecodeProgramFile(bytes);
  Check(EncodeProgramFile(file.text, file.encoding) == bytes);
  if (file.encoding == FileEncoding::Windows1252) Check(file.text.size() == bytes.size());
  const QString& text = file.text;

  const StrippedText stripped = StripMarkers(TrimTrailingBlankLines(text));
  Check(stripped.text.size() <= text.size() + 2);  // the trim ends it with a line end
  ParseTargetComment(FirstLine(stripped.text));
  DeclaredVariablesText(stripped.text);

  // Every mark names a line of the text; writing them back never fails.
  const qsizetype lines = stripped.text.count(u'\n') + stripped.text.count(u'\r') + 1;
  for (int b : stripped.bookmarks) Check(b >= 0 && b < lines);
  for (int f : stripped.foldedLines) Check(f >= 1 && f <= lines);
  AddMarkers(stripped.text, stripped.bookmarks, stripped.foldedLines);
  return 0;
}
