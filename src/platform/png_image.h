// PNG decoding with libpng: a PNG file's bytes in memory to 8-bit RGBA
// pixels. Used for the toolbar images compiled into the program.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vendle {

// Pixels row by row, four bytes each (red, green, blue, alpha), not
// premultiplied; `rgba.size()` is width * height * 4.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// The largest width or height accepted; icons are far smaller, and the cap
// keeps a hostile header from asking for gigabytes.
inline constexpr int kMaxPngSide = 4096;

// Decodes any PNG colour type and bit depth (palette, grey, 16-bit,
// interlaced, with or without transparency). Empty, truncated or corrupt
// data, or an image wider or taller than kMaxPngSide, gives nothing.
std::optional<RgbaImage> DecodePng(std::span<const unsigned char> bytes);

}  // namespace vendle
