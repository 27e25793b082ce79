#pragma once
#include <string>
#include <vector>

namespace quellix {

// The keywords of the keyword file as the list shows them: every field, in file order, empty ones included.
// A missing or unreadable file is an empty list, the normal state before the first keyword is added.
std::vector<std::wstring> ReadKeywordList();

}  // namespace quellix
