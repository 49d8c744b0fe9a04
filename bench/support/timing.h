#pragma once
// Times, their spread over repeated runs, and the report line of a measure, shared by the
// benchmarks.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start);
double ms_between(Clock::time_point from, Clock::time_point to);

// The best and the median of repeated runs.
struct Spread {
    double best;
    double median;
};

Spread spread_of(std::vector<double> values);
Spread repeat(int runs, const std::function<double()>& run_once);

std::string fixed(double value, int decimals = 1);

// One line: the measure, its value against its target in one unit, "ok" or "MISSED".
void report_against(const std::string& name, double value, double target, const std::string& unit);

} // namespace bench
