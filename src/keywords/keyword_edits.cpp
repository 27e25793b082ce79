#include "keywords/keyword_edits.h"

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

// A rewrite writes only what it has read: a missing or unreadable keyword file changes nothing and creates
// nothing, and the old file stays until a complete new one can take its place.
void RewriteKeywordFile(std::string_view match, std::optional<std::string_view> replacement) {
    const std::optional<std::string> bytes = ReadWholeFile(KeywordFilePath());
    if (!bytes) return;
    if (!WriteCompleteFile(ScratchFilePath(), RewriteKeywords(*bytes, match, replacement))) return;
    CommitScratchFile();
}

// A file whose last line has no line end (edited by hand, say) would otherwise take the new keyword onto that
// line and turn two keywords into one.
bool EndsWithinALine(const std::optional<std::string>& bytes) {
    return bytes && !bytes->empty() && bytes->back() != '\n' && bytes->back() != '\r';
}

}  // namespace

void AppendKeyword(std::wstring_view text) {
    const std::wstring path = KeywordFilePath();
    // Windows refuses to open a read-only file for appending; do the same where that is not enforced.
    if (IsReadOnlyFile(path)) return;
    std::string line = EndsWithinALine(ReadWholeFile(path)) ? "\r\n" : "";
    WriteKeywordLine(line, ToAnsi(text));
    AppendToFile(path, line);  // a failed append leaves the list as it was, and is not reported
}

void ReplaceKeyword(std::wstring_view oldText, std::wstring_view newText) {
    const std::string newAnsi = ToAnsi(newText);
    RewriteKeywordFile(ToAnsi(oldText), newAnsi);
}

void DeleteKeyword(std::wstring_view text) { RewriteKeywordFile(ToAnsi(text), std::nullopt); }

void CommitScratchFile() { MoveFileIntoPlace(ScratchFilePath(), KeywordFilePath()); }

}  // namespace quellix
