#include "scanner/keyword_search.h"

#include <algorithm>

#include "keywords/keyword_file.h"

namespace quellix {

void KeywordSearch::Assign(std::wstring_view upperFileText) {
    text_.assign(upperFileText);
    singles_.clear();
    keywords_.clear();
    KeywordReader<wchar_t> reader(text_);
    while (!reader.AtEnd()) {
        const std::wstring_view keyword = reader.ReadKeywordField();
        if (keyword.size() == 1) singles_.push_back(keyword[0]);
        if (keyword.size() < 2) continue;  // an empty keyword would match every title
        keywords_.push_back({static_cast<std::uint32_t>(keyword.data() - text_.data()),
                             static_cast<std::uint32_t>(keyword.size())});
    }
    const auto bucketOf = [this](const Keyword& k) { return Bucket(text_[k.offset], text_[k.offset + 1]); };
    std::stable_sort(keywords_.begin(), keywords_.end(),
                     [&](const Keyword& a, const Keyword& b) { return bucketOf(a) < bucketOf(b); });
    bucketEnd_.assign(kBuckets, 0);
    for (const Keyword& k : keywords_) ++bucketEnd_[bucketOf(k)];
    for (std::size_t b = 1; b < kBuckets; ++b) bucketEnd_[b] += bucketEnd_[b - 1];
}

bool KeywordSearch::FoundIn(std::wstring_view upperTitle) const noexcept {
    if (!singles_.empty() && upperTitle.find_first_of(singles_) != std::wstring_view::npos) return true;
    if (keywords_.empty()) return false;
    const std::wstring_view text(text_);
    // Only the keywords filed under the two characters at a place in the title can start there.
    for (std::size_t at = 0; at + 1 < upperTitle.size(); ++at) {
        const std::size_t bucket = Bucket(upperTitle[at], upperTitle[at + 1]);
        const std::uint32_t first = bucket == 0 ? 0 : bucketEnd_[bucket - 1];
        for (std::uint32_t i = first; i < bucketEnd_[bucket]; ++i) {
            const Keyword k = keywords_[i];
            const std::wstring_view keyword = text.substr(k.offset, k.length);
            if (k.length <= upperTitle.size() - at && upperTitle.substr(at, k.length) == keyword) return true;
        }
    }
    return false;
}

}  // namespace quellix
