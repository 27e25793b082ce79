#pragma once
#include <string_view>

namespace quellix {

// The three edits of the keyword file. Text is wide here and converted to the ANSI code page at the file.
// None reports failure: a step that fails leaves the keyword file as it was and nothing is shown.

// Appends the text exactly as given as one line; creates the keyword file when it is missing.
void AppendKeyword(std::wstring_view text);
// Replaces every field equal to oldText (whole field, case-sensitive) by newText; every field on a line of its own.
void ReplaceKeyword(std::wstring_view oldText, std::wstring_view newText);
// Removes every field equal to text; every other field on a line of its own.
void DeleteKeyword(std::wstring_view text);
// Puts the scratch file in the keyword file's place in one step, or removes it and keeps the keyword file.
void CommitScratchFile();

}  // namespace quellix
