// The whole table of the conversion to ASCII, as the tests check it: every
// replaced character code with its replacement. Codes not listed become "?".
#pragma once

#include <vector>

namespace vendle::test {

struct AsciiRow {
  std::vector<char16_t> codes;
  const char* ascii;
};

// Every replacement other than "?", as the Edit menu's conversion promises it.
inline const std::vector<AsciiRow>& AsciiTable() {
  static const std::vector<AsciiRow> rows = {
      {{132, 147, 8220, 8221, 8222, 8223}, "\""},
      {{145, 146, 8216, 8217}, "'"},
      {{160, 8192, 8193, 8194, 8195, 8196, 8197, 8198, 8199, 8200, 8201, 8202, 12288, 65533}, " "},
      {{163, 65505}, "UKP"},
      {{174}, "(R)"},
      {{176, 61616}, "`"},
      {{177, 61617}, "+-"},
      {{181, 956, 61549}, "u"},
      {{937, 8486}, "ohm"},
      {{8208, 8209, 8210, 8211, 8212, 61485}, "-"},
      {{8224, 61550}, "*"},
      {{8226}, ":"},
      {{8364}, "euro"},
      {{8451}, "`C"},
      {{8457}, "`F"},
      {{8482}, "(TM)"},
      {{61620}, "x"},
      {{61667}, "(C)"},
      {{61669}, "sigma"},
  };
  return rows;
}

}  // namespace vendle::test
