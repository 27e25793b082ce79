#include "support/temp_files.h"

#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/exe_folder.h"
#include "platform/win_handle.h"

namespace quellix::test {

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

std::string BesideTheExe(const std::string& name) { return ExeFolder() + "\\" + name; }

std::string InTempFolder(const std::string& name) {
    char folder[MAX_PATH]{};
    ::GetTempPathA(MAX_PATH, folder);
    return folder + name;
}

TempFile::TempFile(std::string path) : path_(std::move(path)), wide_(FromAnsi(path_)) { Remove(); }

}  // namespace quellix::test
