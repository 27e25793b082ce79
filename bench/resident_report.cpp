#include <cstdio>
#include <optional>
#include <string>

#include "cpu_bench.h"
#include "desktop_reports.h"

namespace quellix::bench {
namespace {

constexpr int kCpuRuns = 3;       // each program's share, the programs in turn
constexpr DWORD kCpuRunMs = 10000;
constexpr double kCpuGoalRatio = 0.6;
constexpr double kTickerGoalRatio = 1.5;

// A share of one core as a percentage, or a dash where it is unknown.
void PrintShare(double share) {
    if (share < 0) {
        std::printf(" %9s", "-");
    } else {
        std::printf(" %7.2f %%", share * 100.0);
    }
}

void PrintRate(const std::optional<double>& perSecond) {
    if (perSecond) {
        std::printf(" %10.1f", *perSecond);
    } else {
        std::printf(" %10s", "-");
    }
}

std::optional<double> TickerRate(const std::optional<WindowHost::TickerRun>& ticker) {
    if (!ticker || ticker->seconds <= 0) return std::nullopt;
    return ticker->retitles / ticker->seconds;
}

// Program plus server, or -1.
double Together(const CpuFigures& cpu) {
    return !cpu.started || cpu.ServerShare() < 0 ? -1 : cpu.ShareOfCore() + cpu.ServerShare();
}

void PrintIdleRow(const char* label, const IdleServer& idle) {
    std::printf("  %-36s %9s", label, "-");
    PrintShare(idle.ServerShare());
    std::printf(" %9s %10s", "", "");
    PrintRate(TickerRate(idle.ticker));
    std::printf("\n");
}

void PrintCpuRow(const std::string& label, const CpuFigures& cpu) {
    std::printf("  %-36s", label.c_str());
    if (!cpu.started) {
        std::printf(" did not start\n");
        return;
    }
    PrintShare(cpu.ShareOfCore());
    PrintShare(cpu.ServerShare());
    PrintShare(Together(cpu));
    PrintRate(cpu.OpensPerSecond());
    PrintRate(TickerRate(cpu.ticker));
    std::printf("   %.0f/%.0f KiB, %lu/%lu handles%s%s\n", static_cast<double>(cpu.start.workingSet) / 1024.0,
                static_cast<double>(cpu.end.workingSet) / 1024.0, cpu.start.handles, cpu.end.handles,
                cpu.stillRunning ? "" : " (IT ENDED MEANWHILE)",
                cpu.tickingWindowStood ? "" : " (THE TICKING WINDOW WAS CLOSED: figures invalid)");
}

struct CpuRuns {
    IdleServer idle, idleTicker;
    std::optional<CpuFigures> todayRest, todayTicker;
    CpuFigures nowRest, nowTicker;
};

void PrintOpensGoal(const CpuRuns& runs) {
    std::printf("Goal: keyword file opens at rest 0 while the file is unchanged: ");
    const std::optional<OpenCount::Opens>& opens = runs.nowRest.opens;
    if (!opens) {
        std::printf("not counted\n");
        return;
    }
    std::printf("%ld in %.1f s (%s)", opens->count, opens->seconds, Verdict(opens->count == 0));
    if (runs.todayRest && runs.todayRest->opens) {
        std::printf("; today's build %ld", runs.todayRest->opens->count);
    }
    std::printf("\n");
}

void PrintRestGoal(const CpuRuns& runs) {
    const double now = Together(runs.nowRest);
    const double before = runs.todayRest ? Together(*runs.todayRest) : -1;
    if (now < 0 || before <= 0) {
        std::printf("Goal: program and server at rest: no ratio (a figure is missing)\n");
        return;
    }
    const double idle = runs.idle.ServerShare();
    std::printf("Goal: program and server at rest at most %.0f %% of today's build's: %.0f %% (%s); net of the "
                "server's idle share: %.0f %%\n",
                kCpuGoalRatio * 100.0, now / before * 100.0, Verdict(now / before <= kCpuGoalRatio),
                idle < 0 ? 0.0 : (now - idle) / (before - idle) * 100.0);
}

// The program's share with the ticker against its own at rest, or -1.
double TickerRatio(const CpuFigures& rest, const CpuFigures& ticker) {
    if (!rest.started || !ticker.started || rest.ShareOfCore() <= 0) return -1;
    return ticker.ShareOfCore() / rest.ShareOfCore();
}

// Points of one core that the server spent beyond what the same ticking desktop costs it with nothing resident.
void PrintServerBeyond(const char* name, const CpuFigures& ticker, const IdleServer& idleTicker) {
    if (ticker.ServerShare() < 0 || idleTicker.ServerShare() < 0) {
        std::printf("  %s unknown", name);
        return;
    }
    std::printf("  %s %+.2f", name, (ticker.ServerShare() - idleTicker.ServerShare()) * 100.0);
}

void PrintTickerGoal(const CpuRuns& runs) {
    const double now = TickerRatio(runs.nowRest, runs.nowTicker);
    std::printf("Goal: with the ticker, the new program at most %.1f times its own share at rest: ", kTickerGoalRatio);
    if (now < 0) {
        std::printf("no ratio (a figure is missing)\n");
        return;
    }
    const bool valid = runs.nowTicker.ticker && runs.nowTicker.tickingWindowStood;
    std::printf("%.1fx (%s)", now, Verdict(valid && now <= kTickerGoalRatio));
    if (runs.todayRest && runs.todayTicker) {
        std::printf("; today's build %.1fx", TickerRatio(*runs.todayRest, *runs.todayTicker));
    }
    std::printf("\n  the server with the ticker, beyond the same ticking desktop with nothing resident, points:");
    PrintServerBeyond("new build", runs.nowTicker, runs.idleTicker);
    if (runs.todayTicker) PrintServerBeyond("today's build", *runs.todayTicker, runs.idleTicker);
    std::printf("\n");
}

std::string TickerLabel(const std::string& name) {
    return name + ", " + std::to_string(kRetitlesPerSecond) + " retitles/s";
}

// Each row's runs in turn with the others', so that a disturbance of the machine hits them alike.
void MeasureInTurn(const Builds& builds, const KeywordFiles& files, const WindowHost& host, int retitles,
                   IdleServer& idle, std::optional<CpuFigures>& today, CpuFigures& now) {
    if (builds.today) today.emplace();
    for (int run = 0; run < kCpuRuns; ++run) {
        idle.Add(MeasureIdleServer(kCpuRunMs, host, retitles));
        if (builds.today) {
            today->Add(MeasureResidentCpu(Released(*builds.today), files.resting, kCpuRunMs, host, retitles));
        }
        now.Add(MeasureResidentCpu(Released(builds.now), files.resting, kCpuRunMs, host, retitles));
    }
}

void PrintRows(const Builds& builds, const CpuRuns& runs, bool ticking) {
    const auto label = [&](const std::string& name) { return ticking ? TickerLabel(name) : name + ", at rest"; };
    PrintIdleRow(label("nothing resident").c_str(), ticking ? runs.idleTicker : runs.idle);
    if (builds.today) PrintCpuRow(label(builds.today->name), ticking ? *runs.todayTicker : *runs.todayRest);
    PrintCpuRow(label(builds.now.name), ticking ? runs.nowTicker : runs.nowRest);
}

}  // namespace

void ReportResidentCpu(const Builds& builds, const KeywordFiles& files, const WindowHost& host) {
    CpuRuns runs;
    MeasureInTurn(builds, files, host, 0, runs.idle, runs.todayRest, runs.nowRest);
    MeasureInTurn(builds, files, host, kRetitlesPerSecond, runs.idleTicker, runs.todayTicker, runs.nowTicker);
    std::printf("\nResident CPU: %d keywords, none matching; %d runs of %.0f s each, the rows' runs in turn; share "
                "of one core\n",
                kResidentKeywords, kCpuRuns, kCpuRunMs / 1000.0);
    std::printf("  %-36s %9s %9s %9s %10s %10s   %s\n", "program", "program", "server", "together", "opens/s",
                "retitles/s", "working set and handles, start/end");
    PrintRows(builds, runs, false);
    PrintRows(builds, runs, true);
    std::printf("  program: its threads' GetThreadTimes; server: wineserver's utime + stime in /proc; opens/s: opens\n"
                "  of its keyword file, counted from outside between two marks; retitles/s: one shown window of the\n"
                "  host retitled with SetWindowText and EVENT_OBJECT_NAMECHANGE, as many times a second\n");
    PrintOpensGoal(runs);
    PrintRestGoal(runs);
    PrintTickerGoal(runs);
}

}  // namespace quellix::bench
