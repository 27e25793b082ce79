#include "keywords/keyword_edits.h"

#include <exception>
#include <optional>
#include <string>

#include "keywords/keyword_file.h"
#include "keywords/keyword_paths.h"
#include "keywords/keyword_rewrite.h"
#include "platform/ansi_text.h"
#include "platform/atomic_file.h"
#include "platform/file_access.h"

namespace quellix {
namespace {

// Memory running out over a keyword file too large to hold counts as an unreadable file: no exception may reach
// the window procedure that asked for the edit.
template <class Edit>
EditResult Guarded(const Edit& edit) noexcept {
    try {
        return edit();
    } catch (const std::exception&) {
        return EditResult::kFileUnreadable;
    }
}

// A rewrite writes only what it has read: a missing or unreadable keyword file changes nothing and creates
// nothing, and the old file stays until a complete new one can take its place. Fields are compared as the list
// shows them, so an entry whose bytes do not survive the conversion can still be found.
EditResult RewriteKeywordFile(std::wstring_view match, std::optional<std::string_view> replacement) {
    const std::wstring path = KeywordFilePath();
    // Asked first: the replacement would fail too, but only after writing the scratch file for nothing.
    if (IsReadOnlyFile(path)) return EditResult::kFileReadOnly;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return EditResult::kFileUnreadable;
    std::wstring fieldText;
    const auto matches = [&](std::string_view field) {
        FromAnsiInto(field, fieldText);
        return fieldText == match;
    };
    if (!WriteCompleteFile(ScratchFilePath(), RewriteKeywords(*bytes, matches, replacement))) {
        return EditResult::kScratchNotWritten;
    }
    return CommitScratchFile() ? EditResult::kSaved : EditResult::kFileNotReplaced;
}

// A file whose last line has no line end (edited by hand, say) would otherwise take the new keyword onto that
// line and turn two keywords into one.
bool EndsWithinALine(const std::optional<std::string>& bytes) {
    return bytes && !bytes->empty() && bytes->back() != '\n' && bytes->back() != '\r';
}

}  // namespace

EditResult AppendKeyword(std::wstring_view text) {
    return Guarded([&] {
        const std::optional<std::string> ansi = ToAnsiExactly(text);
        if (!ansi) return EditResult::kNotInCodePage;
        const std::wstring path = KeywordFilePath();
        // Windows refuses to open a read-only file for writing; do the same where that is not enforced.
        if (IsReadOnlyFile(path)) return EditResult::kFileReadOnly;
        const std::optional<std::string> bytes = ReadWholeFile(path);
        if (!bytes && PathExists(path)) return EditResult::kFileUnreadable;
        std::string line = EndsWithinALine(bytes) ? "\r\n" : "";
        WriteKeywordLine(line, *ansi);
        return AppendToFile(path, line) ? EditResult::kSaved : EditResult::kFileNotWritten;
    });
}

EditResult ReplaceKeyword(std::wstring_view oldText, std::wstring_view newText) {
    return Guarded([&] {
        const std::optional<std::string> newAnsi = ToAnsiExactly(newText);
        if (!newAnsi) return EditResult::kNotInCodePage;
        return RewriteKeywordFile(oldText, *newAnsi);
    });
}

EditResult DeleteKeyword(std::wstring_view text) {
    return Guarded([&] { return RewriteKeywordFile(text, std::nullopt); });
}

bool CommitScratchFile() { return MoveFileIntoPlace(ScratchFilePath(), KeywordFilePath()); }

}  // namespace quellix
