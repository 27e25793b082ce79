#include "support/temp_files.h"

#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/exe_folder.h"
#include "platform/win_handle.h"

namespace quellix::test {
namespace {

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::FindClose(h); }
};

}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file.get(), nullptr)), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, kShare, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size()) {
            return true;
        }
        ::Sleep(20);
    }
    return false;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveFile(const std::wstring& path) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (::RemoveDirectoryW(path.c_str())) return;
    for (int attempt = 0; attempt < 50 && !::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND &&
                          ::GetLastError() != ERROR_PATH_NOT_FOUND;
         ++attempt) {
        ::Sleep(20);
    }
}

std::wstring BesideTheExe(const std::wstring& name) { return ExeFolder() + L"\\" + name; }

std::wstring InTempFolder(const std::wstring& name) {
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    return folder + name;
}

TempFolder::TempFolder(const std::wstring& prefix) {
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    path_ = temp + prefix + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial) + L"-" +
            std::to_wstring(::GetTickCount());
    ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW found{};
    const UniqueHandle<FindHandleTraits> search(::FindFirstFileW(Path(L"*").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = ::FindNextFileW(search.get(), &found)) {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") RemoveFile(Path(name));
    }
    ::RemoveDirectoryW(path_.c_str());
}

}  // namespace quellix::test
