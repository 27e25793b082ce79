#include "temp_keyword_file.h"

#include <windows.h>

#include "platform/win_handle.h"

namespace quellix::bench {

TempKeywordFile::TempKeywordFile(const std::string& bytes) {
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"quellix-bench-" + std::to_wstring(::GetCurrentProcessId()) + L".zap";
    FileHandle file(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    DWORD done = 0;
    written_ = file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
               done == bytes.size();
}

TempKeywordFile::~TempKeywordFile() { ::DeleteFileW(path_.c_str()); }

}  // namespace quellix::bench
