// Checks the structure of the application icon that gets linked into the
// executable: a broken .ico makes windres fail or, worse, leaves Explorer
// and the tray showing a blank or garbled image.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#ifndef QUELLIX_ICON_PATH
#error "QUELLIX_ICON_PATH must name the .ico file to check"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Little-endian reader that refuses to run past the end of the buffer.
class Reader {
 public:
  Reader(const Bytes& data, std::size_t pos) : data_(data), pos_(pos) {}

  std::uint32_t Take(int width) {
    if (pos_ + width > data_.size()) {
      ok_ = false;
      return 0;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i) v |= std::uint32_t{data_[pos_ + i]} << (8 * i);
    pos_ += width;
    return v;
  }
  std::uint8_t U8() { return static_cast<std::uint8_t>(Take(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Take(2)); }
  std::uint32_t U32() { return Take(4); }
  std::int32_t I32() { return static_cast<std::int32_t>(Take(4)); }
  bool ok() const { return ok_; }

 private:
  const Bytes& data_;
  std::size_t pos_;
  bool ok_ = true;
};

struct DirEntry {
  int width, height, color_count, planes, bit_count;
  std::uint32_t bytes, offset;
};

std::size_t RowBytes(std::size_t bits) { return (bits + 31) / 32 * 4; }

class IconFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = ReadFile(QUELLIX_ICON_PATH);
    ASSERT_GE(data_.size(), 6u) << "cannot read " << QUELLIX_ICON_PATH;
    Reader r(data_, 0);
    reserved_ = r.U16();
    type_ = r.U16();
    const int count = r.U16();
    for (int i = 0; i < count; ++i) {
      DirEntry e;
      e.width = r.U8();
      e.height = r.U8();
      e.color_count = r.U8();
      r.U8();  // reserved
      e.planes = r.U16();
      e.bit_count = r.U16();
      e.bytes = r.U32();
      e.offset = r.U32();
      ASSERT_TRUE(r.ok()) << "directory entry " << i << " runs past the end of the file";
      entries_.push_back(e);
    }
  }

  Bytes data_;
  int reserved_ = -1, type_ = -1;
  std::vector<DirEntry> entries_;
};

TEST_F(IconFileTest, DirectoryListsSixIconImages) {
  EXPECT_EQ(reserved_, 0);
  EXPECT_EQ(type_, 1) << "1 = icon, 2 = cursor";
  ASSERT_EQ(entries_.size(), 6u);

  std::set<std::tuple<int, int, int>> seen, wanted;
  for (int size : {16, 32, 48})
    for (int bits : {4, 8}) wanted.insert({size, size, bits});
  for (const DirEntry& e : entries_) {
    seen.insert({e.width, e.height, e.bit_count});
    EXPECT_EQ(e.planes, 1);
    EXPECT_EQ(e.color_count, e.bit_count == 4 ? 16 : 0) << e.width << "px " << e.bit_count << "bpp";
  }
  EXPECT_EQ(seen, wanted);
}

TEST_F(IconFileTest, EachImageIsAConsistentMaskedBitmap) {
  for (const DirEntry& e : entries_) {
    SCOPED_TRACE(std::to_string(e.width) + "px " + std::to_string(e.bit_count) + "bpp");
    ASSERT_LE(std::uint64_t{e.offset} + e.bytes, data_.size()) << "image data outside the file";
    ASSERT_GE(e.offset, 6u + 16 * entries_.size()) << "image data overlaps the directory";

    Reader r(data_, e.offset);
    const std::uint32_t header_size = r.U32();
    const std::int32_t width = r.I32();
    const std::int32_t height2 = r.I32();
    const int planes = r.U16();
    const int bits = r.U16();
    const std::uint32_t compression = r.U32();
    r.U32();  // image size, may be 0
    r.I32();
    r.I32();
    const std::uint32_t colors_used = r.U32();
    ASSERT_TRUE(r.ok());

    EXPECT_EQ(header_size, 40u);
    EXPECT_EQ(width, e.width);
    EXPECT_EQ(height2, 2 * e.height) << "height covers XOR bitmap plus AND mask";
    EXPECT_EQ(planes, 1);
    EXPECT_EQ(bits, e.bit_count);
    EXPECT_EQ(compression, 0u);

    const std::size_t w = static_cast<std::size_t>(e.width), h = static_cast<std::size_t>(e.height);
    const std::size_t palette = 4 * (colors_used ? colors_used : (1u << bits));
    const std::size_t xor_size = RowBytes(w * bits) * h;
    const std::size_t and_stride = RowBytes(w);
    ASSERT_EQ(e.bytes, header_size + palette + xor_size + and_stride * h);

    // The mask must leave a visible picture and a transparent background.
    std::size_t transparent = 0, opaque = 0;
    const std::size_t mask = e.offset + header_size + palette + xor_size;
    for (std::size_t y = 0; y < h; ++y)
      for (std::size_t x = 0; x < w; ++x)
        (data_[mask + y * and_stride + x / 8] & (0x80 >> (x % 8)) ? transparent : opaque)++;
    EXPECT_GT(transparent, 0u);
    EXPECT_GT(opaque, 0u);
  }
}

}  // namespace
