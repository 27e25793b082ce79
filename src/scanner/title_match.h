#pragma once

#include <string_view>

namespace quellix {

// True when some non-empty keyword of the (already upper-cased) keyword file text occurs in the
// (already upper-cased) title. Keywords are tried in file order; empty fields never match (an empty
// keyword would otherwise close every titled window).
bool TitleMatchesAnyKeyword(std::wstring_view upperTitle, std::wstring_view upperFileText) noexcept;

}  // namespace quellix
