#include "bench_clock.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace quellix::bench {

std::int64_t Now() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);  // cannot fail on XP and later
    return now.QuadPart;
}

double ElapsedMs(std::int64_t from, std::int64_t to) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

}  // namespace quellix::bench
