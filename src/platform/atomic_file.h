#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace quellix {

// Replacing a file's content so that a failure at any step, or the process ending half-way, leaves either the
// old content or the new one, never a mix and never no file. The new content goes to a scratch file first,
// completely and flushed, and then takes the file's place in one rename.

// True when the file exists and carries the read-only attribute. Checked by hand because not every setup
// enforces it (an administrator's account, some emulation layers) and the program must behave the same there.
bool IsReadOnlyFile(const std::wstring& path);

// Writes one chunk completely; false on a failed or short write. Tests pass their own to fail part-way.
using ChunkWriter = std::function<bool(HANDLE file, std::string_view chunk)>;
bool WriteChunk(HANDLE file, std::string_view chunk);

// Writes `bytes` as the whole content of `path` (created, or emptied when present), checking every write, and
// flushes it to the disk. On failure a file this call created or emptied is removed again; a path it could
// not open (held by another program, a folder of that name) is left alone.
bool WriteCompleteFile(const std::wstring& path, std::string_view bytes,
                       const ChunkWriter& writeChunk = WriteChunk);

// Puts `source` in `target`'s place in one step. Refused when target is read-only or held open by anyone for
// longer than about a second.
// Whatever the outcome, source is gone afterwards and target holds either its old content or source's.
bool MoveFileIntoPlace(const std::wstring& source, const std::wstring& target);

}  // namespace quellix
