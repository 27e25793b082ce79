#pragma once
#include <optional>
#include <string>
#include <vector>

#include "programs.h"
#include "window_host.h"

// The measurements on a desktop like a real one, each printed as it is taken, this build against today's build.
namespace quellix::bench {

inline constexpr int kResidentKeywords = 50;
inline constexpr char kMatchingWord[] = "Bonanza";
inline constexpr int kRetitlesPerSecond = 60;  // the ticker's: a window that retitles itself every frame

// The builds compared.
struct Builds {
    Build now = NewBuild();
    std::optional<Build> today = TodaysBuild();
    // Today's build first, where there is one, then this one.
    std::vector<const Build*> InTurn() const;
};

// 50 keywords, none of which occurs in a title on the desktop; and the same with a matching one last, so that a
// pop-up's own test goes through the whole file.
struct KeywordFiles {
    std::string resting;
    std::string matching;
};

inline const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// How soon a matching window is asked to close, from its creation and from its showing.
void ReportCloseLatency(const Builds& builds, const KeywordFiles& files);
// What the resident program costs at rest and while a window of the host ticks, with its keyword file's opens.
void ReportResidentCpu(const Builds& builds, const KeywordFiles& files, const WindowHost& host);
// The walks and single-window checks while a window ticks and in a storm of events, with how the storm goes.
void ReportWalksAndChecks(const Builds& builds, const KeywordFiles& files, const WindowHost& host);

}  // namespace quellix::bench
