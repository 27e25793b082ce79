#pragma once
#include <string>

namespace quellix {

// The keyword file and the rewrite's scratch file live beside the executable.
std::wstring KeywordFilePath();
std::wstring ScratchFilePath();

}  // namespace quellix
