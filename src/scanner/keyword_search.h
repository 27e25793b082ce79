#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quellix {

// The non-empty keywords of one (already upper-cased) keyword file text, cut once and filed by their
// first two characters, so that a title is searched in one pass instead of once per keyword. Answers
// as TitleMatchesAnyKeyword does for the same text.
class KeywordSearch {
public:
    // Cuts the text into keywords, keeping a copy of it.
    void Assign(std::wstring_view upperFileText);
    // True when some keyword occurs in the (already upper-cased) title.
    bool FoundIn(std::wstring_view upperTitle) const noexcept;

private:
    struct Keyword {
        std::uint32_t offset;
        std::uint32_t length;
    };
    static constexpr std::size_t kBuckets = 1024;
    static std::size_t Bucket(wchar_t first, wchar_t second) noexcept {
        return (static_cast<std::size_t>(first) * 31 + static_cast<std::size_t>(second)) & (kBuckets - 1);
    }

    std::wstring text_;
    std::wstring singles_;                // keywords of one character
    std::vector<Keyword> keywords_;       // the longer ones, grouped by the bucket of their first two
    std::vector<std::uint32_t> bucketEnd_;  // keywords_[bucketEnd_[b - 1], bucketEnd_[b]) are bucket b's
};

}  // namespace quellix
