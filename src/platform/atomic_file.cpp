#include "platform/atomic_file.h"

#include <algorithm>

#include "platform/win_handle.h"

namespace quellix {
namespace {

// Bounded writes: one huge WriteFile can fail for want of kernel memory where smaller ones succeed.
constexpr std::size_t kChunkSize = 64 * 1024;

// Virus scanners, the indexer and sync clients hold a file that was just written for a moment; a replacement
// refused meanwhile is tried again for about a second before it counts as failed.
constexpr DWORD kReplaceRetryMs = 1000;
constexpr DWORD kReplaceRetryStepMs = 50;

// Renames and their fallbacks misbehave on relative paths on some systems; every path is made absolute first.
bool AbsolutePath(const std::wstring& path, std::wstring& absolute) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return false;
    absolute.assign(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, absolute.data(), nullptr);
    if (length == 0 || length >= needed) return false;
    absolute.resize(length);
    return true;
}

// A rename within one volume is atomic: a reader sees the old file or the new one, never neither.
bool RenameOver(const std::wstring& from, const std::wstring& to) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = ::GetLastError();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
        if (!held || ::GetTickCount() - start >= kReplaceRetryMs) return false;
        ::Sleep(kReplaceRetryStepMs);
    }
}

}  // namespace

bool IsReadOnlyFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool WriteChunk(HANDLE file, std::string_view chunk) {
    DWORD written = 0;
    return ::WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) &&
           written == chunk.size();
}

bool WriteCompleteFile(const std::wstring& path, std::string_view bytes, const ChunkWriter& writeChunk) {
    std::wstring absolute;
    if (!AbsolutePath(path, absolute)) return false;
    // No sharing: nobody may read a half-written scratch file or write into it meanwhile.
    FileHandle file(::CreateFileW(absolute.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) return false;
    bool complete = true;
    for (std::size_t at = 0; complete && at < bytes.size(); at += kChunkSize) {
        complete = writeChunk(file.get(), bytes.substr(at, std::min(kChunkSize, bytes.size() - at)));
    }
    complete = complete && ::FlushFileBuffers(file.get());
    file.reset();
    if (!complete) ::DeleteFileW(absolute.c_str());  // best effort: a leftover is emptied by the next rewrite
    return complete;
}

bool MoveFileIntoPlace(const std::wstring& source, const std::wstring& target) {
    std::wstring from;
    std::wstring to;
    bool moved = AbsolutePath(source, from) && AbsolutePath(target, to) && !IsReadOnlyFile(to);
    moved = moved && RenameOver(from, to);
    if (!moved) ::DeleteFileW(from.empty() ? source.c_str() : from.c_str());
    return moved;
}

}  // namespace quellix
