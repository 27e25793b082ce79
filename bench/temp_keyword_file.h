#pragma once
#include <string>

namespace quellix::bench {

// A keyword file of the benchmark's own in the temporary folder, removed again on destruction.
class TempKeywordFile {
public:
    explicit TempKeywordFile(const std::string& bytes);
    ~TempKeywordFile();
    TempKeywordFile(const TempKeywordFile&) = delete;
    TempKeywordFile& operator=(const TempKeywordFile&) = delete;

    // False when the file could not be written whole.
    bool Written() const { return written_; }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    bool written_ = false;
};

}  // namespace quellix::bench
