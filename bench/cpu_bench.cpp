#include "cpu_bench.h"

#include <tlhelp32.h>

#include "bench_clock.h"
#include "support/quellix_process.h"
#include "support/wait.h"

namespace quellix::bench {
namespace {

double Seconds(const FILETIME& kernel, const FILETIME& user) {
    const auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 1e7;
}

// User plus kernel time of a process as GetProcessTimes reports it, in seconds.
double ProcessCpuSeconds(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return Seconds(kernel, user);
}

// The same summed over the process's threads. Wine 8 answers GetProcessTimes for another process
// with a small fraction of its time, but GetThreadTimes with what the system counted.
double ThreadsCpuSeconds(DWORD pid) {
    FileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return 0;
    double total = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != pid) continue;
        KernelHandle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
        FILETIME created{}, exited{}, kernel{}, user{};
        if (thread && ::GetThreadTimes(thread.get(), &created, &exited, &kernel, &user)) total += Seconds(kernel, user);
    }
    return total;
}

}  // namespace

CpuFigures MeasureResidentCpu(const std::string& keywordFileBytes, DWORD ms) {
    CpuFigures figures;
    test::QuellixProcess quellix(keywordFileBytes);
    figures.started = quellix.Started();
    if (!figures.started) return figures;
    test::PumpFor(1000);  // start-up is not what a resident program costs
    figures.start = test::MeasureProcess(quellix.Process());
    const double processBefore = ProcessCpuSeconds(quellix.Process());
    const double threadsBefore = ThreadsCpuSeconds(quellix.Pid());
    const std::int64_t start = Now();
    test::PumpFor(ms);
    const double processAfter = ProcessCpuSeconds(quellix.Process());
    const double threadsAfter = ThreadsCpuSeconds(quellix.Pid());
    figures.wallSeconds = ElapsedMs(start, Now()) / 1000.0;
    figures.processTimesSeconds = processAfter - processBefore;
    figures.cpuSeconds = threadsAfter - threadsBefore;
    figures.shareOfCore = figures.cpuSeconds / figures.wallSeconds;
    figures.end = test::MeasureProcess(quellix.Process());
    figures.stillRunning = quellix.Running();
    return figures;
}

}  // namespace quellix::bench
