#include "open_log.h"

#include <windows.h>

#include <string_view>

#include "bench_clock.h"
#include "platform/file_access.h"
#include "platform/win_handle.h"
#include "run_environment.h"
#include "support/temp_files.h"
#include "support/wait.h"

namespace quellix::bench {
namespace {

constexpr DWORD kMarkWaitMs = 5000;
constexpr std::string_view kOpened = "OPEN ";  // the event, then the path

std::wstring LogPath() { return PathFromEnvironment("QUELLIX_OPEN_LOG"); }

long long LogSize() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(LogPath().c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// The log's complete lines from `offset` on (a line still being written is left out).
std::string LogFrom(long long offset) {
    FileHandle file(::CreateFileW(LogPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart <= offset) return {};
    LARGE_INTEGER from{};
    from.QuadPart = offset;
    std::string text(static_cast<std::size_t>(size.QuadPart - offset), '\0');
    DWORD read = 0;
    if (!::SetFilePointerEx(file.get(), from, nullptr, FILE_BEGIN) ||
        !::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        return {};
    }
    text.resize(read);
    text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    return text;
}

// A mark in the log: an empty file of a name not used before, created (and so opened) in the temporary folder.
// Returns the name.
std::string MakeMark() {
    static int serial = 0;
    const std::string name =
        "quellix-open-mark-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial) + ".mark";
    const std::wstring path = test::InTempFolder(std::wstring(name.begin(), name.end()));
    {
        const FileHandle mark(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    ::DeleteFileW(path.c_str());
    return name;
}

bool Opened(std::string_view line, std::string_view tail) {
    return line.starts_with(kOpened) && line.size() > tail.size() && line.ends_with(tail) &&
           line[line.size() - tail.size() - 1] == '/';
}

// The opens of `counted` logged between the two marks; nothing while the end mark is not in the log.
std::optional<long> CountBetween(std::string_view log, const std::string& start, const std::string& end,
                                 const std::string& counted) {
    bool started = false;
    long opens = 0;
    for (std::size_t at = 0; at < log.size();) {
        const std::size_t eol = log.find('\n', at);
        const std::string_view line = log.substr(at, eol - at);
        at = eol + 1;
        if (!started) {
            started = Opened(line, start);
        } else if (Opened(line, end)) {
            return opens;
        } else if (Opened(line, counted)) {
            ++opens;
        }
    }
    return std::nullopt;
}

}  // namespace

bool OpenLogAvailable() {
    return !LogPath().empty() && ::GetFileAttributesW(LogPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

OpenCount::OpenCount(const std::wstring& path) {
    if (!OpenLogAvailable()) return;
    const std::size_t name = path.find_last_of(L'\\');
    const std::size_t folder = name == std::wstring::npos || name == 0 ? std::wstring::npos
                                                                       : path.find_last_of(L'\\', name - 1);
    if (folder == std::wstring::npos) return;
    const std::wstring tail = path.substr(folder + 1, name - folder - 1) + L"/" + path.substr(name + 1);
    counted_.assign(tail.begin(), tail.end());
    logOffset_ = LogSize();
    start_ = MakeMark();
    started_ = Now();
}

std::optional<OpenCount::Opens> OpenCount::Stop() {
    if (start_.empty()) return std::nullopt;
    const std::string end = MakeMark();
    const double seconds = ElapsedMs(started_, Now()) / 1000.0;
    std::optional<long> opens;
    test::WaitUntil([&] { return (opens = CountBetween(LogFrom(logOffset_), start_, end, counted_)).has_value(); },
                    kMarkWaitMs);
    if (!opens) return std::nullopt;
    return Opens{*opens, seconds};
}

std::optional<long> CountOwnOpens(int opens) {
    const test::TempFolder folder(L"quellix-bench-opens");
    const std::wstring path = folder.Path(L"values.zap");
    if (!test::WriteFileBytes(path, "calibration\r\n")) return std::nullopt;
    test::PumpFor(200);  // the watch takes on a new folder when it hears of it
    OpenCount count(path);
    std::string bytes;
    for (int i = 0; i < opens; ++i) ReadWholeFileInto(path, bytes);
    const std::optional<OpenCount::Opens> counted = count.Stop();
    if (!counted) return std::nullopt;
    return counted->count;
}

}  // namespace quellix::bench
