// The PNG writer against an independent reader: a small inflater for the block type it writes and the
// row filters undone as a viewer undoes them.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string_view>

#include "png_file.h"
#include "zlib_stream.h"

namespace quellix::screenshots {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromText(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::uint32_t BigEndianAt(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b.at(at)} << 24) | (std::uint32_t{b.at(at + 1)} << 16) | (std::uint32_t{b.at(at + 2)} << 8) |
           b.at(at + 3);
}

class BitReader {
public:
    BitReader(const Bytes& bytes, std::size_t from) : bytes_(bytes), at_(from) {}
    unsigned Bit() {
        if (at_ >= bytes_.size()) throw std::runtime_error("read past the end");
        const unsigned bit = (bytes_[at_] >> used_) & 1u;
        if (++used_ == 8) {
            used_ = 0;
            ++at_;
        }
        return bit;
    }
    unsigned Bits(int count) {  // a field, least significant bit first
        unsigned v = 0;
        for (int i = 0; i < count; ++i) v |= Bit() << i;
        return v;
    }
    unsigned Code(int count) {  // a Huffman code, most significant bit first
        unsigned v = 0;
        for (int i = 0; i < count; ++i) v = (v << 1) | Bit();
        return v;
    }
    std::size_t NextByte() const { return used_ ? at_ + 1 : at_; }

private:
    const Bytes& bytes_;
    std::size_t at_;
    int used_ = 0;
};

unsigned FixedSymbol(BitReader& r) {
    unsigned code = r.Code(7);
    if (code <= 23) return 256 + code;
    code = (code << 1) | r.Bit();
    if (code >= 0x30 && code <= 0xBF) return code - 0x30;
    if (code >= 0xC0 && code <= 0xC7) return 280 + code - 0xC0;
    return 144 + ((code << 1) | r.Bit()) - 0x190;
}

