// Real-sized programs made from the MMBasic programs of the test corpus
// (CorpusFiles), for the tests and the benchmarks of large documents.
#pragma once

#include <QByteArray>

#include "program_meaning.h"

namespace vendle::test {

// The corpus files one after the other, again and again, up to about
// `bytes` (cut at a line end): each copy's subs and functions get the
// copy's number after their name, so every routine has its own name.
// Empty when there is no corpus.
QByteArray CorpusProgram(qsizetype bytes);

// The corpus' lines outside its routine headers and ends, cut into small
// subs of a few lines, each with its own name, up to about `bytes`.
QByteArray ManySubsProgram(qsizetype bytes);

}  // namespace vendle::test
