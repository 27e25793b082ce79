#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// The whole file in one read, or nothing when it cannot be opened or read. Others may read,
// write, rename or delete the file meanwhile.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// The same into a caller's buffer, reusing its storage; false (and `out` empty) on failure.
bool ReadWholeFileInto(const std::wstring& path, std::string& out);

// Appends bytes at the file's end, creating the file when missing. False on any failure, and then the file is as
// it was (a file this call created is removed again).
bool AppendToFile(const std::wstring& path, std::string_view bytes);

// True when something (a file or a folder) exists at path.
bool PathExists(const std::wstring& path);

}  // namespace quellix
