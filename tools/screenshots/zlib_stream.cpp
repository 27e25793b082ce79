#include "zlib_stream.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace quellix::screenshots {
namespace {

constexpr std::size_t kWindow = 32768;  // the farthest a deflate back-reference may reach
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr int kMaxChain = 128;  // candidates tried per position: plenty for flat pictures, bounded time
constexpr std::size_t kHashBits = 15;

constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                      33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Deflate packs bits from the least significant end of each byte.
class BitWriter {
public:
    void Put(std::uint32_t value, int count) {
        pending_ |= static_cast<std::uint64_t>(value) << filled_;
        filled_ += count;
        while (filled_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(pending_));
            pending_ >>= 8;
            filled_ -= 8;
        }
    }
    // Huffman codes go out most significant bit first, the reverse of every other field.
    void PutCode(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
        Put(reversed, length);
    }
    std::vector<std::uint8_t> Finish(std::vector<std::uint8_t> head) {
        if (filled_ > 0) out_.push_back(static_cast<std::uint8_t>(pending_));
        head.insert(head.end(), out_.begin(), out_.end());
        return head;
    }

private:
    std::vector<std::uint8_t> out_;
    std::uint64_t pending_ = 0;
    int filled_ = 0;
};

// The fixed literal/length code of deflate's block type 1.
void PutSymbol(BitWriter& w, unsigned symbol) {
    if (symbol < 144) {
        w.PutCode(0x30 + symbol, 8);
    } else if (symbol < 256) {
        w.PutCode(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        w.PutCode(symbol - 256, 7);
    } else {
        w.PutCode(0xC0 + symbol - 280, 8);
    }
}

// The last table entry whose base does not exceed value: 258 takes its own code, not 227 + 31.
template <std::size_t N>
std::size_t CodeFor(const std::array<std::uint16_t, N>& bases, std::size_t value) {
    std::size_t i = N - 1;
    while (bases[i] > value) --i;
    return i;
}

void PutMatch(BitWriter& w, std::size_t length, std::size_t distance) {
    const std::size_t l = CodeFor(kLengthBase, length);
    PutSymbol(w, static_cast<unsigned>(257 + l));
    w.Put(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
    const std::size_t d = CodeFor(kDistanceBase, distance);
    w.PutCode(static_cast<std::uint32_t>(d), 5);
    w.Put(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

// Remembers, for each three-byte prefix, where it occurred, newest first.
class MatchFinder {
public:
    explicit MatchFinder(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), head_(std::size_t{1} << kHashBits, -1), previous_(kWindow, -1) {}

    void Insert(std::size_t at) {
        if (at + kMinMatch > bytes_.size()) return;
        const std::size_t h = Hash(at);
        previous_[at % kWindow] = head_[h];
        head_[h] = static_cast<std::int32_t>(at);
    }

    // The longest earlier repeat of the bytes at `at` (length 0 when none reaches kMinMatch).
    std::pair<std::size_t, std::size_t> Longest(std::size_t at) const {
        std::size_t bestLength = 0, bestDistance = 0;
        if (at + kMinMatch > bytes_.size()) return {0, 0};
        const std::size_t limit = std::min(kMaxMatch, bytes_.size() - at);
        std::int32_t candidate = head_[Hash(at)];
        for (int tries = 0; candidate >= 0 && tries < kMaxChain; ++tries) {
            const auto from = static_cast<std::size_t>(candidate);
            // Beyond the window the slot may already hold a newer position: stop before reading it.
            if (at - from > kWindow) break;
            std::size_t length = 0;
            while (length < limit && bytes_[from + length] == bytes_[at + length]) ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = at - from;
                if (length == limit) break;
            }
            candidate = previous_[from % kWindow];
        }
        if (bestLength < kMinMatch) return {0, 0};
        return {bestLength, bestDistance};
    }

private:
    std::size_t Hash(std::size_t at) const {
        return ((std::size_t{bytes_[at]} << 10) ^ (std::size_t{bytes_[at + 1]} << 5) ^ bytes_[at + 2]) &
               ((std::size_t{1} << kHashBits) - 1);
    }

    std::span<const std::uint8_t> bytes_;
    std::vector<std::int32_t> head_;
    std::vector<std::int32_t> previous_;
};

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> bytes) {
    BitWriter w;
    w.Put(1, 1);  // the final block
    w.Put(1, 2);  // compressed with the fixed codes
    MatchFinder finder(bytes);
    for (std::size_t at = 0; at < bytes.size();) {
        const auto [length, distance] = finder.Longest(at);
        if (length == 0) {
            PutSymbol(w, bytes[at]);
            finder.Insert(at++);
            continue;
        }
        PutMatch(w, length, distance);
        for (const std::size_t end = at + length; at < end; ++at) finder.Insert(at);
    }
    PutSymbol(w, 256);  // end of block
    // 0x78 0x01: deflate with a 32 KiB window, and a header that is a multiple of 31 as zlib requires.
    std::vector<std::uint8_t> stream = w.Finish({0x78, 0x01});
    const std::uint32_t adler = Adler32(bytes);
    for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(static_cast<std::uint8_t>(adler >> shift));
    return stream;
}

}  // namespace quellix::screenshots
