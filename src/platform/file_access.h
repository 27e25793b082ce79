#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Files larger than this count as unreadable. A keyword file is a few kilobytes; a huge one, held several times
// over (bytes, wide text, list entries), could exhaust the memory of a 32-bit process.
inline constexpr std::uint64_t kMaxWholeFileSize = 16 * 1024 * 1024;

// The whole file in one read, or nothing when it cannot be opened or read, is larger than kMaxWholeFileSize or
// does not fit in memory. Others may read, write, rename or delete the file meanwhile.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// The same into a caller's buffer, reusing its storage; false (and `out` empty) on failure.
bool ReadWholeFileInto(const std::wstring& path, std::string& out);

// Appends bytes at the file's end, creating the file when missing. False on any failure, and then the file is as
// it was (a file this call created is removed again).
bool AppendToFile(const std::wstring& path, std::string_view bytes);

// True when something (a file or a folder) exists at path.
bool PathExists(const std::wstring& path);

}  // namespace quellix
