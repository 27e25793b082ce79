#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "keywords/keyword_paths.h"
#include "platform/file_access.h"
#include "platform/win_handle.h"

namespace quellix::test {

// The keyword file and the scratch file beside the test executable, which is where the edits look for them.
// Both are removed before and after each use, read-only attribute included.
class KeywordSandbox {
public:
    KeywordSandbox() { Clear(); }
    ~KeywordSandbox() { Clear(); }
    KeywordSandbox(const KeywordSandbox&) = delete;
    KeywordSandbox& operator=(const KeywordSandbox&) = delete;

    static void Remove(const std::wstring& path) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
        ::RemoveDirectoryW(path.c_str());
    }
    static void Clear() {
        Remove(KeywordFilePath());
        Remove(ScratchFilePath());
    }
    static bool Exists(const std::wstring& path) {
        return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    static void Write(const std::wstring& path, const std::string& bytes) {
        FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        DWORD written = 0;
        if (file) ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }

    void WriteKeywords(const std::string& bytes) const { Write(KeywordFilePath(), bytes); }
    std::optional<std::string> Keywords() const { return ReadWholeFile(KeywordFilePath()); }
    bool ScratchExists() const { return Exists(ScratchFilePath()); }
};

}  // namespace quellix::test
