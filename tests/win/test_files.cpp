#include "win/test_files.h"

#include "platform/exe_folder.h"
#include "platform/file_access.h"
#include "platform/win_handle.h"

namespace quellix {

TempFile::TempFile(const std::wstring& name) : path_(ExeFolder() + L"\\" + name) { Remove(); }

void TempFile::Write(const std::string& bytes) const {
    FileHandle file(::CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string TempFile::Read() const { return ReadWholeFile(path_).value_or("<missing>"); }

void TempFile::Remove() const {
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path_.c_str());
}

}  // namespace quellix
