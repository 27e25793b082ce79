#pragma once
#include <windows.h>

#include <string>

namespace quellix {

// A file beside the test executable, removed again when the test ends.
class TempFile {
public:
    explicit TempFile(const std::string& name);
    ~TempFile() { Remove(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return path_; }
    void Write(const std::string& bytes) const;
    std::string Read() const;
    bool Exists() const { return ::GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    void Remove() const;

private:
    std::string path_;
};

}  // namespace quellix
