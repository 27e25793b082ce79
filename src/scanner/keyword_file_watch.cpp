#include "scanner/keyword_file_watch.h"

namespace quellix {
namespace {

// Whatever can change what a read of the file gives: its content, its name (an edit replaces the file), its
// attributes and its security (a file that could not be read may become readable).
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE |
                           FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY;

}  // namespace

void KeywordFileWatch::Watch(const std::wstring& keywordPath) {
    path_ = keywordPath;
    changed_ = true;
    const std::size_t slash = keywordPath.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : keywordPath.substr(0, slash + 1);
    folder_.reset(::FindFirstChangeNotificationW(folder.c_str(), FALSE, kChanges));
}

bool KeywordFileWatch::MayHaveChanged(const std::wstring& keywordPath) {
    if (keywordPath != path_) Watch(keywordPath);
    if (!folder_) return true;  // no notifications from this folder: read at every walk
    if (::WaitForSingleObject(folder_.get(), 0) == WAIT_OBJECT_0) {
        // Asked again before the file is read, so that a change made during the read is not lost.
        if (!::FindNextChangeNotification(folder_.get())) folder_.reset();
        changed_ = true;
    }
    return changed_;
}

}  // namespace quellix
