#include "platform/render/emf_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "scene.h"

namespace fb::render {
namespace {

std::uint32_t u32_at(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t v;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

TEST(EmfWriterTest, RecordsChainToTheEndOfFile) {
  const std::vector<std::uint8_t> emf = render_emf(test::sample_scene());
  ASSERT_GE(emf.size(), 108u);
  EXPECT_EQ(u32_at(emf, 0), 1u);            // header record
  EXPECT_EQ(u32_at(emf, 40), 0x464D4520u);  // " EMF"
  EXPECT_EQ(u32_at(emf, 48), emf.size());   // total bytes
  EXPECT_EQ(u32_at(emf, 24 + 8), 7056u);    // frame right: 200 pt in 0.01 mm
  // Walk every record: sizes are multiples of four, the count matches, the last one is EOF.
  std::size_t offset = 0;
  std::uint32_t records = 0;
  std::uint32_t last_type = 0;
  while (offset < emf.size()) {
    const std::uint32_t size = u32_at(emf, offset + 4);
    ASSERT_TRUE(size >= 8 && size % 4 == 0 && offset + size <= emf.size()) << "at " << offset;
    last_type = u32_at(emf, offset);
    offset += size;
    ++records;
  }
  EXPECT_EQ(records, u32_at(emf, 52));
  EXPECT_EQ(last_type, 14u);
}

// The types of an EMF's records, in order.
std::vector<std::uint32_t> record_types(const std::vector<std::uint8_t>& emf) {
  std::vector<std::uint32_t> types;
  for (std::size_t offset = 0; offset + 8 <= emf.size(); offset += u32_at(emf, offset + 4)) {
    types.push_back(u32_at(emf, offset));
    if (u32_at(emf, offset + 4) < 8) break;
  }
  return types;
}

// A picture with a transparency colour must reach readers that ignore a plain bitmap's fourth
// byte as blended pixels; an opaque one stays a plain bitmap. The blended pixels are
// premultiplied: a keyed-out pixel is all zero.
TEST(EmfWriterTest, PicturesWithTransparentPartsAreBlended) {
  const RgbaPixels pixels{2, 1, {0, 0, 0, 255, 200, 100, 50, 255}};  // black, then orange
  for (const bool keyed : {false, true}) {
    DisplayList list(10, 10);
    ImageCmd image;
    image.dest = {0, 0, 10, 5};
    image.image = pixels;
    if (keyed) image.transparent_colour = Colour{0, 0, 0, 255};
    list.image(image);
    const std::vector<std::uint8_t> emf = render_emf(list);
    const std::vector<std::uint32_t> types = record_types(emf);
    const bool blended = std::find(types.begin(), types.end(), 114u) != types.end();
    const bool plain = std::find(types.begin(), types.end(), 81u) != types.end();
    ASSERT_EQ(blended, keyed);
    ASSERT_EQ(plain, !keyed);
    if (keyed) {
      std::size_t offset = 0;
      while (u32_at(emf, offset) != 114u) offset += u32_at(emf, offset + 4);
      const std::size_t bits = offset + u32_at(emf, offset + 92);  // offBitsSrc
      // Bottom-up BGRA: the keyed-out black pixel, then orange untouched at full alpha.
      EXPECT_EQ(u32_at(emf, bits), 0u);
      EXPECT_EQ(emf[bits + 4], 50);
      EXPECT_EQ(emf[bits + 5], 100);
      EXPECT_EQ(emf[bits + 6], 200);
      EXPECT_EQ(emf[bits + 7], 255);
    }
  }
}

// A real reader converts the file and finds every text of the drawing in it.
TEST(EmfWriterTest, ConverterReadsEveryText) {
  if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "emf2svg-conv is not installed";
  }
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "emf_writer";
  std::filesystem::create_directories(dir);
  const std::filesystem::path emf = dir / "scene.emf";
  const std::filesystem::path svg = dir / "scene.svg";
  write_emf(test::sample_scene(), emf);
  std::filesystem::remove(svg);
  const std::string command =
      "emf2svg-conv -i '" + emf.string() + "' -o '" + svg.string() + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(svg);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  for (const char* expected : {"问题:", "鱼骨图", "原", "因", "Pareto 90°"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  EXPECT_NE(text.find("宋体"), std::string::npos);
}

}  // namespace
}  // namespace fb::render
