#pragma once
#include <windows.h>

#include <string>

#include "platform/win_handle.h"

namespace quellix {

// Tells a walk whether the keyword file may have changed since it was last read, so that an unchanged file is not
// opened at all: on Windows every open passes through the file system's filter drivers, the antivirus among them.
// It watches the file's folder with a change notification, asked without waiting. Where the folder gives none (some
// network shares), the file may always have changed.
class KeywordFileWatch {
public:
    // As a walk starts: true when the file may have changed since the last Read(). Any change counts, this program's
    // own edits and another program's alike; a change made after this call is seen by the next one.
    bool MayHaveChanged(const std::wstring& keywordPath);
    // After a read of the file: one that failed (the file missing, locked, unreadable) is tried again by the next walk,
    // since the folder may not change when a lock goes away.
    void Read(bool succeeded) { changed_ = !succeeded; }

private:
    void Watch(const std::wstring& keywordPath);

    std::wstring path_;  // the file whose folder is watched
    ChangeNotificationHandle folder_;
    bool changed_ = true;
};

}  // namespace quellix
