#pragma once
#include <string_view>

namespace quellix {

// The three edits of the keyword file. Text is wide here and converted to the ANSI code page at the file.
// Each says what became of it; whatever fails, the keyword file keeps its old content.
enum class EditResult {
    kSaved,
    kNotInCodePage,      // the new keyword has characters the ANSI code page cannot hold exactly
    kFileReadOnly,       // the keyword file carries the read-only attribute
    kFileUnreadable,     // the keyword file is missing, held by another program or too large to hold
    kFileNotWritten,     // the append failed: folder not writable, file held open, disk full
    kScratchNotWritten,  // the scratch file could not be written: folder not writable, disk full
    kFileNotReplaced,    // the scratch file could not take the keyword file's place: held open by another program
};

// Appends the text exactly as given as one line; creates the keyword file when it is missing.
EditResult AppendKeyword(std::wstring_view text);
// Replaces every field that reads as oldText (whole field, case-sensitive, compared as the list shows it) by
// newText; every field on a line of its own.
EditResult ReplaceKeyword(std::wstring_view oldText, std::wstring_view newText);
// Removes every field that reads as text; every other field on a line of its own.
EditResult DeleteKeyword(std::wstring_view text);
// Puts the scratch file in the keyword file's place in one step, or removes it and keeps the keyword file.
bool CommitScratchFile();

}  // namespace quellix
