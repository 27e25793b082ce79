#pragma once
#include <windows.h>

#include <string>

namespace quellix {

// A file beside the test executable, removed again when the test ends.
class TempFile {
public:
    explicit TempFile(const std::wstring& name);
    ~TempFile() { Remove(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::wstring& Path() const { return path_; }
    void Write(const std::string& bytes) const;
    std::string Read() const;
    bool Exists() const { return ::GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    void Remove() const;

private:
    std::wstring path_;
};

}  // namespace quellix
