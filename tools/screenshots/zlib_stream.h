#pragma once
#include <cstdint>
#include <span>
#include <vector>

// The checksums and the compressed stream a PNG file needs, so that the screenshot tool writes PNG
// files itself instead of needing an image converter.
namespace quellix::screenshots {

// CRC-32 as PNG chunks use it (reflected polynomial 0xEDB88320).
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// A zlib stream holding one deflate block with the fixed codes: back-references to repeats within
// the last 32 KiB, literals otherwise. Window pictures are mostly flat colour, so this is enough.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> bytes);

}  // namespace quellix::screenshots
