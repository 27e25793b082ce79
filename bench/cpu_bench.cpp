#include "cpu_bench.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "bench_clock.h"
#include "open_log.h"
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

// Wine's server's CPU time so far in seconds, read on the Linux side (/proc through drive Z:), or -1. tools/run-bench
// names the server of the session and the kernel's clock ticks per second.
double ServerCpuSeconds() {
    const char* pid = std::getenv("QUELLIX_WINESERVER_PID");
    const char* ticks = std::getenv("QUELLIX_CLK_TCK");
    if (!pid || !ticks || std::atof(ticks) <= 0) return -1;
    const std::string path = std::string("Z:\\proc\\") + pid + "\\stat";
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    char text[1024]{};
    DWORD read = 0;
    if (!file || !::ReadFile(file.get(), text, sizeof(text) - 1, &read, nullptr)) return -1;
    // After the command's closing parenthesis: state, then ten fields, then user and system time in ticks.
    const char* rest = std::strrchr(text, ')');
    if (!rest) return -1;
    std::istringstream fields(rest + 1);
    std::string skip;
    for (int i = 0; i < 11; ++i) fields >> skip;
    double user = 0, system = 0;
    if (!(fields >> user >> system)) return -1;
    return (user + system) / std::atof(ticks);
}

double Difference(double before, double after) { return before < 0 || after < 0 ? -1 : after - before; }

double SumOrUnknown(double a, double b) { return a < 0 || b < 0 ? -1 : a + b; }

std::optional<WindowHost::TickerRun> Sum(const std::optional<WindowHost::TickerRun>& a,
                                         const std::optional<WindowHost::TickerRun>& b) {
    if (!a || !b) return std::nullopt;
    return WindowHost::TickerRun{a->retitles + b->retitles, a->seconds + b->seconds};
}

}  // namespace

std::optional<double> CpuFigures::OpensPerSecond() const {
    if (!opens || opens->seconds <= 0) return std::nullopt;
    return opens->count / opens->seconds;
}

void CpuFigures::Add(const CpuFigures& run) {
    if (runs++ == 0) {
        *this = run;
        runs = 1;
        return;
    }
    started = started && run.started;
    if (!run.started) return;
    stillRunning = stillRunning && run.stillRunning;
    wallSeconds += run.wallSeconds;
    cpuSeconds += run.cpuSeconds;
    processTimesSeconds += run.processTimesSeconds;
    serverSeconds = SumOrUnknown(serverSeconds, run.serverSeconds);
    end = run.end;
    if (opens && run.opens) {
        opens->count += run.opens->count;
        opens->seconds += run.opens->seconds;
    } else {
        opens.reset();
    }
    ticker = Sum(ticker, run.ticker);
    tickingWindowStood = tickingWindowStood && run.tickingWindowStood;
}

void IdleServer::Add(const IdleServer& run) {
    const bool first = wallSeconds == 0;
    wallSeconds += run.wallSeconds;
    serverSeconds = first ? run.serverSeconds : SumOrUnknown(serverSeconds, run.serverSeconds);
    ticker = first ? run.ticker : Sum(ticker, run.ticker);
}

IdleServer MeasureIdleServer(DWORD ms, const WindowHost& host, int retitlesPerSecond) {
    IdleServer figures;
    const bool ticking = retitlesPerSecond > 0 && host.StartTicker(retitlesPerSecond);
    if (ticking) test::PumpFor(500);  // as for a program
    const double before = ServerCpuSeconds();
    const std::int64_t start = Now();
    test::PumpFor(ms);
    figures.serverSeconds = Difference(before, ServerCpuSeconds());
    figures.wallSeconds = ElapsedMs(start, Now()) / 1000.0;
    if (ticking) figures.ticker = host.StopTicker();
    return figures;
}

CpuFigures MeasureResidentCpu(const Program& program, const std::string& keywordFileBytes, DWORD ms,
                              const WindowHost& host, int retitlesPerSecond) {
    CpuFigures figures;
    figures.runs = 1;
    test::QuellixProcess quellix = Start(program, keywordFileBytes);
    figures.started = quellix.Started();
    if (!figures.started) return figures;
    test::PumpFor(1000);  // start-up is not what a resident program costs
    const HWND ticking = retitlesPerSecond > 0 ? host.StartTicker(retitlesPerSecond) : nullptr;
    if (ticking) test::PumpFor(500);  // nor is its first answer to the ticker
    figures.start = test::MeasureProcess(quellix.Process());
    OpenCount opens(quellix.Folder() + L"\\values.zap");
    const double processBefore = ProcessCpuSeconds(quellix.Process());
    const double threadsBefore = ThreadsCpuSeconds(quellix.Pid());
    const double serverBefore = ServerCpuSeconds();
    const std::int64_t start = Now();
    test::PumpFor(ms);
    const double serverAfter = ServerCpuSeconds();
    const double processAfter = ProcessCpuSeconds(quellix.Process());
    const double threadsAfter = ThreadsCpuSeconds(quellix.Pid());
    figures.wallSeconds = ElapsedMs(start, Now()) / 1000.0;
    figures.opens = opens.Stop();
    if (ticking) {
        figures.ticker = host.StopTicker();
        figures.tickingWindowStood = ::IsWindow(ticking) != FALSE;
    }
    figures.serverSeconds = Difference(serverBefore, serverAfter);
    figures.processTimesSeconds = processAfter - processBefore;
    figures.cpuSeconds = threadsAfter - threadsBefore;
    figures.end = test::MeasureProcess(quellix.Process());
    figures.stillRunning = quellix.Running();
    return figures;
}

}  // namespace quellix::bench
