#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Opens of a file as the Linux side saw them. Under Wine every open of a file is an open() on Linux, made by Wine's
// server on the program's behalf, so a watch from outside sees each one, whoever asked and without asking the
// program. tools/run-bench watches Wine's temporary folder, where each program gets a folder of its own, with
// inotifywait and names its log in QUELLIX_OPEN_LOG: one opened path a line, in the order of the opens.
namespace quellix::bench {

// True when the log exists.
bool OpenLogAvailable();

// Counts the opens of one file between its start and Stop(). Both ends are marks in the log: a file of the
// benchmark's own, created in the temporary folder (not in the program's folder, whose watch would take it for a
// change of the keyword file), so the count is exact whatever the log's delay.
class OpenCount {
public:
    // Starts counting the opens of the file at `path`, a Windows path in a folder of the temporary folder.
    explicit OpenCount(const std::wstring& path);
    OpenCount(const OpenCount&) = delete;
    OpenCount& operator=(const OpenCount&) = delete;

    // The opens since the start, and the seconds between the two marks; nothing when there is no log or a mark did
    // not reach it.
    struct Opens {
        long count = 0;
        double seconds = 0;
    };
    std::optional<Opens> Stop();

private:
    std::string counted_;  // "folder/name": the file's last two path parts, as the log's lines end them
    long long logOffset_ = 0;  // the log's size before the start mark
    std::string start_;        // the start mark's name
    std::int64_t started_ = 0;  // Now() after it was made
};

// Opens a file of its own `opens` times in a tight loop, as the program reads its keyword file, and counts them in
// the log: the log's figures hold when the two are equal. Nothing without a log.
std::optional<long> CountOwnOpens(int opens);

}  // namespace quellix::bench
