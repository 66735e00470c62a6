// Reading numbers out of text the way the stored formats expect.
#pragma once

#include <QStringView>

namespace vendle {

// Like the C library's atol: leading blanks and tabs, an optional sign,
// decimal digits up to the first other character; no digits gives 0.
// Values beyond 64 bits saturate.
qint64 ParseAtol(QStringView text);

// The integer parser of the stored colour and command values: leading blanks
// and tabs, an optional sign, then "$" and hexadecimal digits, "%" and binary
// digits, or decimal digits, up to the first other character; nothing
// usable gives 0. Values beyond 64 bits saturate.
qint64 ParseVal(QStringView text);

}  // namespace vendle
