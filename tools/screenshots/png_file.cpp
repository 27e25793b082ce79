#include "png_file.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "zlib_stream.h"

namespace quellix::screenshots {
namespace {

constexpr std::size_t kChannels = 3;

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    // The checksum covers the type and the data, not the length.
    PutBigEndian(out, Crc32(std::span(out).subspan(typeAt)));
}

int Paeth(int left, int up, int upLeft) {
    const int p = left + up - upLeft;
    const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    if (pa <= pb && pa <= pc) return left;
    return pb <= pc ? up : upLeft;
}

// Each row goes out with the filter whose result has the smallest sum of magnitudes, the usual
// guess at what compresses best.
void PutFilteredRow(std::vector<std::uint8_t>& out, const std::uint8_t* row, const std::uint8_t* above,
                    std::size_t length) {
    constexpr std::array<std::uint8_t, 4> kFilters{0, 1, 2, 4};  // none, sub, up, Paeth
    std::array<std::vector<std::uint8_t>, kFilters.size()> candidates;
    std::size_t best = 0;
    long bestCost = -1;
    for (std::size_t f = 0; f < kFilters.size(); ++f) {
        auto& filtered = candidates[f];
        filtered.resize(length);
        long cost = 0;
        for (std::size_t i = 0; i < length; ++i) {
            const int left = i >= kChannels ? row[i - kChannels] : 0;
            const int up = above ? above[i] : 0;
            const int upLeft = above && i >= kChannels ? above[i - kChannels] : 0;
            int predicted = 0;
            switch (kFilters[f]) {
            case 1: predicted = left; break;
            case 2: predicted = up; break;
            case 4: predicted = Paeth(left, up, upLeft); break;
            }
            filtered[i] = static_cast<std::uint8_t>(row[i] - predicted);
            cost += std::abs(static_cast<std::int8_t>(filtered[i]));
        }
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            best = f;
        }
    }
    out.push_back(kFilters[best]);
    out.insert(out.end(), candidates[best].begin(), candidates[best].end());
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    const auto rowLength = static_cast<std::size_t>(image.width) * kChannels;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != rowLength * static_cast<std::size_t>(image.height)) {
        return {};
    }
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits a channel, RGB, deflate, adaptive filters, no interlace

    std::vector<std::uint8_t> filtered;
    filtered.reserve((rowLength + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) * rowLength;
        PutFilteredRow(filtered, row, y > 0 ? row - rowLength : nullptr, rowLength);
    }

    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", ZlibCompress(filtered));
    PutChunk(file, "IEND", {});
    return file;
}

}  // namespace quellix::screenshots