// Inflates a zlib stream made of fixed-code blocks and checks its header and trailer.
Bytes Inflate(const Bytes& stream) {
    static constexpr std::array<unsigned, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,   10,  11,  13,
                                                          15, 17, 19, 23, 27, 31, 35,  43,  51,  59,
                                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    if (stream.size() < 6 || (stream[0] & 0x0F) != 8 || (stream[0] * 256 + stream[1]) % 31 != 0) {
        throw std::runtime_error("bad zlib header");
    }
    Bytes out;
    BitReader r(stream, 2);
    for (bool last = false; !last;) {
        last = r.Bit() != 0;
        if (r.Bits(2) != 1) throw std::runtime_error("not a fixed-code block");
        for (unsigned symbol = FixedSymbol(r); symbol != 256; symbol = FixedSymbol(r)) {
            if (symbol < 256) {
                out.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol > 285) throw std::runtime_error("bad length symbol");
            const unsigned length = kLengthBase[symbol - 257] + r.Bits(kLengthExtra[symbol - 257]);
            // 258 has a code of its own; zlib refuses it spelt as 227 + 31.
            if (symbol == 284 && length == 258) throw std::runtime_error("length 258 in the wrong code");
            const unsigned d = r.Code(5);
            if (d > 29) throw std::runtime_error("bad distance symbol");
            const int extra = d < 4 ? 0 : static_cast<int>(d / 2 - 1);
            const unsigned base = d < 4 ? d + 1 : ((2u + d % 2) << extra) + 1;
            const unsigned distance = base + r.Bits(extra);
            if (distance > out.size() || distance > 32768) throw std::runtime_error("reference before the start");
            for (unsigned i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
        }
    }
    if (BigEndianAt(stream, r.NextByte()) != Adler32(out) || r.NextByte() + 4 != stream.size()) {
        throw std::runtime_error("bad trailer");
    }
    return out;
}

TEST(ZlibStream, ChecksumsGiveTheirPublishedCheckValues) {
    EXPECT_EQ(Crc32(FromText("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(FromText("")), 0u);
    EXPECT_EQ(Adler32(FromText("Wikipedia")), 0x11E60398u);
    EXPECT_EQ(Adler32(FromText("")), 1u);
    // Large enough that the sums wrap their modulus many times over.
    EXPECT_EQ(Adler32(Bytes(100000, 0xFF)), 0x149A302Cu);
}

TEST(ZlibStream, RoundTripsShortAndRepetitiveInputs) {
    for (const std::string_view text :
         {"", "a", "ab", "abc", "aaaa", "abcabcabcabcabcabcabd", "Free  offer, Free  offer"}) {
        EXPECT_EQ(Inflate(ZlibCompress(FromText(text))), FromText(text)) << text;
    }
    // Runs across the length codes' boundaries, up to the longest single match (258) and past it.
    for (const std::size_t run : {3u, 10u, 11u, 130u, 257u, 258u, 259u, 516u, 1000u}) {
        Bytes bytes(run, 'x');
        bytes.push_back('y');
        EXPECT_EQ(Inflate(ZlibCompress(bytes)), bytes) << run;
    }
}

TEST(ZlibStream, ReachesBackAcrossTheWholeWindowButNotBeyondIt) {
    std::mt19937 random(7);
    for (const std::size_t gap : {32768u - 16u, 32768u - 8u, 32768u - 1u, 32768u + 5u}) {
        Bytes block(16);
        for (auto& b : block) b = static_cast<std::uint8_t>(random());
        Bytes bytes = block;
        for (std::size_t i = bytes.size(); i < gap; ++i) bytes.push_back(static_cast<std::uint8_t>(random()));
        bytes.insert(bytes.end(), block.begin(), block.end());  // a repeat exactly gap bytes back
        EXPECT_EQ(Inflate(ZlibCompress(bytes)), bytes) << gap;
    }
}

TEST(ZlibStream, ShrinksFlatPicturesAndStillRoundTripsNoise) {
    Bytes flat(300000, 0xD4);
    const Bytes packed = ZlibCompress(flat);
    EXPECT_LT(packed.size(), flat.size() / 50);
    EXPECT_EQ(Inflate(packed), flat);

    std::mt19937 random(11);
    Bytes noise(70000);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random() % 5);  // short, frequent repeats at every distance
    EXPECT_EQ(Inflate(ZlibCompress(noise)), noise);
}

struct Chunk {
    std::string type;
    Bytes data;
};

std::vector<Chunk> Chunks(const Bytes& file) {
    static const Bytes kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(kSignature.begin(), kSignature.end(), file.begin())) {
        throw std::runtime_error("no PNG signature");
    }
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at < file.size();) {
        const std::size_t length = BigEndianAt(file, at);
        if (at + 12 + length > file.size()) throw std::runtime_error("chunk runs past the end");
        const Bytes typeAndData(file.begin() + static_cast<std::ptrdiff_t>(at + 4),
                                file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        if (Crc32(typeAndData) != BigEndianAt(file, at + 8 + length)) throw std::runtime_error("bad chunk CRC");
        chunks.push_back({std::string(typeAndData.begin(), typeAndData.begin() + 4),
                          Bytes(typeAndData.begin() + 4, typeAndData.end())});
        at += 12 + length;
    }
    return chunks;
}

// The pixels a viewer sees: every row's filter undone.
Bytes Unfilter(const Bytes& filtered, int width, int height) {
    const auto rowLength = static_cast<std::size_t>(width) * 3;
    if (filtered.size() != (rowLength + 1) * static_cast<std::size_t>(height)) throw std::runtime_error("bad size");
    Bytes pixels;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = filtered.data() + static_cast<std::size_t>(y) * (rowLength + 1);
        const std::size_t rowAt = pixels.size();
        for (std::size_t i = 0; i < rowLength; ++i) {
            const int a = i >= 3 ? pixels[rowAt + i - 3] : 0;
            const int b = y > 0 ? pixels[rowAt + i - rowLength] : 0;
            const int c = y > 0 && i >= 3 ? pixels[rowAt + i - rowLength - 3] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            const int paeth = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
            const int predicted = std::array{0, a, b, (a + b) / 2, paeth}.at(in[0]);
            pixels.push_back(static_cast<std::uint8_t>(in[1 + i] + predicted));
        }
    }
    return pixels;
}

RgbImage Picture(int width, int height) {
    // Flat areas, sharp edges and gradients, as a window picture has, and a patch of random steps along both axes
    // (sums f(x) + g(y)), where the Paeth predictor wins and its ties between neighbours matter.
    std::mt19937 random(3);
    std::vector<int> f(static_cast<std::size_t>(width)), g(static_cast<std::size_t>(height));
    for (std::size_t i = 1; i < f.size(); ++i) f[i] = f[i - 1] + static_cast<int>(random() % 5) - 2;
    for (std::size_t i = 1; i < g.size(); ++i) g[i] = g[i - 1] + static_cast<int>(random() % 5) - 2;
    RgbImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int v = x > width / 2 ? 128 + f[static_cast<std::size_t>(x)] + g[static_cast<std::size_t>(y)] + c
                              : x < width / 4 ? 0xF0 - c
                                              : x * (c + 1) + y;
                image.pixels.push_back(static_cast<std::uint8_t>(v));
            }
        }
    }
    return image;
}

TEST(PngFile, HoldsTheImageAsAViewerReadsIt) {
    for (const auto& [width, height] : {std::pair{1, 1}, {2, 3}, {57, 31}, {331, 120}}) {
        const RgbImage image = Picture(width, height);
        const std::vector<Chunk> chunks = Chunks(EncodePng(image));
        ASSERT_EQ(chunks.size(), 3u);
        EXPECT_EQ(chunks[0].type, "IHDR");
        EXPECT_EQ(chunks[1].type, "IDAT");
        EXPECT_EQ(chunks[2].type, "IEND");
        EXPECT_TRUE(chunks[2].data.empty());
        const Bytes& header = chunks[0].data;
        ASSERT_EQ(header.size(), 13u);
        EXPECT_EQ(BigEndianAt(header, 0), static_cast<std::uint32_t>(width));
        EXPECT_EQ(BigEndianAt(header, 4), static_cast<std::uint32_t>(height));
        EXPECT_EQ(Bytes(header.begin() + 8, header.end()), (Bytes{8, 2, 0, 0, 0}));
        EXPECT_EQ(Unfilter(Inflate(chunks[1].data), width, height), image.pixels) << width << "x" << height;
    }
}

TEST(PngFile, RefusesAnImageWhosePixelsDoNotFitItsSize) {
    EXPECT_TRUE(EncodePng(RgbImage{}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, Bytes(11)}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{-1, 2, Bytes(6)}).empty());
    EXPECT_FALSE(EncodePng(RgbImage{2, 2, Bytes(12)}).empty());
}

}  // namespace
}  // namespace quellix::screenshots
