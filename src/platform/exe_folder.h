#pragma once
#include <string>

namespace quellix {

// The folder of the running executable, in the ANSI code page, without a trailing backslash
// ("C:\Tools", or "C:" for a program in a drive's root).
std::string ExeFolder();

}  // namespace quellix
