#pragma once
#include <string>
#include <vector>

namespace quellix::bench {

// The title of the host's window number `index`: varied shapes and lengths, as a desktop shows
// them (documents, folders, mail, long page titles, a few beyond the 254 characters a scan reads).
std::string WindowTitle(int index);

// ASCII letters upper-cased, which is all the generated texts hold.
std::string UpperAscii(std::string text);

// The titles of every top-level window on the desktop now, upper-cased.
std::vector<std::string> DesktopTitlesUpper();

// `count` distinct keywords, mostly single made-up words and some phrases, none of which occurs
// (ignoring case) in any of the given upper-cased titles, so no window matches.
std::vector<std::string> NonMatchingKeywords(int count, const std::vector<std::string>& upperTitles);

// The keyword file's bytes for these keywords, one line each as the program writes them.
std::string KeywordFileBytes(const std::vector<std::string>& keywords);

}  // namespace quellix::bench
