#pragma once
#include <string>

namespace quellix {

// The folder of the running executable, without a trailing backslash ("C:\\Tools", or "C:" for a program in a
// drive's root). Wide: a folder name the ANSI code page cannot spell must still be found.
std::wstring ExeFolder();

}  // namespace quellix
