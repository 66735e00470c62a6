// The check of the fuzz targets: a broken property ends the run, so the
// fuzzer keeps the input that broke it.
#pragma once

#include <cstdlib>

inline void Check(bool ok) {
  if (!ok) std::abort();
}
