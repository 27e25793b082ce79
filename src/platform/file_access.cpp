#include "platform/file_access.h"

#include <new>

#include "platform/win_handle.h"

namespace quellix {

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    std::string bytes;
    if (!ReadWholeFileInto(path, bytes)) return std::nullopt;
    return bytes;
}

bool ReadWholeFileInto(const std::wstring& path, std::string& out) {
    out.clear();
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > kMaxWholeFileSize) {
        return false;
    }
    try {
        out.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD read = 0;
    if (!out.empty() && !::ReadFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &read, nullptr)) {
        out.clear();
        return false;
    }
    out.resize(read);  // the file may have shrunk since its size was taken
    return true;
}

bool AppendToFile(const std::wstring& path, std::string_view bytes) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;
    LARGE_INTEGER oldSize{};
    if (!::GetFileSizeEx(file.get(), &oldSize)) return false;
    DWORD written = 0;
    const bool appended = ::SetFilePointerEx(file.get(), oldSize, nullptr, FILE_BEGIN) &&
                          ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size();
    if (appended) return true;
    // A short write (a full disk) must not leave half a line behind; best effort, as nothing more can be done.
    if (::SetFilePointerEx(file.get(), oldSize, nullptr, FILE_BEGIN)) ::SetEndOfFile(file.get());
    file.reset();
    if (created) ::DeleteFileW(path.c_str());
    return false;
}

bool PathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace quellix
