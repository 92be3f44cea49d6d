// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_report.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace bench {

double secondsFor(const std::function<void()>& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double bestSecondsFor(int runs, const std::function<void()>& action)
{
    double best = secondsFor(action);
    for (int run = 1; run < runs; ++run)
        best = std::min(best, secondsFor(action));
    return best;
}

double peakMemoryMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void report(const QString& label, double value, const QString& unit)
{
    std::printf("%-60s %10.3f %s\n", label.toUtf8().constData(), value, unit.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace bench
