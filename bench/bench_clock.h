#pragma once
#include <cstdint>
#include <vector>

namespace quellix::bench {

// QueryPerformanceCounter ticks, and their conversion to milliseconds.
std::int64_t Now();
double ElapsedMs(std::int64_t from, std::int64_t to);

// Order statistics of a sample; both take a copy because they reorder it. An empty sample gives 0.
double Median(std::vector<double> values);
// Nearest-rank percentile (p in 0..100).
double Percentile(std::vector<double> values, double p);

}  // namespace quellix::bench
