#include "platform/png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace vendle {
namespace {

struct Reader {
  std::span<const unsigned char> bytes;
  std::size_t offset = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (length > r->bytes.size() - r->offset) png_error(png, "truncated");
  std::memcpy(out, r->bytes.data() + r->offset, length);
  r->offset += length;
}

// libpng reports errors by longjmp; keep its messages off stderr.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Everything that must survive the longjmp lives outside this function's
// frame (in `out`), so no destructor is skipped.
bool Decode(png_structp png, png_infop info, Reader& reader, RgbaImage& out, std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  png_read_info(png, info);
  png_uint_32 w = 0, h = 0;
  int depth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &w, &h, &depth, &colourType, &interlace, nullptr, nullptr);
  if (w == 0 || h == 0 || w > kMaxPngSide || h > kMaxPngSide) return false;
  // Whatever is stored, ask for 8-bit RGBA.
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(w) * 4) return false;
  out.width = static_cast<int>(w);
  out.height = static_cast<int>(h);
  out.rgba.assign(static_cast<std::size_t>(w) * h * 4, 0);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = out.rgba.data() + static_cast<std::size_t>(y) * w * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

std::optional<RgbaImage> DecodePng(std::span<const unsigned char> bytes) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return std::nullopt;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!png) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return std::nullopt;
  }
  Reader reader{bytes};
  RgbaImage out;
  std::vector<png_bytep> rows;
  const bool ok = Decode(png, info, reader, out, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace vendle
