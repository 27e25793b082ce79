#include "bench_texts.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <random>
#include <set>
#include <string_view>

#include "keywords/keyword_file.h"

namespace quellix::bench {
namespace {

constexpr std::array<std::string_view, 16> kDocuments{
    "Quarterly report", "Meeting notes", "Invoice", "Untitled", "Holiday photos", "Budget plan",
    "Letter to the council", "Thesis draft", "Shopping list", "Recipe book", "Project timeline",
    "Minutes of the board", "Travel itinerary", "Class schedule", "Garden sketch", "Tax return"};
constexpr std::array<std::string_view, 12> kApplications{
    "Text Editor", "Spreadsheet", "Mail", "Photo Viewer", "Music Player", "File Manager",
    "Terminal", "Calendar", "Web Browser", "Presentation", "Drawing", "Chat"};
constexpr std::array<std::string_view, 8> kFolders{"Documents", "Downloads", "Pictures", "Music",
                                                   "Desktop", "Projects", "Archive", "Shared"};
constexpr std::array<std::string_view, 10> kWords{"the", "history", "of", "modern", "river",
                                                  "boats", "and", "their", "builders", "guide"};
constexpr std::array<std::string_view, 20> kSyllables{"ka", "lo", "mi", "zu", "re", "po", "xe", "ta", "vi", "nu",
                                                      "se", "du", "fa", "gu", "hi", "jo", "qui", "ry", "wo", "bi"};

std::string LongTitle(int index, std::size_t length) {
    std::string title = "Article " + std::to_string(index) + ":";
    for (std::size_t i = 0; title.size() < length; ++i) {
        title += ' ';
        title += kWords[(i * 7 + static_cast<std::size_t>(index)) % kWords.size()];
    }
    return title + " - " + std::string(kApplications[8]);
}

BOOL CALLBACK CollectTitleProc(HWND hwnd, LPARAM lParam) {
    char buffer[256]{};
    ::GetWindowTextA(hwnd, buffer, static_cast<int>(sizeof(buffer)));
    if (buffer[0] != '\0') reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(UpperAscii(buffer));
    return TRUE;
}

std::string MadeUpWord(std::mt19937& random) {
    std::uniform_int_distribution<int> syllables(2, 5);
    std::uniform_int_distribution<std::size_t> pick(0, kSyllables.size() - 1);
    std::string word;
    for (int n = syllables(random); n > 0; --n) word += kSyllables[pick(random)];
    return word;
}

}  // namespace

std::string UpperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::string WindowTitle(int index) {
    const auto i = static_cast<std::size_t>(index);
    const std::string number = std::to_string(index);
    switch (index % 6) {
    case 0:
        return std::string(kDocuments[i % kDocuments.size()]) + " " + number + ".txt - " +
               std::string(kApplications[i % kApplications.size()]);
    case 1:
        return std::string(kFolders[i % kFolders.size()]) + " (" + std::to_string(index * 3 % 97) + " items)";
    case 2:
        return "Inbox (" + std::to_string(index % 40) + ") - user" + number + "@example.org - Mail";
    case 3:
        return LongTitle(index, 60 + i % 90);
    case 4:
        return index % 24 == 4 ? LongTitle(index, 300) : std::string(kApplications[i % kApplications.size()]);
    default:
        return std::string(kDocuments[(i / 6) % kDocuments.size()]) + " - " +
               std::string(kFolders[i % kFolders.size()]);
    }
}

std::vector<std::string> DesktopTitlesUpper() {
    std::vector<std::string> titles;
    ::EnumWindows(CollectTitleProc, reinterpret_cast<LPARAM>(&titles));
    return titles;
}

std::vector<std::string> NonMatchingKeywords(int count, const std::vector<std::string>& upperTitles) {
    std::mt19937 random(20240611);  // fixed, so every run reads the same files
    std::bernoulli_distribution phrase(0.2);
    std::set<std::string> seen;
    std::vector<std::string> keywords;
    while (static_cast<int>(keywords.size()) < count) {
        std::string keyword = MadeUpWord(random);
        if (phrase(random)) {
            keyword += ' ';
            keyword += MadeUpWord(random);
        }
        const std::string upper = UpperAscii(keyword);
        const bool occurs = std::any_of(upperTitles.begin(), upperTitles.end(), [&](const std::string& title) {
            return title.find(upper) != std::string::npos;
        });
        if (!occurs && seen.insert(upper).second) keywords.push_back(keyword);
    }
    return keywords;
}

std::string KeywordFileBytes(const std::vector<std::string>& keywords) {
    std::string bytes;
    for (const std::string& keyword : keywords) WriteKeywordLine(bytes, keyword);
    return bytes;
}

}  // namespace quellix::bench
