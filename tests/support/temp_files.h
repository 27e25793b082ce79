#pragma once
#include <optional>
#include <string>

#include "keywords/keyword_paths.h"

// Files the tests write and read while the program (or another process) may have them open too.
namespace quellix::test {

// Reads sharing with every other open; nullopt when the file cannot be read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// Writes sharing with the program's reads, trying again should an open still collide with one; false when the
// bytes could not all be written.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// Removes a file, read-only or not, or an empty folder of that name; waits while an ended program's image is
// still locked.
void RemoveFile(const std::wstring& path);

// Paths beside the test executable and in the temporary folder.
std::wstring BesideTheExe(const std::wstring& name);
std::wstring InTempFolder(const std::wstring& name);

// A fresh folder in the temporary folder, named after the prefix, this process and a serial number; removed with
// whatever the test left in it.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring Path(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// A file that is removed before the test uses it and again afterwards.
class TempFile {
public:
    explicit TempFile(std::wstring path) : path_(std::move(path)) { Remove(); }
    ~TempFile() { Remove(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::wstring& Path() const { return path_; }
    bool Write(const std::string& bytes) const { return WriteFileBytes(path_, bytes); }
    // The table tests' file: these bytes, or no file at all for nullptr.
    void WriteOrRemove(const char* bytes) const {
        if (bytes) {
            Write(bytes);
        } else {
            Remove();
        }
    }
    std::optional<std::string> Read() const { return ReadFileBytes(path_); }
    bool Exists() const { return FileExists(path_); }
    void Remove() const { RemoveFile(path_); }

private:
    std::wstring path_;
};

// The keyword file and the scratch file beside the test executable, which is where the program looks for them.
struct KeywordSandbox {
    TempFile keywords{KeywordFilePath()};
    TempFile scratch{ScratchFilePath()};
};

}  // namespace quellix::test
