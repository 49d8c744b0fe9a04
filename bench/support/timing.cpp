#include "bench/support/timing.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace bench {

double ms_since(Clock::time_point start) { return ms_between(start, Clock::now()); }

double ms_between(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

Spread spread_of(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2]};
}

Spread repeat(int runs, const std::function<double()>& run_once)
{
    std::vector<double> values;
    for (int run = 0; run < runs; ++run) values.push_back(run_once());
    return spread_of(values);
}

std::string fixed(double value, int decimals)
{
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(decimals);
    text << value;
    return text.str();
}

void report_against(const std::string& name, double value, double target, const std::string& unit)
{
    std::printf("%-52s %9.1f %s   target %6.0f %s   %s\n", name.c_str(), value, unit.c_str(), target, unit.c_str(),
                value <= target ? "ok" : "MISSED");
}

} // namespace bench
