// The toolbar table, the images compiled in for it, and the PNG decoder
// that reads them.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/png_image.h"
#include "shell/toolbar_model.h"
#include "test_files.h"

namespace vendle::test {
namespace {

// The toolbar left to right, one line a button ("item|tooltip"), "-" for a
// separator; compared with a golden file.
TEST(ToolbarTable, ButtonsSeparatorsAndTooltipsInOrder) {
  QByteArray text;
  for (const ToolbarEntry& e : kToolbar)
    text += e.separator ? QByteArray("-\n") : QByteArray::number(+e.item) + '|' + e.tooltip + '\n';
  ExpectGolden(QStringLiteral(VENDLE_TEST_DATA_DIR "/shell/golden/toolbar.txt"), text);
}

TEST(ToolbarTable, EveryButtonHasItsOwnImageInBothSizes) {
  std::set<std::string> names;
  for (const ToolbarEntry& e : kToolbar) {
    if (e.separator) continue;
    EXPECT_TRUE(names.insert(e.icon).second) << "image used twice: " << e.icon;
    for (IconSize size : {IconSize::Small, IconSize::Large}) {
      const int side = static_cast<int>(size);
      const auto png = EmbeddedIconPng(e.icon, size);
      ASSERT_FALSE(png.empty()) << e.icon << " at " << side << " was not compiled in";
      const auto image = DecodePng(png);
      ASSERT_TRUE(image) << e.icon << " at " << side << " does not decode";
      EXPECT_EQ(image->width, side) << e.icon;
      EXPECT_EQ(image->height, side) << e.icon;
    }
  }
  EXPECT_TRUE(EmbeddedIconPng("no-such-image", IconSize::Small).empty());
}

// ---- the decoder ----

// A PNG file written by libpng's simplified writer.
std::vector<unsigned char> EncodePng(int w, int h, png_uint_32 format, const std::vector<unsigned char>& pixels,
                                     const std::vector<unsigned char>& colourMap = {}) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = w;
  image.height = h;
  image.format = format;
  if (!colourMap.empty()) image.colormap_entries = static_cast<png_uint_32>(colourMap.size() / 3);
  png_alloc_size_t size = 0;
  const void* map = colourMap.empty() ? nullptr : colourMap.data();
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, map));
  std::vector<unsigned char> out(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, map));
  out.resize(size);
  return out;
}

std::vector<unsigned char> Pixel(const RgbaImage& im, int x, int y) {
  const auto* p = im.rgba.data() + (static_cast<std::size_t>(y) * im.width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

TEST(PngDecode, EveryStoredFormatBecomesRgba) {
  using V = std::vector<unsigned char>;
  struct Case {
    const char* what;
    png_uint_32 format;
    V pixels;  // 2 x 1
    V colourMap;
    V first, second;  // RGBA of the two pixels
  };
  const Case cases[] = {
      {"grey", PNG_FORMAT_GRAY, {0x80, 0xFF}, {}, {0x80, 0x80, 0x80, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"grey with alpha", PNG_FORMAT_GA, {0x10, 0x00, 0x20, 0x7F}, {}, {0x10, 0x10, 0x10, 0x00}, {0x20, 0x20, 0x20, 0x7F}},
      {"RGB", PNG_FORMAT_RGB, {1, 2, 3, 4, 5, 6}, {}, {1, 2, 3, 0xFF}, {4, 5, 6, 0xFF}},
      {"RGBA", PNG_FORMAT_RGBA, {1, 2, 3, 4, 5, 6, 7, 8}, {}, {1, 2, 3, 4}, {5, 6, 7, 8}},
      {"palette", PNG_FORMAT_RGB_COLORMAP, {1, 0}, {10, 20, 30, 40, 50, 60}, {40, 50, 60, 0xFF}, {10, 20, 30, 0xFF}},
  };
  for (const Case& c : cases) {
    const auto png = EncodePng(2, 1, c.format, c.pixels, c.colourMap);
    const auto image = DecodePng(png);
    ASSERT_TRUE(image) << c.what;
    EXPECT_EQ(image->width, 2) << c.what;
    EXPECT_EQ(image->height, 1) << c.what;
    EXPECT_EQ(Pixel(*image, 0, 0), c.first) << c.what;
    EXPECT_EQ(Pixel(*image, 1, 0), c.second) << c.what;
  }
}

TEST(PngDecode, SixteenBitImagesAreReadAsEightBit) {
  const std::vector<unsigned char> pixels(3 * 2 * 4 * 2, 0xFF);  // 3 x 2 linear RGBA, opaque white
  const auto image = DecodePng(EncodePng(3, 2, PNG_FORMAT_LINEAR_RGB_ALPHA, pixels));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->rgba.size(), 3u * 2 * 4);
  EXPECT_EQ(Pixel(*image, 2, 1), (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0xFF}));
}

// Sets the IHDR width of a PNG file and mends the chunk's CRC, so only the size is wrong.
void SetWidth(std::vector<unsigned char>& png, png_uint_32 width) {
  const std::size_t ihdr = 8;  // length(4) "IHDR"(4) data(13) crc(4)
  for (int k = 0; k < 4; ++k) png[ihdr + 8 + k] = static_cast<unsigned char>(width >> (24 - 8 * k));
  const uLong crc = crc32(0, png.data() + ihdr + 4, 17);
  for (int k = 0; k < 4; ++k) png[ihdr + 21 + k] = static_cast<unsigned char>(crc >> (24 - 8 * k));
}

TEST(PngDecode, DamagedDataGivesNoImage) {
  const auto good = EncodePng(4, 4, PNG_FORMAT_RGBA, std::vector<unsigned char>(4 * 4 * 4, 0x55));
  ASSERT_TRUE(DecodePng(good));
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"signature only", std::vector<unsigned char>(good.begin(), good.begin() + 8)});
  cases.push_back({"not a PNG", std::vector<unsigned char>{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0}});
  cases.push_back({"cut in the middle", std::vector<unsigned char>(good.begin(), good.begin() + good.size() / 2)});
  auto flipped = good;
  const std::string text(good.begin(), good.end());
  const std::size_t idat = text.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  flipped[idat + 6] ^= 0xFF;  // inside the image data: its CRC no longer matches
  cases.push_back({"a changed byte", flipped});
  auto huge = good;
  SetWidth(huge, 1u << 30);
  cases.push_back({"a giant width", huge});
  auto zero = good;
  SetWidth(zero, 0);
  cases.push_back({"a zero width", zero});
  for (const Case& c : cases) EXPECT_FALSE(DecodePng(c.bytes)) << c.what;
}

}  // namespace
}  // namespace vendle::test
